// The sector file reader on any bytes: refused whole with an error naming the file and the
// record untouched, or the first 9880 bytes taken as they are into the table. Every
// record's name and the sector list are then built from whatever the bytes say.
#include <cstring>
#include <vector>

#include "FuzzHilfen.h"
#include "UDateien.h"
#include "UFehler.h"
#include "UListen.h"
#include "UVariablen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t laenge) {
    static const std::string pfad = "fuzz.sek";
    static std::vector<std::uint8_t> vorher(sizeof Sektoren);
    static TSektorDaten tabelle;

    for (std::size_t i = 0; i < sizeof Sektoren; ++i) reinterpret_cast<std::uint8_t*>(Sektoren)[i] = static_cast<std::uint8_t>(i * 13 + 1);
    std::memcpy(vorher.data(), Sektoren, sizeof Sektoren);
    std::memcpy(tabelle.Sektoren, Sektoren, sizeof Sektoren);

    try {
        SektorenParsen(daten, laenge, pfad, tabelle);
    } catch (const EDateiFehler& e) {
        FUZZ_PRUEFEN(std::string(e.what()).find(pfad) != std::string::npos, e.what());
        FUZZ_PRUEFEN(std::memcmp(vorher.data(), tabelle.Sektoren, sizeof Sektoren) == 0,
                     "a refused sector file changed the record");
        return 0;
    }
    SektorenUebernehmen(tabelle);
    FUZZ_PRUEFEN(laenge >= static_cast<std::size_t>(SektorDateiGroesse), "a short sector file was taken");
    FUZZ_PRUEFEN(std::memcmp(&Sektoren[1], daten, SektorDateiGroesse) == 0, "the table differs from the file");
    FUZZ_PRUEFEN(std::memcmp(&Sektoren[0], vorher.data(), sizeof(TSektor)) == 0, "record 0 was written");

    for (int s = 1; s <= SektorenAnzahl; ++s) FUZZ_PRUEFEN(SektorName(Sektoren[s]).size() <= 40, "name above 40");
    const std::vector<std::string> liste = SektorenListeZeilen();
    FUZZ_PRUEFEN(liste.size() == static_cast<std::size_t>(SektorenAnzahl), "the sector list has not 130 lines");

    return 0;
}
