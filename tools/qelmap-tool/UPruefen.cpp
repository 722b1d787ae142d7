// check: finds what in map and sector files the program would refuse or misread.
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "UBefehle.h"
#include "UDatei.h"
#include "UDateien.h"
#include "UFehler.h"
#include "UVariablen.h"
#include "UWerkzeug.h"

namespace {

constexpr const char* SektorBildName = "Sektoreninfo(1587x913)[256Grau].BMP";

struct TPruefung {
    std::string BildPfad;  // the sector picture, loaded on first need
    int Probleme = 0;

    void Melden(const std::string& datei, const std::string& was) {
        Ausgeben(datei + ": " + was + "\n");
        ++Probleme;
    }

    // Stacks carry their sector number; only the sector picture can say whether it is right.
    void BildBereitstellen() {
        if (SektorBildGeladen) return;
        try {
            BildLaden(SektorBild, BildPfad);
        } catch (const EDateiFehler& e) {
            throw EDateiFehler(e.Datei, std::string(e.what()).substr(e.Datei.size() + 2) +
                                            "; the sectors of stacks are checked against it (see --data)");
        }
        SektorBildGeladen = true;
    }
};

std::string Zahl(double v) {
    char puffer[64];
    std::snprintf(puffer, sizeof puffer, "%g", v);
    return puffer;
}

std::string ArtText(unsigned art) {
    return (art >= 1 && art <= ArtenAnzahl) ? ArtName(art) : "kind " + std::to_string(art);
}

std::string BesitzerText(unsigned b) { return b <= 5 ? BesitzerName(b) : "owner " + std::to_string(b); }

// A flag now takes its sector from every other power, so a sector with flags of several
// powers comes only from older files; the tallies give it to the first power in owner order.
void FlaggenPruefen(TPruefung& pr, const std::string& datei, const TMapDaten& map) {
    // The first flag stack of each power in each sector decides, as in the tallies.
    int erste[256][BesitzerAnzahl + 1] = {};
    for (int i = 1; i <= map.Anzahl; ++i) {
        const TEinheit& e = map.Einheiten[i];
        if (e.Art == eaFlagge && e.Besitzer >= 1 && e.Besitzer <= BesitzerAnzahl && !erste[e.Sektor][e.Besitzer])
            erste[e.Sektor][e.Besitzer] = i;
    }
    for (int s = 1; s < 255; ++s) {
        std::string maechte;
        int halter = 0, anzahl = 0;
        for (int b = 1; b <= BesitzerAnzahl; ++b) {
            const int i = erste[s][b];
            if (!i || map.Einheiten[i].Anzahl == 0) continue;
            maechte += (anzahl++ ? ", " : "") + std::string(BesitzerName(b));
            if (!halter) halter = b;
        }
        if (anzahl < 2) continue;
        const std::string wer = s <= SetzSektoren ? std::string(BesitzerName(halter)) + " collects its income, the first in owner order"
                                                  : "no one collects there (sectors above 127 count for nobody)";
        pr.Melden(datei, "sector " + std::to_string(s) + ": flags of " + maechte + "; " + wer);
    }
}

void MapPruefen(TPruefung& pr, const std::string& datei) {
    // A file the program refuses is as good as unreadable; the error says why.
    static TMapDaten map;
    MapDateiLesen(datei, map);
    std::map<std::tuple<int, int, int>, int> erste;
    for (int i = 1; i <= map.Anzahl; ++i) {
        const TEinheit& e = map.Einheiten[i];
        const std::string stapel = "stack " + std::to_string(i) + ": ";
        const bool artGut = e.Art >= 1 && e.Art <= ArtenAnzahl;
        const bool besitzerGut = e.Besitzer >= 1 && e.Besitzer <= BesitzerAnzahl;
        if (!artGut)
            pr.Melden(datei, stapel + "kind " + std::to_string(e.Art) + " is outside 1..11; the stack is neither "
                                              "drawn nor counted");
        if (!besitzerGut)
            pr.Melden(datei, stapel + "owner " + std::to_string(e.Besitzer) +
                                 " is outside 1..5; the stack is neither drawn nor counted");
        if (e.Anzahl == 0)
            pr.Melden(datei, stapel + "count 0: an empty stack");
        else if (e.Anzahl > 100)
            pr.Melden(datei, stapel + "count " + std::to_string(e.Anzahl) + " is above 100");
        pr.BildBereitstellen();
        const std::uint8_t bild = SektorAn(MapPunkt(e.X, e.Y));
        if (bild != e.Sektor) {
            std::string wo = "(" + Zahl(e.X) + ", " + Zahl(e.Y) + ")";
            std::string dort = (bild == 0 || bild == 255) ? "no sector" : "sector " + std::to_string(bild);
            pr.Melden(datei, stapel + "sector " + std::to_string(e.Sektor) + ", but the sector picture has " + dort +
                                 " at its anchor " + wo);
        }
        auto [it, neu] = erste.try_emplace({e.Sektor, e.Art, e.Besitzer}, i);
        if (!neu)
            pr.Melden(datei, stapel + "repeats sector " + std::to_string(e.Sektor) + ", " + ArtText(e.Art) + ", " +
                                 BesitzerText(e.Besitzer) + " of stack " + std::to_string(it->second) +
                                 "; the unit list shows only the first and placed units join it, while the tallies "
                                 "count every stack");
    }
    FlaggenPruefen(pr, datei, map);
}

void SektorenPruefen(TPruefung& pr, const std::string& datei) {
    static TSektorDaten daten;
    SektorDateiLesen(datei, daten);
    for (int s = 1; s <= SektorenAnzahl; ++s) {
        const TSektor& r = daten.Sektoren[s];
        const std::string sektor = "sector " + std::to_string(s) + ": ";
        if (r.NameLaenge > 40)
            pr.Melden(datei, sektor + "name length " + std::to_string(r.NameLaenge) + " is above 40");
        if (r.StartBesitzer > 5)
            pr.Melden(datei, sektor + "start owner " + std::to_string(r.StartBesitzer) + " is above 5");
        if (r.HotSpotX < 0 || r.HotSpotX >= MapBreite || r.HotSpotY < 0 || r.HotSpotY >= MapHoehe)
            pr.Melden(datei, sektor + "ICP hot spot (" + std::to_string(r.HotSpotX) + ", " +
                                 std::to_string(r.HotSpotY) + ") lies outside the map (1587 x 913)");
    }
}

}  // namespace

int BefehlCheck(const QStringList& argumente) {
    TBefehlParser p("check [--data DIR] FILE...",
                    "Checks map and sector files and prints one line per problem: the file, the record and what is "
                    "wrong. Files ending in .sek are sector files, all others map files. The sectors of stacks are "
                    "compared with the sector picture in the data folder.\n"
                    "Exit status: 0 clean, 1 problems found, 2 a file cannot be read or the program would refuse it.",
                    true, false);
    p.Argument("FILE...", "Map files (.map) and sector files (.sek).");
    if (!p.Lesen(argumente)) return StatusOk;
    const QStringList dateien = p.Positionen(1, 1 << 30);
    TPruefung pr;
    pr.BildPfad = DatenDatei(p, SektorBildName);
    bool unlesbar = false;
    for (const QString& q : dateien) {
        const std::string datei = ArgumentBytes(q);
        try {
            if (Endung(datei) == ".sek")
                SektorenPruefen(pr, datei);
            else
                MapPruefen(pr, datei);
        } catch (const EDateiFehler& e) {
            // Go on with the other files; the status tells that not everything was checked.
            std::fprintf(stderr, "qelmap-tool: %s\n", e.what());
            unlesbar = true;
        }
    }
    if (unlesbar) return StatusFehler;
    return pr.Probleme ? StatusProbleme : StatusOk;
}
