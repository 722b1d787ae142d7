#include "UGrafik.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "UDDrawInit.h"
#include "UHalterKarte.h"
#include "UKeinePieces.h"
#include "UMarken.h"
#include "UTick.h"

const TCursorBild CursorTabelle[5] = {
    {0, 0, 0, 0, 0, 0},           // no tool
    {0, 60, 19, 79, 9, 9},        // tmMove
    {20, 60, 39, 79, 4, 4},       // tmKill
    {40, 60, 71, 86, 16, 13},     // tmCarry
    {40, 60, 71, 86, 16, 13},     // tmPlace
};

std::uint32_t FrameStart = 0, FrameEnde = 0;
std::int32_t FrameZeit = 0;
std::int32_t FrameRate = 0;
char FpsText[32] = "";

namespace {

// Regions of the pieces picture.
constexpr std::int32_t ZiffernLinks = 165, ZiffernBreite = 9, ZiffernHoehe = 10;
constexpr TRect Box1 = {165, 10, 175, 24};
constexpr TRect Box2 = {175, 10, 193, 24};
constexpr std::int32_t FontZeile1 = 170, FontZeile2 = 185;

TRect ZiffernZelle(unsigned d) {
    const std::int32_t l = ZiffernLinks + ZiffernBreite * static_cast<std::int32_t>(d);
    return TRect{l, 0, l + ZiffernBreite, ZiffernHoehe};
}

bool Leer(const TRect& r) { return r.Left >= r.Right || r.Top >= r.Bottom; }

TRect Schnitt(const TRect& a, const TRect& b) {
    return TRect{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
}

TRect Huelle(const TRect& a, const TRect& b) {
    if (Leer(a)) return b;
    if (Leer(b)) return a;
    return TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

// Where every copy of the drawing routines lands: the target surface (none named: the back
// surface), the rectangle of it that the copies are cut to, and the target pixel of view
// point (0, 0). While Umriss is set nothing is copied: the rectangles the copies would
// cover, cut to the clip, are joined there instead.
struct TZiel {
    TSurface* Flaeche;
    TRect Klipp;
    std::int32_t X0, Y0;
    TRect* Umriss;
};
// The whole back surface, laid out as the view's composition lays it out.
constexpr TZiel GanzesBack = {nullptr, Ueberall, BackRand, BackRand, nullptr};
TZiel Ziel = GanzesBack;

// The one place where a copy is placed and cut. Copies that may meet a surface not yet
// created report that instead of touching it.
TErgebnis Kopieren(const TRect& z, const TSurface* quelle, const TRect& q, bool skaliert) {
    const TRect zz = {z.Left + Ziel.X0, z.Top + Ziel.Y0, z.Right + Ziel.X0, z.Bottom + Ziel.Y0};
    if (Ziel.Umriss) {
        *Ziel.Umriss = Huelle(*Ziel.Umriss, Schnitt(zz, Ziel.Klipp));
        return erOK;
    }
    TSurface* flaeche = Ziel.Flaeche ? Ziel.Flaeche : SurfaceBack;
    if (!flaeche) return erKeineSurface;
    if (Leer(Schnitt(zz, Ziel.Klipp))) return erOK;
    return skaliert ? flaeche->Blt(zz, quelle, q, Ziel.Klipp) : flaeche->BltFast(zz.Left, zz.Top, quelle, q, Ziel.Klipp);
}

// Whether drawing into the view rectangle from (x, y), w by h, can reach the clip: most of
// the stacks and figures lie outside a rectangle of a pointer move or a band of rows.
bool ImZiel(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) {
    return Ziel.Umriss || (x + Ziel.X0 < Ziel.Klipp.Right && y + Ziel.Y0 < Ziel.Klipp.Bottom &&
                           x + w + Ziel.X0 > Ziel.Klipp.Left && y + h + Ziel.Y0 > Ziel.Klipp.Top);
}

// Unscaled to view point (x, y).
TErgebnis Schnell(std::int32_t x, std::int32_t y, const TSurface* quelle, const TRect& q) {
    return Kopieren(TRect{x, y, x + (q.Right - q.Left), y + (q.Bottom - q.Top)}, quelle, q, false);
}

TErgebnis Skaliert(const TRect& z, const TSurface* quelle, const TRect& q) { return Kopieren(z, quelle, q, true); }

// A part of an ICP figure from the pieces picture, its failure reported under the name given.
void IcpTeil(std::int32_t x, std::int32_t y, const TRect& q, const char* operation = "BlitICPs") {
    DDErgebnis = Schnell(x, y, SurfacePieces, q);
    if (DDErgebnis != erOK) DDFehler(operation);
}

// View positions of the stacks of the frame being drawn, so both passes round only once.
TPunkt StackPunkte[MaxEinheiten + 1];
bool StackSichtbar[MaxEinheiten + 1];

// A stack far off the map (only from a damaged file) cannot be on the view; keeping it out
// also keeps the rounding to whole view pixels within range.
void StackPunkteSetzen() {
    constexpr double Grenze = 1e6;
    for (std::int32_t i = 1; i <= EinheitenAnzahl; ++i) {
        const TEinheit& e = Einheiten[i];
        StackSichtbar[i] = std::fabs(e.X) < Grenze && std::fabs(e.Y) < Grenze;
        if (StackSichtbar[i]) StackPunkte[i] = MapZuView(TMapPunkt{e.X, e.Y});
    }
}

// How far from its point a stack's piece and count (five digits at most) may reach.
TPunkt StackReichweite() {
    return TPunkt{std::max(PieceGroesse.X, ZellBreite) * PiecesZoom + 5 * FontBreite + 1,
                  std::max(std::max(PieceGroesse.Y, ZellHoehe) * PiecesZoom, FontHoehe) + 1};
}

// The stacks the band being drawn may meet, in stack order; none named: every stack.
const std::uint16_t* BandStacks = nullptr;
std::int32_t BandStacksAnzahl = 0;

// Both passes over the stacks, for the points StackPunkteSetzen worked out, leaving out
// those that cannot reach the clip.
void StacksZeichnen() {
    const TPunkt r = StackReichweite();
    static std::uint16_t treffer[MaxEinheiten];
    std::int32_t n = 0;
    auto pruefen = [&](std::int32_t i) {
        if (StackSichtbar[i] && ImZiel(std::int64_t{StackPunkte[i].X} - r.X, std::int64_t{StackPunkte[i].Y} - r.Y, 2 * r.X, 2 * r.Y))
            treffer[n++] = static_cast<std::uint16_t>(i);
    };
    if (BandStacks)
        for (std::int32_t k = 0; k < BandStacksAnzahl; ++k) pruefen(BandStacks[k]);
    else
        for (std::int32_t i = 1; i <= EinheitenAnzahl; ++i) pruefen(i);
    for (std::int32_t k = 0; k < n; ++k) BlitPiece(StackPunkte[treffer[k]], Einheiten[treffer[k]].Art, Einheiten[treffer[k]].Besitzer);
    for (std::int32_t k = 0; k < n; ++k)
        BlitCount(StackPunkte[treffer[k]], Einheiten[treffer[k]].Art, Einheiten[treffer[k]].Besitzer, Einheiten[treffer[k]].Anzahl);
}

}  // namespace

// ---- Map, font, pieces ------------------------------------------------------------------------

void BlitMap() {
    RestoreSurfaces();
    const TRect q = {ScrollX, ScrollY, ScrollX + ViewBreite / Zoom, ScrollY + ViewHoehe / Zoom};
    DDErgebnis = Skaliert(TRect{0, 0, ViewBreite, ViewHoehe}, KarteFuerFrame(), q);
    if (DDErgebnis != erOK) DDFehler("BlitMap");
}

void BlitChar(std::int32_t x, std::int32_t y, std::uint8_t ch) {
    // "=" (61) has no cell in the font: it is left out like any character outside it.
    if (ch < 32 || ch > 90 || ch == 61) return;
    if (x < -BackRand || x > MaxViewBreite || y < -BackRand || y > MaxViewHoehe) return;
    RestoreSurfaces();
    const std::int32_t l = ch <= 60 ? FontBreite * (ch - 32) : FontBreite * (ch - 62);
    const std::int32_t t = ch <= 60 ? FontZeile1 : FontZeile2;
    DDErgebnis = Schnell(x, y, SurfacePieces, TRect{l, t, l + FontBreite, t + FontHoehe});
    if (DDErgebnis != erOK) DDFehler("BlitChar");
}

void BlitText(std::int32_t x, std::int32_t y, std::string_view s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        std::uint8_t ch = static_cast<std::uint8_t>(s[i]);
        if (ch >= 'a' && ch <= 'z') ch = static_cast<std::uint8_t>(ch - 'a' + 'A');
        BlitChar(x + FontBreite * static_cast<std::int32_t>(i), y, ch);
    }
}

void BlitPiece(TPunkt p, std::uint8_t art, std::uint8_t besitzer) {
    if (art < 1 || art > ArtenAnzahl || besitzer < 1 || besitzer > BesitzerAnzahl) return;
    const std::int64_t w = std::int64_t{PieceGroesse.X} * PiecesZoom, h = std::int64_t{PieceGroesse.Y} * PiecesZoom;
    const std::int64_t x = p.X - w / 2, y = p.Y - h / 2;
    if (x < -40 || x > std::int64_t{ViewBreite} - std::int64_t{PieceGroesse.X} * Zoom + 40 || y < -40 ||
        y > std::int64_t{ViewHoehe} - std::int64_t{PieceGroesse.Y} * Zoom + 40)
        return;
    RestoreSurfaces();
    const TRect& r = PieceRechtecke[art][besitzer];
    const TSurface* quelle = OwnPiecesVorhanden ? SurfaceOwnPieces : SurfacePieces;
    // A failed piece copy only leaves this piece out of the frame.
    DDErgebnis = Skaliert(TRect{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), static_cast<std::int32_t>(x + w),
                                static_cast<std::int32_t>(y + h)},
                          quelle, TRect{r.Left, r.Top, r.Right, r.Bottom});
}

void BlitCount(TPunkt p, std::uint8_t art, std::uint8_t besitzer, std::uint16_t anzahl) {
    if (anzahl <= 1 || art < 1 || art > ArtenAnzahl || besitzer < 1 || besitzer > BesitzerAnzahl) return;
    // Placed by the built-in 15 x 10 cell whatever the own pieces' size.
    const std::int64_t x = p.X - (ZellBreite * PiecesZoom) / 2, y = p.Y - (ZellHoehe * PiecesZoom) / 2;
    if (x < -BackRand || x > std::int64_t{ViewBreite} - ZellBreite * Zoom + BackRand || y < -BackRand ||
        y > std::int64_t{ViewHoehe} - ZellHoehe * Zoom + BackRand)
        return;
    char text[8];
    const char* ende = std::to_chars(text, text + sizeof text, anzahl).ptr;
    BlitText(static_cast<std::int32_t>(x) + ZellBreite * PiecesZoom, static_cast<std::int32_t>(y),
             std::string_view(text, static_cast<std::size_t>(ende - text)));
}

void BlitPieces() {
    StackPunkteSetzen();
    StacksZeichnen();
}

namespace {

// The bomb shows what a click would take: over a stack the number it would remove, elsewhere
// the count the keys chose when it is above 1 ("ALL" for Shift and Ctrl), right of its picture.
void KillAnzahlZeichnen() {
    std::uint32_t n = Selection.Anzahl;
    const bool stapel = CursorEinheit > 0 && CursorEinheit <= EinheitenAnzahl;
    if (stapel) n = std::min<std::uint32_t>(n, Einheiten[CursorEinheit].Anzahl);
    if (n == 0 || (!stapel && n == 1)) return;
    char text[12];
    const char* ende = !stapel && n >= 65000 ? std::copy_n("ALL", 3, text) : std::to_chars(text, text + sizeof text, n).ptr;
    const TCursorBild& c = CursorTabelle[tmKill];
    BlitText(CursorPoint.X - c.HotX + (c.Right - c.Left), CursorPoint.Y - c.HotY,
             std::string_view(text, static_cast<std::size_t>(ende - text)));
}

}  // namespace

void BlitSelection() {
    if (ToolMode == tmKill) KillAnzahlZeichnen();
    if (Selection.Art == 0) return;
    BlitPiece(CursorPoint, Selection.Art, Selection.Besitzer);
    BlitCount(CursorPoint, Selection.Art, Selection.Besitzer, Selection.Anzahl);
}

// ---- Overlays ---------------------------------------------------------------------------------

void BlitICPs(std::int32_t x, std::int32_t y, std::uint8_t wert) {
    if (x < -BackRand || x > MaxViewBreite || y < -BackRand || y > MaxViewHoehe) return;
    RestoreSurfaces();
    if (wert < 10) {
        IcpTeil(x, y, Box1);
        IcpTeil(x + 2, y + 2, ZiffernZelle(wert), "BlitICPs 1/1 Digit");
    } else if (wert < 100) {
        IcpTeil(x, y, Box2);
        IcpTeil(x + 2, y + 2, ZiffernZelle(wert / 10), "BlitICPs 1/2 Digit");
        IcpTeil(x + 10, y + 2, ZiffernZelle(wert % 10), "BlitICPs 2/2 Digit");
    } else {
        // Three digits need a box 28 wide: the two-digit box's left edge, a stretch of its
        // inside and its right edge, side by side.
        IcpTeil(x, y, TRect{Box2.Left, Box2.Top, Box2.Left + 9, Box2.Bottom});
        IcpTeil(x + 9, y, TRect{Box2.Left + 4, Box2.Top, Box2.Left + 14, Box2.Bottom});
        IcpTeil(x + 19, y, TRect{Box2.Right - 9, Box2.Top, Box2.Right, Box2.Bottom});
        IcpTeil(x + 2, y + 2, ZiffernZelle(wert / 100), "BlitICPs 1/3 Digit");
        IcpTeil(x + 10, y + 2, ZiffernZelle(wert / 10 % 10), "BlitICPs 2/3 Digit");
        IcpTeil(x + 18, y + 2, ZiffernZelle(wert % 10), "BlitICPs 3/3 Digit");
    }
}

void BlitAllICPs() {
    for (int s = 1; s <= IcpSektoren; ++s) {
        const TSektor& r = Sektoren[s];
        if (r.ICPs == 0) continue;
        // A hot spot from a file may be anywhere; 64 bits keep the product exact.
        const std::int64_t x = (std::int64_t{r.HotSpotX} - ScrollX) * Zoom;
        const std::int64_t y = (std::int64_t{r.HotSpotY} - ScrollY) * Zoom;
        if (x < -BackRand || x > MaxViewBreite || y < -BackRand || y > MaxViewHoehe || !ImZiel(x, y, 28, 14)) continue;
        BlitICPs(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), r.ICPs);
    }
}

void BlitSectorName() {
    // 0 and 255 are no sector; 131..254 have no record and show nothing either.
    const TSektor* r = SektorRecord(AktuellerSektor);
    if (!r) return;
    const std::size_t n = std::min<std::size_t>(r->NameLaenge, sizeof r->NameZeichen);
    const std::string_view name(r->NameZeichen, n);
    const std::int32_t breite = FontBreite * static_cast<std::int32_t>(n);
    if (CursorPoint.X + breite < ViewBreite)
        BlitText(CursorPoint.X, CursorPoint.Y + 10, name);
    else
        BlitText(CursorPoint.X - breite, CursorPoint.Y + 10, name);
}

void BlitPieceInfo() {
    if (CursorEinheit < 1 || CursorEinheit > EinheitenAnzahl) return;
    const TEinheit& e = Einheiten[CursorEinheit];
    if (e.Art < 1 || e.Art > ArtenAnzahl || e.Besitzer < 1 || e.Besitzer > BesitzerAnzahl) return;
    const std::string_view art = ArtName(e.Art), besitzer = BesitzerName(e.Besitzer);
    const std::int32_t artBreite = FontBreite * static_cast<std::int32_t>(art.size());
    const std::int32_t besitzerBreite = FontBreite * static_cast<std::int32_t>(besitzer.size());
    std::int32_t zeile = LandnameAmCursor ? 22 : 10;
    // Both texts go to the left of the pointer together when either would reach the edge.
    const bool links = CursorPoint.X + besitzerBreite >= ViewBreite || CursorPoint.X + artBreite >= ViewBreite;
    if (EinheitartAmCursor) {
        BlitText(links ? CursorPoint.X - artBreite : CursorPoint.X, CursorPoint.Y + zeile, art);
        zeile += 12;
    }
    if (BesitzerAmCursor)
        BlitText(links ? CursorPoint.X - besitzerBreite : CursorPoint.X, CursorPoint.Y + zeile, besitzer);
}

void BlitCursor(std::int32_t x, std::int32_t y) {
    RestoreSurfaces();
    if (ToolMode < tmMove || ToolMode > tmPlace) return;
    const TCursorBild& c = CursorTabelle[ToolMode];
    DDErgebnis = Schnell(x - c.HotX, y - c.HotY, SurfacePieces, TRect{c.Left, c.Top, c.Right, c.Bottom});
    if (DDErgebnis != erOK) DDFehler("BlitCursor");
}

// ---- Frame ------------------------------------------------------------------------------------

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
    if (AenderungenAnzeigen) LegendeZeichnen();
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

void ZielZeilen(std::int32_t& von, std::int32_t& bis) {
    von = std::max(Ziel.Klipp.Top - Ziel.Y0, 0);
    bis = std::min(Ziel.Klipp.Bottom - Ziel.Y0, ViewHoehe);
}

void ZielPixel(std::int32_t x, std::int32_t y, std::uint32_t farbe) {
    const std::int32_t px = x + Ziel.X0, py = y + Ziel.Y0;
    const TRect& k = Ziel.Klipp;
    if (px < k.Left || px >= k.Right || py < k.Top || py >= k.Bottom) return;
    if (Ziel.Umriss) {
        *Ziel.Umriss = Huelle(*Ziel.Umriss, TRect{px, py, px + 1, py + 1});
        return;
    }
    TSurface* flaeche = Ziel.Flaeche ? Ziel.Flaeche : SurfaceBack;
    if (flaeche && px >= 0 && py >= 0 && px < flaeche->Breite && py < flaeche->Hoehe) PixelSetzen(*flaeche, px, py, farbe);
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
