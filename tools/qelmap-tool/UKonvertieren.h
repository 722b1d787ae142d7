#pragma once
// The JSON form of map and sector files, from bytes to bytes.
#include <cstdint>
#include <string>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

// The JSON text of the bytes of a map file (map) or sector file. Bytes the program would
// refuse raise EDateiFehler naming datei.
std::string BinaerZuJson(const TBytes& d, const std::string& datei, bool map);
// The bytes of the file that a JSON text describes; EDateiFehler names datei and what is wrong.
TBytes JsonZuBinaer(const TBytes& json, const std::string& datei, bool map);
