#include "UStapelPlatz.h"

#include <algorithm>
#include <cmath>

namespace {

struct TVersatz {
    std::int16_t X, Y;
};

// Every whole-pixel offset within the radius, nearest first; ties by row, then column, so the
// choice never depends on anything but the board.
constexpr int VersatzMax = (2 * StapelPlatzRadius + 1) * (2 * StapelPlatzRadius + 1);
TVersatz Versaetze[VersatzMax];
int VersatzAnzahl = 0;

void VersaetzeAufbauen() {
    if (VersatzAnzahl) return;
    const int r = StapelPlatzRadius;
    for (int y = -r; y <= r; ++y)
        for (int x = -r; x <= r; ++x)
            if (x * x + y * y <= r * r) Versaetze[VersatzAnzahl++] = {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
    std::stable_sort(Versaetze, Versaetze + VersatzAnzahl, [](TVersatz a, TVersatz b) {
        return a.X * a.X + a.Y * a.Y < b.X * b.X + b.Y * b.Y;
    });
}

double Breite() { return PieceGroesse.X > 0 ? PieceGroesse.X : ZellBreite; }
double Hoehe() { return PieceGroesse.Y > 0 ? PieceGroesse.Y : ZellHoehe; }

bool Sichtbar(const TEinheit& e) {
    return e.Art >= 1 && e.Art <= ArtenAnzahl && e.Besitzer >= 1 && e.Besitzer <= BesitzerAnzahl &&
           std::isfinite(e.X) && std::isfinite(e.Y);
}

// The stacks near m, those a piece within the radius could touch.
std::uint16_t Nahe[MaxEinheiten];
int NaheAnzahl = 0;

}  // namespace

double PieceUeberdeckung(TMapPunkt a, TMapPunkt b) {
    const double w = Breite(), h = Hoehe();
    const double ux = std::max(0.0, w - std::fabs(a.X - b.X));
    const double uy = std::max(0.0, h - std::fabs(a.Y - b.Y));
    return ux * uy / (w * h);
}

TMapPunkt FreierStapelPlatz(std::uint8_t s, TMapPunkt m) {
    if (!std::isfinite(m.X) || !std::isfinite(m.Y)) return m;
    const double w = Breite(), h = Hoehe();
    NaheAnzahl = 0;
    bool verdeckt = false;
    for (std::int32_t i = 1; i <= EinheitenAnzahl; ++i) {
        const TEinheit& e = Einheiten[i];
        if (!Sichtbar(e)) continue;
        if (std::fabs(e.X - m.X) < StapelPlatzRadius + w && std::fabs(e.Y - m.Y) < StapelPlatzRadius + h)
            Nahe[NaheAnzahl++] = static_cast<std::uint16_t>(i);
        if (PieceUeberdeckung(m, TMapPunkt{e.X, e.Y}) > 0.25) verdeckt = true;
    }
    if (!verdeckt) return m;
    VersaetzeAufbauen();
    for (int k = 0; k < VersatzAnzahl; ++k) {
        const TMapPunkt p{m.X + Versaetze[k].X, m.Y + Versaetze[k].Y};
        if (SektorAn(p) != s) continue;
        bool frei = true;
        for (int j = 0; j < NaheAnzahl && frei; ++j) {
            const TEinheit& e = Einheiten[Nahe[j]];
            frei = PieceUeberdeckung(p, TMapPunkt{e.X, e.Y}) == 0.0;
        }
        if (frei) return p;
    }
    return m;
}
