#pragma once
// The display objects: the surfaces the map view is composed in, their set-up and release,
// and how a failure of the display layer is reported (a message, then the process ends).
#include <cstdint>
#include <string>

#include "UFenster.h"
#include "USurface.h"
#include "UVariablen.h"

// ---- Surfaces ------------------------------------------------------------------------------
// SurfaceFront is the image of the map view that the window shows, in the format it shows:
// the view's pixel (x, y) is its pixel (x, y); MaxViewBreite x MaxViewHoehe. SurfaceBack is the view being composed
// with a margin of 20 pixels on every side. nullptr while not created.
extern TSurface* SurfaceFront;
extern TSurface* SurfaceBack;
extern TSurface* SurfaceMap;
extern TSurface* SurfacePieces;
extern TSurface* SurfaceOwnPieces;  // only when OwnPiecesVorhanden
constexpr std::int32_t BackRand = 20;
constexpr std::int32_t PiecesBreite = 320, PiecesHoehe = 200;

// The display mode in use and the transparent colour of the piece surfaces in its format.
extern TAnzeigeModus AnzeigeModus;
extern std::int32_t AnzeigeBits;  // bits per pixel of the surfaces: 16 or 32 after CreateObjects
extern std::uint32_t Farbschluessel;  // 0xF81F or 0xFF00FF
// The result of the most recent display operation.
extern TErgebnis DDErgebnis;

// Sets the display up with the mode of the primary screen. Every failure is reported and
// ends the process, so it returns only on success.
bool CreateObjects();
// The same with a given mode (tests and tools choose the size and depth).
bool CreateObjects(const TAnzeigeModus& modus);
void ReleaseObjects();
// Brings lost surfaces back.
void RestoreSurfaces();

// ---- Failures --------------------------------------------------------------------------------
// Shows a display failure through the window (the main window's is a modal message box:
// caption "Error", warning icon, one OK button; without a window it goes to standard error).
void ShowError(const std::string& text);
// ShowError with "Error in " + operation, a line break and the description of DDErgebnis;
// then the process ends with exit status 1.
[[noreturn]] void DDFehler(const std::string& operation);
// ShowError with the text as it is, then the end of the process (exit status 1).
[[noreturn]] void FehlerUndEnde(const std::string& text);
