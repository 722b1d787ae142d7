#pragma once
// Start-up and shutdown: the windows, Initialisieren, the close of the main window, the end
// of the desktop session, and the program as a whole.

// Creates the twelve windows in their order; FensterFreigeben deletes them again.
void FensterErzeugen();
void FensterFreigeben();
// Brings the system from the created windows to the first frame; a file error raises.
void Initialisieren();
// The close of the main window: recovery files, display objects, settings.
void FormClose();
// The state of one run, cleared when the main window is made.
void StartZuruecksetzen();
// Windows and start-up. An error is shown in a message box naming the file and written to
// standard error; the result is then false and the main window stays hidden.
bool Starten();
// Shows the main window after a start, then the floating windows the settings reopen, so
// that they come up in front of it.
void HauptfensterZeigen();
// The whole program: title, windows, start-up, event loop. Returns the exit status.
int Programm();
