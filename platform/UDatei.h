#pragma once
// Whole-file reads and crash-safe whole-file writes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Reads the whole file, or its first hoechstens bytes; raises EDateiFehler naming the file
// when it cannot be opened or read.
std::vector<std::uint8_t> DateiLesen(const std::string& pfad, std::size_t hoechstens = SIZE_MAX);

// Writes a temporary file beside the target, flushes it to disk and renames it over the
// target. On any failure the temporary file is removed, the target is left as it was,
// and EDateiFehler names the target. A link is written through; a folder, device or pipe
// standing at the target's name is refused.
void DateiSchreiben(const std::string& pfad, const void* daten, std::size_t laenge);

bool DateiExistiert(const std::string& pfad);
