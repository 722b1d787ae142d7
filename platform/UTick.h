#pragma once
#include <cstdint>
// Milliseconds since an arbitrary start, wrapping like the system tick counter.
std::uint32_t GetTickCount();
