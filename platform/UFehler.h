#pragma once
// Errors raised by the file and platform layers. The message always names the
// file and says what went wrong; only the windows show it.
#include <new>
#include <stdexcept>
#include <string>

struct EDateiFehler : std::runtime_error {
    std::string Datei;
    EDateiFehler(const std::string& datei, const std::string& was)
        : std::runtime_error(datei + ": " + was), Datei(datei) {}
};

// The text of an error for a message. The program's own errors (file errors and the like)
// say what and where themselves; the library's are put into words, never shown bare.
inline std::string FehlerText(const std::exception& e) {
    if (dynamic_cast<const std::runtime_error*>(&e)) return e.what();
    if (dynamic_cast<const std::bad_alloc*>(&e)) return "there is not enough memory for this";
    return std::string("an unexpected error (") + e.what() + ")";
}
