#include "UDateien.h"

#include "UVergleich.h"

#include <cstring>
#include <filesystem>
#include <vector>

#include "UDatei.h"
#include "UFehler.h"
#include "UIni.h"
#include "USpielstand.h"
#include "UVariablen.h"
#include "UVergleich.h"

// ---- Map files ----------------------------------------------------------------------------

void MapParsen(const std::uint8_t* daten, std::size_t laenge, const std::string& datei, TMapDaten& map) {
    // Check the whole file before the record is touched: a bad file changes nothing.
    if (laenge < 4)
        throw EDateiFehler(datei, "is not a map file: it has " + std::to_string(laenge) +
                                      " bytes, fewer than the 4 of the stack count");
    std::int32_t n;
    std::memcpy(&n, daten, 4);
    if (n < 0 || n > MaxEinheiten)
        throw EDateiFehler(datei, "is not a map file: it announces " + std::to_string(n) +
                                      " stacks, but a map holds 0 to 1000");
    std::size_t noetig = 4 + sizeof(TEinheit) * static_cast<std::size_t>(n);
    if (laenge < noetig)
        throw EDateiFehler(datei, "is cut short: it announces " + std::to_string(n) + " stacks (" +
                                      std::to_string(noetig) + " bytes) but has only " + std::to_string(laenge) +
                                      " bytes");
    std::memcpy(&map.Einheiten[1], daten + 4, sizeof(TEinheit) * static_cast<std::size_t>(n));
    map.Anzahl = n;
}

void MapDateiLesen(const std::string& datei, TMapDaten& map) {
    const std::vector<std::uint8_t> d = DateiLesen(datei, MapDateiGrenze, "a map file");
    MapParsen(d.data(), d.size(), datei, map);
}

void MapUebernehmen(const TMapDaten& map) {
    std::memcpy(&Einheiten[1], &map.Einheiten[1], sizeof(TEinheit) * static_cast<std::size_t>(map.Anzahl));
    EinheitenAnzahl = map.Anzahl;
}

std::vector<std::uint8_t> MapBytes(std::int32_t anzahl, const TEinheit* stapel) {
    const std::size_t n = anzahl < 0 ? 0 : static_cast<std::size_t>(anzahl);
    std::vector<std::uint8_t> d(4 + sizeof(TEinheit) * n);
    const std::int32_t zahl = static_cast<std::int32_t>(n);
    std::memcpy(d.data(), &zahl, 4);
    if (n) std::memcpy(d.data() + 4, &stapel[1], sizeof(TEinheit) * n);
    return d;
}

void MapLaden(const std::string& datei) {
    static TMapDaten map;
    MapDateiLesen(datei, map);
    MapUebernehmen(map);
}

void MapSpeichern(const std::string& datei) {
    const std::vector<std::uint8_t> d = MapBytes(EinheitenAnzahl, Einheiten);
    DateiSchreiben(datei, d.data(), d.size());
}

std::string MapSpeichernName(const std::string& mapName) {
    std::size_t schraeg = mapName.find_last_of('/');
    std::size_t anfang = schraeg == std::string::npos ? 0 : schraeg + 1;
    std::size_t punkt = mapName.find_last_of('.');
    if (punkt != std::string::npos && punkt >= anfang) return mapName.substr(0, punkt) + ".map";
    return mapName + ".map";
}

// ---- Sector files -------------------------------------------------------------------------

static_assert(sizeof(TSektor) * SektorenAnzahl == SektorDateiGroesse);

void SektorenParsen(const std::uint8_t* bytes, std::size_t laenge, const std::string& datei, TSektorDaten& daten) {
    if (laenge < SektorDateiGroesse)
        throw EDateiFehler(datei, "is not a sector file: it has " + std::to_string(laenge) +
                                      " bytes, a sector file has 9880");
    std::memcpy(&daten.Sektoren[1], bytes, SektorDateiGroesse);
}

void SektorDateiLesen(const std::string& datei, TSektorDaten& daten) {
    const std::vector<std::uint8_t> d = DateiLesen(datei, SektorDateiGrenze, "a sector file");
    SektorenParsen(d.data(), d.size(), datei, daten);
}

void SektorenUebernehmen(const TSektorDaten& daten) { std::memcpy(&Sektoren[1], &daten.Sektoren[1], SektorDateiGroesse); }

void SektorenLaden(const std::string& datei) {
    static TSektorDaten daten;
    SektorDateiLesen(datei, daten);
    SektorenUebernehmen(daten);
    // Start owners and ICPs decide the incomes: a figure left from the old table would be wrong.
    SpielstandAktualisieren();
}

void SektorenSpeichern(const std::string& datei) { DateiSchreiben(datei, &Sektoren[1], SektorDateiGroesse); }

// ---- Settings file ------------------------------------------------------------------------

TFensterPlatz FensterPlaetze[FensterAnzahl] = {HauptfensterVorgabe};

namespace {

const char* const FensterSektion[FensterAnzahl] = {"MapForm", "GameInfoForm", "ToolsForm", "SektorInfoForm",
                                                  "EditsForm", "SchlachtForm"};

struct TOption {
    const char* Sektion;
    const char* Schluessel;
    bool* Wert;
    bool Vorgabe;
};

const TOption Optionen[OptionenAnzahl] = {
    {"Options", "ICPsAnzeigen", &ICPsAnzeigen, false},
    {"Options", "LandnameAmCursor", &LandnameAmCursor, true},
    {"Options", "EinheitartAmCursor", &EinheitartAmCursor, false},
    {"Options", "BesitzerAmCursor", &BesitzerAmCursor, false},
    {"Options", "MausStehtBeimScrollen", &MausStehtBeimScrollen, false},
    {"FensterAnzeigen", "SektorInfo", &SektorInfo, false},
    {"FensterAnzeigen", "GameInfo", &GameInfo, true},
    {"FensterAnzeigen", "GameCenter", &GameCenter, false},
    {"Options", "HalterAnzeigen", &HalterAnzeigen, true},
    {"Options", "AenderungenAnzeigen", &AenderungenAnzeigen, true},
    {"FensterAnzeigen", "Edits", &EditsOffen, false},
    {"FensterAnzeigen", "Schlacht", &SchlachtOffen, false},
};

int ZahlLesen(const TIniText& ini, const char* sektion, const char* schluessel, int vorgabe) {
    long long wert;
    if (!EinstellungZahl(IniWert(ini, sektion, schluessel, ""), wert)) return vorgabe;
    // Integers in the file are 32-bit; a longer number keeps its low 32 bits as it would there.
    return static_cast<int>(static_cast<std::uint32_t>(static_cast<unsigned long long>(wert)));
}

// A file that is missing, or that stands as a folder or device, holds no settings.
std::vector<std::uint8_t> EinstellungsBytes(const std::string& pfad) {
    if (!DateiExistiert(pfad)) return {};
    return DateiLesen(pfad, IniDateiGrenze, "a settings file");
}

}  // namespace

bool EinstellungZahl(const std::string& text, long long& wert) {
    std::size_t i = 0;
    bool negativ = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negativ = text[i] == '-';
        ++i;
    }
    int basis = 10;
    if (i < text.size() && text[i] == '$') {
        basis = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        basis = 16;
        i += 2;
    }
    if (i >= text.size()) return false;
    unsigned long long v = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        int z;
        if (c >= '0' && c <= '9')
            z = c - '0';
        else if (basis == 16 && c >= 'a' && c <= 'f')
            z = c - 'a' + 10;
        else if (basis == 16 && c >= 'A' && c <= 'F')
            z = c - 'A' + 10;
        else
            return false;
        v = v * basis + z;
        if (v > 0xFFFFFFFFull) return false;
    }
    wert = negativ ? -static_cast<long long>(v) : static_cast<long long>(v);
    return true;
}

std::string EinstellungenPfad() {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::current_path(ec);
    return (p / "QelWin.INI").string();
}

void EinstellungenParsen(const std::uint8_t* daten, std::size_t laenge, TEinstellungen& e) {
    const TIniText ini = IniParsen(daten, laenge);
    TFensterPlatz& haupt = e.Plaetze[fwMapForm];
    haupt.Top = ZahlLesen(ini, "MapForm", "Top", HauptfensterVorgabe.Top);
    haupt.Left = ZahlLesen(ini, "MapForm", "Left", HauptfensterVorgabe.Left);
    haupt.Height = ZahlLesen(ini, "MapForm", "Height", HauptfensterVorgabe.Height);
    haupt.Width = ZahlLesen(ini, "MapForm", "Width", HauptfensterVorgabe.Width);
    for (int f = fwGameInfoForm; f < FensterAnzahl; ++f) {
        e.Plaetze[f].Top = ZahlLesen(ini, FensterSektion[f], "Top", 0);
        e.Plaetze[f].Left = ZahlLesen(ini, FensterSektion[f], "Left", 0);
        e.Plaetze[f].Height = e.Plaetze[f].Width = 0;
    }
    for (int i = 0; i < OptionenAnzahl; ++i)
        e.Optionen[i] = ZahlLesen(ini, Optionen[i].Sektion, Optionen[i].Schluessel, Optionen[i].Vorgabe) != 0;
    // A number that names no sector names none.
    const int sektor = ZahlLesen(ini, "FensterAnzeigen", "SchlachtSektor", 0);
    e.SchlachtSektor = static_cast<std::uint8_t>(sektor >= 0 && sektor <= 255 ? sektor : 0);
}

void EinstellungenUebernehmen(const TEinstellungen& e) {
    for (int f = fwMapForm; f < FensterAnzahl; ++f) {
        FensterPlaetze[f].Top = e.Plaetze[f].Top;
        FensterPlaetze[f].Left = e.Plaetze[f].Left;
    }
    FensterPlaetze[fwMapForm].Height = e.Plaetze[fwMapForm].Height;
    FensterPlaetze[fwMapForm].Width = e.Plaetze[fwMapForm].Width;
    for (int f = fwMapForm; f < FensterAnzahl; ++f) Fenster->PlatzAnwenden(static_cast<TFenster>(f), FensterPlaetze[f]);
    for (int i = 0; i < OptionenAnzahl; ++i) *Optionen[i].Wert = e.Optionen[i];
    SchlachtSektor = e.SchlachtSektor;
}

TEinstellungen EinstellungenErfassen() {
    for (int f = fwMapForm; f < FensterAnzahl; ++f) FensterPlaetze[f] = Fenster->PlatzErfassen(static_cast<TFenster>(f));
    TEinstellungen e;
    for (int f = fwMapForm; f < FensterAnzahl; ++f) e.Plaetze[f] = FensterPlaetze[f];
    for (int i = 0; i < OptionenAnzahl; ++i) e.Optionen[i] = *Optionen[i].Wert;
    e.SchlachtSektor = SchlachtSektor;
    return e;
}

std::string EinstellungenText(const std::uint8_t* vorher, std::size_t laenge, const TEinstellungen& e) {
    TIniText ini = IniParsen(vorher, laenge);
    const TFensterPlatz& haupt = e.Plaetze[fwMapForm];
    IniSetzen(ini, "MapForm", "Top", std::to_string(haupt.Top));
    IniSetzen(ini, "MapForm", "Left", std::to_string(haupt.Left));
    IniSetzen(ini, "MapForm", "Height", std::to_string(haupt.Height));
    IniSetzen(ini, "MapForm", "Width", std::to_string(haupt.Width));
    for (int f = fwGameInfoForm; f < FensterAnzahl; ++f) {
        IniSetzen(ini, FensterSektion[f], "Top", std::to_string(e.Plaetze[f].Top));
        IniSetzen(ini, FensterSektion[f], "Left", std::to_string(e.Plaetze[f].Left));
    }
    for (int i = 0; i < OptionenAnzahl; ++i)
        IniSetzen(ini, Optionen[i].Sektion, Optionen[i].Schluessel, e.Optionen[i] ? "1" : "0");
    IniSetzen(ini, "FensterAnzeigen", "SchlachtSektor", std::to_string(e.SchlachtSektor));
    return IniText(ini);
}

void EinstellungenLaden() {
    std::vector<std::uint8_t> d;
    try {
        d = EinstellungsBytes(EinstellungenPfad());
    } catch (const EDateiFehler&) {
        // A file that cannot be read counts as missing: every value takes its default.
    }
    static TEinstellungen e;
    EinstellungenParsen(d.data(), d.size(), e);
    EinstellungenUebernehmen(e);
}

void EinstellungenSpeichern() {
    const std::string pfad = EinstellungenPfad();
    // A file that exists but cannot be read is not replaced by one holding only the
    // program's keys: its other lines would be lost. The error says why.
    const std::vector<std::uint8_t> vorher = EinstellungsBytes(pfad);
    const std::string text = EinstellungenText(vorher.data(), vorher.size(), EinstellungenErfassen());
    DateiSchreiben(pfad, text.data(), text.size());
}
