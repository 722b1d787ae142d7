// The settings file on any text: reading gives each key its value or its default, saving
// writes every key so that reading again gives the same values, and saving twice gives the
// same file (no key is added twice, nothing grows from one save to the next).
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "FuzzHilfen.h"
#include "UDateien.h"
#include "UFehler.h"
#include "UVariablen.h"

namespace {

struct TWerte {
    TFensterPlatz Plaetze[4];
    bool Flaggen[8];
};

TWerte Erfassen() {
    TWerte w;
    std::memcpy(w.Plaetze, FensterPlaetze, sizeof w.Plaetze);
    const bool f[8] = {ICPsAnzeigen, LandnameAmCursor, EinheitartAmCursor, BesitzerAmCursor,
                       MausStehtBeimScrollen, SektorInfo, GameInfo, GameCenter};
    std::memcpy(w.Flaggen, f, sizeof f);
    return w;
}

void Verwischen() {
    for (TFensterPlatz& p : FensterPlaetze) p = {-77, -77, -77, -77};
    ICPsAnzeigen = LandnameAmCursor = EinheitartAmCursor = BesitzerAmCursor = MausStehtBeimScrollen = SektorInfo =
        GameInfo = GameCenter = false;
}

bool Gleich(const TWerte& a, const TWerte& b) {
    for (int f = 0; f < 4; ++f) {
        const TFensterPlatz &x = a.Plaetze[f], &y = b.Plaetze[f];
        if (x.Top != y.Top || x.Left != y.Left) return false;
        if (f == fwMapForm && (x.Height != y.Height || x.Width != y.Width)) return false;
    }
    return std::memcmp(a.Flaggen, b.Flaggen, sizeof a.Flaggen) == 0;
}

// The settings file lives in the current folder; libFuzzer's own paths may be relative, so the
// scratch folder is current only while one input runs.
class ImFuzzOrdner {
public:
    ImFuzzOrdner() : alt_(::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        FUZZ_PRUEFEN(alt_ >= 0 && ::chdir(FuzzOrdner().c_str()) == 0, "cannot enter the scratch folder");
    }
    ~ImFuzzOrdner() {
        if (::fchdir(alt_) != 0) std::abort();
        ::close(alt_);
    }

private:
    int alt_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t laenge) {
    ImFuzzOrdner hier;
    static const std::string pfad = EinstellungenPfad();
    Fenster = &OhneFenster;

    FuzzDateiSchreiben(pfad, daten, laenge);
    Verwischen();
    EinstellungenLaden();
    const TWerte gelesen = Erfassen();

    EinstellungenSpeichern();
    const std::string erste = FuzzDateiLesen(pfad);
    Verwischen();
    EinstellungenLaden();
    FUZZ_PRUEFEN(Gleich(gelesen, Erfassen()), "values read back after saving differ from those saved");

    EinstellungenSpeichern();
    FUZZ_PRUEFEN(FuzzDateiLesen(pfad) == erste, "saving the same values again changed the file");
    return 0;
}
