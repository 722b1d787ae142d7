#pragma once
// The copies between surfaces, TSurface::Blt and TSurface::BltFast: placed and cut once per
// copy, then row by row, scaled nearest-neighbour or leaving out the colour key, with the
// widest vectors the processor has.
#include <cstdint>

#include "USurface.h"

// The widest vectors the copies may use where the processor has them: 512 (AVX-512), 256
// (AVX2) or 128 (SSE2). Tests lower it to check every path against the same oracle.
extern std::int32_t SurfaceVektorBits;

// The plain per-pixel copy that Blt (mitSchluessel false) and BltFast (true, z of the
// size of q) must match exactly; kept as the oracle of their tests.
TErgebnis BltReferenz(TSurface& ziel, const TRect& z, const TSurface& quelle, const TRect& q, bool mitSchluessel);
