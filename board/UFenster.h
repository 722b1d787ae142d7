#pragma once
// The one boundary between the program and its windows: what the display, the input
// reactions, the settings and the tallies need from the main window. The main window
// implements it; until it does, and in the tool, the benchmarks and the tests, Fenster is
// the window-less OhneFenster, whose figures are set by hand and whose requests do nothing.
#include <cstdint>
#include <string>

#include "USurface.h"
#include "UVariablen.h"

// The windows whose places the settings keep, in the order of the file.
enum TFenster { fwMapForm = 0, fwGameInfoForm = 1, fwToolsForm = 2, fwSektorInfoForm = 3, fwEditsForm = 4 };
constexpr int FensterAnzahl = 5;
struct TFensterPlatz {
    int Top, Left, Height, Width;  // height and width only for the main window
};

// Where a window whose frame has the given size and is asked at (links, oben) goes on the
// area the screen leaves to windows (flaeche, right and bottom exclusive): wholly on it where
// it fits; else its top edge, the title bar, on it and at least PlatzSichtbar pixels of it.
constexpr int PlatzSichtbar = 100;
TPunkt PlatzAufFlaeche(int links, int oben, int breite, int hoehe, const TRect& flaeche);

class IFenster {
public:
    virtual ~IFenster() = default;
    // Screen position of the client area's top-left corner, client size, bar heights, and
    // the outer size of the main window.
    virtual TPunkt ClientUrsprung() = 0;
    virtual std::int32_t ClientBreite() = 0;
    virtual std::int32_t ClientHoehe() = 0;
    virtual std::int32_t ToolBarHoehe() = 0;
    virtual std::int32_t StatusBarHoehe() = 0;
    virtual std::int32_t FensterBreite() = 0;
    virtual std::int32_t FensterHoehe() = 0;
    // Asks for another outer size; the window applies it later (a window manager may not at all).
    virtual void FensterGroesseSetzen(std::int32_t breite, std::int32_t hoehe) = 0;
    // The finished view in SurfaceFront changed inside these rectangles (view coordinates,
    // within the view): show them. The rest of the view is as it was last shown.
    virtual void ViewZeigen(const TRect* rechtecke, int anzahl) = 0;
    virtual void StatusText(int panel, const std::string& text) = 0;
    // Input: keyboard focus to the map view, the system pointer in client coordinates (a
    // window without one gives the event's point), moving it (false where the window system
    // lets no program move the pointer), the map's popup menu.
    virtual void FokusGeben() = 0;
    virtual TPunkt ZeigerLesen(TPunkt ereignis) = 0;
    virtual bool ZeigerSetzen(TPunkt client) = 0;
    virtual void PopupOeffnen(TPunkt client) = 0;
    // Window places of the settings file.
    virtual void PlatzAnwenden(TFenster fenster, const TFensterPlatz& platz) = 0;
    virtual TFensterPlatz PlatzErfassen(TFenster fenster) = 0;
    // The tallies were recomputed; a floating window was closed by its own close button; a
    // display failure to report before the process ends.
    virtual void SpielstandGeaendert() = 0;
    virtual void FensterGeschlossen(TFenster fenster) = 0;
    virtual void FehlerZeigen(const std::string& text) = 0;
    // The caption becomes "QelMap for Windows // " + name (an undone "load map" puts the
    // earlier one back); the steps that undo and redo can take changed.
    virtual void TitelZeigen(const std::string& name) { (void)name; }
    virtual void SchritteGeaendert() {}
};

// Without a window: the figures below, the stored places, failures on standard error.
class TOhneFenster : public IFenster {
public:
    TPunkt Ursprung = {0, 0};
    std::int32_t Breite = 0, Hoehe = 0;  // client
    std::int32_t ToolBar = 0, StatusBar = 0;

    TPunkt ClientUrsprung() override { return Ursprung; }
    std::int32_t ClientBreite() override { return Breite; }
    std::int32_t ClientHoehe() override { return Hoehe; }
    std::int32_t ToolBarHoehe() override { return ToolBar; }
    std::int32_t StatusBarHoehe() override { return StatusBar; }
    std::int32_t FensterBreite() override { return Breite; }
    std::int32_t FensterHoehe() override { return Hoehe; }
    void FensterGroesseSetzen(std::int32_t, std::int32_t) override {}
    void ViewZeigen(const TRect*, int) override {}
    void StatusText(int, const std::string&) override {}
    void FokusGeben() override {}
    TPunkt ZeigerLesen(TPunkt ereignis) override { return ereignis; }
    bool ZeigerSetzen(TPunkt) override { return true; }
    void PopupOeffnen(TPunkt) override {}
    void PlatzAnwenden(TFenster, const TFensterPlatz&) override {}
    TFensterPlatz PlatzErfassen(TFenster fenster) override;
    void SpielstandGeaendert() override {}
    void FensterGeschlossen(TFenster) override {}
    void FehlerZeigen(const std::string& text) override;
};
extern TOhneFenster OhneFenster;

// The window the program works with; never null.
extern IFenster* Fenster;
