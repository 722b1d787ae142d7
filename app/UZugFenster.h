#pragma once
// The turn window (the changes of the shown turn against the turn before, in words) and the
// trends window (the charts of the map list, the shown turn marked; a click on a point shows
// that turn).
class QPlainTextEdit;
class QWidget;
class TMapForm;

void ZugFensterErzeugen(TMapForm* f);
// Both windows follow the shown turn and the map list; the trends are counted anew when the
// list changed or dateien says that a file of it may have (a save over a turn file).
void ZugFensterAktualisieren(bool dateien = false);
void ZugFensterZeigen(bool an);
// The two windows' places and whether they are shown, kept in the settings file: put back at
// start, written at close (a settings file that cannot be written is said on standard error).
void ZugFensterPlaetzeLaden();
void ZugFensterPlaetzeSichern();
// Both back to the sizes and places of a first start ("reset window places").
void ZugFensterPlaetzeZuruecksetzen();
void TrendFensterZeigen(bool an);

extern QWidget *ZugForm, *TrendForm;
extern QPlainTextEdit* ZugText;
