#pragma once
// Map, sector and settings files.
#include <string>

#include "UFenster.h"

// ---- Map files ----------------------------------------------------------------------------
// Replaces the piece list with the file's stacks. The file is checked whole first; a file
// that is too short or announces a count outside 0..1000 raises EDateiFehler and leaves the
// piece list exactly as it was. Bytes after the last announced stack are ignored.
void MapLaden(const std::string& datei);
// Writes the piece list; on failure the previous file stays intact.
void MapSpeichern(const std::string& datei);
// The file "save map" writes for a map name: the extension of the file-name part replaced
// by ".map", or ".map" appended when there is none.
std::string MapSpeichernName(const std::string& mapName);
// Stepping through the list of maps, which nothing fills: both return at once.
extern int MapAnzahl, AktuelleMap;
void NaechsteMap();
void VorherigeMap();

// ---- Sector files -------------------------------------------------------------------------
constexpr int SektorDateiGroesse = 9880;
// Reads 9880 bytes into the sector table. A shorter file raises EDateiFehler and leaves the
// table as it was; bytes beyond 9880 are ignored.
void SektorenLaden(const std::string& datei);
void SektorenSpeichern(const std::string& datei);

// ---- Settings file ------------------------------------------------------------------------
extern TFensterPlatz FensterPlaetze[4];

// Current directory joined with "QelWin.INI".
std::string EinstellungenPfad();
// Reads every key (missing file, section or key: the defaults) and applies it.
void EinstellungenLaden();
// Writes every key in the order of the table; raises EDateiFehler naming the file on failure.
void EinstellungenSpeichern();
// Integer parsing of the settings: decimal with sign, or hexadecimal after "$", "0x", "0X".
bool EinstellungZahl(const std::string& text, long long& wert);
