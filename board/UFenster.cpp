#include "UFenster.h"

#include <cstdio>

#include "UDateien.h"

TOhneFenster OhneFenster;
IFenster* Fenster = &OhneFenster;

TFensterPlatz TOhneFenster::PlatzErfassen(TFenster fenster) { return FensterPlaetze[fenster]; }

void TOhneFenster::FehlerZeigen(const std::string& text) {
    std::fprintf(stderr, "Error: %s\n", text.c_str());
    std::fflush(stderr);
}
