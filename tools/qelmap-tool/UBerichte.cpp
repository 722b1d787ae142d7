// tally, units and sectors: the figures and lists of the game windows, as text.
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "UBefehle.h"
#include "UBerichte.h"
#include "UDateien.h"
#include "UListen.h"
#include "USpielstand.h"
#include "UVariablen.h"
#include "UWerkzeug.h"

namespace {

// Loads the sector table and the position the way the program does at start-up.
void BrettLaden(const TBefehlParser& p, const std::string& map) {
    SektorenLaden(SektorDateiPfad(p));
    MapLaden(map);
}

Json ZeileJson(const TZeile& z) {
    const std::string* h = &Spielstand.UnitHints[z.Hinweis];
    return Json{{"income", z.Income},
                {"land", z.Land},
                {"sea", z.Sea},
                {"all", z.All},
                {"hints", {{"land", h[hwLand]}, {"sea", h[hwSea]}, {"all", h[hwAll]}}}};
}

}  // namespace

Json StufeJson(int stufe) { return stufe == 0 ? Json(nullptr) : Json(stufe); }

std::string AlarmText(std::uint32_t axisIncome) {
    const int an = AxisAlertLevel(axisIncome, true), aus = AxisAlertLevel(axisIncome, false);
    if (an == aus) return StufeText(an);
    return std::string(StufeText(an)) + " and " + StufeText(aus) + ", blinking";
}

int BefehlTally(const QStringList& argumente) {
    TBefehlParser p("tally [--json] [--data DIR] [--sectors FILE] MAP",
                    "Prints the figures of the game information window for the position in MAP: income and the "
                    "value of land, sea and all units per power and side, and the Axis alert level.",
                    true, true);
    QCommandLineOption json("json", "Print one JSON object instead of a table.");
    p.Parser.addOption(json);
    p.Argument("MAP", "The map file (.map) of the position.");
    if (!p.Lesen(argumente)) return StatusOk;
    const std::string map = ArgumentBytes(p.Positionen(1, 1).at(0));
    BrettLaden(p, map);
    SpielstandBerechnen();
    const int an = AxisAlertLevel(Spielstand.AxisIncome, true);
    const int aus = AxisAlertLevel(Spielstand.AxisIncome, false);

    std::vector<TZeile> zeilen = Zeilen();
    if (p.Parser.isSet(json)) {
        Json powers = Json::object();
        for (int b = 1; b <= BesitzerAnzahl; ++b)
            for (const TZeile& z : zeilen)
                if (z.Name == std::string(BesitzerName(b))) powers[z.Name] = ZeileJson(z);
        Json j{{"powers", powers},
               {"sides", {{"Allies", ZeileJson(zeilen[ZeileAllies])}, {"Axis", ZeileJson(zeilen[ZeileAxis])}}},
               {"alert", {{"on", StufeJson(an)}, {"off", StufeJson(aus)}}}};
        Ausgeben(j.dump(2) + "\n");
        return StatusOk;
    }

    std::string t = "                Income  Land Units  Sea Units  All Units\n";
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
        const TZeile& z = zeilen[i];
        std::string name = z.Name;
        t += name + std::string(16 - name.size(), ' ') + Rechts(std::to_string(z.Income), 6) + Rechts(std::to_string(z.Land), 12) +
             Rechts(std::to_string(z.Sea), 11) + Rechts(std::to_string(z.All), 11) + "\n";
        if (i == ZeileAllies) t += "\n";
    }
    t += "\nAxis alert level: " + AlarmText(Spielstand.AxisIncome) + "\n";
    Ausgeben(t);
    return StatusOk;
}

int BefehlUnits(const QStringList& argumente) {
    TBefehlParser p("units [--flags] [--no-ic] [--no-aa] [--data DIR] [--sectors FILE] MAP",
                    "Prints the unit list of the position in MAP line for line as the unit list window shows it.",
                    true, true);
    QCommandLineOption flaggen("flags", "List flags (\"show flags\"; off by default).");
    QCommandLineOption keineIc("no-ic", "Leave out Industrial Complexes (\"show Industrial Complexes\" unchecked).");
    QCommandLineOption keineAa("no-aa", "Leave out AntiAirCannons (\"show AntiAirCannons\" unchecked).");
    p.Parser.addOptions({flaggen, keineIc, keineAa});
    p.Argument("MAP", "The map file (.map) of the position.");
    if (!p.Lesen(argumente)) return StatusOk;
    BrettLaden(p, ArgumentBytes(p.Positionen(1, 1).at(0)));
    std::string t;
    for (const std::string& z :
         UnitListeZeilen(p.Parser.isSet(flaggen), !p.Parser.isSet(keineIc), !p.Parser.isSet(keineAa)))
        t += TerminalText(z) + "\n";
    Ausgeben(t);
    return StatusOk;
}

int BefehlSectors(const QStringList& argumente) {
    TBefehlParser p("sectors [--data DIR] [--sectors FILE] [FILE.sek]",
                    "Prints the sector list: one line per sector, sector 1 first, as name / start owner / ICPs / "
                    "Land or Wasser.",
                    true, true);
    p.Argument("FILE.sek", "The sector file; without it --sectors or Sektoren_neu.sek.");
    if (!p.Lesen(argumente)) return StatusOk;
    QStringList pos = p.Positionen(0, 1);
    SektorenLaden(pos.isEmpty() ? SektorDateiPfad(p) : ArgumentBytes(pos.at(0)));
    std::string t;
    for (const std::string& z : SektorenListeZeilen()) t += TerminalText(z) + "\n";
    Ausgeben(t);
    return StatusOk;
}
