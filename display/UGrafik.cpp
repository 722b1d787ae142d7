#include "UGrafik.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "UBitmaps.h"
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

// The surface a frame is composed in: the back surface, or a band of its rows whose first
// row is back row ZielOben.
TSurface* Ziel = nullptr;
std::int32_t ZielOben = 0;

TSurface* ZielFlaeche() { return Ziel ? Ziel : SurfaceBack; }

// Copies that may meet a surface not yet created report that instead of touching it.
TErgebnis Schnell(std::int32_t x, std::int32_t y, const TSurface* quelle, const TRect& q) {
    TSurface* ziel = ZielFlaeche();
    if (!ziel) return erKeineSurface;
    return ziel->BltFast(x, y - ZielOben, quelle, q);
}

TErgebnis Skaliert(const TRect& z, const TSurface* quelle, const TRect& q) {
    TSurface* ziel = ZielFlaeche();
    if (!ziel) return erKeineSurface;
    return ziel->Blt(TRect{z.Left, z.Top - ZielOben, z.Right, z.Bottom - ZielOben}, quelle, q);
}

void ZifferZeichnen(std::int32_t x, std::int32_t y, unsigned d, const char* operation) {
    DDErgebnis = Schnell(x, y, SurfacePieces, ZiffernZelle(d));
    if (DDErgebnis != erOK) DDFehler(operation);
}

void BoxZeichnen(std::int32_t x, std::int32_t y, const TRect& q) {
    DDErgebnis = Schnell(x, y, SurfacePieces, q);
    if (DDErgebnis != erOK) DDFehler("BlitICPs");
}

// Decimal digits of v into buf (no terminator); returns their number.
std::size_t Dezimal(char* buf, unsigned v) {
    char rueck[10];
    std::size_t n = 0;
    do {
        rueck[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v);
    for (std::size_t i = 0; i < n; ++i) buf[i] = rueck[n - 1 - i];
    return n;
}

// The view rows being composed: the whole view and its margins, or one band of RenderFrame.
// Drawing that cannot reach them is left out before any copy is worked out.
std::int64_t BandVon = std::numeric_limits<std::int32_t>::min(), BandBis = std::numeric_limits<std::int32_t>::max();

bool ImBand(std::int64_t oben, std::int64_t hoehe) { return oben < BandBis && oben + hoehe > BandVon; }

// View positions of the stacks of the frame being drawn, so both passes round only once.
TPunkt StackPunkte[MaxEinheiten + 1];
bool StackSichtbar[MaxEinheiten + 1];

// A stack far off the map (only from a damaged file) cannot be on the view; keeping it out
// also keeps the rounding to whole view pixels within range.
bool StackPunktSetzen(std::int32_t i) {
    constexpr double Grenze = 1e6;
    const TEinheit& e = Einheiten[i];
    StackSichtbar[i] = std::fabs(e.X) < Grenze && std::fabs(e.Y) < Grenze;
    if (StackSichtbar[i]) StackPunkte[i] = MapZuView(TMapPunkt{e.X, e.Y});
    return StackSichtbar[i];
}

}  // namespace

// ---- Map, font, pieces ------------------------------------------------------------------------

void BlitMap() {
    RestoreSurfaces();
    const TRect q = {ScrollX, ScrollY, ScrollX + ViewBreite / Zoom, ScrollY + ViewHoehe / Zoom};
    const TRect z = {BackRand, BackRand, ViewBreite + BackRand, ViewHoehe + BackRand};
    DDErgebnis = Skaliert(z, KarteFuerFrame(), q);
    if (DDErgebnis != erOK) DDFehler("BlitMap");
}

void BlitChar(std::int32_t x, std::int32_t y, std::uint8_t ch) {
    // "=" (61) has no cell in the font: it is left out like any character outside it.
    if (ch < 32 || ch > 90 || ch == 61) return;
    if (x < -BackRand || x > MaxViewBreite || y < -BackRand || y > MaxViewHoehe) return;
    if (!ImBand(y, FontHoehe)) return;
    RestoreSurfaces();
    const std::int32_t l = ch <= 60 ? FontBreite * (ch - 32) : FontBreite * (ch - 62);
    const std::int32_t t = ch <= 60 ? FontZeile1 : FontZeile2;
    DDErgebnis = Schnell(x + BackRand, y + BackRand, SurfacePieces, TRect{l, t, l + FontBreite, t + FontHoehe});
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
    const std::int32_t zx = static_cast<std::int32_t>(x) + BackRand, zy = static_cast<std::int32_t>(y) + BackRand;
    // A failed piece copy only leaves this piece out of the frame.
    DDErgebnis = Skaliert(TRect{zx, zy, zx + static_cast<std::int32_t>(w), zy + static_cast<std::int32_t>(h)},
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
    const std::size_t n = Dezimal(text, anzahl);
    BlitText(static_cast<std::int32_t>(x) + ZellBreite * PiecesZoom, static_cast<std::int32_t>(y),
             std::string_view(text, n));
}

namespace {

// Rows from a stack's point that its piece or count may reach.
std::int64_t StackReichweite() {
    return std::max({std::int64_t{PieceGroesse.Y} * PiecesZoom, std::int64_t{ZellHoehe} * PiecesZoom,
                     std::int64_t{FontHoehe}}) + 1;
}

// Rows composed, compared with the shown frame and copied at a time, in a surface of their
// own: it stays in the processor's cache from frame to frame, where the back surface would
// be fetched from memory first (a pointer move finds the caches cold, and a whole view does
// not fit in them).
constexpr std::int32_t BandZeilen = 64;

// The stacks each band of a frame meets, in stack order, so that a band does not look at
// every stack. Band b holds view rows [b * BandZeilen, (b + 1) * BandZeilen); the whole
// frame is one band holding every stack.
constexpr std::int32_t BaenderMax = (MapHoehe + BandZeilen - 1) / BandZeilen;
std::uint16_t BandStacks[BaenderMax][MaxEinheiten];
std::int32_t BandStacksAnzahl[BaenderMax];
std::int32_t AktuellesBand = 0;

void StackPunkteSetzen(std::int32_t bandZeilen = 0, std::int32_t baender = 1) {
    const std::int64_t r = StackReichweite();
    std::fill_n(BandStacksAnzahl, baender, 0);
    for (std::int32_t i = 1; i <= EinheitenAnzahl; ++i) {
        if (!StackPunktSetzen(i)) continue;
        std::int64_t von = 0, bis = 0;
        if (bandZeilen > 0) {
            const std::int64_t y = StackPunkte[i].Y;
            von = std::clamp<std::int64_t>((y - r) < 0 ? -1 : (y - r) / bandZeilen, 0, baender - 1);
            bis = std::clamp<std::int64_t>((y + r) < 0 ? -1 : (y + r) / bandZeilen, 0, baender - 1);
        }
        for (std::int64_t b = von; b <= bis; ++b) BandStacks[b][BandStacksAnzahl[b]++] = static_cast<std::uint16_t>(i);
    }
}

// The stacks of the current band, in two passes: pieces, then the counts over them.
void StacksZeichnen() {
    const std::uint16_t* liste = BandStacks[AktuellesBand];
    const std::int32_t n = BandStacksAnzahl[AktuellesBand];
    for (std::int32_t k = 0; k < n; ++k) {
        const TEinheit& e = Einheiten[liste[k]];
        BlitPiece(StackPunkte[liste[k]], e.Art, e.Besitzer);
    }
    for (std::int32_t k = 0; k < n; ++k) {
        const TEinheit& e = Einheiten[liste[k]];
        BlitCount(StackPunkte[liste[k]], e.Art, e.Besitzer, e.Anzahl);
    }
}

}  // namespace

void BlitPieces() {
    AktuellesBand = 0;
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
    char text[8];
    const std::size_t laenge = !stapel && n >= 65000 ? (std::memcpy(text, "ALL", 3), 3) : Dezimal(text, n);
    const TCursorBild& c = CursorTabelle[tmKill];
    BlitText(CursorPoint.X - c.HotX + (c.Right - c.Left), CursorPoint.Y - c.HotY, std::string_view(text, laenge));
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
    if (!ImBand(y, Box1.Bottom - Box1.Top)) return;
    RestoreSurfaces();
    const std::int32_t bx = x + BackRand, by = y + BackRand;
    if (wert < 10) {
        BoxZeichnen(bx, by, Box1);
        ZifferZeichnen(bx + 2, by + 2, wert, "BlitICPs 1/1 Digit");
    } else if (wert < 100) {
        BoxZeichnen(bx, by, Box2);
        ZifferZeichnen(bx + 2, by + 2, wert / 10, "BlitICPs 1/2 Digit");
        ZifferZeichnen(bx + 10, by + 2, wert % 10, "BlitICPs 2/2 Digit");
    } else {
        // Three digits need a box 28 wide: the two-digit box's left edge, a stretch of its
        // inside and its right edge, side by side.
        BoxZeichnen(bx, by, TRect{Box2.Left, Box2.Top, Box2.Left + 9, Box2.Bottom});
        BoxZeichnen(bx + 9, by, TRect{Box2.Left + 4, Box2.Top, Box2.Left + 14, Box2.Bottom});
        BoxZeichnen(bx + 19, by, TRect{Box2.Right - 9, Box2.Top, Box2.Right, Box2.Bottom});
        ZifferZeichnen(bx + 2, by + 2, wert / 100, "BlitICPs 1/3 Digit");
        ZifferZeichnen(bx + 10, by + 2, wert / 10 % 10, "BlitICPs 2/3 Digit");
        ZifferZeichnen(bx + 18, by + 2, wert % 10, "BlitICPs 3/3 Digit");
    }
}

void BlitAllICPs() {
    for (int s = 1; s <= IcpSektoren; ++s) {
        const TSektor& r = Sektoren[s];
        if (r.ICPs == 0) continue;
        // A hot spot from a file may be anywhere; 64 bits keep the product exact.
        const std::int64_t x = (std::int64_t{r.HotSpotX} - ScrollX) * Zoom;
        const std::int64_t y = (std::int64_t{r.HotSpotY} - ScrollY) * Zoom;
        if (x < -BackRand || x > MaxViewBreite || y < -BackRand || y > MaxViewHoehe) continue;
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
    DDErgebnis = Schnell(x + BackRand - c.HotX, y + BackRand - c.HotY, SurfacePieces,
                         TRect{c.Left, c.Top, c.Right, c.Bottom});
    if (DDErgebnis != erOK) DDFehler("BlitCursor");
}

namespace {

// Copies row y of the composed view to SurfaceFront where it differs from what was shown,
// widening [lo, hi) by the pixels it copied; false when the row was the same. Rows are
// compared as a whole first: a pointer move changes few of them.
bool ZeileZeigen(std::int32_t y, std::int32_t breite, std::int32_t& lo, std::int32_t& hi) {
    const std::size_t px = static_cast<std::size_t>(SurfaceFront->BitsProPixel / 8);
    const std::uint8_t* q = ZielFlaeche()->Zeile(y + BackRand - ZielOben) + BackRand * px;
    std::uint8_t* z = SurfaceFront->Zeile(y);
    const std::size_t n = static_cast<std::size_t>(breite) * px;
    if (std::memcmp(z, q, n) == 0) return false;
    std::size_t a = 0, e = n;
    while (a + 8 <= e && std::memcmp(z + a, q + a, 8) == 0) a += 8;
    while (e >= a + 8 && std::memcmp(z + e - 8, q + e - 8, 8) == 0) e -= 8;
    a -= a % px;
    e += (px - e % px) % px;
    std::memcpy(z + a, q + a, e - a);
    lo = std::min(lo, static_cast<std::int32_t>(a / px));
    hi = std::max(hi, static_cast<std::int32_t>(e / px));
    return true;
}

// Front surface and view rows that can be shown; false (and the failure reported) without
// both surfaces in one format.
bool ZeigbarerBereich(std::int32_t& w, std::int32_t& h) {
    RestoreSurfaces();
    if (!SurfaceBack || !SurfaceFront || SurfaceBack->BitsProPixel != SurfaceFront->BitsProPixel) {
        DDErgebnis = !SurfaceBack || !SurfaceFront ? erKeineSurface : erFormat;
        DDFehler("BlitBackToFront");
        return false;
    }
    DDErgebnis = erOK;
    w = std::clamp(ViewBreite, 0, std::min(SurfaceFront->Breite, SurfaceBack->Breite - 2 * BackRand));
    h = std::clamp(ViewHoehe, 0, std::min(SurfaceFront->Hoehe, SurfaceBack->Hoehe - 2 * BackRand));
    return true;
}

// One rectangle per band of rows keeps their number small and their area close.
constexpr std::int32_t RechteckZeilen = 16;
TRect Geaendert[(MapHoehe + RechteckZeilen - 1) / RechteckZeilen];  // the front surface is at most the map's height
int GeaendertAnzahl = 0;

// Copies view rows [oben, unten) to the front surface where they changed and notes the
// rectangles; oben is a multiple of RechteckZeilen.
void ZeilenZeigen(std::int32_t oben, std::int32_t unten, std::int32_t w) {
    for (std::int32_t von = oben; von < unten; von += RechteckZeilen) {
        const std::int32_t bis = std::min(von + RechteckZeilen, unten);
        std::int32_t lo = w, hi = 0, erste = bis, letzte = von;
        for (std::int32_t y = von; y < bis; ++y)
            if (ZeileZeigen(y, w, lo, hi)) {
                erste = std::min(erste, y);
                letzte = y + 1;
            }
        if (lo < hi) Geaendert[GeaendertAnzahl++] = TRect{lo, erste, hi, letzte};
    }
}

}  // namespace

void BlitBackToFront() {
    std::int32_t w, h;
    if (!ZeigbarerBereich(w, h)) return;
    // Only what changed is copied and shown: every other pixel is already the frame's.
    GeaendertAnzahl = 0;
    ZeilenZeigen(0, h, w);
    if (GeaendertAnzahl > 0) Fenster->ViewZeigen(Geaendert, GeaendertAnzahl);
}

// ---- Frame ------------------------------------------------------------------------------------

namespace {

// The frame's layers from the map up, for the stacks' current points.
void Schichten() {
    BlitMap();
    if (AenderungenAnzeigen) RingeZeichnen();
    if (ICPsAnzeigen) BlitAllICPs();
    StacksZeichnen();
    if (LandnameAmCursor) BlitSectorName();
    if (EinheitartAmCursor || BesitzerAmCursor) BlitPieceInfo();
    BlitCursor(CursorPoint.X, CursorPoint.Y);
    BlitSelection();
    BlitKeinePieces();
    if (AenderungenAnzeigen) LegendeZeichnen();
}

static_assert(BandZeilen % RechteckZeilen == 0);
TSurface Band;

// Where the view of the last composition is: the back surface, or the front surface after
// RenderFrame composed it band by band.
bool ViewImFront = false;

// Composes view rows [von, bis) into the target, cut at them.
void BandZeilenSetzen(std::int64_t von, std::int64_t bis) {
    BandVon = von;
    BandBis = bis;
    TSurface* ziel = ZielFlaeche();
    ziel->ZeilenVon = static_cast<std::int32_t>(std::clamp<std::int64_t>(von + BackRand - ZielOben, 0, ziel->Hoehe));
    ziel->ZeilenBis = static_cast<std::int32_t>(std::clamp<std::int64_t>(bis + BackRand - ZielOben, 0, ziel->Hoehe));
}

// Back to composing the whole view in the back surface (the band surface's own window is
// set anew for every band).
void GanzSetzen() {
    Ziel = nullptr;
    ZielOben = 0;
    AktuellesBand = 0;
    BandZeilenSetzen(std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
}

}  // namespace

void FrameKomponieren() {
    ViewImFront = false;
    AktuellesBand = 0;
    StackPunkteSetzen();
    Schichten();
}

std::int32_t RateAusZeit(std::int32_t zeit) {
    if (zeit < 1) return 0;
    return Runden((1.0 / zeit) * 1000.0);
}

void RenderFrame() {
    FrameStart = GetTickCount();
    std::int32_t w, h;
    if (!SurfaceBack) {
        FrameKomponieren();  // reports the missing surface
    } else if (ZeigbarerBereich(w, h) && w > 0 && h > 0) {
        // Band by band, each compared with what is shown while its rows are in the cache.
        // Rows outside the view (its margins) are not composed: they are never shown.
        if (Band.Breite != SurfaceBack->Breite || Band.BitsProPixel != SurfaceBack->BitsProPixel)
            if (SurfaceErzeugen(Band, SurfaceBack->Breite, BandZeilen, SurfaceBack->BitsProPixel) != erOK)
                SurfaceFreigeben(Band);  // then the bands are composed in the back surface itself
        StackPunkteSetzen(BandZeilen, (h + BandZeilen - 1) / BandZeilen);
        GeaendertAnzahl = 0;
        for (std::int32_t oben = 0; oben < h; oben += BandZeilen) {
            const std::int32_t unten = std::min(oben + BandZeilen, h);
            AktuellesBand = oben / BandZeilen;
            if (!Band.Pixel.empty()) {
                Ziel = &Band;
                ZielOben = oben + BackRand;
            }
            BandZeilenSetzen(oben, unten);
            Schichten();
            ZeilenZeigen(oben, unten, w);
        }
        GanzSetzen();
        ViewImFront = true;
        if (GeaendertAnzahl > 0) Fenster->ViewZeigen(Geaendert, GeaendertAnzahl);
    }
    FrameEnde = GetTickCount();
    FrameZeit = static_cast<std::int32_t>(FrameEnde - FrameStart);
    FrameRate = RateAusZeit(FrameZeit);
    std::snprintf(FpsText, sizeof FpsText, "FPS: %d", static_cast<int>(FrameRate));
    Fenster->StatusText(1, FpsText);
}

void ZielZeilen(std::int32_t& von, std::int32_t& bis) {
    von = static_cast<std::int32_t>(std::max<std::int64_t>(BandVon, 0));
    bis = static_cast<std::int32_t>(std::min<std::int64_t>(BandBis, ViewHoehe));
}

void ZielPixel(std::int32_t x, std::int32_t y, std::uint32_t farbe) {
    TSurface* ziel = ZielFlaeche();
    if (ziel && y >= BandVon && y < BandBis) PixelSetzen(*ziel, x + BackRand, y + BackRand - ZielOben, farbe);
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
