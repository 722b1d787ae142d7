// Map and sector files: byte-exact round trips, refused files that change nothing, and
// saves that fail without harming the previous file.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "BoardHilfen.h"
#include "TestHilfen.h"
#include "UDateien.h"
#include "USpielstand.h"
#include "UFehler.h"
#include "USpielstand.h"
#include "UVergleich.h"
#include "UZuege.h"

namespace {

std::vector<std::uint8_t> MapBytes(std::int32_t n, std::size_t records, std::uint8_t fuell) {
    std::vector<std::uint8_t> d(4 + 24 * records, fuell);
    std::memcpy(d.data(), &n, 4);
    return d;
}

// A map with three stacks whose padding bytes hold values the program never writes itself.
std::vector<std::uint8_t> MapMitPadding() {
    std::vector<std::uint8_t> d = MapBytes(3, 3, 0);
    for (int i = 0; i < 3; ++i) {
        TEinheit e{100.25 + i, 50.5 * i, static_cast<std::uint8_t>(2 + i), static_cast<std::uint8_t>(1 + i),
                   static_cast<std::uint16_t>(7 * i + 1), static_cast<std::uint8_t>(10 + i),
                   {0xAB, static_cast<std::uint8_t>(i), 0xCD}};
        std::memcpy(d.data() + 4 + 24 * i, &e, 24);
    }
    return d;
}

class Dateien : public ::testing::Test {
protected:
    void SetUp() override { VariablenZuruecksetzen(); }
    TempOrdner tmp;
};

TEST_F(Dateien, MapRoundTripKeepsEveryByteAndBytesBeyondTheCountAreIgnored) {
    std::vector<std::uint8_t> d = MapMitPadding();
    BytesSchreiben(tmp.Datei("a.map"), d);
    MapLaden(tmp.Datei("a.map"));
    EXPECT_EQ(EinheitenAnzahl, 3);
    EXPECT_EQ(Einheiten[2].X, 101.25);
    EXPECT_EQ(Einheiten[3].Padding[0], 0xAB);
    MapSpeichern(tmp.Datei("b.map"));
    EXPECT_EQ(Bytes(tmp.Datei("b.map")), d);

    std::vector<std::uint8_t> laenger = d;
    laenger.insert(laenger.end(), {1, 2, 3, 4, 5});
    BytesSchreiben(tmp.Datei("c.map"), laenger);
    MapLaden(tmp.Datei("c.map"));
    MapSpeichern(tmp.Datei("d.map"));
    EXPECT_EQ(Bytes(tmp.Datei("d.map")), d);

    BytesSchreiben(tmp.Datei("leer.map"), MapBytes(0, 0, 0));
    MapLaden(tmp.Datei("leer.map"));
    EXPECT_EQ(EinheitenAnzahl, 0);
}

TEST_F(Dateien, BadMapFilesAreRefusedWholeAndNameTheFile) {
    BytesSchreiben(tmp.Datei("gut.map"), MapMitPadding());
    MapLaden(tmp.Datei("gut.map"));
    const std::vector<std::uint8_t> vorher(reinterpret_cast<std::uint8_t*>(Einheiten),
                                           reinterpret_cast<std::uint8_t*>(Einheiten + MaxEinheiten + 1));

    struct Fall {
        const char* name;
        std::vector<std::uint8_t> bytes;
    } faelle[] = {
        {"leer.map", {}},
        {"drei.map", {2, 0, 0}},
        {"kurz.map", MapBytes(3, 2, 0x11)},              // one record missing
        {"halb.map", [] { auto d = MapBytes(1, 1, 0x22); d.resize(20); return d; }()},
        {"gross.map", MapBytes(1001, 1001, 0)},
        {"negativ.map", MapBytes(-1, 0, 0)},
        {"riesig.map", MapBytes(0x7fffffff, 1, 0)},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        BytesSchreiben(tmp.Datei(f.name), f.bytes);
        try {
            MapLaden(tmp.Datei(f.name));
            ADD_FAILURE() << "accepted";
        } catch (const EDateiFehler& e) {
            EXPECT_NE(std::string(e.what()).find(f.name), std::string::npos) << e.what();
        }
        EXPECT_EQ(EinheitenAnzahl, 3);
        EXPECT_EQ(0, std::memcmp(vorher.data(), Einheiten, vorher.size()));
    }
    EXPECT_THROW(MapLaden(tmp.Datei("fehlt.map")), EDateiFehler);
    EXPECT_EQ(EinheitenAnzahl, 3);
}

TEST_F(Dateien, AFullPieceListIsSavedAndLoaded) {
    for (int i = 0; i < MaxEinheiten; ++i) Stapel(1, 2, 1, 1, i, i);
    MapSpeichern(tmp.Datei("voll.map"));
    EXPECT_EQ(Bytes(tmp.Datei("voll.map")).size(), 4u + 24u * 1000u);
    EinheitenAnzahl = 0;
    MapLaden(tmp.Datei("voll.map"));
    EXPECT_EQ(EinheitenAnzahl, 1000);
    EXPECT_EQ(Einheiten[1000].X, 999.0);
}

TEST_F(Dateien, SaveMapNameReplacesTheExtensionOfTheFileNameOnly) {
    EXPECT_EQ(MapSpeichernName("Start"), "Start.map");
    EXPECT_EQ(MapSpeichernName("/home/a/x.dat"), "/home/a/x.map");
    EXPECT_EQ(MapSpeichernName("/home/a/ver1.2"), "/home/a/ver1.map");
    EXPECT_EQ(MapSpeichernName("/home/a.b/spiel"), "/home/a.b/spiel.map");
    EXPECT_EQ(MapSpeichernName("/g/Spiel1.map"), "/g/Spiel1.map");
}

TEST_F(Dateien, SectorFileRoundTripKeepsReservedBytesAndOverlongNames) {
    std::vector<std::uint8_t> d(9880);
    for (std::size_t i = 0; i < d.size(); ++i) d[i] = static_cast<std::uint8_t>(i * 7 + 3);
    d[0] = 45;  // a name length beyond the 40 characters a record holds
    BytesSchreiben(tmp.Datei("s.sek"), d);
    SektorenLaden(tmp.Datei("s.sek"));
    EXPECT_EQ(SektorName(Sektoren[1]).size(), 40u);
    SektorenSpeichern(tmp.Datei("t.sek"));
    EXPECT_EQ(Bytes(tmp.Datei("t.sek")), d);
    // The tallies follow the table just loaded.
    std::uint32_t russland = 0;
    for (int s = 1; s <= SetzSektoren; ++s)
        if (Sektoren[s].StartBesitzer == bsRussland) russland = (russland + Sektoren[s].ICPs) & 0xFF;
    EXPECT_EQ(Spielstand.Income[bsRussland] & 0xFF, russland);

    // Longer files give their first 9880 bytes; an empty table saves as zeros.
    std::vector<std::uint8_t> laenger = d;
    laenger.push_back(9);
    BytesSchreiben(tmp.Datei("l.sek"), laenger);
    SektorenLaden(tmp.Datei("l.sek"));
    SektorenSpeichern(tmp.Datei("l2.sek"));
    EXPECT_EQ(Bytes(tmp.Datei("l2.sek")), d);
    VariablenZuruecksetzen();
    SektorenSpeichern(tmp.Datei("null.sek"));
    EXPECT_EQ(Bytes(tmp.Datei("null.sek")), std::vector<std::uint8_t>(9880, 0));
}

TEST_F(Dateien, AShortSectorFileChangesNothing) {
    Sektor(1, "Alpha", 1, 5);
    Sektor(2, "Beta", 2, 6);
    TSektor vorher[SektorenAnzahl + 1];
    std::memcpy(vorher, Sektoren, sizeof vorher);
    for (std::size_t n : {std::size_t{0}, std::size_t{76}, std::size_t{9879}}) {
        BytesSchreiben(tmp.Datei("kurz.sek"), std::vector<std::uint8_t>(n, 0xEE));
        try {
            SektorenLaden(tmp.Datei("kurz.sek"));
            ADD_FAILURE() << n << " bytes accepted";
        } catch (const EDateiFehler& e) {
            EXPECT_NE(std::string(e.what()).find("kurz.sek"), std::string::npos);
        }
        EXPECT_EQ(0, std::memcmp(vorher, Sektoren, sizeof vorher));
    }
}

TEST_F(Dateien, AFailedSaveKeepsThePreviousFile) {
    Stapel(1, 2, 1, 4);
    const std::string alt = tmp.Datei("ro/alt.map");
    std::filesystem::create_directory(tmp.Datei("ro"));
    BytesSchreiben(alt, MapMitPadding());
    BytesSchreiben(tmp.Datei("ro/alt.sek"), std::vector<std::uint8_t>(9880, 5));
    chmod(tmp.Datei("ro").c_str(), 0555);
    if (geteuid() != 0) {  // root writes into read-only folders all the same
        EXPECT_THROW(MapSpeichern(alt), EDateiFehler);
        EXPECT_EQ(Bytes(alt), MapMitPadding());
        EXPECT_THROW(SektorenSpeichern(tmp.Datei("ro/alt.sek")), EDateiFehler);
        EXPECT_EQ(Bytes(tmp.Datei("ro/alt.sek")), std::vector<std::uint8_t>(9880, 5));
    }
    chmod(tmp.Datei("ro").c_str(), 0755);

    // A folder standing where the file should be is neither replaced nor reported as saved.
    std::filesystem::create_directory(tmp.Datei("ordner.map"));
    BytesSchreiben(tmp.Datei("ordner.map/drin"), {1, 2, 3});
    try {
        MapSpeichern(tmp.Datei("ordner.map"));
        ADD_FAILURE() << "saved over a folder";
    } catch (const EDateiFehler& e) {
        EXPECT_NE(std::string(e.what()).find("ordner.map"), std::string::npos);
    }
    EXPECT_EQ(Bytes(tmp.Datei("ordner.map/drin")), (std::vector<std::uint8_t>{1, 2, 3}));
    // Nothing half-written is left behind.
    int dateien = 0;
    for (auto& e : std::filesystem::directory_iterator(tmp.Pfad())) dateien += e.is_regular_file();
    EXPECT_EQ(dateien, 0);

    EXPECT_THROW(MapSpeichern(tmp.Datei("fehlt/x.map")), EDateiFehler);
    EXPECT_THROW(MapSpeichern("/dev/full/x.map"), EDateiFehler);
}

}  // namespace

// ---- Turn files and the map list -------------------------------------------------------------

TEST_F(Dateien, TurnNamesReadBackAndFollowTheOrderOfPlay) {
    TZug z{};
    ASSERT_TRUE(ZugAusName("/x/Round 03 - 2 Germany.map", z));
    EXPECT_EQ(z.Runde, 3);
    EXPECT_EQ(z.Macht, bsDeutschland);
    EXPECT_EQ(ZugName(z), "Round 03 - 2 Germany.map");
    EXPECT_EQ(ZugName({12, bsEngland}), "Round 12 - 3 United Kingdom.map");
    // Renamed by hand: case, spacing, the name without its number, words after it.
    ASSERT_TRUE(ZugAusName("round_3 japan after the battle.MAP", z));
    EXPECT_EQ(z.Runde, 3);
    EXPECT_EQ(z.Macht, bsJapan);
    ASSERT_TRUE(ZugAusName("Round 7 USA.map", z));
    EXPECT_EQ(z.Macht, bsUSA);
    ASSERT_TRUE(ZugAusName("Round 10.map", z));
    EXPECT_EQ(z.Macht, bsNeutral);
    for (const char* kein : {"Start.map", "Round 03 - 2 Germany.sek", "Round.map", "Round 3b Germany.map",
                             "Round 1234567890 Japan.map", "German-attack.map"})
        EXPECT_FALSE(ZugAusName(kein, z)) << kein;

    EXPECT_EQ(ZugName(NaechsterZug({3, bsDeutschland})), "Round 03 - 3 United Kingdom.map");
    EXPECT_EQ(ZugName(NaechsterZug({9, bsUSA})), "Round 10 - 1 Russia.map");
    EXPECT_EQ(ZugName(NaechsterZug({4, bsNeutral})), "Round 04 - 1 Russia.map");
}

TEST_F(Dateien, TurnFilesOfAFolderAreInOrderOfPlayAndTheNextTurnFollowsTheLast) {
    MapName = tmp.Datei("Start.map");
    BytesSchreiben(MapName, MapBytes(0, 0, 0));
    EXPECT_EQ(std::filesystem::path(ZugVorschlag()).filename(), "Round 01 - 1 Russia.map");
    for (const char* n : {"Round 10 - 1 Russia.map", "Round 09 - 5 United States.map", "Round 9 - 3 uk.map",
                          "Round 09 - 1 Russia.map", "Round 09 - 2 Germany (retreat).map", "round 9 germany.map",
                          "Round 10.map", "notes.map"})
        BytesSchreiben(tmp.Datei(n), MapBytes(0, 0, 0));
    std::filesystem::create_directory(tmp.Datei("Round 11 - 1 Russia.map"));  // a folder is no turn
    std::vector<std::string> namen;
    for (const std::string& d : ZugDateien(tmp.Pfad())) namen.push_back(std::filesystem::path(d).filename());
    // Japan's turn of round 9 was skipped; round 9 comes before round 10.
    EXPECT_EQ(namen, (std::vector<std::string>{"Round 09 - 1 Russia.map", "Round 09 - 2 Germany (retreat).map",
                                               "round 9 germany.map", "Round 9 - 3 uk.map",
                                               "Round 09 - 5 United States.map", "Round 10.map",
                                               "Round 10 - 1 Russia.map"}));
    EXPECT_EQ(ZugVorschlag(), tmp.Datei("Round 10 - 2 Germany.map"));
}

TEST_F(Dateien, TheMapListStepsThroughTheTurnsAndStaysStillWhenEmpty) {
    MapName = "Start";
    MapListeLeeren();
    NaechsteMap();
    VorherigeMap();
    EXPECT_EQ(MapName, "Start");
    EXPECT_EQ(AktuelleMap, 0);

    // Three turns saved one after the other, each with one more infantry in sector 1.
    Sektor(1, "Eins", bsRussland, 5);
    MapName = tmp.Datei("Start.map");
    for (int i = 1; i <= 3; ++i) {
        Stapel(1, eaInfanterie, bsRussland, 1);
        ZugSpeichern(ZugVorschlag());
    }
    EXPECT_EQ(MapAnzahl, 3);
    EXPECT_EQ(AktuelleMap, 3);
    EXPECT_EQ(MapName, tmp.Datei("Round 01 - 3 United Kingdom.map"));
    // A turn that cannot be written leaves the name and the list as they were.
    std::filesystem::create_directory(tmp.Datei("Round 01 - 4 Japan.map"));
    EXPECT_THROW(ZugSpeichern(ZugVorschlag()), EDateiFehler);
    EXPECT_EQ(MapName, tmp.Datei("Round 01 - 3 United Kingdom.map"));
    EXPECT_EQ(MapAnzahl, 3);
    std::filesystem::remove(tmp.Datei("Round 01 - 4 Japan.map"));
    NaechsteMap();  // at the end
    EXPECT_EQ(AktuelleMap, 3);
    VorherigeMap();
    VorherigeMap();
    EXPECT_EQ(AktuelleMap, 1);
    EXPECT_EQ(MapName, tmp.Datei("Round 01 - 1 Russia.map"));
    EXPECT_EQ(EinheitenAnzahl, 1);
    EXPECT_EQ(Spielstand.LandUnits[bsRussland], 3u);
    VorherigeMap();  // at the start
    EXPECT_EQ(AktuelleMap, 1);
    EXPECT_FALSE(ZugVergleichen());  // no turn before the first

    // The second turn against the first: one more infantry in sector 1, nothing else.
    NaechsteMap();
    ASSERT_TRUE(ZugVergleichen());
    EXPECT_EQ(EinheitenAnzahl, 2);
    const TUnterschiede u = Unterschiede(VorigerZug, GezeigterZug);
    ASSERT_EQ(u.Einheiten.size(), 1u);
    EXPECT_EQ(u.Einheiten[0].Neu - u.Einheiten[0].Alt, 1u);
    EXPECT_TRUE(u.Erobert.empty());
    EXPECT_NE(ZugVergleichText().find("    1 Eins: Infantry 1 -> 2\n"), std::string::npos);
    VorherigeMap();

    // A turn that became unreadable is refused by name and the step changes nothing.
    BytesSchreiben(MapListe[1], {1, 2});
    EXPECT_THROW(NaechsteMap(), EDateiFehler);
    EXPECT_EQ(AktuelleMap, 1);
    EXPECT_EQ(MapName, tmp.Datei("Round 01 - 1 Russia.map"));

    // A map that is no turn of its folder points at no entry; the next step shows the first.
    MapName = tmp.Datei("Start.map");
    MapSpeichern(MapName);
    MapListeFuellen();
    EXPECT_EQ(AktuelleMap, 0);
    VorherigeMap();
    EXPECT_EQ(MapName, tmp.Datei("Start.map"));
}
