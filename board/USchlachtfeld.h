#pragma once
// A battle on the board: the two sides' units in a sector, the battle played with dice round by
// round, and its losses taken off the sector's stacks.
#include <cstdint>
#include <random>
#include <vector>

#include "USchlacht.h"

// The units of the power in the sector attack, every unit of the other side there defends (in
// a sea sector land units are cargo and left out; flags and industrial complexes always). The
// sector table says land or sea. Counts above 65535 are cut there. False for a sector outside
// 1..SetzSektoren or an attacker outside 1..5.
bool SchlachtAusSektor(std::uint8_t sektor, TBesitzer angreifer, TSchlacht& s);
// The Axis powers (Germany, Japan) fight the Allies.
bool IstAchse(TBesitzer besitzer);

enum TAusgang : std::uint8_t { agAngreifer, agVerteidiger, agUnentschieden, agRueckzug };

struct TWurf {
    TAusgang Ausgang;
    bool Eingenommen;
    std::uint16_t AngreiferVerluste[ArtenAnzahl + 1];  // per kind
    std::uint16_t VerteidigerVerluste[ArtenAnzahl + 1];
    int Runden;
};

// The losses of one round; those of the AA fire and the bombardment count in the first.
struct TWurfRunde {
    std::uint16_t AngreiferVerluste[ArtenAnzahl + 1];
    std::uint16_t VerteidigerVerluste[ArtenAnzahl + 1];
};

// Plays the battle with dice from zufall, casualties by the orders of loss; with runden, the
// losses of each round fought, in order.
void SchlachtWuerfeln(const TSchlacht& s, std::mt19937_64& zufall, TWurf& w, std::vector<TWurfRunde>* runden = nullptr);
// The same with dice from the system's random source.
void SchlachtWuerfeln(const TSchlacht& s, TWurf& w);

// Takes the losses off the sector's stacks: the attacker's off its own stacks, the defender's
// off the other side's stacks of each kind in list order. When the attacker took the sector its
// flag is planted there and the other powers' flags go. The tallies are refreshed once.
void VerlusteAnwenden(std::uint8_t sektor, TBesitzer angreifer, const std::uint16_t angreiferVerluste[ArtenAnzahl + 1],
                      const std::uint16_t verteidigerVerluste[ArtenAnzahl + 1], bool eingenommen);
