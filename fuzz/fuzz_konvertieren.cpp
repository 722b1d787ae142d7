// The JSON form of map and sector files on any text: converting it either fails with an
// error that names the JSON file or gives the bytes of a file that the program takes;
// converting those to JSON and back gives them again byte for byte.
#include "FuzzHilfen.h"
#include "UDateien.h"
#include "UFehler.h"
#include "UJsonLeser.h"
#include "UKonvertieren.h"

namespace {

void Pruefen(const TBytes& json, bool map) {
    const std::string name = "fuzz.json";
    TBytes binaer;
    try {
        binaer = JsonZuBinaer(json, name, map);
    } catch (const EDateiFehler& e) {
        FUZZ_PRUEFEN(std::string(e.what()).find(name) != std::string::npos, e.what());
        return;
    }
    // What the conversion gives, the program takes.
    static TMapDaten karte;
    static TSektorDaten sektoren;
    if (map)
        MapParsen(binaer.data(), binaer.size(), "aus.map", karte);
    else
        SektorenParsen(binaer.data(), binaer.size(), "aus.sek", sektoren);
    const std::string text = BinaerZuJson(binaer, "aus", map);
    const TBytes zurueck = JsonZuBinaer(TBytes(text.begin(), text.end()), "zurueck.json", map);
    FUZZ_PRUEFEN(zurueck == binaer, "binary -> JSON -> binary changed the file");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t laenge) {
    const TBytes json(daten, daten + laenge);
    Pruefen(json, true);
    Pruefen(json, false);
    return 0;
}
