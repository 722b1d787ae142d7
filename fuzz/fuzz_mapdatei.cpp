// The map file reader on any bytes: a file is either refused with an error that names it and
// leaves the record exactly as it was, or taken whole into the piece list; what was taken
// gives the same bytes back. The hit test then runs over the loaded stacks, whose coordinates may be anything.
#include <cstring>
#include <vector>

#include "FuzzHilfen.h"
#include "UDateien.h"
#include "UFehler.h"
#include "UPieces.h"
#include "UVariablen.h"

namespace {

// A board that is recognisable byte for byte, with padding the program never writes itself.
void VorherigeStapel() {
    for (int i = 1; i <= MaxEinheiten; ++i) {
        std::memset(&Einheiten[i], 0, sizeof(TEinheit));
        Einheiten[i].X = i * 1.5;
        Einheiten[i].Y = i * 0.25;
        Einheiten[i].Art = static_cast<std::uint8_t>(1 + i % 11);
        Einheiten[i].Besitzer = static_cast<std::uint8_t>(1 + i % 5);
        Einheiten[i].Anzahl = static_cast<std::uint16_t>(i);
        Einheiten[i].Sektor = static_cast<std::uint8_t>(i);
        Einheiten[i].Padding[0] = 0x5A;
    }
    EinheitenAnzahl = 7;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t laenge) {
    static const std::string pfad = "fuzz.map";
    static std::vector<std::uint8_t> vorher(sizeof Einheiten);
    static TMapDaten map;

    VorherigeStapel();
    std::memcpy(vorher.data(), Einheiten, sizeof Einheiten);
    map.Anzahl = EinheitenAnzahl;
    std::memcpy(map.Einheiten, Einheiten, sizeof Einheiten);

    try {
        MapParsen(daten, laenge, pfad, map);
    } catch (const EDateiFehler& e) {
        FUZZ_PRUEFEN(std::string(e.what()).find(pfad) != std::string::npos, e.what());
        FUZZ_PRUEFEN(map.Anzahl == 7, "a refused map changed the stack count");
        FUZZ_PRUEFEN(std::memcmp(vorher.data(), map.Einheiten, sizeof Einheiten) == 0, "a refused map changed stacks");
        return 0;
    }
    MapUebernehmen(map);

    FUZZ_PRUEFEN(EinheitenAnzahl >= 0 && EinheitenAnzahl <= MaxEinheiten, "count outside 0..1000");
    const std::size_t genutzt = 4 + sizeof(TEinheit) * static_cast<std::size_t>(EinheitenAnzahl);
    FUZZ_PRUEFEN(laenge >= genutzt, "stacks taken from beyond the end of the file");
    FUZZ_PRUEFEN(std::memcmp(&Einheiten[1], daten + 4, genutzt - 4) == 0, "stacks differ from the file");
    FUZZ_PRUEFEN(std::memcmp(&Einheiten[EinheitenAnzahl + 1], &vorher[sizeof(TEinheit) * (EinheitenAnzahl + 1)],
                             sizeof(TEinheit) * (MaxEinheiten - EinheitenAnzahl)) == 0,
                 "slots beyond the loaded stacks were written");

    const std::vector<std::uint8_t> gespeichert = MapBytes(EinheitenAnzahl, Einheiten);
    FUZZ_PRUEFEN(gespeichert.size() == genutzt && std::memcmp(gespeichert.data(), daten, genutzt) == 0,
                 "saving a loaded map does not give its bytes back");

    // Stacks from a file may stand at NaN, infinities or far off the map.
    PieceGeometrieSetzen(15, 10);
    for (std::int32_t zoom = 1; zoom <= 6; ++zoom) {
        Zoom = zoom;
        for (std::int32_t i = 1; i <= EinheitenAnzahl; i += 1 + EinheitenAnzahl / 16) {
            TPunkt p = MapZuView(TMapPunkt{Einheiten[i].X, Einheiten[i].Y});
            std::int32_t treffer = EinheitAnPunkt(p);
            FUZZ_PRUEFEN(treffer >= 0 && treffer <= EinheitenAnzahl, "hit test outside the list");
        }
    }
    Zoom = 1;
    return 0;
}
