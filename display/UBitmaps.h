#pragma once
// The pictures the display draws from: the map, the pieces sheet, the optional own piece
// set, the sector index picture and the four alert lights, read from the current directory.
// A missing or unreadable picture raises EDateiFehler naming it.
#include <cstdint>

#include "UBild.h"

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

// Counts every change of the pictures in the display's surfaces (each load and the set-up),
// so that drawing kept from an earlier frame can tell it is out of date. Whatever writes into
// SurfaceMap, SurfacePieces or SurfaceOwnPieces by other means calls BilderGeaendert after.
extern std::uint32_t BilderGeneration;
void BilderGeaendert();

extern TBild GruenesLicht, GelbesLicht, DunkelrotesLicht, RotesLicht;
