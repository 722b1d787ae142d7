#pragma once
// The pointer's word where a piece cannot go: while pieces are placed or carried, a point on a
// border, in an area of no sector or in a sector that takes none shows "NO PIECES HERE" just
// above the pointer, so that a click there is not taken for one that placed something.

// True when pieces are in hand (placing or carrying) and the sector value under the pointer
// (AktuellerSektor) takes none.
bool KeinePiecesAmCursor();
// Draws the word above the pointer when KeinePiecesAmCursor; part of a frame's top layers.
void BlitKeinePieces();
