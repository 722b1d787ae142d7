// Tallies, hint texts, the alert level and the text of the two lists.
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

#include "BoardHilfen.h"
#include "UListen.h"
#include "TestHilfen.h"
#include "UDateien.h"
#include "UFehler.h"
#include "USpielstand.h"
#include "UTrends.h"

namespace {

class Tallies : public ::testing::Test {
protected:
    void SetUp() override {
        VariablenZuruecksetzen();
        Sektor(1, "Moskau", bsRussland, 10);
        Sektor(2, "Berlin", bsDeutschland, 12);
        Sektor(3, "London", bsEngland, 8);
        Sektor(4, "Tokio", bsJapan, 9);
        Sektor(5, "Washington", bsUSA, 11);
        Sektor(6, "Schweiz", bsNeutral, 2);
        Sektor(7, "See", bsNeutral, 0, false);
        Sektor(128, "Eis", bsDeutschland, 50);
        Sektor(127, "Rand", bsJapan, 1);
    }
};

TEST_F(Tallies, GivenStacksAreCountedWithoutTouchingThePieceList) {
    Stapel(2, eaFlagge, bsRussland, 1);
    Stapel(2, eaBomber, bsRussland, 2);
    Stapel(7, eaSchlachtschiff, bsJapan, 1);
    SpielstandBerechnen();
    const TSpielstand ausTabellen = Spielstand;
    const std::vector<TEinheit> liste(Einheiten, Einheiten + EinheitenAnzahl + 1);
    EinheitenAnzahl = 0;
    Spielstand = TSpielstand{};
    TSpielstand st;
    SpielstandBerechnen(st, liste.data(), static_cast<std::int32_t>(liste.size()) - 1, Sektoren);
    EXPECT_EQ(std::vector<std::uint32_t>(st.Income, st.Income + 6),
              std::vector<std::uint32_t>(ausTabellen.Income, ausTabellen.Income + 6));
    EXPECT_EQ(st.AxisAllUnits, ausTabellen.AxisAllUnits);
    EXPECT_EQ(st.AlliesLandUnits, ausTabellen.AlliesLandUnits);
    EXPECT_EQ(st.Halter[2], bsRussland);
    EXPECT_TRUE(std::equal(std::begin(st.UnitHints), std::end(st.UnitHints), std::begin(ausTabellen.UnitHints)));
    EXPECT_EQ(EinheitenAnzahl, 0);
    EXPECT_EQ(Spielstand.AlliesIncome, 0u);
}

TEST_F(Tallies, IncomeFollowsStartOwnersAndTheFirstPowerWithAFlag) {
    SpielstandBerechnen();
    EXPECT_EQ(Spielstand.Income[bsRussland], 10u);
    EXPECT_EQ(Spielstand.Income[bsDeutschland], 12u);  // sector 128 never counts
    EXPECT_EQ(Spielstand.Income[bsJapan], 10u);        // sector 127 does
    EXPECT_EQ(Spielstand.AxisIncome, 22u);
    EXPECT_EQ(Spielstand.AlliesIncome, 29u);

    Stapel(2, eaFlagge, bsRussland, 1);   // Russia takes Berlin
    Stapel(1, eaFlagge, bsJapan, 1);      // Japan and Germany in Moscow: Germany, the lower code
    Stapel(1, eaFlagge, bsDeutschland, 1);
    Stapel(3, eaFlagge, bsEngland, 1);    // the start owner's own flag changes nothing
    Stapel(4, eaFlagge, bsUSA, 0);        // a flag of 0 captures nothing ...
    Stapel(4, eaFlagge, bsUSA, 3);        // ... and neither does a later twin of it
    Stapel(6, eaFlagge, bsEngland, 1);    // a neutral sector is captured too
    Stapel(128, eaFlagge, bsRussland, 1);
    SpielstandBerechnen();
    EXPECT_EQ(Spielstand.Income[bsRussland], 12u);
    EXPECT_EQ(Spielstand.Income[bsDeutschland], 10u);
    EXPECT_EQ(Spielstand.Income[bsEngland], 10u);
    EXPECT_EQ(Spielstand.Income[bsJapan], 10u);
    EXPECT_EQ(Spielstand.Income[bsUSA], 11u);
    // Flags are worth nothing and appear in no text.
    EXPECT_EQ(Spielstand.AllUnits[bsRussland], 0u);
    EXPECT_EQ(Spielstand.UnitHints[HinweisIndex(bsRussland, hwAll)], "");
}

TEST_F(Tallies, UnitValuesAndHintTextsWithTheirSeparators) {
    Stapel(1, eaInfanterie, bsRussland, 3);
    Stapel(1, eaPanzer, bsRussland, 2);
    Stapel(1, eaJaeger, bsRussland, 1);
    Stapel(1, eaBomber, bsRussland, 1);
    Stapel(7, eaTransporter, bsRussland, 1);
    Stapel(7, eaUBoot, bsRussland, 2);
    Stapel(7, eaTraeger, bsRussland, 1);
    Stapel(7, eaSchlachtschiff, bsRussland, 1);
    Stapel(1, eaIndustrie, bsRussland, 4);
    Stapel(1, eaFlak, bsRussland, 4);
    Stapel(3, eaInfanterie, bsEngland, 5);
    Stapel(2, eaInfanterie, bsDeutschland, 2);
    Stapel(2, eaInfanterie, 6, 50);   // owner and kind out of range are left out
    Stapel(2, 12, bsDeutschland, 50);
    SpielstandBerechnen();
    const TSpielstand& s = Spielstand;
    EXPECT_EQ(s.LandUnits[bsRussland], 3u * 3 + 2 * 5 + 12 + 15);
    EXPECT_EQ(s.SeaUnits[bsRussland], 8u + 2 * 8 + 18 + 24);
    EXPECT_EQ(s.AllUnits[bsRussland], 46u + 66);
    EXPECT_EQ(s.AlliesLandUnits, 46u + 15);
    EXPECT_EQ(s.AxisAllUnits, 6u);
    EXPECT_EQ(s.UnitHints[HinweisIndex(bsRussland, hwLand)], "3Inf 2Arm 1Ftr 1Bom");
    EXPECT_EQ(s.UnitHints[HinweisIndex(bsRussland, hwSea)], "1Trn 2Sub 1AC 1BB");
    EXPECT_EQ(s.UnitHints[HinweisIndex(bsRussland, hwAll)], "3Inf 2Arm 1Ftr 1Bom 1Trn 2Sub 1AC 1BB");
    EXPECT_EQ(s.UnitHints[HinweisIndex(bsEngland, hwLand)], "5Inf ");
    EXPECT_EQ(s.UnitHints[HinweisIndex(bsEngland, hwSea)], "");
    EXPECT_EQ(s.UnitHints[HinweisAllies + hwLand], "8Inf 2Arm 1Ftr 1Bom");
    EXPECT_EQ(s.UnitHints[HinweisAxis + hwAll], "2Inf ");
}

TEST_F(Tallies, FiguresDoNotWrap) {
    for (int i = 0; i < 44; ++i) Stapel(7, eaSchlachtschiff, bsJapan, 100);  // 4400 battleships
    for (int s = 10; s <= 126; ++s) Sektor(s, "X", bsJapan, 200);
    SpielstandBerechnen();
    EXPECT_EQ(Spielstand.SeaUnits[bsJapan], 105600u);
    EXPECT_EQ(Spielstand.UnitHints[HinweisIndex(bsJapan, hwSea)], "4400BB");
    EXPECT_EQ(Spielstand.Income[bsJapan], 10u + 117u * 200u);
    EXPECT_EQ(Spielstand.AxisIncome, 12u + 10u + 117u * 200u);
    EXPECT_EQ(AxisAlertLevel(Spielstand.AxisIncome, true), 0);
}

TEST(AlertLevel, Thresholds) {
    EXPECT_EQ(AxisAlertLevel(0, true), 1);
    EXPECT_EQ(AxisAlertLevel(60, false), 1);
    EXPECT_EQ(AxisAlertLevel(61, true), 2);
    EXPECT_EQ(AxisAlertLevel(70, true), 2);
    EXPECT_EQ(AxisAlertLevel(71, true), 3);
    EXPECT_EQ(AxisAlertLevel(83, false), 3);
    EXPECT_EQ(AxisAlertLevel(84, true), 4);
    EXPECT_EQ(AxisAlertLevel(84, false), 5);
    EXPECT_EQ(AxisAlertLevel(150, false), 5);
    EXPECT_EQ(AxisAlertLevel(151, true), 0);
    EXPECT_EQ(AxisAlertLevel(256, true), 0);
    EXPECT_EQ(AxisAlertLevel(100000, false), 0);
}

TEST_F(Tallies, UnitListShowsFirstStacksOccupationAndTheThreeOptions) {
    std::vector<std::string> leer = UnitListeZeilen(false, true, true);
    EinheitenAnzahl = 0;
    Stapel(2, eaFlagge, bsRussland, 1);      // Berlin captured, nothing else there: occupied
    Stapel(1, eaInfanterie, bsRussland, 3);
    Stapel(1, eaInfanterie, bsRussland, 9);  // a twin is not reported
    Stapel(1, eaIndustrie, bsRussland, 1);
    Stapel(1, eaFlagge, bsRussland, 1);      // own flag at home
    Stapel(4, eaFlak, bsRussland, 2);        // only an AA gun abroad
    Stapel(128, eaInfanterie, bsRussland, 1);
    using V = std::vector<std::string>;
    V r = UnitListeZeilen(false, true, true);
    V erwartet = {"***** Russia *****", "", "*** Moskau ***", "3 Infantry", "1 Industrial Complex", "",
                  "*** Berlin ***", "occupied", "", "*** Tokio ***", "2 AnitAirCannon", "", ""};
    ASSERT_GE(r.size(), erwartet.size());
    EXPECT_EQ(V(r.begin(), r.begin() + erwartet.size()), erwartet);
    EXPECT_EQ(r.size(), erwartet.size() + 4 * 3);
    EXPECT_EQ(r[erwartet.size()], "***** Germany *****");

    V mitFlaggen = UnitListeZeilen(true, false, false);
    V erwartet2 = {"***** Russia *****", "", "*** Moskau ***", "1 Flag", "3 Infantry", "",
                   "*** Berlin ***", "1 Flag", "", ""};
    EXPECT_EQ(V(mitFlaggen.begin(), mitFlaggen.begin() + erwartet2.size()), erwartet2);

    ASSERT_EQ(leer.size(), 15u);
    EXPECT_EQ(leer[3], "***** Germany *****");
}

TEST_F(Tallies, SectorListHasOneLinePerRecord) {
    std::vector<std::string> z = SektorenListeZeilen();
    ASSERT_EQ(z.size(), 130u);
    EXPECT_EQ(z[0], "Moskau / Russia / 10 / Land");
    EXPECT_EQ(z[6], "See / neutral / 0 / Wasser");
    EXPECT_EQ(z[7], " / neutral / 0 / Wasser");
    Sektoren[8].StartBesitzer = 9;  // an invalid code has an empty name
    Sektoren[8].Land = 2;
    EXPECT_EQ(SektorenListeZeilen()[7], " /  / 0 / Land");
}

}  // namespace

// Trends count each file alone and leave the shown position as it was, also when a file is refused.
TEST_F(Tallies, TrendsCountEachFileAndPutTheShownPositionBack) {
    TempOrdner tmp;
    Stapel(1, eaFlagge, bsDeutschland, 1);
    MapSpeichern(tmp.Datei("Round 01 - 2 Germany.map"));
    EinheitenAnzahl = 0;
    MapSpeichern(tmp.Datei("leer.map"));
    BytesSchreiben(tmp.Datei("kaputt.map"), {9});
    Stapel(4, eaInfanterie, bsJapan, 3);
    SpielstandBerechnen();
    const TSpielstand vorher = Spielstand;

    const std::vector<TTrend> t = TrendsBerechnen({tmp.Datei("leer.map"), tmp.Datei("Round 01 - 2 Germany.map")});
    ASSERT_EQ(t.size(), 2u);
    EXPECT_FALSE(t[0].IstZug);
    EXPECT_EQ(t[0].Income[bsRussland - 1], 10u);
    EXPECT_EQ(t[1].Income[bsRussland - 1], 0u);  // Moskau taken
    EXPECT_EQ(t[1].Income[bsDeutschland - 1], 22u);
    EXPECT_EQ(t[1].Income[TrendAxis], t[1].AxisIncome);
    EXPECT_EQ(t[1].Zug.Macht, bsDeutschland);
    EXPECT_EQ(t[0].Land[bsJapan - 1], 0u);

    EXPECT_THROW(TrendsBerechnen({tmp.Datei("leer.map"), tmp.Datei("kaputt.map")}), EDateiFehler);
    // For the window the bad file is left out and named; the others are counted.
    std::vector<std::string> abgelehnt;
    const auto gut = TrendsBerechnen({tmp.Datei("kaputt.map"), tmp.Datei("Round 01 - 2 Germany.map")}, abgelehnt);
    ASSERT_EQ(gut.size(), 1u);
    EXPECT_EQ(gut[0].Income[bsDeutschland - 1], 22u);
    ASSERT_EQ(abgelehnt.size(), 1u);
    EXPECT_EQ(abgelehnt[0].rfind(tmp.Datei("kaputt.map") + ": ", 0), 0u);
    ASSERT_EQ(EinheitenAnzahl, 1);
    EXPECT_EQ(Einheiten[1].Besitzer, bsJapan);
    EXPECT_EQ(Spielstand.LandUnits[bsJapan], vorher.LandUnits[bsJapan]);
    EXPECT_EQ(Spielstand.UnitHints[HinweisIndex(bsJapan, hwLand)], "3Inf ");
}
