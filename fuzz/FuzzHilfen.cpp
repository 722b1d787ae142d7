#include "FuzzHilfen.h"

#include <cstdio>
#include <cstdlib>

void FuzzFehler(const char* datei, int zeile, const char* bedingung, const std::string& text) {
    std::fprintf(stderr, "\n%s:%d: expectation failed: %s\n  %s\n", datei, zeile, bedingung, text.c_str());
    std::fflush(stderr);
    std::abort();
}
