#include "UDateien.h"

#include <cstring>
#include <filesystem>
#include <vector>

#include "UDatei.h"
#include "UFehler.h"
#include "UIni.h"
#include "UVariablen.h"

// ---- Map files ----------------------------------------------------------------------------

void MapLaden(const std::string& datei) {
    // Bytes after the largest map are never looked at, so they are not read either: a huge
    // file must not fill the memory.
    std::vector<std::uint8_t> d = DateiLesen(datei, 4 + sizeof(TEinheit) * MaxEinheiten);
    // Check the whole file before the piece list is touched: a bad file changes nothing.
    if (d.size() < 4)
        throw EDateiFehler(datei, "is not a map file: it has " + std::to_string(d.size()) +
                                      " bytes, fewer than the 4 of the stack count");
    std::int32_t n;
    std::memcpy(&n, d.data(), 4);
    if (n < 0 || n > MaxEinheiten)
        throw EDateiFehler(datei, "is not a map file: it announces " + std::to_string(n) +
                                      " stacks, but a map holds 0 to 1000");
    std::size_t noetig = 4 + sizeof(TEinheit) * static_cast<std::size_t>(n);
    if (d.size() < noetig)
        throw EDateiFehler(datei, "is cut short: it announces " + std::to_string(n) + " stacks (" +
                                      std::to_string(noetig) + " bytes) but has only " +
                                      std::to_string(d.size()) + " bytes");
    std::memcpy(&Einheiten[1], d.data() + 4, sizeof(TEinheit) * static_cast<std::size_t>(n));
    EinheitenAnzahl = n;
}

void MapSpeichern(const std::string& datei) {
    std::size_t n = EinheitenAnzahl < 0 ? 0 : static_cast<std::size_t>(EinheitenAnzahl);
    std::vector<std::uint8_t> d(4 + sizeof(TEinheit) * n);
    std::int32_t anzahl = static_cast<std::int32_t>(n);
    std::memcpy(d.data(), &anzahl, 4);
    if (n) std::memcpy(d.data() + 4, &Einheiten[1], sizeof(TEinheit) * n);
    DateiSchreiben(datei, d.data(), d.size());
}

std::string MapSpeichernName(const std::string& mapName) {
    std::size_t schraeg = mapName.find_last_of('/');
    std::size_t anfang = schraeg == std::string::npos ? 0 : schraeg + 1;
    std::size_t punkt = mapName.find_last_of('.');
    if (punkt != std::string::npos && punkt >= anfang) return mapName.substr(0, punkt) + ".map";
    return mapName + ".map";
}

int MapAnzahl = 0, AktuelleMap = 0;

// The list of maps is never filled, so neither step finds anything to go to.
void NaechsteMap() {
    if (MapAnzahl < 2) return;
}

void VorherigeMap() {
    if (MapAnzahl < 2) return;
}

// ---- Sector files -------------------------------------------------------------------------

static_assert(sizeof(TSektor) * SektorenAnzahl == SektorDateiGroesse);

void SektorenLaden(const std::string& datei) {
    std::vector<std::uint8_t> d = DateiLesen(datei, SektorDateiGroesse);
    if (d.size() < SektorDateiGroesse)
        throw EDateiFehler(datei, "is not a sector file: it has " + std::to_string(d.size()) +
                                      " bytes, a sector file has 9880");
    std::memcpy(&Sektoren[1], d.data(), SektorDateiGroesse);
}

void SektorenSpeichern(const std::string& datei) { DateiSchreiben(datei, &Sektoren[1], SektorDateiGroesse); }

// ---- Settings file ------------------------------------------------------------------------

TFensterPlatz FensterPlaetze[4] = {{0, 0, 400, 640}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}};

namespace {

const char* const FensterSektion[4] = {"MapForm", "GameInfoForm", "ToolsForm", "SektorInfoForm"};

struct TOption {
    const char* Sektion;
    const char* Schluessel;
    bool* Wert;
    bool Vorgabe;
};

const TOption Optionen[8] = {
    {"Options", "ICPsAnzeigen", &ICPsAnzeigen, false},
    {"Options", "LandnameAmCursor", &LandnameAmCursor, true},
    {"Options", "EinheitartAmCursor", &EinheitartAmCursor, false},
    {"Options", "BesitzerAmCursor", &BesitzerAmCursor, false},
    {"Options", "MausStehtBeimScrollen", &MausStehtBeimScrollen, false},
    {"FensterAnzeigen", "SektorInfo", &SektorInfo, false},
    {"FensterAnzeigen", "GameInfo", &GameInfo, true},
    {"FensterAnzeigen", "GameCenter", &GameCenter, false},
};

long long ZahlLesen(const std::string& pfad, const char* sektion, const char* schluessel, long long vorgabe) {
    long long wert;
    if (EinstellungZahl(IniLesen(pfad, sektion, schluessel, ""), wert)) return wert;
    return vorgabe;
}

int AlsInt(long long v) {
    // Integers in the file are 32-bit; a longer number keeps its low 32 bits as it would there.
    return static_cast<int>(static_cast<std::uint32_t>(static_cast<unsigned long long>(v)));
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

void EinstellungenLaden() {
    std::string pfad = EinstellungenPfad();
    TFensterPlatz& haupt = FensterPlaetze[fwMapForm];
    haupt.Top = AlsInt(ZahlLesen(pfad, "MapForm", "Top", 0));
    haupt.Left = AlsInt(ZahlLesen(pfad, "MapForm", "Left", 0));
    haupt.Height = AlsInt(ZahlLesen(pfad, "MapForm", "Height", 400));
    haupt.Width = AlsInt(ZahlLesen(pfad, "MapForm", "Width", 640));
    for (int f = fwGameInfoForm; f <= fwSektorInfoForm; ++f) {
        FensterPlaetze[f].Top = AlsInt(ZahlLesen(pfad, FensterSektion[f], "Top", 0));
        FensterPlaetze[f].Left = AlsInt(ZahlLesen(pfad, FensterSektion[f], "Left", 0));
    }
    for (int f = fwMapForm; f <= fwSektorInfoForm; ++f) Fenster->PlatzAnwenden(static_cast<TFenster>(f), FensterPlaetze[f]);
    for (const TOption& o : Optionen) *o.Wert = ZahlLesen(pfad, o.Sektion, o.Schluessel, o.Vorgabe) != 0;
}

void EinstellungenSpeichern() {
    std::string pfad = EinstellungenPfad();
    for (int f = fwMapForm; f <= fwSektorInfoForm; ++f) FensterPlaetze[f] = Fenster->PlatzErfassen(static_cast<TFenster>(f));
    const TFensterPlatz& haupt = FensterPlaetze[fwMapForm];
    IniSchreiben(pfad, "MapForm", "Top", std::to_string(haupt.Top));
    IniSchreiben(pfad, "MapForm", "Left", std::to_string(haupt.Left));
    IniSchreiben(pfad, "MapForm", "Height", std::to_string(haupt.Height));
    IniSchreiben(pfad, "MapForm", "Width", std::to_string(haupt.Width));
    for (int f = fwGameInfoForm; f <= fwSektorInfoForm; ++f) {
        IniSchreiben(pfad, FensterSektion[f], "Top", std::to_string(FensterPlaetze[f].Top));
        IniSchreiben(pfad, FensterSektion[f], "Left", std::to_string(FensterPlaetze[f].Left));
    }
    for (const TOption& o : Optionen) IniSchreiben(pfad, o.Sektion, o.Schluessel, *o.Wert ? "1" : "0");
}
