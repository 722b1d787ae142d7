#pragma once
// The places of the main window and the floating windows: applied from the settings,
// corrected once the window manager's frame is known, captured for the settings, and laid
// out beside each other at a first start.
#include "UFenster.h"

class QWidget;

// Whether the window system lets the program place windows; says so on standard error if not.
bool PlatzierbarPruefen();

void FensterPlatzAnwenden(TFenster fenster, const TFensterPlatz& platz);
TFensterPlatz FensterPlatzErfassen(TFenster fenster);
// Another floating window with a place of its own in the settings: put with its frame at
// (links, oben) on the screen, applied again once its frame is known, as the windows above.
// With groesse its size too is made to fit the screen's free area with its frame, down to
// the smallest size its contents need.
void RahmenPlatzAnwenden(QWidget* w, int links, int oben, bool groesse = false);

// The settings file names the place of at least one window.
bool PlaetzeGenannt();
// Places for a start without a settings file, or one that names no place: every window
// wholly on the screen, none over another.
void ErsterStartPlaetze();
// Every window where a first start puts it, the main window at its first size.
void FensterPlaetzeZuruecksetzen();
