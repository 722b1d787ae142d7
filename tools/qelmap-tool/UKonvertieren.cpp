// convert: map and sector files to JSON and back. The JSON keeps every byte of the binary
// file, so that binary -> JSON -> binary gives the same file again.
#include <QString>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "UBefehle.h"
#include "UJsonLeser.h"
#include "UKonvertieren.h"
#include "UDatei.h"
#include "UDateien.h"
#include "UFehler.h"
#include "UVariablen.h"
#include "UWebSeite.h"
#include "UWerkzeug.h"

namespace {

using Json = nlohmann::ordered_json;

// The JSON of the largest file accepted: its bytes as hex with room for the records.
constexpr std::size_t JsonDateiGrenze = 4 * MapDateiGrenze;

// ---- binary -> JSON ------------------------------------------------------------------------

std::string Hex(const std::uint8_t* d, std::size_t n) {
    static const char ziffern[] = "0123456789abcdef";
    std::string s;
    s.reserve(2 * n);
    for (std::size_t i = 0; i < n; ++i) {
        s += ziffern[d[i] >> 4];
        s += ziffern[d[i] & 15];
    }
    return s;
}

bool AllesNull(const std::uint8_t* d, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        if (d[i]) return false;
    return true;
}

// Bytes that carry no meaning appear only when they are not all zero, to keep diffs readable.
void HexFeld(Json& j, const char* feld, const std::uint8_t* d, std::size_t n) {
    if (!AllesNull(d, n)) j[feld] = Hex(d, n);
}

// A coordinate as a number; NaN and the infinities, which JSON cannot hold, as their bits.
Json Koordinate(double v) {
    if (std::isfinite(v)) return v;
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    char puffer[24];
    std::snprintf(puffer, sizeof puffer, "0x%016llx", static_cast<unsigned long long>(bits));
    return std::string(puffer);
}

Json ArtJson(std::uint8_t art) {
    if (art >= 1 && art <= ArtenAnzahl) return ArtName(art);
    return art;
}

Json BesitzerJson(std::uint8_t b) {
    if (b <= 5) return BesitzerName(b);
    return b;
}

// The JSON of a map the program accepts; the bytes after its stacks as "trailing".
Json MapZuJson(const TMapDaten& map, const TBytes& d) {
    Json stapel = Json::array();
    for (std::int32_t i = 1; i <= map.Anzahl; ++i) {
        const TEinheit& e = map.Einheiten[i];
        Json j{{"x", Koordinate(e.X)},   {"y", Koordinate(e.Y)},       {"kind", ArtJson(e.Art)},
               {"owner", BesitzerJson(e.Besitzer)}, {"count", e.Anzahl}, {"sector", e.Sektor}};
        HexFeld(j, "padding", e.Padding, sizeof e.Padding);
        stapel.push_back(std::move(j));
    }
    Json j{{"format", FormatMap}, {"stacks", std::move(stapel)}};
    const std::size_t ende = 4 + sizeof(TEinheit) * static_cast<std::size_t>(map.Anzahl);
    if (d.size() > ende) j["trailing"] = Hex(d.data() + ende, d.size() - ende);
    return j;
}

Json SektorenZuJson(const TSektorDaten& daten, const TBytes& d) {
    Json liste = Json::array();
    for (int s = 1; s <= SektorenAnzahl; ++s) {
        const TSektor& r = daten.Sektoren[s];
        const std::size_t laenge = r.NameLaenge > 40 ? 40 : r.NameLaenge;
        Json j{{"number", s}, {"name", Latin1ZuUtf8(std::string(r.NameZeichen, laenge))}};
        if (r.NameLaenge > 40) j["name_length"] = r.NameLaenge;
        HexFeld(j, "name_rest", reinterpret_cast<const std::uint8_t*>(r.NameZeichen) + laenge, 40 - laenge);
        j["owner"] = BesitzerJson(r.StartBesitzer);
        j["icps"] = r.ICPs;
        if (r.Land <= 1)
            j["land"] = r.Land == 1;
        else
            j["land"] = r.Land;
        j["hotspot"] = Json::array({r.HotSpotX, r.HotSpotY});
        HexFeld(j, "reserve", r.Reserve, sizeof r.Reserve);
        liste.push_back(std::move(j));
    }
    Json j{{"format", FormatSektoren}, {"sectors", std::move(liste)}};
    if (d.size() > static_cast<std::size_t>(SektorDateiGroesse))
        j["trailing"] = Hex(d.data() + SektorDateiGroesse, d.size() - SektorDateiGroesse);
    return j;
}

enum TArt { taMap, taSektoren, taJson, taSeite };

TArt ArtNachEndung(const std::string& pfad) {
    const std::string e = Endung(pfad);
    if (e == ".map") return taMap;
    if (e == ".sek") return taSektoren;
    if (e == ".json") return taJson;
    if (e == ".html" || e == ".htm") return taSeite;
    throw EAufrufFehler(pfad + ": the extension must be .map, .sek, .json or .html");
}

}  // namespace

std::string BinaerZuJson(const TBytes& d, const std::string& datei, bool map) {
    // Only what the program itself accepts has a record structure to show.
    Json j;
    if (map) {
        static TMapDaten daten;
        MapParsen(d.data(), d.size(), datei, daten);
        j = MapZuJson(daten, d);
    } else {
        static TSektorDaten daten;
        SektorenParsen(d.data(), d.size(), datei, daten);
        j = SektorenZuJson(daten, d);
    }
    return j.dump(2) + "\n";
}

int BefehlConvert(const QStringList& argumente) {
    TBefehlParser p("convert IN OUT",
                    "Converts a map (.map) or sector file (.sek) to JSON (.json) and back, chosen by the extensions. "
                    "The JSON names kinds and owners and keeps every byte of the file, padding and reserved bytes "
                    "included, so that converting there and back gives the same file. A web page of html (.html) "
                    "gives back the map file of its position, or its JSON.",
                    false, false);
    p.Argument("IN", "The file to read.");
    p.Argument("OUT", "The file to write (replaced if it exists).");
    if (!p.Lesen(argumente)) return StatusOk;
    const QStringList pos = p.Positionen(2, 2);
    const std::string ein = ArgumentBytes(pos.at(0)), aus = ArgumentBytes(pos.at(1));
    const TArt einArt = ArtNachEndung(ein), ausArt = ArtNachEndung(aus);
    const bool seitePaar = einArt == taSeite && (ausArt == taMap || ausArt == taJson);
    if (!seitePaar && (einArt == taSeite || ausArt == taSeite || (einArt == taJson) == (ausArt == taJson)))
        throw EAufrufFehler("convert turns a .map or .sek file into .json or back, or the page of html into .map or .json; \"" +
                            ein + "\" and \"" + aus + "\" are not such a pair");

    if (einArt == taSeite) {
        // The page holds the position as the JSON of a map file.
        const std::string json = SeitenPosition(DateiLesen(ein, SeitenDateiGrenze, "a web page of the tool"), ein);
        if (ausArt == taJson) {
            DateiSchreiben(aus, json.data(), json.size());
            return StatusOk;
        }
        const TBytes d = JsonZuBinaer(TBytes(json.begin(), json.end()), ein, true);
        DateiSchreiben(aus, d.data(), d.size());
        return StatusOk;
    }
    const TBytes roh = einArt == taJson   ? DateiLesen(ein, JsonDateiGrenze, "a JSON file of the tool")
                       : einArt == taMap ? DateiLesen(ein, MapDateiGrenze, "a map file")
                                         : DateiLesen(ein, SektorDateiGrenze, "a sector file");
    if (einArt != taJson) {
        const std::string text = BinaerZuJson(roh, ein, einArt == taMap);
        DateiSchreiben(aus, text.data(), text.size());
        return StatusOk;
    }
    const TBytes d = JsonZuBinaer(roh, ein, ausArt == taMap);
    DateiSchreiben(aus, d.data(), d.size());
    return StatusOk;
}
