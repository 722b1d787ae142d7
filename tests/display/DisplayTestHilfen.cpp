#include "DisplayTestHilfen.h"

#include <cstring>

#include "UBildaufbau.h"
#include "UBitmaps.h"
#include "UDDrawInit.h"
#include "UVariablen.h"

TBild MapMuster() {
    TBild b;
    b.Breite = MapBreite;
    b.Hoehe = MapHoehe;
    b.BitsProPixel = 32;
    b.Rgb.resize(std::size_t(b.Breite) * b.Hoehe);
    for (int y = 0; y < b.Hoehe; ++y)
        for (int x = 0; x < b.Breite; ++x) b.Rgb[std::size_t(y) * b.Breite + x] = MapFarbe(x, y);
    return b;
}

TBild PiecesMuster() {
    TBild b;
    b.Breite = 320;
    b.Hoehe = 200;
    b.BitsProPixel = 32;
    b.Rgb.resize(std::size_t(b.Breite) * b.Hoehe);
    for (int y = 0; y < b.Hoehe; ++y)
        for (int x = 0; x < b.Breite; ++x) b.Rgb[std::size_t(y) * b.Breite + x] = PiecesFarbe(x, y);
    return b;
}

void DisplayAufbauen(int bits, int breite, int hoehe, int desktopBreite, int desktopHoehe) {
    VariablenZuruecksetzen();
    CreateObjects(TAnzeigeModus{desktopBreite, desktopHoehe, bits});
    static const TBild map = MapMuster(), pieces = PiecesMuster();
    BildInSurface(*SurfaceMap, map, MapBreite, MapHoehe);
    BildInSurface(*SurfacePieces, pieces, 320, 200);
    PieceGeometrieSetzen(15, 10);
    ViewBreite = breite;
    ViewHoehe = hoehe;
    ViewMarkieren();  // the new front surface shows nothing yet
}

void BackLeeren() { SurfaceFuellen(*SurfaceBack, Rand); }

TModell::TModell() : Breite(SurfaceBack->Breite), Hoehe(SurfaceBack->Hoehe), Rgb(std::size_t(Breite) * Hoehe, Rand) {}

void TModell::KarteLegen() {
    const int qw = ViewBreite / Zoom, qh = ViewHoehe / Zoom;
    for (int y = 0; y < ViewHoehe; ++y)
        for (int x = 0; x < ViewBreite; ++x)
            At(x + 20, y + 20) = MapFarbe(ScrollX + x * qw / ViewBreite, ScrollY + y * qh / ViewHoehe);
}

void TModell::Legen(int x, int y, const TRect& q, bool keyed) {
    for (int j = q.Top; j < q.Bottom; ++j)
        for (int i = q.Left; i < q.Right; ++i) {
            const int bx = x + 20 + i - q.Left, by = y + 20 + j - q.Top;
            if (bx < 0 || by < 0 || bx >= Breite || by >= Hoehe) continue;
            const std::uint32_t p = PiecesFarbe(i, j);
            if (!keyed || p != Magenta) At(bx, by) = p;
        }
}

void TModell::Zeichen(int x, int y, char ch) {
    const int c = static_cast<unsigned char>(ch);
    if (c < 32 || c > 90 || c == 61) return;
    const int l = c <= 60 ? 11 * (c - 32) : 11 * (c - 62), t = c <= 60 ? 170 : 185;
    Legen(x, y, TRect{l, t, l + 11, t + 15}, true);
}

void TModell::Text(int x, int y, const char* s) {
    for (int i = 0; s[i]; ++i) {
        char c = s[i];
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        Zeichen(x + 11 * i, y, c);
    }
}

long Abweichung(const TModell& m) {
    for (int y = 0; y < m.Hoehe; ++y)
        for (int x = 0; x < m.Breite; ++x) {
            std::uint32_t soll = m.Rgb[std::size_t(y) * m.Breite + x];
            if (SurfaceBack->BitsProPixel == 16) soll = Rgb565Zurueck(Rgb565(soll));
            if (PixelLesen(*SurfaceBack, x, y) != soll) return long(y) * m.Breite + x;
        }
    return -1;
}
