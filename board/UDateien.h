#pragma once
// Map, sector and settings files.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "UVariablen.h"

// Each file is read in two steps: its bytes are parsed into a plain record, whole or not at
// all, and only a record that was read whole is put into the board's tables.

#include "UFenster.h"
#include "UZuege.h"

// Each reader refuses a file larger than its limit at once: far above any real file of its
// kind, far below the memory of a small machine.

// ---- Map files ----------------------------------------------------------------------------
constexpr std::size_t MapDateiGrenze = 1 << 20;  // the largest map has 24,004 bytes
// A position as a map file holds it.
struct TMapDaten {
    std::int32_t Anzahl = 0;
    TEinheit Einheiten[MaxEinheiten + 1];  // 1..Anzahl, as the piece list; entry 0 is unused
};
// Parses the bytes of a map file. A file that is too short or announces a count outside
// 0..1000 raises EDateiFehler naming datei and leaves map as it was. Bytes after the last
// announced stack are ignored.
void MapParsen(const std::uint8_t* daten, std::size_t laenge, const std::string& datei, TMapDaten& map);
// Reads and parses a map file, with the same checks and messages.
void MapDateiLesen(const std::string& datei, TMapDaten& map);
// Puts the stacks into the piece list.
void MapUebernehmen(const TMapDaten& map);
// The bytes of a map file holding stacks 1..anzahl of stapel (a table numbered from 1).
std::vector<std::uint8_t> MapBytes(std::int32_t anzahl, const TEinheit* stapel);

// Replaces the piece list with the file's stacks; a refused file leaves it exactly as it was.
void MapLaden(const std::string& datei);
// Writes the piece list; on failure the previous file stays intact.
void MapSpeichern(const std::string& datei);
// The file "save map" writes for a map name: the extension of the file-name part replaced
// by ".map", or ".map" appended when there is none.
std::string MapSpeichernName(const std::string& mapName);
// The list of maps and the steps through it are the turns' (UZuege).

// ---- Sector files -------------------------------------------------------------------------
constexpr int SektorDateiGroesse = 9880;
constexpr std::size_t SektorDateiGrenze = 1 << 20;
struct TSektorDaten {
    TSektor Sektoren[SektorenAnzahl + 1];  // 1..130, as the sector table; entry 0 is unused
};
// Parses the first 9880 bytes; a shorter file raises EDateiFehler naming datei and leaves
// daten as it was. Bytes beyond 9880 are ignored.
void SektorenParsen(const std::uint8_t* bytes, std::size_t laenge, const std::string& datei, TSektorDaten& daten);
void SektorDateiLesen(const std::string& datei, TSektorDaten& daten);
void SektorenUebernehmen(const TSektorDaten& daten);

// Reads the file into the sector table and recomputes the tallies; a refused file leaves the
// table as it was.
void SektorenLaden(const std::string& datei);
void SektorenSpeichern(const std::string& datei);

// ---- Settings file ------------------------------------------------------------------------
// The main window's place without a settings file; the tool windows' is (0, 0).
constexpr TFensterPlatz HauptfensterVorgabe = {0, 0, 400, 640};
extern TFensterPlatz FensterPlaetze[FensterAnzahl];

// Every value of the settings file, in the order of its table.
constexpr int OptionenAnzahl = 12;
struct TEinstellungen {
    TFensterPlatz Plaetze[FensterAnzahl];
    // ICPsAnzeigen .. GameCenter, then HalterAnzeigen, AenderungenAnzeigen, EditsOffen, SchlachtOffen
    bool Optionen[OptionenAnzahl];
    std::uint8_t SchlachtSektor;
};
// The values in the text of a settings file; a missing section or key, or a value that is no
// integer, gives the key's default (so an empty text gives all the defaults).
void EinstellungenParsen(const std::uint8_t* daten, std::size_t laenge, TEinstellungen& e);
// Puts the values into FensterPlaetze, the option and window flags and the windows.
void EinstellungenUebernehmen(const TEinstellungen& e);
// The current values from the windows and flags.
TEinstellungen EinstellungenErfassen();
// The text of a settings file: the previous text (its other lines kept) with every key set.
std::string EinstellungenText(const std::uint8_t* vorher, std::size_t laenge, const TEinstellungen& e);

// Current directory joined with "QelWin.INI".
std::string EinstellungenPfad();
// Reads every key (missing or unreadable file, section or key: the defaults) and applies it.
void EinstellungenLaden();
// Writes every key in the order of the table, the file's other lines kept; raises EDateiFehler
// naming the file on failure, the previous file then left as it was.
void EinstellungenSpeichern();
// Integer parsing of the settings: decimal with sign, or hexadecimal after "$", "0x", "0X".
bool EinstellungZahl(const std::string& text, long long& wert);
