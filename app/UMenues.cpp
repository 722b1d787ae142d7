#include "UMenues.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolButton>
#include <cstring>
#include <iterator>

#include "Main.h"
#include "UBefehl.h"
#include "UBitmaps.h"
#include "UDateiBefehle.h"
#include "UEditMenue.h"
#include "UFensterHilfen.h"
#include "UFensterPlaetze.h"
#include "UAboutForm.h"
#include "UBildaufbau.h"
#include "UDateien.h"
#include "UEditSektor.h"
#include "UEinheitenListeForm.h"
#include "UGameInfoForm.h"
#include "UHelpForm.h"
#include "UInputs.h"
#include "UMap.h"
#include "USchritte.h"
#include "USektorInfoForm.h"
#include "USektorenListe.h"
#include "UVariablen.h"
#include "USchlachtForm.h"
#include "UWebExport.h"
#include "UZufall.h"
#include "UZugBefehle.h"
#include "UZugFenster.h"

namespace {

using M = TMapForm;

// An option follows its entry's check mark (the view shows it when the entry's command ends).
template <bool* Flag, QAction* TMapForm::*Eintrag>
void Option() {
    *Flag = (MapForm->*Eintrag)->isChecked();
}

void OptionsMenu_EditModusClick() {
    EditModus = MapForm->OptionsMenu_EditModus->isChecked();
    MapForm->DateiMenu_SInfoLaden->setEnabled(EditModus);
    MapForm->DateiMenu_SInfoSpeichern->setEnabled(EditModus);
    MapForm->ToolsMenu_SektorenAusgeben->setEnabled(EditModus);
}

void ToolsMenu_EinheitenAusgebenClick() {
    UnitListeErstellen();
    EinheitenListeForm->exec();
}

void ToolsMenu_SektorenAusgebenClick() { SektorenListeErstellen(); }

void ToolsMenu_ZufallClick() { ZufallsEinheiten(); }

void FensterMenu_SektorenInfoClick() {
    SektorInfo = MapForm->FensterMenu_SektorenInfo->isChecked();
    if (SektorInfo)
        SektorInfoForm->show();
    else
        SektorInfoForm->close();
}

void FensterMenu_GameInfoClick() {
    GameInfo = MapForm->FensterMenu_GameInfo->isChecked();
    if (GameInfo)
        GameInfoForm->show();
    else
        GameInfoForm->close();
}

void FensterMenu_GameCenterClick() { GameCenter = MapForm->FensterMenu_GameCenter->isChecked(); }

void HelpMenuClick() { HelpForm->exec(); }

void AboutMenuClick() {
    AboutForm->OK_Button->setFocus();
    AboutForm->exec();
}

void ToolBar_VorherigeMapClick() { ZugZurueck(); }

void ToolBar_NaechsteMapClick() { ZugVor(); }

// The zoom list of the tool bar; its frame follows as that of every command (Kommando).
void PiecesZoomComboBoxChange(int index) {
    if (index < 0 || index > ZoomMax - ZoomMin) return;
    Zoom = PiecesZoom = ZoomMin + index;
    ZeigerAuswerten();
    ViewMarkieren();
}

void PopUpMenu_EditClick() { SektorEditieren(); }

void PopUpMenu_ICPsHotSpotSetzenClick() { ICPsHotSpotSetzen(); }

void Beenden() { MapForm->close(); }

// The entries of the program as it stands.
const TMenuZeile Grundmenue[] = {
    {lsMenu, nullptr, &M::DateiMenu, "File", nullptr, true, hkOhne, nullptr},
    {lsMenu, &M::DateiMenu, &M::DateiMenu_MapLaden, "load map", "Ctrl+L", true, hkOhne, DateiMenu_MapLadenClick},
    {lsMenu, &M::DateiMenu, &M::DateiMenu_MapSpeichern, "save map", "Ctrl+S", false, hkOhne,
     DateiMenu_MapSpeichernClick},
    {lsMenu, &M::DateiMenu, &M::DateiMenu_MapSpeichernAls, "save map as...", nullptr, true, hkOhne,
     DateiMenu_MapSpeichernAlsClick},
    {lsMenu, &M::DateiMenu, nullptr, nullptr, nullptr, true, hkOhne, nullptr},
    {lsMenu, &M::DateiMenu, &M::DateiMenu_SInfoLaden, "load sektorinfo", nullptr, true, hkOhne,
     DateiMenu_SInfoLadenClick},
    {lsMenu, &M::DateiMenu, &M::DateiMenu_SInfoSpeichern, "save sektorinfo", nullptr, true, hkOhne,
     DateiMenu_SInfoSpeichernClick},
    {lsMenu, &M::DateiMenu, nullptr, nullptr, nullptr, true, hkOhne, nullptr},
    {lsMenu, &M::DateiMenu, &M::DateiMenu_Beenden, "exit", "Ctrl+X", true, hkOhne, Beenden},

    {lsMenu, nullptr, &M::OptionsMenu, "Options", nullptr, true, hkOhne, nullptr},
    {lsMenu, &M::OptionsMenu, &M::OptionsMenu_ICPsAnzeigen, "show ICPs", "Ctrl+I", true, hkAus,
     Option<&ICPsAnzeigen, &M::OptionsMenu_ICPsAnzeigen>},
    {lsMenu, &M::OptionsMenu, &M::OptionsMenu_LandAmCursorAnzeigen, "show countrynames at cursor", nullptr, true,
     hkAus, Option<&LandnameAmCursor, &M::OptionsMenu_LandAmCursorAnzeigen>},
    {lsMenu, &M::OptionsMenu, &M::OptionsMenu_EinheitAmCursorAnzeigen, "show kind of unit at cursor", nullptr, true,
     hkAus, Option<&EinheitartAmCursor, &M::OptionsMenu_EinheitAmCursorAnzeigen>},
    {lsMenu, &M::OptionsMenu, &M::OptionsMenu_EinheitbesitzerAmCursorAnzeigen, "show unitowner at cursor", nullptr,
     true, hkAus, Option<&BesitzerAmCursor, &M::OptionsMenu_EinheitbesitzerAmCursorAnzeigen>},
    {lsMenu, &M::OptionsMenu, &M::OptionsMenu_MausStehtBeimScrollen, "mouse stops at scrolling", nullptr, true,
     hkAus, Option<&MausStehtBeimScrollen, &M::OptionsMenu_MausStehtBeimScrollen>},
    {lsMenu, &M::OptionsMenu, nullptr, nullptr, nullptr, true, hkOhne, nullptr},
    {lsMenu, &M::OptionsMenu, &M::OptionsMenu_EditModus, "Editmodus", "Ctrl+E", false, hkAus,
     OptionsMenu_EditModusClick},

    {lsMenu, nullptr, &M::ToolsMenu, "Tools", nullptr, true, hkOhne, nullptr},
    {lsMenu, &M::ToolsMenu, &M::ToolsMenu_EinheitenAusgeben, "list units", nullptr, true, hkOhne,
     ToolsMenu_EinheitenAusgebenClick},
    {lsMenu, &M::ToolsMenu, &M::ToolsMenu_GameinfoAusgeben, "list gameinfo", nullptr, false, hkOhne, nullptr},
    {lsMenu, &M::ToolsMenu, &M::ToolsMenu_SektorenAusgeben, "list sectorinfo", nullptr, false, hkOhne,
     ToolsMenu_SektorenAusgebenClick},
    {lsMenu, &M::ToolsMenu, nullptr, nullptr, nullptr, true, hkOhne, nullptr},
    {lsMenu, &M::ToolsMenu, &M::ToolsMenu_Zufall, "random units", nullptr, false, hkOhne, ToolsMenu_ZufallClick},

    {lsMenu, nullptr, &M::FensterMenu, "Windows", nullptr, true, hkOhne, nullptr},
    {lsMenu, &M::FensterMenu, &M::FensterMenu_SektorenInfo, "sectorninfo", nullptr, true, hkAus,
     FensterMenu_SektorenInfoClick},
    {lsMenu, &M::FensterMenu, &M::FensterMenu_GameInfo, "gameinfo", nullptr, true, hkAn, FensterMenu_GameInfoClick},
    {lsMenu, &M::FensterMenu, &M::FensterMenu_GameCenter, "gamecenter", nullptr, false, hkAus,
     FensterMenu_GameCenterClick},

    {lsMenu, nullptr, &M::HelpMenu, "Help", nullptr, true, hkOhne, HelpMenuClick},
    {lsMenu, nullptr, &M::AboutMenu, "About", nullptr, true, hkOhne, AboutMenuClick},

    {lsToolBar, nullptr, &M::ToolBar_MapLaden, "ButtonMapLaden.BMP", nullptr, true, hkOhne, DateiMenu_MapLadenClick},
    {lsToolBar, nullptr, &M::ToolBar_MapSpeichern, "ButtonMapSpeichern.BMP", nullptr, false, hkOhne,
     DateiMenu_MapSpeichernClick},
    {lsToolBar, nullptr, nullptr, nullptr, nullptr, true, hkOhne, nullptr},
    {lsToolBar, nullptr, &M::ToolBar_VorherigeMap, "ButtonVorherigeMap.BMP", nullptr, false, hkOhne,
     ToolBar_VorherigeMapClick},
    {lsToolBar, nullptr, &M::ToolBar_NaechsteMap, "ButtonNaechsteMap.BMP", nullptr, false, hkOhne,
     ToolBar_NaechsteMapClick},

    {lsPopup, nullptr, &M::PopUpMenu_Edit, "Edit", nullptr, true, hkOhne, PopUpMenu_EditClick},
    {lsPopup, nullptr, &M::PopUpMenu_ICPsHotSpotSetzen, "ICPs HotSpot setzen", nullptr, true, hkOhne,
     PopUpMenu_ICPsHotSpotSetzenClick},
};

// Windows put back where a first start puts them, after a change of screens.
void PlaetzeZuruecksetzen() {
    FensterPlaetzeZuruecksetzen();
    ZugFensterPlaetzeZuruecksetzen();
}

const TMenuZeile Fensterplaetze[] = {
    {lsMenu, &M::FensterMenu, &M::FensterMenu_PlaetzeZuruecksetzen, "reset window places", nullptr, true, hkOhne,
     PlaetzeZuruecksetzen},
};

// Sectors in the colours of their holders, or the map as printed. Unlike the other options
// this one changes the map itself, so it shows at once.
void OptionsMenu_HalterAnzeigenClick() {
    HalterAnzeigen = MapForm->OptionsMenu_HalterAnzeigen->isChecked();
}

const TMenuZeile Halteranzeige[] = {
    {lsMenu, &M::OptionsMenu, &M::OptionsMenu_HalterAnzeigen, "show holders", nullptr, true, hkAn,
     OptionsMenu_HalterAnzeigenClick, &M::OptionsMenu_MausStehtBeimScrollen},
};

const TMenuTabelle MenuTabellen[] = {
    {Grundmenue, static_cast<int>(std::size(Grundmenue))},
    WebExportMenue,
    SchlachtMenue,
    {Fensterplaetze, static_cast<int>(std::size(Fensterplaetze))},
    {Halteranzeige, static_cast<int>(std::size(Halteranzeige))},
    EditMenue,
    ZugMenue,
};

constexpr int KnopfBreite = 26, TrennerBreite = 8;

// A button's picture from its file; without the file, one of the style's.
QIcon KnopfBild(const char* datei) {
    const QImage bild = BildDatei(datei);
    if (!bild.isNull()) return QIcon(Transparent(bild));
    const struct {
        const char* Datei;
        QStyle::StandardPixmap Ersatz;
    } ersatz[] = {{"ButtonMapLaden.BMP", QStyle::SP_DialogOpenButton},
                  {"ButtonMapSpeichern.BMP", QStyle::SP_DialogSaveButton},
                  {"ButtonVorherigeMap.BMP", QStyle::SP_ArrowLeft},
                  {"ButtonNaechsteMap.BMP", QStyle::SP_ArrowRight}};
    QStyle::StandardPixmap p = QStyle::SP_FileIcon;
    for (const auto& e : ersatz)
        if (std::strcmp(e.Datei, datei) == 0) p = e.Ersatz;
    return QApplication::style()->standardIcon(p);
}

// The entry of the menu after which a row named Nach goes: null at the end.
QAction* Davor(QWidget* menue, const TMenuZeile& z, TMapForm* f) {
    if (!z.Nach) return nullptr;
    const QList<QAction*> eintraege = menue->actions();
    const qsizetype i = eintraege.indexOf(f->*z.Nach);
    return i >= 0 && i + 1 < eintraege.size() ? eintraege[i + 1] : nullptr;
}

// The row's action in its place, or null for a separator or a submenu.
QAction* Platzieren(TMapForm* f, const TMenuZeile& z, int& toolBarX) {
    const QString text = QString::fromLatin1(z.Text ? z.Text : "");
    switch (z.Leiste) {
    case lsMenu: {
        QWidget* menue = z.Unter ? static_cast<QWidget*>((f->*z.Unter)->menu()) : f->MainMenu;
        auto* a = new QAction(text, menue);
        if (!z.Komponente) a->setSeparator(true);
        if (!z.Unter && !z.Handler) {
            a->setMenu(new QMenu(text, menue));
            f->*z.Komponente = a;
        }
        menue->insertAction(Davor(menue, z, f), a);
        return z.Komponente && (z.Unter || z.Handler) ? a : nullptr;
    }
    case lsToolBar: {
        if (!z.Komponente) {
            toolBarX += TrennerBreite;
            return nullptr;
        }
        auto* a = new QAction(f);
        a->setIcon(KnopfBild(z.Text));
        auto* b = new QToolButton(f->ToolBar);
        b->setDefaultAction(a);
        b->setGeometry(toolBarX, 1, KnopfBreite, KnopfBreite);
        b->setIconSize(QSize(24, 24));
        b->setAutoRaise(true);
        toolBarX += KnopfBreite;
        return a;
    }
    case lsPopup:
        if (!z.Komponente) {
            f->PopupMenu->addSeparator();
            return nullptr;
        }
        return f->PopupMenu->addAction(text);
    }
    return nullptr;
}

}  // namespace

int MenuesAufbauen(TMapForm* f) {
    int toolBarX = 0;
    for (const TMenuTabelle& t : MenuTabellen)
        for (int i = 0; i < t.Anzahl; ++i) {
            const TMenuZeile& z = t.Zeilen[i];
            QAction* a = Platzieren(f, z, toolBarX);
            if (!a) continue;
            f->*z.Komponente = a;
            if (z.Kurz) a->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(z.Kurz)));
            a->setEnabled(z.An);
            a->setCheckable(z.Haken != hkOhne);
            a->setChecked(z.Haken == hkAn);
            if (void (*h)() = z.Handler)
                QObject::connect(a, &QAction::triggered, f, [h, g = !z.MitGetragenen] { Kommando(h, g); });
        }
    f->PiecesZoomComboBox = new QComboBox(f->ToolBar);
    f->PiecesZoomComboBox->setGeometry(toolBarX + 4, 4, 56, 21);
    for (int z = ZoomMin; z <= ZoomMax; ++z) f->PiecesZoomComboBox->addItem(QStringLiteral("x%1").arg(z));
    f->PiecesZoomComboBox->setCurrentIndex(-1);
    f->PiecesZoomComboBox->setEnabled(false);
    QObject::connect(f->PiecesZoomComboBox, &QComboBox::activated, f,
                     [](int i) { Kommando([i] { PiecesZoomComboBoxChange(i); }); });
    return f->PiecesZoomComboBox->geometry().right() + 6;
}
