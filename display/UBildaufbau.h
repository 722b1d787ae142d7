#pragma once
// The frame of the map view: what of the shown view no longer shows the program's state, its
// composition from the layers of UGrafik band by band, the copy to the front surface that the
// window shows, and the frame's timing.
#include <cstdint>

#include "USurface.h"

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
