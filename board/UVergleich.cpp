#include "UVergleich.h"

#include <algorithm>
#include <cstring>

#include "UFehler.h"
#include "UZuege.h"

namespace {

void Zaehlen(TStellung& st) {
    SpielstandBerechnen(st.Stand, st.Map.Einheiten, st.Map.Anzahl, Sektoren);
    std::memset(st.Anzahl, 0, sizeof st.Anzahl);
    for (std::int32_t i = 1; i <= st.Map.Anzahl; ++i) {
        const TEinheit& e = st.Map.Einheiten[i];
        if (e.Besitzer < 1 || e.Besitzer > BesitzerAnzahl || e.Art < 1 || e.Art > ArtenAnzahl) continue;
        st.Anzahl[e.Besitzer][e.Sektor][e.Art] += e.Anzahl;
    }
}

std::string Mit(std::int64_t d) { return d > 0 ? "+" + std::to_string(d) : std::to_string(d); }

}  // namespace

std::string Wandel(std::uint32_t alt, std::uint32_t neu) {
    return std::to_string(alt) + " -> " + std::to_string(neu) + " (" +
           Mit(static_cast<std::int64_t>(neu) - static_cast<std::int64_t>(alt)) + ")";
}

void Vergleichen(TStellung& alt, TStellung& neu) {
    Zaehlen(alt);
    Zaehlen(neu);
}

bool BesitzGeaendert(const TStellung& alt, const TStellung& neu, int s) {
    return s >= 1 && s <= SetzSektoren && alt.Stand.Halter[s] != neu.Stand.Halter[s];
}

bool EinheitenGeaendert(const TStellung& alt, const TStellung& neu, int s) {
    for (int b = 1; b <= BesitzerAnzahl; ++b)
        if (std::memcmp(alt.Anzahl[b][s], neu.Anzahl[b][s], sizeof alt.Anzahl[b][s]) != 0) return true;
    return false;
}

// ---- The figures as rows --------------------------------------------------------------------

std::vector<TZeile> Zeilen() {
    const TSpielstand& s = Spielstand;
    auto macht = [&](int p) {
        return TZeile{BesitzerName(p), s.Income[p], s.LandUnits[p], s.SeaUnits[p], s.AllUnits[p],
                      HinweisIndex(p, hwLand)};
    };
    return {macht(bsRussland),
            macht(bsEngland),
            macht(bsUSA),
            {"Allies", s.AlliesIncome, s.AlliesLandUnits, s.AlliesSeaUnits, s.AlliesAllUnits, HinweisAllies},
            macht(bsDeutschland),
            macht(bsJapan),
            {"Axis", s.AxisIncome, s.AxisLandUnits, s.AxisSeaUnits, s.AxisAllUnits, HinweisAxis}};
}

const char* StufeText(int stufe) {
    switch (stufe) {
        case 1: return "1 (green)";
        case 2: return "2 (yellow)";
        case 3: return "3 (red)";
        case 4: return "4 (red)";
        case 5: return "5 (dark red)";
        default: return "none";
    }
}

std::string Rechts(const std::string& s, std::size_t breite) {
    return std::string(s.size() < breite ? breite - s.size() : 0, ' ') + s;
}

std::string NameText(const std::string& s) {
    static const char hex[] = "0123456789abcdef";
    std::string t;
    for (unsigned char c : s) {
        if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            t += "\\x";
            t += hex[c >> 4];
            t += hex[c & 15];
        } else if (c < 0x80) {
            t += static_cast<char>(c);
        } else {
            t += static_cast<char>(0xC0 | c >> 6);
            t += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return t;
}

// ---- What changed ---------------------------------------------------------------------------

bool TUnterschiede::Gleich() const {
    if (AlarmAlt != AlarmNeu || !Erobert.empty() || !Einheiten.empty()) return false;
    for (std::size_t i = 0; i < ZeilenAlt.size(); ++i) {
        const TZeile &a = ZeilenAlt[i], &n = ZeilenNeu[i];
        if (a.Income != n.Income || a.Land != n.Land || a.Sea != n.Sea || a.All != n.All) return false;
    }
    return true;
}

TUnterschiede Unterschiede(const TStellung& alt, const TStellung& neu) {
    TUnterschiede u;
    const TSpielstand vorher = Spielstand;
    Spielstand = alt.Stand;
    u.ZeilenAlt = Zeilen();
    u.AlarmAlt = AxisAlertLevel(alt.Stand.AxisIncome, true);
    Spielstand = neu.Stand;
    u.ZeilenNeu = Zeilen();
    u.AlarmNeu = AxisAlertLevel(neu.Stand.AxisIncome, true);
    Spielstand = vorher;
    for (int s = 1; s <= SetzSektoren; ++s)
        if (BesitzGeaendert(alt, neu, s)) u.Erobert.push_back({s, alt.Stand.Halter[s], neu.Stand.Halter[s]});
    for (int b = 1; b <= BesitzerAnzahl; ++b)
        for (int s = 0; s < SektorBytes; ++s)
            for (int k = 1; k <= ArtenAnzahl; ++k)
                if (alt.Anzahl[b][s][k] != neu.Anzahl[b][s][k])
                    u.Einheiten.push_back({b, s, k, alt.Anzahl[b][s][k], neu.Anzahl[b][s][k]});
    return u;
}

std::string SektorTitel(int s) {
    const TSektor* r = SektorRecord(static_cast<unsigned>(s));
    const std::string name = r ? NameText(SektorName(*r)) : std::string();
    return std::to_string(s) + (name.empty() ? "" : " " + name);
}

std::string UnterschiedeText(const TUnterschiede& u, const std::string& alt, const std::string& neu) {
    std::string t = alt + " -> " + neu + "\n\n";
    const char* kopf[5] = {"", "Income", "Land Units", "Sea Units", "All Units"};
    std::vector<std::vector<std::string>> tabelle;
    for (std::size_t i = 0; i < u.ZeilenAlt.size(); ++i) {
        const TZeile &a = u.ZeilenAlt[i], &n = u.ZeilenNeu[i];
        tabelle.push_back({a.Name, Wandel(a.Income, n.Income), Wandel(a.Land, n.Land), Wandel(a.Sea, n.Sea),
                           Wandel(a.All, n.All)});
    }
    std::size_t breite[5] = {};
    for (int c = 0; c < 5; ++c) {
        breite[c] = std::strlen(kopf[c]);
        for (const auto& z : tabelle) breite[c] = std::max(breite[c], z[c].size());
    }
    auto zeile = [&](const std::vector<std::string>& z) {
        std::string l = z[0] + std::string(breite[0] - z[0].size(), ' ');
        for (int c = 1; c < 5; ++c) l += "  " + Rechts(z[c], breite[c]);
        return l + "\n";
    };
    t += zeile({kopf[0], kopf[1], kopf[2], kopf[3], kopf[4]});
    for (std::size_t i = 0; i < tabelle.size(); ++i) {
        t += zeile(tabelle[i]);
        if (i == ZeileAllies) t += "\n";
    }
    t += "\nAxis alert level: " + std::string(StufeText(u.AlarmAlt)) + " -> " + StufeText(u.AlarmNeu) + "\n";

    t += "\nSectors that changed hands:";
    if (u.Erobert.empty()) t += " none";
    t += "\n";
    for (const auto& e : u.Erobert)
        t += "  " + SektorTitel(e.Sektor) + " (" + std::to_string(Sektoren[e.Sektor].ICPs) +
             " ICPs): " + BesitzerName(e.Von) + " -> " + BesitzerName(e.Nach) + "\n";

    t += "\nUnits that changed:";
    if (u.Einheiten.empty()) t += " none";
    t += "\n";
    for (std::size_t i = 0; i < u.Einheiten.size(); ++i) {
        const auto& e = u.Einheiten[i];
        const bool neueMacht = i == 0 || u.Einheiten[i - 1].Besitzer != e.Besitzer;
        const bool neuerSektor = neueMacht || u.Einheiten[i - 1].Sektor != e.Sektor;
        if (neueMacht) t += std::string("  ") + BesitzerName(e.Besitzer) + "\n";
        t += neuerSektor ? "    " + SektorTitel(e.Sektor) + ": " : std::string(", ");
        t += std::string(ArtName(e.Art)) + " " + std::to_string(e.Alt) + " -> " + std::to_string(e.Neu);
        if (i + 1 == u.Einheiten.size() || u.Einheiten[i + 1].Besitzer != e.Besitzer ||
            u.Einheiten[i + 1].Sektor != e.Sektor)
            t += "\n";
    }
    return t;
}

// ---- The shown turn against the turn before --------------------------------------------------

TStellung VorigerZug, GezeigterZug;
bool ZugVergleich = false;
bool AenderungenAnzeigen = true;
std::string ZugVergleichMeldung;

namespace {
std::string VorigerPfad;  // the file VorigerZug was read from, empty for none
bool VorigerGelesen = false;
}  // namespace

bool ZugVergleichen(bool neuLesen) {
    ZugVergleich = false;
    if (AktuelleMap < 2 || AktuelleMap > MapAnzahl) {
        ZugVergleichMeldung.clear();
        VorigerPfad.clear();
        return false;
    }
    const std::string& pfad = MapListe[AktuelleMap - 2];
    if (neuLesen || pfad != VorigerPfad) {
        VorigerPfad = pfad;
        VorigerGelesen = false;
        ZugVergleichMeldung.clear();
        try {
            MapDateiLesen(pfad, VorigerZug.Map);
            VorigerGelesen = true;
        } catch (const EDateiFehler& e) {
            ZugVergleichMeldung = e.what();
        }
    }
    if (!VorigerGelesen) return false;
    GezeigterZug.Map.Anzahl = EinheitenAnzahl;
    std::memcpy(&GezeigterZug.Map.Einheiten[1], &Einheiten[1], sizeof(TEinheit) * static_cast<std::size_t>(EinheitenAnzahl));
    Vergleichen(VorigerZug, GezeigterZug);
    ZugVergleich = true;
    return true;
}

std::string ZugVergleichText() {
    if (!ZugVergleich) return std::string();
    return UnterschiedeText(Unterschiede(VorigerZug, GezeigterZug), MapListe[AktuelleMap - 2], MapListe[AktuelleMap - 1]);
}
