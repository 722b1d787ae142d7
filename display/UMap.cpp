#include "UMap.h"

#include <cmath>
#include <limits>

#include "UDDrawInit.h"
#include "UGrafik.h"
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
    TPunkt ursprung;
    std::int32_t breite, hoehe, toolBar, statusBar;
    if (Hauptfenster) {
        ursprung = Hauptfenster->ClientUrsprung();
        breite = Hauptfenster->ClientBreite();
        hoehe = Hauptfenster->ClientHoehe();
        toolBar = Hauptfenster->ToolBarHoehe();
        statusBar = Hauptfenster->StatusBarHoehe();
    } else {
        ursprung = FensterMasse.ClientUrsprung;
        breite = FensterMasse.ClientBreite;
        hoehe = FensterMasse.ClientHoehe;
        toolBar = FensterMasse.ToolBarHoehe;
        statusBar = FensterMasse.StatusBarHoehe;
    }
    ViewUrsprung = ursprung;
    ViewUrsprung.Y += toolBar;
    ViewBreite = breite;
    ViewHoehe = hoehe - statusBar - toolBar;
}

void MapScrollen(std::int32_t x, std::int32_t y) {
    ScrollX += x - LastMousePoint.X;
    ScrollY += y - LastMousePoint.Y;
    ScrollUntenBegrenzen();
    ScrollObenBegrenzen();
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
    if (Zoom > 6) Zoom = 6;
    if (Zoom < 1) Zoom = 1;
    const std::int32_t neu = Zoom;
    // A step beyond 1..6 leaves the zoom as it was and must not move the view either.
    if (neu == alt || alt < 1 || alt > 6) return;
    ScrollX += ZoomKorrektur(alt, neu, ViewBreite);
    ScrollY += ZoomKorrektur(alt, neu, ViewHoehe);
    if (schritt < 0) {
        ScrollUntenBegrenzen();
        ScrollObenBegrenzen();
    }
}

void ViewAnpassen() {
    // Qt may resize a window later than asked; the repaint asked for below must then not
    // ask again and again, so the limiting runs only in the outermost call.
    static int tiefe = 0;
    ViewBerechnen();
    if (Hauptfenster && tiefe == 0) {
        ++tiefe;
        if (ViewBreite > MaxViewBreite) {
            Hauptfenster->FensterBreiteSetzen(Hauptfenster->FensterBreite() - Hauptfenster->ClientBreite() +
                                              MaxViewBreite);
            Hauptfenster->SofortNeuZeichnen();
        }
        if (ViewHoehe > MaxViewHoehe) {
            Hauptfenster->FensterHoeheSetzen(Hauptfenster->FensterHoehe() - Hauptfenster->ClientHoehe() +
                                             MaxViewHoehe + Hauptfenster->StatusBarHoehe() +
                                             Hauptfenster->ToolBarHoehe());
            Hauptfenster->SofortNeuZeichnen();
        }
        --tiefe;
    }
    ScrollObenBegrenzen();
    RenderFrame();
}
