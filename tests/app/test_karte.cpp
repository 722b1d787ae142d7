// Editing on the map through the real main window: placing, picking up and dropping,
// deleting, the count keys, scrolling, zooming, the status bar and the pointer.
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "AppHilfen.h"
#include "Main.h"
#include "UBildaufbau.h"
#include "UDateien.h"
#include "UMapView.h"
#include "UGameInfoForm.h"
#include "UPieces.h"
#include "USektorInfoForm.h"
#include "USpielstand.h"
#include "UToolsForm.h"

namespace {

// The program with its tool windows out of the way and a view as large as the screen allows.
class Karte : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(lauf.Gestartet());
        GameInfoForm->move(0, 620);
        ToolsForm->move(400, 620);
        MapForm->resize(760, 560);
        QApplication::processEvents();
        MapForm->Client->repaint();
        ASSERT_EQ(ViewBreite, 760);
        s1 = LandSektor();
        s2 = LandSektor(s1);
        ASSERT_TRUE(s1 && s2);
        ASSERT_TRUE(PunktIn(s1, m1));
        ASSERT_TRUE(PunktIn(s2, m2));
        // A second point of s1, off the first stack.
        m1b = MapPunkt(m1.X + 3, m1.Y + 2);
        ASSERT_EQ(SektorAn(m1b), s1);
        ASSERT_TRUE(GrenzPunkt(grenze));
        EinheitenAnzahl = 0;
    }

    static void Bewegen(QPoint p) {
        QWidget* c = MapForm->Client;
        if (c->mapFromGlobal(QCursor::pos()) == p) QTest::mouseMove(c, p + QPoint(1, 0));
        QTest::mouseMove(c, p);
        QApplication::processEvents();
    }
    static void Druecken(QPoint p, Qt::KeyboardModifiers m = {}, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mousePress(MapForm->Client, b, m, p);
    }
    static void Loslassen(QPoint p, Qt::KeyboardModifiers m = {}, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseRelease(MapForm->Client, b, m, p);
    }
    static std::uint16_t Anzahl(std::uint8_t s, TEinheitArt art = eaPanzer, TBesitzer b = bsDeutschland) {
        std::uint16_t nummer, anzahl;
        EinheitSuchen(s, art, b, nummer, anzahl);
        return anzahl;
    }
    static const TEinheit* Stapel(std::uint8_t s, TEinheitArt art = eaPanzer, TBesitzer b = bsDeutschland) {
        std::uint16_t nummer, anzahl;
        EinheitSuchen(s, art, b, nummer, anzahl);
        return nummer ? &Einheiten[nummer] : nullptr;
    }
    static void Stapeln(std::uint8_t s, TMapPunkt m, std::uint16_t n, TEinheitArt art = eaPanzer) {
        EinheitHinzufuegen(s, art, bsDeutschland, m.X, m.Y, n);
        SpielstandAktualisieren();
    }
    // One key event as the window system sends it (QTest adds events of its own for the modifiers).
    static void Taste(QEvent::Type art, Qt::Key taste, Qt::KeyboardModifiers m) {
        QKeyEvent e(art, taste, m);
        QApplication::sendEvent(MapForm->Client, &e);
    }
    // Pixels of the presented view in a square around a map point.
    static QImage Umgebung(TMapPunkt m) {
        const QPoint v = ClientPunkt(m) - QPoint(0, 29);
        return PraesentierteView().copy(v.x() - 12, v.y() - 12, 24, 24);
    }

    Lauf lauf;
    std::uint8_t s1 = 0, s2 = 0;
    TMapPunkt m1{}, m2{}, m1b{}, grenze{};
};

}  // namespace

TEST_F(Karte, PlacingWithThePaletteShowsAfterTheNextMove) {
    QTest::mouseClick(ToolsForm->PiecesImage, Qt::LeftButton, {}, QPoint(17, 12));
    EXPECT_EQ(ToolMode, tmPlace);
    EXPECT_EQ(Selection.Art, eaInfanterie);
    EXPECT_EQ(Selection.Besitzer, bsDeutschland);
    const QPoint weg = ClientPunkt(m2);
    Bewegen(weg);
    const QImage vorher = Umgebung(m1);
    Druecken(ClientPunkt(m1));
    EXPECT_EQ(Anzahl(s1, eaInfanterie), 1);
    EXPECT_EQ(Umgebung(m1), vorher) << "a placing press draws no frame";
    Bewegen(weg + QPoint(0, 3));
    EXPECT_NE(Umgebung(m1), vorher);
    Loslassen(ClientPunkt(m1));
    // Every further click adds again, and the tallies follow.
    Druecken(ClientPunkt(m1));
    Loslassen(ClientPunkt(m1));
    EXPECT_EQ(Anzahl(s1, eaInfanterie), 2);
    EXPECT_EQ(Spielstand.LandUnits[bsDeutschland], 6u);
    EXPECT_EQ(GameInfoForm->Werte[4][1]->text(), QStringLiteral("6"));
    // A click on a border places nothing.
    Druecken(ClientPunkt(grenze));
    EXPECT_EQ(EinheitenAnzahl, 1);
}

TEST_F(Karte, OnlyLeftPressesInsideTheMapViewEdit) {
    QTest::mouseClick(ToolsForm->PiecesImage, Qt::LeftButton, {}, QPoint(17, 12));
    ASSERT_EQ(ToolMode, tmPlace);
    // The tool bar's empty part and the status bar lie above and below the view.
    const QPoint leer(MapForm->Client->width() - 5, 10), status(300, 29 + ViewHoehe + 5);
    for (QPoint p : {leer, status}) {
        Druecken(p);
        Loslassen(p);
    }
    // Back and forward act as no left button.
    Druecken(ClientPunkt(m1), {}, Qt::BackButton);
    Loslassen(ClientPunkt(m1), {}, Qt::BackButton);
    Druecken(ClientPunkt(m1), {}, Qt::ForwardButton);
    Loslassen(ClientPunkt(m1), {}, Qt::ForwardButton);
    EXPECT_EQ(EinheitenAnzahl, 0);
    Druecken(ClientPunkt(m1));
    EXPECT_EQ(Anzahl(s1, eaInfanterie), 1);
}

// A right drag begun on the tool bar's empty part neither scrolls nor keeps the pointer in
// the view, and its release ends it.
TEST_F(Karte, ARightDragBegunOutsideTheViewDoesNothing) {
    const QPoint leer(MapForm->Client->width() - 5, 10), p(300, 200);
    Bewegen(p);
    const std::int32_t sx = ScrollX, sy = ScrollY;
    Druecken(leer, {}, Qt::RightButton);
    QTest::mouseMove(MapForm->Client, leer + QPoint(-60, 5));
    QTest::mouseMove(MapForm->Client, p + QPoint(50, 40));
    EXPECT_EQ(ScrollX, sx);
    EXPECT_EQ(ScrollY, sy);
    EXPECT_FALSE(DragScrolled);
    EXPECT_EQ(CursorPoint.X, p.x() + 50);
    Loslassen(p + QPoint(50, 40), {}, Qt::RightButton);
    QTest::mouseMove(MapForm->Client, p);
    EXPECT_EQ(ScrollX, sx);
}

// An option shows at once, without the pointer moving: the view is the frame composed whole.
TEST_F(Karte, AnOptionShowsWithoutAMove) {
    Bewegen(ClientPunkt(m1));
    for (int i = 0; i < 2; ++i) {
        const bool vorher = ICPsAnzeigen;
        MapForm->OptionsMenu_ICPsAnzeigen->trigger();
        ASSERT_NE(ICPsAnzeigen, vorher);
        const QImage gezeigt = PraesentierteView();
        FrameKomponieren();
        TBild ganz;
        ViewAlsBild(ganz);
        ASSERT_EQ(gezeigt.width(), ganz.Breite);
        for (int y = 0; y < ganz.Hoehe; ++y)
            for (int x = 0; x < ganz.Breite; ++x)
                ASSERT_EQ(gezeigt.pixel(x, y) & 0xFFFFFFu, ganz.Rgb[std::size_t(y) * ganz.Breite + x]) << x << "," << y;
    }
}

struct Aufnahme {
    Qt::KeyboardModifiers Tasten;
    std::uint16_t Getragen;
};

class Tragen : public Karte, public ::testing::WithParamInterface<Aufnahme> {};

TEST_P(Tragen, DroppingInTheSameSectorMovesTheStack) {
    Stapeln(s1, m1, 37);
    Druecken(ClientPunkt(m1), GetParam().Tasten);
    EXPECT_EQ(ToolMode, tmCarry);
    EXPECT_EQ(Selection.Anzahl, GetParam().Getragen);
    EXPECT_EQ(Anzahl(s1), 37 - GetParam().Getragen);
    EXPECT_EQ(CarrySector, s1);
    Loslassen(ClientPunkt(m1b), GetParam().Tasten);
    EXPECT_EQ(ToolMode, tmMove);
    EXPECT_EQ(Selection.Art, 0);
    EXPECT_EQ(CarrySector, 0);
    ASSERT_NE(Stapel(s1), nullptr);
    EXPECT_EQ(Stapel(s1)->Anzahl, 37);
    EXPECT_DOUBLE_EQ(Stapel(s1)->X, m1b.X);
    EXPECT_DOUBLE_EQ(Stapel(s1)->Y, m1b.Y);
    EXPECT_EQ(EinheitenAnzahl, 1);
}

TEST_P(Tragen, DroppingOnABorderReturnsTheUnits) {
    Stapeln(s1, m1, 37);
    Druecken(ClientPunkt(m1), GetParam().Tasten);
    Loslassen(ClientPunkt(grenze), GetParam().Tasten);
    EXPECT_EQ(ToolMode, tmMove);
    ASSERT_NE(Stapel(s1), nullptr);
    EXPECT_EQ(Stapel(s1)->Anzahl, 37);
    EXPECT_DOUBLE_EQ(Stapel(s1)->X, m1.X);
}

INSTANTIATE_TEST_SUITE_P(Karte, Tragen,
                         ::testing::Values(Aufnahme{{}, 1}, Aufnahme{Qt::ShiftModifier, 5},
                                           Aufnahme{Qt::ControlModifier, 10},
                                           Aufnahme{Qt::ShiftModifier | Qt::ControlModifier, 37}));

TEST_F(Karte, SmallStacksAreTakenWhole) {
    Stapeln(s1, m1, 3);
    Druecken(ClientPunkt(m1), Qt::ShiftModifier);
    EXPECT_EQ(Selection.Anzahl, 3);
    EXPECT_EQ(EinheitenAnzahl, 0);
    Loslassen(ClientPunkt(m2));
    EXPECT_EQ(Anzahl(s2), 3);
}

TEST_F(Karte, DroppingInAnotherSectorMergesUpToOneHundred) {
    Stapeln(s1, m1, 37);
    Stapeln(s2, m2, 95);
    Druecken(ClientPunkt(m1), Qt::ControlModifier);
    Loslassen(ClientPunkt(m2) + QPoint(2, 2));
    EXPECT_EQ(Anzahl(s1), 27);
    EXPECT_EQ(Anzahl(s2), 100);
    // The stack there keeps its place.
    EXPECT_DOUBLE_EQ(Stapel(s2)->X, m2.X);
}

TEST_F(Karte, AFullPieceListSendsTheUnitsBackInsteadOfLosingThem) {
    Stapeln(s1, m1, 37);
    while (EinheitenAnzahl < MaxEinheiten) EinheitHinzufuegen(s2, eaInfanterie, bsJapan, m2.X, m2.Y, 1);
    Druecken(ClientPunkt(m1));
    Loslassen(ClientPunkt(m2));
    EXPECT_EQ(ToolMode, tmMove);
    EXPECT_EQ(Anzahl(s1), 37);
    EXPECT_EQ(Anzahl(s2), 0);

    // The whole stack taken, and the freed place filled meanwhile: the units stay in hand
    // until there is room, and the palette puts them back before it changes the tool.
    Druecken(ClientPunkt(m1), Qt::ShiftModifier | Qt::ControlModifier);
    EinheitHinzufuegen(s2, eaInfanterie, bsJapan, m2.X, m2.Y, 1);
    Loslassen(ClientPunkt(m2));
    EXPECT_EQ(ToolMode, tmCarry);
    EXPECT_EQ(Selection.Anzahl, 37);
    EinheitLoeschen(EinheitenAnzahl);
    ToolsForm->KillImageClick();
    EXPECT_EQ(ToolMode, tmKill);
    EXPECT_EQ(Anzahl(s1), 37);
}

TEST_F(Karte, DeletingFollowsTheCountKeys) {
    Stapeln(s1, m1, 37);
    Stapeln(s1, m1, 4, eaInfanterie);
    QTest::mouseClick(ToolsForm->KillImage, Qt::LeftButton);
    EXPECT_EQ(ToolMode, tmKill);
    EXPECT_EQ(Selection.Anzahl, 1);
    Bewegen(ClientPunkt(m1));
    ASSERT_EQ(CursorEinheit, 2);  // the topmost stack under the pointer
    QWidget* c = MapForm->Client;
    const auto unten = QEvent::KeyPress, oben = QEvent::KeyRelease;
    Taste(unten, Qt::Key_Shift, Qt::NoModifier);
    EXPECT_EQ(Selection.Anzahl, 5);
    Taste(oben, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_EQ(Selection.Anzahl, 1);
    Taste(unten, Qt::Key_Control, Qt::NoModifier);
    EXPECT_EQ(Selection.Anzahl, 10);
    Taste(unten, Qt::Key_Shift, Qt::ControlModifier);
    EXPECT_EQ(Selection.Anzahl, 65000);
    // Any other key re-reads the state too.
    Taste(unten, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Selection.Anzahl, 65000);
    // One click takes the whole stack, the next the stack now under the pointer.
    QTest::mouseClick(c, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier, ClientPunkt(m1));
    EXPECT_EQ(Anzahl(s1, eaInfanterie), 0);
    EXPECT_EQ(CursorEinheit, 1);
    Taste(oben, Qt::Key_Control, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(Selection.Anzahl, 5);
    QTest::mouseClick(c, Qt::LeftButton, Qt::ShiftModifier, ClientPunkt(m1));
    EXPECT_EQ(Anzahl(s1), 32);
    Taste(oben, Qt::Key_Shift, Qt::ShiftModifier);
    QTest::mouseClick(c, Qt::LeftButton, {}, ClientPunkt(m1));
    EXPECT_EQ(Anzahl(s1), 31);
    // Keys leave the count alone while moving.
    ToolsForm->MoveImageClick();
    Taste(unten, Qt::Key_Shift, Qt::NoModifier);
    EXPECT_EQ(Selection.Anzahl, 0);
}

TEST_F(Karte, PlacingCountsTenWithShiftAndCtrl) {
    Bewegen(ClientPunkt(m1));
    ToolsForm->PiecesImageMouseDown(0, 0);
    QTest::keyPress(MapForm->Client, Qt::Key_Shift, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(Selection.Anzahl, 10);
    QTest::mouseClick(MapForm->Client, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier, ClientPunkt(m1));
    EXPECT_EQ(Anzahl(s1, eaFlagge, bsRussland), 10);
    EXPECT_EQ(SektorInfoForm->StapelLabel->text(), QStringLiteral("Russia: Flag 10"));  // the pointer still
    // The status bar follows every change under the pointer, without a move.
    EXPECT_TRUE(MapForm->StatusPanel[0]->text().contains(QStringLiteral(" // Russia // Flag // ")));
    ToolsForm->KillImageClick();
    QTest::keyPress(MapForm->Client, Qt::Key_Shift, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::mouseClick(MapForm->Client, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier, ClientPunkt(m1));
    ASSERT_EQ(Anzahl(s1, eaFlagge, bsRussland), 0);
    EXPECT_EQ(MapForm->StatusPanel[0]->text(), QStringLiteral("Piece: "));
}

TEST_F(Karte, StatusBarShowsPointerMapPointAndStack) {
    Stapeln(s1, m1, 7);
    const QPoint p = ClientPunkt(m1);
    Bewegen(p);
    EXPECT_EQ(CursorPoint.X, p.x());
    EXPECT_EQ(CursorPoint.Y, p.y() - 29);
    const std::string x = std::to_string(p.x()), y = std::to_string(p.y() - 29);
    const std::string mx = std::to_string(Runden(m1.X)), my = std::to_string(Runden(m1.Y));
    EXPECT_EQ(MapForm->StatusPanel[2]->text().toStdString(),
              "MouseX: " + x + " // MouseY: " + y + "MapX: " + mx + " // MapY: " + my);
    EXPECT_EQ(MapForm->StatusPanel[0]->text().toStdString(),
              "Piece: 1 // Germany // Armor // " + SektorName(Sektoren[s1]) + " // " + mx + " / " + my);
    EXPECT_TRUE(MapForm->StatusPanel[1]->text().startsWith(QStringLiteral("FPS: ")));
    EXPECT_EQ(AktuellerSektor, s1);
    Bewegen(ClientPunkt(m2));
    EXPECT_EQ(MapForm->StatusPanel[0]->text(), QStringLiteral("Piece: "));
    EXPECT_EQ(AktuellerSektor, s2);
    // The keyboard focus follows the pointer onto the map.
    EXPECT_TRUE(MapForm->Client->hasFocus());
}

TEST_F(Karte, APointerBeyondTheViewIsPutBackOnItsEdge) {
    const QPoint p = ClientPunkt(m1);
    Bewegen(p);
    Druecken(p);
    QTest::mouseMove(MapForm->Client, QPoint(ViewBreite + 40, p.y()));
    EXPECT_EQ(CursorPoint.X, ViewBreite);
    EXPECT_EQ(MapForm->Client->mapFromGlobal(QCursor::pos()).x(), ViewBreite);
    Loslassen(QPoint(ViewBreite, p.y()));
}

class Ziehen : public Karte, public ::testing::WithParamInterface<bool> {};

TEST_P(Ziehen, ARightDragScrollsTheMap) {
    MausStehtBeimScrollen = GetParam();
    const QPoint anker(300, 200);
    Bewegen(anker);
    Druecken(anker, {}, Qt::RightButton);
    QTest::mouseMove(MapForm->Client, anker + QPoint(50, 0));
    EXPECT_EQ(ScrollX, 50);
    EXPECT_TRUE(DragScrolled);
    QTest::mouseMove(MapForm->Client, anker + QPoint(80, 10));
    // With the option on every step is measured from the anchor, where the pointer stays.
    EXPECT_EQ(ScrollX, GetParam() ? 130 : 80);
    EXPECT_EQ(ScrollY, GetParam() ? 10 : 10);
    if (GetParam()) EXPECT_EQ(MapForm->Client->mapFromGlobal(QCursor::pos()), anker);
    Loslassen(anker + QPoint(80, 10), {}, Qt::RightButton);
    EXPECT_FALSE(DragScrolled);
    // Dragging far beyond the left edge stops at 0.
    Bewegen(anker);
    Druecken(anker, {}, Qt::RightButton);
    QTest::mouseMove(MapForm->Client, anker - QPoint(290, 0));
    if (!GetParam()) QTest::mouseMove(MapForm->Client, QPoint(0, anker.y()));
    EXPECT_EQ(ScrollX, 0);
    Loslassen(anker, {}, Qt::RightButton);
}

INSTANTIATE_TEST_SUITE_P(Karte, Ziehen, ::testing::Bool());

// As on Wayland: the pointer cannot be moved, nor a window placed.
TEST_F(Karte, WhereNothingMayBePlacedThePointerAndThePlacesAreLeftAlone) {
    MapForm->Platzierbar = false;
    MausStehtBeimScrollen = true;
    const QPoint anker(300, 200);
    Bewegen(anker);
    Druecken(anker, {}, Qt::RightButton);
    QTest::mouseMove(MapForm->Client, anker + QPoint(50, 0));
    QTest::mouseMove(MapForm->Client, anker + QPoint(80, 10));
    // Each step is measured from where the pointer went, as it cannot be put back.
    EXPECT_EQ(ScrollX, 80);
    EXPECT_EQ(ScrollY, 10);
    Loslassen(anker + QPoint(80, 10), {}, Qt::RightButton);
    // Beyond the view the pointer stays, and the view's edge stands for it.
    const QPoint p = ClientPunkt(m1);
    Bewegen(p);
    Druecken(p);
    QTest::mouseMove(MapForm->Client, QPoint(ViewBreite + 40, p.y()));
    EXPECT_EQ(CursorPoint.X, ViewBreite);
    EXPECT_NE(MapForm->Client->mapFromGlobal(QCursor::pos()).x(), ViewBreite);
    Loslassen(QPoint(ViewBreite, p.y()));
    // A stored place is neither applied nor replaced by where the window system put the window.
    const TFensterPlatz platz{20, 1010, 0, 0};
    ToolsForm->move(400, 620);
    MapForm->PlatzAnwenden(fwToolsForm, platz);
    EXPECT_EQ(ToolsForm->pos(), QPoint(400, 620));
    FensterPlaetze[fwToolsForm] = platz;
    EXPECT_EQ(MapForm->PlatzErfassen(fwToolsForm).Left, 1010);
    EXPECT_EQ(MapForm->PlatzErfassen(fwToolsForm).Top, 20);
    MapForm->Platzierbar = true;
    MausStehtBeimScrollen = false;
}

TEST_F(Karte, PlusAndMinusZoomAboutTheCentre) {
    QWidget* c = MapForm->Client;
    QTest::keyClick(c, '-');
    EXPECT_EQ(Zoom, 1);
    QTest::keyClick(c, '+');
    EXPECT_EQ(Zoom, 2);
    EXPECT_EQ(ScrollX, 190);  // (1 - 1/2) * 760 / 2
    EXPECT_EQ(ScrollY, ViewHoehe / 4);
    for (int i = 0; i < 6; ++i) QTest::keyClick(c, '+');
    EXPECT_EQ(Zoom, 6);
    const int x6 = ScrollX;
    QTest::keyClick(c, '+');
    EXPECT_EQ(ScrollX, x6);
    for (int i = 0; i < 6; ++i) QTest::keyClick(c, '-');
    EXPECT_EQ(Zoom, 1);
    EXPECT_EQ(ScrollX, 0);
    EXPECT_EQ(ScrollY, 0);
}

namespace {
// Notes the popup menu when it shows, and closes it from its own event loop.
class PopupBeobachter : public QObject {
public:
    bool Offen = false;
    PopupBeobachter() { MapForm->PopupMenu->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show) {
            Offen = true;
            QMetaObject::invokeMethod(MapForm->PopupMenu, &QMenu::close, Qt::QueuedConnection);
        }
        return false;
    }
};
}  // namespace

TEST_F(Karte, TheRightClickOpensThePopupOnlyInEditModeWithoutDrag) {
    const QPoint p = ClientPunkt(m1);
    Bewegen(p);
    PopupBeobachter popup;
    Druecken(p, {}, Qt::RightButton);
    Loslassen(p, {}, Qt::RightButton);
    EXPECT_FALSE(popup.Offen);

    MapForm->OptionsMenu_EditModus->setEnabled(true);
    MapForm->OptionsMenu_EditModus->trigger();
    ASSERT_TRUE(EditModus);
    Druecken(p, {}, Qt::RightButton);
    Loslassen(p, {}, Qt::RightButton);
    EXPECT_TRUE(popup.Offen);
    EXPECT_TRUE(SuppressDrag);

    popup.Offen = false;
    Bewegen(p);
    Druecken(p, {}, Qt::RightButton);
    QTest::mouseMove(MapForm->Client, p + QPoint(20, 0));
    Loslassen(p + QPoint(20, 0), {}, Qt::RightButton);
    EXPECT_FALSE(popup.Offen);
}
