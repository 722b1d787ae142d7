// The JSON form of map and sector files on any text: converting it either fails with an
// error that names the JSON file or gives a binary file that the program loads; converting
// that file to JSON and back gives it again byte for byte.
#include <QStringList>

#include "FuzzHilfen.h"
#include "UBefehle.h"
#include "UDateien.h"
#include "UFehler.h"
#include "UVariablen.h"

namespace {

void Konvertieren(const std::string& ein, const std::string& aus) {
    BefehlConvert(QStringList{"qelmap-tool", QString::fromStdString(ein), QString::fromStdString(aus)});
}

void Pruefen(const std::string& json, const std::string& binaer, bool map) {
    try {
        Konvertieren(json, binaer);
    } catch (const EDateiFehler& e) {
        FUZZ_PRUEFEN(std::string(e.what()).find(json) != std::string::npos, e.what());
        return;
    }
    // What the conversion wrote, the program takes.
    if (map)
        MapLaden(binaer);
    else
        SektorenLaden(binaer);
    const std::string erstes = FuzzDateiLesen(binaer);
    const std::string json2 = FuzzDatei("zurueck.json"), binaer2 = FuzzDatei(map ? "zurueck.map" : "zurueck.sek");
    Konvertieren(binaer, json2);
    Konvertieren(json2, binaer2);
    FUZZ_PRUEFEN(FuzzDateiLesen(binaer2) == erstes, "binary -> JSON -> binary changed the file");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t laenge) {
    static const std::string json = FuzzDatei("fuzz.json");
    FuzzDateiSchreiben(json, daten, laenge);
    Pruefen(json, FuzzDatei("aus.map"), true);
    Pruefen(json, FuzzDatei("aus.sek"), false);
    return 0;
}
