#include "UIni.h"
#include "UDatei.h"
#include "UFehler.h"

#include <string_view>
#include <vector>

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool Gleich(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x -= 32;
        if (y >= 'a' && y <= 'z') y -= 32;
        if (x != y) return false;
    }
    return true;
}

// Name of the section a line opens, or nothing.
bool SektionsZeile(std::string_view zeile, std::string_view& name) {
    zeile = Trim(zeile);
    if (zeile.size() < 2 || zeile.front() != '[') return false;
    std::size_t zu = zeile.find(']');
    if (zu == std::string_view::npos) return false;
    name = Trim(zeile.substr(1, zu - 1));
    return true;
}

bool SchluesselZeile(std::string_view zeile, std::string_view& schluessel, std::string_view& wert) {
    std::size_t gleich = zeile.find('=');
    if (gleich == std::string_view::npos) return false;
    std::string_view links = Trim(zeile.substr(0, gleich));
    if (links.empty() || links.front() == ';') return false;
    schluessel = links;
    wert = Trim(zeile.substr(gleich + 1));
    return true;
}

}  // namespace

TIniText IniParsen(const std::uint8_t* daten, std::size_t laenge) {
    TIniText ini;
    std::size_t i = 0;
    if (laenge >= 3 && daten[0] == 0xEF && daten[1] == 0xBB && daten[2] == 0xBF) {
        ini.Bom = true;
        i = 3;
    }
    // CR LF, LF and a CR alone (old Mac editors) each end a line; reading a CR-only file as one
    // line would lose every key and make the next save append every section a second time.
    std::string zeile;
    for (; i < laenge; ++i) {
        const char c = static_cast<char>(daten[i]);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < laenge && daten[i + 1] == '\n') ++i;
            ini.Zeilen.push_back(zeile);
            zeile.clear();
        } else {
            zeile.push_back(c);
        }
    }
    if (!zeile.empty()) ini.Zeilen.push_back(zeile);
    return ini;
}

std::string IniText(const TIniText& ini) {
    std::string text = ini.Bom ? "\xEF\xBB\xBF" : "";
    for (const std::string& z : ini.Zeilen) {
        text += z;
        text += "\r\n";
    }
    return text;
}

std::string IniWert(const TIniText& ini, const std::string& sektion, const std::string& schluessel,
                    const std::string& vorgabe) {
    bool drin = false;
    for (const std::string& z : ini.Zeilen) {
        std::string_view name, k, w;
        if (SektionsZeile(z, name)) {
            drin = Gleich(name, sektion);
        } else if (drin && SchluesselZeile(z, k, w) && Gleich(k, schluessel)) {
            // Quotes around a whole value are dropped, as the profile calls do.
            if (w.size() >= 2 && ((w.front() == '"' && w.back() == '"') || (w.front() == '\'' && w.back() == '\'')))
                w = w.substr(1, w.size() - 2);
            return std::string(w.substr(0, 2047));
        }
    }
    return vorgabe;
}

void IniSetzen(TIniText& ini, const std::string& sektion, const std::string& schluessel, const std::string& wert) {
    std::vector<std::string>& zeilen = ini.Zeilen;
    std::string neu = schluessel + "=" + wert;
    bool drin = false, erledigt = false;
    std::size_t ende_der_sektion = 0;
    bool sektion_gefunden = false;
    for (std::size_t i = 0; i < zeilen.size() && !erledigt; ++i) {
        std::string_view name, k, w;
        if (SektionsZeile(zeilen[i], name)) {
            if (drin) break;  // the section ended without the key
            drin = Gleich(name, sektion);
            if (drin) {
                sektion_gefunden = true;
                ende_der_sektion = i + 1;
            }
        } else if (drin) {
            if (SchluesselZeile(zeilen[i], k, w) && Gleich(k, schluessel)) {
                zeilen[i] = neu;
                erledigt = true;
            } else if (!Trim(zeilen[i]).empty()) {
                ende_der_sektion = i + 1;
            }
        }
    }
    if (!erledigt) {
        if (sektion_gefunden) {
            zeilen.insert(zeilen.begin() + static_cast<std::ptrdiff_t>(ende_der_sektion), neu);
        } else {
            zeilen.push_back("[" + sektion + "]");
            zeilen.push_back(neu);
        }
    }
}

std::string IniLesen(const std::string& pfad, const std::string& sektion, const std::string& schluessel,
                     const std::string& vorgabe) {
    if (!DateiExistiert(pfad)) return vorgabe;
    try {
        const std::vector<std::uint8_t> d = DateiLesen(pfad, IniDateiGrenze, "an initialisation file");
        return IniWert(IniParsen(d.data(), d.size()), sektion, schluessel, vorgabe);
    } catch (const EDateiFehler&) {
        return vorgabe;
    }
}
