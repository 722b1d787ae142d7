// Inputs the fuzz targets found to do harm, each kept as the smallest case that showed it.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <future>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TestHilfen.h"
#include "UBild.h"
#include "UDateien.h"
#include "UFehler.h"
#include "UPieces.h"
#include "USurface.h"
#include "UVariablen.h"

namespace {

class Fundstellen : public ::testing::Test {
protected:
    void SetUp() override { VariablenZuruecksetzen(); }
    TempOrdner tmp;
};

// A map file may put a stack at NaN, an infinity or 1e300; rounding such a coordinate to a
// view pixel was an out-of-range conversion (on x86 +1e300 came out as INT32_MIN).
TEST_F(Fundstellen, CoordinatesBeyondThirtyTwoBitsRoundToTheNearestEnd) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Runden(1e300), INT32_MAX);
    EXPECT_EQ(Runden(inf), INT32_MAX);
    EXPECT_EQ(Runden(2147483647.5), INT32_MAX);
    EXPECT_EQ(Runden(-1e300), INT32_MIN);
    EXPECT_EQ(Runden(-inf), INT32_MIN);
    EXPECT_EQ(Runden(nan), INT32_MIN);
    EXPECT_EQ(Runden(-2147483648.4), INT32_MIN);
    EXPECT_EQ(Runden(2147483646.4), 2147483646);
    EXPECT_EQ(Runden(2.5), 2);
    EXPECT_EQ(Runden(-3.5), -4);

    // The hit test over such stacks finds them only where they saturate, never at the far end.
    std::vector<std::uint8_t> d(4 + 3 * 24, 0);
    d[0] = 3;
    const double xs[3] = {1e300, nan, -inf};
    for (int i = 0; i < 3; ++i) {
        std::memcpy(d.data() + 4 + 24 * i, &xs[i], 8);
        d[4 + 24 * i + 16] = 2;
        d[4 + 24 * i + 17] = 1;
    }
    BytesSchreiben(tmp.Datei("weit.map"), d);
    MapLaden(tmp.Datei("weit.map"));
    PieceGeometrieSetzen(15, 10);
    EXPECT_EQ(MapZuView(TMapPunkt{1e300, 0}).X, INT32_MAX);
    EXPECT_EQ(EinheitAnPunkt(TPunkt{INT32_MAX - 7, 0}), 1);
    EXPECT_EQ(EinheitAnPunkt(TPunkt{0, 0}), 0);
}

// A bitmap with the old 12-byte header keeps its bit depth at byte 24; byte 28 is already its
// first pixel. Read from 28, a first pixel with red 16 followed by blue 0 made the picture
// count as 16-bit and its colours were "widened" (red 200 came back as 206).
TEST_F(Fundstellen, OldBitmapHeadersKeepTheirColours) {
    std::vector<std::uint8_t> d = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 26, 0, 0, 0,  // file header
                                   12, 0, 0, 0, 2, 0, 1, 0, 1, 0, 24, 0,          // 2 x 1, 24 bits
                                   0, 100, 16,                                     // B G R: red 16
                                   0, 150, 200,                                    // blue 0, red 200
                                   0, 0};                                          // row padding
    const std::uint32_t groesse = static_cast<std::uint32_t>(d.size());
    std::memcpy(&d[2], &groesse, 4);
    TBild bild;
    BildAusBytes(bild, d.data(), d.size(), "alt.bmp");
    ASSERT_EQ(bild.Breite, 2);
    EXPECT_EQ(bild.BitsProPixel, 24);
    EXPECT_EQ(bild.Rgb[0], 0x106400u);
    EXPECT_EQ(bild.Rgb[1], 0xC89600u);

    // Cut short, the picture was taken with its missing pixels black.
    d.resize(d.size() - 3);
    try {
        BildAusBytes(bild, d.data(), d.size(), "kurz.bmp");
        ADD_FAILURE() << "a picture cut short was taken";
    } catch (const EDateiFehler& e) {
        EXPECT_NE(std::string(e.what()).find("kurz.bmp: is cut short"), std::string::npos) << e.what();
    }
}

// A few bytes of bitmap header may announce any size, and run-length coding fills the rest
// of the picture by itself: 40 bytes decoded to 4097 x 4096 pixels and then to twice 64 MB of
// copies (16384 x 16384 would have asked for over 2 GB). Such a picture is refused before it
// is decoded.
TEST_F(Fundstellen, AHugePictureIsRefusedBeforeItIsDecoded) {
    auto rle8 = [](std::int32_t breite, std::int32_t hoehe) {
        std::vector<std::uint8_t> d(14 + 40 + 8 + 2, 0);
        d[0] = 'B', d[1] = 'M';
        const std::uint32_t groesse = static_cast<std::uint32_t>(d.size()), start = 14 + 40 + 8;
        std::memcpy(&d[2], &groesse, 4);
        std::memcpy(&d[10], &start, 4);
        const std::uint32_t kopf = 40, kompression = 1, farben = 2;
        std::memcpy(&d[14], &kopf, 4);
        std::memcpy(&d[18], &breite, 4);
        std::memcpy(&d[22], &hoehe, 4);
        d[26] = 1, d[28] = 8;
        std::memcpy(&d[30], &kompression, 4);
        std::memcpy(&d[46], &farben, 4);
        d[58] = d[59] = d[60] = 0xFF;  // palette: black, white
        d[63] = 1;                     // end of picture right away
        return d;
    };
    TBild bild;
    const std::vector<std::uint8_t> gross = rle8(4097, 4096);
    try {
        BildAusBytes(bild, gross.data(), gross.size(), "riesig.bmp");
        ADD_FAILURE() << "accepted " << bild.Breite << " x " << bild.Hoehe;
    } catch (const EDateiFehler& e) {
        EXPECT_NE(std::string(e.what()).find("riesig.bmp"), std::string::npos) << e.what();
    }
    const std::vector<std::uint8_t> klein = rle8(300, 200);
    BildAusBytes(bild, klein.data(), klein.size(), "klein.bmp");
    EXPECT_EQ(bild.Breite, 300);
    EXPECT_EQ(bild.Rgb.size(), 300u * 200u);
}

// The clipping of a scaled copy multiplied offsets by extents in 64 bits; with rectangles
// reaching from one end of the integer range to the other the product overflowed (found by
// the surface fuzz target). Here the destination is 2^32 - 2 wide and the source 2^32 - 1, so
// the pixels on the surface map one to one.
TEST_F(Fundstellen, AScaledCopyAcrossTheWholeIntegerRangeIsClippedExactly) {
    for (std::int32_t bits : {16, 32}) {
        TSurface ziel, quelle;
        ASSERT_EQ(SurfaceErzeugen(ziel, 40, 3, bits), erOK);
        ASSERT_EQ(SurfaceErzeugen(quelle, 30, 3, bits), erOK);
        for (int x = 0; x < 30; ++x) PixelSetzen(quelle, x, 0, 0x10000u * 8 * x + 0x0804u);
        const TRect z{INT32_MIN, 0, INT32_MAX - 1, 1}, q{INT32_MIN, 0, INT32_MAX, 1};
        ASSERT_EQ(ziel.Blt(z, &quelle, q), erOK);
        for (int x = 0; x < 30; ++x) EXPECT_EQ(PixelLesen(ziel, x, 0), PixelLesen(quelle, x, 0)) << bits << " bits, x " << x;
        for (int x = 30; x < 40; ++x) EXPECT_EQ(PixelLesen(ziel, x, 0), 0u) << bits << " bits, x " << x;
    }
}

// Opening a named pipe for reading waits until something writes to it: a pipe chosen as map
// or sector file, or standing at the name of the start position, stopped the program for
// good. It is refused at once now, with an error naming it.
TEST_F(Fundstellen, APipeAsMapOrSectorFileIsRefusedAtOnce) {
    const std::string rohr = tmp.Datei("Start.map");
    ASSERT_EQ(::mkfifo(rohr.c_str(), 0644), 0);
    for (void (*laden)(const std::string&) : {MapLaden, SektorenLaden}) {
        auto ergebnis = std::async(std::launch::async, [&] {
            try {
                laden(rohr);
                return std::string("accepted");
            } catch (const EDateiFehler& e) {
                return std::string(e.what());
            }
        });
        if (ergebnis.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            ADD_FAILURE() << "still waiting on the pipe after 5 s";
            int fd = ::open(rohr.c_str(), O_WRONLY | O_NONBLOCK);  // lets the reader go
            if (fd >= 0) ::close(fd);
        }
        const std::string text = ergebnis.get();
        EXPECT_NE(text.find("Start.map"), std::string::npos) << text;
    }
}

// Files were read whole whatever their size: a sparse gigabyte could exhaust the memory, and
// the settings file of 100 GB stopped the start with the bare text "std::bad_alloc". Each
// reader refuses a file beyond its limit at once, naming it and changing nothing; a settings
// file refused so gives the defaults and is not replaced.
TEST_F(Fundstellen, AFileBeyondItsReadersLimitIsRefusedAtOnce) {
    std::vector<std::uint8_t> kopf(4 + 2 * 24, 0);
    kopf[0] = 2;
    const std::string map = tmp.Datei("gross.map"), sek = tmp.Datei("gross.sek"), bild = tmp.Datei("gross.BMP");
    BytesSchreiben(map, kopf);
    BytesSchreiben(sek, std::vector<std::uint8_t>(9880, 7));
    BytesSchreiben(bild, {'B', 'M'});
    ASSERT_EQ(::truncate(map.c_str(), 1 << 30), 0);
    ASSERT_EQ(::truncate(sek.c_str(), 1 << 30), 0);
    ASSERT_EQ(::truncate(bild.c_str(), 3ll << 30), 0);
    EinheitenAnzahl = 5;
    auto abgelehnt = [](const std::string& datei, const std::function<void()>& lesen) {
        try {
            lesen();
            ADD_FAILURE() << datei << " was read";
        } catch (const EDateiFehler& e) {
            EXPECT_NE(std::string(e.what()).find(datei + ": is too large for "), std::string::npos) << e.what();
        }
    };
    rusage vorher{}, nachher{};
    ::getrusage(RUSAGE_SELF, &vorher);
    abgelehnt(map, [&] { MapLaden(map); });
    abgelehnt(sek, [&] { SektorenLaden(sek); });
    TBild b;
    abgelehnt(bild, [&] { BildLaden(b, bild); });
    ::getrusage(RUSAGE_SELF, &nachher);
    EXPECT_EQ(EinheitenAnzahl, 5);
    EXPECT_EQ(Sektoren[130].Reserve[23], 0);
    EXPECT_LT(nachher.ru_maxrss - vorher.ru_maxrss, 64 * 1024) << "kilobytes more at the peak";

    ImOrdner hier(tmp.Pfad());
    BytesSchreiben("QelWin.INI", {'[', 'O', 'p', 't', 'i', 'o', 'n', 's', ']', '\n', 'I', 'C', 'P', 's', 'A', 'n', 'z', 'e', 'i', 'g', 'e', 'n', '=', '1', '\n'});
    ASSERT_EQ(::truncate("QelWin.INI", 100ll << 30), 0);
    ICPsAnzeigen = true;
    EinstellungenLaden();
    EXPECT_FALSE(ICPsAnzeigen);
    EXPECT_EQ(FensterPlaetze[fwMapForm].Width, 640);
    abgelehnt(tmp.Datei("QelWin.INI"), [] { EinstellungenSpeichern(); });
    struct stat st{};
    ASSERT_EQ(::stat("QelWin.INI", &st), 0);
    EXPECT_EQ(st.st_size, 100ll << 30);
}

}  // namespace
