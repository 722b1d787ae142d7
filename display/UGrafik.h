#pragma once
// Drawing of the map view: the map, the stacks with their counts, the bitmap font, the ICP
// figures, the texts and cursor at the pointer, and the composition of a whole frame.
// All positions are view coordinates; the routines add the back surface's margin.
#include <cstdint>
#include <string_view>

#include "UBild.h"
#include "UVariablen.h"

void BlitMap();
void BlitChar(std::int32_t x, std::int32_t y, std::uint8_t ch);
// The map font: every character advances FontBreite pixels and is FontHoehe high.
constexpr std::int32_t FontBreite = 11, FontHoehe = 15;
void BlitText(std::int32_t x, std::int32_t y, std::string_view s);
void BlitPiece(TPunkt p, std::uint8_t art, std::uint8_t besitzer);
void BlitCount(TPunkt p, std::uint8_t art, std::uint8_t besitzer, std::uint16_t anzahl);
void BlitPieces();
void BlitSelection();
void BlitICPs(std::int32_t x, std::int32_t y, std::uint8_t wert);
void BlitAllICPs();
void BlitSectorName();
void BlitPieceInfo();
void BlitCursor(std::int32_t x, std::int32_t y);

// Whoever changes what the view shows marks it, and the next frame draws what is marked:
// the whole view; a rectangle of it (view coordinates); the texts, cursor and units at the
// pointer, where the shown view has them and where they are now.
void ViewMarkieren();
void ViewMarkieren(const TRect& r);
void ZeigerMarkieren();

// Composes the whole frame in SurfaceBack without showing it: map, ICP figures, stacks,
// texts, cursor and selection.
void FrameKomponieren();
// Composes what is marked in SurfaceBack, copies it to SurfaceFront, asks the window to
// show it, and times the frame; panel 1 of the status bar gets "FPS: " and the rate.
void RenderFrame();
// For layers drawn pixel by pixel (the marks of changes): the view rows being composed,
// [von, bis), and a pixel at view (x, y) into the surface the frame is composed in.
void ZielZeilen(std::int32_t& von, std::int32_t& bis);
void ZielPixel(std::int32_t x, std::int32_t y, std::uint32_t farbe);

// Frame timing of the last RenderFrame.
extern std::uint32_t FrameStart, FrameEnde;
extern std::int32_t FrameZeit;  // milliseconds
extern std::int32_t FrameRate;
// The rate shown for a frame time: 0 below 1 ms, else 1000 / time rounded half to even.
std::int32_t RateAusZeit(std::int32_t zeit);
// The status text of the last frame ("FPS: 62").
extern char FpsText[32];

// The composed view (ViewBreite x ViewHoehe, cut to the back surface) as a picture of
// 0x00RRGGBB pixels, for tools that write frames to files.
void ViewAlsBild(TBild& bild);

// Cursor pictures by tool: source rectangle in the pieces picture and hot spot.
struct TCursorBild {
    std::int32_t Left, Top, Right, Bottom;
    std::int32_t HotX, HotY;
};
extern const TCursorBild CursorTabelle[5];  // 1..4 by ToolMode
