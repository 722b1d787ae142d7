// The surface copies with any rectangles: the scaled copy and the colour-keyed copy must give
// exactly the pixels of the plain per-pixel copy, in both pixel formats, however the
// rectangles lie across the edges of either surface. Rectangles near the ends of the integer
// range are copied too, where only staying inside the surfaces is checked.
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzHilfen.h"
#include "UKopieren.h"
#include "USurface.h"

namespace {

void Fuellen(TSurface& s, FuzzedDataProvider& fdp) {
    const std::uint32_t basis = fdp.ConsumeIntegral<std::uint32_t>();
    for (std::int32_t y = 0; y < s.Hoehe; ++y)
        for (std::int32_t x = 0; x < s.Breite; ++x)
            PixelSetzen(s, x, y, (x * 7 + y * 3) % 5 == 0 ? 0xFF00FFu : (basis + std::uint32_t(y * 977 + x * 131)) & 0xFFFFFF);
}

std::int32_t Koordinate(FuzzedDataProvider& fdp, bool extrem) {
    if (extrem) return fdp.ConsumeIntegral<std::int32_t>();
    return fdp.ConsumeIntegralInRange<std::int32_t>(-90, 160);
}

TRect Rechteck(FuzzedDataProvider& fdp, bool extrem) {
    return TRect{Koordinate(fdp, extrem), Koordinate(fdp, extrem), Koordinate(fdp, extrem), Koordinate(fdp, extrem)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t laenge) {
    FuzzedDataProvider fdp(daten, laenge);
    const std::int32_t bits = fdp.ConsumeBool() ? 16 : 32;
    TSurface ziel, quelle;
    if (SurfaceErzeugen(ziel, fdp.ConsumeIntegralInRange<std::int32_t>(1, 70), fdp.ConsumeIntegralInRange<std::int32_t>(1, 50),
                        bits) != erOK ||
        SurfaceErzeugen(quelle, fdp.ConsumeIntegralInRange<std::int32_t>(1, 70),
                        fdp.ConsumeIntegralInRange<std::int32_t>(1, 50), bits) != erOK)
        return 0;
    Fuellen(ziel, fdp);
    Fuellen(quelle, fdp);
    if (fdp.ConsumeBool()) SurfaceFarbschluesselSetzen(quelle, PixelWert(bits, 0xFF00FF));
    const bool extrem = fdp.ConsumeIntegralInRange<int>(0, 7) == 0;
    const bool schnell = fdp.ConsumeBool();

    TSurface erwartet = ziel;
    if (schnell) {
        const std::int32_t x = Koordinate(fdp, extrem), y = Koordinate(fdp, extrem);
        const TRect q = Rechteck(fdp, extrem);
        FUZZ_PRUEFEN(ziel.BltFast(x, y, &quelle, q) == erOK, "BltFast failed");
        if (extrem) return 0;
        const TRect z{x, y, x + (q.Right - q.Left), y + (q.Bottom - q.Top)};
        BltReferenz(erwartet, z, quelle, q, true);
    } else {
        const TRect z = Rechteck(fdp, extrem), q = Rechteck(fdp, extrem);
        FUZZ_PRUEFEN(ziel.Blt(z, &quelle, q) == erOK, "Blt failed");
        if (extrem) return 0;
        BltReferenz(erwartet, z, quelle, q, false);
    }
    FUZZ_PRUEFEN(ziel.Pixel == erwartet.Pixel, "the copy differs from the per-pixel copy");
    return 0;
}
