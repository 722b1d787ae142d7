#pragma once
// Running the built tool and writing the small boards it is run on.
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

#include "UVariablen.h"

struct TLauf {
    int Status = -1;
    std::string Aus;     // standard output
    std::string Fehler;  // standard error
};

// Runs qelmap-tool with the arguments in the folder and waits for it.
TLauf Werkzeug(const std::string& ordner, const QStringList& argumente);

// Runs a shell command line in the folder, with the tool as "$TOOL" (for limits, redirections
// and file names that are no UTF-8).
TLauf Shell(const std::string& ordner, const std::string& befehl);

// The lines of a text, without their line ends.
std::vector<std::string> Zeilen(const std::string& text);

// A sector record with the given fields; every other byte zero.
TSektor SektorRecord(const char* name, TBesitzer start, std::uint8_t icps, bool land = true, std::int32_t hx = 0,
                     std::int32_t hy = 0);
// Writes 130 records: the given ones first, the rest named "S<n>", neutral, 0 ICPs, hot spot (1, 1).
void SektorDateiSchreiben(const std::string& pfad, std::vector<TSektor> sektoren);

TEinheit Stack(double x, double y, TEinheitArt art, TBesitzer besitzer, std::uint16_t anzahl, std::uint8_t sektor);
void MapDateiSchreiben(const std::string& pfad, const std::vector<TEinheit>& stapel);

// An 8-bit grey sector picture of the map's size (as the program's file is): column x belongs
// to sector 1 + x / 100 (1..16), except row 0, which is border (0).
void SektorBildSchreiben(const std::string& pfad);
// The sector that picture has at the pixel (x, y).
std::uint8_t TestSektorAn(int x, int y);
