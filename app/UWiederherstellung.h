#pragma once
// Recovery files: what the piece list and the sector table hold beyond the last file command
// is kept in the current directory, so that a slip (exit, the close box, the end of the
// desktop session) loses nothing. The files the player named, Start.map among them, are
// written only by the file commands.
#include <string>

extern const char* const WiederherstellungMap;  // "Wiederherstellung.map"
extern const char* const WiederherstellungSek;  // "Wiederherstellung.sek"

// At start, before the first change: recovery files an earlier run left are renamed to a
// name with their date, so that this run never writes over them. Gives the new names, one a
// line, or an empty text when there were none. A file that cannot be renamed stays, named.
std::string AlteWiederherstellungenSichern();

// The piece list, or the sector table, now equals the file a file command read or wrote.
// The recovery file itself counts as unsaved: its content is kept on.
void MapGesichert(const std::string& datei);
void SektorenGesichert(const std::string& datei);

// Writes the recovery file of each table that differs from what the file commands last read
// or wrote, and removes this run's recovery file of a table that no longer differs. The
// writes are crash-safe; a failure raises EDateiFehler naming the file.
void WiederherstellungSchreiben();
