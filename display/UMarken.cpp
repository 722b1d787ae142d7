#include "UMarken.h"

#include <algorithm>
#include <vector>

#include "UBildaufbau.h"
#include "UDDrawInit.h"
#include "UGrafik.h"
#include "UVariablen.h"

std::uint32_t Markierung[SektorBytes];
bool Markiert = false;

bool MarkierungenSetzen(const TStellung& alt, const TStellung& neu) {
    // Set again after every edit: the view is drawn anew only when a mark came, went or
    // changed its colour.
    bool anders = false;
    Markiert = false;
    for (int s = 0; s < SektorBytes; ++s) {
        const std::uint32_t farbe =
            BesitzGeaendert(alt, neu, s) ? FarbeBesitz : EinheitenGeaendert(alt, neu, s) ? FarbeEinheiten : 0;
        anders |= farbe != Markierung[s];
        Markierung[s] = farbe;
        Markiert |= farbe != 0;
    }
    if (anders) ViewMarkieren();  // rings anywhere on the map
    return Markiert;
}

void MarkierungenLoeschen() {
    if (Markiert) ViewMarkieren();
    std::fill(std::begin(Markierung), std::end(Markierung), 0u);
    Markiert = false;
}

namespace {

// Per map pixel the distance (the larger of the two axis distances, edge pixels repeated
// beyond the picture) to the nearest pixel of another sector, RingBreite + 1 when farther.
// A square around a pixel holds another sector exactly when its smallest and largest sector
// numbers differ, and the square of one size more is the smaller one grown by a pixel, so
// three passes of a 3 x 3 minimum and maximum find every distance up to the ring's width.
std::vector<std::uint8_t> RandAbstand;
const std::uint32_t* AbstandBild = nullptr;  // the picture the distances belong to
int AbstandBreite = 0, AbstandHoehe = 0;

void Wachsen(std::vector<std::uint8_t>& v, int b, int h, bool maximum, std::vector<std::uint8_t>& hilf) {
    auto w = [maximum](std::uint8_t a, std::uint8_t c) { return maximum ? std::max(a, c) : std::min(a, c); };
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* z = &v[static_cast<std::size_t>(y) * b];
        std::uint8_t* ziel = &hilf[static_cast<std::size_t>(y) * b];
        for (int x = 0; x < b; ++x) ziel[x] = w(w(z[std::max(x - 1, 0)], z[x]), z[std::min(x + 1, b - 1)]);
    }
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* oben = &hilf[static_cast<std::size_t>(std::max(y - 1, 0)) * b];
        const std::uint8_t* mitte = &hilf[static_cast<std::size_t>(y) * b];
        const std::uint8_t* unten = &hilf[static_cast<std::size_t>(std::min(y + 1, h - 1)) * b];
        std::uint8_t* ziel = &v[static_cast<std::size_t>(y) * b];
        for (int x = 0; x < b; ++x) ziel[x] = w(w(oben[x], mitte[x]), unten[x]);
    }
}

void AbstaendeBerechnen() {
    const TBild& bild = SektorBild;
    const int b = bild.Breite, h = bild.Hoehe;
    if (AbstandBild == bild.Rgb.data() && AbstandBreite == b && AbstandHoehe == h) return;
    const std::size_t n = static_cast<std::size_t>(b) * h;
    std::vector<std::uint8_t> klein(n), gross(n), hilf(n);
    for (std::size_t i = 0; i < n; ++i) klein[i] = gross[i] = static_cast<std::uint8_t>(bild.Rgb[i] >> 16);
    RandAbstand.assign(n, RingBreite + 1);
    for (int d = 1; d <= RingBreite; ++d) {
        Wachsen(klein, b, h, false, hilf);
        Wachsen(gross, b, h, true, hilf);
        for (std::size_t i = 0; i < n; ++i)
            if (RandAbstand[i] > RingBreite && klein[i] != gross[i]) RandAbstand[i] = static_cast<std::uint8_t>(d);
    }
    AbstandBild = bild.Rgb.data();
    AbstandBreite = b;
    AbstandHoehe = h;
}

}  // namespace

void RingeZeichnen() {
    const TBild& b = SektorBild;
    if (!Markiert || b.Breite <= 0 || b.Hoehe <= 0) return;
    AbstaendeBerechnen();
    std::int32_t von, bis;
    ZielZeilen(von, bis);
    for (std::int32_t vy = von; vy < bis; ++vy) {
        const int my = ScrollY + vy / Zoom;
        if (my < 0 || my >= b.Hoehe) continue;
        const std::uint8_t* abstand = &RandAbstand[static_cast<std::size_t>(my) * b.Breite];
        const std::uint32_t* sektor = &b.Rgb[static_cast<std::size_t>(my) * b.Breite];
        // Map pixel by map pixel, each Zoom view pixels wide.
        for (int mx = std::max(ScrollX, 0), vx = (mx - ScrollX) * Zoom; vx < ViewBreite && mx < b.Breite; ++mx, vx += Zoom) {
            // Most pixels lie deeper inside their sector than any ring: one byte tells.
            if (abstand[mx] > RingBreite) continue;
            const std::uint32_t farbe = Markierung[static_cast<std::uint8_t>(sektor[mx] >> 16)];
            if (!farbe) continue;
            const std::uint32_t pixel = abstand[mx] < RingBreite ? farbe : 0x000000;
            for (std::int32_t x = vx; x < std::min(vx + Zoom, ViewBreite); ++x)
                ZielPixel(x, vy, pixel);
        }
    }
}

namespace {

constexpr std::int32_t LegendeRand = 6, Kaestchen = 12, LegendeBreite = 2 * LegendeRand + Kaestchen + 6 + 13 * FontBreite,
                       LegendeHoehe = 2 * LegendeRand + 2 * FontHoehe + 4, LegendeAbstand = 8;

}  // namespace

TRect LegendeRechteck(const TRect& zeiger) {
    if (!Markiert) return TRect{0, 0, 0, 0};
    const std::int32_t rechts = std::max(0, ViewBreite - LegendeBreite - LegendeAbstand), links = std::min(LegendeAbstand, rechts),
                       y0 = ViewHoehe - LegendeHoehe - LegendeAbstand;
    const TRect r = {rechts, y0, rechts + LegendeBreite, y0 + LegendeHoehe}, l = {links, y0, links + LegendeBreite, y0 + LegendeHoehe};
    return !Leer(Schnitt(r, zeiger)) && Leer(Schnitt(l, zeiger)) ? l : r;
}

void LegendeZeichnen(const TRect& zeiger) {
    const TRect platz = LegendeRechteck(zeiger);
    if (Leer(platz)) return;
    const char* texte[2] = {"changed hands", "units changed"};
    const std::uint32_t farben[2] = {FarbeBesitz, FarbeEinheiten};
    const std::int32_t rand = LegendeRand, kaestchen = Kaestchen, breite = LegendeBreite, hoehe = LegendeHoehe;
    const std::int32_t x0 = platz.Left, y0 = platz.Top;
    for (std::int32_t y = std::max(0, y0); y < std::min(ViewHoehe, y0 + hoehe); ++y)
        for (std::int32_t x = x0; x < std::min(ViewBreite, x0 + breite); ++x) {
            const bool kante = x == x0 || y == y0 || x == x0 + breite - 1 || y == y0 + hoehe - 1;
            ZielPixel(x, y, kante ? 0x000000 : 0x303030);
        }
    for (int i = 0; i < 2; ++i) {
        const std::int32_t zy = y0 + rand + i * (FontHoehe + 4);
        for (std::int32_t y = zy + 1; y < zy + 1 + kaestchen; ++y)
            for (std::int32_t x = x0 + rand; x < x0 + rand + kaestchen; ++x)
                if (x < ViewBreite && y >= 0 && y < ViewHoehe) ZielPixel(x, y, farben[i]);
        BlitText(x0 + rand + kaestchen + 6, zy, texte[i]);
    }
}
