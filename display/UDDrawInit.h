#pragma once
// The display objects: the surfaces the map view is composed in, their set-up and release,
// and how a failure of the display layer is reported (a message, then the process ends).
// Also the seam to the main window, which the display needs for a few figures and to show
// the finished view.
#include <cstdint>
#include <string>

#include "USurface.h"
#include "UVariablen.h"

// What the display needs from the main window. The main window implements it and hands
// itself to CreateObjects; without a window (tests, command-line tools) the figures come
// from FensterMasse and the requests do nothing.
class IHauptfenster {
public:
    virtual ~IHauptfenster() = default;
    // Screen position of the client area's top-left corner, client size, bar heights.
    virtual TPunkt ClientUrsprung() = 0;
    virtual std::int32_t ClientBreite() = 0;
    virtual std::int32_t ClientHoehe() = 0;
    virtual std::int32_t ToolBarHoehe() = 0;
    virtual std::int32_t StatusBarHoehe() = 0;
    // Outer size of the window and requests to change it.
    virtual std::int32_t FensterBreite() = 0;
    virtual std::int32_t FensterHoehe() = 0;
    virtual void FensterBreiteSetzen(std::int32_t breite) = 0;
    virtual void FensterHoeheSetzen(std::int32_t hoehe) = 0;
    // Repaint at once (the paint handling runs ViewAnpassen again).
    virtual void SofortNeuZeichnen() = 0;
    // Show the composed view: breite x hoehe pixels from pixel, rows abstand bytes apart,
    // 16 bits per pixel (QImage::Format_RGB16) or 32 (QImage::Format_RGB32). The pixels stay
    // valid until the next frame.
    virtual void ViewZeigen(const void* pixel, std::int32_t abstand, std::int32_t breite, std::int32_t hoehe,
                            std::int32_t bitsProPixel) = 0;
    // Text of a status-bar panel (panel 1 shows the frame rate).
    virtual void StatusText(int panel, const std::string& text) = 0;
};

// The window the display works for; nullptr without one.
extern IHauptfenster* Hauptfenster;

// The window figures used when there is no window; set them before ViewBerechnen.
struct TFensterMasse {
    TPunkt ClientUrsprung = {0, 0};
    std::int32_t ClientBreite = 0, ClientHoehe = 0;
    std::int32_t ToolBarHoehe = 0, StatusBarHoehe = 0;
};
extern TFensterMasse FensterMasse;

// ---- Surfaces ------------------------------------------------------------------------------
// SurfaceFront is the image of the map view that the window shows: the view's pixel (x, y)
// is its pixel (x, y); MaxViewBreite x MaxViewHoehe. SurfaceBack is the view being composed
// with a margin of 20 pixels on every side. nullptr while not created.
extern TSurface* SurfaceFront;
extern TSurface* SurfaceBack;
extern TSurface* SurfaceMap;
extern TSurface* SurfacePieces;
extern TSurface* SurfaceOwnPieces;  // only when OwnPiecesVorhanden
// The map, ICP figures, stacks and counts of the last frame, kept so that a frame in which
// only the pointer's overlays change need not draw them again; SurfaceBack's size.
extern TSurface* SurfaceUnten;
constexpr std::int32_t BackRand = 20;
constexpr std::int32_t PiecesBreite = 320, PiecesHoehe = 200;

// The display mode in use and the transparent colour of the piece surfaces in its format.
extern TAnzeigeModus AnzeigeModus;
extern std::int32_t AnzeigeBits;  // bits per pixel of the surfaces: 16 or 32 after CreateObjects
extern std::uint32_t Farbschluessel;  // 0xF81F or 0xFF00FF
// The result of the most recent display operation.
extern TErgebnis DDErgebnis;

// Sets the display up for the window (nullptr: none) with the mode of the primary screen.
// Every failure is reported and ends the process, so it returns only on success.
bool CreateObjects(IHauptfenster* fenster);
// The same with a given mode (tests and tools choose the size and depth).
bool CreateObjects(IHauptfenster* fenster, const TAnzeigeModus& modus);
void ReleaseObjects();
// Brings lost surfaces back and refills the map and pieces surfaces.
void RestoreSurfaces();

// ---- Failures --------------------------------------------------------------------------------
// Shows a display failure. The main window replaces the default (which writes the text to
// standard error) with a modal message box: caption "Error", warning icon, one OK button.
using TShowErrorHook = void (*)(const std::string& text);
extern TShowErrorHook ShowErrorHook;
void ShowError(const std::string& text);
// ShowError with "Error in " + operation, a line break and the description of DDErgebnis;
// then the process ends with exit status 1.
[[noreturn]] void DDFehler(const std::string& operation);
// ShowError with the text as it is, then the end of the process (exit status 1).
[[noreturn]] void FehlerUndEnde(const std::string& text);
