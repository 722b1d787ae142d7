#include "UEditMenue.h"

#include <QAction>
#include <QStringDecoder>
#include <iterator>

#include "Main.h"
#include "UBearbeiten.h"
#include "UEditsForm.h"
#include "UMenues.h"

namespace {

// An ampersand in a sector's or file's name would underline the letter after it.
QString MenuText(const std::string& worte) { return SchrittText(worte).replace(QLatin1Char('&'), QStringLiteral("&&")); }

void FensterMenu_EditsClick() {
    if (MapForm->FensterMenu_Edits->isChecked())
        EditsForm->show();
    else
        EditsForm->close();
}

using M = TMapForm;
const TMenuZeile Zeilen[] = {
    {lsMenu, nullptr, &M::EditMenu, "Edit", nullptr, true, hkOhne, nullptr, &M::DateiMenu},
    // Undo while carrying is putting the units back, and no more.
    {lsMenu, &M::EditMenu, &M::EditMenu_Rueckgaengig, "undo", "Ctrl+Z", false, hkOhne, EditRueckgaengig, nullptr, true},
    {lsMenu, &M::EditMenu, &M::EditMenu_Wiederholen, "redo", "Ctrl+Y; Ctrl+Shift+Z", false, hkOhne, EditWiederholen},
    {lsMenu, &M::FensterMenu, &M::FensterMenu_Edits, "edits", nullptr, true, hkAus, FensterMenu_EditsClick,
     &M::FensterMenu_GameCenter},
};

}  // namespace

const TMenuTabelle EditMenue = {Zeilen, static_cast<int>(std::size(Zeilen))};

void EditAnzeigen() {
    if (!MapForm) return;
    MapForm->EditMenu_Rueckgaengig->setEnabled(EditRueckgaengigMoeglich());
    MapForm->EditMenu_Rueckgaengig->setText(MenuText(RueckgaengigText()));
    MapForm->EditMenu_Wiederholen->setEnabled(EditWiederholenMoeglich());
    MapForm->EditMenu_Wiederholen->setText(MenuText(WiederholenText()));
    if (EditsForm) EditsForm->Veraltet();
}

QString SchrittText(const std::string& worte) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(QByteArrayView(worte.data(), static_cast<qsizetype>(worte.size())));
    return utf8.hasError() ? QString::fromLatin1(worte.data(), static_cast<qsizetype>(worte.size())) : text;
}
