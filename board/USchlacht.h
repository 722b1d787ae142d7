#pragma once
// A battle as the odds and the dice see it: the units of both sides, land or sea, the options
// and each side's order of loss; the kinds' values in battle; reading unit lists and orders.
#include <cstdint>
#include <string>

#include "UVariablen.h"

constexpr int SchlachtMaxAnzahl = 255;  // units of one kind on one side that a battle may have
constexpr int OrderLaenge = 8;          // the kinds that can be lost: Infantry to Battleship

struct TSchlacht {
    std::uint16_t Angreifer[ArtenAnzahl + 1];    // count per kind 1..11 (index 0 unused)
    std::uint16_t Verteidiger[ArtenAnzahl + 1];
    bool See;
    std::uint16_t Bombard;       // battleships bombarding a land battle
    bool Jets, SuperSubs, HeavyBombers;
    std::uint16_t RetreatAfter;  // 0: off
    std::int32_t RetreatAt;      // below 0: off
    std::uint16_t KeepLand;
    TEinheitArt OrderAngreifer[OrderLaenge];  // the first lost first
    TEinheitArt OrderVerteidiger[OrderLaenge];
};

// Cheapest first, kinds of one value by kind number.
extern const TEinheitArt StandardOrder[OrderLaenge];

// No units, no options, the default orders, a land battle.
void SchlachtLeeren(TSchlacht& s);

inline bool IstLandeinheit(unsigned art) { return art == eaInfanterie || art == eaPanzer; }
inline bool IstLufteinheit(unsigned art) { return art == eaJaeger || art == eaBomber; }
inline bool IstSchiff(unsigned art) { return art >= eaTransporter && art <= eaSchlachtschiff; }
// Whether units of the kind fight in a land or a sea battle (the AA gun only fires before it).
inline bool KaempftMit(unsigned art, bool see) {
    return IstLufteinheit(art) || (see ? IstSchiff(art) : IstLandeinheit(art));
}
// The value a die must not exceed to hit, with the battle's options.
int Angriffswert(unsigned art, const TSchlacht& s);
int Verteidigungswert(unsigned art, const TSchlacht& s);

// A list of units: counts followed by short kind names, in any case, with or without a space,
// separated by spaces or commas ("8 inf, 3arm 1 AA"). False, with a message that names the part
// that is wrong, for anything else or a count above SchlachtMaxAnzahl.
bool EinheitenLesen(const std::string& text, std::uint16_t anzahl[ArtenAnzahl + 1], std::string& fehler);
// An order of loss: short names separated by commas or spaces. A kind named twice keeps its first
// place, AA, IC and F are ignored, the kinds left out follow in the default order.
bool OrderLesen(const std::string& text, TEinheitArt order[OrderLaenge], std::string& fehler);
// A sea battle when either side has a ship.
bool HatSchiffe(const std::uint16_t anzahl[ArtenAnzahl + 1]);
