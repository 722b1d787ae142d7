#pragma once
// The pictures the display draws from: the map, the pieces sheet, the optional own piece
// set, the sector index picture and the four alert lights, read from the current directory.
// A missing or unreadable picture raises EDateiFehler naming it.
#include <cstdint>
#include <string>

#include "UBild.h"

// The folder the pictures are read from; empty (the program's case) for the current directory.
extern std::string BilderOrdner;

extern const char* const MapBildDatei;
extern const char* const PiecesBildDatei;
extern const char* const OwnPiecesBildDatei;
extern const char* const SektorBildDatei;

// Probes for the own piece set and notes its size; runs before CreateObjects.
void OwnPiecesPruefen();
// MapBildLaden, PiecesBildLaden, SektorBildLaden and LichterLaden, in this order.
void BitmapsLaden();
void MapBildLaden();
// Also the own pieces and the piece geometry.
void PiecesBildLaden();
void SektorBildLaden();
void LichterLaden();

extern TBild GruenesLicht, GelbesLicht, DunkelrotesLicht, RotesLicht;
