#include "UGrafik.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "UBitmaps.h"
#include "UDDrawInit.h"
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

// Copies that may meet a surface not yet created report that instead of touching it.
TErgebnis Schnell(std::int32_t x, std::int32_t y, const TSurface* quelle, const TRect& q) {
    if (!SurfaceBack) return erKeineSurface;
    return SurfaceBack->BltFast(x, y, quelle, q);
}

TErgebnis Skaliert(TSurface* ziel, const TRect& z, const TSurface* quelle, const TRect& q) {
    if (!ziel) return erKeineSurface;
    return ziel->Blt(z, quelle, q);
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
    DDErgebnis = Skaliert(SurfaceBack, z, SurfaceMap, q);
    if (DDErgebnis != erOK) DDFehler("BlitMap");
}

void BlitChar(std::int32_t x, std::int32_t y, std::uint8_t ch) {
    // "=" (61) has no cell in the font: it is left out like any character outside it.
    if (ch < 32 || ch > 90 || ch == 61) return;
    if (x < -BackRand || x > MaxViewBreite || y < -BackRand || y > MaxViewHoehe) return;
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
    DDErgebnis = Skaliert(SurfaceBack, TRect{zx, zy, zx + static_cast<std::int32_t>(w), zy + static_cast<std::int32_t>(h)},
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

void BlitPieces() {
    for (std::int32_t i = 1; i <= EinheitenAnzahl; ++i)
        if (StackPunktSetzen(i)) BlitPiece(StackPunkte[i], Einheiten[i].Art, Einheiten[i].Besitzer);
    for (std::int32_t i = 1; i <= EinheitenAnzahl; ++i)
        if (StackSichtbar[i]) BlitCount(StackPunkte[i], Einheiten[i].Art, Einheiten[i].Besitzer, Einheiten[i].Anzahl);
}

void BlitSelection() {
    if (Selection.Art == 0) return;
    BlitPiece(CursorPoint, Selection.Art, Selection.Besitzer);
    BlitCount(CursorPoint, Selection.Art, Selection.Besitzer, Selection.Anzahl);
}

// ---- Overlays ---------------------------------------------------------------------------------

void BlitICPs(std::int32_t x, std::int32_t y, std::uint8_t wert) {
    if (x < -BackRand || x > MaxViewBreite || y < -BackRand || y > MaxViewHoehe) return;
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
    const std::uint8_t* q = SurfaceBack->Zeile(y + BackRand) + BackRand * px;
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

}  // namespace

void BlitBackToFront() {
    RestoreSurfaces();
    if (!SurfaceBack || !SurfaceFront || SurfaceBack->BitsProPixel != SurfaceFront->BitsProPixel) {
        DDErgebnis = !SurfaceBack || !SurfaceFront ? erKeineSurface : erFormat;
        DDFehler("BlitBackToFront");
    }
    DDErgebnis = erOK;
    // Only what changed is copied and shown: every other pixel is already the frame's.
    // One rectangle per band of rows keeps their number small and their area close.
    constexpr std::int32_t Band = 16;
    const std::int32_t w = std::clamp(ViewBreite, 0, std::min(SurfaceFront->Breite, SurfaceBack->Breite - 2 * BackRand));
    const std::int32_t h = std::clamp(ViewHoehe, 0, std::min(SurfaceFront->Hoehe, SurfaceBack->Hoehe - 2 * BackRand));
    TRect geaendert[(MapHoehe + Band - 1) / Band];  // the front surface is at most the map's height
    int n = 0;
    for (std::int32_t oben = 0; oben < h; oben += Band) {
        const std::int32_t unten = std::min(oben + Band, h);
        std::int32_t lo = w, hi = 0, erste = unten, letzte = oben;
        for (std::int32_t y = oben; y < unten; ++y)
            if (ZeileZeigen(y, w, lo, hi)) {
                erste = std::min(erste, y);
                letzte = y + 1;
            }
        if (lo < hi) geaendert[n++] = TRect{lo, erste, hi, letzte};
    }
    if (n > 0) Fenster->ViewZeigen(geaendert, n);
}

// ---- Frame ------------------------------------------------------------------------------------

void FrameKomponieren() {
    BlitMap();
    if (ICPsAnzeigen) BlitAllICPs();
    BlitPieces();
    if (LandnameAmCursor) BlitSectorName();
    if (EinheitartAmCursor || BesitzerAmCursor) BlitPieceInfo();
    BlitCursor(CursorPoint.X, CursorPoint.Y);
    BlitSelection();
}

std::int32_t RateAusZeit(std::int32_t zeit) {
    if (zeit < 1) return 0;
    return Runden((1.0 / zeit) * 1000.0);
}

void RenderFrame() {
    FrameStart = GetTickCount();
    FrameKomponieren();
    BlitBackToFront();
    FrameEnde = GetTickCount();
    FrameZeit = static_cast<std::int32_t>(FrameEnde - FrameStart);
    FrameRate = RateAusZeit(FrameZeit);
    std::snprintf(FpsText, sizeof FpsText, "FPS: %d", static_cast<int>(FrameRate));
    Fenster->StatusText(1, FpsText);
}

void ViewAlsBild(TBild& bild) {
    bild = TBild{};
    if (!SurfaceBack) return;
    bild.Breite = std::clamp(ViewBreite, 0, SurfaceBack->Breite - 2 * BackRand);
    bild.Hoehe = std::clamp(ViewHoehe, 0, SurfaceBack->Hoehe - 2 * BackRand);
    bild.BitsProPixel = 32;
    bild.Rgb.resize(static_cast<std::size_t>(bild.Breite) * bild.Hoehe);
    for (std::int32_t y = 0; y < bild.Hoehe; ++y)
        for (std::int32_t x = 0; x < bild.Breite; ++x)
            bild.Rgb[static_cast<std::size_t>(y) * bild.Breite + x] = PixelLesen(*SurfaceBack, x + BackRand, y + BackRand);
}
