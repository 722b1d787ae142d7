#pragma once
// Shared pieces of the fuzz targets: a scratch folder on a memory file system for the readers
// that take file names, and a check that stops the run with a message when an expectation
// about the code under test fails (libFuzzer then keeps the input that did it).
#include <cstddef>
#include <cstdint>
#include <string>

// A folder of this process, created on first use (in /dev/shm when there is one, so that
// writing an input per run costs no disk traffic) and removed at exit.
const std::string& FuzzOrdner();
// A path in that folder.
std::string FuzzDatei(const char* name);
// Writes the bytes as the whole file, plainly (the code under test does its own writes).
void FuzzDateiSchreiben(const std::string& pfad, const std::uint8_t* daten, std::size_t laenge);
// The file's bytes; empty when it cannot be read.
std::string FuzzDateiLesen(const std::string& pfad);

[[noreturn]] void FuzzFehler(const char* datei, int zeile, const char* bedingung, const std::string& text);
#define FUZZ_PRUEFEN(bedingung, text)                                          \
    do {                                                                       \
        if (!(bedingung)) FuzzFehler(__FILE__, __LINE__, #bedingung, (text));  \
    } while (0)
