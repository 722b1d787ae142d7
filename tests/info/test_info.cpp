// The tool windows on their own: the palette's chart, the tallies in the game information
// window, the sector information fill, and the input reactions without a main window.
#include <QCloseEvent>
#include <QLabel>
#include <QScrollArea>
#include <QWindow>
#include <QTest>
#include <gtest/gtest.h>

#include "TestHilfen.h"
#include "UBearbeiten.h"
#include "board/BoardHilfen.h"
#include "display/DisplayTestHilfen.h"
#include "UDDrawInit.h"
#include "UFensterHilfen.h"
#include "UGameInfoForm.h"
#include "UInputs.h"
#include "UPieces.h"
#include "USchritte.h"
#include "USektorInfoForm.h"
#include "USpielstand.h"
#include "UToolsForm.h"
#include "UVariablen.h"

namespace {

class Fenster : public ::testing::Test {
protected:
    void SetUp() override {
        VariablenZuruecksetzen();
        Spielstand = TSpielstand{};
    }
};

}  // namespace

TEST_F(Fenster, TheChartSelectsKindByColumnAndOwnerByRow) {
    TToolsForm f(nullptr);
    struct {
        int X, Y;
        TEinheitArt Art;
        TBesitzer Besitzer;
    } faelle[] = {{0, 0, eaFlagge, bsRussland}, {164, 49, eaFlak, bsUSA}, {15, 10, eaInfanterie, bsDeutschland},
                  {14, 9, eaFlagge, bsRussland}, {150, 40, eaFlak, bsUSA}};
    for (const auto& c : faelle) {
        // QTest takes (0, 0) for "the middle"; that one corner goes to the handler itself.
        if (c.X == 0 && c.Y == 0)
            f.PiecesImageMouseDown(0, 0);
        else
            QTest::mouseClick(f.PiecesImage, Qt::LeftButton, {}, QPoint(c.X, c.Y));
        EXPECT_EQ(ToolMode, tmPlace);
        EXPECT_EQ(Selection.Art, c.Art) << c.X << "," << c.Y;
        EXPECT_EQ(Selection.Besitzer, c.Besitzer) << c.X << "," << c.Y;
        EXPECT_EQ(Selection.Anzahl, 1);
        // The chosen cell is framed, the frame one pixel beyond it.
        EXPECT_EQ(f.Rahmen->geometry(), QRect((c.Art - 1) * 15 - 1, (c.Besitzer - 1) * 10 - 1, 17, 12));
    }
    // Any button chooses.
    QTest::mouseClick(f.PiecesImage, Qt::RightButton, {}, QPoint(31, 21));
    EXPECT_EQ(Selection.Art, eaPanzer);
    EXPECT_EQ(Selection.Besitzer, bsEngland);
    QTest::mouseClick(f.KillImage, Qt::LeftButton);
    EXPECT_EQ(f.Rahmen->geometry(), f.KillImage->geometry().adjusted(-1, -1, 1, 1));
    EXPECT_EQ(ToolMode, tmKill);
    EXPECT_EQ(Selection.Art, 0);
    EXPECT_EQ(Selection.Anzahl, 1);
    QTest::mouseClick(f.MoveImage, Qt::LeftButton);
    EXPECT_EQ(f.Rahmen->geometry(), f.MoveImage->geometry().adjusted(-1, -1, 1, 1));
    EXPECT_EQ(ToolMode, tmMove);
    EXPECT_EQ(Selection.Anzahl, 0);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("tools"));
    f.show();
    QCloseEvent vomNutzer;
    QCoreApplication::sendEvent(f.windowHandle(), &vomNutzer);
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.close());
    EXPECT_TRUE(f.windowFlags() & Qt::WindowStaysOnTopHint);
}

// The palette's and tool bar's own pictures are optional: a broken one is said on standard
// error and the built-in picture drawn instead (it was dropped without a word).
TEST_F(Fenster, ABrokenOptionalPictureIsReportedAndTheBuiltInOneUsed) {
    TempOrdner tmp;
    ImOrdner hier(tmp.Pfad());
    QImage knopf(23, 23, QImage::Format_RGB32);
    knopf.fill(Qt::red);
    ASSERT_TRUE(knopf.save("ToolsMove.BMP", "BMP"));
    EXPECT_EQ(BildDatei("ToolsMove.BMP").pixel(5, 5), qRgb(255, 0, 0));
    std::vector<std::uint8_t> d = Bytes("ToolsMove.BMP");
    d.resize(d.size() / 2);
    BytesSchreiben("ToolsMove.BMP", d);
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(BildDatei("ToolsMove.BMP").isNull());
    TToolsForm f(nullptr);
    const std::string fehler = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(fehler.find("ToolsMove.BMP: is cut short"), std::string::npos) << fehler;
    EXPECT_NE(fehler.find("the built-in picture is used instead"), std::string::npos) << fehler;
    EXPECT_FALSE(f.MoveImage->pixmap().isNull());
}

TEST_F(Fenster, TheGameInformationWindowShowsEveryFigureAndHint) {
    TGameInfoForm f(nullptr);
    struct Anzeige : TOhneFenster {
        void SpielstandGeaendert() override { SpielstandAnzeigen(); }
    } fenster;
    ::Fenster = &fenster;
    Sektoren[1].StartBesitzer = bsDeutschland;
    Sektoren[1].ICPs = 12;
    Sektoren[2].StartBesitzer = bsUSA;
    Sektoren[2].ICPs = 7;
    EinheitHinzufuegen(1, eaInfanterie, bsDeutschland, 0, 0, 3);
    EinheitHinzufuegen(1, eaSchlachtschiff, bsJapan, 0, 0, 2);
    SpielstandAktualisieren();
    ::Fenster = &OhneFenster;
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("GIncome"))->text(), QStringLiteral("12"));
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("GLUnits"))->text(), QStringLiteral("9"));
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("JSUnits"))->text(), QStringLiteral("48"));
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("AxAllUnits"))->text(), QStringLiteral("57"));
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("USIncome"))->text(), QStringLiteral("7"));
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("AlIncome"))->text(), QStringLiteral("7"));
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("RIncome"))->text(), QStringLiteral("0"));
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("AxAllUnits"))->toolTip(), QStringLiteral("3Inf 2BB"));
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("GLUnits"))->toolTip(), QStringLiteral("3Inf "));
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("AxIncome"))->toolTip(),
              QStringLiteral("how much incomes have the Axis"));
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("UKIncome"))->toolTip(), QStringLiteral("how much incomes has UK"));
    // Large figures are shown in full, never wrapped at 8 or 16 bits.
    Spielstand.Income[bsRussland] = 300;
    Spielstand.SeaUnits[bsRussland] = 105600;
    SpielstandAnzeigen();
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("RIncome"))->text(), QStringLiteral("300"));
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("RSUnits"))->text(), QStringLiteral("105600"));
}

TEST_F(Fenster, TheSectorInformationKeepsTheLastSectorOverNoSector) {
    TSektorInfoForm f(nullptr);
    SektorNameSetzen(Sektoren[7], "Westland");
    Sektoren[7].StartBesitzer = bsEngland;
    Sektoren[7].ICPs = 4;
    Sektoren[7].Land = 1;
    Sektoren[7].HotSpotX = 120;
    Sektoren[7].HotSpotY = 33;
    SektorInfoFuellen(7);
    EXPECT_EQ(f.SektornummerLabel->text(), QStringLiteral("7"));
    EXPECT_EQ(f.SektornameLabel->text(), QStringLiteral("Westland"));
    EXPECT_EQ(f.StartbesitzerLabel->text(), QStringLiteral("United Kingdom"));
    EXPECT_EQ(f.ICPsLabel->text(), QStringLiteral("4"));
    EXPECT_EQ(f.LandWasserLabel->text(), QStringLiteral("Land"));
    EXPECT_EQ(f.ICPsHotSpotLabel->text(), QStringLiteral("120 / 33"));
    // The holder beside the start owner, and the sector's stacks a line per power.
    EXPECT_EQ(f.HalterLabel->text(), QStringLiteral("neutral"));
    Spielstand.Halter[7] = bsJapan;
    Einheiten[1] = TEinheit{0, 0, eaInfanterie, bsJapan, 3, 7, {}};
    Einheiten[2] = TEinheit{0, 0, eaJaeger, bsRussland, 1, 7, {}};
    Einheiten[3] = TEinheit{0, 0, eaFlagge, bsJapan, 1, 7, {}};
    Einheiten[4] = TEinheit{0, 0, eaPanzer, bsJapan, 9, 8, {}};
    EinheitenAnzahl = 4;
    SektorInfoFuellen(7);
    EXPECT_EQ(f.HalterLabel->text(), QStringLiteral("Japan"));
    EXPECT_EQ(f.StapelLabel->text(), QStringLiteral("Russia: Fighter 1\nJapan: Infantry 3, Flag 1"));
    // Five powers of every kind: the window keeps its size, every line of the stacks is scrolled to.
    const QSize groesse = f.size();
    EinheitenAnzahl = 0;
    for (int p = 1; p <= BesitzerAnzahl; ++p)
        for (int a = 1; a <= ArtenAnzahl; ++a)
            Einheiten[++EinheitenAnzahl] = TEinheit{0, 0, static_cast<TEinheitArt>(a), static_cast<TBesitzer>(p), 12, 7, {}};
    SektorInfoFuellen(7);
    auto* flaeche = f.findChild<QScrollArea*>();
    ASSERT_TRUE(flaeche && flaeche->isAncestorOf(f.StapelLabel) && f.StapelLabel->height() > flaeche->height());
    EXPECT_GE(f.StapelLabel->height(), f.StapelLabel->heightForWidth(f.StapelLabel->width()));
    EXPECT_EQ(f.size(), groesse);
    for (int s : {0, 131, 200, 255}) SektorInfoFuellen(static_cast<std::uint8_t>(s));
    EXPECT_EQ(f.SektornummerLabel->text(), QStringLiteral("7"));
    Sektoren[130].Land = 0;
    SektorInfoFuellen(130);
    EXPECT_EQ(f.LandWasserLabel->text(), QStringLiteral("Wasser"));
}

TEST(Eingaben, TheStatusBarSaysWherePiecesCannotStand) {
    VariablenZuruecksetzen();
    SektorNameSetzen(Sektoren[128], "Sahara Desert");
    EXPECT_EQ(KeinePiecesText(12), "");
    EXPECT_EQ(KeinePiecesText(0), " // no pieces here: a border");
    EXPECT_EQ(KeinePiecesText(128), " // no pieces here: Sahara Desert");
    EXPECT_EQ(KeinePiecesText(255), " // no pieces here: no sector");
}

TEST(Eingaben, PickUpCountRule) {
    TShiftState keine, shift, ctrl, beide;
    shift.Shift = true;
    ctrl.Ctrl = true;
    beide.Shift = beide.Ctrl = true;
    EXPECT_EQ(AufnahmeAnzahl(keine, 37), 1);
    EXPECT_EQ(AufnahmeAnzahl(shift, 37), 5);
    EXPECT_EQ(AufnahmeAnzahl(shift, 3), 3);
    EXPECT_EQ(AufnahmeAnzahl(ctrl, 37), 10);
    EXPECT_EQ(AufnahmeAnzahl(ctrl, 7), 7);
    EXPECT_EQ(AufnahmeAnzahl(beide, 37), 37);
    EXPECT_EQ(AufnahmeAnzahl(beide, 4000), 4000);
    // A stack of none (only from a file) gives nothing to carry.
    EXPECT_EQ(AufnahmeAnzahl(keine, 0), 0);
}

TEST(Eingaben, WithoutPicturesAMoveUpdatesThePointerButDrawsNothing) {
    VariablenZuruecksetzen();
    OhneFenster = TOhneFenster{};
    OhneFenster.ToolBar = 29;
    ViewBreite = 300;
    ViewHoehe = 200;
    MouseMoved(TShiftState{}, 500, 10);
    // Clamped to the view: x to its width, y to the tool bar's bottom.
    EXPECT_EQ(CursorPoint.X, 300);
    EXPECT_EQ(CursorPoint.Y, 0);
    EXPECT_EQ(LastMousePoint.X, 300);
    EXPECT_EQ(LastMousePoint.Y, 29);
    EXPECT_EQ(AktuellerSektor, 0);
}

TEST_F(Fenster, EditsAreStepsInWordsAndUnitsPutBackAreNone) {
    DisplayAufbauen(32, 200, 100);  // clicks draw a frame
    TestSektorBild();                // column x lies in sector 1 + x / 10
    Sektor(3, "Ukraine", 1, 2), Sektor(4, "Karelia", 1, 2), Sektor(6, "Caucasus", 1, 4);
    Sektor(9, "Eastern United States", 5, 10);
    Stapel(3, eaPanzer, bsDeutschland, 3, 25, 50);
    Stapel(9, eaInfanterie, bsDeutschland, 12, 85, 50);
    SchritteLeeren();
    struct Zeilen : TOhneFenster {
        std::string Stand;  // the Edit menu's rows as the window makes them when told they changed
        void SchritteGeaendert() override {
            Stand = (EditRueckgaengigMoeglich() ? "+" : "-") + RueckgaengigText() +
                    (EditWiederholenMoeglich() ? " +" : " -") + WiederholenText();
        }
    } fenster;
    static_cast<TOhneFenster&>(fenster) = OhneFenster;
    ::Fenster = &fenster;
    struct Zurueck {
        ~Zurueck() { ::Fenster = &OhneFenster; }
    } zurueck;
    TShiftState shift;
    shift.Shift = true;
    const TEinheit vorher[2] = {Einheiten[1], Einheiten[2]};
    // Taken whole, then put back by Escape, the right button and undo: the list exactly as before.
    for (int weg = 0; weg < 3; ++weg) {
        MausGedrueckt(mkLinks, shift, 25, 50);
        ASSERT_EQ(EinheitenAnzahl, 1);
        EXPECT_EQ(fenster.Stand, "+undo: put back Germany 3 Armor in Ukraine -redo");
        if (weg == 0) KeyPressed('\x1b');
        if (weg == 1) MausGedrueckt(mkRechts, {}, 25, 50), MausLosgelassen(mkRechts, {}, 25, 50);
        if (weg == 2) EditRueckgaengig();
        EXPECT_EQ(ToolMode, tmMove);
        EXPECT_EQ(std::memcmp(&Einheiten[1], vorher, sizeof vorher), 0);
        EXPECT_EQ(fenster.Stand, "-undo -redo");
    }
    MausGedrueckt(mkLinks, shift, 25, 50);
    MausLosgelassen(mkLinks, shift, 55, 50);
    ToolMode = tmKill, Selection.Anzahl = 10;
    ViewBreite = 200, ViewHoehe = 100;  // Escape's redraw measured the window-less view anew
    MouseMoved({}, 85, 50);
    MausGedrueckt(mkLinks, {}, 85, 50);
    EXPECT_EQ(RueckgaengigText(), "undo: Germany -10 Infantry in Eastern United States");
    ToolMode = tmPlace, Selection = {eaInfanterie, bsRussland, 2};
    MausGedrueckt(mkLinks, {}, 35, 50);
    TSchrittAngaben flagge{saFlagge, eaFlagge, bsDeutschland, 4, 4, 1, 1 << bsRussland, ""};
    SchrittBeginnen(), SchrittBeenden(flagge);  // words only: nothing changed, so no step
    SchrittBeginnen(), EinheitHinzufuegen(4, eaFlagge, bsDeutschland, 35, 50, 1), SchrittBeenden(flagge);
    SchrittBeginnen(), MapName = "/spiel/Round-03.map", SchrittBeenden({saMapLaden, 0, 0, 0, 0, 0, 0, MapName});
    EXPECT_EQ(EditLogText(), "Germany: 3 Armor Ukraine -> Caucasus\nGermany: -10 Infantry Eastern United States\n"
                             "Russia: +2 Infantry Karelia\nGermany: flag in Karelia (Russia's flag removed)\n"
                             "load map Round-03.map\n");
    SektorNameSetzen(Sektoren[4], "Kar_elia");
    EXPECT_NE(EditLogMarkdown().find("3. Russia: +2 Infantry Kar\\_elia\n"), std::string::npos);
    // A change made beside the brackets becomes a step of its own when the history is next used.
    EditBis(1);  // a done line: undone with all after it
    EXPECT_EQ(SchrittZeile(5), "change");
    EXPECT_EQ(SektorName(Sektoren[4]), "Karelia");
    EXPECT_EQ(EditLogMarke(), 0);
    EXPECT_EQ(WiederholenText(), "redo: Germany -10 Infantry in Eastern United States");
    EXPECT_EQ(MapName, "");
    EXPECT_EQ(Einheiten[1].Anzahl, 12);
    ToolMode = tmMove;
    MausGedrueckt(mkLinks, {}, 85, 50);
    EXPECT_EQ(fenster.Stand, "+undo: put back Germany 1 Infantry in Eastern United States -redo");
    KeyPressed('\x1b');
    EXPECT_EQ(fenster.Stand,
              "+undo: Germany 3 Armor Ukraine -> Caucasus +redo: Germany -10 Infantry in Eastern United States");
    EditBis(4);
    EXPECT_EQ(MapName, "/spiel/Round-03.map");
    EXPECT_EQ(WiederholenText(), "redo: change");
    // "save map as..." names the map anew without a step: the step to redo stays.
    MapName = MapTitel = "/spiel/Round-04.map";
    NamenUebernehmen();
    EXPECT_TRUE(EditWiederholenMoeglich());
    EXPECT_EQ(SchritteAnzahl(), 6);
    ReleaseObjects();
}
