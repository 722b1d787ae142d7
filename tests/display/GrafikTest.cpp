#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "DisplayTestHilfen.h"
#include "UBearbeiten.h"
#include "UBildaufbau.h"
#include "UDDrawInit.h"
#include "UGrafik.h"
#include "UHalterKarte.h"
#include "UInputs.h"
#include "UKeinePieces.h"
#include "UMap.h"
#include "UMarken.h"
#include "UPieces.h"
#include "USchritte.h"
#include "USpielstand.h"
#include "UToolsForm.h"
#include "UVariablen.h"

namespace {

class Grafik : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        DisplayAufbauen(GetParam(), 400, 300);
        BackLeeren();
    }
};

void Stapel(int i, double x, double y, int art, int besitzer, int anzahl) {
    Einheiten[i] = TEinheit{x, y, std::uint8_t(art), std::uint8_t(besitzer), std::uint16_t(anzahl), 0, {0, 0, 0}};
    if (EinheitenAnzahl < i) EinheitenAnzahl = i;
}

TRect Ziffer(int d) { return TRect{165 + 9 * d, 0, 174 + 9 * d, 10}; }
const TRect Box1 = {165, 10, 175, 24}, Box2 = {175, 10, 193, 24};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Tiefen, Grafik, ::testing::Values(32, 16));

TEST_P(Grafik, StackAndCountAtZoomOneAndTwo) {
    Stapel(1, 100.5, 50.5, 3, 2, 12);
    BlitMap();
    BlitPieces();
    TModell m;
    m.KarteLegen();
    // Centre (100, 50): the piece covers (93, 45) to (108, 55); the count starts at x 108.
    m.Legen(93, 45, TRect{30, 10, 45, 20}, false);
    m.Zeichen(108, 45, '1');
    m.Zeichen(119, 45, '2');
    EXPECT_EQ(Abweichung(m), -1);

    // Zoom 2, pieces still at their own size: centre (201, 101).
    Zoom = 2;
    BackLeeren();
    BlitMap();
    BlitPieces();
    TModell m2;
    m2.KarteLegen();
    m2.Legen(194, 96, TRect{30, 10, 45, 20}, false);
    m2.Zeichen(209, 96, '1');
    m2.Zeichen(220, 96, '2');
    EXPECT_EQ(Abweichung(m2), -1);
}

TEST_P(Grafik, CountsOfOneAndBadStacksShowNoNumber) {
    Stapel(1, 50, 50, 1, 1, 1);
    Stapel(2, 150, 50, 1, 1, 2);
    Stapel(3, 250, 50, 12, 1, 7);  // kind out of range
    Stapel(4, 350, 50, 2, 0, 7);   // owner out of range
    Stapel(5, 150, 50, 2, 5, 3);   // later stack on top of stack 2; both counts drawn
    BlitMap();
    BlitPieces();
    TModell m;
    m.KarteLegen();
    m.Legen(43, 45, TRect{0, 0, 15, 10}, false);
    m.Legen(143, 45, TRect{0, 0, 15, 10}, false);
    m.Legen(143, 45, TRect{15, 40, 30, 50}, false);
    m.Zeichen(158, 45, '2');
    m.Zeichen(158, 45, '3');
    EXPECT_EQ(Abweichung(m), -1);
}

TEST_P(Grafik, PieceBeyondTheMarginIsDrawnInPart) {
    // 25 x 20 own cells at the bottom-right bound reach past the back surface.
    OwnPiecesVorhanden = true;
    SurfaceOwnPieces = SurfacePieces;
    PieceGeometrieSetzen(25, 20);
    const int x = ViewBreite - 25 + 40, y = ViewHoehe - 20 + 40;
    BlitPiece(TPunkt{x + 12, y + 10}, 1, 1);
    TModell m;
    m.Legen(x, y, TRect{0, 0, 25, 20}, false);
    EXPECT_EQ(Abweichung(m), -1);
    BlitPiece(TPunkt{x + 13, y + 10}, 1, 1);  // one pixel further: rejected
    EXPECT_EQ(Abweichung(m), -1);
    SurfaceOwnPieces = nullptr;
}

TEST_P(Grafik, IcpFiguresAndTheirBounds) {
    ScrollX = 150;
    ScrollY = 80;
    Zoom = 2;
    ICPsAnzeigen = true;
    Sektoren[5].ICPs = 7;
    Sektoren[5].HotSpotX = 200;
    Sektoren[5].HotSpotY = 100;
    Sektoren[6].ICPs = 12;
    Sektoren[6].HotSpotX = 250;
    Sektoren[6].HotSpotY = 100;
    Sektoren[7].ICPs = 255;
    Sektoren[7].HotSpotX = 300;
    Sektoren[7].HotSpotY = 100;
    Sektoren[129].ICPs = 9;  // 129 and 130 never show a figure
    Sektoren[129].HotSpotX = 200;
    Sektoren[129].HotSpotY = 150;
    BlitMap();
    BlitAllICPs();
    TModell m;
    m.KarteLegen();
    // ICPs 7: box at view (100, 40), the digit 7 (x 228..237 of the pieces) at (102, 42).
    m.Legen(100, 40, Box1, true);
    m.Legen(102, 42, Ziffer(7), true);
    EXPECT_EQ(Ziffer(7).Left, 228);
    // ICPs 12: the second digit 8 pixels right of the first, over its last column.
    m.Legen(200, 40, Box2, true);
    m.Legen(202, 42, Ziffer(1), true);
    m.Legen(210, 42, Ziffer(2), true);
    // ICPs 255: a box 28 wide pieced from the two-digit box, three digits.
    m.Legen(300, 40, TRect{175, 10, 184, 24}, true);
    m.Legen(309, 40, TRect{179, 10, 189, 24}, true);
    m.Legen(319, 40, TRect{184, 10, 193, 24}, true);
    m.Legen(302, 42, Ziffer(2), true);
    m.Legen(310, 42, Ziffer(5), true);
    m.Legen(318, 42, Ziffer(5), true);
    EXPECT_EQ(Abweichung(m), -1);

    // At view x -20 the figure lands wholly in the margin; at -21 it is left out.
    BackLeeren();
    BlitICPs(-21, 10, 7);
    TModell leer;
    EXPECT_EQ(Abweichung(leer), -1);
    BlitICPs(-20, 10, 7);
    leer.Legen(-20, 10, Box1, true);
    leer.Legen(-18, 12, Ziffer(7), true);
    EXPECT_EQ(Abweichung(leer), -1);
}

TEST_P(Grafik, TextsAtThePointer) {
    SektorNameSetzen(Sektoren[7], "Abcdefghij");
    AktuellerSektor = 7;
    LandnameAmCursor = true;
    CursorPoint = {ViewBreite - 110, 100};
    BlitSectorName();  // 110 is not less than 110: flips left
    TModell m;
    m.Text(ViewBreite - 220, 110, "ABCDEFGHIJ");
    CursorPoint = {ViewBreite - 111, 150};
    BlitSectorName();
    m.Text(ViewBreite - 111, 160, "ABCDEFGHIJ");
    // Sector numbers without a record draw nothing.
    AktuellerSektor = 200;
    BlitSectorName();
    EXPECT_EQ(Abweichung(m), -1);

    // Name, kind and owner lines at +10, +22, +34; without the name at +10 and +22.
    Stapel(1, 50, 50, 2, 2, 1);
    CursorEinheit = 1;
    EinheitartAmCursor = BesitzerAmCursor = true;
    CursorPoint = {20, 30};
    BlitPieceInfo();
    m.Text(20, 52, "Infantry");
    m.Text(20, 64, "Germany");
    LandnameAmCursor = false;
    CursorPoint = {20, 200};
    BlitPieceInfo();
    m.Text(20, 210, "Infantry");
    m.Text(20, 222, "Germany");
    // Only the owner: directly on the first line.
    EinheitartAmCursor = false;
    CursorPoint = {250, 240};
    BlitPieceInfo();
    m.Text(250, 250, "Germany");
    // Both texts flip together when one reaches the edge, each by its own length.
    EinheitartAmCursor = true;
    CursorPoint = {ViewBreite - 88, 260};  // "Infantry" is 88 wide
    BlitPieceInfo();
    m.Text(ViewBreite - 88 - 88, 270, "Infantry");
    m.Text(ViewBreite - 88 - 77, 282, "Germany");
    EXPECT_EQ(Abweichung(m), -1);

    // Pieces in hand over a border or an area that takes none: the word above the pointer;
    // over a sector that takes them, or with nothing in hand, none.
    SektorBildGeladen = true;
    ToolMode = tmPlace;
    Selection = TSelection{2, 1, 1};
    for (int s : {0, 128, 255}) {
        AktuellerSektor = std::uint8_t(s);
        EXPECT_TRUE(KeinePiecesAmCursor()) << s;
    }
    CursorPoint = {100, 120};
    AktuellerSektor = 0;
    BlitKeinePieces();
    m.Text(100, 120 - 27, "NO PIECES HERE");
    AktuellerSektor = 12;
    BlitKeinePieces();
    ToolMode = tmMove;
    AktuellerSektor = 0;
    BlitKeinePieces();
    EXPECT_EQ(Abweichung(m), -1);
    SektorBildGeladen = false;

    // A stack with kind or owner out of range, or a stale stack number, shows no text.
    Stapel(1, 50, 50, 12, 2, 1);
    BlitPieceInfo();
    Stapel(1, 50, 50, 2, 6, 1);
    BlitPieceInfo();
    CursorEinheit = 2;
    BlitPieceInfo();
    EXPECT_EQ(Abweichung(m), -1);
}

TEST_P(Grafik, FontCharacters) {
    // Lower case in capitals; "=" and characters outside the font leave an empty cell.
    BlitText(10, 10, "a=b\xE9[z");
    TModell m;
    m.Zeichen(10, 10, 'A');
    m.Zeichen(32, 10, 'B');
    m.Zeichen(65, 10, 'Z');
    EXPECT_EQ(Abweichung(m), -1);
    // Bounds of the back surface's interior, not of the view.
    BlitChar(-21, 10, 'A');
    BlitChar(10, MaxViewHoehe + 1, 'A');
    BlitChar(MaxViewBreite, 10, 'A');
    m.Zeichen(MaxViewBreite, 10, 'A');
    EXPECT_EQ(Abweichung(m), -1);
}

TEST_P(Grafik, CursorHotSpotsAndSelection) {
    TModell m;
    ToolMode = tmMove;
    BlitCursor(50, 50);
    m.Legen(41, 41, TRect{0, 60, 19, 79}, true);
    ToolMode = tmKill;
    BlitCursor(100, 50);
    m.Legen(96, 46, TRect{20, 60, 39, 79}, true);
    EXPECT_EQ(PixelLesen(*SurfaceBack, 120, 70), GetParam() == 32 ? PiecesFarbe(24, 64) : Rgb565Zurueck(Rgb565(PiecesFarbe(24, 64))));
    ToolMode = tmCarry;
    BlitCursor(200, 50);
    m.Legen(184, 37, TRect{40, 60, 71, 86}, true);
    EXPECT_EQ(Abweichung(m), -1);

    // A whole frame while carrying: the carried piece and count over the cursor picture.
    ToolMode = tmCarry;
    Selection = {4, 3, 5};
    CursorPoint = {300, 200};
    BackLeeren();
    FrameKomponieren();
    TModell f;
    f.KarteLegen();
    f.Legen(284, 187, TRect{40, 60, 71, 86}, true);
    f.Legen(293, 195, TRect{45, 20, 60, 30}, false);
    f.Zeichen(308, 195, '5');
    EXPECT_EQ(Abweichung(f), -1);

    // The bomb: the count the keys chose beside it, or over a stack what a click would remove.
    ToolMode = tmKill;
    Selection = {0, 0, 65000};
    for (std::uint16_t stapel : {0, 12}) {
        CursorEinheit = stapel ? 1 : 0;
        EinheitenAnzahl = 1;
        Einheiten[1].Anzahl = stapel;
        BackLeeren();
        FrameKomponieren();
        TModell k;
        k.KarteLegen();
        k.Legen(296, 196, TRect{20, 60, 39, 79}, true);
        k.Text(315, 196, stapel ? "12" : "ALL");
        EXPECT_EQ(Abweichung(k), -1) << stapel;
    }
    CursorEinheit = 0;
    EinheitenAnzahl = 0;
}

TEST_P(Grafik, HeldSectorsShowTheHoldersColourAndKeepEverythingElse) {
    // Sector 1 (x < 100) starts Russian, sector 2 (100 <= x < 200) German; a lake, a shaded
    // rim and a name's ink lie in sector 1.
    SektorBild.Breite = MapBreite;
    SektorBild.Hoehe = MapHoehe;
    SektorBild.Rgb.assign(std::size_t(MapBreite) * MapHoehe, 0xFFFFFF);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) SektorBild.Rgb[std::size_t(y) * MapBreite + x] = x < 100 ? 0x010101 : 0x020202;
    SektorBildGeladen = true;
    Sektoren[1].StartBesitzer = bsRussland;
    Sektoren[2].StartBesitzer = bsDeutschland;
    Sektoren[1].Land = Sektoren[2].Land = 1;
    const std::uint32_t rot = 0xD6806E, grau = 0xACACA8, see = 0x96C0E4, tinte = 0x1C1816;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) PixelSetzen(*SurfaceMap, x, y, x < 100 ? rot : grau);
    PixelSetzen(*SurfaceMap, 50, 50, see);
    PixelSetzen(*SurfaceMap, 50, 60, 0xB46B5C);  // the red darkened to 84 %
    PixelSetzen(*SurfaceMap, 50, 70, tinte);
    HalterKarteVerwerfen();
    for (int s = 1; s <= SetzSektoren; ++s) Spielstand.Halter[s] = Sektoren[s].StartBesitzer;

    EXPECT_EQ(KarteFuerFrame(), SurfaceMap);  // nobody holds another's sector
    Spielstand.Halter[1] = bsDeutschland;
    const TSurface* karte = KarteFuerFrame();
    ASSERT_NE(karte, SurfaceMap);
    std::uint32_t deutsch;
    ASSERT_TRUE(BesitzerFarbe(bsDeutschland, deutsch));
    EXPECT_EQ(PixelLesen(*karte, 10, 10), PixelLesen(*karte, 150, 10));
    EXPECT_EQ(PixelLesen(*karte, 10, 10), deutsch);
    EXPECT_EQ(PixelLesen(*karte, 50, 50), PixelLesen(*SurfaceMap, 50, 50));  // the lake stays
    const std::uint32_t schatten = PixelLesen(*karte, 50, 60), ink = PixelLesen(*karte, 50, 70);
    for (int k = 0; k < 24; k += 8) {
        EXPECT_NEAR(int(schatten >> k & 255), int((deutsch >> k & 255) * 84 / 100), 9) << k;
        EXPECT_LT(int(ink >> k & 255), 48) << k;  // the name stays dark
    }
    EXPECT_EQ(PixelLesen(*karte, 300, 10), PixelLesen(*SurfaceMap, 300, 10));  // no sector
    // Built once per change of holdings; a frame draws the view from it.
    const std::uint32_t stand = HalterKarteStand;
    EXPECT_FALSE(HalterKarteAktualisieren());
    EXPECT_EQ(HalterKarteStand, stand);
    BlitMap();
    EXPECT_EQ(PixelLesen(*SurfaceBack, 20 + 10, 20 + 10), deutsch);
    // The option off, or the sector given back: the map as it is.
    HalterAnzeigen = false;
    EXPECT_TRUE(HalterKarteAktualisieren());
    EXPECT_EQ(KarteFuerFrame(), SurfaceMap);
    HalterAnzeigen = true;
    Spielstand.Halter[1] = bsRussland;
    EXPECT_EQ(KarteFuerFrame(), SurfaceMap);
    SektorBildGeladen = false;
    HalterKarteVerwerfen();
}

TEST(GrafikFrame, SixteenAndThirtyTwoBitsShowTheSamePicture) {
    TBild bilder[2];
    for (int i = 0; i < 2; ++i) {
        DisplayAufbauen(i == 0 ? 32 : 16, 500, 400);
        ScrollX = 33;
        ScrollY = 17;
        Zoom = 3;
        ICPsAnzeigen = LandnameAmCursor = EinheitartAmCursor = BesitzerAmCursor = true;
        Sektoren[3].ICPs = 42;
        Sektoren[3].HotSpotX = 80;
        Sektoren[3].HotSpotY = 60;
        SektorNameSetzen(Sektoren[3], "Somewhere");
        AktuellerSektor = 3;
        for (int s = 1; s <= 40; ++s) Stapel(s, 30 + 4.3 * s, 20 + 3.1 * s, 1 + s % 11, 1 + s % 5, s);
        CursorEinheit = 7;
        CursorPoint = {210, 130};
        RenderFrame();
        ViewAlsBild(bilder[i]);
    }
    ASSERT_EQ(bilder[1].Breite, 500);
    ASSERT_EQ(bilder[1].Rgb.size(), bilder[0].Rgb.size());
    for (std::size_t p = 0; p < bilder[0].Rgb.size(); ++p)
        ASSERT_EQ(bilder[1].Rgb[p], Rgb565Zurueck(Rgb565(bilder[0].Rgb[p]))) << p;
    // The front surface got the same view.
    EXPECT_EQ(PixelLesen(*SurfaceFront, 123, 45), bilder[1].Rgb[45 * 500 + 123]);
}

namespace {

// Sectors in a grid of 70 x 60 map pixels with borders of value 0 between them.
void SektorBildSetzen() {
    static TBild bild;
    if (bild.Rgb.empty()) {
        bild.Breite = MapBreite;
        bild.Hoehe = MapHoehe;
        bild.Rgb.resize(std::size_t(MapBreite) * MapHoehe);
        for (int y = 0; y < MapHoehe; ++y)
            for (int x = 0; x < MapBreite; ++x)
                bild.Rgb[std::size_t(y) * MapBreite + x] =
                    x % 70 == 0 || y % 60 == 0 ? 0u : std::uint32_t(1 + (x / 70 + 23 * (y / 60)) % 127) << 16;
    }
    SektorBild = bild;
    SektorBildGeladen = true;
}

// The first pixel where the shown view differs from the frame composed whole, -1 if none.
long GezeigtAbweichung() {
    const int px = SurfaceFront->BitsProPixel / 8;
    std::vector<std::uint8_t> gezeigt(SurfaceFront->Pixel);
    FrameKomponieren();
    const int w = std::clamp(ViewBreite, 0, SurfaceFront->Breite), h = std::clamp(ViewHoehe, 0, SurfaceFront->Hoehe);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (std::memcmp(gezeigt.data() + std::size_t(y) * SurfaceFront->Abstand + x * px,
                            SurfaceBack->Zeile(y + 20) + (x + 20) * px, px) != 0)
                return long(y) * w + x;
    return -1;
}

}  // namespace

// RenderFrame draws only what was marked; what it shows must always be the frame composed
// whole. Random sequences of the input reactions, the palette, commands, undo and redo,
// resizes and paint requests, each step checked, at several zooms, with own pieces larger
// than the built-in. Every other map pixel of a sector has its start owner's colour, so that
// a sector taken by a flag shows in its holder's colour wherever it lies in the view.
TEST(GrafikFrame, ShownViewIsTheFrameComposedWholeAfterEveryStep) {
    TToolsForm palette(nullptr);
    for (int lauf = 0; lauf < 6; ++lauf) {
        std::mt19937 z(lauf);
        auto wert = [&](int lo, int hi) { return lo + int(z() % unsigned(hi - lo + 1)); };
        DisplayAufbauen(lauf % 2 ? 16 : 32, 700, 530);
        if (lauf >= 4) {
            OwnPiecesVorhanden = true;
            SurfaceOwnPieces = SurfacePieces;
            PieceGeometrieSetzen(25, 20);
            PiecesZoom = 4;
        }
        Zoom = 1 + lauf % 3 * 2;
        SektorBildSetzen();
        // From the third run on changes are marked, and the legend follows the pointer.
        MarkierungenLoeschen();
        for (int s = 3; lauf >= 2 && s < 127; s += 7) Markierung[s] = s % 2 ? FarbeBesitz : FarbeEinheiten;
        Markiert = lauf >= 2;
        DisplayReady = true;
        OhneFenster.Breite = 700;
        OhneFenster.Hoehe = 530 + 29 + 19;
        OhneFenster.ToolBar = 29;
        OhneFenster.StatusBar = 19;
        ICPsAnzeigen = LandnameAmCursor = EinheitartAmCursor = BesitzerAmCursor = true;
        for (int s = 1; s <= 127; ++s) {
            SektorNameSetzen(Sektoren[s], "Land " + std::to_string(s));
            Sektoren[s].ICPs = std::uint8_t(s * 7 % 130);
            Sektoren[s].HotSpotX = s % 23 * 70 + 20;
            Sektoren[s].HotSpotY = s / 23 * 60 + 20;
            Sektoren[s].StartBesitzer = std::uint8_t(1 + s % 5);
            Sektoren[s].Land = 1;
        }
        const std::uint32_t farbe[5] = {0xD6806E, 0xACACA8, 0x8CB46E, 0xE0C860, 0x7090D0};
        for (int y = 0; y < MapHoehe; ++y)
            for (int x = y % 2; x < MapBreite; x += 2)
                if (const std::uint32_t s = SektorBild.Rgb[std::size_t(y) * MapBreite + x] >> 16; s >= 1 && s <= 127)
                    PixelSetzen(*SurfaceMap, x, y, farbe[s % 5]);
        HalterKarteVerwerfen();
        SchritteLeeren();
        auto stapeln = [&](int n) {
            for (int i = 0; i < n; ++i) {
                const TMapPunkt m{wert(0, 8000) / 10.0, wert(0, 6000) / 10.0};
                EinheitenSetzen(m, TEinheitArt(wert(1, 11)), TBesitzer(wert(1, 5)), std::uint16_t(wert(1, 30)));
            }
        };
        stapeln(300);
        ViewAnpassen();
        ASSERT_EQ(GezeigtAbweichung(), -1) << "run " << lauf;
        TShiftState shift;
        for (int schritt = 0; schritt < 300; ++schritt) {
            // Buttons go down and up where the pointer is, or a pixel off it (client coordinates).
            const int px = CursorPoint.X + wert(-1, 1), py = CursorPoint.Y + 29 + wert(-1, 1);
            const TMausKnopf knopf = wert(0, 2) ? mkLinks : TMausKnopf(wert(1, 3));
            bool zeigt = true;
            const int art = wert(0, 20);
            switch (art) {
            case 0: case 1: case 2: case 3: case 4: case 5: {
                // Anywhere, a few pixels on, or onto a stack; now and then dragging the map.
                int x = wert(-30, 730), y = wert(0, 600);
                if (art < 2) {
                    x = px + wert(-6, 6);
                    y = py + wert(-6, 6);
                } else if (art < 4 && EinheitenAnzahl > 0) {
                    const TEinheit& e = Einheiten[wert(1, EinheitenAnzahl)];
                    const TPunkt v = MapZuView(TMapPunkt{e.X, e.Y});
                    x = v.X + wert(-3, 3);
                    y = v.Y + 29 + wert(-3, 3);
                } else if (art == 5 && Markiert) {  // into the legend's corner
                    x = ViewBreite - wert(0, 200);
                    y = ViewHoehe + 29 - wert(0, 70);
                }
                shift.Rechts = wert(0, 7) == 0;
                MouseMoved(shift, x, y);
                break;
            }
            case 6: case 7: case 8:
                zeigt = !(knopf == mkLinks && ToolMode == tmPlace && Selection.Art != 0);  // shows with the next move
                MausGedrueckt(knopf, shift, px, py);
                break;
            case 9: case 10: MausLosgelassen(knopf, shift, px, py); break;
            case 11: KeyPressed("+-a"[wert(0, 2)]); break;
            case 12:
                shift.Shift = wert(0, 1);
                shift.Ctrl = wert(0, 1);
                zeigt = ToolMode == tmKill || ToolMode == tmPlace;
                TasteGeaendert(shift);
                break;
            case 13:  // the palette: the next move shows its cursor
                if (wert(0, 2) == 0) palette.PiecesImageMouseDown(wert(0, 164), wert(0, 49));
                else if (wert(0, 1)) palette.MoveImageClick();
                else palette.KillImageClick();
                zeigt = false;
                break;
            case 14: case 15:  // commands: what they change, then the view shows it all
                switch (wert(0, 4)) {
                case 0: EinheitenAnzahl = 0; stapeln(wert(0, 200)); break;
                case 1: ICPsAnzeigen = !ICPsAnzeigen; break;
                case 2: LandnameAmCursor = !LandnameAmCursor; EinheitartAmCursor = wert(0, 1); break;
                case 3: Zoom = PiecesZoom = wert(1, 6); break;
                case 4: SektorNameSetzen(Sektoren[wert(1, 127)], "Renamed"); break;
                }
                ViewMarkieren();
                RenderFrame();
                break;
            case 16:  // the window is resized
                OhneFenster.Breite = wert(0, 760);
                OhneFenster.Hoehe = wert(48, 620);
                ViewAnpassen();
                break;
            case 17:  // undo and redo draw what they changed
                zeigt = EditRueckgaengigMoeglich();
                EditRueckgaengig();
                break;
            case 18:
                zeigt = EditWiederholenMoeglich();
                EditWiederholen();
                break;
            case 19: {  // a flag planted in a sector of another start owner changes its holder
                const int s = wert(1, 127);
                GetrageneZuruecklegen();
                ToolMode = tmPlace;
                Selection = {eaFlagge, TBesitzer(1 + (s + wert(1, 4)) % 5), 1};
                const TPunkt v = MapZuView(TMapPunkt{(s - 1) % 23 * 70 + 35.0, (s - 1) / 23 * 60 + 30.0});
                MouseMoved(TShiftState{}, v.X, v.Y + 29);
                MausGedrueckt(mkLinks, TShiftState{}, CursorPoint.X, CursorPoint.Y + 29);
                MouseMoved(TShiftState{}, CursorPoint.X, CursorPoint.Y + 29);
                break;
            }
            default: ViewAnpassen(); break;  // a paint request
            }
            if (zeigt) {
                ASSERT_EQ(GezeigtAbweichung(), -1) << "run " << lauf << " step " << schritt << " kind " << art << " view " << ViewBreite << "x" << ViewHoehe << " zoom " << Zoom << " pz " << PiecesZoom;
            }
        }
        // A view with no rows or no columns draws nothing; the sanitizers see any stray write.
        for (TPunkt leer : {TPunkt{0, 530}, TPunkt{700, 0}}) {
            ViewBreite = leer.X;
            ViewHoehe = leer.Y;
            ViewMarkieren();
            RenderFrame();
        }
        SurfaceOwnPieces = nullptr;
        OwnPiecesVorhanden = false;
    }
    MarkierungenLoeschen();
    VariablenZuruecksetzen();
    SchritteLeeren();
    HalterKarteVerwerfen();
    OhneFenster = TOhneFenster{};
}

// The legend of changes leaves the lower right corner to the pointer's texts (the name flips
// left at the right edge) while they are there; the pointer in the left corner leaves it.
TEST(GrafikFrame, TheChangesLegendKeepsClearOfThePointer) {
    DisplayAufbauen(32, 500, 400);
    Markiert = AenderungenAnzeigen = LandnameAmCursor = true;
    SektorNameSetzen(Sektoren[4], "Somewhere far");
    AktuellerSektor = 4;
    for (const TPunkt p : {TPunkt{100, 100}, TPunkt{480, 370}, TPunkt{60, 380}}) {
        CursorPoint = p;
        ZeigerMarkieren();
        RenderFrame();
        EXPECT_EQ(PixelLesen(*SurfaceFront, 20, 348) == 0x303030u, p.X == 480) << p.X;  // above its texts
    }
    MarkierungenLoeschen();
    VariablenZuruecksetzen();
}

TEST(GrafikFrame, RateIsTheInverseOfOneFrameTime) {
    EXPECT_EQ(RateAusZeit(16), 62);  // 62.5 to even
    EXPECT_EQ(RateAusZeit(15), 67);
    EXPECT_EQ(RateAusZeit(10), 100);
    EXPECT_EQ(RateAusZeit(0), 0);
    EXPECT_EQ(RateAusZeit(-5), 0);
    DisplayAufbauen(32, 100, 100);
    RenderFrame();
    EXPECT_EQ(std::strncmp(FpsText, "FPS: ", 5), 0);
    EXPECT_EQ(FrameRate, RateAusZeit(FrameZeit));
}
