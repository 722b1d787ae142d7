#pragma once
// The main window: its components and its layout (menu bar, tool bar, map view, status bar).
// What the components do lives in the units named at each group.
#include <QWidget>
#include <cstdint>

#include "UFenster.h"

class QAction;
class QComboBox;
class QFileDialog;
class QLabel;
class QMenu;
class QMenuBar;
class QTimer;

// The main window is the program's window boundary (IFenster) in Qt. On a platform that lets no
// program place windows, move the pointer or take the focus, PlatzAnwenden, PlatzErfassen,
// ZeigerLesen, ZeigerSetzen and FokusGeben are where that is left out.
class TMapForm : public QWidget, public IFenster {
    Q_OBJECT
public:
    TMapForm();
    ~TMapForm() override;

    // Whether the window system lets the program place its windows, move the pointer and
    // activate a window (not so on Wayland).
    bool Platzierbar;

    // Menu bar, tool bar and popup menu, made from the table of UMenues. A submenu is named
    // by its menu action.
    QMenuBar* MainMenu;
    QMenu* PopupMenu;
    QAction *DateiMenu, *OptionsMenu, *ToolsMenu, *FensterMenu;
    QAction* DateiMenu_WebSeite;
    QAction *DateiMenu_MapLaden, *DateiMenu_MapSpeichern, *DateiMenu_MapSpeichernAls, *DateiMenu_SInfoLaden,
        *DateiMenu_SInfoSpeichern, *DateiMenu_Beenden;
    QAction *OptionsMenu_ICPsAnzeigen, *OptionsMenu_LandAmCursorAnzeigen, *OptionsMenu_EinheitAmCursorAnzeigen,
        *OptionsMenu_EinheitbesitzerAmCursorAnzeigen, *OptionsMenu_MausStehtBeimScrollen, *OptionsMenu_EditModus;
    QAction* OptionsMenu_HalterAnzeigen;
    QAction *ToolsMenu_EinheitenAusgeben, *ToolsMenu_GameinfoAusgeben, *ToolsMenu_SektorenAusgeben, *ToolsMenu_Zufall;
    QAction *FensterMenu_SektorenInfo, *FensterMenu_GameInfo, *FensterMenu_GameCenter;
    QAction* FensterMenu_PlaetzeZuruecksetzen;
    QAction *EditMenu, *EditMenu_Rueckgaengig, *EditMenu_Wiederholen, *FensterMenu_Edits;  // UEditMenue
    QAction *HelpMenu, *AboutMenu;
    QAction *ToolBar_MapLaden, *ToolBar_MapSpeichern, *ToolBar_VorherigeMap, *ToolBar_NaechsteMap;
    QAction *PopUpMenu_Edit, *PopUpMenu_ICPsHotSpotSetzen;

    QWidget* Client;  // the area below the menu bar: tool bar, map view (UMapView), status bar
    QWidget* ToolBar;
    QComboBox* PiecesZoomComboBox;
    QLabel* AxisIncomeLabel;  // UAlarm
    QWidget* StatusBar;
    QLabel* StatusPanel[3];
    QFileDialog *OpenDialog, *SaveDialog;  // UDateiBefehle
    QTimer* Timer;                         // UAlarm

    // The caption "QelMap for Windows // " and datei; the history keeps datei as MapTitel.
    void TitelSetzen(const QString& datei);
    // Menu bar, client area, tool bar and status bar for the window's size.
    void Anordnen();
    int MenuHoehe() const;

    // IFenster
    TPunkt ClientUrsprung() override;
    std::int32_t ClientBreite() override;
    std::int32_t ClientHoehe() override;
    std::int32_t ToolBarHoehe() override;
    std::int32_t StatusBarHoehe() override;
    std::int32_t FensterBreite() override;
    std::int32_t FensterHoehe() override;
    void FensterGroesseSetzen(std::int32_t breite, std::int32_t hoehe) override;
    void ViewZeigen(const TRect* rechtecke, int anzahl) override;
    void StatusText(int panel, const std::string& text) override;
    void FokusGeben() override;
    TPunkt ZeigerLesen(TPunkt ereignis) override;
    bool ZeigerSetzen(TPunkt client) override;
    void PopupOeffnen(TPunkt client) override;
    void PlatzAnwenden(TFenster fenster, const TFensterPlatz& platz) override;
    TFensterPlatz PlatzErfassen(TFenster fenster) override;
    void SpielstandGeaendert() override;
    void FensterGeschlossen(TFenster fenster) override;
    void FehlerZeigen(const std::string& text) override;
    void TitelZeigen(const std::string& name) override;
    void SchritteGeaendert() override;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void BarsAufbauen();
};

extern TMapForm* MapForm;

constexpr int ToolBarHoch = 29;
constexpr int StatusBarHoch = 19;
