#pragma once
// The game tallies: income and unit values per power and side, their hint texts, and the
// Axis alert level. Computed from a sector table and a list of stacks alone.
#include <cstdint>
#include <string>

#include "UVariablen.h"

struct TSpielstand {
    std::uint32_t Income[6];     // per power 1..5 (index 0 unused)
    std::uint32_t LandUnits[6];
    std::uint32_t SeaUnits[6];
    std::uint32_t AllUnits[6];
    std::uint32_t AlliesIncome, AxisIncome;
    std::uint32_t AlliesLandUnits, AlliesSeaUnits, AlliesAllUnits;
    std::uint32_t AxisLandUnits, AxisSeaUnits, AxisAllUnits;
    // Land, sea and all texts: for each power 1..5 at 3(p-1)+0..2, then the Allies at 15..17,
    // then the Axis at 18..20.
    std::string UnitHints[21];
    // Who collects each sector's income: the first power in owner order with a flag there,
    // else the start owner as the table has it (0 neutral; a code above 5 collects nothing).
    std::uint8_t Halter[SetzSektoren + 1];  // entry 0 unused
};

extern TSpielstand Spielstand;

enum THinweis { hwLand = 0, hwSea = 1, hwAll = 2 };
constexpr int HinweisAllies = 15;
constexpr int HinweisAxis = 18;
inline int HinweisIndex(int power, THinweis art) { return 3 * (power - 1) + art; }

// Counts the stacks 1..anzahl with the sector table (1..130) into st, rewriting it whole.
void SpielstandBerechnen(TSpielstand& st, const TEinheit* einheiten, std::int32_t anzahl, const TSektor* sektoren);
// The piece list and the sector table into Spielstand.
void SpielstandBerechnen();
// SpielstandBerechnen, then the window is told (the game information window shows them).
void SpielstandAktualisieren();

// Alert level 1..5 for an Axis income and blink phase, 0 for none (151 and above).
int AxisAlertLevel(std::uint32_t axisIncome, bool blinkPhase);
