#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DisplayTestHilfen.h"
#include "TestHilfen.h"
#include "UBitmaps.h"
#include "UDDrawInit.h"
#include "UGrafik.h"
#include "UVariablen.h"

namespace {

void Stapel(int i, double x, double y, int art, int besitzer, int anzahl) {
    Einheiten[i] = TEinheit{x, y, std::uint8_t(art), std::uint8_t(besitzer), std::uint16_t(anzahl), 0, {0, 0, 0}};
}

void Brett(int bits) {
    DisplayAufbauen(bits, 600, 400);
    ScrollX = 40;
    ScrollY = 30;
    ICPsAnzeigen = LandnameAmCursor = EinheitartAmCursor = BesitzerAmCursor = true;
    for (int s = 1; s <= 20; ++s) {
        Sektoren[s].ICPs = std::uint8_t(s * 7 % 120);
        Sektoren[s].HotSpotX = 50 + 31 * s;
        Sektoren[s].HotSpotY = 40 + 17 * s;
        SektorNameSetzen(Sektoren[s], "Land " + std::to_string(s));
    }
    EinheitenAnzahl = 60;
    for (int i = 1; i <= EinheitenAnzahl; ++i)
        Stapel(i, 45 + 9.3 * i, 35 + 5.7 * i, 1 + i % 11, 1 + i % 5, 1 + i % 14);
    ToolMode = tmMove;
    CursorPoint = {200, 150};
    AktuellerSektor = 3;
    CursorEinheit = 12;
}

// Changes between frames: each is applied, then a frame is composed.
const std::vector<std::pair<const char*, std::function<void()>>>& Schritte() {
    static const std::vector<std::pair<const char*, std::function<void()>>> schritte = {
        {"first frame", [] {}},
        {"pointer moved", [] { CursorPoint = {310, 220}; AktuellerSektor = 7; CursorEinheit = 30; }},
        {"pointer moved to the right edge", [] { CursorPoint = {590, 390}; AktuellerSektor = 9; }},
        {"carrying a stack", [] { ToolMode = tmCarry; Selection = {4, 3, 5}; CursorPoint = {250, 180}; }},
        {"pointer moved while carrying", [] { CursorPoint = {260, 185}; }},
        {"stack moved", [] { Einheiten[5].X += 3.5; Einheiten[5].Y -= 2; }},
        {"stack placed", [] { Stapel(++EinheitenAnzahl, 230, 170, 3, 2, 4); }},
        {"count changed", [] { Einheiten[8].Anzahl = 77; }},
        {"stack deleted from the middle",
         [] {
             for (int i = 10; i < EinheitenAnzahl; ++i) Einheiten[i] = Einheiten[i + 1];
             --EinheitenAnzahl;
         }},
        {"last stack deleted", [] { --EinheitenAnzahl; }},
        {"sector ICPs changed", [] { Sektoren[4].ICPs = 113; }},
        {"sector hot spot changed", [] { Sektoren[6].HotSpotX += 25; }},
        {"sector name at the pointer changed", [] { SektorNameSetzen(Sektoren[9], "Renamed"); }},
        {"scrolled", [] { ScrollX += 13; ScrollY += 4; }},
        {"zoomed in", [] { Zoom = 2; }},
        {"pieces zoomed", [] { PiecesZoom = 2; }},
        {"pointer moved at zoom 2", [] { CursorPoint = {120, 90}; CursorEinheit = 3; }},
        {"view narrowed", [] { ViewBreite = 450; ViewHoehe = 333; }},
        {"ICP figures off", [] { ICPsAnzeigen = false; }},
        {"ICP figures on", [] { ICPsAnzeigen = true; }},
        {"drawn over between frames", [] { BlitText(100, 100, "SCRIBBLE"); BlitMap(); BlitText(30, 60, "OVER"); }},
        {"pointer moved after that", [] { CursorPoint = {140, 95}; }},
        {"pieces picture reloaded",
         [] {
             ImOrdner im(QELMAP_DATA_DIR);
             PiecesBildLaden();
         }},
        {"map picture reloaded",
         [] {
             ImOrdner im(QELMAP_DATA_DIR);
             MapBildLaden();
         }},
        {"own pieces of another size",
         [] {
             OwnPiecesVorhanden = true;
             SurfaceOwnPieces = SurfacePieces;
             PieceGeometrieSetzen(12, 9);
         }},
        {"own pieces gone",
         [] {
             OwnPiecesVorhanden = false;
             SurfaceOwnPieces = nullptr;
             PieceGeometrieSetzen(15, 10);
         }},
        {"scrolled beyond the map", [] { ScrollX = MapBreite - 100; }},
        {"pointer moved there", [] { CursorPoint = {50, 60}; }},
        {"scrolled back", [] { ScrollX = 0; ScrollY = 0; Zoom = 1; PiecesZoom = 1; }},
        {"pointer moved at the origin", [] { CursorPoint = {20, 20}; ToolMode = tmKill; Selection = {0, 0, 0}; }},
    };
    return schritte;
}

std::vector<TBild> Folge(int bits, bool cache) {
    FrameCacheAn = cache;
    Brett(bits);
    std::vector<TBild> bilder;
    for (const auto& [name, schritt] : Schritte()) {
        schritt();
        FrameKomponieren();
        bilder.emplace_back();
        ViewAlsBild(bilder.back());
    }
    FrameCacheAn = true;
    return bilder;
}

class FrameCache : public ::testing::TestWithParam<int> {
protected:
    void TearDown() override {
        FrameCacheAn = true;
        SurfaceOwnPieces = nullptr;
        OwnPiecesVorhanden = false;
    }
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Tiefen, FrameCache, ::testing::Values(32, 16));

TEST_P(FrameCache, EveryFrameIsTheFrameDrawnWhole) {
    const std::vector<TBild> gemerkt = Folge(GetParam(), true);
    const std::vector<TBild> ganz = Folge(GetParam(), false);
    ASSERT_EQ(gemerkt.size(), ganz.size());
    for (std::size_t k = 0; k < ganz.size(); ++k) {
        const char* name = Schritte()[k].first;
        ASSERT_EQ(gemerkt[k].Breite, ganz[k].Breite) << name;
        ASSERT_EQ(gemerkt[k].Hoehe, ganz[k].Hoehe) << name;
        ASSERT_GT(ganz[k].Breite, 0) << name;
        for (std::size_t p = 0; p < ganz[k].Rgb.size(); ++p)
            ASSERT_EQ(gemerkt[k].Rgb[p], ganz[k].Rgb[p])
                << name << " at (" << p % ganz[k].Breite << ", " << p / ganz[k].Breite << ")";
    }
    // The changes were seen: consecutive frames differ.
    for (std::size_t k = 1; k < ganz.size(); ++k)
        if (std::string(Schritte()[k].first) != "drawn over between frames")
            EXPECT_NE(ganz[k].Rgb, ganz[k - 1].Rgb) << Schritte()[k].first;
}

TEST_P(FrameCache, OnlyThePointerMovedTakesTheLowerLayersAsKept) {
    Brett(GetParam());
    FrameKomponieren();
    // A mark only the kept layers have: a frame that shows it did not draw them again.
    const std::uint32_t mark = 0x00FF00;
    PixelSetzen(*SurfaceUnten, BackRand + 5, BackRand + 5, mark);
    CursorPoint = {320, 230};
    FrameKomponieren();
    EXPECT_EQ(PixelLesen(*SurfaceBack, BackRand + 5, BackRand + 5), mark);
    // A stack moved: drawn again, the mark is gone.
    Einheiten[1].X += 1;
    FrameKomponieren();
    EXPECT_NE(PixelLesen(*SurfaceBack, BackRand + 5, BackRand + 5), mark);
    // A picture written into a surface and announced: drawn again.
    FrameKomponieren();
    PixelSetzen(*SurfaceUnten, BackRand + 5, BackRand + 5, mark);
    BilderGeaendert();
    FrameKomponieren();
    EXPECT_NE(PixelLesen(*SurfaceBack, BackRand + 5, BackRand + 5), mark);
}
