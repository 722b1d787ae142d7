#pragma once
// The marks of what changed since another position: a ring inside the edge of every sector
// that changed hands (magenta) or whose units changed (cyan), and a legend of the two
// colours. qelmap-tool render --changes and the program's map draw them alike.
#include <cstdint>

#include "USurface.h"
#include "UVergleich.h"

// Cyan, not yellow: Japan's land is yellow. A black line inside the ring keeps it plain on a
// ground of its own colour.
constexpr std::uint32_t FarbeBesitz = 0xFF00FF, FarbeEinheiten = 0x00FFFF;
constexpr int RingBreite = 3;  // map pixels along the inside of a marked sector's edge, the last one black

extern std::uint32_t Markierung[SektorBytes];  // colour per sector byte, 0 for none
extern bool Markiert;                           // any sector marked

// The marks of two counted positions (after Vergleichen); true when any sector is marked.
bool MarkierungenSetzen(const TStellung& alt, const TStellung& neu);
void MarkierungenLoeschen();

// Into SurfaceBack at the viewport: the rings over the map (before the figures and stacks),
// the legend in the view's lower right corner (after the stacks, before the texts and cursor
// at the pointer). The rings need the sector picture; the distance of every map pixel to its
// sector's edge is taken from it once per picture held in SektorBild.
void RingeZeichnen();
// The legend goes to the lower left corner while the layers at the pointer (zeiger, view
// coordinates) reach into the lower right one and not into the left one, so that it never
// lies under the pointer's texts where it need not. Where it lies, empty while nothing is
// marked.
TRect LegendeRechteck(const TRect& zeiger);
void LegendeZeichnen(const TRect& zeiger = TRect{0, 0, 0, 0});
