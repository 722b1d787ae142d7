// render: the tool's picture against the frame the program composes from the same files;
// html: the same picture and the position in a web page, also as a browser shows it.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>

#include "TestHilfen.h"
#include "UBildaufbau.h"
#include "UBitmaps.h"
#include "UDDrawInit.h"
#include "UDateien.h"
#include "UMap.h"
#include "UWebSeite.h"
#include "WerkzeugHilfen.h"

namespace {

class Rendern : public ::testing::Test {
protected:
    TempOrdner ordner;

    void SetUp() override {
        // Patterns in which every pixel differs from its neighbours, so that an offset or a
        // wrong scale shows; magenta cells in the pieces sheet test the colour key.
        QImage karte(MapBreite, MapHoehe, QImage::Format_RGB32);
        for (int y = 0; y < MapHoehe; ++y)
            for (int x = 0; x < MapBreite; ++x) karte.setPixel(x, y, qRgb((x * 7) & 255, (y * 5) & 255, (x + y) & 255));
        ASSERT_TRUE(karte.save(QString::fromStdString(ordner.Datei("Map(1587x913)[16].BMP")), "BMP"));
        QImage pieces(PiecesBreite, PiecesHoehe, QImage::Format_RGB32);
        for (int y = 0; y < PiecesHoehe; ++y)
            for (int x = 0; x < PiecesBreite; ++x)
                pieces.setPixel(x, y, (x + y) % 3 == 0 ? qRgb(255, 0, 255) : qRgb(x & 255, y, 128));
        ASSERT_TRUE(pieces.save(QString::fromStdString(ordner.Datei("PIECES.BMP")), "BMP"));

        SektorDateiSchreiben(ordner.Datei("Sektoren_neu.sek"),
                             {SektorRecord("Alpha", bsRussland, 7, true, 1440, 10),
                              SektorRecord("Beta", bsDeutschland, 12, true, 1500, 60),
                              SektorRecord("Gamma", bsJapan, 0, true, 1550, 30)});
        MapDateiSchreiben(ordner.Datei("pos.map"), {Stack(1450.5, 20.5, eaInfanterie, bsDeutschland, 12, 1),
                                                    Stack(1500, 50, eaBomber, bsRussland, 1, 2),
                                                    Stack(1503, 52, eaTraeger, bsUSA, 2, 2),
                                                    Stack(1580, 95, eaFlagge, bsJapan, 3, 2),
                                                    Stack(100, 100, eaPanzer, bsEngland, 5, 3)});
    }

    TLauf Lauf(const QStringList& args) { return Werkzeug(ordner.Pfad(), args); }

    // The program's frame for the same files with nothing at the pointer: the pointer is
    // parked so that the cursor picture falls wholly into the back surface's margin.
    QImage ProgrammBild(int breite, int hoehe, int zoom, int scrollX, int scrollY, bool icps) {
        ImOrdner im(ordner.Pfad());
        OwnPiecesPruefen();
        CreateObjects(TAnzeigeModus{breite + 2 * BackRand, hoehe + 2 * BackRand, 32});
        MapBildLaden();
        PiecesBildLaden();
        SektorenLaden("Sektoren_neu.sek");
        MapLaden("pos.map");
        OhneFenster = TOhneFenster{};
        OhneFenster.Breite = breite;
        OhneFenster.Hoehe = hoehe;
        ViewBerechnen();
        Zoom = zoom;
        PiecesZoom = 1;
        ScrollX = scrollX;
        ScrollY = scrollY;
        ICPsAnzeigen = icps;
        LandnameAmCursor = EinheitartAmCursor = BesitzerAmCursor = false;
        ToolMode = tmMove;
        Selection = TSelection{0, 0, 0};
        CursorPoint = TPunkt{-10, -10};
        FrameKomponieren();
        TBild bild;
        ViewAlsBild(bild);
        ReleaseObjects();
        QImage img(bild.Breite, bild.Hoehe, QImage::Format_RGB32);
        for (int y = 0; y < bild.Hoehe; ++y)
            for (int x = 0; x < bild.Breite; ++x) img.setPixel(x, y, 0xFF000000u | bild.Rgb[y * bild.Breite + x]);
        return img;
    }

    QImage WerkzeugBild(const char* name) {
        QImage img(QString::fromStdString(ordner.Datei(name)));
        return img.convertToFormat(QImage::Format_RGB32);
    }
};

// Counts the pixels that differ; the first few are named.
int Unterschiede(const QImage& a, const QImage& b, std::string& wo) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && n++ < 3) wo += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
    return n;
}

TEST_F(Rendern, ZoomedClampedViewMatchesTheProgramsFramePixelForPixel) {
    // At zoom 2 a 300 x 200 view shows 150 x 100 map pixels: the scroll is pulled back to
    // 1587 - 150 on the right and up to 0 at the top.
    TLauf l = Lauf({"render", "pos.map", "-o", "view.png", "--zoom", "2", "--scroll", "5000,-30", "--view", "300x200",
                    "--icps"});
    ASSERT_EQ(l.Status, 0) << l.Fehler;
    QImage werkzeug = WerkzeugBild("view.png");
    QImage programm = ProgrammBild(300, 200, 2, 1437, 0, true);
    ASSERT_EQ(werkzeug.size(), QSize(300, 200));
    std::string wo;
    EXPECT_EQ(Unterschiede(werkzeug, programm, wo), 0) << wo;
    // The frame is more than the map: pieces and ICP figures are on it.
    QImage nurKarte = ProgrammBild(300, 200, 2, 1437, 0, false);
    EXPECT_GT(Unterschiede(werkzeug, nurKarte, wo), 0);
}

TEST_F(Rendern, DefaultIsTheWholeMapAtZoom1) {
    TLauf l = Lauf({"render", "pos.map", "-o", "all.png"});
    ASSERT_EQ(l.Status, 0) << l.Fehler;
    QImage werkzeug = WerkzeugBild("all.png");
    ASSERT_EQ(werkzeug.size(), QSize(MapBreite, MapHoehe));
    std::string wo;
    EXPECT_EQ(Unterschiede(werkzeug, ProgrammBild(MapBreite, MapHoehe, 1, 0, 0, false), wo), 0) << wo;

    // A map picture of another size is still drawn, and named with both sizes.
    ASSERT_TRUE(QImage(100, 50, QImage::Format_RGB32).save(QString::fromStdString(ordner.Datei("Map(1587x913)[16].BMP")), "BMP"));
    l = Lauf({"render", "pos.map", "-o", "klein.png"});
    EXPECT_EQ(l.Status, 0);
    EXPECT_NE(l.Fehler.find("Map(1587x913)[16].BMP is 100x50 pixels, but the board needs 1587x913"), std::string::npos)
        << l.Fehler;
}

TEST_F(Rendern, NamesAreWrittenUnderTheIcpFigures) {
    ASSERT_EQ(Lauf({"render", "pos.map", "-o", "a.png", "--view", "180x100", "--scroll", "1400,0"}).Status, 0);
    ASSERT_EQ(Lauf({"render", "pos.map", "-o", "b.png", "--view", "180x100", "--scroll", "1400,0", "--names"}).Status, 0);
    QImage a = WerkzeugBild("a.png"), b = WerkzeugBild("b.png");
    // "Alpha" at hot spot (1440, 10) goes to view (40, 25): five 11 x 15 cells.
    int innen = 0, aussen = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) == b.pixel(x, y)) continue;
            bool alpha = x >= 40 && x < 95 && y >= 25 && y < 40;
            bool beta = x >= 100 && x < 144 && y >= 75 && y < 90;
            bool gamma = x >= 150 && x < 205 && y >= 45 && y < 60;
            (alpha || beta || gamma ? innen : aussen)++;
        }
    EXPECT_GT(innen, 0);
    EXPECT_EQ(aussen, 0);

    // A hot spot near the end of 32 bits places no name and overflows nothing.
    SektorDateiSchreiben(ordner.Datei("Sektoren_neu.sek"),
                         {SektorRecord("Alpha", bsRussland, 7, true, 1440, 10),
                          SektorRecord("Beta", bsDeutschland, 12, true, 1500, 60),
                          SektorRecord("Gamma", bsJapan, 0, true, 1550, 30),
                          SektorRecord("Delta", bsJapan, 0, true, 2147483640, -2147483640)});
    TLauf l = Lauf({"render", "pos.map", "-o", "c.png", "--view", "180x100", "--scroll", "1400,0", "--names"});
    ASSERT_EQ(l.Status, 0) << l.Fehler;
    std::string wo;
    EXPECT_EQ(Unterschiede(WerkzeugBild("c.png"), b, wo), 0) << wo;
}

// --changes: a ring inside the sectors that changed hands (2: Japan's flag is new) and the
// ones whose units changed (3: one more Armor); with the position itself as OLD, the plain picture.
TEST_F(Rendern, ChangesRingTheChangedSectorsAndNothingElse) {
    SektorBildSchreiben(ordner.Datei("Sektoreninfo(1587x913)[256Grau].BMP"));
    MapDateiSchreiben(ordner.Datei("alt.map"), {Stack(1450.5, 20.5, eaInfanterie, bsDeutschland, 12, 1),
                                                Stack(1500, 50, eaBomber, bsRussland, 1, 2),
                                                Stack(1503, 52, eaTraeger, bsUSA, 2, 2),
                                                Stack(100, 100, eaPanzer, bsEngland, 4, 3)});
    ASSERT_EQ(Lauf({"render", "pos.map", "-o", "plain.png"}).Status, 0);
    TLauf l = Lauf({"render", "pos.map", "--changes", "pos.map", "-o", "same.png"});
    ASSERT_EQ(l.Status, 0) << l.Fehler;
    std::string wo;
    EXPECT_EQ(Unterschiede(WerkzeugBild("same.png"), WerkzeugBild("plain.png"), wo), 0) << wo;

    l = Lauf({"render", "pos.map", "--changes", "alt.map", "-o", "turn.png"});
    ASSERT_EQ(l.Status, 0) << l.Fehler;
    const QImage plain = WerkzeugBild("plain.png"), turn = WerkzeugBild("turn.png");
    EXPECT_EQ(turn.pixel(101, 500), qRgb(255, 0, 255));   // sector 2, by its edge with sector 1
    EXPECT_EQ(turn.pixel(198, 2), qRgb(255, 0, 255));     // and by its top row
    EXPECT_EQ(turn.pixel(102, 500), qRgb(0, 0, 0));       // the ring's inner line
    EXPECT_EQ(turn.pixel(201, 500), qRgb(0, 255, 255));   // sector 3
    for (QPoint p : {QPoint(150, 500), QPoint(99, 500), QPoint(350, 500), QPoint(104, 500)}) {
        SCOPED_TRACE(p.x());
        EXPECT_EQ(turn.pixel(p), plain.pixel(p));
    }
    EXPECT_NE(turn.pixel(1570, 900), plain.pixel(1570, 900));  // the legend
}

TEST_F(Rendern, TheDefaultBoardAfterAGermanAttackShowsKareliaInGermanysColour) {
    // The default board, Karelia taken by a German flag.
    const std::string daten = QELMAP_DATA_DIR;
    std::filesystem::copy_file(daten + "/Start.map", ordner.Datei("start.map"));
    TLauf h = Lauf({"render", "start.map", "-o", "vorher.png", "--data", QString::fromStdString(daten)});
    ASSERT_EQ(h.Status, 0) << h.Fehler;
    const QImage vorher = WerkzeugBild("vorher.png");
    // Russia's and Germany's colours: the commonest of Karelia (18) and of Germany (5).
    QImage index(QString::fromStdString(daten + "/Sektoreninfo(1587x913)[256Grau].BMP"));
    ASSERT_FALSE(index.isNull());
    std::map<QRgb, int> farben[2];
    for (int y = 0; y < MapHoehe; ++y)
        for (int x = 0; x < MapBreite; ++x) {
            const int s = qRed(index.pixel(x, y));
            if (s == 18 || s == 5) ++farben[s == 5][vorher.pixel(x, y)];
        }
    auto haeufigste = [](const std::map<QRgb, int>& m) {
        return std::max_element(m.begin(), m.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    };
    const QRgb rot = haeufigste(farben[0]), grau = haeufigste(farben[1]);
    QPoint karelien(-1, -1);
    for (int y = 0; y < MapHoehe && karelien.x() < 0; ++y)
        for (int x = 0; x < MapBreite && karelien.x() < 0; ++x)
            if (qRed(index.pixel(x, y)) == 18 && vorher.pixel(x, y) == rot) karelien = QPoint(x, y);
    ASSERT_GE(karelien.x(), 0);
    // The flag's piece stands well away from the pixel looked at; its sector is what counts.
    MapDateiSchreiben(ordner.Datei("flagge.map"),
                      {Stack(karelien.x() + 60, karelien.y() + 60, eaFlagge, bsDeutschland, 1, 18)});
    h = Lauf({"render", "flagge.map", "-o", "nachher.png", "--data", QString::fromStdString(daten)});
    ASSERT_EQ(h.Status, 0) << h.Fehler;
    h = Lauf({"render", "flagge.map", "-o", "ohne.png", "--no-holders", "--data", QString::fromStdString(daten)});
    ASSERT_EQ(h.Status, 0) << h.Fehler;
    const QImage nachher = WerkzeugBild("nachher.png");
    EXPECT_EQ(nachher.pixel(karelien), grau);
    EXPECT_NE(vorher.pixel(karelien), grau);
    EXPECT_EQ(WerkzeugBild("ohne.png").pixel(karelien), vorher.pixel(karelien));
    // Its lakes stay lakes.
    int seen = 0;
    for (int y = 0; y < MapHoehe; ++y)
        for (int x = 0; x < MapBreite; ++x)
            if (qRed(index.pixel(x, y)) == 18 && qBlue(vorher.pixel(x, y)) > qRed(vorher.pixel(x, y)) + 40) {
                ++seen;
                ASSERT_EQ(nachher.pixel(x, y), vorher.pixel(x, y)) << x << "," << y;
            }
    EXPECT_GT(seen, 20);
}

TEST_F(Rendern, BadCallsAndMissingPicturesGiveStatus2) {
    std::filesystem::create_directory(ordner.Datei("d"));
    TLauf l = Lauf({"render", "pos.map", "-o", "x.png", "--data", "d"});
    EXPECT_EQ(l.Status, 2);
    EXPECT_NE(l.Fehler.find("d/"), std::string::npos) << l.Fehler;
    EXPECT_NE(l.Fehler.find(".BMP"), std::string::npos) << l.Fehler;
    for (QStringList args : {QStringList{"--zoom", "7"}, QStringList{"--zoom", "x"}, QStringList{"--scroll", "1;2"},
                             QStringList{"--view", "1588x10"}, QStringList{"--view", "0x10"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        l = Lauf(QStringList{"render", "pos.map", "-o", "x.png"} + args);
        EXPECT_EQ(l.Status, 2);
        EXPECT_NE(l.Fehler.find(args.at(0).toStdString()), std::string::npos) << l.Fehler;
    }
    EXPECT_FALSE(std::filesystem::exists(ordner.Datei("x.png")));
}

std::string Text(const std::string& pfad) {
    const std::vector<std::uint8_t> d = Bytes(pfad);
    return std::string(d.begin(), d.end());
}

// The text between two marks, as the page holds it (& < > " escaped).
std::string Zwischen(const std::string& text, const std::string& von, const std::string& bis) {
    const std::size_t a = text.find(von);
    if (a == std::string::npos) return "(no " + von + ")";
    std::string t = text.substr(a + von.size(), text.find(bis, a + von.size()) - a - von.size());
    for (auto [e, c] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}})
        for (std::size_t i = 0; (i = t.find(e, i)) != std::string::npos; ++i) t.replace(i, std::strlen(e), c);
    return t;
}

// The page's map is render's picture, its words diff's, its position the map file byte for
// byte, and every source it names is inside it.
TEST_F(Rendern, WebPageHoldsRendersPictureDiffsWordsAndTheMapFileByteForByte) {
    SektorBildSchreiben(ordner.Datei("Sektoreninfo(1587x913)[256Grau].BMP"));
    MapDateiSchreiben(ordner.Datei("alt.map"), {Stack(1450.5, 20.5, eaInfanterie, bsDeutschland, 12, 1)});
    std::vector<std::uint8_t> map = Bytes(ordner.Datei("pos.map"));
    map[4 + 21] = 0xAB;  // padding, and a byte after the last stack: kept by convert's JSON
    map.push_back(0xEE);
    BytesSchreiben(ordner.Datei("pos.map"), map);
    TLauf l = Lauf({"html", "pos.map", "--changes", "alt.map", "--icps", "-o", "seite.html"});
    ASSERT_EQ(l.Status, 0) << l.Fehler;
    ASSERT_EQ(Lauf({"render", "pos.map", "--changes", "alt.map", "--icps", "-o", "turn.png"}).Status, 0);
    const std::string seite = Text(ordner.Datei("seite.html"));

    const QByteArray png = QByteArray::fromBase64(QByteArray::fromStdString(Zwischen(seite, "src=\"data:image/png;base64,", "\"")));
    std::string wo;
    EXPECT_EQ(Unterschiede(QImage::fromData(png).convertToFormat(QImage::Format_RGB32), WerkzeugBild("turn.png"), wo), 0) << wo;
    EXPECT_EQ(Zwischen(seite, "<pre id=\"changes-markdown\">", "</pre>"), Lauf({"diff", "--markdown", "alt.map", "pos.map"}).Aus);

    ASSERT_EQ(Lauf({"convert", "seite.html", "back.map"}).Status, 0);
    EXPECT_EQ(Bytes(ordner.Datei("back.map")), map);
    ASSERT_EQ(Lauf({"convert", "seite.html", "page.json"}).Status, 0);  // what the page's link saves
    ASSERT_EQ(Lauf({"convert", "pos.map", "map.json"}).Status, 0);
    EXPECT_EQ(Bytes(ordner.Datei("page.json")), Bytes(ordner.Datei("map.json")));

    EXPECT_EQ(seite.find("://"), std::string::npos);
    for (const std::string attribut : {" src=\"", " href=\""})
        for (std::size_t i = 0; (i = seite.find(attribut, i)) != std::string::npos; ++i) {
            const std::string wert = seite.substr(i + attribut.size(), 5);
            EXPECT_TRUE(wert == "data:" || wert[0] == '#') << attribut << wert;
        }

    // Named with their folders, the files show by name alone; the hint for convert pastes into a shell.
    std::filesystem::copy_file(ordner.Datei("pos.map"), ordner.Datei("Bob's turn.map"));
    ASSERT_EQ(Lauf({"html", QString::fromStdString(ordner.Datei("Bob's turn.map")), "--changes",
                    QString::fromStdString(ordner.Datei("alt.map")), "-o", "bob.html"}).Status, 0);
    const std::string bob = Text(ordner.Datei("bob.html"));
    EXPECT_EQ(Zwischen(bob, "<pre id=\"changes-markdown\">", "</pre>"), Lauf({"diff", "--markdown", "alt.map", "Bob's turn.map"}).Aus);
    ASSERT_EQ(Lauf({"convert", "bob.html", "Bob's turn.json"}).Status, 0);
    EXPECT_EQ(Shell(ordner.Pfad(), "\"$TOOL\" " + Zwischen(bob, "<code>qelmap-tool ", "</code>")).Status, 0);
    EXPECT_EQ(Bytes(ordner.Datei("NAME.map")), map);
}

// The program calls the page writer with a view of its own: the page is the same as the
// tool's, and the view, the surfaces and the position are as they were.
TEST_F(Rendern, WebPageOfTheProgramsPositionLeavesItsViewAsItWas) {
    SektorBildSchreiben(ordner.Datei("Sektoreninfo(1587x913)[256Grau].BMP"));
    ASSERT_EQ(Lauf({"html", "pos.map", "-o", "werkzeug.html"}).Status, 0);
    ImOrdner im(ordner.Pfad());
    OwnPiecesPruefen();
    CreateObjects(TAnzeigeModus{340, 240, 32});
    MapBildLaden();
    PiecesBildLaden();
    SektorBildLaden();
    SektorenLaden("Sektoren_neu.sek");
    MapLaden("pos.map");
    OhneFenster = TOhneFenster{};
    OhneFenster.Breite = 300;
    OhneFenster.Hoehe = 200;
    ViewBerechnen();
    Zoom = 3;
    ScrollX = 7;
    TSurface* const back = SurfaceBack;
    const std::int32_t vorher[] = {ViewBreite, MaxViewBreite, EinheitenAnzahl};
    TSeitenAuftrag a;
    a.Name = "pos.map";
    a.Map = MapBytes(EinheitenAnzahl, Einheiten);
    const std::string seite = WebSeite(a);
    EXPECT_TRUE(back == SurfaceBack && Zoom == 3 && ScrollX == 7);
    EXPECT_EQ((std::vector<std::int32_t>{ViewBreite, MaxViewBreite, EinheitenAnzahl}),
              std::vector<std::int32_t>(std::begin(vorher), std::end(vorher)));
    ReleaseObjects();
    EXPECT_TRUE(seite == Text(ordner.Datei("werkzeug.html")));
}

// Debian's chromium opens the page from the disk without a network; the page's test hook
// writes what pointing at three sectors shows, the tallies it shows and every request made.
TEST_F(Rendern, BrowserShowsSectorsStacksAndTalliesAndRequestsNothing) {
    if (Shell(ordner.Pfad(), "command -v chromium").Status != 0)
        GTEST_SKIP() << "chromium is not installed (setup.sh installs it): the web page is not tried in a browser";
    SektorBildSchreiben(ordner.Datei("Sektoreninfo(1587x913)[256Grau].BMP"));
    ASSERT_EQ(Lauf({"html", "pos.map", "-o", "seite.html"}).Status, 0);
    // A network namespace of its own where that is allowed; the proxy and resolver rules send
    // any request nowhere in any case.
    const TLauf b = Shell(ordner.Pfad(),
                          "netz=; unshare -n true 2>/dev/null && netz='unshare -n'; $netz chromium --headless "
                          "--no-sandbox --disable-gpu --disable-dev-shm-usage --user-data-dir=\"$PWD/profil\" "
                          "--proxy-server=127.0.0.1:9 --host-resolver-rules='MAP * ~NOTFOUND' "
                          "--virtual-time-budget=10000 --dump-dom \"file://$PWD/seite.html#test=50,500;150,500;250,500\"");
    ASSERT_EQ(b.Status, 0) << b.Fehler.substr(b.Fehler.size() > 3000 ? b.Fehler.size() - 3000 : 0);
    const nlohmann::json aus = nlohmann::json::parse(Zwischen(b.Aus, "<pre id=\"test-output\">", "</pre>"), nullptr, false);
    ASSERT_TRUE(aus.is_object()) << b.Aus.substr(0, 2000);

    using S = std::vector<std::vector<std::string>>;  // power, kind, count
    const struct {
        int Sektor;
        const char *Name, *Start, *Halter;
        S Stapel;
    } erwartet[] = {{1, "Alpha", "Russia", "Russia", {{"Germany", "Infantry", "12"}}},
                    {2, "Beta", "Germany", "Japan",
                     {{"Russia", "Bomber", "1"}, {"United States", ArtName(eaTraeger), "2"}, {"Japan", "Flag", "3"}}},
                    {3, "Gamma", "Japan", "Japan", {{"United Kingdom", "Armor", "5"}}}};
    ASSERT_EQ(aus["points"].size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const nlohmann::json& p = aus["points"][i];
        const auto& e = erwartet[i];
        EXPECT_EQ(p["sector"], e.Sektor);
        EXPECT_EQ(p["name"], e.Name);
        EXPECT_EQ(p["start"], e.Start);
        EXPECT_EQ(p["holder"], e.Halter);
        S stapel;
        for (const nlohmann::json& s : p["stacks"])
            stapel.push_back({s["power"], s["kind"], std::to_string(s["count"].get<int>())});
        EXPECT_EQ(stapel, e.Stapel) << p.dump();
    }

    const nlohmann::json tally = nlohmann::json::parse(Lauf({"tally", "--json", "pos.map"}).Aus);
    ASSERT_EQ(aus["tallies"].size(), 7u) << aus["tallies"].dump();
    for (const auto& [name, werte] : aus["tallies"].items()) {
        const nlohmann::json& z = tally["powers"].contains(name) ? tally["powers"][name] : tally["sides"][name];
        EXPECT_EQ(werte, nlohmann::json::array({z["income"], z["land"], z["sea"], z["all"]})) << name;
    }
    const std::vector<std::string> zeilen = Zeilen(Lauf({"tally", "pos.map"}).Aus);
    EXPECT_EQ("Axis alert level: " + aus["alert"].get<std::string>(), zeilen.back());
    EXPECT_EQ(aus["requests"], nlohmann::json::array());
    EXPECT_EQ(aus["refused"], nlohmann::json::array());
}

}  // namespace
