#pragma once
// Two positions compared by the tallies' rules: what diff prints and render --changes marks.
#include <cstdint>
#include <string>

#include "UDateien.h"
#include "USpielstand.h"
#include "UVariablen.h"

constexpr int SektorBytes = 256;  // every sector byte of a stack is a sector of its own

struct TStellung {
    TMapDaten Map;
    TSpielstand Stand;
    // Pieces per owner, sector byte and kind, summed over every stack with them.
    std::uint32_t Anzahl[BesitzerAnzahl + 1][SektorBytes][ArtenAnzahl + 1];
};

// Counts both positions with the sector table.
void Vergleichen(TStellung& alt, TStellung& neu);

// Sector s changed hands (1..127) or its units changed (any owner, any kind).
bool BesitzGeaendert(const TStellung& alt, const TStellung& neu, int s);
bool EinheitenGeaendert(const TStellung& alt, const TStellung& neu, int s);

// What diff prints for two map files, counted with the sector table as it is; true when they
// differ. A file the program would refuse raises EDateiFehler naming it.
enum TDiffArt { daText, daMarkdown, daJson };
bool DiffBericht(const std::string& alt, const std::string& neu, TDiffArt art, std::string& bericht);
// The same for two positions at hand, named alt and neu in the report.
bool DiffBericht(const TMapDaten& altMap, const TMapDaten& neuMap, const std::string& alt, const std::string& neu,
                 TDiffArt art, std::string& bericht);
