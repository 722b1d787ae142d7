#pragma once
// A game across turns in the window: "save turn", the previous-map and next-map buttons (each
// step one undoable "load map"), the changes of the shown turn marked on the map and told in
// the turn window, the trends window, and File > recent.
#include <string>
#include <vector>

struct TMenuTabelle;
class TMapForm;

// The recent list's submenu, the buttons' keys and state; once, after the menus are made.
void ZugBefehleEinrichten(TMapForm* f);

// After every load or save of a map: datei (empty: none written or read) goes to the top of
// the recent list, the map list is filled anew, the buttons follow it and the shown turn is
// compared with the turn before.
void MapGewechselt(const std::string& datei);

// The position changed (every edit, undo and redo, load and step; the tallies' event): the
// marks on the map and the turn window follow it against the turn before the shown turn,
// whose file is read once per shown turn.
void ZugStellungGeaendert();

// The proposal of "save turn"; writes it as the turn file datei (asks before overwriting).
void ZugDateiSpeichern(const std::string& datei);
// Shows entry i (1..MapAnzahl) of the map list as one undoable step.
void MapEintragZeigen(int eintrag);
void ZugZurueck();
void ZugVor();

// The recent list, newest first, at most ZuletztAnzahl; kept in QelWin.INI.
constexpr int ZuletztAnzahl = 8;
const std::vector<std::string>& ZuletztListe();

extern const TMenuTabelle ZugMenue;
