#pragma once
// The program's own pseudo-random sequence, the same in every run, and the command that
// scatters units with it.
#include <cstdint>

extern std::uint32_t ZufallSeed;  // 0 at program start
// A number from 0 to n-1.
std::uint32_t Zufall(std::uint32_t n);
// 100 single units at random map points, each placed with EinheitenSetzen.
void ZufallsEinheiten();
