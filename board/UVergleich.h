#pragma once
// Two positions compared by the tallies' rules: which sectors changed hands, where units
// changed, and how the figures moved, in words as a table (qelmap-tool diff prints it, the
// program's turn window shows it) and as the marks on the map.
#include <cstdint>
#include <string>
#include <vector>

#include "UDateien.h"
#include "USpielstand.h"
#include "UVariablen.h"

constexpr int SektorBytes = 256;  // every sector byte of a stack is a sector of its own

struct TStellung {
    TMapDaten Map;
    TSpielstand Stand;
    // Pieces per owner, sector byte and kind, summed over every stack with them.
    std::uint32_t Anzahl[BesitzerAnzahl + 1][SektorBytes][ArtenAnzahl + 1];
};

// Counts both positions with the sector table.
void Vergleichen(TStellung& alt, TStellung& neu);

// Sector s changed hands (1..127) or its units changed (any owner, any kind).
bool BesitzGeaendert(const TStellung& alt, const TStellung& neu, int s);
bool EinheitenGeaendert(const TStellung& alt, const TStellung& neu, int s);

// ---- The figures as rows --------------------------------------------------------------------
struct TZeile {
    const char* Name;
    std::uint32_t Income, Land, Sea, All;
    int Hinweis;  // index of the land hint; sea and all follow
};
// Index of the two side rows in Zeilen().
constexpr std::size_t ZeileAllies = 3, ZeileAxis = 6;
// The rows of Spielstand in the order of the game information window, each side after its powers.
std::vector<TZeile> Zeilen();
// An alert level in words ("2 (yellow)", "none").
const char* StufeText(int stufe);
// wert right-aligned in breite columns.
std::string Rechts(const std::string& wert, std::size_t breite);
// A name from a file (one byte a character) as UTF-8, control characters (C0, DEL, C1) written
// as "\xNN", so that no file can move a terminal's cursor or break a window's line.
std::string NameText(const std::string& s);

// ---- What changed ---------------------------------------------------------------------------
struct TUnterschiede {
    std::vector<TZeile> ZeilenAlt, ZeilenNeu;
    int AlarmAlt, AlarmNeu;  // with the blink phase on
    struct TEroberung {
        int Sektor;
        TBesitzer Von, Nach;  // holders; 0 neutral
    };
    std::vector<TEroberung> Erobert;
    struct TEinheitWandel {
        int Besitzer, Sektor, Art;
        std::uint32_t Alt, Neu;
    };
    std::vector<TEinheitWandel> Einheiten;  // by owner, sector byte, kind

    bool Gleich() const;
};
// The differences of two counted positions (after Vergleichen).
TUnterschiede Unterschiede(const TStellung& alt, const TStellung& neu);
// The table of figures, the alert level, the sectors that changed hands and the units that
// changed, headed "alt -> neu", as diff prints them.
std::string UnterschiedeText(const TUnterschiede& u, const std::string& alt, const std::string& neu);
// "26 -> 24 (-2)"
std::string Wandel(std::uint32_t alt, std::uint32_t neu);
// "12 Ukraine", or "0" for a sector byte without a name.
std::string SektorTitel(int s);

// ---- The shown turn against the turn before --------------------------------------------------
// After ZugVergleichen: the turn before and the shown position, counted; ZugVergleich is true
// when there was a turn before to compare with.
extern TStellung VorigerZug, GezeigterZug;
extern bool ZugVergleich;
// "show changes": the map marks what changed since the turn before (a setting).
extern bool AenderungenAnzeigen;
extern std::string ZugVergleichMeldung;  // why there is no comparison, when a file was refused
// Compares the piece list with the entry before AktuelleMap in the map list. Without one
// (AktuelleMap < 2) or when it cannot be read (ZugVergleichMeldung then names it), there is no
// comparison. The turn before is read only when it is another file than at the last call or
// neuLesen says that the files may have changed; else only the piece list is counted anew,
// so that every edit can be compared (microseconds).
bool ZugVergleichen(bool neuLesen = false);
// The changes of the last ZugVergleichen in words, headed "turn before -> shown turn"; empty
// without a comparison.
std::string ZugVergleichText();
