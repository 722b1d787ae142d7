#pragma once
// The copy that leaves out the source pixels equal to its colour key (BltFast from a keyed
// surface): the pieces and characters over the map, with the widest vectors the processor has.
#include <cstdint>

#include "UKopieren.h"

// The widest vectors the copies may use where the processor has them: 512 (AVX-512), 256
// (AVX2) or 128 (SSE2). Tests lower it to check every path against the same oracle.
extern std::int32_t SurfaceVektorBits;

// The rows k gives, of 16-bit (std::uint16_t) or 32-bit (std::uint32_t) pixels, from quelle
// to ziel, leaving out the pixels equal to quelle's colour key.
template <typename T>
void MitSchluesselKopieren(TSurface& ziel, const TSurface& quelle, const TKlippung& k);
