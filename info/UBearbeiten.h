#pragma once
// The Edit menu below the window: undo and redo with what the board needs after them, and
// the steps in words for the menu, the "edits" window and the clipboard.
#include <string>

// The words of step i (0 the oldest kept): its line in the log ("Germany: 3 Armor Ukraine ->
// Caucasus") and the name the menu gives it ("Germany -10 Infantry in Eastern United States").
std::string SchrittZeile(int i);
std::string SchrittName(int i);
// Whether the menu's rows are enabled: undo also while units are carried (it puts them back).
bool EditRueckgaengigMoeglich();
bool EditWiederholenMoeglich();
// The menu rows: "undo", or "undo: " and the name of the step undo takes; "redo" likewise.
// While units are carried: "undo: put back Germany 3 Armor in Ukraine", and "redo".
std::string RueckgaengigText();
std::string WiederholenText();
// The log shows steps 0..SchritteAnzahl()-1 and marks the one undo takes; -1 marks none.
int EditLogMarke();
// The steps done, one a line: plain text, and a numbered markdown list for a forum.
std::string EditLogText();
std::string EditLogMarkdown();

// Undo (Ctrl+Z): units in hand only go back where they were picked up, as no step; else the
// last step is undone. Redo (Ctrl+Y, Ctrl+Shift+Z). A click on line i of the log: a done line
// is undone together with every later one, an undone line redone with every earlier one.
// Each ends with NachSchrittwechsel when the board changed.
void EditRueckgaengig();
void EditWiederholen();
void EditBis(int zeile);
// What follows a change of the board by undo or redo: the tallies, the stack under the
// pointer, the caption and the whole view drawn anew. The window then writes the recovery
// file as after any command.
void NachSchrittwechsel();
