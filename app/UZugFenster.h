#pragma once
// The turn window (the changes of the shown turn against the turn before, in words) and the
// trends window (the charts of the map list, the shown turn marked; a click on a point shows
// that turn).
class QPlainTextEdit;
class QWidget;
class TMapForm;

void ZugFensterErzeugen(TMapForm* f);
// Both windows follow the shown turn and the map list.
void ZugFensterAktualisieren();
void ZugFensterZeigen(bool an);
// The two windows' places and whether they are shown, kept in the settings file: put back at
// start, written at close (a settings file that cannot be written is said on standard error).
void ZugFensterPlaetzeLaden();
void ZugFensterPlaetzeSichern();
void TrendFensterZeigen(bool an);

extern QWidget *ZugForm, *TrendForm;
extern QPlainTextEdit* ZugText;
