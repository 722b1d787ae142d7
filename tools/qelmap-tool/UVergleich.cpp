// diff: what changed between two positions, as text, a forum post or JSON.
#include "UVergleich.h"

#include <cstring>
#include <string>
#include <vector>

#include "UBefehle.h"
#include "UBerichte.h"
#include "UWerkzeug.h"

namespace {

// Both positions are read whole before anything is counted: a refused file ends the command.
TStellung Alt, Neu;

// The name for the markdown report, control characters escaped; JSON escapes its own.
std::string SektorNameAn(int s, bool json = false) {
    const TSektor* r = SektorRecord(static_cast<unsigned>(s));
    if (!r) return std::string();
    return json ? Latin1ZuUtf8(SektorName(*r)) : TerminalText(SektorName(*r));
}

std::string MarkdownZelle(std::string s) {
    for (std::size_t i = 0; (i = s.find('|', i)) != std::string::npos; i += 2) s.insert(i, "\\");
    return s;
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
    for (const auto& e : u.Erobert)
        t += "| " + std::to_string(e.Sektor) + " | " + MarkdownZelle(SektorNameAn(e.Sektor)) + " | " +
             std::to_string(Sektoren[e.Sektor].ICPs) + " | " + BesitzerName(e.Von) + " | " + BesitzerName(e.Nach) + " |\n";

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
    for (const auto& e : u.Erobert)
        erobert.push_back({{"sector", e.Sektor},
                           {"name", SektorNameAn(e.Sektor, true)},
                           {"icps", Sektoren[e.Sektor].ICPs},
                           {"from", BesitzerName(e.Von)},
                           {"to", BesitzerName(e.Nach)}});
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
    const TUnterschiede u = Unterschiede(Alt, Neu);
    const bool gleich = u.Gleich();
    if (art == daJson)
        // A file name that is no UTF-8 shows its odd bytes as U+FFFD.
        bericht = AlsJson(u, alt, neu).dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
    else if (gleich)
        bericht = art == daMarkdown ? "The positions in " + MarkdownZelle(alt) + " and " + MarkdownZelle(neu) + " are the same.\n"
                                    : "The positions in " + alt + " and " + neu + " are the same.\n";
    else
        bericht = art == daMarkdown ? Markdown(u, alt, neu) : UnterschiedeText(u, alt, neu);
    return !gleich;
}

}  // namespace

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
