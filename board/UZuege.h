#pragma once
// A game across turns: the names of turn files, their order of play in a folder, and the
// map list that the previous-map and next-map buttons step through.
//
// A turn file is a map file whose name (without folder) reads
//     "Round" <round> [<power number>] [<power name>] [anything else] ".map"
// in any letter case, the parts apart by spaces, "-", "_" or ".". The round is a number of
// up to 9 digits; the power is the number 1..5 in the order of play (Russia, Germany,
// United Kingdom, Japan, United States) or, without a number, the power's name ("UK", "US"
// and "USA" count too). The power is the one whose turn the file ends. The files of a
// folder are in order of play by round (as a number: round 9 before round 10), then power;
// a file with a round but no power is the start of its round and comes before its Russia.
// Files of the same round and power, whatever else their names say, go by their names byte
// for byte. So "Round 03 - 2 Germany.map", "round 3 germany.map" and
// "Round 03 - 2 Germany (after the battle).map" are all Germany's turn of round 3.
#include <cstdint>
#include <string>
#include <vector>

#include "UVariablen.h"

struct TZug {
    std::int32_t Runde;  // 0 .. 999999999
    TBesitzer Macht;     // 1..5, or 0 for the start of the round
};

// The turn a file name stands for; false when it is no turn file. A folder part is ignored.
bool ZugAusName(const std::string& dateiname, TZug& zug);
// "Round 03 - 2 Germany.map" (the round with at least two digits).
std::string ZugName(TZug zug);
// The turn after zug: the next power of the round, after the United States the next round's
// Russia; after the start of a round, its Russia.
TZug NaechsterZug(TZug zug);
// True when a is played before b (by round, then power, then by name).
bool ZugVor(const std::string& a, const std::string& b);

// The turn files of a folder in order of play, as paths in that folder. A folder that cannot
// be read has none.
std::vector<std::string> ZugDateien(const std::string& ordner);
// The folder of a map name: its folder part made absolute ("Start" is in the current folder).
std::string MapOrdner(const std::string& mapName);
// The file "save turn" proposes for the position: in the folder of MapName, the turn after
// the last turn file there, "Round 01 - 1 Russia.map" when there is none.
std::string ZugVorschlag();
// Writes the position as a turn file (crash-safe, as every save), then MapName := datei, the
// tallies and the map list follow. A failed write raises EDateiFehler and changes nothing.
void ZugSpeichern(const std::string& datei);

// ---- The map list --------------------------------------------------------------------------
// MapListe[i - 1] is entry i of 1..MapAnzahl; AktuelleMap is the entry shown, 0 for none (the
// shown map is no turn file of its folder, or the list is empty).
extern std::vector<std::string> MapListe;
extern int MapAnzahl, AktuelleMap;
// Fills the list with the turn files of the folder of MapName and points AktuelleMap at
// MapName's entry (a shown map whose file has gone: the entry of its turn). Called after every
// load and save, and again whenever the folder changes.
void MapListeFuellen();
// Empties the list (MapAnzahl = AktuelleMap = 0).
void MapListeLeeren();
// MapName is no longer the map the list was filled or stepped for (a load, an undone step):
// the list is to be filled anew.
bool MapListeVeraltet();
// Step to the entry after or before AktuelleMap, loaded as "load map" loads: the piece list,
// MapName := the entry's path, the tallies. At the end of the list (AktuelleMap = MapAnzahl)
// and at its start (AktuelleMap < 2) nothing happens; with the list empty both return at once.
// A file that is refused raises EDateiFehler naming it and changes nothing.
void NaechsteMap();
void VorherigeMap();
