#include "UDateiBefehle.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMouseEvent>

#include "Main.h"
#include "UDateien.h"
#include "USchritte.h"
#include "USpielstand.h"
#include "UVariablen.h"
#include "UWiederherstellung.h"

namespace {

const QString FilterSek = QStringLiteral("Sektordatei (*.sek)");
const QString FilterMap = QStringLiteral("Mapdatei (*.map)");

void MapDateiUebernehmen(const std::string& datei) {
    MapForm->TitelSetzen(QString::fromLocal8Bit(datei.c_str()));
    MapName = datei;
    SpielstandAktualisieren();
}

// A file list of the dialog opens a double-clicked entry when the button goes up rather than
// at the second press: a dialog that closed under the held button left the window system's
// release unseen, and the map view then took every move for a drag of the closed dialog.
class TDoppelklickBeimLoslassen : public QObject {
public:
    TDoppelklickBeimLoslassen(QAbstractItemView* liste) : QObject(liste), liste_(liste) {
        liste->viewport()->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonDblClick) {
            offen_ = liste_->indexAt(static_cast<QMouseEvent*>(e)->position().toPoint());
            return offen_.isValid();
        }
        if (e->type() == QEvent::MouseButtonRelease && offen_.isValid()) {
            const QPersistentModelIndex eintrag = offen_;
            offen_ = QPersistentModelIndex();
            QMetaObject::invokeMethod(
                liste_, [this, eintrag] { if (eintrag.isValid()) emit liste_->activated(eintrag); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QAbstractItemView* liste_;
    QPersistentModelIndex offen_;
};

}  // namespace

// A load is one step: undo brings back the position, or the table, and the names before it.
// A load that fails changed nothing, so it leaves no step.
void MapDateiLaden(const std::string& f) {
    TSchrittKlammer schritt;
    schritt.Angaben.Art = saMapLaden;
    schritt.Angaben.Text = f;
    MapLaden(f);
    MapGesichert(f);
    MapDateiUebernehmen(f);
}

void MapDateiSpeichern() {
    const std::string f = MapSpeichernName(MapName);
    MapSpeichern(f);
    MapGesichert(f);
}

void MapDateiSpeichernAls(const std::string& f) {
    MapSpeichern(f);
    MapGesichert(f);
    MapDateiUebernehmen(f);
    NamenUebernehmen();
}

void SektorDateiLaden(const std::string& f) {
    TSchrittKlammer schritt;
    schritt.Angaben.Art = saSektorenLaden;
    schritt.Angaben.Text = f;
    SektorenLaden(f);
    SektorenGesichert(f);
}

void SektorDateiSpeichern(const std::string& f) {
    SektorenSpeichern(f);
    SektorenGesichert(f);
}

QFileDialog* DateiDialogErzeugen(QWidget* eltern, bool speichern) {
    auto* d = new QFileDialog(eltern);
    d->setOption(QFileDialog::DontUseNativeDialog);
    d->setAcceptMode(speichern ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d->setFileMode(speichern ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    d->setNameFilters({FilterSek, FilterMap});
    d->setDirectory(QDir::currentPath());
    for (QAbstractItemView* liste : d->findChildren<QAbstractItemView*>()) new TDoppelklickBeimLoslassen(liste);
    // Once a default extension is set it follows the chosen filter, so that a name typed
    // without extension gets the extension of the kind of file the user picked.
    QObject::connect(d, &QFileDialog::filterSelected, d, [d](const QString& f) {
        if (!d->defaultSuffix().isEmpty())
            d->setDefaultSuffix(f == FilterSek ? QStringLiteral("sek") : QStringLiteral("map"));
    });
    return d;
}

std::optional<std::string> DateiWaehlen(QFileDialog* d, TDateiArt art) {
    d->selectNameFilter(art == daSektoren ? FilterSek : FilterMap);
    d->setDefaultSuffix(art == daSektoren ? QStringLiteral("sek") : QStringLiteral("map"));
    const int ergebnis = d->exec();
    // A dialog closed from its file-name completion list leaves that list open: it would keep
    // the pointer to itself, the map view would follow it no more, and the next click would
    // only close it.
    if (QWidget* liste = QApplication::activePopupWidget()) liste->close();
    if (ergebnis != QDialog::Accepted || d->selectedFiles().isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(d->selectedFiles().first()).toLocal8Bit().toStdString();
}

void DateiMenu_MapLadenClick() {
    if (const auto f = DateiWaehlen(MapForm->OpenDialog, daMap)) MapDateiLaden(*f);
}

void DateiMenu_MapSpeichernClick() { MapDateiSpeichern(); }

void DateiMenu_MapSpeichernAlsClick() {
    if (const auto f = DateiWaehlen(MapForm->SaveDialog, daMap)) MapDateiSpeichernAls(*f);
}

// A sector file is always asked for as one: never with the map filter a map command left.
void DateiMenu_SInfoLadenClick() {
    if (const auto f = DateiWaehlen(MapForm->OpenDialog, daSektoren)) SektorDateiLaden(*f);
}

void DateiMenu_SInfoSpeichernClick() {
    if (const auto f = DateiWaehlen(MapForm->SaveDialog, daSektoren)) SektorDateiSpeichern(*f);
}
