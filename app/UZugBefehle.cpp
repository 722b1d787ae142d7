#include "UZugBefehle.h"

#include <QAction>
#include <QFileSystemWatcher>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <iterator>

#include "Main.h"
#include "UBefehl.h"
#include "UDatei.h"
#include "UDateiBefehle.h"
#include "UDateien.h"
#include "UFehler.h"
#include "UGrafik.h"
#include "UIni.h"
#include "UMarken.h"
#include "UMenues.h"
#include "USchritte.h"
#include "UVariablen.h"
#include "UVergleich.h"
#include "UWiederherstellung.h"
#include "UZugFenster.h"
#include "UZuege.h"

namespace fs = std::filesystem;

namespace {

// ---- The recent list ------------------------------------------------------------------------

const char* const ZuletztSektion = "Zuletzt";
std::vector<std::string> Zuletzt;
bool ZuletztGelesen = false;

std::string ZuletztSchluessel(int i) { return "Map" + std::to_string(i + 1); }

std::vector<std::uint8_t> IniBytes() {
    const std::string pfad = EinstellungenPfad();
    if (!DateiExistiert(pfad)) return {};
    return DateiLesen(pfad, IniDateiGrenze, "a settings file");
}

void ZuletztLesen() {
    if (ZuletztGelesen) return;
    ZuletztGelesen = true;
    std::vector<std::uint8_t> d;
    try {
        d = IniBytes();
    } catch (const std::exception&) {
        return;  // an unreadable settings file has no list
    }
    const TIniText ini = IniParsen(d.data(), d.size());
    for (int i = 0; i < ZuletztAnzahl; ++i) {
        const std::string name = IniWert(ini, ZuletztSektion, ZuletztSchluessel(i), "");
        if (!name.empty()) Zuletzt.push_back(name);
    }
}

// The list into the settings file, its other lines kept.
void ZuletztSchreiben() {
    const std::vector<std::uint8_t> d = IniBytes();
    TIniText ini = IniParsen(d.data(), d.size());
    for (int i = 0; i < ZuletztAnzahl; ++i)
        IniSetzen(ini, ZuletztSektion, ZuletztSchluessel(i), i < static_cast<int>(Zuletzt.size()) ? Zuletzt[i] : "");
    const std::string text = IniText(ini);
    DateiSchreiben(EinstellungenPfad(), text.data(), text.size());
}

void ZuletztMerken(const std::string& datei) {
    ZuletztLesen();
    std::error_code f;
    const std::string pfad = fs::absolute(datei, f).lexically_normal().string();
    std::erase(Zuletzt, pfad);
    Zuletzt.insert(Zuletzt.begin(), pfad);
    if (Zuletzt.size() > ZuletztAnzahl) Zuletzt.resize(ZuletztAnzahl);
    ZuletztSchreiben();
}

void ZuletztMenuFuellen(QMenu* m) {
    m->clear();
    for (const std::string& d : ZuletztListe()) {
        QAction* a = m->addAction(QString::fromLocal8Bit(d.c_str()));
        a->setEnabled(DateiExistiert(d));
        QObject::connect(a, &QAction::triggered, m, [d] { Kommando([d] { MapDateiLaden(d); }); });
    }
    if (m->isEmpty()) m->addAction(QStringLiteral("(none)"))->setEnabled(false);
}

// ---- The shown turn ---------------------------------------------------------------------------

bool Eingerichtet = false;  // the buttons and windows exist

void TurnAnzeigen(bool dateien = false) {
    if (ZugVergleichen(dateien))
        MarkierungenSetzen(VorigerZug, GezeigterZug);
    else
        MarkierungenLoeschen();
    ZugFensterAktualisieren(dateien);
}

// Turn files refused by a step, each as it was then: a file written anew since is tried again.
struct TAbgelehnt {
    std::string Pfad;
    fs::file_time_type Zeit;
};
std::vector<TAbgelehnt> Abgelehnt;

fs::file_time_type DateiZeit(const std::string& pfad) {
    std::error_code f;
    return fs::last_write_time(pfad, f);
}

bool IstAbgelehnt(const std::string& pfad) {
    return std::any_of(Abgelehnt.begin(), Abgelehnt.end(),
                       [&](const TAbgelehnt& a) { return a.Pfad == pfad && a.Zeit == DateiZeit(pfad); });
}

void Ablehnen(const std::string& pfad) {
    std::erase_if(Abgelehnt, [&](const TAbgelehnt& a) { return a.Pfad == pfad; });
    Abgelehnt.push_back({pfad, DateiZeit(pfad)});
}

// The entry nearest to AktuelleMap in richtung (-1, +1) not refused before; 0 for none.
int NaechsterLesbarer(int richtung) {
    if (AktuelleMap < 1) return 0;
    for (int e = AktuelleMap + richtung; e >= 1 && e <= MapAnzahl; e += richtung)
        if (!IstAbgelehnt(MapListe[e - 1])) return e;
    return 0;
}

// Each button only where its step can be taken: a map that is no turn of its folder has no
// place in the order, so neither; nor has a direction where only refused files lie.
// Alt+Left and Alt+Right are the buttons' keys and follow.
void KnoepfeSetzen() {
    MapForm->ToolBar_VorherigeMap->setEnabled(NaechsterLesbarer(-1) != 0);
    MapForm->ToolBar_NaechsteMap->setEnabled(NaechsterLesbarer(+1) != 0);
}

// The caption and everything that follows a map shown by the list.
void Gezeigt() {
    MapTitel = MapName;
    MapForm->TitelSetzen(QString::fromLocal8Bit(MapName.c_str()));
}

// The map list follows the folder it was read from: files renamed, added or removed there
// outside the program change the list, the buttons, the turn window and the trends.
QFileSystemWatcher* Waechter = nullptr;

void OrdnerBeobachten() {
    if (!Waechter) return;
    const QString ordner = QString::fromLocal8Bit(MapOrdner(MapName).c_str());
    const QStringList alt = Waechter->directories();
    if (alt.size() == 1 && alt[0] == ordner) return;
    if (!alt.isEmpty()) Waechter->removePaths(alt);
    Waechter->addPath(ordner);  // a folder that cannot be watched is just not followed
}

void ListeFuellen() {
    MapListeFuellen();
    OrdnerBeobachten();
}

void OrdnerGeaendert() {
    const std::vector<std::string> vorher = MapListe;
    const int gezeigt = AktuelleMap;
    ListeFuellen();
    if (MapListe == vorher && AktuelleMap == gezeigt) return;
    KnoepfeSetzen();
    TurnAnzeigen();
}

// Before a step to entry: a file gone since the list was read (its folder's change not yet
// told) has the list read again, and the step is taken within the new list.
void ListePruefen(int eintrag) {
    if (eintrag < 1 || eintrag > MapAnzahl || DateiExistiert(MapListe[eintrag - 1])) return;
    ListeFuellen();
    KnoepfeSetzen();
    TurnAnzeigen();
}

void NachSchritt() {
    MapGesichert(MapName);
    KnoepfeSetzen();
    TurnAnzeigen();
}

void DateiMenu_ZugSpeichernClick() {
    const fs::path vorschlag = ZugVorschlag();
    QInputDialog d(MapForm);
    d.setObjectName(QStringLiteral("ZugSpeichern"));
    d.setWindowTitle(QStringLiteral("save turn"));
    d.setLabelText(QStringLiteral("Turn file in %1:").arg(QString::fromLocal8Bit(vorschlag.parent_path().string().c_str())));
    d.setTextValue(QString::fromLocal8Bit(vorschlag.filename().string().c_str()));
    std::string name;
    for (;;) {
        if (d.exec() != QDialog::Accepted) return;
        name = d.textValue().trimmed().toLocal8Bit().toStdString();
        if (!name.empty()) break;
        QMessageBox::warning(&d, QStringLiteral("save turn"),
                             QStringLiteral("The turn file has no name: nothing was saved. Type a name or take the one proposed."));
        d.setTextValue(QString::fromLocal8Bit(vorschlag.filename().string().c_str()));
    }
    fs::path datei = fs::path(name).is_absolute() ? fs::path(name) : vorschlag.parent_path() / name;
    if (!datei.has_extension()) datei += ".map";
    if (fs::exists(datei) &&
        QMessageBox::question(MapForm, QStringLiteral("save turn"),
                              QStringLiteral("%1 exists. Overwrite it?").arg(QString::fromLocal8Bit(datei.string().c_str()))) !=
            QMessageBox::Yes)
        return;
    ZugDateiSpeichern(datei.string());
}

void OptionsMenu_AenderungenAnzeigenClick() {
    AenderungenAnzeigen = MapForm->OptionsMenu_AenderungenAnzeigen->isChecked();
}

void FensterMenu_ZugClick() { ZugFensterZeigen(MapForm->FensterMenu_Zug->isChecked()); }
void FensterMenu_TrendsClick() { TrendFensterZeigen(MapForm->FensterMenu_Trends->isChecked()); }

using M = TMapForm;
const TMenuZeile ZugZeilen[] = {
    {lsMenu, &M::DateiMenu, &M::DateiMenu_ZugSpeichern, "save turn", "Ctrl+T", true, hkOhne,
     DateiMenu_ZugSpeichernClick, &M::DateiMenu_WebSeite},
    {lsMenu, &M::DateiMenu, &M::DateiMenu_Zuletzt, "recent", nullptr, true, hkOhne, nullptr,
     &M::DateiMenu_MapLaden},
    {lsMenu, &M::OptionsMenu, &M::OptionsMenu_AenderungenAnzeigen, "show changes", nullptr, true, hkAn,
     OptionsMenu_AenderungenAnzeigenClick, &M::OptionsMenu_MausStehtBeimScrollen},
    {lsMenu, &M::FensterMenu, &M::FensterMenu_Zug, "turn", nullptr, true, hkAus, FensterMenu_ZugClick,
     &M::FensterMenu_GameCenter},
    {lsMenu, &M::FensterMenu, &M::FensterMenu_Trends, "trends", nullptr, true, hkAus, FensterMenu_TrendsClick,
     &M::FensterMenu_Zug},
};

}  // namespace

const TMenuTabelle ZugMenue = {ZugZeilen, static_cast<int>(std::size(ZugZeilen))};

const std::vector<std::string>& ZuletztListe() {
    ZuletztLesen();
    return Zuletzt;
}

void ZugBefehleEinrichten(TMapForm* f) {
    auto* m = new QMenu(f);
    f->DateiMenu_Zuletzt->setMenu(m);
    QObject::connect(m, &QMenu::aboutToShow, m, [m] { ZuletztMenuFuellen(m); });
    ZuletztMenuFuellen(m);
    f->ToolBar_VorherigeMap->setShortcut(QKeySequence(QStringLiteral("Alt+Left")));
    f->ToolBar_NaechsteMap->setShortcut(QKeySequence(QStringLiteral("Alt+Right")));
    ZugFensterErzeugen(f);
    Waechter = new QFileSystemWatcher(f);
    QObject::connect(Waechter, &QFileSystemWatcher::directoryChanged, f, [] { OrdnerGeaendert(); });
    OrdnerBeobachten();
    Eingerichtet = true;
}

void ZugStellungGeaendert() {
    if (!Eingerichtet) return;
    if (MapListeVeraltet()) ListeFuellen();
    KnoepfeSetzen();
    TurnAnzeigen();
}

void MapGewechselt(const std::string& datei) {
    if (!datei.empty()) {
        try {
            ZuletztMerken(datei);
        } catch (const std::exception& e) {
            // The list is a convenience: a settings file that cannot be written leaves the map as it is.
            FehlerMelden(MapForm, e);
        }
    }
    ListeFuellen();
    MapForm->OptionsMenu_AenderungenAnzeigen->setChecked(AenderungenAnzeigen);
    KnoepfeSetzen();
    TurnAnzeigen(!datei.empty());
}

void ZugDateiSpeichern(const std::string& datei) {
    ZugSpeichern(datei);
    MapGesichert(datei);
    Gezeigt();
    NamenUebernehmen();
    MapGewechselt(datei);
}

void MapEintragZeigen(int eintrag) {
    if (eintrag < 1 || eintrag > MapAnzahl || eintrag == AktuelleMap) return;
    if (!DateiExistiert(MapListe[eintrag - 1])) {
        // The entry asked for has gone: the list as the folder is now, and no step.
        ListePruefen(eintrag);
        return;
    }
    {
        TSchrittKlammer schritt;
        schritt.Angaben.Art = saMapLaden;
        // The list steps one entry at a time: from the entry next to the one asked for.
        const int vorher = AktuelleMap;
        try {
            if (eintrag > AktuelleMap) {
                AktuelleMap = eintrag - 1;
                NaechsteMap();
            } else {
                AktuelleMap = eintrag + 1;
                VorherigeMap();
            }
        } catch (...) {
            AktuelleMap = vorher;
            throw;
        }
        schritt.Angaben.Text = MapName;
        Gezeigt();
    }
    NachSchritt();
}

namespace {

// A press steps past a turn file that cannot be read on to the next one that can: a player
// pressing "back" wants an earlier position, and one bad file (a stray copy, a broken
// transfer) must not wall off the turns behind it. Its error is said once, when first met;
// the button goes dark where only refused files are left in that direction.
void Schritt(int richtung) {
    ListePruefen(AktuelleMap + richtung);
    std::vector<std::string> fehler;
    for (int e = NaechsterLesbarer(richtung); e; e = NaechsterLesbarer(richtung)) {
        try {
            MapEintragZeigen(e);
            break;
        } catch (const EDateiFehler& f) {
            Ablehnen(MapListe[e - 1]);
            fehler.push_back(f.what());
        }
    }
    KnoepfeSetzen();
    if (fehler.empty()) return;
    std::string text;
    for (const std::string& f : fehler) text += (text.empty() ? "" : "\n") + f;
    throw std::runtime_error(text);
}

}  // namespace

void ZugZurueck() { Schritt(-1); }

void ZugVor() { Schritt(+1); }
