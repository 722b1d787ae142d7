// check: each kind of problem in map and sector files, and the exit statuses.
#include <gtest/gtest.h>

#include <cstring>

#include "TestHilfen.h"
#include "WerkzeugHilfen.h"

namespace {

class Pruefen : public ::testing::Test {
protected:
    TempOrdner ordner;
    void SetUp() override { SektorBildSchreiben(ordner.Datei("Sektoreninfo(1587x913)[256Grau].BMP")); }
    TLauf Lauf(const QStringList& args) { return Werkzeug(ordner.Pfad(), args); }
};

// Lines with the prefix, in order of output.
::testing::AssertionResult Meldung(const std::vector<std::string>& zeilen, const std::string& anfang,
                                   const std::string& teil) {
    for (const std::string& z : zeilen)
        if (z.rfind(anfang, 0) == 0 && z.find(teil) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no line \"" << anfang << "...\" containing \"" << teil << "\"";
}

TEST_F(Pruefen, CleanFilesPassSilently) {
    SektorDateiSchreiben(ordner.Datei("ok.sek"), {SektorRecord("Moscow", bsRussland, 8, true, 1586, 912)});
    MapDateiSchreiben(ordner.Datei("ok.map"), {Stack(150.4, 50, eaInfanterie, bsDeutschland, 100, 2),
                                               Stack(150.6, 50, eaInfanterie, bsJapan, 1, 2),
                                               Stack(1586.4, 912.4, eaFlagge, bsDeutschland, 1, 16)});
    TLauf l = Lauf({"check", "ok.sek", "ok.map"});
    EXPECT_EQ(l.Status, 0) << l.Aus << l.Fehler;
    EXPECT_EQ(l.Aus, "");
}

TEST_F(Pruefen, EachStackProblemIsReportedOnceWithItsRecord) {
    MapDateiSchreiben(ordner.Datei("bad.map"),
                      {Stack(150, 50, eaInfanterie, bsDeutschland, 3, 2),   // 1: fine
                       Stack(250, 50, 12, bsDeutschland, 3, 3),             // 2: kind out of range
                       Stack(250, 50, eaPanzer, 0, 3, 3),                   // 3: owner out of range
                       Stack(350, 50, eaPanzer, bsRussland, 0, 4),          // 4: empty
                       Stack(350, 50, eaJaeger, bsRussland, 101, 4),        // 5: above 100
                       Stack(450, 50, eaBomber, bsRussland, 1, 9),          // 6: picture says 5
                       Stack(160, 40, eaInfanterie, bsDeutschland, 2, 2),   // 7: repeats stack 1
                       Stack(50, 0, eaFlagge, bsUSA, 1, 1),                 // 8: anchor on a border
                       Stack(155, 60, eaFlagge, bsJapan, 1, 2),             // 9, 10: flags of two powers
                       Stack(145, 60, eaFlagge, bsDeutschland, 1, 2),
                       Stack(140, 60, eaFlagge, bsRussland, 0, 2)});        // 11: an empty flag takes nothing
    TLauf l = Lauf({"check", "bad.map"});
    EXPECT_EQ(l.Status, 1) << l.Fehler;
    std::vector<std::string> z = Zeilen(l.Aus);
    EXPECT_EQ(z.size(), 9u) << l.Aus;
    EXPECT_TRUE(Meldung(z, "bad.map: sector 2: flags of Germany, Japan; ", "Germany collects its income"));
    EXPECT_TRUE(Meldung(z, "bad.map: stack 2: ", "kind 12"));
    EXPECT_TRUE(Meldung(z, "bad.map: stack 3: ", "owner 0"));
    EXPECT_TRUE(Meldung(z, "bad.map: stack 4: ", "count 0"));
    EXPECT_TRUE(Meldung(z, "bad.map: stack 5: ", "count 101"));
    EXPECT_TRUE(Meldung(z, "bad.map: stack 6: ", "sector 9, but the sector picture has sector 5"));
    EXPECT_TRUE(Meldung(z, "bad.map: stack 7: ", "repeats sector 2, Infantry, Germany of stack 1"));
    EXPECT_TRUE(Meldung(z, "bad.map: stack 7: ", "the tallies count every stack"));
    EXPECT_TRUE(Meldung(z, "bad.map: stack 8: ", "no sector"));
}

TEST_F(Pruefen, EachSectorProblemIsReportedWithItsRecord) {
    std::vector<TSektor> s(6, SektorRecord("A", bsNeutral, 0, true, 10, 10));
    s[2].NameLaenge = 45;
    s[3].StartBesitzer = 7;
    s[4].HotSpotX = MapBreite;  // one past the last column
    s[5].HotSpotY = -1;
    SektorDateiSchreiben(ordner.Datei("bad.sek"), s);
    TLauf l = Lauf({"check", "bad.sek"});
    EXPECT_EQ(l.Status, 1) << l.Fehler;
    std::vector<std::string> z = Zeilen(l.Aus);
    EXPECT_EQ(z.size(), 4u) << l.Aus;
    EXPECT_TRUE(Meldung(z, "bad.sek: sector 3: ", "name length 45"));
    EXPECT_TRUE(Meldung(z, "bad.sek: sector 4: ", "start owner 7"));
    EXPECT_TRUE(Meldung(z, "bad.sek: sector 5: ", "(1587, 10) lies outside the map"));
    EXPECT_TRUE(Meldung(z, "bad.sek: sector 6: ", "(10, -1) lies outside the map"));
}

// The program would not load them: as for an unreadable file, status 2, and the others are checked.
TEST_F(Pruefen, FilesTheProgramWouldRefuseGiveStatus2) {
    BytesSchreiben(ordner.Datei("tiny.map"), {1, 0});
    std::vector<std::uint8_t> zuViele(4, 0);
    std::int32_t n = 1001;
    std::memcpy(zuViele.data(), &n, 4);
    BytesSchreiben(ordner.Datei("many.map"), zuViele);
    BytesSchreiben(ordner.Datei("cut.map"), {2, 0, 0, 0, 1, 2, 3});
    BytesSchreiben(ordner.Datei("short.sek"), std::vector<std::uint8_t>(76, 0));
    MapDateiSchreiben(ordner.Datei("ok.map"), {Stack(150, 50, eaInfanterie, bsDeutschland, 3, 2)});
    TLauf l = Lauf({"check", "tiny.map", "many.map", "cut.map", "short.sek", "ok.map"});
    EXPECT_EQ(l.Status, 2) << l.Fehler;
    EXPECT_EQ(l.Aus, "");
    std::vector<std::string> z = Zeilen(l.Fehler);
    ASSERT_EQ(z.size(), 4u) << l.Fehler;
    EXPECT_TRUE(Meldung(z, "qelmap-tool: tiny.map: ", "2 bytes"));
    EXPECT_TRUE(Meldung(z, "qelmap-tool: many.map: ", "1001"));
    EXPECT_TRUE(Meldung(z, "qelmap-tool: cut.map: ", "cut short"));
    EXPECT_TRUE(Meldung(z, "qelmap-tool: short.sek: ", "76 bytes"));
}

TEST_F(Pruefen, UnreadableFilesGiveStatus2AfterTheOthersAreChecked) {
    MapDateiSchreiben(ordner.Datei("empty.map"), {Stack(150, 50, eaInfanterie, bsDeutschland, 0, 2)});
    TLauf l = Lauf({"check", "missing.map", "empty.map"});
    EXPECT_EQ(l.Status, 2);
    EXPECT_NE(l.Fehler.find("missing.map"), std::string::npos) << l.Fehler;
    EXPECT_TRUE(Meldung(Zeilen(l.Aus), "empty.map: stack 1: ", "count 0"));

    // Without the sector picture the sectors of stacks cannot be checked: that is no success.
    std::remove(ordner.Datei("Sektoreninfo(1587x913)[256Grau].BMP").c_str());
    l = Lauf({"check", "empty.map"});
    EXPECT_EQ(l.Status, 2);
    EXPECT_NE(l.Fehler.find("Sektoreninfo(1587x913)[256Grau].BMP"), std::string::npos) << l.Fehler;
}

}  // namespace
