#include "UMap.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "UBildaufbau.h"
#include "UFenster.h"
#include "UVariablen.h"

// The zoom correction is computed in x87 extended precision; its truncation differs from
// double precision exactly where the true value is whole (1200 wide from 2 to 3 gives 99).
static_assert(std::numeric_limits<long double>::digits == 64, "long double must have a 64-bit mantissa");

void ScrollUntenBegrenzen() {
    if (ScrollX < 0) ScrollX = 0;
    if (ScrollY < 0) ScrollY = 0;
}

void ScrollObenBegrenzen() {
    const std::int32_t w = ViewBreite / Zoom, h = ViewHoehe / Zoom;
    if (ScrollX + w > MapBreite) ScrollX = MapBreite - w;
    if (ScrollY + h > MapHoehe) ScrollY = MapHoehe - h;
}

void ViewBerechnen() {
    const std::int32_t breite = ViewBreite, hoehe = ViewHoehe;
    ViewUrsprung = Fenster->ClientUrsprung();
    ViewUrsprung.Y += Fenster->ToolBarHoehe();
    ViewBreite = Fenster->ClientBreite();
    ViewHoehe = Fenster->ClientHoehe() - Fenster->StatusBarHoehe() - Fenster->ToolBarHoehe();
    if (breite != ViewBreite || hoehe != ViewHoehe) ViewMarkieren();
}

void MapScrollen(std::int32_t x, std::int32_t y) {
    const std::int32_t scrollX = ScrollX, scrollY = ScrollY;
    ScrollX += x - LastMousePoint.X;
    ScrollY += y - LastMousePoint.Y;
    ScrollUntenBegrenzen();
    ScrollObenBegrenzen();
    if (scrollX != ScrollX || scrollY != ScrollY) ViewMarkieren();
    // With the option on, the anchor stays and the caller puts the pointer back on it.
    if (!MausStehtBeimScrollen) LastMousePoint = TPunkt{x, y};
}

std::int32_t ZoomKorrektur(std::int32_t alt, std::int32_t neu, std::int32_t groesse) {
    // One rounding per operation, in this order; volatile keeps the compiler from folding
    // or reordering the steps.
    volatile long double a = 1.0L / static_cast<long double>(alt);
    volatile long double n = 1.0L / static_cast<long double>(neu);
    volatile long double d = a - n;
    volatile long double h = static_cast<long double>(groesse) / 2.0L;
    volatile long double p = d * h;
    return static_cast<std::int32_t>(std::trunc(static_cast<long double>(p)));
}

void MapZoomen(std::int32_t schritt) {
    const std::int32_t alt = Zoom;
    Zoom += schritt;
    if (Zoom > ZoomMax) Zoom = ZoomMax;
    if (Zoom < ZoomMin) Zoom = ZoomMin;
    const std::int32_t neu = Zoom;
    // A step beyond the range leaves the zoom as it was and must not move the view either.
    if (neu != alt) ViewMarkieren();
    if (neu == alt || alt < ZoomMin || alt > ZoomMax) return;
    ScrollX += ZoomKorrektur(alt, neu, ViewBreite);
    ScrollY += ZoomKorrektur(alt, neu, ViewHoehe);
    if (schritt < 0) {
        ScrollUntenBegrenzen();
        ScrollObenBegrenzen();
    }
}

void MapZoomenAn(std::int32_t schritt, TPunkt p) {
    const std::int32_t neu = std::clamp(Zoom + schritt, ZoomMin, ZoomMax);
    if (neu == Zoom) return;
    const TMapPunkt m = ViewZuMap(p);
    Zoom = neu;
    ScrollX = Runden(m.X - static_cast<double>(p.X) / neu);
    ScrollY = Runden(m.Y - static_cast<double>(p.Y) / neu);
    ScrollUntenBegrenzen();
    ScrollObenBegrenzen();
    ViewMarkieren();
}

bool MapViertelScrollen(std::int32_t rx, std::int32_t ry) {
    const std::int32_t x = ScrollX, y = ScrollY;
    // At least one pixel, so that a key always moves a view not yet at the edge.
    ScrollX += rx * std::max(ViewBreite / Zoom / 4, 1);
    ScrollY += ry * std::max(ViewHoehe / Zoom / 4, 1);
    ScrollUntenBegrenzen();
    ScrollObenBegrenzen();
    if (ScrollX == x && ScrollY == y) return false;
    ViewMarkieren();
    return true;
}

void ViewAnpassen() {
    // The window asks for the view anew: all of it is drawn.
    ViewMarkieren();
    ViewBerechnen();
    const bool zuBreit = ViewBreite > MaxViewBreite, zuHoch = ViewHoehe > MaxViewHoehe;
    if (zuBreit || zuHoch) {
        // The window is asked for the largest view; its next resize brings a new frame. This
        // one is drawn with the size it shrinks to, whenever (and whether) it does.
        const std::int32_t breite = zuBreit ? Fenster->FensterBreite() - Fenster->ClientBreite() + MaxViewBreite
                                            : Fenster->FensterBreite();
        const std::int32_t hoehe = zuHoch ? Fenster->FensterHoehe() - Fenster->ClientHoehe() + MaxViewHoehe +
                                                Fenster->StatusBarHoehe() + Fenster->ToolBarHoehe()
                                          : Fenster->FensterHoehe();
        Fenster->FensterGroesseSetzen(breite, hoehe);
        ViewBreite = std::min(ViewBreite, MaxViewBreite);
        ViewHoehe = std::min(ViewHoehe, MaxViewHoehe);
    }
    ScrollObenBegrenzen();
    RenderFrame();
}
