#pragma once
// What happens on the map when the mouse moves, keys are pressed or buttons clicked:
// pointer inspection, drag scrolling, zooming, and placing, moving and deleting pieces.
// The main window forwards its events here; what these reactions need back from the
// window (focus, pointer, popup, tool bar height, status bar) goes through Fenster.
#include <cstdint>
#include <string>

#include "UVariablen.h"

struct TShiftState {
    bool Shift = false, Ctrl = false, Alt = false;
    bool Links = false, Rechts = false, Mitte = false;  // buttons held
};

enum TMausKnopf { mkLinks, mkRechts, mkMitte, mkAndere };  // mkAndere: back, forward and the like

void MouseMoved(TShiftState shift, int x, int y);
void KeyPressed(char key);
// The mouse wheel over the map view at the client point (x, y): a zoom step per notch
// (raster > 0 in, < 0 out) about the map point under the pointer.
void MausRad(int raster, int x, int y);
// An arrow key: the view scrolls by a quarter of itself, rx and ry -1, 0 or +1; a sideways
// wheel gives as many quarters as notches.
void PfeilGedrueckt(int rx, int ry);
// What lies under the pointer, read anew after the map moved beneath it (a zoom, a scroll):
// the status bar, the stack and the sector there, and the sector information window.
void ZeigerAuswerten();
void MausGedrueckt(TMausKnopf knopf, TShiftState shift, int x, int y);
void MausLosgelassen(TMausKnopf knopf, TShiftState shift, int x, int y);
// Key down and key up: the count of the delete and place tools follows Shift and Ctrl.
void TasteGeaendert(TShiftState shift);

// Units still carried go back where they were picked up, and the carry is no step: before
// another tool is chosen, on Escape, on the right button, and before undo. Since undo puts
// carried units back, the window hears of every pick-up and every end of a carry as a change
// of the steps (SchritteGeaendert).
void GetrageneZuruecklegen();

// The count rule of picking up from a stack of the given size.
std::uint16_t AufnahmeAnzahl(TShiftState shift, std::uint16_t stapel);

// What the status bar adds where the sector value s takes no piece (a border, an area of no
// sector or one that takes none): " // no pieces here: " and which; empty where pieces stand.
std::string KeinePiecesText(std::uint8_t s);
