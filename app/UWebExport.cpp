#include "UWebExport.h"

#include <QFileDialog>
#include <iterator>

#include "Main.h"
#include "UDatei.h"
#include "UDateien.h"
#include "UMenues.h"
#include "UVariablen.h"
#include "UWebSeite.h"

void WebSeiteExportieren(const std::string& datei) {
    TSeitenAuftrag a;
    a.Name = MapName;
    a.Map = MapBytes(EinheitenAnzahl, Einheiten);
    a.Icps = ICPsAnzeigen;
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
