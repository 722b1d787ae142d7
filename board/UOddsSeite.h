#pragma once
// The two sides of a battle as the odds' chain sees them: each side's units of the battle in
// its order of loss, and per state of the side the units left and the hits they score.
#include <vector>

#include "USchlacht.h"

constexpr int OddsArten = ArtenAnzahl + 1;

// One side: its units of the battle as two tracks in its order of loss, the ships (at sea) and
// the others (land and air units, or the air units at sea). A state is how many of each track
// are lost: a hit only ships may take goes to the first ship left, any other hit to the first
// unit left, so what is left is always the two tracks' ends.
struct TSeite {
    int S = 0, G = 0, n = 1;
    std::vector<TEinheitArt> schiff, andere;
    std::vector<int> weiter;   // the state after one hit that any unit may take
    std::vector<int> uebrig;   // units left
    std::vector<int> uboote;   // per s: submarines among the ships s..S-1
    std::vector<int> land;     // per g: land units among the others g..G-1
    std::vector<int> zahlSchiff, zahlAndere;  // per s or g, OddsArten entries: units of each kind left
    int kappe = 0;             // hits beyond the other side's units are lost
    std::vector<double> feuer;  // per state kappe+1 entries: the hits of every unit left but the
                                // submarines, the last entry "kappe or more"
    std::vector<int> feuerLaenge;
    std::vector<double> binom;  // submarine fire: the row of k submarines starts at k(k+1)/2
    int Index(int s, int g) const { return s * (G + 1) + g; }
    int Verloren(int i) const { return i / (G + 1); }  // ships lost
    int Schiffe(int i) const { return S - i / (G + 1); }
};


// The side's units of the battle in its order of loss: ships and the others apart, the
// attacker's last KeepLand land units moved behind the rest (land battles), the first aaTreffer
// air units taken off.
void SeiteAufstellen(TSeite& z, const TSchlacht& b, bool angreifer, int aaTreffer);
// Everything that depends on the units and on the other side's size kappe: the states' units
// left, next states, submarines, counts by kind and fire.
void SeiteTabellen(TSeite& z, const TSchlacht& b, bool angreifer, int kappe);
// Rows 0..maxN of the binomial distribution with p; row k starts at k(k+1)/2.
void Binomial(std::vector<double>& tab, int maxN, double p);
