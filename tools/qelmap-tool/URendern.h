#pragma once
// The picture of render, in pieces that the web page draws with too.
#include <QByteArray>
#include <string>

#include "UBild.h"
#include "UDateien.h"

struct TBefehlParser;

// Sets the display up for pictures of up to breite x hoehe view pixels, from the pictures of
// the data folder; a display failure ends the command with its text, not the process.
void AnzeigeEinrichten(const TBefehlParser& p, int breite, int hoehe);

// Which sectors changed from alt to neu (the piece list holds neu afterwards); true when any did.
// The sector picture must be loaded for the marks to be drawn.
bool MarkierungenBerechnen(const TMapDaten& alt, const TMapDaten& neu);

// The layers of render at the current viewport, into the back surface: the map, the rings of
// the marks, the ICP figures, the stacks and their counts, the names and the marks' legend.
void AnsichtZeichnen(bool icps, bool namen, bool markiert);

// A picture as PNG; a failure names datei.
QByteArray PngKodieren(const TBild& bild, const std::string& datei);
