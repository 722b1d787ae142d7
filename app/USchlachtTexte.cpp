#include "USchlachtTexte.h"

#include "USchlachtfeld.h"

namespace {

// A line of the odds table: a name and the figures of both sides, right-aligned.
void Zeile(std::string& t, const std::string& name, const std::string& a, const std::string& d) {
    std::string z = name + std::string(name.size() < 18 ? 18 - name.size() : 1, ' ');
    z += std::string(a.size() < 10 ? 10 - a.size() : 1, ' ') + a;
    z += std::string(d.size() < 11 ? 11 - d.size() : 1, ' ') + d;
    t += z.substr(0, z.find_last_not_of(' ') + 1) + "\n";
}

}  // namespace

const TEinheitArt SchlachtArten[SchlachtArtenAnzahl] = {eaInfanterie, eaPanzer,         eaJaeger,
                                                       eaBomber,     eaTransporter,    eaUBoot,
                                                       eaTraeger,    eaSchlachtschiff, eaFlak};

std::string OddsText(const TSchlacht& s, const TOdds& o) {
    std::string t;
    Zeile(t, "", "Attacker", "Defender");
    Zeile(t, "wins", OddsProzent(o.AngreiferGewinnt), OddsProzent(o.VerteidigerGewinnt));
    if (!s.See) Zeile(t, "takes the sector", OddsProzent(o.Eingenommen), "");
    Zeile(t, "draw", OddsProzent(o.Unentschieden), "");
    Zeile(t, "retreats", OddsProzent(o.Rueckzug), "");
    t += "\n";
    Zeile(t, "expected left", "", "");
    for (TEinheitArt k : SchlachtArten)
        if (KaempftMit(k, s.See) && (s.Angreifer[k] || s.Verteidiger[k]))
            Zeile(t, std::string("  ") + ArtKurzname(k), s.Angreifer[k] ? OddsZahl(o.AngreiferUebrig[k], "%.2f") : "",
                  s.Verteidiger[k] ? OddsZahl(o.VerteidigerUebrig[k], "%.2f") : "");
    Zeile(t, "ICPs lost", OddsZahl(o.AngreiferVerlust, "%.1f"), OddsZahl(o.VerteidigerVerlust, "%.1f"));
    Zeile(t, "expected rounds", OddsZahl(o.Runden, "%.2f"), "");
    return t;
}

std::string Verlustliste(const std::uint16_t* v) {
    std::string t;
    for (TEinheitArt k : SchlachtArten)
        if (v[k]) t += (t.empty() ? "-" : ", -") + std::to_string(v[k]) + " " + ArtKurzname(k);
    return t.empty() ? "-" : t;
}

bool Beteiligt(TEinheitArt k, int seite, bool see) {
    return k == eaFlak ? seite == 1 && !see : KaempftMit(k, see);
}

namespace {

bool SeiteDabei(const TSchlacht& s, int seite) {
    for (TEinheitArt k : SchlachtArten)
        if (Beteiligt(k, seite, s.See) && (seite == 0 ? s.Angreifer[k] : s.Verteidiger[k])) return true;
    return false;
}

}  // namespace

bool BeideSeiten(const TSchlacht& s) { return SeiteDabei(s, 0) && SeiteDabei(s, 1); }

std::string KeineSchlacht(const TSchlacht& s) {
    const bool angreifer = SeiteDabei(s, 0), verteidiger = SeiteDabei(s, 1);
    if (angreifer && verteidiger) return "";
    if (!angreifer && !verteidiger) return "no battle: no attacker and no defender";
    return angreifer ? "no battle: no defender" : "no battle: no attacker";
}

std::string Verteidiger(std::uint8_t s, TBesitzer angreifer, bool see) {
    bool da[BesitzerAnzahl + 1] = {};
    for (int i = 1; i <= EinheitenAnzahl; ++i) {
        const TEinheit& e = Einheiten[i];
        if (e.Sektor == s && e.Besitzer >= 1 && e.Besitzer <= BesitzerAnzahl && IstAchse(e.Besitzer) != IstAchse(angreifer) &&
            Beteiligt(e.Art, 1, see))
            da[e.Besitzer] = true;
    }
    std::string verteidiger;
    for (int p = 1; p <= BesitzerAnzahl; ++p)
        if (da[p]) verteidiger += (verteidiger.empty() ? "" : " and ") + std::string(BesitzerName(p));
    return verteidiger;
}

std::string Titel(std::uint8_t s, TBesitzer angreifer, bool see) {
    const std::string verteidiger = Verteidiger(s, angreifer, see);
    return SektorName(Sektoren[s]) + " (" + std::to_string(s) + "), " + (see ? "sea" : "land") + " battle against " +
           (verteidiger.empty() ? "no one" : verteidiger);
}
