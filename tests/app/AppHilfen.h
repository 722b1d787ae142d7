#pragma once
// A board folder for the program's tests, and starting and ending the program in it.
#include <QPoint>
#include <cstdint>
#include <string>

#include "TestHilfen.h"
#include "UVariablen.h"

// Writes a small board of our own into the folder: four sectors and one of number 128,
// the pictures, the sector file and a start position of two stacks.
void KleinesBrett(const std::string& ordner);
// The default board of data/ when it is there, else the small board.
void BrettKopieren(const std::string& ordner);
bool StandardBrettVorhanden();

// A map point well inside sector s (no other value within rand pixels) that the view shows,
// found in SektorBild.
bool PunktIn(std::uint8_t s, TMapPunkt& m, int rand = 6);
// A map pixel of value 0 or 255 (a border or no sector) that the view shows.
bool GrenzPunkt(TMapPunkt& m);
// The first land sector numbered 1..127 with such a point, other than the ones given.
std::uint8_t LandSektor(std::uint8_t ausser1 = 0, std::uint8_t ausser2 = 0);

// A started program in a scratch copy of the board; ended and removed on destruction.
class Lauf {
public:
    explicit Lauf(bool starten = true, bool zeigen = true);
    ~Lauf();
    Lauf(const Lauf&) = delete;
    Lauf& operator=(const Lauf&) = delete;
    const std::string& Ordner() const { return ordner_.Pfad(); }
    std::string Datei(const std::string& name) const { return ordner_.Datei(name); }
    bool Gestartet() const { return gestartet_; }
    // Runs the start-up (when the constructor did not).
    bool Starten();
    void Schliessen();

private:
    TempOrdner ordner_;
    ImOrdner* im_ = nullptr;
    bool gestartet_ = false;
    bool zeigen_;
};

// The client point of the main window over a map point (at the current scroll and zoom).
QPoint ClientPunkt(TMapPunkt m);
