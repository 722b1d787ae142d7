#pragma once
// The viewport: which rectangle of the map the view shows (scroll position, zoom) and the
// operations that change it. The figures themselves live in UVariablen.
#include <cstdint>

#include "UVariablen.h"

// The upper clamp is ScrollX + ViewBreite div Zoom <= MapBreite (y likewise); the lower
// one 0 <= ScrollX. Each operation applies the halves it needs.
void ScrollUntenBegrenzen();
void ScrollObenBegrenzen();

// View origin and size from the main window.
void ViewBerechnen();
// One step of drag scrolling to the client point (x, y).
void MapScrollen(std::int32_t x, std::int32_t y);
// One zoom step about the view centre; schritt +1 or -1.
void MapZoomen(std::int32_t schritt);
// The term by which a zoom step from alt to neu moves the scroll position for a view
// extent of groesse pixels, truncated toward zero.
std::int32_t ZoomKorrektur(std::int32_t alt, std::int32_t neu, std::int32_t groesse);
// One zoom step that keeps the map point under the view point p under it, as far as the map's
// edges let it; schritt +1 or -1. A step beyond the zoom range changes nothing.
void MapZoomenAn(std::int32_t schritt, TPunkt p);
// Scrolls by a quarter of the visible part of the map, rx and ry -1, 0 or +1 (+1: further
// right or down on the map). False when the view stayed where it was (at the map's edge).
bool MapViertelScrollen(std::int32_t rx, std::int32_t ry);
// Where the window asks for a new frame (its size or exposure changed) and where it is to be
// repainted: limit the window size, clamp, draw a frame.
void ViewAnpassen();
