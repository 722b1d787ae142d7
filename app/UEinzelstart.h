#pragma once
// One program per game folder: two runs in one folder would write the same recovery file and
// rename each other's, and a game would end up in no file. The first run holds a lock on the
// folder for its whole life (the kernel drops it with the process, so a crash leaves none);
// a second start asks the first to bring its main window to the front, and ends.

// Takes the lock on the current directory. True when this run may go on; false when another
// program holds the folder, after asking it to come to the front, or, where it cannot be
// asked, after saying "QelMap is already running in this game folder". A folder that cannot
// be locked at all (no flock on its file system) is played in as before.
bool SpielordnerSperren();
