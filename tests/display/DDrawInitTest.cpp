#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <string>
#include <vector>

#include "DisplayTestHilfen.h"
#include "TestHilfen.h"
#include "UBildaufbau.h"
#include "UBitmaps.h"
#include "UDDrawInit.h"
#include "UFehler.h"
#include "UGrafik.h"
#include "UVariablen.h"

TEST(DDrawInit, SurfacesFollowTheDesktop) {
    struct Fall {
        int b, h, bits, maxB, maxH, key, tiefe;
    } faelle[] = {
        {1024, 768, 16, 984, 728, 0xF81F, 16},
        {1920, 1080, 32, 1587, 913, 0xFF00FF, 32},
        {1280, 1024, 32, 1240, 913, 0xFF00FF, 32},
        {1280, 1024, 24, 1240, 913, 0xFF00FF, 32},
    };
    for (const Fall& f : faelle) {
        VariablenZuruecksetzen();
        ASSERT_TRUE(CreateObjects(TAnzeigeModus{f.b, f.h, f.bits}));
        EXPECT_EQ(MaxViewBreite, f.maxB);
        EXPECT_EQ(MaxViewHoehe, f.maxH);
        EXPECT_EQ(SurfaceBack->Breite, f.maxB + 40);
        EXPECT_EQ(SurfaceBack->Hoehe, f.maxH + 40);
        EXPECT_EQ(SurfaceFront->Breite, f.maxB);
        EXPECT_EQ(SurfaceMap->Breite, 1587);
        EXPECT_EQ(SurfacePieces->Hoehe, 200);
        EXPECT_EQ(Farbschluessel, std::uint32_t(f.key));
        EXPECT_EQ(SurfacePieces->Farbschluessel, std::uint32_t(f.key));
        EXPECT_EQ(SurfaceBack->BitsProPixel, f.tiefe);
        EXPECT_EQ(SurfaceOwnPieces, nullptr);
    }
    OwnPiecesVorhanden = true;
    OwnPiecesBreite = 330;
    OwnPiecesHoehe = 100;
    CreateObjects(TAnzeigeModus{1280, 1024, 32});
    ASSERT_NE(SurfaceOwnPieces, nullptr);
    EXPECT_EQ(SurfaceOwnPieces->Breite, 330);
    EXPECT_TRUE(SurfaceOwnPieces->HatFarbschluessel);
    ReleaseObjects();
    EXPECT_EQ(SurfaceBack, nullptr);
    EXPECT_EQ(SurfaceFront, nullptr);
}

TEST(DDrawInit, ScreenModeOfTheRunningApplication) {
    TAnzeigeModus modus;
    ASSERT_EQ(AnzeigeModusLesen(modus), erOK);
    EXPECT_GT(modus.Breite, 0);
    EXPECT_GT(modus.BitsProPixel, 0);
}

TEST(DDrawInitDeathTest, FailuresAreShownAndEndTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            VariablenZuruecksetzen();
            CreateObjects(TAnzeigeModus{1280, 1024, 8});
        },
        ::testing::ExitedWithCode(1), "Sorry, but this Prog needs 16 or 32bits colordepth!");
    EXPECT_EXIT(
        {
            VariablenZuruecksetzen();
            OwnPiecesVorhanden = true;
            OwnPiecesBreite = OwnPiecesHoehe = 60000;
            CreateObjects(TAnzeigeModus{1280, 1024, 32});
        },
        ::testing::ExitedWithCode(1),
        "Error in DDrawInterface\\.CreateSurface \\(SurfaceOwnPieces\\)\nThere is not enough memory");
    // Drawing without the display set up is reported, not a crash.
    EXPECT_EXIT(
        {
            ReleaseObjects();
            ViewBreite = ViewHoehe = 100;
            RenderFrame();
        },
        ::testing::ExitedWithCode(1), "Error in BlitMap\nA drawing surface");
}

TEST(DDrawInit, ErrorHookGetsTheText) {
    struct Anzeige : TOhneFenster {
        std::string gesehen;
        void FehlerZeigen(const std::string& t) override { gesehen = t; }
    } fenster;
    Fenster = &fenster;
    ShowError("Error in BlitChar\nsomething");
    EXPECT_EQ(fenster.gesehen, "Error in BlitChar\nsomething");
    Fenster = &OhneFenster;
    ShowError("ignored");
    EXPECT_EQ(fenster.gesehen, "Error in BlitChar\nsomething");
}

namespace {

// A 16-bit bitmap with 5-6-5 bit fields, stored bottom-up.
std::vector<std::uint8_t> Bmp565(int w, int h, const std::vector<std::uint16_t>& pixel) {
    const int zeile = (w * 2 + 3) / 4 * 4, groesse = 66 + zeile * h;
    std::vector<std::uint8_t> d(std::size_t(groesse), 0);
    auto u32 = [&](int o, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) d[std::size_t(o + i)] = std::uint8_t(v >> (8 * i));
    };
    d[0] = 'B';
    d[1] = 'M';
    u32(2, std::uint32_t(groesse));
    u32(10, 66);
    u32(14, 40);
    u32(18, std::uint32_t(w));
    u32(22, std::uint32_t(h));
    d[26] = 1;
    d[28] = 16;
    u32(30, 3);
    u32(34, std::uint32_t(zeile * h));
    u32(54, 0xF800);
    u32(58, 0x07E0);
    u32(62, 0x001F);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint16_t p = pixel[std::size_t(y) * w + x];
            const std::size_t o = 66 + std::size_t(h - 1 - y) * zeile + 2 * x;
            d[o] = std::uint8_t(p);
            d[o + 1] = std::uint8_t(p >> 8);
        }
    return d;
}

void Speichern(const QImage& bild, const std::string& datei) { ASSERT_TRUE(bild.save(QString::fromStdString(datei), "BMP")); }

QImage Farbe(int w, int h, QColor c) {
    QImage b(w, h, QImage::Format_RGB32);
    b.fill(c);
    return b;
}

}  // namespace

TEST(Bitmaps, OwnPiecesSetTheGeometry) {
    TempOrdner ordner;
    ImOrdner hier(ordner.Pfad());
    VariablenZuruecksetzen();
    OwnPiecesPruefen();
    EXPECT_FALSE(OwnPiecesVorhanden);
    EXPECT_EQ(OwnPiecesBreite, 165);
    Speichern(Farbe(320, 200, Qt::white), "PIECES.BMP");
    CreateObjects(TAnzeigeModus{1280, 1024, 32});
    PiecesBildLaden();
    EXPECT_EQ(PieceGroesse.X, 15);
    EXPECT_EQ(PieceHalbe.Y, 5);
    const TRect r = PieceRechtecke[11][5];
    EXPECT_EQ(r.Left, 150);
    EXPECT_EQ(r.Top, 40);
    EXPECT_EQ(r.Right, 165);
    EXPECT_EQ(r.Bottom, 50);

    for (auto [w, h, cw, ch] : {std::tuple{330, 100, 30, 20}, std::tuple{100, 30, 9, 6}}) {
        Speichern(Farbe(w, h, Qt::red), "OwnPieces.BMP");
        OwnPiecesPruefen();
        ASSERT_TRUE(OwnPiecesVorhanden);
        EXPECT_EQ(OwnPiecesBreite, w);
        CreateObjects(TAnzeigeModus{1280, 1024, 32});
        PiecesBildLaden();
        EXPECT_EQ(PieceGroesse.X, cw);
        EXPECT_EQ(PieceGroesse.Y, ch);
        EXPECT_EQ(PieceHalbe.X, cw / 2);
        EXPECT_EQ(PixelLesen(*SurfaceOwnPieces, w - 1, h - 1), 0xFF0000u);
    }
    EXPECT_EQ(PieceRechtecke[11][1].Left, 90);
    EXPECT_EQ(PieceRechtecke[11][1].Right, 99);
}

TEST(Bitmaps, AllPicturesLoadAndMissingOnesAreNamed) {
    TempOrdner ordner;
    ImOrdner hier(ordner.Pfad());
    VariablenZuruecksetzen();
    CreateObjects(TAnzeigeModus{1280, 1024, 32});
    try {
        BitmapsLaden();
        FAIL() << "no error without pictures";
    } catch (const EDateiFehler& e) {
        EXPECT_EQ(e.Datei, "Map(1587x913)[16].BMP");
    }
    Speichern(Farbe(1587, 913, QColor(10, 20, 30)), "Map(1587x913)[16].BMP");
    // The pieces sheet stored in 16 bits: its magenta must still be the key on 32 bits.
    std::vector<std::uint16_t> pixel(320 * 200, 0x07E0);
    pixel[0] = 0xF81F;
    BytesSchreiben("PIECES.BMP", Bmp565(320, 200, pixel));
    QImage grau(1587, 913, QImage::Format_Indexed8);
    QVector<QRgb> palette;
    for (int i = 0; i < 256; ++i) palette.push_back(qRgb(i, i, i));
    grau.setColorTable(palette);
    grau.fill(0);
    grau.setPixel(100, 200, 77);
    grau.setPixel(101, 200, 254);
    Speichern(grau, "Sektoreninfo(1587x913)[256Grau].BMP");
    for (const char* licht : {"grueneslicht.BMP", "gelbeslicht.BMP", "dunkelroteslicht.BMP"})
        Speichern(Farbe(20, 40, Qt::green), licht);
    try {
        BitmapsLaden();
        FAIL() << "no error without the red light";
    } catch (const EDateiFehler& e) {
        EXPECT_EQ(e.Datei, "roteslicht.BMP");
    }
    Speichern(Farbe(21, 41, Qt::red), "roteslicht.BMP");
    BitmapsLaden();
    EXPECT_EQ(PixelLesen(*SurfaceMap, 1586, 912), 0x0A141Eu);
    EXPECT_EQ(RotesLicht.Breite, 21);
    EXPECT_EQ(SektorAn(TMapPunkt{100, 200}), 77);
    EXPECT_EQ(SektorAn(TMapPunkt{101, 200}), 254);

    TSurface ziel;
    ASSERT_EQ(SurfaceErzeugen(ziel, 2, 1, 32), erOK);
    SurfaceFuellen(ziel, 0x0000FF);
    ASSERT_EQ(ziel.BltFast(0, 0, SurfacePieces, TRect{0, 0, 2, 1}), erOK);
    EXPECT_EQ(PixelLesen(ziel, 0, 0), 0x0000FFu);
    EXPECT_EQ(PixelLesen(ziel, 1, 0), 0x00FF00u);
}
