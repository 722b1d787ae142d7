#pragma once
// Whole-file reads and crash-safe whole-file writes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Reads the whole file; raises EDateiFehler naming the file when it cannot be opened or read,
// and at once, before reading anything, when it has more than grenze bytes (art names the
// kind of file in that message: "a map file").
std::vector<std::uint8_t> DateiLesen(const std::string& pfad, std::size_t grenze, const char* art);

// Writes a temporary file beside the target, flushes it to disk and renames it over the
// target. On any failure, a file size limit included, the temporary file is removed, the
// target is left as it was, and EDateiFehler names the target and says why. A link is written
// through, also when the file it names does not exist yet; a loop of links, a folder, device
// or pipe at the target's name and a read-only target are refused. The new file has the
// permissions of the one it replaces, or 0666 less the umask. After a save, temporary files
// that interrupted saves of the same target left beside it are removed.
void DateiSchreiben(const std::string& pfad, const void* daten, std::size_t laenge);

// The temporary files of saves of a target (the file a link leads to) are named with this
// prefix and six characters more: ".qelmap-", eight hex digits from the target's name, "-".
std::string TempDateiPraefix(const std::string& ziel);

bool DateiExistiert(const std::string& pfad);
