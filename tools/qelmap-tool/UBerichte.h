#pragma once
// What tally prints, for the commands that print the same figures (diff).
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "UVergleich.h"

using Json = nlohmann::ordered_json;

// An alert level as JSON (null for none); the rows, the words and the diff text are the
// board's (UVergleich).
Json StufeJson(int stufe);
// The alert level of an Axis income as tally words it: "1 (green)", or both blink phases
// ("4 (red) and 5 (dark red), blinking").
std::string AlarmText(std::uint32_t axisIncome);

// What diff prints for two map files, counted with the sector table as it is; true when they
// differ. A file the program would refuse raises EDateiFehler naming it.
enum TDiffArt { daText, daMarkdown, daJson };
bool DiffBericht(const std::string& alt, const std::string& neu, TDiffArt art, std::string& bericht);
// The same for two positions at hand, named alt and neu in the report.
bool DiffBericht(const TMapDaten& altMap, const TMapDaten& neuMap, const std::string& alt, const std::string& neu,
                 TDiffArt art, std::string& bericht);
