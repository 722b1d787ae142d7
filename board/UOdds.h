#pragma once
// The exact odds of a battle: a chain over the units left on both sides, each round's
// "nothing happens" summed in closed form.
#include <string>

#include "USchlacht.h"

struct TOdds {
    double AngreiferGewinnt, Eingenommen, VerteidigerGewinnt, Unentschieden, Rueckzug;
    double AngreiferUebrig[ArtenAnzahl + 1];    // expected units left per kind
    double VerteidigerUebrig[ArtenAnzahl + 1];
    double AngreiferVerlust, VerteidigerVerlust;  // expected loss in ICPs
    double Runden;                                // expected rounds fought
    double AngreiferStart, VerteidigerStart;      // value in ICPs of the units of the battle
};

// Computes the odds. False, with the reason in fehler, when the battle is too large: more than
// SchlachtMaxAnzahl of a kind, or beyond OddsArbeitsGrenze steps or OddsZustandsGrenze states.
bool OddsBerechnen(const TSchlacht& s, TOdds& o, std::string& fehler);

// A figure of the odds as the battle window and the tool print it: v in printf's format
// ("%.2f"), a chance as "12.34 %".
std::string OddsZahl(double v, const char* format);
std::string OddsProzent(double p);

constexpr double OddsArbeitsGrenze = 1.2e9;
constexpr double OddsZustandsGrenze = 8e6;
