#pragma once
// The copies between surfaces, TSurface::Blt and TSurface::BltFast: placed and cut once per
// copy, then row by row, scaled nearest-neighbour or (UFarbschluessel) leaving out the
// colour key.
#include <cstdint>

#include "USurface.h"

// A copy as placed and cut, axis by axis: the offsets it writes and its two rectangles.
struct TAchse {
    std::int64_t Lo, Hi;   // offsets [Lo, Hi) to copy
    std::int64_t Z0, Q0;   // left (top) edge of the destination and source rectangles
    std::int64_t Zn, Qn;   // their widths (heights)
};

struct TKlippung {
    TAchse X, Y;
};

// The plain per-pixel copy that Blt (mitSchluessel false) and BltFast (true, z of the
// size of q) must match exactly; kept as the oracle of their tests.
TErgebnis BltReferenz(TSurface& ziel, const TRect& z, const TSurface& quelle, const TRect& q, bool mitSchluessel);
