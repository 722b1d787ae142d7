#pragma once
// Errors raised by the file and platform layers. The message always names the
// file and says what went wrong; only the windows show it.
#include <stdexcept>
#include <string>

struct EDateiFehler : std::runtime_error {
    std::string Datei;
    EDateiFehler(const std::string& datei, const std::string& was)
        : std::runtime_error(datei + ": " + was), Datei(datei) {}
};
