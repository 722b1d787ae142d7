#include "UGrafik.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "UDDrawInit.h"
#include "UHalterKarte.h"

const TCursorBild CursorTabelle[5] = {
    {0, 0, 0, 0, 0, 0},           // no tool
    {0, 60, 19, 79, 9, 9},        // tmMove
    {20, 60, 39, 79, 4, 4},       // tmKill
    {40, 60, 71, 86, 16, 13},     // tmCarry
    {40, 60, 71, 86, 16, 13},     // tmPlace
};

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

}  // namespace

TZiel Ziel = GanzesBack;

// ---- Stacks ----------------------------------------------------------------------------------

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

TPunkt StackReichweite() {
    return TPunkt{std::max(PieceGroesse.X, ZellBreite) * PiecesZoom + 5 * FontBreite + 1,
                  std::max(std::max(PieceGroesse.Y, ZellHoehe) * PiecesZoom, FontHoehe) + 1};
}

const std::uint16_t* BandStacks = nullptr;
std::int32_t BandStacksAnzahl = 0;

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

