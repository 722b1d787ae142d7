#pragma once
// The change between a board kept aside and the board as it is, as bytes that put either side
// back exactly: the runs of stacks that differ (a stack taken out of the middle moves no other
// record), only the bytes that differ where a run keeps its length, the sectors that differ,
// the slots beyond the count that would come out otherwise, and the names. Fixed work areas;
// nothing allocates but the names.
#include <cstddef>
#include <cstdint>
#include <string>

#include "UVariablen.h"

// A whole board: every slot of the piece list, the count, the sector table, MapName and the
// caption's name.
struct TStand {
    TEinheit Einheiten[MaxEinheiten + 1];
    std::int32_t Anzahl;
    TSektor Sektoren[SektorenAnzahl + 1];
    std::string Name, Titel;
};
extern std::string MapTitel;

void StandNehmen(TStand& s);
void StandSetzen(const TStand& s);
bool StandGleich(const TStand& s);
// The board differs from s in the piece list at most.
bool NurEinheitenAnders(const TStand& s);

// Works out the change from 'vorher' to the board and gives the bytes it takes with a text.
std::size_t AenderungErmitteln(const TStand& vorher, const std::string& text);
// Writes the change last worked out (while 'vorher' and the board stay as they were).
void AenderungSchreiben(const std::string& text, std::uint8_t* ziel);
// Puts the side after a change, or with rueck the side before, onto the board.
void AenderungAnwenden(const std::uint8_t* daten, bool rueck);
std::string AenderungText(const std::uint8_t* daten);
// The fixed work areas, in bytes.
extern const std::size_t AenderungSpeicher;
