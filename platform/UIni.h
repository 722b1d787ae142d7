#pragma once
// Initialisation files ("[Section]" and "Key=Value" lines), with the behaviour of the
// classic profile-string calls: sections and keys match without regard to case, a value
// is updated in place with every other line kept, and a missing file or section is
// created on the first write (a new section goes to the end of the file).
#include <string>

// The value of key in section, or vorgabe when the file, the section or the key is missing.
// Leading and trailing blanks of the value are dropped; at most 2047 characters are returned.
std::string IniLesen(const std::string& pfad, const std::string& sektion, const std::string& schluessel,
                     const std::string& vorgabe);

// Sets key in section to wert. Raises EDateiFehler naming the file when it cannot be written;
// the previous file then stays as it was.
void IniSchreiben(const std::string& pfad, const std::string& sektion, const std::string& schluessel,
                  const std::string& wert);
