#include "UJsonLeser.h"

#include <QString>
#include <cstring>
#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "UDateien.h"
#include "UFehler.h"
#include "UVariablen.h"

namespace {

using Json = nlohmann::ordered_json;

// Reads the fields of one JSON record, naming the file and the record in every complaint.
struct TLeser {
    const std::string& Datei;
    std::string Wo;  // "stack 3: " and the like

    [[noreturn]] void Fehler(const std::string& was) const { throw EDateiFehler(Datei, Wo + was); }

    void NurFelder(const Json& j, std::initializer_list<const char*> erlaubt) const {
        if (!j.is_object()) Fehler("must be a JSON object");
        std::set<std::string> bekannt(erlaubt.begin(), erlaubt.end());
        for (auto it = j.begin(); it != j.end(); ++it)
            if (!bekannt.count(it.key())) Fehler("unknown field \"" + it.key() + "\"");
    }

    const Json& Feld(const Json& j, const char* name) const {
        auto it = j.find(name);
        if (it == j.end()) Fehler(std::string("the field \"") + name + "\" is missing");
        return *it;
    }

    long long Ganzzahl(const Json& v, const char* name, long long min, long long max) const {
        if (!v.is_number_integer() || (v.is_number_unsigned() && v.get<unsigned long long>() > 1ull << 62))
            Fehler(std::string("\"") + name + "\" must be a whole number");
        long long w = v.get<long long>();
        if (w < min || w > max)
            Fehler(std::string("\"") + name + "\" is " + std::to_string(w) + ", outside " + std::to_string(min) +
                   ".." + std::to_string(max));
        return w;
    }

    long long GanzzahlFeld(const Json& j, const char* name, long long min, long long max) const {
        return Ganzzahl(Feld(j, name), name, min, max);
    }

    // A code given by its name in the table, or as a plain byte.
    std::uint8_t Code(const Json& j, const char* name, const char* (*namen)(unsigned), unsigned von,
                      unsigned bis) const {
        const Json& v = Feld(j, name);
        if (v.is_string()) {
            const std::string s = v.get<std::string>();
            for (unsigned c = von; c <= bis; ++c)
                if (s == namen(c)) return static_cast<std::uint8_t>(c);
            Fehler(std::string("\"") + name + "\" is \"" + s + "\", which is no known name");
        }
        return static_cast<std::uint8_t>(Ganzzahl(v, name, 0, 255));
    }

    double Koordinate(const Json& j, const char* name) const {
        const Json& v = Feld(j, name);
        if (v.is_number()) return v.get<double>();
        if (v.is_string()) {
            const std::string s = v.get<std::string>();
            if (s.size() == 18 && s.compare(0, 2, "0x") == 0) {
                bool ok;
                std::uint64_t bits = QString::fromStdString(s.substr(2)).toULongLong(&ok, 16);
                if (ok) {
                    double w;
                    std::memcpy(&w, &bits, 8);
                    return w;
                }
            }
        }
        Fehler(std::string("\"") + name + "\" must be a number or the bits of one as \"0x\" and 16 hex digits");
    }

    // A hex field of exactly n bytes; missing means zeros.
    void HexBytes(const Json& j, const char* name, std::uint8_t* ziel, std::size_t n) const {
        std::memset(ziel, 0, n);
        auto it = j.find(name);
        if (it == j.end()) return;
        TBytes b = HexLesen(*it, name);
        if (b.size() != n)
            Fehler(std::string("\"") + name + "\" holds " + std::to_string(b.size()) + " bytes, it must hold " +
                   std::to_string(n));
        std::memcpy(ziel, b.data(), n);
    }

    TBytes HexLesen(const Json& v, const char* name) const {
        if (!v.is_string()) Fehler(std::string("\"") + name + "\" must be a string of hex digits");
        const std::string s = v.get<std::string>();
        if (s.size() % 2) Fehler(std::string("\"") + name + "\" has an odd number of hex digits");
        TBytes b;
        b.reserve(s.size() / 2);
        auto wert = [&](char c) -> int {
            if (c >= '0' && c <= '9') return c - '0';
            if (c >= 'a' && c <= 'f') return c - 'a' + 10;
            if (c >= 'A' && c <= 'F') return c - 'A' + 10;
            Fehler(std::string("\"") + name + "\" holds a character that is no hex digit");
        };
        for (std::size_t i = 0; i < s.size(); i += 2) b.push_back(static_cast<std::uint8_t>(wert(s[i]) * 16 + wert(s[i + 1])));
        return b;
    }
};

const Json& Liste(const TLeser& l, const Json& j, const char* name) {
    const Json& v = l.Feld(j, name);
    if (!v.is_array()) l.Fehler(std::string("\"") + name + "\" must be a list");
    return v;
}

void Anhaengen(TBytes& d, const void* p, std::size_t n) {
    const auto* b = static_cast<const std::uint8_t*>(p);
    d.insert(d.end(), b, b + n);
}

TBytes MapAusJson(const Json& j, const std::string& datei) {
    TLeser l{datei, ""};
    l.NurFelder(j, {"format", "stacks", "trailing"});
    const Json& stapel = Liste(l, j, "stacks");
    if (stapel.size() > static_cast<std::size_t>(MaxEinheiten))
        l.Fehler("holds " + std::to_string(stapel.size()) + " stacks; a map holds at most 1000");
    static TMapDaten map;
    map.Anzahl = static_cast<std::int32_t>(stapel.size());
    for (std::size_t i = 0; i < stapel.size(); ++i) {
        const Json& s = stapel[i];
        TLeser sl{datei, "stack " + std::to_string(i + 1) + ": "};
        sl.NurFelder(s, {"x", "y", "kind", "owner", "count", "sector", "padding"});
        TEinheit& e = map.Einheiten[i + 1];
        e.X = sl.Koordinate(s, "x");
        e.Y = sl.Koordinate(s, "y");
        e.Art = sl.Code(s, "kind", ArtName, 1, ArtenAnzahl);
        e.Besitzer = sl.Code(s, "owner", BesitzerName, 0, 5);
        e.Anzahl = static_cast<std::uint16_t>(sl.GanzzahlFeld(s, "count", 0, 65535));
        e.Sektor = static_cast<std::uint8_t>(sl.GanzzahlFeld(s, "sector", 0, 255));
        sl.HexBytes(s, "padding", e.Padding, sizeof e.Padding);
    }
    TBytes d = MapBytes(map.Anzahl, map.Einheiten);
    if (j.contains("trailing")) {
        TBytes rest = l.HexLesen(j["trailing"], "trailing");
        Anhaengen(d, rest.data(), rest.size());
    }
    return d;
}

// Sector names are one byte per character; a character beyond Latin-1 has no byte.
std::string NameBytes(const TLeser& l, const Json& v) {
    if (!v.is_string()) l.Fehler("\"name\" must be a string");
    const QString q = QString::fromStdString(v.get<std::string>());
    for (QChar c : q)
        if (c.unicode() > 0xFF) l.Fehler("\"name\" holds a character that a sector file cannot store");
    QByteArray b = q.toLatin1();
    if (b.size() > 40) l.Fehler("\"name\" has " + std::to_string(b.size()) + " characters; a sector name has at most 40");
    return b.toStdString();
}

TBytes SektorenAusJson(const Json& j, const std::string& datei) {
    TLeser l{datei, ""};
    l.NurFelder(j, {"format", "sectors", "trailing"});
    const Json& liste = Liste(l, j, "sectors");
    if (liste.size() != static_cast<std::size_t>(SektorenAnzahl))
        l.Fehler("holds " + std::to_string(liste.size()) + " sectors; a sector file holds exactly 130");
    static TSektorDaten daten;
    for (std::size_t i = 0; i < liste.size(); ++i) {
        const Json& s = liste[i];
        TLeser sl{datei, "sector " + std::to_string(i + 1) + ": "};
        sl.NurFelder(s, {"number", "name", "name_length", "name_rest", "owner", "icps", "land", "hotspot", "reserve"});
        // The number only helps the reader; the place in the list decides.
        if (s.contains("number") && !(s["number"].is_number_integer() && s["number"].get<long long>() == static_cast<long long>(i + 1)))
            sl.Fehler("\"number\" does not match its place " + std::to_string(i + 1) + " in the list");
        TSektor& r = daten.Sektoren[i + 1];
        std::memset(&r, 0, sizeof r);
        const std::string name = NameBytes(sl, sl.Feld(s, "name"));
        std::memcpy(r.NameZeichen, name.data(), name.size());
        r.NameLaenge = static_cast<std::uint8_t>(name.size());
        if (s.contains("name_length")) {
            long long n = sl.GanzzahlFeld(s, "name_length", 0, 255);
            // Only a length byte above 40 differs from what the name itself says.
            if (n != static_cast<long long>(name.size()) && !(n > 40 && name.size() == 40))
                sl.Fehler("\"name_length\" " + std::to_string(n) + " does not fit the name of " +
                          std::to_string(name.size()) + " characters");
            r.NameLaenge = static_cast<std::uint8_t>(n);
        }
        sl.HexBytes(s, "name_rest", reinterpret_cast<std::uint8_t*>(r.NameZeichen) + name.size(), 40 - name.size());
        r.StartBesitzer = sl.Code(s, "owner", BesitzerName, 0, 5);
        r.ICPs = static_cast<std::uint8_t>(sl.GanzzahlFeld(s, "icps", 0, 255));
        const Json& land = sl.Feld(s, "land");
        if (land.is_boolean())
            r.Land = land.get<bool>() ? 1 : 0;
        else
            r.Land = static_cast<std::uint8_t>(sl.Ganzzahl(land, "land", 0, 255));
        const Json& hs = sl.Feld(s, "hotspot");
        if (!hs.is_array() || hs.size() != 2) sl.Fehler("\"hotspot\" must be a list of x and y");
        r.HotSpotX = static_cast<std::int32_t>(sl.Ganzzahl(hs[0], "hotspot", INT32_MIN, INT32_MAX));
        r.HotSpotY = static_cast<std::int32_t>(sl.Ganzzahl(hs[1], "hotspot", INT32_MIN, INT32_MAX));
        sl.HexBytes(s, "reserve", r.Reserve, sizeof r.Reserve);
    }
    TBytes d;
    Anhaengen(d, &daten.Sektoren[1], SektorDateiGroesse);
    if (j.contains("trailing")) {
        TBytes rest = l.HexLesen(j["trailing"], "trailing");
        Anhaengen(d, rest.data(), rest.size());
    }
    return d;
}

}  // namespace

TBytes JsonZuBinaer(const TBytes& roh, const std::string& datei, bool map) {
    Json j;
    try {
        j = Json::parse(roh.begin(), roh.end());
    } catch (const Json::exception& e) {  // also a number beyond double (out_of_range), not only syntax
        throw EDateiFehler(datei, std::string("is not valid JSON: ") + e.what());
    }
    const char* erwartet = map ? FormatMap : FormatSektoren;
    if (!j.is_object() || !j.contains("format") || j["format"] != erwartet)
        throw EDateiFehler(datei, std::string("is not the JSON of a ") + (map ? "map" : "sector") +
                                      " file (its \"format\" must be \"" + erwartet + "\")");
    return map ? MapAusJson(j, datei) : SektorenAusJson(j, datei);
}
