#include "UVariablen.h"

#include <climits>
#include <cmath>
#include <cstring>

const char* const BesitzerNamen[6] = {"neutral", "Russia", "Germany", "United Kingdom", "Japan", "United States"};
const char* const ArtNamen[22] = {"Flag", "F", "Infantry", "Inf", "Armor", "Arm", "Fighter", "Ftr",
                                  "Bomber", "Bom", "Transport", "Trn", "Submarine", "Sub",
                                  "Aircraftcarrier", "AC", "Battleship", "BB", "Industrial Complex", "IC",
                                  "AnitAirCannon", "AA"};
const std::uint8_t EinheitKosten[11] = {0, 3, 5, 12, 15, 8, 8, 18, 24, 15, 5};

const char* BesitzerName(unsigned besitzer) { return besitzer <= 5 ? BesitzerNamen[besitzer] : ""; }
const char* ArtName(unsigned art) { return (art >= 1 && art <= 11) ? ArtNamen[2 * (art - 1)] : ""; }
const char* ArtKurzname(unsigned art) { return (art >= 1 && art <= 11) ? ArtNamen[2 * (art - 1) + 1] : ""; }

std::string SektorName(const TSektor& s) {
    std::size_t n = s.NameLaenge > 40 ? 40 : s.NameLaenge;
    return std::string(s.NameZeichen, n);
}

void SektorNameSetzen(TSektor& s, const std::string& name) {
    std::size_t n = name.size() > 40 ? 40 : name.size();
    std::memcpy(s.NameZeichen, name.data(), n);
    s.NameLaenge = static_cast<std::uint8_t>(n);
}

TSektor Sektoren[SektorenAnzahl + 1];
TEinheit Einheiten[MaxEinheiten + 1];
std::int32_t EinheitenAnzahl;

std::int32_t ScrollX, ScrollY;
std::int32_t Zoom;
std::int32_t PiecesZoom;
std::int32_t ViewBreite, ViewHoehe;
TPunkt ViewUrsprung;
std::int32_t MaxViewBreite, MaxViewHoehe;

std::int32_t Runden(double v) {
    // Coordinates come from files and may be anything: a value beyond 32 bits or NaN must not
    // reach the conversion, whose result would be undefined.
    if (!(v >= -2147483648.0)) return INT32_MIN;
    if (v >= 2147483647.0) return INT32_MAX;
    return static_cast<std::int32_t>(std::nearbyint(v));
}

TMapPunkt MapPunkt(double x, double y) { return TMapPunkt{x, y}; }

TMapPunkt ViewZuMap(TPunkt p) {
    return TMapPunkt{static_cast<double>(p.X) / Zoom + ScrollX, static_cast<double>(p.Y) / Zoom + ScrollY};
}

TPunkt MapZuView(TMapPunkt m) {
    return TPunkt{Runden((m.X - ScrollX) * Zoom), Runden((m.Y - ScrollY) * Zoom)};
}

TBild SektorBild;
bool SektorBildGeladen;

std::uint8_t SektorAn(TMapPunkt m) {
    if (!SektorBildGeladen) return 255;
    // Compare in floating point first: a huge or NaN coordinate must not reach the integer cast.
    if (!(m.X > -0.5 - 1e-9 && m.X < SektorBild.Breite + 0.5 && m.Y > -0.5 - 1e-9 && m.Y < SektorBild.Hoehe + 0.5))
        return 255;
    std::int32_t x = Runden(m.X), y = Runden(m.Y);
    if (x < 0 || y < 0 || x >= SektorBild.Breite || y >= SektorBild.Hoehe) return 255;
    return BildRot(SektorBild, x, y);
}

std::string MapName;
std::uint8_t AktuellerSektor;
std::uint8_t LetzterSektor;
std::int32_t CursorEinheit;
bool ICPsAnzeigen, LandnameAmCursor, EinheitartAmCursor, BesitzerAmCursor, MausStehtBeimScrollen;
bool HalterAnzeigen;
bool SektorInfo, GameInfo, GameCenter;
bool EditsOffen, SchlachtOffen;
std::uint8_t SchlachtSektor;
bool EditModus;
bool DisplayReady;

bool OwnPiecesVorhanden;
std::int32_t OwnPiecesBreite, OwnPiecesHoehe;
TPunkt PieceGroesse;
TPunkt PieceHalbe;
TRect PieceRechtecke[ArtenAnzahl + 1][BesitzerAnzahl + 1];

void PieceGeometrieSetzen(std::int32_t w, std::int32_t h) {
    PieceGroesse = {w, h};
    PieceHalbe = {w / 2, h / 2};
    for (int k = 1; k <= ArtenAnzahl; ++k)
        for (int o = 1; o <= BesitzerAnzahl; ++o) {
            std::int32_t l = (k - 1) * w, t = (o - 1) * h;
            PieceRechtecke[k][o] = {l, t, l + w, t + h};
        }
}

TToolMode ToolMode;
TSelection Selection;
std::uint8_t CarrySector;
TMapPunkt CarryOrigin;
TPunkt CursorPoint;
TPunkt LastMousePoint;
bool DragScrolled, SuppressDrag;

// The defaults at process start are the ones VariablenZuruecksetzen gives.
void VariablenZuruecksetzen() {
    std::memset(Sektoren, 0, sizeof Sektoren);
    std::memset(Einheiten, 0, sizeof Einheiten);
    EinheitenAnzahl = 0;
    ScrollX = ScrollY = 0;
    Zoom = PiecesZoom = ZoomMin;
    ViewBreite = ViewHoehe = 0;
    ViewUrsprung = {0, 0};
    MaxViewBreite = MaxViewBreiteVorgabe;
    MaxViewHoehe = MaxViewHoeheVorgabe;
    SektorBild = TBild{};
    SektorBildGeladen = false;
    MapName.clear();
    AktuellerSektor = 0;
    LetzterSektor = 0;
    CursorEinheit = 0;
    ICPsAnzeigen = LandnameAmCursor = EinheitartAmCursor = BesitzerAmCursor = MausStehtBeimScrollen = false;
    HalterAnzeigen = true;
    SektorInfo = GameInfo = GameCenter = false;
    EditsOffen = SchlachtOffen = false;
    SchlachtSektor = 0;
    EditModus = false;
    DisplayReady = false;
    OwnPiecesVorhanden = false;
    OwnPiecesBreite = ChartBreite;
    OwnPiecesHoehe = ChartHoehe;
    PieceGroesse = PieceHalbe = {0, 0};
    std::memset(PieceRechtecke, 0, sizeof PieceRechtecke);
    ToolMode = tmMove;
    Selection = {0, 0, 0};
    CarrySector = 0;
    CarryOrigin = {0, 0};
    CursorPoint = LastMousePoint = {0, 0};
    DragScrolled = SuppressDrag = false;
}

namespace {
const bool VorgabenGesetzt = (VariablenZuruecksetzen(), true);
}  // namespace
