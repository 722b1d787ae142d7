#pragma once
// Shared piece of the fuzz targets: a check that stops the run with a message when an
// expectation about the code under test fails (libFuzzer then keeps the input that did it).
#include <string>

[[noreturn]] void FuzzFehler(const char* datei, int zeile, const char* bedingung, const std::string& text);
#define FUZZ_PRUEFEN(bedingung, text)                                          \
    do {                                                                       \
        if (!(bedingung)) FuzzFehler(__FILE__, __LINE__, #bedingung, (text));  \
    } while (0)
