#pragma once
// The main window: menus, tool bar, map view, status bar and the Axis-income alert timer;
// and the program's start-up and shutdown.
#include <QImage>
#include <QWidget>
#include <cstdint>

#include "UDDrawInit.h"
#include "UDateien.h"
#include "UFenster.h"
#include "UInputs.h"

class QAction;
class QComboBox;
class QFileDialog;
class QLabel;
class QMenu;
class QMenuBar;
class QTimer;
class QToolButton;

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

    QMenuBar* MainMenu;
    QMenu *DateiMenu, *OptionsMenu, *ToolsMenu, *FensterMenu;
    QAction *DateiMenu_MapLaden, *DateiMenu_MapSpeichern, *DateiMenu_MapSpeichernAls, *DateiMenu_SInfoLaden,
        *DateiMenu_SInfoSpeichern, *DateiMenu_Beenden;
    QAction *OptionsMenu_ICPsAnzeigen, *OptionsMenu_LandAmCursorAnzeigen, *OptionsMenu_EinheitAmCursorAnzeigen,
        *OptionsMenu_EinheitbesitzerAmCursorAnzeigen, *OptionsMenu_MausStehtBeimScrollen, *OptionsMenu_EditModus;
    QAction *ToolsMenu_EinheitenAusgeben, *ToolsMenu_GameinfoAusgeben, *ToolsMenu_SektorenAusgeben, *ToolsMenu_Zufall;
    QAction *FensterMenu_SektorenInfo, *FensterMenu_GameInfo, *FensterMenu_GameCenter;
    QAction *HelpMenu, *AboutMenu;

    QWidget* Client;  // the area below the menu bar: tool bar, map view, status bar
    QWidget* ToolBar;
    QToolButton *ToolBar_MapLaden, *ToolBar_MapSpeichern, *ToolBar_VorherigeMap, *ToolBar_NaechsteMap;
    QComboBox* PiecesZoomComboBox;
    QLabel* AxisIncomeLabel;
    QWidget* StatusBar;
    QLabel* StatusPanel[3];
    QMenu* PopupMenu;
    QAction *PopUpMenu_Edit, *PopUpMenu_ICPsHotSpotSetzen;
    QFileDialog *OpenDialog, *SaveDialog;
    QTimer* Timer;

    void Initialisieren();
    void TimerTimer();

    void DateiMenu_MapLadenClick();
    void DateiMenu_MapSpeichernClick();
    void DateiMenu_MapSpeichernAlsClick();
    void DateiMenu_SInfoLadenClick();
    void DateiMenu_SInfoSpeichernClick();
    void OptionsMenu_EditModusClick();
    void ToolsMenu_EinheitenAusgebenClick();
    void ToolsMenu_SektorenAusgebenClick();
    void ToolsMenu_ZufallClick();
    void FensterMenu_SektorenInfoClick();
    void FensterMenu_GameInfoClick();
    void FensterMenu_GameCenterClick();
    void HelpMenuClick();
    void AboutMenuClick();
    void ToolBar_VorherigeMapClick();
    void ToolBar_NaechsteMapClick();
    void PiecesZoomComboBoxChange(int index);
    void PopUpMenu_EditClick();
    void PopUpMenu_ICPsHotSpotSetzenClick();

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
    void SektorInfoZeigen(std::uint8_t sektor);
    void PlatzAnwenden(TFenster fenster, const TFensterPlatz& platz) override;
    TFensterPlatz PlatzErfassen(TFenster fenster) override;
    void SpielstandGeaendert() override;
    void FensterGeschlossen(TFenster fenster) override;
    void FehlerZeigen(const std::string& text) override;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    int MenuHoehe() const;
    // Menu bar, client area, tool bar and status bar for the window's size.
    void Anordnen();
    // Places for a start without a settings file, or one that names no place: every window
    // wholly on the screen, none over another.
    void ErsterStartPlaetze();
    // The settings file names the place of at least one window.
    bool PlaetzeGenannt();
    // A notice beside the game that names the recovery files an earlier run left.
    void WiederherstellungMelden(const std::string& dateien);
    void TitelSetzen(const QString& datei);
    // After a map was loaded or saved under a chosen name: caption, MapName and tallies follow it.
    void MapDateiUebernehmen(const std::string& datei);
};

extern TMapForm* MapForm;

// Alert timer state.
extern std::int32_t BlinkZaehler;
extern bool BlinkPhase;
extern std::int32_t AlarmStufe;
constexpr std::int32_t BlinkGrenze = 5;
// The timer's real resolution: a tick every 60 ms, and never two within 56 ms, so that a
// phase of six ticks lasts at least a third of a second.
constexpr int TickIntervall = 60;
constexpr int TickAbstandMin = 56;

// A copy of the view as last presented (null before the first frame).
QImage PraesentierteView();

// Creates the twelve windows in their order; FensterFreigeben deletes them again.
void FensterErzeugen();
void FensterFreigeben();
// Windows and start-up. An error is shown in a message box naming the file and written to
// standard error; the result is then false and the main window stays hidden.
bool Starten();
// The whole program: title, windows, start-up, event loop. Returns the exit status.
int Programm();
