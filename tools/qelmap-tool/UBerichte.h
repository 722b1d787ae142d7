#pragma once
// What tally prints, for the commands that print the same figures (diff).
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

using Json = nlohmann::ordered_json;

struct TZeile {
    const char* Name;
    std::uint32_t Income, Land, Sea, All;
    int Hinweis;  // index of the land hint; sea and all follow
};
// Index of the two side rows in Zeilen().
constexpr std::size_t ZeileAllies = 3, ZeileAxis = 6;

// The rows of Spielstand in the order of the game information window, each side after its powers.
std::vector<TZeile> Zeilen();
// An alert level as JSON (null for none) and as words ("2 (yellow)", "none").
Json StufeJson(int stufe);
const char* StufeText(int stufe);
// The alert level of an Axis income as tally words it: "1 (green)", or both blink phases
// ("4 (red) and 5 (dark red), blinking").
std::string AlarmText(std::uint32_t axisIncome);
// wert right-aligned in breite columns.
std::string Rechts(const std::string& wert, std::size_t breite);
