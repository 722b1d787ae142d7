#pragma once
// The texts of the battle window: the odds table, the losses, the battle's title line.
#include <cstdint>
#include <string>

#include "UOdds.h"
#include "USchlacht.h"
#include "UVariablen.h"

// The rows of the window: the kinds that can fight, and the AA gun.
constexpr int SchlachtArtenAnzahl = 9;
extern const TEinheitArt SchlachtArten[SchlachtArtenAnzahl];

// Both sides' chances, the units expected left, the ICPs lost and the rounds, a line each.
std::string OddsText(const TSchlacht& s, const TOdds& o);
// "-2 Inf, -1 Arm", or "-" for none.
std::string Verlustliste(const std::uint16_t* v);
// Whether the kind has a count on that side of a land or sea battle: the AA gun only with
// the defender on land.
bool Beteiligt(TEinheitArt k, int seite, bool see);
// Whether there is a battle to play: the attacker has a unit of the battle and so has the
// defender, whose AA gun alone on land is one.
bool BeideSeiten(const TSchlacht& s);
// "no battle: no defender" (or attacker, or both) where a side has no unit of the battle;
// empty where there is a battle.
std::string KeineSchlacht(const TSchlacht& s);
// "Russia and United Kingdom": the powers of the other side with units of the battle in the
// sector; empty for none.
std::string Verteidiger(std::uint8_t s, TBesitzer angreifer, bool see);
// "Karelia (7), land battle against Russia and United Kingdom".
std::string Titel(std::uint8_t s, TBesitzer angreifer, bool see);
