#pragma once
// The bytes of a map or sector file from its JSON form, every field checked.
#include <string>

#include "UKonvertieren.h"

// The bytes of the file that a JSON text describes; EDateiFehler names datei and what is wrong.
TBytes JsonZuBinaer(const TBytes& json, const std::string& datei, bool map);
