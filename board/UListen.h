#pragma once
// The texts of the unit list and the sector list, line by line.
#include <string>
#include <vector>

std::vector<std::string> UnitListeZeilen(bool flaggen, bool industrie, bool flak);
std::vector<std::string> SektorenListeZeilen();
