#pragma once
// Operations on the piece list.
#include <cstdint>
#include "UVariablen.h"

// Number of the topmost stack whose hit rectangle contains the view point p, 0 if none.
std::int32_t EinheitAnPunkt(TPunkt p);
// First stack of sector, kind and owner: its number and count (both 0 when there is none).
void EinheitSuchen(std::uint8_t sektor, TEinheitArt art, TBesitzer besitzer, std::uint16_t& nummer,
                   std::uint16_t& anzahl);
// Places n pieces at map point m: merges into the first matching stack (at most 100) or adds a
// stack, at m or, where its piece would hide another, at the nearest free point of the sector.
// A flag takes the sector: the flags of every other power there are removed first.
void EinheitenSetzen(TMapPunkt m, TEinheitArt art, TBesitzer besitzer, std::uint16_t anzahl);
// Removes the flag stacks of every power but besitzer from the sector.
void FremdeFlaggenEntfernen(std::uint8_t sektor, TBesitzer besitzer);
// Appends a stack; a full list refuses it silently.
void EinheitHinzufuegen(std::uint8_t sektor, TEinheitArt art, TBesitzer besitzer, double x, double y,
                        std::uint16_t anzahl);
// Removes stack i, keeping the order of the others; i outside 1..EinheitenAnzahl does nothing.
void EinheitLoeschen(std::uint32_t i);
// Takes n pieces off stack i, deleting it when n is not less than its count.
void EinheitReduzieren(std::uint32_t i, std::uint16_t n);
