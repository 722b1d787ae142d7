// Battle odds against the worked cases and against dice, the unit lists, and a battle on the board.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <functional>

#include "BoardHilfen.h"
#include "UOdds.h"
#include "UPieces.h"
#include "USchlachtErgebnis.h"
#include "USchlachtfeld.h"
#include "USchritte.h"
#include "UDateien.h"
#include "USpielstand.h"

namespace {

TSchlacht Schlacht(const char* angreifer, const char* verteidiger, bool see = false,
                   const std::function<void(TSchlacht&)>& optionen = nullptr) {
    TSchlacht s;
    SchlachtLeeren(s);
    std::string fehler;
    EXPECT_TRUE(EinheitenLesen(angreifer, s.Angreifer, fehler)) << fehler;
    EXPECT_TRUE(EinheitenLesen(verteidiger, s.Verteidiger, fehler)) << fehler;
    s.See = see;
    if (optionen) optionen(s);
    return s;
}

TOdds Odds(const TSchlacht& s) {
    TOdds o;
    std::string fehler;
    EXPECT_TRUE(OddsBerechnen(s, o, fehler)) << fehler;
    return o;
}

TEST(Odds, WorkedCasesExactly) {
    TOdds o = Odds(Schlacht("1 Inf", "1 Inf"));
    EXPECT_NEAR(o.AngreiferGewinnt, 0.25, 1e-12);
    EXPECT_NEAR(o.VerteidigerGewinnt, 0.625, 1e-12);
    EXPECT_NEAR(o.Unentschieden, 0.125, 1e-12);

    o = Odds(Schlacht("1 Ftr", "1 AA"));
    EXPECT_NEAR(o.Unentschieden, 1.0 / 6, 1e-12);
    EXPECT_NEAR(o.AngreiferGewinnt, 5.0 / 6, 1e-12);
    EXPECT_EQ(o.Eingenommen, 0.0);
    EXPECT_NEAR(o.Runden, 1.0, 1e-12);

    o = Odds(Schlacht("1 Sub", "1 Ftr", true));
    EXPECT_NEAR(o.VerteidigerGewinnt, 1.0, 1e-12);
    EXPECT_NEAR(o.Runden, 1.5, 1e-12);
    EXPECT_NEAR(o.VerteidigerUebrig[eaJaeger], 1.0, 1e-12);

    o = Odds(Schlacht("1 Sub", "1 Sub", true));
    EXPECT_NEAR(o.AngreiferGewinnt, 0.6, 1e-12);
    EXPECT_NEAR(o.VerteidigerGewinnt, 0.4, 1e-12);
    EXPECT_EQ(o.Unentschieden, 0.0);

    o = Odds(Schlacht("1 Arm", "2 Inf", false, [](TSchlacht& s) { s.Bombard = 1; }));
    EXPECT_NEAR(o.AngreiferGewinnt, 17.0 / 63, 1e-12);
    EXPECT_NEAR(o.Eingenommen, 17.0 / 63, 1e-12);
}

// Each battle played 20000 times with the dice of the program: every chance, the rounds and the
// units left agree with the odds within four standard errors.
TEST(Odds, AgreeWithDiceOnADozenBattles) {
    struct {
        const char *a, *d;
        bool see;
        std::function<void(TSchlacht&)> optionen;
    } faelle[] = {
        {"3 Inf 2 Arm 2 Ftr 1 Bom", "4 Inf 1 Arm 1 Ftr 2 AA", false, nullptr},
        {"2 Inf 1 Arm", "3 Inf", false, [](TSchlacht& s) { s.Bombard = 2; s.RetreatAt = 2; }},
        {"2 Sub 1 Ftr 1 BB", "1 Sub 1 AC 2 Ftr 1 Trn", true, nullptr},
        {"3 Sub 1 Bom", "2 Sub 1 Trn 1 BB", true, [](TSchlacht& s) { s.SuperSubs = true; }},
        {"3 Arm 2 Ftr", "2 Inf 2 Ftr", false, [](TSchlacht& s) { s.Jets = true; }},
        {"2 Inf 2 Bom", "4 Inf 1 Arm", false, [](TSchlacht& s) { s.HeavyBombers = true; }},
        {"5 Inf 2 Arm", "6 Inf 1 Ftr", false, [](TSchlacht& s) { s.RetreatAfter = 2; }},
        {"2 BB 1 AC 2 Ftr", "3 Sub 2 Ftr 2 Trn", true, [](TSchlacht& s) { s.RetreatAt = 2; }},
        {"4 Inf 1 Arm 2 Ftr", "5 Inf 1 Arm 1 AA", false, [](TSchlacht& s) {
             s.KeepLand = 2;
             std::string f;
             OrderLesen("Ftr,Inf", s.OrderAngreifer, f);
         }},
        {"2 Sub 2 Ftr 1 BB", "2 Trn 1 BB 1 Sub 1 Ftr", true, [](TSchlacht& s) {
             std::string f;
             OrderLesen("BB Trn", s.OrderVerteidiger, f);
         }},
        {"6 Inf 3 Arm 1 Ftr", "7 Inf 2 Arm", false, [](TSchlacht& s) { s.RetreatAfter = 3; s.RetreatAt = 4; }},
        {"2 Ftr 1 Bom", "3 Sub 1 Trn", true, [](TSchlacht& s) { s.HeavyBombers = true; }},
    };
    std::mt19937_64 zufall(20261208);
    const int n = 20000;
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::string(f.a) + " against " + f.d);
        TSchlacht s = Schlacht(f.a, f.d, f.see, f.optionen);
        TOdds o = Odds(s);
        double ende[5] = {o.AngreiferGewinnt, o.VerteidigerGewinnt, o.Unentschieden, o.Rueckzug, o.Eingenommen};
        EXPECT_NEAR(ende[0] + ende[1] + ende[2] + ende[3], 1.0, 1e-9);
        EXPECT_LE(o.Eingenommen, o.AngreiferGewinnt + 1e-15);
        // Sums and sums of squares of: the five ends, the rounds, the units left per kind.
        double summe[8 + 2 * (ArtenAnzahl + 1)] = {}, quadrat[8 + 2 * (ArtenAnzahl + 1)] = {};
        for (int i = 0; i < n; ++i) {
            TWurf w;
            SchlachtWuerfeln(s, zufall, w);
            double x[8 + 2 * (ArtenAnzahl + 1)] = {};
            x[w.Ausgang == agAngreifer ? 0 : w.Ausgang == agVerteidiger ? 1 : w.Ausgang == agUnentschieden ? 2 : 3] = 1;
            x[4] = w.Eingenommen;
            x[5] = w.Runden;
            for (int k = 1; k <= ArtenAnzahl; ++k)
                if (KaempftMit(k, s.See)) {
                    x[8 + k] = s.Angreifer[k] - w.AngreiferVerluste[k];
                    x[8 + ArtenAnzahl + 1 + k] = s.Verteidiger[k] - w.VerteidigerVerluste[k];
                }
            for (std::size_t j = 0; j < std::size(x); ++j) summe[j] += x[j], quadrat[j] += x[j] * x[j];
        }
        auto pruefen = [&](int j, double erwartet, const char* was) {
            double mittel = summe[j] / n, varianz = quadrat[j] / n - mittel * mittel;
            // A rare end that the dice never showed has no variance in the sample: count it as
            // one event in n.
            double fehler = std::sqrt(std::max(varianz, 1.0 / n) / n);
            EXPECT_NEAR(mittel, erwartet, 4 * fehler) << was << " " << j;
        };
        const char* namen[] = {"attacker wins", "defender wins", "draw", "retreat", "taken"};
        for (int j = 0; j < 5; ++j) pruefen(j, ende[j], namen[j]);
        pruefen(5, o.Runden, "rounds");
        for (int k = 1; k <= ArtenAnzahl; ++k) {
            pruefen(8 + k, o.AngreiferUebrig[k], "attacker left");
            pruefen(8 + ArtenAnzahl + 1 + k, o.VerteidigerUebrig[k], "defender left");
        }
    }
}

TEST(Odds, TooLargeBattlesSaySoAtOnce) {
    TSchlacht s = Schlacht("255 Inf 255 Arm 255 Ftr 255 Bom", "255 Inf 255 Arm 100 Ftr");
    TOdds o;
    std::string fehler;
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(OddsBerechnen(s, o, fehler));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_NE(fehler.find("too large"), std::string::npos) << fehler;
    s.Angreifer[eaInfanterie] = 256;
    EXPECT_FALSE(OddsBerechnen(s, o, fehler));
    EXPECT_NE(fehler.find("255 Inf"), std::string::npos) << fehler;
}

TEST(Schlacht, UnitListsAndOrdersOfLoss) {
    std::uint16_t n[ArtenAnzahl + 1];
    std::string fehler;
    ASSERT_TRUE(EinheitenLesen(" 8 inf, 3arm 1 AA,2 Inf", n, fehler)) << fehler;
    EXPECT_EQ(n[eaInfanterie], 10);
    EXPECT_EQ(n[eaPanzer], 3);
    EXPECT_EQ(n[eaFlak], 1);
    for (const char* falsch : {"3 foo", "inf", "3", "3 Inf2", "200 Inf 56 inf"}) {
        EXPECT_FALSE(EinheitenLesen(falsch, n, fehler)) << falsch;
        EXPECT_FALSE(fehler.empty());
    }
    EXPECT_FALSE(EinheitenLesen("3 foo", n, fehler));
    EXPECT_NE(fehler.find("\"foo\""), std::string::npos);

    TEinheitArt order[OrderLaenge];
    ASSERT_TRUE(OrderLesen("bb, AA inf BB f", order, fehler));
    const TEinheitArt erwartet[] = {eaSchlachtschiff, eaInfanterie, eaPanzer, eaTransporter,
                                    eaUBoot, eaJaeger, eaBomber, eaTraeger};
    EXPECT_TRUE(std::equal(order, order + OrderLaenge, erwartet));
    EXPECT_FALSE(OrderLesen("Inf,Tank", order, fehler));
    EXPECT_NE(fehler.find("Tank"), std::string::npos);
}

// Sector 1 land, 2 sea. Germany attacks the Allies in both; its ally Japan takes no part.
class Schlachtfeld : public ::testing::Test {
protected:
    void SetUp() override {
        VariablenZuruecksetzen();
        Sektor(1, "Land", bsRussland, 3);
        Sektor(2, "Sea", bsNeutral, 0, false);
        Stapel(1, eaInfanterie, bsDeutschland, 3, 10, 10);
        Stapel(1, eaPanzer, bsDeutschland, 2, 12, 10);
        Stapel(1, eaInfanterie, bsRussland, 2, 14, 10);
        Stapel(1, eaInfanterie, bsEngland, 2, 16, 10);
        Stapel(1, eaFlak, bsRussland, 1);
        Stapel(1, eaIndustrie, bsRussland, 1);
        Stapel(1, eaFlagge, bsEngland, 1, 5, 6);
        Stapel(1, eaInfanterie, bsJapan, 4);
        Stapel(2, eaUBoot, bsDeutschland, 2);
        Stapel(2, eaInfanterie, bsDeutschland, 2);
        Stapel(2, eaTransporter, bsUSA, 1);
        Stapel(2, eaPanzer, bsUSA, 1);
        Stapel(2, eaFlak, bsUSA, 1);
    }
};

TEST_F(Schlachtfeld, SidesComeFromTheSectorAndLossesGoBackOntoIt) {
    TSchlacht s;
    ASSERT_TRUE(SchlachtAusSektor(1, bsDeutschland, s));
    EXPECT_FALSE(s.See);
    EXPECT_EQ(s.Angreifer[eaInfanterie], 3);
    EXPECT_EQ(s.Verteidiger[eaInfanterie], 4);
    EXPECT_EQ(s.Verteidiger[eaFlak], 1);
    EXPECT_EQ(s.Verteidiger[eaIndustrie] + s.Verteidiger[eaFlagge], 0);
    ASSERT_TRUE(SchlachtAusSektor(2, bsDeutschland, s));
    EXPECT_TRUE(s.See);
    EXPECT_EQ(s.Angreifer[eaUBoot], 2);
    EXPECT_EQ(s.Angreifer[eaInfanterie] + s.Verteidiger[eaPanzer] + s.Verteidiger[eaFlak], 0);
    EXPECT_EQ(s.Verteidiger[eaTransporter], 1);
    EXPECT_FALSE(SchlachtAusSektor(0, bsDeutschland, s));

    // Three defending infantry span the Russian and the British stack; Germany takes the sector.
    std::uint16_t a[ArtenAnzahl + 1] = {}, d[ArtenAnzahl + 1] = {};
    a[eaInfanterie] = 1;
    d[eaInfanterie] = 3;
    VerlusteAnwenden(1, bsDeutschland, a, d, true);
    std::uint16_t nr, anzahl;
    EinheitSuchen(1, eaInfanterie, bsDeutschland, nr, anzahl);
    EXPECT_EQ(anzahl, 2);
    EinheitSuchen(1, eaInfanterie, bsRussland, nr, anzahl);
    EXPECT_EQ(nr, 0);
    EinheitSuchen(1, eaInfanterie, bsEngland, nr, anzahl);
    EXPECT_EQ(anzahl, 1);
    EinheitSuchen(1, eaFlagge, bsEngland, nr, anzahl);
    EXPECT_EQ(nr, 0);
    EinheitSuchen(1, eaFlagge, bsDeutschland, nr, anzahl);
    ASSERT_NE(nr, 0);
    EXPECT_EQ(anzahl, 1);
    EXPECT_EQ(Einheiten[nr].X, 5);  // where the British flag stood
    EXPECT_EQ(Spielstand.Halter[1], bsDeutschland);
    EinheitSuchen(1, eaInfanterie, bsJapan, nr, anzahl);
    EXPECT_EQ(anzahl, 4);
}

// The attacker by default is the power that entered last and is not the holder; a battle put on
// the board is one step, named in words, that undo takes back byte for byte.
TEST_F(Schlachtfeld, ABattleOnTheBoardIsOneUndoableStepInWords) {
    SpielstandAktualisieren();
    ASSERT_EQ(Spielstand.Halter[1], bsEngland);  // the British flag
    EXPECT_EQ(SchlachtAngreiferVorgabe(1), bsJapan);
    Einheiten[8].Anzahl = 0;
    Einheiten[8].Art = eaFlagge;  // no longer a unit that fights
    EXPECT_EQ(SchlachtAngreiferVorgabe(1), bsRussland);  // the British stack after it is the holder's
    EXPECT_EQ(SchlachtAngreiferVorgabe(2), bsUSA);       // cargo does not attack
    EXPECT_EQ(SchlachtAngreiferVorgabe(3), 0);

    TSchlacht s;
    ASSERT_TRUE(SchlachtAusSektor(1, bsDeutschland, s));
    std::uint16_t a[ArtenAnzahl + 1] = {}, d[ArtenAnzahl + 1] = {};
    d[eaInfanterie] = 3;
    EXPECT_FALSE(SchlachtEingenommen(s, a, d));
    d[eaInfanterie] = 4;
    EXPECT_TRUE(SchlachtEingenommen(s, a, d));
    a[eaInfanterie] = 3, a[eaPanzer] = 2;
    EXPECT_FALSE(SchlachtEingenommen(s, a, d));  // nothing left to move in
    a[eaPanzer] = 1;

    SchritteLeeren();
    const std::vector<std::uint8_t> vorher = MapBytes(EinheitenAnzahl, Einheiten);
    EXPECT_EQ(SchlachtEintragen(1, bsDeutschland, a, d, true),
              "Germany attacks Land: -3 Infantry, -1 Armor, Russia -2 Infantry, United Kingdom -2 Infantry, Land taken");
    EXPECT_EQ(Spielstand.Halter[1], bsDeutschland);
    ASSERT_EQ(SchritteAnzahl(), 1);
    EXPECT_EQ(SchrittAngaben(0).Text.substr(0, 21), "Germany attacks Land:");
    ASSERT_TRUE(Rueckgaengig());
    EXPECT_EQ(MapBytes(EinheitenAnzahl, Einheiten), vorher);

    // Rolled round by round, the rounds add up to the battle's losses.
    std::mt19937_64 zufall(7);
    ASSERT_TRUE(SchlachtAusSektor(2, bsDeutschland, s));
    for (int i = 0; i < 50; ++i) {
        TWurf w;
        std::vector<TWurfRunde> runden;
        SchlachtWuerfeln(s, zufall, w, &runden);
        ASSERT_EQ(static_cast<int>(runden.size()), w.Runden);
        for (int k = 1; k <= ArtenAnzahl; ++k) {
            int sa = 0, sd = 0;
            for (const TWurfRunde& r : runden) sa += r.AngreiferVerluste[k], sd += r.VerteidigerVerluste[k];
            EXPECT_EQ(sa, w.AngreiferVerluste[k]);
            EXPECT_EQ(sd, w.VerteidigerVerluste[k]);
        }
    }
}

}  // namespace
