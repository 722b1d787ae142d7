#pragma once
// The board model and the state that the subsystems share: owners, unit kinds, the
// sector table, the piece list, map coordinates, the viewport figures, the edit tool
// and the pointer. Everything is process-wide with static storage.
#include <cstddef>
#include <cstdint>
#include <string>

#include "UBild.h"
#include "USurface.h"

// ---- Map -------------------------------------------------------------------------------
constexpr int MapBreite = 1587;
constexpr int MapHoehe = 913;

struct TMapPunkt {
    double X;
    double Y;
};

struct TPunkt {
    std::int32_t X;
    std::int32_t Y;
};

// ---- Owners and unit kinds ---------------------------------------------------------------
using TBesitzer = std::uint8_t;    // 0 neutral, 1 Russia, 2 Germany, 3 United Kingdom, 4 Japan, 5 United States
using TEinheitArt = std::uint8_t;  // 1 Flag .. 11 AnitAirCannon

constexpr TBesitzer bsNeutral = 0, bsRussland = 1, bsDeutschland = 2, bsEngland = 3, bsJapan = 4, bsUSA = 5;
constexpr int BesitzerAnzahl = 5;  // powers 1..5
constexpr int ArtenAnzahl = 11;    // kinds 1..11
constexpr TEinheitArt eaFlagge = 1, eaInfanterie = 2, eaPanzer = 3, eaJaeger = 4, eaBomber = 5,
                      eaTransporter = 6, eaUBoot = 7, eaTraeger = 8, eaSchlachtschiff = 9,
                      eaIndustrie = 10, eaFlak = 11;

extern const char* const BesitzerNamen[6];
extern const char* const ArtNamen[22];         // long name of kind k at 2(k-1), short name at 2(k-1)+1
extern const std::uint8_t EinheitKosten[11];  // value in ICPs of kind k at k-1

// Names of invalid codes are empty; no lookup reads outside its table.
const char* BesitzerName(unsigned besitzer);
const char* ArtName(unsigned art);
const char* ArtKurzname(unsigned art);

// ---- Records that are file formats --------------------------------------------------------
#pragma pack(push, 1)
struct TSektor {
    std::uint8_t NameLaenge;     // 0..40 (a larger byte is read as 40 characters)
    char NameZeichen[40];
    std::uint8_t StartBesitzer;  // 0..5
    std::uint8_t ICPs;
    std::uint8_t Land;           // non-zero: land
    std::int32_t HotSpotX;
    std::int32_t HotSpotY;
    std::uint8_t Reserve[24];
};

struct TEinheit {
    double X;
    double Y;
    std::uint8_t Art;
    std::uint8_t Besitzer;
    std::uint16_t Anzahl;
    std::uint8_t Sektor;
    std::uint8_t Padding[3];
};
#pragma pack(pop)

static_assert(sizeof(TSektor) == 76);
static_assert(offsetof(TSektor, StartBesitzer) == 41 && offsetof(TSektor, ICPs) == 42 &&
              offsetof(TSektor, Land) == 43 && offsetof(TSektor, HotSpotX) == 44 &&
              offsetof(TSektor, HotSpotY) == 48 && offsetof(TSektor, Reserve) == 52);
static_assert(sizeof(TEinheit) == 24);
static_assert(offsetof(TEinheit, Y) == 8 && offsetof(TEinheit, Art) == 16 && offsetof(TEinheit, Besitzer) == 17 &&
              offsetof(TEinheit, Anzahl) == 18 && offsetof(TEinheit, Sektor) == 20 &&
              offsetof(TEinheit, Padding) == 21);

// The sector's name (at most 40 characters, whatever the length byte says).
std::string SektorName(const TSektor& s);
// Sets the name, cut to 40 characters; the bytes beyond the name are left as they are.
void SektorNameSetzen(TSektor& s, const std::string& name);

// ---- Tables ------------------------------------------------------------------------------
constexpr int SektorenAnzahl = 130;  // records of the sector table and file
constexpr int SetzSektoren = 127;    // sectors 1..127 take pieces and count for income
constexpr int IcpSektoren = 128;     // sectors 1..128 show ICP figures and take hot spots
constexpr int MaxEinheiten = 1000;
constexpr std::uint32_t StapelGrenze = 100;  // units a stack takes by merging

extern TSektor Sektoren[SektorenAnzahl + 1];  // 1..130; entry 0 is unused
extern TEinheit Einheiten[MaxEinheiten + 1];  // 1..EinheitenAnzahl; entry 0 is unused
extern std::int32_t EinheitenAnzahl;

// A pointer to the record of sector s, or nullptr for 0 and for 131..255.
inline TSektor* SektorRecord(unsigned s) { return (s >= 1 && s <= SektorenAnzahl) ? &Sektoren[s] : nullptr; }

// ---- Viewport figures (their operations are the display's) ---------------------------------
extern std::int32_t ScrollX, ScrollY;
constexpr std::int32_t ZoomMin = 1, ZoomMax = 6;
extern std::int32_t Zoom;        // ZoomMin..ZoomMax
extern std::int32_t PiecesZoom;  // ZoomMin..ZoomMax
extern std::int32_t ViewBreite, ViewHoehe;
extern TPunkt ViewUrsprung;
extern std::int32_t MaxViewBreite, MaxViewHoehe;  // the defaults below until the display set-up
constexpr std::int32_t MaxViewBreiteVorgabe = 1240, MaxViewHoeheVorgabe = MapHoehe;

// ---- Coordinates -------------------------------------------------------------------------
TMapPunkt MapPunkt(double x, double y);
TMapPunkt ViewZuMap(TPunkt p);
TPunkt MapZuView(TMapPunkt m);
// Round to nearest, ties to even. Beyond the 32-bit range the result saturates; NaN gives INT32_MIN.
std::int32_t Runden(double v);

// ---- Sector index picture ------------------------------------------------------------------
extern TBild SektorBild;
extern bool SektorBildGeladen;
// The sector at a map point: 0 and 255 mean no sector; outside the picture gives 255.
std::uint8_t SektorAn(TMapPunkt m);

// ---- Shared state ------------------------------------------------------------------------
extern std::string MapName;
extern std::uint8_t AktuellerSektor;
// The last sector 1..127 the pointer was on, kept while it is off the map or on a border.
extern std::uint8_t LetzterSektor;
extern std::int32_t CursorEinheit;
extern bool ICPsAnzeigen, LandnameAmCursor, EinheitartAmCursor, BesitzerAmCursor, MausStehtBeimScrollen;
// Sectors held by a power other than their start owner are drawn in the holder's colour.
extern bool HalterAnzeigen;
extern bool SektorInfo, GameInfo, GameCenter;
// The edits and battle windows were open at the last close; the sector the battle window
// showed (0: none).
extern bool EditsOffen, SchlachtOffen;
extern std::uint8_t SchlachtSektor;
extern bool EditModus;
extern bool DisplayReady;

// ---- Own pieces and piece geometry (set by the picture loading) ------------------------------
// The built-in pieces: a grid of 15 x 10 cells, a column per kind and a row per owner, which
// makes the chart of 165 x 50 at the top left of the pieces sheet.
constexpr std::int32_t ZellBreite = 15, ZellHoehe = 10;
constexpr std::int32_t ChartBreite = ArtenAnzahl * ZellBreite, ChartHoehe = BesitzerAnzahl * ZellHoehe;
extern bool OwnPiecesVorhanden;
extern std::int32_t OwnPiecesBreite, OwnPiecesHoehe;  // the chart's size without own pieces
extern TPunkt PieceGroesse;  // W, H
extern TPunkt PieceHalbe;    // W div 2, H div 2
extern TRect PieceRechtecke[ArtenAnzahl + 1][BesitzerAnzahl + 1];  // [kind 1..11][owner 1..5]
// Sets the geometry from the cell size and fills PieceRechtecke.
void PieceGeometrieSetzen(std::int32_t w, std::int32_t h);

// ---- Edit tool and pointer -----------------------------------------------------------------
enum TToolMode : std::uint8_t { tmMove = 1, tmKill = 2, tmCarry = 3, tmPlace = 4 };
struct TSelection {
    TEinheitArt Art;
    TBesitzer Besitzer;
    std::uint16_t Anzahl;
};
extern TToolMode ToolMode;
extern TSelection Selection;
extern std::uint8_t CarrySector;
extern TMapPunkt CarryOrigin;
extern TPunkt CursorPoint;     // view coordinates
extern TPunkt LastMousePoint;  // client coordinates
extern bool DragScrolled, SuppressDrag;

// Puts every value of this unit back to its state at process start (used by tests).
void VariablenZuruecksetzen();
