#include "UFenster.h"

#include <algorithm>
#include <cstdio>

#include "UDateien.h"

TOhneFenster OhneFenster;
IFenster* Fenster = &OhneFenster;

TFensterPlatz TOhneFenster::PlatzErfassen(TFenster fenster) { return FensterPlaetze[fenster]; }

void TOhneFenster::FehlerZeigen(const std::string& text) {
    std::fprintf(stderr, "Error: %s\n", text.c_str());
    std::fflush(stderr);
}

namespace {

// One axis: von..bis the area's, laenge the window's.
int Achse(int a, int laenge, int von, int bis, bool obenKante) {
    if (laenge <= bis - von) return std::clamp(a, von, bis - laenge);
    const int sichtbar = std::min(PlatzSichtbar, bis - von);
    return std::clamp(a, obenKante ? von : von - (laenge - sichtbar), bis - sichtbar);
}

}  // namespace

TPunkt PlatzAufFlaeche(int links, int oben, int breite, int hoehe, const TRect& flaeche) {
    return TPunkt{Achse(links, breite, flaeche.Left, flaeche.Right, false),
                  Achse(oben, hoehe, flaeche.Top, flaeche.Bottom, true)};
}
