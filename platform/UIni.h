#pragma once
// Initialisation files ("[Section]" and "Key=Value" lines), with the behaviour of the
// classic profile-string calls: sections and keys match without regard to case, a value
// is updated in place with every other line kept, and a missing section is added at the
// end on the first write. A file is read whole into its lines, looked up and changed in
// memory, and written whole.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Far above any settings file, which has a few hundred bytes.
constexpr std::size_t IniDateiGrenze = 1 << 20;

struct TIniText {
    std::vector<std::string> Zeilen;  // without their line ends
    bool Bom = false;                 // the file began with a UTF-8 byte-order mark, kept on writing
};

// Splits the bytes of a file into lines; a UTF-8 byte-order mark at the start is set aside.
TIniText IniParsen(const std::uint8_t* daten, std::size_t laenge);
// The file's bytes again: the mark if there was one, then every line ended by CR LF.
std::string IniText(const TIniText& ini);

// The value of key in section, or vorgabe when the section or the key is missing. Leading
// and trailing blanks of the value are dropped; at most 2047 characters are returned.
std::string IniWert(const TIniText& ini, const std::string& sektion, const std::string& schluessel,
                    const std::string& vorgabe);
// Sets key in section to wert.
void IniSetzen(TIniText& ini, const std::string& sektion, const std::string& schluessel, const std::string& wert);

// The value from the file pfad; a missing or unreadable file gives vorgabe.
std::string IniLesen(const std::string& pfad, const std::string& sektion, const std::string& schluessel,
                     const std::string& vorgabe);
