// The piece list: hit test, placing with merge and cap, the full list, deleting and reducing;
// undo and redo of every kind of change.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "BoardHilfen.h"
#include "TestHilfen.h"
#include "UDateien.h"
#include "UPieces.h"
#include "UStapelPlatz.h"
#include "USchritte.h"
#include "USpielstand.h"
#include "UZufall.h"

namespace {

class Pieces : public ::testing::Test {
protected:
    void SetUp() override {
        VariablenZuruecksetzen();
        PieceGeometrieSetzen(15, 10);
        TestSektorBild();
        for (int s = 1; s <= 20; ++s) Sektor(s, "S", 1, 1);
    }
};

TEST_F(Pieces, HitTestIncludesTheEdgesAndFindsTheTopmostStack) {
    Stapel(1, 2, 1, 1, 100.5, 50.5);  // view centre (100, 50): rectangle (93, 45) to (108, 55)
    EXPECT_EQ(EinheitAnPunkt({100, 50}), 1);
    EXPECT_EQ(EinheitAnPunkt({93, 45}), 1);
    EXPECT_EQ(EinheitAnPunkt({108, 55}), 1);
    EXPECT_EQ(EinheitAnPunkt({92, 50}), 0);
    EXPECT_EQ(EinheitAnPunkt({109, 50}), 0);
    EXPECT_EQ(EinheitAnPunkt({100, 56}), 0);
    Stapel(1, 3, 1, 1, 104, 50);
    EXPECT_EQ(EinheitAnPunkt({100, 50}), 2);
    EXPECT_EQ(EinheitAnPunkt({93, 50}), 1);
    // Zoom moves the anchor but not the size of the rectangle.
    Zoom = 2;
    ScrollX = 50;
    EXPECT_EQ(EinheitAnPunkt({101, 1}), 0);  // the anchor is now at view (101, 101)
    EXPECT_EQ(EinheitAnPunkt({95, 101}), 1);
    EXPECT_EQ(EinheitAnPunkt({101 + 8, 101}), 2);
}

TEST_F(Pieces, PlacingMergesUpToOneHundredWithoutOverflow) {
    EinheitenSetzen(MapPunkt(15, 20), 2, 1, 95);
    ASSERT_EQ(EinheitenAnzahl, 1);
    EXPECT_EQ(Einheiten[1].Sektor, 2);
    EXPECT_EQ(AktuellerSektor, 2);
    EinheitenSetzen(MapPunkt(12, 30), 2, 1, 10);
    EXPECT_EQ(EinheitenAnzahl, 1);
    EXPECT_EQ(Einheiten[1].Anzahl, 100);
    EXPECT_EQ(Einheiten[1].X, 15.0);  // merging does not move the stack
    // A loaded stack above 100 and a huge addition both end at 100, never wrapped.
    Einheiten[1].Anzahl = 150;
    EinheitenSetzen(MapPunkt(12, 30), 2, 1, 1);
    EXPECT_EQ(Einheiten[1].Anzahl, 100);
    EinheitenSetzen(MapPunkt(12, 30), 2, 1, 65535);
    EXPECT_EQ(Einheiten[1].Anzahl, 100);
    // Another owner, another kind or another sector make new stacks; a new stack is not capped.
    EinheitenSetzen(MapPunkt(12, 30), 2, 2, 1);
    EinheitenSetzen(MapPunkt(12, 30), 3, 1, 300);
    EinheitenSetzen(MapPunkt(25, 30), 2, 1, 1);
    EXPECT_EQ(EinheitenAnzahl, 4);
    EXPECT_EQ(Einheiten[3].Anzahl, 300);
    // A first matching stack with 0 pieces makes a second stack rather than being filled.
    Einheiten[4].Anzahl = 0;
    EinheitenSetzen(MapPunkt(25, 30), 2, 1, 2);
    EXPECT_EQ(EinheitenAnzahl, 5);
}

TEST_F(Pieces, NothingIsPlacedOutsidePlayableSectorsOrWithBadCodes) {
    EinheitenSetzen(MapPunkt(15, 0), 2, 1, 1);     // border
    EinheitenSetzen(MapPunkt(15, 95), 2, 1, 1);    // outside (255)
    EinheitenSetzen(MapPunkt(-1, 20), 2, 1, 1);    // off the picture
    EinheitenSetzen(MapPunkt(1e300, 20), 2, 1, 1);
    SektorPixel(50, 50, 128);
    EinheitenSetzen(MapPunkt(50, 50), 2, 1, 1);
    EXPECT_EQ(AktuellerSektor, 128);
    SektorPixel(50, 50, 200);
    EinheitenSetzen(MapPunkt(50, 50), 2, 1, 1);
    EinheitenSetzen(MapPunkt(15, 20), 0, 1, 1);
    EinheitenSetzen(MapPunkt(15, 20), 12, 1, 1);
    EinheitenSetzen(MapPunkt(15, 20), 2, 0, 1);
    EinheitenSetzen(MapPunkt(15, 20), 2, 6, 1);
    EXPECT_EQ(EinheitenAnzahl, 0);
}

TEST_F(Pieces, AFullListRefusesNewStacksButStillMerges) {
    for (int i = 0; i < MaxEinheiten; ++i) Stapel(3, 2, 1, 1, 25, 20);
    EinheitenSetzen(MapPunkt(15, 20), 2, 1, 1);
    EXPECT_EQ(EinheitenAnzahl, 1000);
    EXPECT_EQ(AktuellerSektor, 2);
    EinheitenSetzen(MapPunkt(25, 20), 2, 1, 5);
    EXPECT_EQ(Einheiten[1].Anzahl, 6);
}

TEST_F(Pieces, AFlagTakesTheSectorFromEveryOtherPower) {
    Stapel(2, eaFlagge, bsDeutschland, 1, 12, 20);
    Stapel(2, eaFlagge, bsJapan, 1, 12, 60);    // from an older file: two powers' flags
    Stapel(3, eaFlagge, bsDeutschland, 1, 25, 20);
    Stapel(2, eaInfanterie, bsDeutschland, 3, 15, 40);
    SpielstandBerechnen();
    EXPECT_EQ(Spielstand.Halter[2], bsDeutschland);
    // Russia retakes sector 2: both flags there go, the one next door and the infantry stay.
    EinheitenSetzen(MapPunkt(15, 80), eaFlagge, bsRussland, 1);
    ASSERT_EQ(EinheitenAnzahl, 3);
    EXPECT_EQ(Einheiten[1].Sektor, 3);
    EXPECT_EQ(Einheiten[2].Art, eaInfanterie);
    EXPECT_EQ(Einheiten[3].Besitzer, bsRussland);
    EXPECT_EQ(Spielstand.Halter[2], bsRussland);
    // A power's own flag joins its stack and takes nothing else away.
    EinheitenSetzen(MapPunkt(15, 80), eaFlagge, bsRussland, 1);
    EXPECT_EQ(EinheitenAnzahl, 3);
    EXPECT_EQ(Einheiten[3].Anzahl, 2);
}

TEST_F(Pieces, ANewStackIsKeptOffThePiecesAlreadyThere) {
    Stapel(2, eaInfanterie, bsRussland, 4, 15, 20);
    // A fighter put down on the infantry goes to the nearest point of the sector where it
    // covers nothing: the 10-pixel column leaves only up or down.
    EinheitenSetzen(MapPunkt(15, 20), eaJaeger, bsDeutschland, 1);
    ASSERT_EQ(EinheitenAnzahl, 2);
    EXPECT_EQ(Einheiten[2].X, 15.0);
    EXPECT_EQ(Einheiten[2].Y, 10.0);
    EXPECT_EQ(PieceUeberdeckung(MapPunkt(15, 20), MapPunkt(15, 10)), 0.0);
    // A fifth of a piece covered is no reason to move; joining a stack never moves it.
    EinheitenSetzen(MapPunkt(27, 21), eaJaeger, bsDeutschland, 1);
    EXPECT_EQ(Einheiten[3].X, 27.0);
    EinheitenSetzen(MapPunkt(15, 20), eaInfanterie, bsRussland, 1);
    EXPECT_EQ(Einheiten[1].Anzahl, 5);
    EXPECT_EQ(Einheiten[1].Y, 20.0);
    // With no free point in the sector the stack stays where it was put.
    for (int y = 5; y < 90; y += 5) Stapel(5, eaPanzer, bsJapan, 1, 45, y);
    EinheitenSetzen(MapPunkt(45, 40), eaBomber, bsUSA, 1);
    EXPECT_EQ(Einheiten[EinheitenAnzahl].X, 45.0);
    EXPECT_EQ(Einheiten[EinheitenAnzahl].Y, 40.0);
}

TEST_F(Pieces, DeleteKeepsOrderAndBadNumbersDoNothing) {
    for (int i = 1; i <= 5; ++i) Stapel(1, 2, 1, static_cast<std::uint16_t>(i));
    EinheitLoeschen(3);
    ASSERT_EQ(EinheitenAnzahl, 4);
    EXPECT_EQ(Einheiten[1].Anzahl, 1);
    EXPECT_EQ(Einheiten[2].Anzahl, 2);
    EXPECT_EQ(Einheiten[3].Anzahl, 4);
    EXPECT_EQ(Einheiten[4].Anzahl, 5);
    EinheitLoeschen(4);
    EXPECT_EQ(EinheitenAnzahl, 3);
    for (std::uint32_t bad : {0u, 4u, 1000u, 65535u, 0xFFFFFFFFu}) {
        EinheitLoeschen(bad);
        EinheitReduzieren(bad, 1);
    }
    EXPECT_EQ(EinheitenAnzahl, 3);
    EinheitReduzieren(3, 3);  // stack of 4 keeps 1
    EXPECT_EQ(Einheiten[3].Anzahl, 1);
    EinheitReduzieren(2, 5);  // more than it holds removes it
    EXPECT_EQ(EinheitenAnzahl, 2);
    EXPECT_EQ(Einheiten[2].Anzahl, 1);
    EinheitReduzieren(1, 1);
    EXPECT_EQ(EinheitenAnzahl, 1);
}

TEST_F(Pieces, SearchFindsTheLowerNumberedTwin) {
    Stapel(4, 2, 1, 7);
    Stapel(4, 2, 1, 9);
    std::uint16_t nummer, anzahl;
    EinheitSuchen(4, 2, 1, nummer, anzahl);
    EXPECT_EQ(nummer, 1);
    EXPECT_EQ(anzahl, 7);
    EinheitSuchen(4, 2, 2, nummer, anzahl);
    EXPECT_EQ(nummer, 0);
    EXPECT_EQ(anzahl, 0);
}

TEST_F(Pieces, RandomUnitsFollowTheFixedSequence) {
    ZufallSeed = 0;
    // First draws worked out by hand from s := s * 134775813 + 1 and (s * n) >> 32.
    EXPECT_EQ(Zufall(1500), 0u);
    EXPECT_EQ(Zufall(900), 28u);
    EXPECT_EQ(Zufall(5) + 1, 5u);
    EXPECT_EQ(Zufall(11) + 1, 3u);
    EXPECT_EQ(Zufall(1500), 409u);
    EXPECT_EQ(Zufall(900), 604u);
    EXPECT_EQ(Zufall(5) + 1, 2u);
    EXPECT_EQ(Zufall(11) + 1, 2u);

    // On a picture covering the whole map every draw lands in a sector.
    SektorBild.Breite = MapBreite;
    SektorBild.Hoehe = MapHoehe;
    SektorBild.Rgb.assign(static_cast<std::size_t>(MapBreite) * MapHoehe, 0x050505);
    ZufallSeed = 0;
    ZufallsEinheiten();
    ASSERT_GE(EinheitenAnzahl, 1);
    EXPECT_EQ(Einheiten[1].X, 0.0);
    EXPECT_EQ(Einheiten[1].Y, 28.0);
    EXPECT_EQ(Einheiten[1].Besitzer, 5);
    EXPECT_EQ(Einheiten[1].Art, 3);
    EXPECT_EQ(Einheiten[2].X, 409.0);
    EXPECT_EQ(Einheiten[2].Besitzer, 2);
    // 55 kinds and owners in one sector: every unit is merged or new, except the flags that a
    // later flag of another power took away.
    ZufallSeed = 0;
    std::uint32_t erwartet = 0, flaggen[6] = {};
    for (int i = 0; i < 100; ++i) {
        Zufall(1500);
        Zufall(900);
        const std::uint32_t besitzer = Zufall(5) + 1;
        if (Zufall(11) + 1 != eaFlagge) {
            ++erwartet;
            continue;
        }
        for (std::uint32_t p = 1; p <= 5; ++p)
            if (p != besitzer) flaggen[p] = 0;
        ++flaggen[besitzer];
    }
    for (std::uint32_t f : flaggen) erwartet += f;
    std::uint32_t summe = 0;
    for (int i = 1; i <= EinheitenAnzahl; ++i) summe += Einheiten[i].Anzahl;
    EXPECT_EQ(summe, erwartet);
    EXPECT_LT(erwartet, 100u);
}

}  // namespace

// ---- Undo and redo ------------------------------------------------------------------------

namespace {

struct TBrett {
    TEinheit E[MaxEinheiten + 1];
    std::int32_t N;
    TSektor S[SektorenAnzahl + 1];
    std::string Name, Titel;
};

std::unique_ptr<TBrett> Brett() {
    auto b = std::make_unique<TBrett>();
    std::memcpy(b->E, Einheiten, sizeof b->E);
    std::memcpy(b->S, Sektoren, sizeof b->S);
    b->N = EinheitenAnzahl, b->Name = MapName, b->Titel = MapTitel;
    return b;
}

// Every slot, the ones beyond the count too: a new stack takes its padding bytes from its slot.
void WieVorher(const TBrett& b) {
    EXPECT_EQ(EinheitenAnzahl, b.N);
    EXPECT_EQ(std::memcmp(Einheiten, b.E, sizeof b.E), 0);
    EXPECT_EQ(std::memcmp(Sektoren, b.S, sizeof b.S), 0);
    EXPECT_EQ(MapName, b.Name);
    EXPECT_EQ(MapTitel, b.Titel);
}

class Schritte : public Pieces {
protected:
    std::mt19937 z{20261208};
    int Z(int n) { return static_cast<int>(z() % static_cast<unsigned>(n)); }
    void SetUp() override {
        Pieces::SetUp();
        // Columns of 13 pixels over the whole map, so random units find sectors.
        SektorBild.Breite = MapBreite, SektorBild.Hoehe = MapHoehe;
        SektorBild.Rgb.resize(std::size_t{MapBreite} * MapHoehe);
        for (int y = 0; y < MapHoehe; ++y)
            for (int x = 0; x < MapBreite; ++x) SektorPixel(x, y, 1 + (x / 13) % 127);
        MapName = "Start", MapTitel = "Start.map";
        SchritteLeeren();
    }
    void Stapeln(int n) {
        for (int i = 0; i < n; ++i) {
            const double x = Z(MapBreite), y = Z(MapHoehe);
            EinheitHinzufuegen(SektorAn({x, y}), 1 + Z(11), 1 + Z(5), x, y, 1 + Z(30));
            for (auto& b : Einheiten[EinheitenAnzahl].Padding) b = static_cast<std::uint8_t>(z());
        }
    }
    TMapPunkt Punkt() { return {Z(MapBreite) + Z(8) / 8.0, double(Z(MapHoehe))}; }
    // One step of a random kind; some changes bypass the brackets, as a forgotten caller would.
    void Schritt(const TempOrdner& tmp, int k) {
        const int art = Z(11);
        const std::uint32_t i = 1 + Z(std::max(EinheitenAnzahl, 1));
        if (art == 9) {
            if (EinheitenAnzahl) EinheitLoeschen(i);
            return;
        }
        TSchrittKlammer schritt;
        if (art == 0) EinheitenSetzen(Punkt(), 1 + Z(11), 1 + Z(5), 1 + Z(12));
        if (art == 1 && EinheitenAnzahl) {  // a carry
            const TEinheit e = Einheiten[i];
            EinheitReduzieren(i, 1 + Z(e.Anzahl + 2));
            EinheitenSetzen(Punkt(), e.Art, e.Besitzer, e.Anzahl);
        }
        if (art == 2 && EinheitenAnzahl) EinheitReduzieren(i, 1 + Z(20));
        if (art == 3) {  // a flag that takes its sector
            const TMapPunkt m = Punkt();
            for (std::int32_t j = EinheitenAnzahl; j >= 1; --j)
                if (Einheiten[j].Art == eaFlagge && Einheiten[j].Sektor == SektorAn(m)) EinheitLoeschen(j);
            EinheitenSetzen(m, eaFlagge, 1 + Z(5), 1);
        }
        if (art == 4) ZufallsEinheiten();
        if (art == 5) SektorNameSetzen(Sektoren[1 + Z(130)], "Edited " + std::to_string(k));
        if (art == 6) Sektoren[1 + Z(128)].HotSpotX = Z(MapBreite);
        if (art == 7) {  // load map, with its name in the caption
            const std::string f = tmp.Datei("m" + std::to_string(k) + ".map");
            std::vector<std::uint8_t> d(4 + 24 * Z(301));
            for (auto& b : d) b = static_cast<std::uint8_t>(z());
            const std::int32_t n = static_cast<std::int32_t>((d.size() - 4) / 24);
            std::memcpy(d.data(), &n, 4);
            BytesSchreiben(f, d);
            MapLaden(f);
            MapName = MapTitel = f;
        }
        if (art == 8) {
            std::vector<std::uint8_t> d(SektorDateiGroesse);
            for (auto& b : d) b = static_cast<std::uint8_t>(z());
            BytesSchreiben(tmp.Datei("s.sek"), d);
            SektorenLaden(tmp.Datei("s.sek"));
        }
        if (art == 10)  // some undone, and the next step drops them
            for (int u = Z(4); u > 0; --u) Rueckgaengig();
    }
};

}  // namespace

TEST_F(Schritte, UndoingEveryStepGivesTheStartByteForByteAndRedoingTheEnd) {
    TempOrdner tmp;
    Stapeln(500);
    SchritteLeeren();
    const auto start = Brett();
    for (int k = 0; k < 400; ++k) Schritt(tmp, k);
    const int gemacht = SchritteGemacht();
    EXPECT_TRUE(KannRueckgaengig());
    while (Rueckgaengig()) {}
    WieVorher(*start);
    EXPECT_FALSE(KannRueckgaengig());
    // The slots beyond the count are no part of the position: changed alone, no step.
    Einheiten[EinheitenAnzahl + 1].X += 1;
    EXPECT_FALSE(KannRueckgaengig());
    Einheiten[EinheitenAnzahl + 1].X -= 1;
    for (int k = 0; k < 9 && Wiederholen(); ++k) {}
    // A step in the middle of the history drops the steps that could have been redone.
    SchrittBeginnen();
    EinheitHinzufuegen(1, eaPanzer, bsJapan, 5, 5, 3);
    SchrittBeenden(TSchrittAngaben{});
    EXPECT_EQ(SchritteGemacht(), 10);
    EXPECT_FALSE(KannWiederholen());
    Rueckgaengig();
    while (Rueckgaengig()) {}
    WieVorher(*start);
    // Once more from the start, and everything redone.
    for (int k = 0; k < 400; ++k) Schritt(tmp, k);
    const auto ende2 = Brett();
    while (Rueckgaengig()) {}
    WieVorher(*start);
    while (Wiederholen()) {}
    WieVorher(*ende2);
    EXPECT_GT(gemacht, 250);
}

TEST_F(Schritte, AThousandStepsOnAThousandStacksKeepUnderTwoMegabytes) {
    Stapeln(MaxEinheiten);
    SchritteLeeren();
    const auto start = Brett();
    for (int k = 0; k < 2000 && SchritteAnzahl() < 1000; ++k) {
        TSchrittKlammer schritt;
        const std::uint32_t i = 1 + Z(EinheitenAnzahl);
        const TEinheit e = Einheiten[i];
        switch (k % 5) {
        case 0: EinheitenSetzen({e.X, e.Y}, e.Art, e.Besitzer, 1); break;
        case 1: EinheitReduzieren(i, 1 + Z(2 * e.Anzahl)); break;
        case 2: EinheitReduzieren(i, 1), EinheitenSetzen(Punkt(), e.Art, e.Besitzer, 1); break;
        case 3: Einheiten[i].X = Z(MapBreite), Einheiten[i].Y = Z(MapHoehe); break;
        case 4: Sektoren[1 + Z(128)].HotSpotY = k; break;
        }
    }
    EXPECT_EQ(SchritteAnzahl(), 1000);
    EXPECT_LE(SchritteBelegt(), 2000000u);
    EXPECT_LE(SchritteSpeicher, 2000000u);
    std::printf("1000 steps on 1000 stacks: %zu bytes of %zu\n", SchritteBelegt(), SchritteSpeicher);
    while (Rueckgaengig()) {}
    WieVorher(*start);
}

TEST_F(Schritte, WhenFullTheOldestStepsGo) {
    TempOrdner tmp;
    std::vector<std::unique_ptr<TBrett>> nach;
    for (int k = 0; k < 80; ++k) {
        TSchrittKlammer schritt;
        EinheitenAnzahl = 0;
        Stapeln(MaxEinheiten);
        nach.push_back(Brett());
    }
    const int n = SchritteAnzahl();
    EXPECT_LT(n, 80);
    EXPECT_GT(n, 20);
    while (Rueckgaengig()) {}
    WieVorher(*nach[79 - n]);
    while (Wiederholen()) {}
    WieVorher(*nach[79]);
}
