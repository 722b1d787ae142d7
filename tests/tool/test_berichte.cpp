// tally, units and sectors on a small crafted board, run through the built tool.
#include <gtest/gtest.h>

#include <filesystem>

#include <algorithm>
#include <QImage>
#include <nlohmann/json.hpp>

#include "TestHilfen.h"
#include "WerkzeugHilfen.h"

namespace {

using nlohmann::json;

// Sectors 1..9 and 128; sector 6 is taken by Russia, 7 by Japan, 9 by the United Kingdom
// (Russia's flag there has no pieces); every kind stands somewhere.
class Brett : public ::testing::Test {
protected:
    TempOrdner ordner;

    void SetUp() override {
        std::vector<TSektor> s = {
            SektorRecord("Moscow", bsRussland, 8),      SektorRecord("Berlin", bsDeutschland, 10),
            SektorRecord("London", bsEngland, 8),       SektorRecord("Tokyo", bsJapan, 8),
            SektorRecord("Washington", bsUSA, 12),      SektorRecord("Poland", bsDeutschland, 4),
            SektorRecord("Manchuria", bsNeutral, 3),    SektorRecord("Sea Zone", bsNeutral, 0, false),
            SektorRecord("Norway", bsDeutschland, 2),
        };
        while (s.size() < 127) s.push_back(SektorRecord("", bsNeutral, 0));
        s.push_back(SektorRecord("Far Away", bsDeutschland, 50));  // 128: never counted
        SektorDateiSchreiben(ordner.Datei("Sektoren_neu.sek"), s);
        MapDateiSchreiben(ordner.Datei("board.map"),
                          {Stack(1, 1, eaInfanterie, bsRussland, 5, 1), Stack(1, 1, eaPanzer, bsRussland, 2, 1),
                           Stack(1, 1, eaFlagge, bsRussland, 1, 6),
                           Stack(1, 1, eaInfanterie, bsDeutschland, 3, 2), Stack(1, 1, eaJaeger, bsDeutschland, 1, 2),
                           Stack(1, 1, eaBomber, bsDeutschland, 2, 2), Stack(1, 1, eaIndustrie, bsDeutschland, 1, 2),
                           Stack(1, 1, eaFlak, bsDeutschland, 2, 2),
                           Stack(1, 1, eaTransporter, bsEngland, 1, 8), Stack(1, 1, eaUBoot, bsEngland, 2, 8),
                           Stack(1, 1, eaTraeger, bsEngland, 1, 8), Stack(1, 1, eaSchlachtschiff, bsEngland, 1, 8),
                           Stack(1, 1, eaFlagge, bsRussland, 0, 9), Stack(1, 1, eaFlagge, bsEngland, 1, 9),
                           Stack(1, 1, eaFlagge, bsJapan, 1, 7), Stack(1, 1, eaInfanterie, bsJapan, 4, 4),
                           Stack(1, 1, eaJaeger, bsUSA, 2, 5), Stack(1, 1, eaIndustrie, bsUSA, 1, 3),
                           Stack(1, 1, eaFlagge, bsDeutschland, 1, 128)});
    }

    TLauf Lauf(const QStringList& args) { return Werkzeug(ordner.Pfad(), args); }
};

json Figur(int income, int land, int sea, int all, const char* hl, const char* hs, const char* ha) {
    return json{{"income", income}, {"land", land}, {"sea", sea}, {"all", all},
                {"hints", {{"land", hl}, {"sea", hs}, {"all", ha}}}};
}

TEST_F(Brett, TallyJsonHoldsEveryFigureHintAndAlertLevel) {
    TLauf l = Lauf({"tally", "--json", "board.map"});
    ASSERT_EQ(l.Status, 0) << l.Fehler;
    json erwartet = {
        {"powers",
         {{"Russia", Figur(12, 25, 0, 25, "5Inf 2Arm ", "", "5Inf 2Arm ")},
          {"Germany", Figur(10, 51, 0, 51, "3Inf 1Ftr 2Bom", "", "3Inf 1Ftr 2Bom ")},
          {"United Kingdom", Figur(10, 0, 66, 66, "", "1Trn 2Sub 1AC 1BB", "1Trn 2Sub 1AC 1BB")},
          {"Japan", Figur(11, 12, 0, 12, "4Inf ", "", "4Inf ")},
          {"United States", Figur(12, 24, 0, 24, "2Ftr ", "", "2Ftr ")}}},
        {"sides",
         {{"Allies", Figur(34, 49, 66, 115, "5Inf 2Arm 2Ftr ", "1Trn 2Sub 1AC 1BB", "5Inf 2Arm 2Ftr 1Trn 2Sub 1AC 1BB")},
          {"Axis", Figur(21, 63, 0, 63, "7Inf 1Ftr 2Bom", "", "7Inf 1Ftr 2Bom ")}}},
        {"alert", {{"on", 1}, {"off", 1}}}};
    // The whole output is exactly one JSON object.
    json j = json::parse(l.Aus);
    EXPECT_EQ(j, erwartet) << j.dump(2);
    // The powers come in owner-code order.
    EXPECT_LT(l.Aus.find("\"Russia\""), l.Aus.find("\"Germany\""));
    EXPECT_LT(l.Aus.find("\"Japan\""), l.Aus.find("\"United States\""));
}

TEST_F(Brett, TallyAlertLevelFollowsBlinkPhaseAndIsNullAbove150) {
    struct {
        int axisIncome;
        json an, aus;
    } faelle[] = {{83, 3, 3}, {84, 4, 5}, {150, 4, 5}, {151, nullptr, nullptr}};
    for (auto& f : faelle) {
        SCOPED_TRACE(f.axisIncome);
        // Berlin and Tokyo give the Axis 18; German sector 10 brings it to the figure wanted.
        std::vector<TSektor> s(9, SektorRecord("", bsNeutral, 0));
        s[1] = SektorRecord("Berlin", bsDeutschland, 10);
        s[3] = SektorRecord("Tokyo", bsJapan, 8);
        s.push_back(SektorRecord("Ruhr", bsDeutschland, static_cast<std::uint8_t>(f.axisIncome - 18)));
        SektorDateiSchreiben(ordner.Datei("alarm.sek"), s);
        TLauf l = Lauf({"tally", "--json", "--sectors", "alarm.sek", "board.map"});
        ASSERT_EQ(l.Status, 0) << l.Fehler;
        json j = json::parse(l.Aus);
        EXPECT_EQ(j["sides"]["Axis"]["income"], f.axisIncome);
        EXPECT_EQ(j["alert"]["on"], f.an);
        EXPECT_EQ(j["alert"]["off"], f.aus);
    }
}

TEST_F(Brett, TallyTableShowsTheSameFiguresForPeople) {
    TLauf l = Lauf({"tally", "board.map"});
    ASSERT_EQ(l.Status, 0) << l.Fehler;
    std::vector<std::string> z = Zeilen(l.Aus);
    auto zeile = [&](const std::string& anfang) {
        auto it = std::find_if(z.begin(), z.end(), [&](const std::string& s) { return s.rfind(anfang, 0) == 0; });
        return it == z.end() ? std::string() : *it;
    };
    EXPECT_EQ(zeile("Russia"), "Russia              12          25          0         25");
    EXPECT_EQ(zeile("Allies"), "Allies              34          49         66        115");
    EXPECT_EQ(zeile("Axis "), "Axis                21          63          0         63");
    EXPECT_EQ(zeile("Axis alert"), "Axis alert level: 1 (green)");
}

const std::vector<std::string> UnitsVorgabe = {
    "***** Russia *****", "", "*** Moscow ***", "5 Infantry", "2 Armor", "", "*** Poland ***", "occupied", "", "",
    "***** Germany *****", "", "*** Berlin ***", "3 Infantry", "1 Fighter", "2 Bomber", "1 Industrial Complex",
    "2 AnitAirCannon", "", "",
    "***** United Kingdom *****", "", "*** Sea Zone ***", "1 Transport", "2 Submarine", "1 Aircraftcarrier",
    "1 Battleship", "", "*** Norway ***", "occupied", "", "",
    "***** Japan *****", "", "*** Tokyo ***", "4 Infantry", "", "*** Manchuria ***", "occupied", "", "",
    "***** United States *****", "", "*** London ***", "1 Industrial Complex", "", "*** Washington ***", "2 Fighter",
    "", ""};

// The lines without the first run of the given consecutive lines.
std::vector<std::string> Ohne(std::vector<std::string> z, const std::vector<std::string>& folge) {
    auto it = std::search(z.begin(), z.end(), folge.begin(), folge.end());
    EXPECT_NE(it, z.end()) << folge.front();
    if (it != z.end()) z.erase(it, it + static_cast<std::ptrdiff_t>(folge.size()));
    return z;
}

TEST_F(Brett, UnitsListsLineForLineWithEachOption) {
    TLauf l = Lauf({"units", "board.map"});
    ASSERT_EQ(l.Status, 0) << l.Fehler;
    EXPECT_EQ(Zeilen(l.Aus), UnitsVorgabe);

    // Flags shown: captured sectors list their flag instead of "occupied"; a flag of no pieces
    // (Russia's in Norway) and sector 128 stay out.
    std::vector<std::string> mitFlaggen = UnitsVorgabe;
    for (std::string& s : mitFlaggen)
        if (s == "occupied") s = "1 Flag";
    l = Lauf({"units", "--flags", "board.map"});
    EXPECT_EQ(Zeilen(l.Aus), mitFlaggen);

    // Industrial complexes hidden: London, which had nothing else, loses its heading too.
    l = Lauf({"units", "--no-ic", "board.map"});
    EXPECT_EQ(Zeilen(l.Aus), Ohne(Ohne(UnitsVorgabe, {"1 Industrial Complex"}), {"*** London ***", "1 Industrial Complex", ""}));

    l = Lauf({"units", "--no-aa", "board.map"});
    EXPECT_EQ(Zeilen(l.Aus), Ohne(UnitsVorgabe, {"2 AnitAirCannon"}));
}

TEST_F(Brett, SectorsListsAll130LinesFromTheChosenFile) {
    TLauf l = Lauf({"sectors"});
    ASSERT_EQ(l.Status, 0) << l.Fehler;
    std::vector<std::string> z = Zeilen(l.Aus);
    ASSERT_EQ(z.size(), 130u);
    EXPECT_EQ(z[0], "Moscow / Russia / 8 / Land");
    EXPECT_EQ(z[7], "Sea Zone / neutral / 0 / Wasser");
    EXPECT_EQ(z[9], " / neutral / 0 / Land");  // an empty name still has its line
    EXPECT_EQ(z[127], "Far Away / Germany / 50 / Land");

    // Names are one byte per character; the output is UTF-8.
    SektorDateiSchreiben(ordner.Datei("other.sek"), {SektorRecord("K\xF6nigsberg", bsDeutschland, 3)});
    l = Lauf({"sectors", "other.sek"});
    ASSERT_EQ(l.Status, 0) << l.Fehler;
    EXPECT_EQ(Zeilen(l.Aus)[0], "K\xC3\xB6nigsberg / Germany / 3 / Land");
    EXPECT_EQ(Lauf({"sectors", "--sectors", "other.sek"}).Aus, l.Aus);

    // Control characters of a name never reach the terminal raw: escape sequences, bells and
    // C1 controls are written as \xNN in the text reports; JSON escapes them itself.
    SektorDateiSchreiben(ordner.Datei("boese.sek"), {SektorRecord("A\x1B]0;x\x07\x9B", bsDeutschland, 3)});
    l = Lauf({"sectors", "boese.sek"});
    EXPECT_EQ(Zeilen(l.Aus)[0], "A\\x1b]0;x\\x07\\x9b / Germany / 3 / Land");
    MapDateiSchreiben(ordner.Datei("f.map"), {Stack(1, 1, eaFlagge, bsJapan, 1, 1)});
    l = Lauf({"diff", "--sectors", "boese.sek", "board.map", "f.map"});
    EXPECT_NE(l.Aus.find("A\\x1b]0;x\\x07\\x9b"), std::string::npos) << l.Aus;
    EXPECT_EQ(l.Aus.find('\x1B'), std::string::npos);
    l = Lauf({"diff", "--json", "--sectors", "boese.sek", "board.map", "f.map"});
    EXPECT_EQ(json::parse(l.Aus)["captured"][0]["name"], "A\x1B]0;x\x07\xC2\x9B");
}

}  // namespace

namespace {

// Every command answers --help, and a file that cannot be read ends it with status 2 and a
// message naming the file.
TEST(Aufruf, HelpForEveryCommandAndStatus2ForUnreadableFiles) {
    TempOrdner ordner;
    for (const char* befehl : {"tally", "units", "sectors", "check", "convert", "render", "html"}) {
        SCOPED_TRACE(befehl);
        TLauf l = Werkzeug(ordner.Pfad(), {befehl, "--help"});
        EXPECT_EQ(l.Status, 0);
        EXPECT_EQ(l.Aus.rfind(std::string("Usage: qelmap-tool ") + befehl, 0), 0u) << l.Aus;
    }
    EXPECT_EQ(Werkzeug(ordner.Pfad(), {"--help"}).Status, 0);
    EXPECT_EQ(Werkzeug(ordner.Pfad(), {"frobnicate"}).Status, 2);
    EXPECT_EQ(Werkzeug(ordner.Pfad(), {"tally", "--bogus", "a.map"}).Status, 2);
    EXPECT_EQ(Werkzeug(ordner.Pfad(), {"tally"}).Status, 2);

    // No sector file in the folder.
    MapDateiSchreiben(ordner.Datei("a.map"), {});
    TLauf l = Werkzeug(ordner.Pfad(), {"tally", "a.map"});
    EXPECT_EQ(l.Status, 2);
    EXPECT_NE(l.Fehler.find("Sektoren_neu.sek"), std::string::npos) << l.Fehler;
    EXPECT_EQ(l.Aus, "");

    // A map cut short.
    SektorDateiSchreiben(ordner.Datei("Sektoren_neu.sek"), {});
    BytesSchreiben(ordner.Datei("cut.map"), {3, 0, 0, 0, 7});
    for (const char* befehl : {"tally", "units"}) {
        l = Werkzeug(ordner.Pfad(), {befehl, "cut.map"});
        EXPECT_EQ(l.Status, 2);
        EXPECT_NE(l.Fehler.find("cut.map"), std::string::npos) << l.Fehler;
    }
}

// What the tool prints is its result: output that could not be written is a failure.
TEST(Aufruf, AFailedWriteToStandardOutputGivesStatus2AndSaysSo) {
    TempOrdner ordner;
    SektorDateiSchreiben(ordner.Datei("Sektoren_neu.sek"), {SektorRecord("Moscow", 7, 8)});  // check: owner 7
    MapDateiSchreiben(ordner.Datei("a.map"), {Stack(150, 50, eaInfanterie, bsRussland, 3, 1)});
    for (const char* befehl : {"sectors", "units a.map", "tally a.map", "check Sektoren_neu.sek", "--help",
                               "render --help"}) {
        SCOPED_TRACE(befehl);
        const TLauf l = Shell(ordner.Pfad(), std::string("\"$TOOL\" ") + befehl + " > /dev/full");
        EXPECT_EQ(l.Status, 2);
        EXPECT_NE(l.Fehler.find("writing to standard output failed (No space left on device)"), std::string::npos)
            << l.Fehler;
    }
    // A reader gone before the output (a pipe into head): ended quietly as by the signal,
    // whether that is left to end the tool or ignored. The fifo's one reader is closed first;
    // the runtime folder keeps Qt's own warning out of the chart's run.
    for (const char* befehl : {"units a.map", "diff a.map a.map", "trends a.map", "--help"})
        for (const char* signal : {"", "trap '' PIPE; "}) {
            SCOPED_TRACE(std::string(signal) + befehl);
            const TLauf l = Shell(ordner.Pfad(), std::string(signal) +
                                                     "mkdir -p -m 700 qt; export XDG_RUNTIME_DIR=$PWD/qt; rm -f p; mkfifo p; "
                                                     "exec 3<>p 4>p 3<&-; \"$TOOL\" " + befehl +
                                                     " >&4 2>fehler; echo $?; cat fehler");
            EXPECT_EQ(l.Aus, "141\n");
        }
}

// diff of the board against a later position: a capture, a recapture, a stack that joins
// another of its kind, codes outside the tables and a sector byte without a record.
TEST_F(Brett, DiffNamesCapturesAndUnitChangesByTheTallyRules) {
    std::vector<TEinheit> neu = {
        Stack(1, 1, eaInfanterie, bsRussland, 5, 1), Stack(1, 1, eaPanzer, bsRussland, 2, 1),
        Stack(1, 1, eaFlagge, bsRussland, 1, 6), Stack(1, 1, eaInfanterie, bsDeutschland, 3, 2),
        Stack(1, 1, eaJaeger, bsDeutschland, 1, 2), Stack(1, 1, eaBomber, bsDeutschland, 2, 2),
        Stack(1, 1, eaIndustrie, bsDeutschland, 1, 2), Stack(1, 1, eaFlak, bsDeutschland, 2, 2),
        Stack(1, 1, eaTransporter, bsEngland, 1, 8), Stack(1, 1, eaUBoot, bsEngland, 2, 8),
        Stack(1, 1, eaTraeger, bsEngland, 1, 8), Stack(1, 1, eaSchlachtschiff, bsEngland, 1, 8),
        Stack(1, 1, eaFlagge, bsRussland, 0, 9), Stack(1, 1, eaFlagge, bsEngland, 1, 9),
        Stack(1, 1, eaFlagge, bsJapan, 1, 7), Stack(1, 1, eaInfanterie, bsJapan, 4, 4),
        Stack(1, 1, eaJaeger, bsUSA, 2, 5), Stack(1, 1, eaIndustrie, bsUSA, 1, 3),
        Stack(1, 1, eaFlagge, bsDeutschland, 1, 128),
        Stack(1, 1, eaFlagge, bsDeutschland, 1, 1),      // Moscow taken
        Stack(1, 1, eaFlagge, bsRussland, 1, 7),         // Manchuria: Russia comes before Japan
        Stack(1, 1, eaInfanterie, bsRussland, 3, 1),     // a second stack of the same kind
        Stack(1, 1, eaInfanterie, 7, 4, 1), Stack(1, 1, 12, bsRussland, 4, 1),  // left out
        Stack(1, 1, eaInfanterie, bsDeutschland, 2, 200)};
    MapDateiSchreiben(ordner.Datei("neu.map"), neu);

    TLauf l = Lauf({"diff", "--json", "board.map", "neu.map"});
    ASSERT_EQ(l.Status, 1) << l.Fehler;
    const json j = json::parse(l.Aus);
    EXPECT_EQ(j["old"], "board.map");
    EXPECT_EQ(j["powers"]["Russia"], (json{{"income", {12, 7}}, {"land", {25, 34}}, {"sea", {0, 0}}, {"all", {25, 34}}}));
    EXPECT_EQ(j["powers"]["Germany"]["income"], (json{10, 18}));
    EXPECT_EQ(j["powers"]["Germany"]["land"], (json{51, 57}));
    EXPECT_EQ(j["sides"]["Axis"]["income"], (json{21, 26}));
    EXPECT_EQ(j["alert"], (json{{"old", 1}, {"new", 1}}));
    EXPECT_EQ(j["captured"], (json{{{"sector", 1}, {"name", "Moscow"}, {"icps", 8}, {"from", "Russia"}, {"to", "Germany"}},
                                   {{"sector", 7}, {"name", "Manchuria"}, {"icps", 3}, {"from", "Japan"}, {"to", "Russia"}}}));
    auto einheit = [](const char* macht, int s, const char* name, const char* art, int alt, int neu) {
        return json{{"power", macht}, {"sector", s}, {"name", name}, {"kind", art}, {"old", alt}, {"new", neu}};
    };
    EXPECT_EQ(j["units"], (json{einheit("Russia", 1, "Moscow", "Infantry", 5, 8), einheit("Russia", 7, "Manchuria", "Flag", 0, 1),
                                einheit("Germany", 1, "Moscow", "Flag", 0, 1), einheit("Germany", 200, "", "Infantry", 0, 2)}));
    std::vector<std::string> schluessel;
    const nlohmann::ordered_json geordnet = nlohmann::ordered_json::parse(l.Aus);
    for (const auto& [k, v] : geordnet.items()) schluessel.push_back(k);
    EXPECT_EQ(schluessel, (std::vector<std::string>{"old", "new", "powers", "sides", "alert", "captured", "units"}));

    l = Lauf({"diff", "board.map", "neu.map"});
    EXPECT_EQ(l.Status, 1);
    EXPECT_NE(l.Aus.find("  1 Moscow (8 ICPs): Russia -> Germany\n"), std::string::npos) << l.Aus;
    EXPECT_NE(l.Aus.find("Russia           12 -> 7 (-5)  25 -> 34 (+9)"), std::string::npos) << l.Aus;
    EXPECT_NE(l.Aus.find("    200: Infantry 0 -> 2\n"), std::string::npos) << l.Aus;
    l = Lauf({"diff", "--markdown", "board.map", "neu.map"});
    EXPECT_NE(l.Aus.find("| 7 | Manchuria | 3 | Japan | Russia |"), std::string::npos) << l.Aus;

    // The same position twice, as two files: one line and status 0. A refused file: status 2.
    std::filesystem::copy_file(ordner.Datei("board.map"), ordner.Datei("kopie.map"));
    l = Lauf({"diff", "board.map", "kopie.map"});
    EXPECT_EQ(l.Status, 0);
    EXPECT_EQ(l.Aus, "The positions in board.map and kopie.map are the same.\n");
    BytesSchreiben(ordner.Datei("kurz.map"), {5, 0, 0});
    l = Lauf({"diff", "board.map", "kurz.map"});
    EXPECT_EQ(l.Status, 2);
    EXPECT_NE(l.Fehler.find("kurz.map"), std::string::npos) << l.Fehler;
}

// Under a file size limit the write fails instead of the signal ending the tool half-way.
TEST(Aufruf, ASaveBeyondTheFileSizeLimitIsAnErrorThatKeepsTheOldFile) {
    TempOrdner ordner;
    MapDateiSchreiben(ordner.Datei("a.map"), std::vector<TEinheit>(100, Stack(150, 50, eaInfanterie, bsRussland, 3, 1)));
    BytesSchreiben(ordner.Datei("a.json"), {'a', 'l', 't'});
    const TLauf l = Shell(ordner.Pfad(), "ulimit -f 1; exec \"$TOOL\" convert a.map a.json");
    EXPECT_EQ(l.Status, 2);
    EXPECT_NE(l.Fehler.find("a.json: cannot write the file (File too large)"), std::string::npos) << l.Fehler;
    EXPECT_EQ(Bytes(ordner.Datei("a.json")), (std::vector<std::uint8_t>{'a', 'l', 't'}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(ordner.Pfad()), {}), 2);
}

// A name in Latin-1 ("sp\xE4t") is no UTF-8; it is opened, written and named as the bytes given.
TEST(Aufruf, FileNamesPassThroughAsTheirBytes) {
    TempOrdner ordner;
    SektorDateiSchreiben(ordner.Datei("Sektoren_neu.sek"), {});
    MapDateiSchreiben(ordner.Datei("sp\xE4t.map"), {Stack(150, 50, eaInfanterie, bsRussland, 3, 1)});
    TLauf l = Shell(ordner.Pfad(), "\"$TOOL\" convert \"$(printf 'sp\\344t.map')\" \"$(printf 'sp\\344t.json')\"");
    EXPECT_EQ(l.Status, 0) << l.Fehler;
    EXPECT_TRUE(std::filesystem::exists(ordner.Datei("sp\xE4t.json")));
    l = Shell(ordner.Pfad(), "\"$TOOL\" tally \"$(printf 'fr\\374h.map')\"");
    EXPECT_EQ(l.Status, 2);
    EXPECT_NE(l.Fehler.find("fr\xFCh.map: cannot open the file"), std::string::npos) << l.Fehler;
}

}  // namespace

namespace {

using nlohmann::json;

class Odds : public Brett {};

TEST_F(Odds, UnitListsGiveOneObjectWithExactlyTheMembers) {
    TLauf l = Lauf({"odds", "--json", "--attacker", "1arm", "--defender", "2 INF", "--bombard", "1"});
    ASSERT_EQ(l.Status, 0) << l.Fehler;
    json j = json::parse(l.Aus);
    std::vector<std::string> namen;
    for (auto& [name, wert] : j.items()) namen.push_back(name);
    EXPECT_EQ(namen, (std::vector<std::string>{"attacker_left", "attacker_lost_icps", "attacker_wins", "defender_left",
                                                "defender_lost_icps", "defender_wins", "draw", "expected_rounds",
                                                "retreat", "sea", "taken"}));
    EXPECT_NEAR(j["attacker_wins"].get<double>(), 17.0 / 63, 1e-15);
    EXPECT_NEAR(j["taken"].get<double>(), 17.0 / 63, 1e-15);
    EXPECT_EQ(j["sea"], false);
    EXPECT_EQ(j["attacker_left"].size(), 1u);
    EXPECT_TRUE(j["defender_left"].contains("Inf"));
}

// Russia attacks Berlin: Germany's infantry and AA gun and its ally Japan's fighter defend, the
// British infantry there and the industrial complex and flag take no part. At sea Germany's
// submarine meets the British fleet; its infantry is cargo.
TEST_F(Odds, ASectorOfAMapIsTheBattleOfItsUnits) {
    MapDateiSchreiben(ordner.Datei("battle.map"),
                      {Stack(1, 1, eaInfanterie, bsRussland, 3, 2), Stack(1, 1, eaPanzer, bsRussland, 1, 2),
                       Stack(1, 1, eaInfanterie, bsEngland, 1, 2), Stack(1, 1, eaInfanterie, bsDeutschland, 2, 2),
                       Stack(1, 1, eaFlak, bsDeutschland, 1, 2), Stack(1, 1, eaIndustrie, bsDeutschland, 1, 2),
                       Stack(1, 1, eaFlagge, bsDeutschland, 1, 2), Stack(1, 1, eaJaeger, bsJapan, 1, 2),
                       Stack(1, 1, eaUBoot, bsDeutschland, 1, 8), Stack(1, 1, eaInfanterie, bsDeutschland, 2, 8),
                       Stack(1, 1, eaTransporter, bsEngland, 1, 8), Stack(1, 1, eaUBoot, bsEngland, 2, 8),
                       Stack(1, 1, eaTraeger, bsEngland, 1, 8), Stack(1, 1, eaSchlachtschiff, bsEngland, 1, 8)});
    struct {
        QStringList karte, listen;
    } faelle[] = {
        {{"battle.map", "--sector", "2", "--attacker", "russia"},
         {"--attacker", "3 Inf 1 Arm", "--defender", "2 Inf 1 Ftr 1 AA"}},
        {{"battle.map", "--sector", "8", "--attacker", "Germany", "--super-subs"},
         {"--attacker", "1 Sub", "--defender", "1 Trn 2 Sub 1 AC 1 BB", "--super-subs"}},
    };
    for (const auto& f : faelle) {
        TLauf k = Lauf(QStringList{"odds", "--json"} + f.karte), l = Lauf(QStringList{"odds", "--json"} + f.listen);
        ASSERT_EQ(k.Status, 0) << k.Fehler;
        ASSERT_EQ(l.Status, 0) << l.Fehler;
        EXPECT_EQ(json::parse(k.Aus), json::parse(l.Aus));
    }
    TLauf t = Lauf({"odds", "battle.map", "--sector", "2", "--attacker", "Russia"});
    ASSERT_EQ(t.Status, 0) << t.Fehler;
    EXPECT_EQ(Zeilen(t.Aus).at(0), "Sector 2 Berlin (land): Russia attacks with 3 Inf 1 Arm; 2 Inf 1 Ftr 1 AA defend");
}

TEST_F(Odds, WrongCallsExitWithStatus2AndSayWhatIsWrong) {
    struct {
        QStringList args;
        const char* meldung;
    } faelle[] = {
        {{"--attacker", "3 Inf", "--defender", "2 Tanks"}, "--defender: unknown kind \"Tanks\""},
        {{"--attacker", "Inf", "--defender", "2 Inf"}, "--attacker: \"Inf\": a count must come before the kind"},
        {{"--attacker", "256 Inf", "--defender", "2 Inf"}, "more than 255 Inf"},
        {{"--attacker", "3 Inf", "--defender", "2 Inf", "--retreat-after", "0"}, "--retreat-after: \"0\""},
        {{"--attacker", "3 Inf", "--defender", "2 Inf", "--order-defender", "Inf,Foo"}, "unknown kind \"Foo\""},
        {{"--attacker", "3 Inf", "--defender", "2 Inf", "--sector", "3"}, "--sector needs a MAP"},
        {{"--attacker", "3 Inf", "--defender", "2 Inf", "--sea", "--land"}, "exclude each other"},
        {{"--attacker", "3 Inf", "--defender", "2 Inf", "--fast"}, "fast"},
        {{"board.map", "--sector", "2", "--attacker", "Prussia"}, "unknown power \"Prussia\""},
        {{"board.map", "--attacker", "Russia"}, "--sector is missing"},
        {{"--attacker", "255 Inf 255 Arm 255 Ftr 255 Bom", "--defender", "255 Inf 255 Arm"}, "too large to compute"},
    };
    for (const auto& f : faelle) {
        TLauf l = Lauf(QStringList{"odds"} + f.args);
        EXPECT_EQ(l.Status, 2) << f.args.join(' ').toStdString();
        EXPECT_NE(l.Fehler.find(f.meldung), std::string::npos) << l.Fehler;
        EXPECT_TRUE(l.Aus.empty());
    }
}

}  // namespace

namespace {

// One CSV row split at its commas (the test's file names hold none).
std::vector<std::string> Felder(const std::string& zeile) {
    std::vector<std::string> f;
    std::size_t a = 0;
    for (std::size_t e; (e = zeile.find(',', a)) != std::string::npos; a = e + 1) f.push_back(zeile.substr(a, e - a));
    f.push_back(zeile.substr(a));
    return f;
}

}  // namespace

// trends: a row per file in the order given, every figure what tally counts for that file.
TEST_F(Brett, TrendsRowsAreTheTallyOfEachFileInTheOrderGiven) {
    MapDateiSchreiben(ordner.Datei("Round 02 - 4 Japan.map"), {Stack(1, 1, eaFlagge, bsJapan, 1, 1)});
    MapDateiSchreiben(ordner.Datei("empty.map"), {});
    const QStringList dateien = {"Round 02 - 4 Japan.map", "board.map", "empty.map", "board.map"};
    TLauf l = Lauf(QStringList{"trends"} + dateien);
    ASSERT_EQ(l.Status, 0) << l.Fehler;
    const std::vector<std::string> zeilen = Zeilen(l.Aus);
    ASSERT_EQ(zeilen.size(), 5u);
    const std::vector<std::string> kopf = Felder(zeilen[0]);
    ASSERT_EQ(kopf.size(), 3u + 7 * 4 + 2);
    EXPECT_EQ(kopf[3], "Russia income");
    EXPECT_EQ(kopf[7], "Germany income");
    EXPECT_EQ(kopf[kopf.size() - 2], "alert at");
    TLauf js = Lauf(QStringList{"trends", "--json"} + dateien);
    ASSERT_EQ(js.Status, 0) << js.Fehler;
    const json trendsJson = json::parse(js.Aus);
    ASSERT_EQ(trendsJson.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        TLauf t = Lauf({"tally", "--json", dateien[i]});
        ASSERT_EQ(t.Status, 0) << t.Fehler;
        const json tally = json::parse(t.Aus);
        const std::vector<std::string> f = Felder(zeilen[i + 1]);
        ASSERT_EQ(f.size(), kopf.size()) << zeilen[i + 1];
        EXPECT_EQ(f[0], dateien[i].toStdString());
        for (std::size_t c = 3; c + 2 < kopf.size(); ++c) {
            const std::size_t leer = kopf[c].rfind(' ');
            const std::string name = kopf[c].substr(0, leer), art = kopf[c].substr(leer + 1);
            const json& zeile = tally["powers"].contains(name) ? tally["powers"][name] : tally["sides"][name];
            EXPECT_EQ(f[c], std::to_string(zeile[art].get<int>())) << dateien[i].toStdString() << " " << kopf[c];
            const json& jz = trendsJson[i]["powers"].contains(name) ? trendsJson[i]["powers"][name] : trendsJson[i]["sides"][name];
            EXPECT_EQ(jz[art], zeile[art]);
        }
        EXPECT_EQ(f[kopf.size() - 2], "84");
        EXPECT_EQ(f[kopf.size() - 1], std::to_string(tally["alert"]["on"].get<int>()));
        EXPECT_EQ(trendsJson[i]["alert"]["on"], tally["alert"]["on"]);
    }
    EXPECT_EQ(Felder(zeilen[1])[1], "2");
    EXPECT_EQ(Felder(zeilen[1])[2], "Japan");
    EXPECT_EQ(Felder(zeilen[2])[1], "");
    EXPECT_EQ(trendsJson[0]["turn"], (json{{"round", 2}, {"power", "Japan"}}));

    // The chart is a picture of the size asked for; a refused file ends the command by name.
    TLauf bild = Lauf({"trends", "-o", "chart.png", "--size", "400x600", "board.map", "empty.map"});
    ASSERT_EQ(bild.Status, 0) << bild.Fehler;
    EXPECT_EQ(QImage(QString::fromStdString(ordner.Datei("chart.png"))).size(), QSize(400, 600));
    BytesSchreiben(ordner.Datei("bad.map"), {1, 2});
    TLauf schlecht = Lauf({"trends", "board.map", "bad.map"});
    EXPECT_EQ(schlecht.Status, 2);
    EXPECT_EQ(schlecht.Aus, "");
    EXPECT_NE(schlecht.Fehler.find("bad.map"), std::string::npos) << schlecht.Fehler;
}
