#pragma once
// A small synthetic board for the tests: a sector picture in which each rectangle belongs
// to one sector, and helpers to fill the tables.
#include <cstring>
#include "UVariablen.h"

// A 200 x 100 sector picture: column x belongs to sector 1 + x / 10 (1..20), row 0 and
// column 199 are border (0), everything below row 90 is outside (255).
inline void TestSektorBild() {
    SektorBild.Breite = 200;
    SektorBild.Hoehe = 100;
    SektorBild.BitsProPixel = 8;
    SektorBild.Rgb.assign(200 * 100, 0);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            std::uint32_t s = y == 0 || x == 199 ? 0 : y >= 90 ? 255 : 1 + x / 10;
            SektorBild.Rgb[y * 200 + x] = s << 16 | s << 8 | s;
        }
    SektorBildGeladen = true;
}

// The sector picture's pixel (x, y) set to sector s.
inline void SektorPixel(int x, int y, std::uint32_t s) { SektorBild.Rgb[y * SektorBild.Breite + x] = s << 16 | s << 8 | s; }

inline void Sektor(int s, const char* name, TBesitzer start, std::uint8_t icps, bool land = true) {
    std::memset(&Sektoren[s], 0, sizeof(TSektor));
    SektorNameSetzen(Sektoren[s], name);
    Sektoren[s].StartBesitzer = start;
    Sektoren[s].ICPs = icps;
    Sektoren[s].Land = land ? 1 : 0;
}

inline void Stapel(std::uint8_t sektor, TEinheitArt art, TBesitzer besitzer, std::uint16_t anzahl, double x = 0,
                   double y = 0) {
    ++EinheitenAnzahl;
    Einheiten[EinheitenAnzahl] = TEinheit{x, y, art, besitzer, anzahl, sektor, {0, 0, 0}};
}
