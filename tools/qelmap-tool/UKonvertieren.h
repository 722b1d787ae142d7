#pragma once
// The JSON form of map and sector files, from bytes to bytes; the way back is UJsonLeser's.
#include <cstdint>
#include <string>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

// The "format" of the JSON of a map file and of a sector file.
constexpr const char* FormatMap = "qelmap map";
constexpr const char* FormatSektoren = "qelmap sectors";

// The JSON text of the bytes of a map file (map) or sector file. Bytes the program would
// refuse raise EDateiFehler naming datei.
std::string BinaerZuJson(const TBytes& d, const std::string& datei, bool map);
