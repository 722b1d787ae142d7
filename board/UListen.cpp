#include "UListen.h"

#include "UPieces.h"
#include "UVariablen.h"

std::vector<std::string> UnitListeZeilen(bool flaggen, bool industrie, bool flak) {
    std::vector<std::string> zeilen;
    for (int p = 1; p <= BesitzerAnzahl; ++p) {
        zeilen.push_back(std::string("***** ") + BesitzerName(p) + " *****");
        zeilen.emplace_back();
        for (int s = 1; s <= SetzSektoren; ++s) {
            std::vector<std::string> eintraege;
            for (int k = 1; k <= ArtenAnzahl; ++k) {
                if ((k == eaFlagge && !flaggen) || (k == eaIndustrie && !industrie) || (k == eaFlak && !flak))
                    continue;
                std::uint16_t nummer, anzahl;
                EinheitSuchen(static_cast<std::uint8_t>(s), static_cast<TEinheitArt>(k), static_cast<TBesitzer>(p),
                              nummer, anzahl);
                if (anzahl > 0) eintraege.push_back(std::to_string(anzahl) + " " + ArtName(k));
            }
            if (eintraege.empty()) {
                // A captured sector shows as occupied when nothing else of the power stands there.
                std::uint16_t nummer, flaggenAnzahl;
                EinheitSuchen(static_cast<std::uint8_t>(s), eaFlagge, static_cast<TBesitzer>(p), nummer,
                              flaggenAnzahl);
                if (flaggenAnzahl > 0 && Sektoren[s].StartBesitzer != p) eintraege.emplace_back("occupied");
            }
            if (eintraege.empty()) continue;
            zeilen.push_back("*** " + SektorName(Sektoren[s]) + " ***");
            for (std::string& e : eintraege) zeilen.push_back(std::move(e));
            zeilen.emplace_back();
        }
        zeilen.emplace_back();
    }
    return zeilen;
}

std::vector<std::string> SektorenListeZeilen() {
    std::vector<std::string> zeilen;
    zeilen.reserve(SektorenAnzahl);
    for (int s = 1; s <= SektorenAnzahl; ++s) {
        const TSektor& r = Sektoren[s];
        zeilen.push_back(SektorName(r) + " / " + BesitzerName(r.StartBesitzer) + " / " + std::to_string(r.ICPs) +
                         " / " + (r.Land ? "Land" : "Wasser"));
    }
    return zeilen;
}
