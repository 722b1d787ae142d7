// The settings file on any text: reading gives each key its value or its default, saving
// writes every key so that reading again gives the same values, and saving twice gives the
// same file (no key is added twice, nothing grows from one save to the next).
#include <cstring>

#include "FuzzHilfen.h"
#include "UDateien.h"

namespace {

bool Gleich(const TEinstellungen& a, const TEinstellungen& b) {
    for (int f = 0; f < FensterAnzahl; ++f) {
        const TFensterPlatz &x = a.Plaetze[f], &y = b.Plaetze[f];
        if (x.Top != y.Top || x.Left != y.Left) return false;
        if (f == fwMapForm && (x.Height != y.Height || x.Width != y.Width)) return false;
    }
    return std::memcmp(a.Optionen, b.Optionen, sizeof a.Optionen) == 0 && a.SchlachtSektor == b.SchlachtSektor;
}

const std::uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const std::uint8_t*>(s.data()); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t laenge) {
    TEinstellungen gelesen, wieder;
    EinstellungenParsen(daten, laenge, gelesen);

    const std::string erste = EinstellungenText(daten, laenge, gelesen);
    EinstellungenParsen(Bytes(erste), erste.size(), wieder);
    FUZZ_PRUEFEN(Gleich(gelesen, wieder), "values read back after saving differ from those saved");

    FUZZ_PRUEFEN(EinstellungenText(Bytes(erste), erste.size(), wieder) == erste,
                 "saving the same values again changed the file");
    return 0;
}
