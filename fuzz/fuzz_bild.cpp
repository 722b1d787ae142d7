// Picture reading on any bytes: a picture either fails with an error naming it or comes with
// exactly width x height pixels. As the sector index picture, every pixel is looked up with
// SektorAn and must give its red byte; points outside it, infinities and NaN give 255. The
// picture is also copied into surfaces of both depths as the display does.
#include <QtGlobal>
#include <cmath>
#include <limits>

#include "FuzzHilfen.h"
#include "UBild.h"
#include "UFehler.h"
#include "USurface.h"
#include "UVariablen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t laenge) {
    // Qt warns about every broken picture; the warnings would fill the log and slow the runs.
    static const bool still = (qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {}), true);
    (void)still;
    TBild bild;
    try {
        BildAusBytes(bild, daten, laenge, "fuzz.bmp");
    } catch (const EDateiFehler& e) {
        FUZZ_PRUEFEN(std::string(e.what()).find("fuzz.bmp") != std::string::npos, e.what());
        return 0;
    }
    FUZZ_PRUEFEN(bild.Breite > 0 && bild.Hoehe > 0, "a picture without pixels was accepted");
    FUZZ_PRUEFEN(bild.Rgb.size() == static_cast<std::size_t>(bild.Breite) * bild.Hoehe, "pixel count differs from the size");
    for (std::uint32_t p : bild.Rgb) FUZZ_PRUEFEN(p <= 0xFFFFFFu, "a pixel beyond 24 bits");

    for (std::int32_t bits : {16, 32}) {
        TSurface s;
        if (SurfaceErzeugen(s, 97, 61, bits) != erOK) continue;
        BildInSurface(s, bild, MapBreite, MapHoehe);
    }

    SektorBild = std::move(bild);
    SektorBildGeladen = true;
    const TBild& b = SektorBild;
    // Large pictures are sampled so that one run stays short.
    const std::int32_t schritt = static_cast<std::int64_t>(b.Breite) * b.Hoehe > (1 << 20) ? 7 : 1;
    for (std::int32_t y = 0; y < b.Hoehe; y += schritt)
        for (std::int32_t x = 0; x < b.Breite; x += schritt) {
            const std::uint8_t s = SektorAn(MapPunkt(x, y));
            FUZZ_PRUEFEN(s == BildRot(b, x, y), "SektorAn differs from the pixel's red byte");
            FUZZ_PRUEFEN(SektorAn(MapPunkt(x + 0.25, y - 0.25)) == s, "a point near a pixel centre gives another sector");
        }
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    const TMapPunkt draussen[] = {{-1, 0},       {0, -1},       {double(b.Breite), 0}, {0, double(b.Hoehe)},
                                  {-0.51, 0},    {nan, 0},      {0, nan},              {inf, 0},
                                  {-inf, -inf},  {1e300, 1e300}, {-1e300, 5},          {4294967296.0, 0}};
    for (const TMapPunkt& m : draussen) FUZZ_PRUEFEN(SektorAn(m) == 255, "a point outside the picture has a sector");
    SektorBild = TBild{};
    SektorBildGeladen = false;
    return 0;
}
