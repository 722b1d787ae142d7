#include "USurface.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <new>

const char* ErgebnisText(TErgebnis e) {
    switch (e) {
        case erOK: return "The operation succeeded.";
        case erKeineSurface: return "A drawing surface needed for the operation has not been created.";
        case erFormat: return "The two drawing surfaces do not share one pixel format.";
        case erGroesse: return "A drawing surface must be at least one pixel wide and high.";
        case erKeinSpeicher: return "There is not enough memory for the drawing surface.";
        case erFarbtiefe: return "Only 16 and 32 bits per pixel are supported.";
        case erKeineAnwendung: return "The display is not available: no graphical application has been started.";
        case erKeinBildschirm: return "The display is not available: no screen was found.";
    }
    return "Unknown failure of the display layer.";
}

// ---- Creation and pixels ---------------------------------------------------------------------

TErgebnis SurfaceErzeugen(TSurface& s, std::int32_t breite, std::int32_t hoehe, std::int32_t bitsProPixel) {
    SurfaceFreigeben(s);
    if (bitsProPixel != 16 && bitsProPixel != 32) return erFarbtiefe;
    if (breite < 1 || hoehe < 1) return erGroesse;
    const std::int64_t abstand = static_cast<std::int64_t>(breite) * (bitsProPixel / 8);
    // Far beyond any picture or desktop; keeps the byte offsets well inside 32 bits per row.
    if (breite > 65536 || hoehe > 65536 || abstand * hoehe > (std::int64_t{1} << 31)) return erKeinSpeicher;
    try {
        s.Pixel.assign(static_cast<std::size_t>(abstand * hoehe), 0);
    } catch (const std::bad_alloc&) {
        s.Pixel = {};
        return erKeinSpeicher;
    }
    s.Breite = breite;
    s.Hoehe = hoehe;
    s.BitsProPixel = bitsProPixel;
    s.Abstand = static_cast<std::int32_t>(abstand);
    SurfaceFuellen(s, 0);
    return erOK;
}

void SurfaceFreigeben(TSurface& s) { s = TSurface{}; }

void SurfaceFarbschluesselSetzen(TSurface& s, std::uint32_t schluessel) {
    s.HatFarbschluessel = true;
    s.Farbschluessel = schluessel;
}

std::uint32_t PixelWert(std::int32_t bitsProPixel, std::uint32_t rgb) {
    return bitsProPixel == 16 ? Rgb565(rgb) : (0xFF000000u | (rgb & 0xFFFFFFu));
}

std::uint32_t PixelLesen(const TSurface& s, std::int32_t x, std::int32_t y) {
    if (s.BitsProPixel == 16) return Rgb565Zurueck(reinterpret_cast<const std::uint16_t*>(s.Zeile(y))[x]);
    return reinterpret_cast<const std::uint32_t*>(s.Zeile(y))[x] & 0xFFFFFFu;
}

void PixelSetzen(TSurface& s, std::int32_t x, std::int32_t y, std::uint32_t rgb) {
    if (s.BitsProPixel == 16)
        reinterpret_cast<std::uint16_t*>(s.Zeile(y))[x] = Rgb565(rgb);
    else
        reinterpret_cast<std::uint32_t*>(s.Zeile(y))[x] = PixelWert(32, rgb);
}

void SurfaceFuellen(TSurface& s, std::uint32_t rgb) {
    for (std::int32_t y = 0; y < s.Hoehe; ++y) {
        if (s.BitsProPixel == 16)
            std::fill_n(reinterpret_cast<std::uint16_t*>(s.Zeile(y)), s.Breite, Rgb565(rgb));
        else
            std::fill_n(reinterpret_cast<std::uint32_t*>(s.Zeile(y)), s.Breite, PixelWert(32, rgb));
    }
}

TErgebnis BildInSurface(TSurface& ziel, const TBild& bild, std::int32_t breite, std::int32_t hoehe) {
    if (ziel.Pixel.empty()) return erKeineSurface;
    const std::int32_t w = std::min({breite, bild.Breite, ziel.Breite});
    const std::int32_t h = std::min({hoehe, bild.Hoehe, ziel.Hoehe});
    for (std::int32_t y = 0; y < h; ++y) {
        const std::uint32_t* q = bild.Rgb.data() + static_cast<std::size_t>(y) * bild.Breite;
        if (ziel.BitsProPixel == 16) {
            std::uint16_t* z = reinterpret_cast<std::uint16_t*>(ziel.Zeile(y));
            for (std::int32_t x = 0; x < w; ++x) z[x] = Rgb565(q[x]);
        } else {
            std::uint32_t* z = reinterpret_cast<std::uint32_t*>(ziel.Zeile(y));
            for (std::int32_t x = 0; x < w; ++x) z[x] = 0xFF000000u | q[x];
        }
    }
    return erOK;
}

// ---- Display mode ----------------------------------------------------------------------------

TErgebnis AnzeigePruefen() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? erOK : erKeineAnwendung;
}

TErgebnis AnzeigeModusLesen(TAnzeigeModus& modus) {
    if (TErgebnis e = AnzeigePruefen()) return e;
    QScreen* schirm = QGuiApplication::primaryScreen();
    if (!schirm) return erKeinBildschirm;
    const QRect g = schirm->geometry();
    modus.Breite = g.width();
    modus.Hoehe = g.height();
    modus.BitsProPixel = schirm->depth();
    return erOK;
}
