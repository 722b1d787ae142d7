#include "UBildaufbau.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "UDDrawInit.h"
#include "UGrafik.h"
#include "UHalterKarte.h"
#include "UKeinePieces.h"
#include "UMarken.h"
#include "UTick.h"

std::uint32_t FrameStart = 0, FrameEnde = 0;
std::int32_t FrameZeit = 0;
std::int32_t FrameRate = 0;
char FpsText[32] = "";

namespace {

// What of the shown view no longer shows the program's state: the whole view, or these
// rectangles (view coordinates). A new display shows nothing yet.
constexpr int MarkenMax = 16;
TRect Marken[MarkenMax];
int MarkenAnzahl = 0;
bool GanzMarkiert = true;
// The texts, cursor and units at the pointer are to be drawn anew where they are now; and
// where the shown view has them.
bool ZeigerMarkiert = false;
TRect ZeigerGezeigt = {0, 0, 0, 0};
// The layers at the pointer in the frame being composed, which the legend of changes keeps
// clear of; where the shown view has the legend.
TRect ZeigerJetzt = {0, 0, 0, 0};
TRect LegendeGezeigt = {0, 0, 0, 0};

void ZeigerSchichten() {
    if (LandnameAmCursor) BlitSectorName();
    if (EinheitartAmCursor || BesitzerAmCursor) BlitPieceInfo();
    BlitCursor(CursorPoint.X, CursorPoint.Y);
    BlitSelection();
    BlitKeinePieces();
}

// The frame's layers from the map up, for the stacks' current points.
void Schichten() {
    BlitMap();
    if (AenderungenAnzeigen) RingeZeichnen();
    if (ICPsAnzeigen) BlitAllICPs();
    StacksZeichnen();
    if (AenderungenAnzeigen) LegendeZeichnen(ZeigerJetzt);
    ZeigerSchichten();
}

// Where the layers at the pointer lie in the view as the state has them now.
TRect ZeigerUmriss() {
    TRect umriss = {0, 0, 0, 0};
    const TZiel vorher = Ziel;
    Ziel = TZiel{nullptr, TRect{0, 0, ViewBreite, ViewHoehe}, 0, 0, &umriss};
    ZeigerSchichten();
    Ziel = vorher;
    return umriss;
}

// The rectangles that overlap or touch are joined, so that no pixel is composed twice.
void MarkeAufnehmen(TRect r) {
    for (int i = 0; i < MarkenAnzahl;) {
        const TRect& m = Marken[i];
        if (r.Left > m.Right || m.Left > r.Right || r.Top > m.Bottom || m.Top > r.Bottom) {
            ++i;
            continue;
        }
        r = Huelle(r, m);
        Marken[i] = Marken[--MarkenAnzahl];
        i = 0;
    }
    if (MarkenAnzahl == MarkenMax)
        GanzMarkiert = true;
    else
        Marken[MarkenAnzahl++] = r;
}

// Rows composed at a time. While the map covers the whole view, every band is composed in
// the same first rows of the back surface's interior, which stay in the processor's cache
// from band to band and from frame to frame, and copied from there to the front surface.
// (Where the map does not cover the view, which only a scroll position out of bounds makes,
// what it leaves is composed where the view lays it out, as in the whole frame.)
constexpr std::int32_t BandZeilen = 64;

bool KarteDeckt() {
    return SurfaceMap && ScrollX >= 0 && ScrollY >= 0 && ViewBreite / Zoom >= 1 && ViewHoehe / Zoom >= 1 &&
           ScrollX + ViewBreite / Zoom <= SurfaceMap->Breite && ScrollY + ViewHoehe / Zoom <= SurfaceMap->Hoehe;
}

// The stacks each band of a rectangle meets, so that a band does not look at every stack.
constexpr std::int32_t BaenderMax = (MapHoehe + BandZeilen - 1) / BandZeilen;
std::uint16_t Baender[BaenderMax][MaxEinheiten];
std::int32_t BaenderAnzahl[BaenderMax];

void BaenderFuellen(const TRect& r) {
    const std::int32_t baender = (r.Bottom - r.Top + BandZeilen - 1) / BandZeilen;
    const std::int64_t reichweite = StackReichweite().Y;
    std::fill_n(BaenderAnzahl, baender, 0);
    for (std::int32_t i = 1; i <= EinheitenAnzahl; ++i) {
        if (!StackSichtbar[i]) continue;
        const std::int64_t von = std::int64_t{StackPunkte[i].Y} - reichweite - r.Top, bis = von + 2 * reichweite;
        if (bis < 0 || von >= std::int64_t{baender} * BandZeilen) continue;
        for (std::int64_t b = std::max<std::int64_t>(von, 0) / BandZeilen; b <= std::min<std::int64_t>(bis / BandZeilen, baender - 1); ++b)
            Baender[b][BaenderAnzahl[b]++] = static_cast<std::uint16_t>(i);
    }
}

// Composes the view rectangle r band by band and copies it to the front surface.
void Zeichnen(const TRect& r) {
    const std::size_t px = static_cast<std::size_t>(SurfaceBack->BitsProPixel / 8);
    const bool oben0 = KarteDeckt();
    BaenderFuellen(r);
    for (std::int32_t oben = r.Top; oben < r.Bottom; oben += BandZeilen) {
        BandStacks = Baender[(oben - r.Top) / BandZeilen];
        BandStacksAnzahl = BaenderAnzahl[(oben - r.Top) / BandZeilen];
        const std::int32_t hoehe = std::min(BandZeilen, r.Bottom - oben), zeile = oben0 ? 0 : oben;
        Ziel = TZiel{SurfaceBack, TRect{r.Left + BackRand, BackRand + zeile, r.Right + BackRand, BackRand + zeile + hoehe},
                     BackRand, BackRand + zeile - oben, nullptr};
        Schichten();
        for (std::int32_t y = 0; y < hoehe; ++y)
            std::memcpy(SurfaceFront->Zeile(oben + y) + r.Left * px,
                        SurfaceBack->Zeile(BackRand + zeile + y) + (r.Left + BackRand) * px,
                        static_cast<std::size_t>(r.Right - r.Left) * px);
    }
    Ziel = GanzesBack;
    BandStacks = nullptr;
}

// Where the last composition is: the back surface (FrameKomponieren), or the front surface.
bool ViewImFront = false;

// The change count of the map picture that the shown view was drawn from.
std::uint32_t KarteGezeigt = 0;

}  // namespace

void ViewMarkieren() { GanzMarkiert = true; }

void ViewMarkieren(const TRect& r) {
    if (!Leer(r)) MarkeAufnehmen(r);
}

void ZeigerMarkieren() {
    ViewMarkieren(ZeigerGezeigt);
    ZeigerMarkiert = true;
}

void FrameKomponieren() {
    ViewImFront = false;
    ZeigerJetzt = ZeigerUmriss();
    Ziel = GanzesBack;
    StackPunkteSetzen();
    Schichten();
}

std::int32_t RateAusZeit(std::int32_t zeit) {
    if (zeit < 1) return 0;
    return Runden((1.0 / zeit) * 1000.0);
}

void RenderFrame() {
    FrameStart = GetTickCount();
    RestoreSurfaces();
    if (!SurfaceBack) FrameKomponieren();  // reports the missing surface
    if (!SurfaceFront || SurfaceBack->BitsProPixel != SurfaceFront->BitsProPixel) {
        DDErgebnis = SurfaceFront ? erFormat : erKeineSurface;
        DDFehler("RenderFrame");
    }
    // The view as far as both surfaces hold it; the rest of it is never shown.
    const TRect view = {0, 0, std::clamp(ViewBreite, 0, std::min(SurfaceFront->Breite, SurfaceBack->Breite - 2 * BackRand)),
                        std::clamp(ViewHoehe, 0, std::min(SurfaceFront->Hoehe, SurfaceBack->Hoehe - 2 * BackRand))};
    // A holding, an option or a picture may have changed the map's colours wherever it was
    // set: then all of the view shows another map.
    HalterKarteAktualisieren();
    if (HalterKarteStand != KarteGezeigt) ViewMarkieren();
    KarteGezeigt = HalterKarteStand;
    const TRect zeiger = ZeigerUmriss();
    if (ZeigerMarkiert) ViewMarkieren(zeiger);
    // The legend follows the pointer from corner to corner: where it was and where it goes.
    ZeigerJetzt = zeiger;
    const TRect legende = AenderungenAnzeigen ? LegendeRechteck(zeiger) : TRect{0, 0, 0, 0};
    if (std::memcmp(&legende, &LegendeGezeigt, sizeof legende) != 0) {
        ViewMarkieren(LegendeGezeigt);
        ViewMarkieren(legende);
        LegendeGezeigt = legende;
    }
    if (GanzMarkiert) MarkenAnzahl = 0;
    // What the view shows at the pointer after this frame: the pointer's layers as they are
    // now, and of an earlier frame's what this one did not draw over.
    ZeigerGezeigt = GanzMarkiert || ZeigerMarkiert ? zeiger : Huelle(ZeigerGezeigt, zeiger);
    if (GanzMarkiert) Marken[MarkenAnzahl++] = view;
    int n = 0;
    for (int i = 0; i < MarkenAnzahl; ++i)
        if (const TRect r = Schnitt(Marken[i], view); !Leer(r)) Marken[n++] = r;
    if (n > 0) {
        StackPunkteSetzen();
        for (int i = 0; i < n; ++i) Zeichnen(Marken[i]);
        Fenster->ViewZeigen(Marken, n);
    }
    ViewImFront = true;
    MarkenAnzahl = 0;
    GanzMarkiert = ZeigerMarkiert = false;
    FrameEnde = GetTickCount();
    FrameZeit = static_cast<std::int32_t>(FrameEnde - FrameStart);
    FrameRate = RateAusZeit(FrameZeit);
    std::snprintf(FpsText, sizeof FpsText, "FPS: %d", static_cast<int>(FrameRate));
    Fenster->StatusText(1, FpsText);
}

void ViewAlsBild(TBild& bild) {
    bild = TBild{};
    if (!SurfaceBack || (ViewImFront && !SurfaceFront)) return;
    const TSurface& quelle = ViewImFront ? *SurfaceFront : *SurfaceBack;
    const std::int32_t rand = ViewImFront ? 0 : BackRand;
    bild.Breite = std::clamp(ViewBreite, 0, SurfaceBack->Breite - 2 * BackRand);
    bild.Hoehe = std::clamp(ViewHoehe, 0, SurfaceBack->Hoehe - 2 * BackRand);
    bild.BitsProPixel = 32;
    bild.Rgb.resize(static_cast<std::size_t>(bild.Breite) * bild.Hoehe);
    for (std::int32_t y = 0; y < bild.Hoehe; ++y)
        for (std::int32_t x = 0; x < bild.Breite; ++x)
            bild.Rgb[static_cast<std::size_t>(y) * bild.Breite + x] = PixelLesen(quelle, x + rand, y + rand);
}
