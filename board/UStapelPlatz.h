#pragma once
// Where a new stack goes so that it hides no other: its piece may cover at most a quarter of
// another stack's piece where it was put down; otherwise it moves to the nearest point of the
// same sector where it covers none. Pieces are measured in map pixels as at zoom 1.
#include <cstdint>

#include "UVariablen.h"

// The point for a new stack of sector s put down at m: m itself, or the nearest point (m moved
// by whole map pixels, at most StapelPlatzRadius away) whose sector is s and whose piece covers
// no other stack's piece. m when there is no such point.
TMapPunkt FreierStapelPlatz(std::uint8_t s, TMapPunkt m);
constexpr int StapelPlatzRadius = 80;

// How much of the piece of a stack at b a piece at a covers, as a share of one piece (0..1).
double PieceUeberdeckung(TMapPunkt a, TMapPunkt b);
