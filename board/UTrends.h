#pragma once
// The figures of a game over its turns: per map file the income and unit values of every
// power and both sides, as the tallies count them, and the Axis income against the alert.
#include <cstdint>
#include <string>
#include <vector>

#include "UZuege.h"

// The Axis income from which the alert light is red and blinks.
constexpr std::uint32_t AlarmSchwelle = 84;

// Rows of a trend in the order of play, then the sides.
constexpr int TrendZeilen = 7;
constexpr int TrendAllies = 5, TrendAxis = 6;
extern const char* const TrendNamen[TrendZeilen];  // "Russia" .. "United States", "Allies", "Axis"

struct TTrend {
    std::string Datei;
    bool IstZug;  // the file is named as a turn; Zug is then its round and power
    TZug Zug;
    std::uint32_t Income[TrendZeilen], Land[TrendZeilen], Sea[TrendZeilen], All[TrendZeilen];
    std::uint32_t AxisIncome;  // = Income[TrendAxis]
    int AlarmAn, AlarmAus;     // alert level with the blink phase on and off (0: none)
};

// The figures of each file, in the order given, counted with the sector table as it is. The
// piece list and Spielstand are left as they were, also when a file is refused: that raises
// EDateiFehler naming it.
std::vector<TTrend> TrendsBerechnen(const std::vector<std::string>& dateien);
// The same for a game shown: a file refused is left out of the figures and its message, which
// names it, added to abgelehnt, so that one bad file does not hide the turns that can be read.
std::vector<TTrend> TrendsBerechnen(const std::vector<std::string>& dateien, std::vector<std::string>& abgelehnt);
