#include "UGrafik.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <type_traits>

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
bool FrameCacheAn = true;

namespace {

// Regions of the pieces picture.
constexpr std::int32_t ZiffernLinks = 165, ZiffernBreite = 9, ZiffernHoehe = 10;
constexpr TRect Box1 = {165, 10, 175, 24};
constexpr TRect Box2 = {175, 10, 193, 24};
constexpr std::int32_t FontBreite = 11, FontHoehe = 15, FontZeile1 = 170, FontZeile2 = 185;
constexpr std::int32_t ZellBreite = 15, ZellHoehe = 10;  // cells of the built-in pieces

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
    const TRechteck& r = PieceRechtecke[art][besitzer];
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
    for (int s = 1; s <= 128; ++s) {
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

void BlitBackToFront() {
    RestoreSurfaces();
    DDErgebnis = Skaliert(SurfaceFront, TRect{0, 0, ViewBreite, ViewHoehe}, SurfaceBack,
                          TRect{BackRand, BackRand, ViewBreite + BackRand, ViewHoehe + BackRand});
    if (DDErgebnis != erOK) DDFehler("BlitBackToFront");
    if (Hauptfenster) {
        const std::int32_t w = std::clamp(ViewBreite, 0, SurfaceFront->Breite);
        const std::int32_t h = std::clamp(ViewHoehe, 0, SurfaceFront->Hoehe);
        Hauptfenster->ViewZeigen(SurfaceFront->Pixel.data(), SurfaceFront->Abstand, w, h, SurfaceFront->BitsProPixel);
    }
}

// ---- Frame ------------------------------------------------------------------------------------

namespace {

// What a surface the lower layers use is, as far as drawing from it goes.
struct TSurfaceKennung {
    const TSurface* Surface;
    const std::uint8_t* Pixel;
    std::int32_t Breite, Hoehe, BitsProPixel, Abstand;
    std::uint32_t Farbschluessel;
    std::uint32_t HatFarbschluessel;
};

// Every figure the map, ICP figures, stacks and counts are drawn from, apart from the two
// tables, which are compared where they are. Built zeroed so that padding compares equal.
struct TEbenenStand {
    std::int32_t ScrollX, ScrollY, Zoom, PiecesZoom, ViewBreite, ViewHoehe, MaxViewBreite, MaxViewHoehe;
    std::int32_t EinheitenAnzahl;
    std::uint32_t BilderGeneration;
    std::uint32_t ICPsAnzeigen, OwnPiecesVorhanden;
    TPunkt PieceGroesse;
    TRechteck PieceRechtecke[ArtenAnzahl + 1][BesitzerAnzahl + 1];
    TSurfaceKennung Back, Map, Pieces, OwnPieces;
};

// Compared byte for byte, so no padding may hide in them.
static_assert(std::has_unique_object_representations_v<TSurfaceKennung> &&
              std::has_unique_object_representations_v<TEbenenStand>);

TEbenenStand LetzterStand, NeuerStand;
TSektor LetzteSektoren[SektorenAnzahl + 1];
TEinheit LetzteEinheiten[MaxEinheiten + 1];
bool UntenGueltig = false;
// DDErgebnis after the lower layers, so that a frame taken from SurfaceUnten leaves it as
// drawing them would.
TErgebnis UntenErgebnis = erOK;

TSurfaceKennung Kennung(const TSurface* s) {
    TSurfaceKennung k;
    std::memset(&k, 0, sizeof k);
    k.Surface = s;
    if (s) {
        k.Pixel = s->Pixel.data();
        k.Breite = s->Breite;
        k.Hoehe = s->Hoehe;
        k.BitsProPixel = s->BitsProPixel;
        k.Abstand = s->Abstand;
        k.Farbschluessel = s->Farbschluessel;
        k.HatFarbschluessel = s->HatFarbschluessel;
    }
    return k;
}

void StandAufnehmen(TEbenenStand& st) {
    std::memset(&st, 0, sizeof st);
    st.ScrollX = ScrollX;
    st.ScrollY = ScrollY;
    st.Zoom = Zoom;
    st.PiecesZoom = PiecesZoom;
    st.ViewBreite = ViewBreite;
    st.ViewHoehe = ViewHoehe;
    st.MaxViewBreite = MaxViewBreite;
    st.MaxViewHoehe = MaxViewHoehe;
    st.EinheitenAnzahl = EinheitenAnzahl;
    st.BilderGeneration = BilderGeneration;
    st.ICPsAnzeigen = ICPsAnzeigen;
    st.OwnPiecesVorhanden = OwnPiecesVorhanden;
    st.PieceGroesse = PieceGroesse;
    std::memcpy(st.PieceRechtecke, PieceRechtecke, sizeof st.PieceRechtecke);
    st.Back = Kennung(SurfaceBack);
    st.Map = Kennung(SurfaceMap);
    st.Pieces = Kennung(SurfacePieces);
    st.OwnPieces = Kennung(SurfaceOwnPieces);
}

// Whether the lower layers would come out as kept; either way the state is noted as the
// last one.
bool UntenUnveraendert() {
    StandAufnehmen(NeuerStand);
    const std::size_t einheitenBytes = sizeof(TEinheit) * static_cast<std::size_t>(EinheitenAnzahl);
    const bool gleich = UntenGueltig && std::memcmp(&NeuerStand, &LetzterStand, sizeof NeuerStand) == 0 &&
                        std::memcmp(LetzteSektoren, Sektoren, sizeof Sektoren) == 0 &&
                        std::memcmp(&LetzteEinheiten[1], &Einheiten[1], einheitenBytes) == 0;
    if (!gleich) {
        std::memcpy(&LetzterStand, &NeuerStand, sizeof NeuerStand);
        std::memcpy(LetzteSektoren, Sektoren, sizeof Sektoren);
        std::memcpy(&LetzteEinheiten[1], &Einheiten[1], einheitenBytes);
    }
    return gleich;
}

// The rectangle of SurfaceBack that BlitMap covers; false where it leaves part of the view
// as the previous frame had it (scroll beyond the map, a view narrower than the zoom), since
// only drawing the frame whole keeps those pixels as they would be.
bool KartenFlaeche(TRect& r) {
    if (!SurfaceBack || !SurfaceMap || Zoom < 1 || ViewBreite < Zoom || ViewHoehe < Zoom) return false;
    const std::int64_t qw = ViewBreite / Zoom, qh = ViewHoehe / Zoom;
    if (ScrollX < 0 || ScrollY < 0 || ScrollX + qw > SurfaceMap->Breite || ScrollY + qh > SurfaceMap->Hoehe) return false;
    r = TRect{BackRand, BackRand, std::min(ViewBreite + BackRand, SurfaceBack->Breite),
              std::min(ViewHoehe + BackRand, SurfaceBack->Hoehe)};
    return r.Left < r.Right && r.Top < r.Bottom;
}

// Copies rectangle r between two surfaces of one size and format; r lies on both.
void FlaecheKopieren(TSurface& ziel, const TSurface& quelle, const TRect& r) {
    const std::size_t px = static_cast<std::size_t>(quelle.BitsProPixel / 8);
    const std::size_t links = static_cast<std::size_t>(r.Left) * px;
    const std::size_t n = static_cast<std::size_t>(r.Right - r.Left) * px;
    for (std::int32_t y = r.Top; y < r.Bottom; ++y) std::memcpy(ziel.Zeile(y) + links, quelle.Zeile(y) + links, n);
}

bool GleicheForm(const TSurface& a, const TSurface& b) {
    return a.Breite == b.Breite && a.Hoehe == b.Hoehe && a.BitsProPixel == b.BitsProPixel && a.Abstand == b.Abstand &&
           !a.Pixel.empty() && !b.Pixel.empty();
}

void UntereEbenenZeichnen() {
    BlitMap();
    if (ICPsAnzeigen) BlitAllICPs();
    BlitPieces();
}

}  // namespace

void FrameKomponieren() {
    // Restored surfaces come back with their pictures reloaded, which the state then shows.
    RestoreSurfaces();
    TRect flaeche;
    if (!FrameCacheAn || !SurfaceUnten || !KartenFlaeche(flaeche) || !GleicheForm(*SurfaceUnten, *SurfaceBack) ||
        EinheitenAnzahl < 0 || EinheitenAnzahl > MaxEinheiten) {
        UntenGueltig = false;
        UntereEbenenZeichnen();
    } else if (UntenUnveraendert()) {
        FlaecheKopieren(*SurfaceBack, *SurfaceUnten, flaeche);
        DDErgebnis = UntenErgebnis;
    } else {
        UntereEbenenZeichnen();
        UntenErgebnis = DDErgebnis;
        FlaecheKopieren(*SurfaceUnten, *SurfaceBack, flaeche);
        UntenGueltig = true;
    }
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
    if (Hauptfenster) Hauptfenster->StatusText(1, FpsText);
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
