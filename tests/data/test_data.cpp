// The default board in data/ keeps its promises: picture sizes and formats, the sector
// index picture, the sector file, the start position and its incomes, the pieces sheet,
// the lights and the tool pictures. The files are made by tools/boardgen (check.sh there
// proves that they are reproduced byte for byte).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "UBild.h"
#include "UDateien.h"
#include "USpielstand.h"
#include "UVariablen.h"

namespace {

const std::string DataDir = QELMAP_DATA_DIR;
std::string DataFile(const std::string& name) { return DataDir + "/" + name; }

std::vector<std::uint8_t> ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}
std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t o) {
    return b[o] | (b[o + 1] << 8) | (b[o + 2] << 16) | (std::uint32_t(b[o + 3]) << 24);
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t o) { return std::uint16_t(b[o] | (b[o + 1] << 8)); }

struct Rect {
    int l, t, r, b;  // right and bottom exclusive
    bool Overlaps(const Rect& o) const { return l < o.r && o.l < r && t < o.b && o.t < b; }
};

constexpr std::uint32_t Magenta = 0xFF00FF;

// Loads the whole board once: sector file, index picture, start position, map picture.
class DefaultBoard : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        VariablenZuruecksetzen();
        SektorenLaden(DataFile("Sektoren_neu.sek"));
        BildLaden(SektorBild, DataFile("Sektoreninfo(1587x913)[256Grau].BMP"));
        SektorBildGeladen = true;
        MapLaden(DataFile("Start.map"));
        BildLaden(Map(), DataFile("Map(1587x913)[16].BMP"));
    }
    static void TearDownTestSuite() { VariablenZuruecksetzen(); }
    static TBild& Map() {
        static TBild map;
        return map;
    }
    static std::uint8_t Index(int x, int y) { return BildRot(SektorBild, x, y); }
    static bool Watery(std::uint32_t rgb) {
        int r = (rgb >> 16) & 255, g = (rgb >> 8) & 255, b = rgb & 255;
        return b > r + 30 && b > g;
    }
};

TEST_F(DefaultBoard, MapPictureIs1587x913With565BitFields) {
    auto b = ReadAll(DataFile("Map(1587x913)[16].BMP"));
    ASSERT_GE(b.size(), 66u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(U32(b, 18), 1587u);
    EXPECT_EQ(U32(b, 22), 913u);
    EXPECT_EQ(U16(b, 28), 16u);
    EXPECT_EQ(U32(b, 30), 3u);  // BI_BITFIELDS
    EXPECT_EQ(U32(b, 54), 0xF800u);
    EXPECT_EQ(U32(b, 58), 0x07E0u);
    EXPECT_EQ(U32(b, 62), 0x001Fu);
    EXPECT_EQ(b.size(), U32(b, 10) + 3176u * 913u);
    EXPECT_EQ(Map().Breite, MapBreite);
    EXPECT_EQ(Map().Hoehe, MapHoehe);
}

TEST_F(DefaultBoard, IndexPictureIs8BitGreyAndAlignedWithTheMap) {
    auto b = ReadAll(DataFile("Sektoreninfo(1587x913)[256Grau].BMP"));
    ASSERT_GE(b.size(), 54u + 1024u);
    EXPECT_EQ(U32(b, 18), 1587u);
    EXPECT_EQ(U32(b, 22), 913u);
    EXPECT_EQ(U16(b, 28), 8u);
    EXPECT_EQ(U32(b, 30), 0u);
    const std::size_t pal = 14 + U32(b, 14);
    for (int i = 0; i < 256; i++) {
        ASSERT_EQ(b[pal + 4 * i], i) << "palette entry " << i;
        ASSERT_EQ(b[pal + 4 * i + 1], i);
        ASSERT_EQ(b[pal + 4 * i + 2], i);
    }
    EXPECT_EQ(SektorBild.Breite, MapBreite);
    EXPECT_EQ(SektorBild.Hoehe, MapHoehe);
    EXPECT_EQ(SektorBild.BitsProPixel, 8);
}

TEST_F(DefaultBoard, IndexValuesAreBordersSectorsOrOutside) {
    std::array<int, 256> count{};
    for (int y = 0; y < MapHoehe; y++)
        for (int x = 0; x < MapBreite; x++) count[Index(x, y)]++;
    for (int v = 131; v < 255; v++) EXPECT_EQ(count[v], 0) << "index value " << v;
    for (int s = 1; s <= SektorenAnzahl; s++) EXPECT_GT(count[s], 0) << "sector " << s << " has no pixels";
    EXPECT_GT(count[0], 0);
    // Lakes, inland seas and ice belong to the sector around or nearest them: a click anywhere
    // but on a border lands in a sector.
    EXPECT_EQ(count[255], 0);
    // The lakes of Karelia are still drawn as lakes, and a flag put on one lands in Karelia.
    int seen = 0;
    for (int y = 0; y < MapHoehe; y++)
        for (int x = 0; x < MapBreite; x++)
            if (SektorName(Sektoren[Index(x, y)]) == "Karelia" && Watery(Map().Rgb[std::size_t(y) * MapBreite + x]))
                ++seen;
    EXPECT_GT(seen, 20);
}

TEST_F(DefaultBoard, SectorFileHasTheSpringOf1942) {
    EXPECT_EQ(ReadAll(DataFile("Sektoren_neu.sek")).size(), 9880u);
    std::set<std::string> names;
    int land = 0, sea = 0;
    for (int s = 1; s <= SektorenAnzahl; s++) {
        const TSektor& k = Sektoren[s];
        std::string name = SektorName(k);
        ASSERT_GE(k.NameLaenge, 1) << s;
        ASSERT_LE(k.NameLaenge, 40) << s;
        for (char c : name) {
            int up = std::toupper(static_cast<unsigned char>(c));
            EXPECT_TRUE(up >= 32 && up <= 90 && up != 61) << "sector " << s << " " << name;
        }
        std::string up = name;
        std::transform(up.begin(), up.end(), up.begin(), [](unsigned char c) { return std::toupper(c); });
        EXPECT_TRUE(names.insert(up).second) << "duplicate name " << name;
        EXPECT_LE(k.StartBesitzer, 5) << name;
        EXPECT_LE(k.Land, 1) << name;
        if (s <= 127) (k.Land ? land : sea)++;
        if (s >= 128) {
            EXPECT_EQ(k.ICPs, 0) << name;
            EXPECT_EQ(k.StartBesitzer, 0) << name;
        }
        if (!k.Land) {
            EXPECT_EQ(k.ICPs, 0) << name;
            EXPECT_EQ(k.StartBesitzer, 0) << name;
        }
    }
    EXPECT_GE(land, 60);
    EXPECT_LE(land, 85);
    EXPECT_GE(sea, 45);
    EXPECT_LE(sea, 65);
}

TEST_F(DefaultBoard, LandSectorsAreLandAndSeaZonesAreSeaOnTheMap) {
    std::array<int, 256> total{}, watery{};
    for (int y = 0; y < MapHoehe; y++)
        for (int x = 0; x < MapBreite; x++) {
            std::uint8_t s = Index(x, y);
            total[s]++;
            if (Watery(Map().Rgb[std::size_t(y) * MapBreite + x])) watery[s]++;
        }
    for (int s = 1; s <= SektorenAnzahl; s++) {
        ASSERT_GT(total[s], 0);
        const double share = double(watery[s]) / total[s];
        if (Sektoren[s].Land)  // lakes and inland seas count with the land around them
            EXPECT_LT(share, 0.2) << SektorName(Sektoren[s]) << " is drawn as water";
        else  // names of islands may be printed over the water
            EXPECT_GT(share, 0.85) << SektorName(Sektoren[s]) << " is not drawn as water";
    }
}

TEST_F(DefaultBoard, HotSpotBoxesLieWhollyInsideTheirSectors) {
    int aussen = 0;
    for (int s = 1; s <= SektorenAnzahl; s++) {
        const TSektor& k = Sektoren[s];
        ASSERT_GE(k.HotSpotX, 0);
        ASSERT_GE(k.HotSpotY, 0);
        ASSERT_LE(k.HotSpotX + 18, MapBreite);
        ASSERT_LE(k.HotSpotY + 14, MapHoehe);
        // Where a small island's stacks take all its room, the box lies just off its coast: over
        // nothing but its sector, borders and sea.
        int innen = 0;
        for (int y = k.HotSpotY; y < k.HotSpotY + 14; y++)
            for (int x = k.HotSpotX; x < k.HotSpotX + 18; x++) {
                const std::uint8_t v = SektorAn(MapPunkt(x, y));
                innen += v == s;
                ASSERT_TRUE(v == s || ((v == 0 || !Sektoren[v].Land) && Sektoren[s].Land))
                    << SektorName(k) << " at " << x << "," << y;
            }
        bool stapel = false;
        for (int i = 1; i <= EinheitenAnzahl; i++) stapel = stapel || Einheiten[i].Sektor == s;
        EXPECT_TRUE(innen == 18 * 14 || stapel) << SektorName(k) << ": the box is off the coast of a sector with no stacks";
        aussen += innen < 18 * 14;
    }
    EXPECT_LE(aussen, 8);
}

TEST_F(DefaultBoard, EveryStackStandsInTheSectorOfItsAnchor) {
    EXPECT_EQ(ReadAll(DataFile("Start.map")).size(), 4u + 24u * EinheitenAnzahl);
    ASSERT_GE(EinheitenAnzahl, 50);
    ASSERT_LE(EinheitenAnzahl, 300);
    std::set<std::array<int, 3>> seen;
    for (int i = 1; i <= EinheitenAnzahl; i++) {
        const TEinheit& e = Einheiten[i];
        EXPECT_GE(e.Art, 1);
        EXPECT_LE(e.Art, 11);
        EXPECT_GE(e.Besitzer, 1);
        EXPECT_LE(e.Besitzer, 5);
        EXPECT_GE(e.Anzahl, 1);
        EXPECT_LE(e.Anzahl, 100);
        EXPECT_GE(e.Sektor, 1);
        EXPECT_LE(e.Sektor, 127);
        EXPECT_EQ(SektorAn(MapPunkt(e.X, e.Y)), e.Sektor) << "stack " << i;
        if (e.Art >= 6 && e.Art <= 9) EXPECT_FALSE(Sektoren[e.Sektor].Land) << "ship on land: stack " << i;
        if (e.Art <= 3 || e.Art >= 10) EXPECT_TRUE(Sektoren[e.Sektor].Land) << "land unit at sea: stack " << i;
        EXPECT_TRUE(seen.insert({e.Sektor, e.Art, e.Besitzer}).second) << "stack " << i << " is a twin";
    }
}

TEST_F(DefaultBoard, StackPiecesLieOnTheirOwnGround) {
    // 90 % of the 15 x 10 piece in its sector, or, where the sector had no room left, the
    // anchor at least 3 pixels inside it.
    int genug = 0;
    for (int i = 1; i <= EinheitenAnzahl; i++) {
        const TEinheit& e = Einheiten[i];
        const int ax = Runden(e.X), ay = Runden(e.Y);
        int eigen = 0;
        for (int y = ay - 5; y < ay + 5; y++)
            for (int x = ax - 7; x < ax + 8; x++) eigen += SektorAn(MapPunkt(x, y)) == e.Sektor;
        bool tief = true;
        for (int y = ay - 3; y <= ay + 3; y++)
            for (int x = ax - 3; x <= ax + 3; x++) tief = tief && SektorAn(MapPunkt(x, y)) == e.Sektor;
        genug += eigen >= 135;
        EXPECT_TRUE(eigen >= 135 || tief) << "stack " << i << ": " << eigen << " of 150 piece pixels in "
                                          << SektorName(Sektoren[e.Sektor]);
    }
    EXPECT_GE(genug, EinheitenAnzahl - 10);
}

TEST_F(DefaultBoard, PiecesCountsAndIcpBoxesDoNotCoverEachOther) {
    std::vector<std::pair<std::string, Rect>> rects;
    for (int s = 1; s <= 128; s++) {
        const TSektor& k = Sektoren[s];
        if (!k.ICPs) continue;
        rects.push_back({"ICPs of " + SektorName(k),
                         {k.HotSpotX, k.HotSpotY, k.HotSpotX + (k.ICPs < 10 ? 10 : 18), k.HotSpotY + 14}});
    }
    for (int i = 1; i <= EinheitenAnzahl; i++) {
        const TEinheit& e = Einheiten[i];
        const int x = Runden(e.X) - 7, y = Runden(e.Y) - 5;
        const std::string who = "stack " + std::to_string(i) + " in " + SektorName(Sektoren[e.Sektor]);
        rects.push_back({who, {x, y, x + 15, y + 10}});
        if (e.Anzahl > 1) {
            const int digits = int(std::to_string(e.Anzahl).size());
            rects.push_back({"count of " + who, {x + 15, y, x + 15 + 11 * digits, y + 15}});
        }
    }
    for (std::size_t a = 0; a < rects.size(); a++) {
        const Rect& r = rects[a].second;
        EXPECT_TRUE(r.l >= 0 && r.t >= 0 && r.r <= MapBreite && r.b <= MapHoehe) << rects[a].first;
        for (std::size_t b = a + 1; b < rects.size(); b++)
            EXPECT_FALSE(r.Overlaps(rects[b].second)) << rects[a].first << " covers " << rects[b].first;
    }
}

TEST_F(DefaultBoard, StartIncomesAreInRange) {
    SpielstandBerechnen();
    EXPECT_GE(Spielstand.AxisIncome, 50u);
    EXPECT_LE(Spielstand.AxisIncome, 60u);  // the light starts green
    EXPECT_EQ(AxisAlertLevel(Spielstand.AxisIncome, true), 1);
    EXPECT_GE(Spielstand.AlliesIncome, 80u);
    EXPECT_LE(Spielstand.AlliesIncome, 100u);
    int sum = 0;
    for (int s = 1; s <= 127; s++) sum += Sektoren[s].ICPs;
    EXPECT_LT(sum, 256);
    for (int p = 1; p <= 5; p++) EXPECT_GT(Spielstand.Income[p], 0u) << BesitzerName(p);
}

TEST(DefaultPictures, PiecesSheetFollowsThePictureLayout) {
    TBild p;
    BildLaden(p, DataFile("PIECES.BMP"));
    ASSERT_EQ(p.Breite, 320);
    ASSERT_EQ(p.Hoehe, 200);
    auto at = [&](int x, int y) { return p.Rgb[std::size_t(y) * p.Breite + x]; };
    // piece cells: every pixel drawn, no colour key inside
    for (int y = 0; y < 50; y++)
        for (int x = 0; x < 165; x++) ASSERT_NE(at(x, y), Magenta) << "piece cell pixel " << x << "," << y;
    // every digit cell, both boxes, every font cell and every cursor has ink; gaps are the key
    auto inked = [&](int l, int t, int r, int b) {
        int n = 0;
        for (int y = t; y < b; y++)
            for (int x = l; x < r; x++) n += at(x, y) != Magenta;
        return n;
    };
    for (int d = 0; d < 10; d++) EXPECT_GT(inked(165 + 9 * d, 0, 174 + 9 * d, 10), 8) << "digit " << d;
    EXPECT_EQ(inked(165, 10, 175, 24), 140);
    EXPECT_EQ(inked(175, 10, 193, 24), 252);
    for (int ch = 33; ch <= 90; ch++) {
        if (ch == 61) continue;
        const int x = ch <= 60 ? 11 * (ch - 32) : 11 * (ch - 62), y = ch <= 60 ? 170 : 185;
        EXPECT_GT(inked(x, y, x + 11, y + 15), 10) << "glyph " << char(ch);
    }
    EXPECT_EQ(inked(0, 170, 11, 185), 0);  // the space
    // the 0 of the counts must not read as a D or an O (10 as "1D"): its light ink is
    // mirror-symmetric and at least two columns narrower than theirs
    auto inkColumns = [&](char ch, bool& symmetric) {
        const int x0 = ch <= 60 ? 11 * (ch - 32) : 11 * (ch - 62), y0 = ch <= 60 ? 170 : 185;
        auto ink = [&](int x, int y) { return at(x0 + x, y0 + y) == 0xFFFFF0u; };
        int l = 11, r = -1;
        for (int y = 0; y < 15; y++)
            for (int x = 0; x < 11; x++)
                if (ink(x, y)) l = std::min(l, x), r = std::max(r, x);
        symmetric = r >= l;
        for (int y = 0; y < 15; y++)
            for (int x = l; x <= r; x++) symmetric = symmetric && ink(x, y) == ink(l + r - x, y);
        return r - l + 1;
    };
    bool zeroSymmetric = false, other = false;
    const int zero = inkColumns('0', zeroSymmetric);
    EXPECT_TRUE(zeroSymmetric);
    EXPECT_LE(zero + 2, inkColumns('D', other));
    EXPECT_LE(zero + 2, inkColumns('O', other));
    EXPECT_NE(at(9, 69), Magenta);         // hot spot of the move cross
    EXPECT_NE(at(24, 64), Magenta);        // hot spot of the bomb's crosshair
    EXPECT_NE(at(56, 73), Magenta);        // hot spot of the hand
    EXPECT_EQ(at(319, 0), Magenta);
    EXPECT_EQ(at(200, 100), Magenta);
    EXPECT_EQ(at(164, 55), Magenta);
}

TEST(DefaultPictures, LightsToolsAndButtons) {
    struct Soll {
        const char* name;
        int w, h;
    };
    const Soll pictures[] = {
        {"grueneslicht.BMP", 30, 38}, {"gelbeslicht.BMP", 30, 38},   {"roteslicht.BMP", 30, 38},
        {"dunkelroteslicht.BMP", 30, 38}, {"ToolsPieces.BMP", 165, 50}, {"ToolsMove.BMP", 23, 23},
        {"ToolsKill.BMP", 23, 23},      {"ButtonMapLaden.BMP", 24, 24}, {"ButtonMapSpeichern.BMP", 24, 24},
        {"ButtonVorherigeMap.BMP", 24, 24}, {"ButtonNaechsteMap.BMP", 24, 24},
    };
    for (const Soll& s : pictures) {
        TBild b;
        BildLaden(b, DataFile(s.name));
        EXPECT_EQ(b.Breite, s.w) << s.name;
        EXPECT_EQ(b.Hoehe, s.h) << s.name;
    }
    // the lights: plain background in the top-left pixel, and a lamp of the right colour lit
    auto lit = [](const std::string& name, auto pred) {
        TBild b;
        BildLaden(b, DataFile(name));
        const std::uint32_t bg = b.Rgb[0];
        int n = 0, back = 0;
        for (std::uint32_t c : b.Rgb) {
            n += pred((c >> 16) & 255, (c >> 8) & 255, c & 255);
            back += c == bg;
        }
        EXPECT_GT(back, 30 * 38 / 4) << name;
        return n;
    };
    EXPECT_GT(lit("grueneslicht.BMP", [](int r, int g, int b) { return g > 180 && r < 100 && b < 120; }), 20);
    EXPECT_GT(lit("gelbeslicht.BMP", [](int r, int g, int b) { return r > 200 && g > 170 && b < 80; }), 20);
    EXPECT_GT(lit("roteslicht.BMP", [](int r, int g, int b) { return r > 200 && g < 80 && b < 80; }), 20);
    EXPECT_GT(lit("dunkelroteslicht.BMP", [](int r, int g, int b) { return r > 110 && r < 180 && g < 40 && b < 40; }), 20);
    // the tools chart is the pieces sheet's piece grid
    TBild chart, sheet;
    BildLaden(chart, DataFile("ToolsPieces.BMP"));
    BildLaden(sheet, DataFile("PIECES.BMP"));
    EXPECT_EQ(chart.BitsProPixel, 8);
    for (int y = 0; y < 50; y++)
        for (int x = 0; x < 165; x++) ASSERT_EQ(chart.Rgb[y * 165 + x], sheet.Rgb[y * 320 + x]) << x << "," << y;
}

TEST(DefaultPictures, ExampleOwnPiecesHave30x20Cells) {
    TBild b;
    BildLaden(b, std::string(QELMAP_SOURCE_DIR) + "/examples/OwnPieces.BMP");
    EXPECT_EQ(b.Breite, 330);
    EXPECT_EQ(b.Hoehe, 100);
    EXPECT_EQ(b.Breite / 11, 30);
    EXPECT_EQ(b.Hoehe / 5, 20);
}

}  // namespace
