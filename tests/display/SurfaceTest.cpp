#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <string>

#include "DisplayTestHilfen.h"
#include "UFarbschluessel.h"
#include "UKopieren.h"
#include "USurface.h"

namespace {

TSurface Muster(int bits, int w, int h, unsigned saat) {
    TSurface s;
    EXPECT_EQ(SurfaceErzeugen(s, w, h, bits), erOK);
    std::mt19937 zufall(saat);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) PixelSetzen(s, x, y, zufall() % 4 == 0 ? Magenta : zufall() & 0xFFFFFF);
    return s;
}

bool Gleich(const TSurface& a, const TSurface& b) {
    return a.Breite == b.Breite && a.Hoehe == b.Hoehe && a.Pixel == b.Pixel;
}

}  // namespace

// The fast copies against the plain per-pixel one, over rectangles of every kind: inside,
// across and wholly outside either surface, empty, at whole and other ratios, shrinking.
TEST(Surface, CopiesMatchThePlainCopyEverywhere) {
    for (int vektor : {512, 256, 128})
    for (int bits : {16, 32}) {
        SurfaceVektorBits = vektor;
        std::mt19937 zufall(bits);
        TSurface quelle = Muster(bits, 37, 23, 1);
        SurfaceFarbschluesselSetzen(quelle, PixelWert(bits, Magenta));
        const TSurface leer = Muster(bits, 41, 29, 2);
        auto wert = [&](int lo, int hi) { return lo + int(zufall() % unsigned(hi - lo + 1)); };
        for (int fall = 0; fall < 4000; ++fall) {
            TRect q;
            q.Left = wert(-8, 40);
            q.Top = wert(-8, 26);
            q.Right = q.Left + wert(-1, 20);
            q.Bottom = q.Top + wert(-1, 14);
            const int qw = q.Right - q.Left, qh = q.Bottom - q.Top;
            TRect z;
            z.Left = wert(-30, 45);
            z.Top = wert(-30, 32);
            const int art = fall % 4;  // equal, whole ratio, any, shrinking
            const int f = wert(2, 6);
            z.Right = z.Left + (art == 0 ? qw : art == 1 ? qw * f : art == 2 ? wert(0, 60) : qw / f);
            z.Bottom = z.Top + (art == 0 ? qh : art == 1 ? qh * wert(1, 6) : art == 2 ? wert(0, 40) : qh / f);
            TSurface a = leer, b = leer;
            ASSERT_EQ(a.Blt(z, &quelle, q), erOK);
            ASSERT_EQ(BltReferenz(b, z, quelle, q, false), erOK);
            ASSERT_TRUE(Gleich(a, b)) << bits << " Blt " << fall;
            a = leer;
            b = leer;
            ASSERT_EQ(a.BltFast(z.Left, z.Top, &quelle, q), erOK);
            ASSERT_EQ(BltReferenz(b, TRect{z.Left, z.Top, z.Left + qw, z.Top + qh}, quelle, q, true), erOK);
            ASSERT_TRUE(Gleich(a, b)) << bits << " BltFast " << fall;
            // Cut to a clip rectangle, a copy writes the same pixels inside it and none outside.
            TSurface c = leer;
            const TRect k = {wert(-3, 38), wert(-3, 30), wert(-3, 44), wert(-3, 32)};
            ASSERT_EQ(fall % 2 ? c.BltFast(z.Left, z.Top, &quelle, q, k) : c.Blt(z, &quelle, q, k), erOK);
            if (fall % 2 == 0) {
                b = leer;
                ASSERT_EQ(BltReferenz(b, z, quelle, q, false), erOK);
            }
            for (int y = 0; y < leer.Hoehe; ++y)
                for (int x = 0; x < leer.Breite; ++x) {
                    const bool innen = x >= k.Left && x < k.Right && y >= k.Top && y < k.Bottom;
                    ASSERT_EQ(PixelLesen(c, x, y), PixelLesen(innen ? b : leer, x, y))
                        << bits << " clip " << k.Left << "," << k.Top << ".." << k.Right << "," << k.Bottom << " case "
                        << fall << " at " << x << "," << y;
                }
        }
    }
    SurfaceVektorBits = 512;
}

TEST(Surface, KeyedCopyLeavesMagentaOutScaledCopyKeepsIt) {
    for (int bits : {16, 32}) {
        TSurface quelle, ziel;
        ASSERT_EQ(SurfaceErzeugen(quelle, 2, 1, bits), erOK);
        ASSERT_EQ(SurfaceErzeugen(ziel, 6, 3, bits), erOK);
        SurfaceFarbschluesselSetzen(quelle, bits == 16 ? 0xF81F : 0xFF00FF);
        PixelSetzen(quelle, 0, 0, Magenta);
        PixelSetzen(quelle, 1, 0, 0x00FF00);
        SurfaceFuellen(ziel, 0x0000FF);
        ASSERT_EQ(ziel.BltFast(0, 0, &quelle, TRect{0, 0, 2, 1}), erOK);
        EXPECT_EQ(PixelLesen(ziel, 0, 0), 0x0000FFu);
        EXPECT_EQ(PixelLesen(ziel, 1, 0), 0x00FF00u);
        // Scaled by 3 x 2: each pixel an exact block, magenta included.
        ASSERT_EQ(ziel.Blt(TRect{0, 1, 6, 3}, &quelle, TRect{0, 0, 2, 1}), erOK);
        for (int y = 1; y < 3; ++y)
            for (int x = 0; x < 6; ++x) EXPECT_EQ(PixelLesen(ziel, x, y), x < 3 ? Magenta : 0x00FF00u) << x << "," << y;
    }
}

TEST(Surface, PixelFormatsAndPictureCopy) {
    // 5-6-5 keeps the top bits and widens back exactly; pure colours survive the round trip.
    EXPECT_EQ(Rgb565(0xFF00FF), 0xF81F);
    EXPECT_EQ(Rgb565Zurueck(0xF81F), 0xFF00FFu);
    EXPECT_EQ(Rgb565Zurueck(0xFFFF), 0xFFFFFFu);
    EXPECT_EQ(Rgb565(0x123456), ((0x12 >> 3) << 11) | ((0x34 >> 2) << 5) | (0x56 >> 3));

    TBild bild;
    bild.Breite = 3;
    bild.Hoehe = 2;
    bild.Rgb = {0xFF00FF, 0x102030, 0xFFFFFF, 0x000000, 0x808080, 0x0000FF};
    TSurface s32, s16;
    ASSERT_EQ(SurfaceErzeugen(s32, 2, 3, 32), erOK);
    ASSERT_EQ(SurfaceErzeugen(s16, 2, 3, 16), erOK);
    SurfaceFuellen(s32, 0x111111);
    SurfaceFuellen(s16, 0x111111);
    // Only the overlap of picture, surface and requested rectangle is copied.
    ASSERT_EQ(BildInSurface(s32, bild, 320, 200), erOK);
    ASSERT_EQ(BildInSurface(s16, bild, 320, 1), erOK);
    EXPECT_EQ(PixelLesen(s32, 0, 0), 0xFF00FFu);
    EXPECT_EQ(PixelLesen(s32, 1, 1), 0x808080u);
    EXPECT_EQ(PixelLesen(s32, 0, 2), 0x111111u);
    // The unused byte is 0xFF so the pixels are a valid RGB32 QImage.
    std::uint32_t roh;
    std::memcpy(&roh, s32.Zeile(0), 4);
    EXPECT_EQ(roh, 0xFFFF00FFu);
    EXPECT_EQ(reinterpret_cast<const std::uint16_t*>(s16.Zeile(0))[0], 0xF81F);
    EXPECT_EQ(PixelLesen(s16, 1, 0), Rgb565Zurueck(Rgb565(0x102030)));
    EXPECT_EQ(PixelLesen(s16, 0, 1), Rgb565Zurueck(Rgb565(0x111111)));
}

TEST(Surface, FailuresHaveCodesWithDescriptions) {
    TSurface a, b, leer;
    EXPECT_EQ(SurfaceErzeugen(a, 4, 4, 24), erFarbtiefe);
    EXPECT_EQ(SurfaceErzeugen(a, 0, 4, 32), erGroesse);
    EXPECT_EQ(SurfaceErzeugen(a, 100000, 100000, 32), erKeinSpeicher);
    ASSERT_EQ(SurfaceErzeugen(a, 4, 4, 32), erOK);
    ASSERT_EQ(SurfaceErzeugen(b, 4, 4, 16), erOK);
    EXPECT_EQ(a.Blt(TRect{0, 0, 4, 4}, &b, TRect{0, 0, 4, 4}), erFormat);
    EXPECT_EQ(a.BltFast(0, 0, nullptr, TRect{0, 0, 4, 4}), erKeineSurface);
    EXPECT_EQ(a.BltFast(0, 0, &leer, TRect{0, 0, 4, 4}), erKeineSurface);
    EXPECT_FALSE(a.IsLost());
    std::set<std::string> texte;
    for (TErgebnis e : {erOK, erKeineSurface, erFormat, erGroesse, erKeinSpeicher, erFarbtiefe, erKeineAnwendung,
                        erKeinBildschirm, TErgebnis{99}})
        texte.insert(ErgebnisText(e));
    EXPECT_EQ(texte.size(), 9u);
}
