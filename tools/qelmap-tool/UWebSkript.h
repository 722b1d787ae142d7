#pragma once
// The style and the scripts of the web page of a position, which the page carries inside it.

// Notes in the head, before anything else could ask for a file, every request that the page's
// content policy refuses.
extern const char* const SeitenWache;
extern const char* const SeitenStil;
// Zoom, dragging, the sector under the pointer, the changes in words, the link that saves the
// position, and the test hook that "#test=X,Y;X,Y" switches on.
extern const char* const SeitenSkript;
