#pragma once
// The Edit menu: "undo" and "redo", each naming the step it takes, and the Windows menu's
// "edits" window.
#include <QString>
#include <string>

struct TMenuTabelle;

extern const TMenuTabelle EditMenue;

// The rows' enabled states and texts, and the edits window's lines, as the history stands.
void EditAnzeigen();

// The words of a step for the screen: a file's name as the system spells it (UTF-8), a
// sector's name as the sector file holds it (Latin-1).
QString SchrittText(const std::string& worte);
