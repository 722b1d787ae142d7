#pragma once
// A battle's result entered on the board: who attacks a sector by default, whether the given
// losses take it, and the losses taken off its stacks as one step named in words.
#include <cstdint>
#include <string>

#include "USchlacht.h"

// The power that entered the sector last: the owner of the last stack in the piece list of a
// power other than the sector's holder, among the units that fight there (a flag or an
// industrial complex never attacks); without one, the owner of the last such stack of any
// power; 0 when the sector has none.
TBesitzer SchlachtAngreiferVorgabe(std::uint8_t sektor);

// Whether the battle with these losses ends with the attacker in the sector: a land battle in
// which every defending unit is lost (an AA gun does not count) and one of the attacker's land
// units is left.
bool SchlachtEingenommen(const TSchlacht& s, const std::uint16_t angreiferVerluste[ArtenAnzahl + 1],
                         const std::uint16_t verteidigerVerluste[ArtenAnzahl + 1]);

// Takes the losses off the sector's stacks and, when taken, plants the attacker's flag there,
// as one step that undo takes back whole. Gives the step's words, the losses as the stacks
// lost them, each power apart: "Germany attacks Karelia: -3 Infantry, Russia -4 Infantry,
// Karelia taken".
std::string SchlachtEintragen(std::uint8_t sektor, TBesitzer angreifer,
                              const std::uint16_t angreiferVerluste[ArtenAnzahl + 1],
                              const std::uint16_t verteidigerVerluste[ArtenAnzahl + 1], bool eingenommen);
