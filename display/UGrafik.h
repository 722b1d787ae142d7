#pragma once
// Drawing of the map view: the map, the stacks with their counts, the bitmap font, the ICP
// figures, the texts and cursor at the pointer, each into the target that the frame's
// composition (UBildaufbau) sets. All positions are view coordinates; the routines add the
// back surface's margin.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "UDDrawInit.h"
#include "UVariablen.h"

void BlitMap();
void BlitChar(std::int32_t x, std::int32_t y, std::uint8_t ch);
// The map font: every character advances FontBreite pixels and is FontHoehe high.
constexpr std::int32_t FontBreite = 11, FontHoehe = 15;
void BlitText(std::int32_t x, std::int32_t y, std::string_view s);
void BlitPiece(TPunkt p, std::uint8_t art, std::uint8_t besitzer);
void BlitCount(TPunkt p, std::uint8_t art, std::uint8_t besitzer, std::uint16_t anzahl);
void BlitPieces();
void BlitSelection();
void BlitICPs(std::int32_t x, std::int32_t y, std::uint8_t wert);
void BlitAllICPs();
void BlitSectorName();
void BlitPieceInfo();
void BlitCursor(std::int32_t x, std::int32_t y);

// For layers drawn pixel by pixel (the marks of changes): the view rows being composed,
// [von, bis), and a pixel at view (x, y) into the surface the frame is composed in.
void ZielZeilen(std::int32_t& von, std::int32_t& bis);
void ZielPixel(std::int32_t x, std::int32_t y, std::uint32_t farbe);

// Cursor pictures by tool: source rectangle in the pieces picture and hot spot.
struct TCursorBild {
    std::int32_t Left, Top, Right, Bottom;
    std::int32_t HotX, HotY;
};
extern const TCursorBild CursorTabelle[5];  // 1..4 by ToolMode

// ---- For the frame's composition ------------------------------------------------------------

// Rectangles as TRect has them: whether one is empty, the part two share, and the smallest
// one that holds both (an empty one adds nothing).
inline bool Leer(const TRect& r) { return r.Left >= r.Right || r.Top >= r.Bottom; }

inline TRect Schnitt(const TRect& a, const TRect& b) {
    return TRect{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
}

inline TRect Huelle(const TRect& a, const TRect& b) {
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
extern TZiel Ziel;

// View positions of the stacks of the frame being drawn, so both passes round only once;
// StackPunkteSetzen works them out.
extern TPunkt StackPunkte[MaxEinheiten + 1];
extern bool StackSichtbar[MaxEinheiten + 1];
void StackPunkteSetzen();
// How far from its point a stack's piece and count (five digits at most) may reach.
TPunkt StackReichweite();
// The stacks the band being drawn may meet, in stack order; none named: every stack.
extern const std::uint16_t* BandStacks;
extern std::int32_t BandStacksAnzahl;
// Both passes over the stacks, for the points StackPunkteSetzen worked out, leaving out
// those that cannot reach the clip.
void StacksZeichnen();
