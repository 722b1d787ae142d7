#include "UWebExport.h"

#include <QFileDialog>
#include <iterator>

#include "Main.h"
#include "UDatei.h"
#include "UDateien.h"
#include "UMenues.h"
#include "UVariablen.h"
#include "UWebSeite.h"
#include "UZuege.h"

void WebSeiteExportieren(const std::string& datei) {
    TSeitenAuftrag a;
    a.Name = MapName;
    a.Map = MapBytes(EinheitenAnzahl, Einheiten);
    a.Icps = ICPsAnzeigen;
    // With a turn before the one shown, the page shows what changed since.
    if (AktuelleMap >= 2 && AktuelleMap <= MapAnzahl) {
        a.MitVorher = true;
        a.VorherName = MapListe[AktuelleMap - 2];
        a.VorherMap = DateiLesen(a.VorherName, MapDateiGrenze, "a map file");
    }
    const std::string seite = WebSeite(a);
    DateiSchreiben(datei, seite.data(), seite.size());
}

namespace {

void DateiMenu_WebSeiteClick() {
    QFileDialog d(MapForm, QStringLiteral("export web page"));
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setNameFilter(QStringLiteral("Web page (*.html)"));
    d.setDefaultSuffix(QStringLiteral("html"));
    d.setDirectory(QDir::current());
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return;
    WebSeiteExportieren(d.selectedFiles().first().toLocal8Bit().toStdString());
}

using M = TMapForm;
const TMenuZeile Zeilen[] = {
    {lsMenu, &M::DateiMenu, &M::DateiMenu_WebSeite, "export web page...", nullptr, true, hkOhne,
     DateiMenu_WebSeiteClick, &M::DateiMenu_MapSpeichernAls},
};

}  // namespace

const TMenuTabelle WebExportMenue = {Zeilen, static_cast<int>(std::size(Zeilen))};
