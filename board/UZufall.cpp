#include "UZufall.h"

#include "UPieces.h"
#include "USchritte.h"
#include "UVariablen.h"

std::uint32_t ZufallSeed = 0;

std::uint32_t Zufall(std::uint32_t n) {
    ZufallSeed = ZufallSeed * 134775813u + 1u;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(ZufallSeed) * n) >> 32);
}

void ZufallsEinheiten() {
    TSchrittKlammer schritt;
    schritt.Angaben.Art = saZufall;
    for (int i = 0; i < 100; ++i) {
        std::uint32_t x = Zufall(1500);
        std::uint32_t y = Zufall(900);
        TBesitzer besitzer = static_cast<TBesitzer>(Zufall(5) + 1);
        TEinheitArt art = static_cast<TEinheitArt>(Zufall(11) + 1);
        EinheitenSetzen(MapPunkt(x, y), art, besitzer, 1);
    }
}
