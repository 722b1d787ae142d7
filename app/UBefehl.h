#pragma once
// Running a command of the window: an error ends the command and is shown, and the program
// carries on; a command that may change the board has the recovery files follow it.
#include <exception>
#include <functional>

class QObject;
class QWidget;

// Names the error in a message box and on standard error.
void FehlerMelden(QWidget* eltern, const std::exception& e);

// Writes the recovery files a moment after a command or a press that may have changed the
// board, never inside the frame of the event itself. SicherungsUhrErzeugen makes the timer
// that does it, bound to the given window.
void SicherungsUhrErzeugen(QObject* eltern);
void SicherungAnstossen();
void SicherungAnhalten();
// A write still waiting for its moment is done now (before units are picked up: while they
// are in hand the file keeps the state before the pick-up, every edit before it included).
void SicherungVorziehen();

// Runs a command with these rules.
void Befehl(const std::function<void()>& f, bool aendertBrett = true);

// A command of the menus, the tool bar or the popup may change anything the view shows: it
// runs as Befehl, and then the whole view is drawn anew, so its result shows at once. Units
// in hand go back where they were picked up before it runs, as Escape puts them back (no
// step), unless the command deals with them itself (getragene false: undo).
void Kommando(const std::function<void()>& f, bool getragene = true);
