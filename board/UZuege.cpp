#include "UZuege.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "UDateien.h"
#include "USpielstand.h"

namespace fs = std::filesystem;

namespace {

// The order of play is the order of the owner codes: Russia 1, Germany 2, United Kingdom 3,
// Japan 4, United States 5.
struct TMachtWort {
    const char* Wort;  // lower case
    TBesitzer Macht;
};
// Longer names first, so that "us" does not take the start of "usa".
const TMachtWort MachtWoerter[] = {{"united kingdom", 3}, {"united states", 5}, {"russia", 1}, {"germany", 2},
                                   {"japan", 4},          {"usa", 5},           {"uk", 3},     {"us", 5}};

std::string Klein(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool Trenner(char c) { return c == ' ' || c == '-' || c == '_' || c == '.'; }
bool Ziffer(char c) { return c >= '0' && c <= '9'; }

std::string DateiTeil(const std::string& pfad) {
    const std::size_t schraeg = pfad.find_last_of('/');
    return schraeg == std::string::npos ? pfad : pfad.substr(schraeg + 1);
}

}  // namespace

bool ZugAusName(const std::string& dateiname, TZug& zug) {
    std::string n = Klein(DateiTeil(dateiname));
    if (n.size() < 4 || n.compare(n.size() - 4, 4, ".map") != 0) return false;
    n.resize(n.size() - 4);
    if (n.compare(0, 5, "round") != 0) return false;
    std::size_t i = 5;
    while (i < n.size() && Trenner(n[i])) ++i;
    const std::size_t anfang = i;
    while (i < n.size() && Ziffer(n[i])) ++i;
    if (i == anfang || i - anfang > 9) return false;
    const std::int32_t runde = std::stoi(n.substr(anfang, i - anfang));
    // Nothing but a separator may follow the round ("Round 3b.map" is no turn file).
    if (i < n.size() && !Trenner(n[i])) return false;
    while (i < n.size() && Trenner(n[i])) ++i;
    TBesitzer macht = bsNeutral;
    if (i < n.size() && n[i] >= '1' && n[i] <= '5' && (i + 1 == n.size() || !Ziffer(n[i + 1]))) {
        macht = static_cast<TBesitzer>(n[i] - '0');
    } else {
        for (const TMachtWort& w : MachtWoerter) {
            const std::size_t l = std::string(w.Wort).size();
            if (n.compare(i, l, w.Wort) == 0 && (i + l == n.size() || !std::isalpha(static_cast<unsigned char>(n[i + l])))) {
                macht = w.Macht;
                break;
            }
        }
    }
    zug = TZug{runde, macht};
    return true;
}

std::string ZugName(TZug zug) {
    char runde[16];
    std::snprintf(runde, sizeof runde, "%02d", static_cast<int>(zug.Runde));
    return std::string("Round ") + runde + " - " + std::to_string(zug.Macht) + " " + BesitzerName(zug.Macht) + ".map";
}

TZug NaechsterZug(TZug zug) {
    if (zug.Macht < bsUSA) return TZug{zug.Runde, static_cast<TBesitzer>(zug.Macht + 1)};
    return TZug{zug.Runde + 1, bsRussland};
}

bool ZugVor(const std::string& a, const std::string& b) {
    TZug za{}, zb{};
    ZugAusName(a, za);
    ZugAusName(b, zb);
    if (za.Runde != zb.Runde) return za.Runde < zb.Runde;
    if (za.Macht != zb.Macht) return za.Macht < zb.Macht;
    return DateiTeil(a) < DateiTeil(b);
}

std::vector<std::string> ZugDateien(const std::string& ordner) {
    std::vector<std::string> dateien;
    std::error_code fehler;
    for (fs::directory_iterator it(ordner, fehler), ende; !fehler && it != ende; it.increment(fehler)) {
        TZug zug;
        const std::string name = it->path().filename().string();
        // Folders and devices named like turns are no turns; a link to a map file is one.
        std::error_code f2;
        if (ZugAusName(name, zug) && fs::is_regular_file(it->path(), f2)) dateien.push_back((fs::path(ordner) / name).string());
    }
    std::sort(dateien.begin(), dateien.end(), ZugVor);
    return dateien;
}

std::string MapOrdner(const std::string& mapName) {
    std::error_code fehler;
    fs::path ordner = fs::path(mapName).parent_path();
    if (ordner.empty()) ordner = ".";
    const fs::path absolut = fs::absolute(ordner, fehler);
    return (fehler ? ordner : absolut).lexically_normal().string();
}

std::string ZugVorschlag() {
    const std::string ordner = MapOrdner(MapName);
    const std::vector<std::string> dateien = ZugDateien(ordner);
    TZug zug{1, bsRussland};
    if (!dateien.empty()) {
        ZugAusName(dateien.back(), zug);
        zug = NaechsterZug(zug);
    }
    return (fs::path(ordner) / ZugName(zug)).string();
}

void ZugSpeichern(const std::string& datei) {
    MapSpeichern(datei);
    MapName = datei;
    SpielstandAktualisieren();
    MapListeFuellen();
}

// ---- The map list --------------------------------------------------------------------------

std::vector<std::string> MapListe;
int MapAnzahl = 0, AktuelleMap = 0;

namespace {
std::string ListenName;  // MapName when the list was filled or last stepped
bool ListeGefuellt = false;
}  // namespace

void MapListeLeeren() {
    MapListe.clear();
    MapAnzahl = AktuelleMap = 0;
    ListeGefuellt = false;
}

bool MapListeVeraltet() { return !ListeGefuellt || MapName != ListenName; }

void MapListeFuellen() {
    ListenName = MapName;
    ListeGefuellt = true;
    MapListe = ZugDateien(MapOrdner(MapName));
    MapAnzahl = static_cast<int>(MapListe.size());
    AktuelleMap = 0;
    // The shown map is found by its file, whichever way its name reached it.
    std::error_code fehler;
    for (int i = 1; i <= MapAnzahl && !AktuelleMap; ++i)
        if (fs::equivalent(MapListe[i - 1], MapName, fehler)) AktuelleMap = i;
    // The shown map renamed outside since it was read is still in memory and still that turn:
    // its entry is the file of the same turn.
    TZug gezeigt{}, zug{};
    if (!AktuelleMap && !fs::exists(MapName, fehler) && ZugAusName(MapName, gezeigt))
        for (int i = 1; i <= MapAnzahl && !AktuelleMap; ++i)
            if (ZugAusName(MapListe[i - 1], zug) && zug.Runde == gezeigt.Runde && zug.Macht == gezeigt.Macht) AktuelleMap = i;
}

namespace {

void MapZeigen(int eintrag) {
    const std::string datei = MapListe[eintrag - 1];
    MapLaden(datei);
    AktuelleMap = eintrag;
    MapName = ListenName = datei;
    SpielstandAktualisieren();
}

}  // namespace

void NaechsteMap() {
    if (AktuelleMap >= MapAnzahl) return;
    MapZeigen(AktuelleMap + 1);
}

void VorherigeMap() {
    if (AktuelleMap < 2) return;
    MapZeigen(AktuelleMap - 1);
}
