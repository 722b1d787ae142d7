// convert: byte-exact round trips through JSON, readable JSON, and refused input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <nlohmann/json.hpp>

#include "TestHilfen.h"
#include "WerkzeugHilfen.h"

namespace {

using nlohmann::json;

class Konvertieren : public ::testing::Test {
protected:
    TempOrdner ordner;
    TLauf Lauf(const QStringList& args) { return Werkzeug(ordner.Pfad(), args); }

    // in -> JSON -> back, and the bytes must be the same.
    void RundReise(const std::string& ein, const std::string& endung) {
        TLauf l = Lauf({"convert", QString::fromStdString(ein), "x.json"});
        ASSERT_EQ(l.Status, 0) << l.Fehler;
        l = Lauf({"convert", "x.json", QString::fromStdString("back" + endung)});
        ASSERT_EQ(l.Status, 0) << l.Fehler;
        std::string pfad = std::filesystem::path(ein).is_absolute() ? ein : ordner.Datei(ein);
        EXPECT_EQ(Bytes(ordner.Datei("back" + endung)), Bytes(pfad)) << ein;
    }
};

TEST_F(Konvertieren, MapRoundTripKeepsOddValuesPaddingAndTrailingBytes) {
    std::vector<TEinheit> s = {Stack(100.5, 50.25, eaInfanterie, bsDeutschland, 3, 12),
                               Stack(0.1, -0.0, 12, 0, 0, 255),
                               Stack(std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                                     eaFlak, bsUSA, 65535, 0),
                               Stack(4.9e-324, 1.7976931348623157e308, eaFlagge, 9, 1, 127)};
    s[0].Padding[0] = 0xAB;
    s[3].Padding[2] = 0x01;
    MapDateiSchreiben(ordner.Datei("odd.map"), s);
    std::vector<std::uint8_t> d = Bytes(ordner.Datei("odd.map"));
    d.push_back(0xEE);  // the program ignores bytes after the last stack; the copy keeps them
    BytesSchreiben(ordner.Datei("odd.map"), d);
    RundReise("odd.map", ".map");

    json j = json::parse(Bytes(ordner.Datei("x.json")));
    EXPECT_EQ(j["format"], "qelmap map");
    EXPECT_EQ(j["stacks"][0]["kind"], "Infantry");
    EXPECT_EQ(j["stacks"][0]["owner"], "Germany");
    EXPECT_EQ(j["stacks"][0]["x"], 100.5);
    EXPECT_EQ(j["stacks"][0]["padding"], "ab0000");
    EXPECT_EQ(j["stacks"][1]["kind"], 12);  // a code without a name stays a number
    EXPECT_EQ(j["stacks"][3]["owner"], 9);
    EXPECT_EQ(j["trailing"], "ee");

    MapDateiSchreiben(ordner.Datei("empty.map"), {});
    RundReise("empty.map", ".map");
}

TEST_F(Konvertieren, SectorRoundTripKeepsNameBytesReserveAndOddCodes) {
    std::vector<TSektor> s = {SektorRecord("K\xF6nigsberg", bsDeutschland, 3, true, 100, 200),
                              SektorRecord("Sea", bsNeutral, 0, false, -5, 7)};
    s[0].Reserve[23] = 0x42;
    s[0].NameZeichen[39] = 'x';  // a byte beyond the name's length
    s[1].Land = 2;
    s[1].StartBesitzer = 9;
    s.push_back(SektorRecord("", bsNeutral, 0));
    std::memset(s[2].NameZeichen, 'A', 40);
    s[2].NameLaenge = 200;  // read as 40 characters by the program
    SektorDateiSchreiben(ordner.Datei("odd.sek"), s);
    RundReise("odd.sek", ".sek");

    json j = json::parse(Bytes(ordner.Datei("x.json")));
    EXPECT_EQ(j["format"], "qelmap sectors");
    ASSERT_EQ(j["sectors"].size(), 130u);
    EXPECT_EQ(j["sectors"][0]["name"], "K\xC3\xB6nigsberg");
    EXPECT_EQ(j["sectors"][0]["owner"], "Germany");
    EXPECT_EQ(j["sectors"][0]["land"], true);
    EXPECT_EQ(j["sectors"][0]["hotspot"], json::array({100, 200}));
    EXPECT_EQ(j["sectors"][1]["land"], 2);
    EXPECT_EQ(j["sectors"][2]["name_length"], 200);
}

TEST_F(Konvertieren, DefaultBoardFilesRoundTripByteForByte) {
    const std::string daten = QELMAP_DATA_DIR;
    int geprueft = 0;
    for (const char* name : {"Sektoren_neu.sek", "Start.map"}) {
        std::string pfad = daten + "/" + name;
        if (!std::filesystem::exists(pfad)) continue;
        SCOPED_TRACE(name);
        RundReise(pfad, std::filesystem::path(name).extension().string());
        ++geprueft;
    }
    if (geprueft == 0) GTEST_SKIP() << "no default board in " << daten;
}

TEST_F(Konvertieren, EditedJsonBecomesTheMapItDescribes) {
    MapDateiSchreiben(ordner.Datei("a.map"), {Stack(10, 20, eaInfanterie, bsRussland, 3, 1)});
    ASSERT_EQ(Lauf({"convert", "a.map", "a.json"}).Status, 0);
    json j = json::parse(Bytes(ordner.Datei("a.json")));
    j["stacks"][0]["kind"] = "Battleship";
    j["stacks"][0]["count"] = 7;
    j["stacks"].push_back({{"x", 1.5}, {"y", 2}, {"kind", "Flag"}, {"owner", "Japan"}, {"count", 1}, {"sector", 4}});
    std::string text = j.dump();
    BytesSchreiben(ordner.Datei("a.json"), std::vector<std::uint8_t>(text.begin(), text.end()));
    TLauf l = Lauf({"convert", "a.json", "b.map"});
    ASSERT_EQ(l.Status, 0) << l.Fehler;
    std::vector<std::uint8_t> d = Bytes(ordner.Datei("b.map"));
    ASSERT_EQ(d.size(), 4u + 2 * 24);
    TEinheit e[2];
    std::memcpy(e, d.data() + 4, sizeof e);
    EXPECT_EQ(d[0], 2);
    EXPECT_EQ(e[0].Art, eaSchlachtschiff);
    EXPECT_EQ(e[0].Anzahl, 7);
    EXPECT_EQ(e[1].X, 1.5);
    EXPECT_EQ(e[1].Art, eaFlagge);
    EXPECT_EQ(e[1].Besitzer, bsJapan);
    EXPECT_EQ(e[1].Sektor, 4);
}

TEST_F(Konvertieren, BadInputIsRefusedWithStatus2NamingTheFile) {
    auto schreiben = [&](const char* name, const std::string& text) {
        BytesSchreiben(ordner.Datei(name), std::vector<std::uint8_t>(text.begin(), text.end()));
    };
    schreiben("kind.json", R"({"format":"qelmap map","stacks":[{"x":1,"y":2,"kind":"Tank","owner":"Japan","count":1,"sector":4}]})");
    schreiben("count.json", R"({"format":"qelmap map","stacks":[{"x":1,"y":2,"kind":"Flag","owner":"Japan","count":70000,"sector":4}]})");
    schreiben("field.json", R"({"format":"qelmap map","stacks":[{"x":1,"y":2,"kind":"Flag","owner":"Japan","count":1,"sektor":4}]})");
    schreiben("broken.json", "{\"format\": ");
    schreiben("huge.json", R"({"format":"qelmap map","stacks":[{"x":1,"y":-1e+3002,"kind":"Flag","owner":"Japan","count":1,"sector":4}]})");
    schreiben("sectors.json", R"({"format":"qelmap sectors","sectors":[]})");
    schreiben("other.html", "<html><script>{}</script></html>");
    BytesSchreiben(ordner.Datei("cut.map"), {2, 0, 0, 0, 1});
    struct {
        const char* ein;
        const char* aus;
        const char* meldung;
    } faelle[] = {{"kind.json", "o.map", "stack 1: \"kind\" is \"Tank\""},
                  {"count.json", "o.map", "stack 1: \"count\" is 70000"},
                  {"field.json", "o.map", "unknown field \"sektor\""},
                  {"broken.json", "o.map", "not valid JSON"},
                  {"huge.json", "o.map", "not valid JSON"},
                  {"sectors.json", "o.map", "not the JSON of a map file"},
                  {"sectors.json", "o.sek", "exactly 130"},
                  {"cut.map", "o.json", "cut short"},
                  {"other.html", "o.map", "holds no position"},
                  {"none.map", "o.json", "none.map"}};
    for (auto& f : faelle) {
        SCOPED_TRACE(f.ein);
        TLauf l = Lauf({"convert", f.ein, f.aus});
        EXPECT_EQ(l.Status, 2);
        EXPECT_NE(l.Fehler.find(f.ein), std::string::npos) << l.Fehler;
        EXPECT_NE(l.Fehler.find(f.meldung), std::string::npos) << l.Fehler;
        EXPECT_FALSE(std::filesystem::exists(ordner.Datei(f.aus)));
    }
    EXPECT_EQ(Lauf({"convert", "a.map", "b.map"}).Status, 2);  // no JSON side
    EXPECT_EQ(Lauf({"convert", "a.txt", "b.json"}).Status, 2);
    EXPECT_EQ(Lauf({"convert", "a.map", "b.html"}).Status, 2);  // pages are written by html
}

}  // namespace
