// diff: what changed between two positions, as text, a forum post or JSON.
#include "UVergleich.h"

#include <cstring>
#include <string>
#include <vector>

#include "UBefehle.h"
#include "UBerichte.h"
#include "UWerkzeug.h"

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

// Both positions are read whole before anything is counted: a refused file ends the command.
TStellung Alt, Neu;

// The name for the text and markdown reports, control characters escaped; JSON escapes its own.
std::string SektorNameAn(int s, bool json = false) {
    const TSektor* r = SektorRecord(static_cast<unsigned>(s));
    if (!r) return std::string();
    return json ? Latin1ZuUtf8(SektorName(*r)) : TerminalText(SektorName(*r));
}

// "12 Ukraine", or "0" for a sector byte without a name.
std::string SektorTitel(int s) {
    const std::string name = SektorNameAn(s);
    return std::to_string(s) + (name.empty() ? "" : " " + name);
}

std::string Mit(std::int64_t d) { return d > 0 ? "+" + std::to_string(d) : std::to_string(d); }

// "26 -> 24 (-2)"
std::string Wandel(std::uint32_t alt, std::uint32_t neu) {
    return std::to_string(alt) + " -> " + std::to_string(neu) + " (" +
           Mit(static_cast<std::int64_t>(neu) - static_cast<std::int64_t>(alt)) + ")";
}

std::string MarkdownZelle(std::string s) {
    for (std::size_t i = 0; (i = s.find('|', i)) != std::string::npos; i += 2) s.insert(i, "\\");
    return s;
}

struct TUnterschiede {
    std::vector<TZeile> ZeilenAlt, ZeilenNeu;
    int AlarmAlt, AlarmNeu;
    std::vector<int> Erobert;  // sectors
    struct TEinheitWandel {
        int Besitzer, Sektor, Art;
        std::uint32_t Alt, Neu;
    };
    std::vector<TEinheitWandel> Einheiten;

    bool Gleich() const {
        if (AlarmAlt != AlarmNeu || !Erobert.empty() || !Einheiten.empty()) return false;
        for (std::size_t i = 0; i < ZeilenAlt.size(); ++i) {
            const TZeile &a = ZeilenAlt[i], &n = ZeilenNeu[i];
            if (a.Income != n.Income || a.Land != n.Land || a.Sea != n.Sea || a.All != n.All) return false;
        }
        return true;
    }
};

TUnterschiede Unterschiede() {
    TUnterschiede u;
    Spielstand = Alt.Stand;
    u.ZeilenAlt = Zeilen();
    u.AlarmAlt = AxisAlertLevel(Alt.Stand.AxisIncome, true);
    Spielstand = Neu.Stand;
    u.ZeilenNeu = Zeilen();
    u.AlarmNeu = AxisAlertLevel(Neu.Stand.AxisIncome, true);
    for (int s = 1; s <= SetzSektoren; ++s)
        if (BesitzGeaendert(Alt, Neu, s)) u.Erobert.push_back(s);
    for (int b = 1; b <= BesitzerAnzahl; ++b)
        for (int s = 0; s < SektorBytes; ++s)
            for (int k = 1; k <= ArtenAnzahl; ++k)
                if (Alt.Anzahl[b][s][k] != Neu.Anzahl[b][s][k])
                    u.Einheiten.push_back({b, s, k, Alt.Anzahl[b][s][k], Neu.Anzahl[b][s][k]});
    return u;
}

std::string HalterName(int s, const TStellung& st) { return BesitzerName(st.Stand.Halter[s]); }

std::string Text(const TUnterschiede& u, const std::string& alt, const std::string& neu) {
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
    for (int s : u.Erobert)
        t += "  " + SektorTitel(s) + " (" + std::to_string(Sektoren[s].ICPs) +
             " ICPs): " + HalterName(s, Alt) + " -> " + HalterName(s, Neu) + "\n";

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

std::string Markdown(const TUnterschiede& u, const std::string& alt, const std::string& neu) {
    std::string t = "## " + MarkdownZelle(alt) + " -> " + MarkdownZelle(neu) + "\n\n";
    t += "| | Income | Land Units | Sea Units | All Units |\n|---|---:|---:|---:|---:|\n";
    for (std::size_t i = 0; i < u.ZeilenAlt.size(); ++i) {
        const TZeile &a = u.ZeilenAlt[i], &n = u.ZeilenNeu[i];
        const bool seite = i == ZeileAllies || i == ZeileAxis;
        const std::string name = seite ? "**" + std::string(a.Name) + "**" : a.Name;
        t += "| " + name + " | " + Wandel(a.Income, n.Income) + " | " + Wandel(a.Land, n.Land) + " | " +
             Wandel(a.Sea, n.Sea) + " | " + Wandel(a.All, n.All) + " |\n";
    }
    t += "\n**Axis alert level:** " + std::string(StufeText(u.AlarmAlt)) + " -> " + StufeText(u.AlarmNeu) + "\n";

    t += "\n### Sectors that changed hands\n\n";
    if (u.Erobert.empty()) t += "None.\n";
    else t += "| Sector | Name | ICPs | From | To |\n|---:|---|---:|---|---|\n";
    for (int s : u.Erobert)
        t += "| " + std::to_string(s) + " | " + MarkdownZelle(SektorNameAn(s)) + " | " +
             std::to_string(Sektoren[s].ICPs) + " | " + HalterName(s, Alt) + " | " + HalterName(s, Neu) + " |\n";

    t += "\n### Units that changed\n";
    if (u.Einheiten.empty()) t += "\nNone.\n";
    for (std::size_t i = 0; i < u.Einheiten.size(); ++i) {
        const auto& e = u.Einheiten[i];
        if (i == 0 || u.Einheiten[i - 1].Besitzer != e.Besitzer)
            t += std::string("\n#### ") + BesitzerName(e.Besitzer) +
                 "\n\n| Sector | Name | Kind | Old | New |\n|---:|---|---|---:|---:|\n";
        t += "| " + std::to_string(e.Sektor) + " | " + MarkdownZelle(SektorNameAn(e.Sektor)) + " | " + ArtName(e.Art) +
             " | " + std::to_string(e.Alt) + " | " + std::to_string(e.Neu) + " |\n";
    }
    return t;
}

Json Paar(std::uint32_t a, std::uint32_t n) { return Json::array({a, n}); }

Json ZeileJson(const TZeile& a, const TZeile& n) {
    return Json{{"income", Paar(a.Income, n.Income)},
                {"land", Paar(a.Land, n.Land)},
                {"sea", Paar(a.Sea, n.Sea)},
                {"all", Paar(a.All, n.All)}};
}

Json AlsJson(const TUnterschiede& u, const std::string& alt, const std::string& neu) {
    Json powers = Json::object();
    for (int b = 1; b <= BesitzerAnzahl; ++b)
        for (std::size_t i = 0; i < u.ZeilenAlt.size(); ++i)
            if (u.ZeilenAlt[i].Name == std::string(BesitzerName(b)))
                powers[u.ZeilenAlt[i].Name] = ZeileJson(u.ZeilenAlt[i], u.ZeilenNeu[i]);
    Json erobert = Json::array();
    for (int s : u.Erobert)
        erobert.push_back({{"sector", s},
                           {"name", SektorNameAn(s, true)},
                           {"icps", Sektoren[s].ICPs},
                           {"from", HalterName(s, Alt)},
                           {"to", HalterName(s, Neu)}});
    Json einheiten = Json::array();
    for (const auto& e : u.Einheiten)
        einheiten.push_back({{"power", BesitzerName(e.Besitzer)},
                             {"sector", e.Sektor},
                             {"name", SektorNameAn(e.Sektor, true)},
                             {"kind", ArtName(e.Art)},
                             {"old", e.Alt},
                             {"new", e.Neu}});
    return Json{{"old", alt},
                {"new", neu},
                {"powers", powers},
                {"sides",
                 {{"Allies", ZeileJson(u.ZeilenAlt[ZeileAllies], u.ZeilenNeu[ZeileAllies])},
                  {"Axis", ZeileJson(u.ZeilenAlt[ZeileAxis], u.ZeilenNeu[ZeileAxis])}}},
                {"alert", {{"old", StufeJson(u.AlarmAlt)}, {"new", StufeJson(u.AlarmNeu)}}},
                {"captured", erobert},
                {"units", einheiten}};
}

// The report of Alt.Map against Neu.Map, named alt and neu.
bool DiffBerichtGelesen(const std::string& alt, const std::string& neu, TDiffArt art, std::string& bericht) {
    Vergleichen(Alt, Neu);
    const TUnterschiede u = Unterschiede();
    const bool gleich = u.Gleich();
    if (art == daJson)
        // A file name that is no UTF-8 shows its odd bytes as U+FFFD.
        bericht = AlsJson(u, alt, neu).dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
    else if (gleich)
        bericht = art == daMarkdown ? "The positions in " + MarkdownZelle(alt) + " and " + MarkdownZelle(neu) + " are the same.\n"
                                    : "The positions in " + alt + " and " + neu + " are the same.\n";
    else
        bericht = art == daMarkdown ? Markdown(u, alt, neu) : Text(u, alt, neu);
    return !gleich;
}

}  // namespace

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

bool DiffBericht(const std::string& alt, const std::string& neu, TDiffArt art, std::string& bericht) {
    MapDateiLesen(alt, Alt.Map);
    MapDateiLesen(neu, Neu.Map);
    return DiffBerichtGelesen(alt, neu, art, bericht);
}

bool DiffBericht(const TMapDaten& altMap, const TMapDaten& neuMap, const std::string& alt, const std::string& neu,
                 TDiffArt art, std::string& bericht) {
    Alt.Map = altMap;
    Neu.Map = neuMap;
    return DiffBerichtGelesen(alt, neu, art, bericht);
}

int BefehlDiff(const QStringList& argumente) {
    TBefehlParser p("diff [--markdown | --json] [--data DIR] [--sectors FILE] OLD.map NEW.map",
                    "Prints what changed from the position in OLD.map to the one in NEW.map, counted with one sector "
                    "file: income and unit values per power and side (old, new and the change), the Axis alert "
                    "level, the sectors that changed hands and, per power, every sector where its units changed. "
                    "Exit status 0 when nothing differs, 1 when something does, 2 for trouble.",
                    true, true);
    QCommandLineOption markdown("markdown", "Print the same as a forum post (headings and tables).");
    QCommandLineOption json("json", "Print one JSON object instead.");
    p.Parser.addOptions({markdown, json});
    p.Argument("OLD.map", "The earlier position.");
    p.Argument("NEW.map", "The later position.");
    if (!p.Lesen(argumente)) return StatusOk;
    const QStringList pos = p.Positionen(2, 2);
    if (p.Parser.isSet(markdown) && p.Parser.isSet(json)) throw EAufrufFehler("--markdown and --json exclude each other");
    const std::string alt = ArgumentBytes(pos.at(0)), neu = ArgumentBytes(pos.at(1));
    SektorenLaden(SektorDateiPfad(p));
    std::string bericht;
    const bool gleich = !DiffBericht(alt, neu, p.Parser.isSet(json) ? daJson : p.Parser.isSet(markdown) ? daMarkdown : daText,
                                     bericht);
    Ausgeben(bericht);
    return gleich ? StatusOk : StatusProbleme;
}
