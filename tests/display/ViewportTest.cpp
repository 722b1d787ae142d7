#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "DisplayTestHilfen.h"
#include "UDDrawInit.h"
#include "UGrafik.h"
#include "UMap.h"
#include "UVariablen.h"

namespace {

void View(int breite, int hoehe, int zoom, int sx, int sy) {
    VariablenZuruecksetzen();
    ViewBreite = breite;
    ViewHoehe = hoehe;
    Zoom = zoom;
    ScrollX = sx;
    ScrollY = sy;
}

}  // namespace

TEST(Viewport, ZoomStepKeepsTheCentreInExtendedPrecision) {
    View(1240, 913, 1, 0, 0);
    MapZoomen(+1);
    EXPECT_EQ(Zoom, 2);
    EXPECT_EQ(ScrollX, 310);
    EXPECT_EQ(ScrollY, 228);  // 228.25 truncated
    MapZoomen(+1);
    EXPECT_EQ(ScrollX, 310 + 103);
    MapZoomen(-1);
    EXPECT_EQ(ScrollX, 310);  // -103.33 truncated toward zero
    // Where the exact term is whole, 1/3 rounded up in 64 bits puts the product just below.
    EXPECT_EQ(ZoomKorrektur(2, 3, 1200), 99);
    EXPECT_EQ(ZoomKorrektur(3, 2, 1200), -99);
    EXPECT_EQ(ZoomKorrektur(2, 3, 984), 81);
    EXPECT_EQ(ZoomKorrektur(2, 3, 1236), 102);
    EXPECT_EQ(ZoomKorrektur(1, 2, 1240), 310);
}

TEST(Viewport, ZoomingOutClampsZoomingInDoesNot) {
    View(1240, 913, 2, 100, 0);
    MapZoomen(-1);
    EXPECT_EQ(ScrollX, 0);  // 100 - 310 clamped
    // From the bottom-right corner at zoom 2 the upper clamp pulls the view back onto the map.
    View(1240, 913, 2, 1587 - 620, 913 - 456);
    MapZoomen(-1);
    EXPECT_EQ(ScrollX, 1587 - 1240);
    EXPECT_EQ(ScrollY, 0);
    // Zooming in at the edge leaves the scroll where the correction puts it.
    View(1240, 913, 5, 1587 - 248, 0);
    MapZoomen(+1);
    EXPECT_EQ(ScrollX, 1587 - 248 + ZoomKorrektur(5, 6, 1240));
    // A step beyond 1..6 changes neither zoom nor scroll.
    View(1240, 913, 6, 500, 300);
    MapZoomen(+1);
    EXPECT_EQ(Zoom, 6);
    EXPECT_EQ(ScrollX, 500);
    EXPECT_EQ(ScrollY, 300);
}

TEST(Viewport, WheelZoomKeepsThePointUnderThePointer) {
    const TPunkt p{333, 317};
    for (int zoom = 1; zoom <= 6; ++zoom)
        for (int schritt : {+1, -1}) {
            View(600, 400, zoom, 300, 200);
            const TMapPunkt vorher = ViewZuMap(p);
            MapZoomenAn(schritt, p);
            EXPECT_EQ(Zoom, std::clamp(zoom + schritt, 1, 6));
            EXPECT_LE(std::hypot(ViewZuMap(p).X - vorher.X, ViewZuMap(p).Y - vorher.Y), 0.75) << zoom << schritt;
        }
    // Out at the bottom-right corner the view stays on the map.
    View(600, 400, 2, 1587 - 300, 913 - 200);
    MapZoomenAn(-1, TPunkt{300, 200});
    EXPECT_EQ(ScrollX, 1587 - 600);
    EXPECT_EQ(ScrollY, 913 - 400);
}

TEST(Viewport, DragScrollingMovesOneMapPixelPerPointerPixel) {
    View(1240, 913, 4, 100, 100);
    LastMousePoint = {200, 200};
    MapScrollen(250, 200);
    EXPECT_EQ(ScrollX, 150);
    EXPECT_EQ(LastMousePoint.X, 250);
    MapScrollen(5000, -5000);
    EXPECT_EQ(ScrollX, 1587 - 1240 / 4);
    EXPECT_EQ(ScrollY, 0);
    // With the pointer held, every step is measured from the same anchor.
    View(1240, 913, 1, 0, 0);
    MausStehtBeimScrollen = true;
    LastMousePoint = {100, 100};
    MapScrollen(105, 100);
    MapScrollen(103, 100);
    EXPECT_EQ(ScrollX, 8);
    EXPECT_EQ(LastMousePoint.X, 100);
}

TEST(Viewport, ViewFromTheWindowFigures) {
    View(0, 0, 1, 0, 0);
    OhneFenster = TOhneFenster{};
    OhneFenster.Ursprung = {30, 40};
    OhneFenster.Breite = 1000;
    OhneFenster.Hoehe = 700;
    OhneFenster.ToolBar = 28;
    OhneFenster.StatusBar = 19;
    ViewBerechnen();
    EXPECT_EQ(ViewUrsprung.X, 30);
    EXPECT_EQ(ViewUrsprung.Y, 68);
    EXPECT_EQ(ViewBreite, 1000);
    EXPECT_EQ(ViewHoehe, 700 - 28 - 19);
    OhneFenster = TOhneFenster{};
}

namespace {

// A window whose size changes at once (synchronous) or not at all (a window manager that
// has not answered yet).
struct TTestFenster : TOhneFenster {
    bool sofort = true;
    int breite = 1400, hoehe = 1000;  // client
    int rahmenB = 16, rahmenH = 60;   // window minus client
    int groesseGesetzt = 0, gezeigt = 0, zeigeB = 0, zeigeH = 0;
    std::string status;
    TPunkt ClientUrsprung() override { return {10, 20}; }
    std::int32_t ClientBreite() override { return breite; }
    std::int32_t ClientHoehe() override { return hoehe; }
    std::int32_t ToolBarHoehe() override { return 30; }
    std::int32_t StatusBarHoehe() override { return 20; }
    std::int32_t FensterBreite() override { return breite + rahmenB; }
    std::int32_t FensterHoehe() override { return hoehe + rahmenH; }
    // As a window does: the size is applied, then the resize asks for a new frame.
    void FensterGroesseSetzen(std::int32_t b, std::int32_t h) override {
        ++groesseGesetzt;
        if (!sofort) return;
        breite = b - rahmenB;
        hoehe = h - rahmenH;
        ViewAnpassen();
    }
    void ViewZeigen(const TRect* r, int n) override {
        ++gezeigt;
        for (int i = 0; i < n; ++i) {
            zeigeB = std::max(zeigeB, r[i].Right);
            zeigeH = std::max(zeigeH, r[i].Bottom);
        }
    }
    void StatusText(int panel, const std::string& text) override {
        if (panel == 1) status = text;
    }
};

}  // namespace

TEST(Viewport, PaintLimitsTheWindowAndDrawsAFrame) {
    DisplayAufbauen(32, 0, 0, 1280, 800);  // MaxView 1240 x 760
    TTestFenster f;
    Fenster = &f;
    ScrollX = 1000;
    ViewAnpassen();
    EXPECT_EQ(f.breite, 1240);
    EXPECT_EQ(f.hoehe, 760 + 30 + 20);
    EXPECT_EQ(ViewBreite, 1240);
    EXPECT_EQ(ViewHoehe, 760);
    EXPECT_EQ(f.groesseGesetzt, 1);
    EXPECT_EQ(ScrollX, 1587 - 1240);
    EXPECT_EQ(f.zeigeB, 1240);
    EXPECT_EQ(f.zeigeH, 760);
    EXPECT_EQ(f.status.rfind("FPS: ", 0), 0u);

    // A window that does not shrink at once is asked once per paint, not endlessly, and the
    // frame is drawn and clamped with the size it is to shrink to.
    DisplayAufbauen(32, 0, 0, 1280, 800);
    TTestFenster traege;
    traege.sofort = false;
    Fenster = &traege;
    Zoom = 1;
    ScrollX = 1000;
    ViewAnpassen();
    EXPECT_EQ(traege.groesseGesetzt, 1);
    EXPECT_EQ(ViewBreite, 1240);
    EXPECT_EQ(ScrollX, 1587 - 1240);
    EXPECT_EQ(traege.zeigeB, 1240);
    EXPECT_EQ(traege.zeigeH, 760);
    Fenster = &OhneFenster;
}
