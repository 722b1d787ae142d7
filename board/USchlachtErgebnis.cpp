#include "USchlachtErgebnis.h"

#include "USchlachtfeld.h"
#include "USchritte.h"
#include "USpielstand.h"

namespace {

// Units per power and kind in the sector.
using TBestand = std::uint32_t[BesitzerAnzahl + 1][ArtenAnzahl + 1];

void BestandZaehlen(std::uint8_t sektor, TBestand& b) {
    for (auto& zeile : b)
        for (auto& n : zeile) n = 0;
    for (int i = 1; i <= EinheitenAnzahl; ++i) {
        const TEinheit& e = Einheiten[i];
        if (e.Sektor == sektor && e.Besitzer >= 1 && e.Besitzer <= BesitzerAnzahl && e.Art >= 1 && e.Art <= ArtenAnzahl)
            b[e.Besitzer][e.Art] += e.Anzahl;
    }
}

// ", -3 Infantry, -1 Armor": what the power lost between the two counts.
std::string Verlustworte(const TBestand& vorher, const TBestand& nachher, int p) {
    std::string t;
    for (int k = 1; k <= ArtenAnzahl; ++k)
        if (k != eaFlagge && vorher[p][k] > nachher[p][k])
            t += (t.empty() ? "-" : ", -") + std::to_string(vorher[p][k] - nachher[p][k]) + " " + ArtName(k);
    return t;
}

}  // namespace

TBesitzer SchlachtAngreiferVorgabe(std::uint8_t sektor) {
    if (sektor < 1 || sektor > SetzSektoren) return 0;
    const bool see = Sektoren[sektor].Land == 0;
    const TBesitzer halter = Spielstand.Halter[sektor];
    TBesitzer fremd = 0, irgendwer = 0;
    for (int i = 1; i <= EinheitenAnzahl; ++i) {
        const TEinheit& e = Einheiten[i];
        if (e.Sektor != sektor || e.Besitzer < 1 || e.Besitzer > BesitzerAnzahl || !KaempftMit(e.Art, see)) continue;
        irgendwer = e.Besitzer;
        if (e.Besitzer != halter) fremd = e.Besitzer;
    }
    return fremd ? fremd : irgendwer;
}

bool SchlachtEingenommen(const TSchlacht& s, const std::uint16_t angreiferVerluste[ArtenAnzahl + 1],
                         const std::uint16_t verteidigerVerluste[ArtenAnzahl + 1]) {
    if (s.See) return false;
    bool land = false;
    for (int k = 1; k <= ArtenAnzahl; ++k) {
        if (!KaempftMit(k, false)) continue;
        if (verteidigerVerluste[k] < s.Verteidiger[k]) return false;
        land = land || (IstLandeinheit(k) && angreiferVerluste[k] < s.Angreifer[k]);
    }
    return land;
}

std::string SchlachtEintragen(std::uint8_t sektor, TBesitzer angreifer,
                              const std::uint16_t angreiferVerluste[ArtenAnzahl + 1],
                              const std::uint16_t verteidigerVerluste[ArtenAnzahl + 1], bool eingenommen) {
    if (sektor < 1 || sektor > SetzSektoren || angreifer < 1 || angreifer > BesitzerAnzahl) return std::string();
    static TBestand vorher, nachher;
    BestandZaehlen(sektor, vorher);
    TSchrittKlammer schritt;
    VerlusteAnwenden(sektor, angreifer, angreiferVerluste, verteidigerVerluste, eingenommen);
    BestandZaehlen(sektor, nachher);
    const std::string name = SektorName(Sektoren[sektor]);
    std::string t = std::string(BesitzerName(angreifer)) + " attacks " + name + ":";
    std::string teile = Verlustworte(vorher, nachher, angreifer);
    for (int p = 1; p <= BesitzerAnzahl; ++p) {
        const std::string v = p == angreifer ? std::string() : Verlustworte(vorher, nachher, p);
        if (!v.empty()) teile += (teile.empty() ? "" : ", ") + std::string(BesitzerName(p)) + " " + v;
    }
    if (eingenommen) teile += (teile.empty() ? "" : ", ") + name + " taken";
    t += teile.empty() ? " no losses" : " " + teile;
    schritt.Angaben.Art = saText;
    schritt.Angaben.Besitzer = angreifer;
    schritt.Angaben.Von = schritt.Angaben.Nach = sektor;
    schritt.Angaben.Text = t;
    return t;
}
