// Start-up, shutdown and the settings the program keeps between runs.
#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QScreen>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "AppHilfen.h"
#include "Main.h"
#include "UBefehl.h"
#include "UDateien.h"
#include "UEditsForm.h"
#include "UPieces.h"
#include "USchlachtForm.h"
#include "UStart.h"
#include "UGameInfoForm.h"
#include "UIntroForm.h"
#include "USektorInfoForm.h"
#include "UToolsForm.h"
#include "UWiederherstellung.h"
#include "UZugFenster.h"

namespace {

std::string Text(const std::string& pfad) {
    std::ifstream f(pfad);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// The key=value lines of a settings file with their sections, in file order.
std::vector<std::string> Schluessel(const std::string& pfad) {
    std::vector<std::string> z;
    std::istringstream in(Text(pfad));
    std::string zeile, sektion;
    while (std::getline(in, zeile)) {
        if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
        if (zeile.empty()) continue;
        if (zeile[0] == '[')
            sektion = zeile;
        else
            z.push_back(sektion + zeile);
    }
    return z;
}

// Closes the next modal box as soon as it shows, and keeps its text.
struct BoxSchliesser {
    QString Text;
    bool Gesehen = false;
    BoxSchliesser() {
        QTimer::singleShot(0, [this] { Pruefen(); });
    }
    void Pruefen() {
        if (QWidget* m = QApplication::activeModalWidget()) {
            if (auto* l = m->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) Text = l->text();
            Gesehen = true;
            m->close();
            return;
        }
        QTimer::singleShot(10, [this] { Pruefen(); });
    }
};

}  // namespace

TEST(Start, CaptionMapNameAndWindowsWithoutSettings) {
    Lauf lauf;
    ASSERT_TRUE(lauf.Gestartet());
    EXPECT_EQ(MapForm->windowTitle().toStdString(), "QelMap for Windows // Start.map");
    EXPECT_EQ(MapName, "Start");
    EXPECT_EQ(QApplication::applicationName().toStdString(), "Vantor Map for Windows");
    EXPECT_EQ(IntroForm, nullptr);
    EXPECT_TRUE(DisplayReady);
    EXPECT_EQ(ToolMode, tmMove);
    // Defaults: names at the cursor only; the game information window open, sector info closed.
    EXPECT_FALSE(MapForm->OptionsMenu_ICPsAnzeigen->isChecked());
    EXPECT_TRUE(MapForm->OptionsMenu_LandAmCursorAnzeigen->isChecked());
    EXPECT_FALSE(MapForm->OptionsMenu_EinheitAmCursorAnzeigen->isChecked());
    EXPECT_FALSE(MapForm->OptionsMenu_EinheitbesitzerAmCursorAnzeigen->isChecked());
    EXPECT_FALSE(MapForm->OptionsMenu_MausStehtBeimScrollen->isChecked());
    EXPECT_TRUE(MapForm->FensterMenu_GameInfo->isChecked());
    EXPECT_FALSE(MapForm->FensterMenu_SektorenInfo->isChecked());
    EXPECT_FALSE(MapForm->FensterMenu_GameCenter->isChecked());
    EXPECT_TRUE(GameInfoForm->isVisible());
    EXPECT_FALSE(SektorInfoForm->isVisible());
    EXPECT_TRUE(ToolsForm->isVisible());
    EXPECT_EQ(MapForm->frameGeometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(MapForm->frameGeometry().size(), QSize(640, 400));
    // The view lies between the tool bar and the status bar.
    EXPECT_EQ(ViewBreite, MapForm->width());
    EXPECT_EQ(ViewHoehe, MapForm->ClientHoehe() - 29 - 19);
    EXPECT_EQ(ViewUrsprung.Y, MapForm->ClientUrsprung().Y + 29);
}

TEST(Start, CloseWritesTheDefaultsInTableOrder) {
    Lauf lauf;
    ASSERT_TRUE(lauf.Gestartet());
    ASSERT_FALSE(std::filesystem::exists(lauf.Datei("QelWin.INI")));
    // The battle window's size, and so how far it is moved in, depends on the fonts.
    const QRect schlacht = SchlachtForm->frameGeometry();
    EXPECT_TRUE(SchlachtForm->screen()->availableGeometry().contains(schlacht));
    MapForm->close();
    const std::vector<std::string> erwartet = {
        // The first start puts the windows side by side: palette and game information right
        // of the main window, the sector information and the edits below it; on the 800
        // pixels of the test's screen the two on the right are moved in from its edge, and so
        // is the battle window beside the edits.
        "[MapForm]Top=0",          "[MapForm]Left=0",           "[MapForm]Height=400",
        "[MapForm]Width=640",      "[GameInfoForm]Top=99",      "[GameInfoForm]Left=492",
        "[ToolsForm]Top=0",        "[ToolsForm]Left=604",       "[SektorInfoForm]Top=408",
        "[SektorInfoForm]Left=0",  "[EditsForm]Top=408",        "[EditsForm]Left=415",
        "[SchlachtForm]Top=" + std::to_string(schlacht.top()),
        "[SchlachtForm]Left=" + std::to_string(schlacht.left()),
        "[Options]ICPsAnzeigen=0", "[Options]LandnameAmCursor=1",
        "[Options]EinheitartAmCursor=0", "[Options]BesitzerAmCursor=0", "[Options]MausStehtBeimScrollen=0",
        "[Options]HalterAnzeigen=1", "[Options]AenderungenAnzeigen=1",
        "[FensterAnzeigen]SektorInfo=0", "[FensterAnzeigen]GameInfo=1", "[FensterAnzeigen]GameCenter=0",
        "[FensterAnzeigen]Edits=0", "[FensterAnzeigen]Schlacht=0", "[FensterAnzeigen]SchlachtSektor=0"};
    // Then the turn and trends windows' places, each with whether it is shown.
    std::vector<std::string> geschrieben = Schluessel(lauf.Datei("QelWin.INI"));
    ASSERT_EQ(geschrieben.size(), erwartet.size() + 10);
    EXPECT_EQ(geschrieben[erwartet.size() + 4], "[ZugForm]Shown=0");
    EXPECT_EQ(geschrieben.back(), "[TrendForm]Shown=0");
    geschrieben.resize(erwartet.size());
    EXPECT_EQ(geschrieben, erwartet);
}

TEST(Start, SettingsPlaceTheWindowsAndSetTheMarks) {
    Lauf lauf(false);
    std::ofstream(lauf.Datei("QelWin.INI")) << "[MapForm]\nTop=20\nLeft=30\nHeight=500\nWidth=700\n"
                                               "[GameInfoForm]\nTop=300\nLeft=400\n[ToolsForm]\nTop=5\nLeft=600\n"
                                               "[SektorInfoForm]\nTop=450\nLeft=10\n"
                                               "[SchlachtForm]\nTop=40\nLeft=50\n"
                                               "[Options]\nICPsAnzeigen=2\nLandnameAmCursor=0\n"
                                               "MausStehtBeimScrollen=$1\nHalterAnzeigen=0\n"
                                               "[FensterAnzeigen]\nSektorInfo=1\nGameInfo=0\nGameCenter=1\n"
                                               "[TrendForm]\nTop=-50\nLeft=20\nWidth=3000\nHeight=2000\nShown=1\n";
    ASSERT_TRUE(lauf.Starten());
    // A size kept from a larger screen comes onto this one, frame and all.
    EXPECT_EQ(TrendForm->frameGeometry(), TrendForm->screen()->availableGeometry());
    EXPECT_EQ(MapForm->frameGeometry(), QRect(30, 20, 700, 500));
    EXPECT_EQ(GameInfoForm->frameGeometry().topLeft(), QPoint(400, 300));
    EXPECT_EQ(ToolsForm->frameGeometry().topLeft(), QPoint(600, 5));
    EXPECT_TRUE(MapForm->OptionsMenu_ICPsAnzeigen->isChecked());
    EXPECT_FALSE(MapForm->OptionsMenu_LandAmCursorAnzeigen->isChecked());
    EXPECT_TRUE(MapForm->OptionsMenu_MausStehtBeimScrollen->isChecked());
    EXPECT_FALSE(MapForm->OptionsMenu_HalterAnzeigen->isChecked());
    EXPECT_TRUE(SektorInfoForm->isVisible());
    EXPECT_FALSE(GameInfoForm->isVisible());
    EXPECT_TRUE(MapForm->FensterMenu_SektorenInfo->isChecked());
    EXPECT_FALSE(MapForm->FensterMenu_GameInfo->isChecked());
    // The game-center entry is only a mark: no window, and it stays disabled.
    EXPECT_TRUE(MapForm->FensterMenu_GameCenter->isChecked());
    EXPECT_FALSE(MapForm->FensterMenu_GameCenter->isEnabled());

    // Moved windows and a changed option are written back at close; 2 comes back as 1.
    ToolsForm->move(610, 15);
    MapForm->OptionsMenu_LandAmCursorAnzeigen->trigger();
    MapForm->close();
    const auto z = Schluessel(lauf.Datei("QelWin.INI"));
    auto hat = [&](const std::string& s) { return std::find(z.begin(), z.end(), s) != z.end(); };
    EXPECT_TRUE(hat("[ToolsForm]Top=15"));
    EXPECT_TRUE(hat("[ToolsForm]Left=610"));
    // The battle window, never opened, keeps its place.
    EXPECT_TRUE(hat("[SchlachtForm]Top=40"));
    EXPECT_TRUE(hat("[SchlachtForm]Left=50"));
    EXPECT_TRUE(hat("[MapForm]Width=700"));
    EXPECT_TRUE(hat("[Options]ICPsAnzeigen=1"));
    EXPECT_TRUE(hat("[Options]LandnameAmCursor=1"));
    EXPECT_TRUE(hat("[FensterAnzeigen]GameInfo=0"));
    EXPECT_TRUE(hat("[FensterAnzeigen]GameCenter=1"));
}

TEST(Start, ClosingTheInformationWindowsClearsTheirFlags) {
    Lauf lauf;
    ASSERT_TRUE(lauf.Gestartet());
    MapForm->FensterMenu_SektorenInfo->trigger();
    EXPECT_TRUE(SektorInfo);
    EXPECT_TRUE(SektorInfoForm->isVisible());
    SektorInfoForm->close();
    EXPECT_FALSE(SektorInfo);
    EXPECT_FALSE(MapForm->FensterMenu_SektorenInfo->isChecked());
    GameInfoForm->close();
    EXPECT_FALSE(GameInfo);
    EXPECT_FALSE(MapForm->FensterMenu_GameInfo->isChecked());
    MapForm->FensterMenu_GameInfo->trigger();
    EXPECT_TRUE(GameInfo);
    EXPECT_TRUE(GameInfoForm->isVisible());
    MapForm->close();
    const auto z = Schluessel(lauf.Datei("QelWin.INI"));
    EXPECT_NE(std::find(z.begin(), z.end(), "[FensterAnzeigen]SektorInfo=0"), z.end());
    EXPECT_NE(std::find(z.begin(), z.end(), "[FensterAnzeigen]GameInfo=1"), z.end());
}

class FehlendeDatei : public ::testing::TestWithParam<const char*> {};

// The edits and battle windows open at the close are open at the next start, the battle for
// the sector it showed; a battle of a sector that is none stays closed.
TEST(Start, TheEditsAndBattleWindowsComeBackAsTheyWereAtTheClose) {
    Lauf lauf;
    ASSERT_TRUE(lauf.Gestartet());
    MapForm->FensterMenu_Edits->trigger();
    AktuellerSektor = LandSektor();
    MapForm->ToolsMenu_Schlacht->trigger();
    MapForm->close();
    FensterFreigeben();
    ASSERT_TRUE(lauf.Starten());
    EXPECT_TRUE(EditsForm->isVisible() && MapForm->FensterMenu_Edits->isChecked());
    EXPECT_TRUE(SchlachtForm->isVisible());
    EXPECT_EQ(SchlachtForm->Sektor(), LandSektor());
    MapForm->close();
    FensterFreigeben();
    std::ofstream(lauf.Datei("QelWin.INI")) << "[FensterAnzeigen]\nSchlacht=1\nSchlachtSektor=200\n";
    ASSERT_TRUE(lauf.Starten());
    EXPECT_FALSE(SchlachtForm->isVisible());
}

TEST_P(FehlendeDatei, EndsWithTheErrorAndNoMainWindow) {
    Lauf lauf(false);
    std::filesystem::remove(lauf.Datei(GetParam()));
    BoxSchliesser box;
    EXPECT_FALSE(lauf.Starten());
    EXPECT_TRUE(box.Gesehen);
    EXPECT_TRUE(box.Text.contains(QString::fromLatin1(GetParam()))) << box.Text.toStdString();
    ASSERT_NE(MapForm, nullptr);
    EXPECT_FALSE(MapForm->isVisible());
    EXPECT_FALSE(ToolsForm->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Start, FehlendeDatei,
                         ::testing::Values("Start.map", "Sektoren_neu.sek", "PIECES.BMP", "roteslicht.BMP"));

TEST(Start, TheProgramEndsWithANonZeroStatusOnAStartError) {
    Lauf lauf(false);
    std::filesystem::remove(lauf.Datei("Start.map"));
    VariablenZuruecksetzen();
    BoxSchliesser box;
    EXPECT_EQ(Programm(), 1);
    EXPECT_TRUE(box.Gesehen);
    EXPECT_EQ(MapForm, nullptr);
}

TEST(Start, ASettingsFileThatCannotBeWrittenIsReportedAndEndsWithAnError) {
    Lauf lauf(false);
    std::filesystem::create_directory(lauf.Datei("QelWin.INI"));
    VariablenZuruecksetzen();
    BoxSchliesser box;
    // Closed as soon as the event loop runs.
    QTimer::singleShot(0, [] {
        if (MapForm) MapForm->close();
    });
    EXPECT_EQ(Programm(), 1);
    EXPECT_TRUE(box.Gesehen);
    EXPECT_TRUE(box.Text.contains(QStringLiteral("QelWin.INI"))) << box.Text.toStdString();
}

TEST(Start, TheCloseBoxAndExitEndTheProgramNormally) {
    Lauf lauf(false);
    VariablenZuruecksetzen();
    QTimer::singleShot(0, [] {
        if (MapForm) MapForm->DateiMenu_Beenden->trigger();
    });
    EXPECT_EQ(Programm(), 0);
    EXPECT_TRUE(std::filesystem::exists(lauf.Datei("QelWin.INI")));
}

TEST(Start, UnsavedChangesAreKeptForRecoveryAndNamedAtTheNextStart) {
    Lauf lauf;
    ASSERT_TRUE(lauf.Gestartet());
    const std::string start = Text(lauf.Datei("Start.map"));
    const std::string karte = lauf.Datei("Wiederherstellung.map"), sek = lauf.Datei("Wiederherstellung.sek");
    // A change through a command: the file follows a moment later, the position as it is now.
    MapForm->ToolsMenu_Zufall->setEnabled(true);
    MapForm->ToolsMenu_Zufall->trigger();
    EXPECT_FALSE(std::filesystem::exists(karte)) << "written inside the command";
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(karte); }, 10000));
    EXPECT_FALSE(std::filesystem::exists(sek)) << "the sector table has no changes";
    EXPECT_EQ(Text(lauf.Datei("Start.map")), start) << "Start.map is written only by the file commands";
    // Saved: nothing left to recover, and the file goes.
    MapForm->DateiMenu_MapSpeichern->setEnabled(true);
    MapForm->DateiMenu_MapSpeichern->trigger();
    const std::string gespeichert = Text(lauf.Datei("Start.map"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !std::filesystem::exists(karte); }, 10000)) << karte;
    // A sector changed and not saved, then the close box: written at the close.
    Sektoren[3].ICPs = 77;
    EinheitenAnzahl = 0;
    MapForm->close();
    ASSERT_TRUE(std::filesystem::exists(karte));
    ASSERT_TRUE(std::filesystem::exists(sek));
    EXPECT_EQ(Text(lauf.Datei("Start.map")), gespeichert);
    FensterFreigeben();

    // The next start keeps them under a dated name, says so without blocking, and "load map"
    // of the kept map brings the position back.
    ASSERT_TRUE(lauf.Starten());
    EXPECT_FALSE(std::filesystem::exists(karte));
    std::string alteKarte, alteSek;
    for (const auto& d : std::filesystem::directory_iterator(lauf.Ordner())) {
        const std::string n = d.path().filename().string();
        if (n.rfind("Wiederherstellung-", 0) == 0) (n.ends_with(".map") ? alteKarte : alteSek) = n;
    }
    ASSERT_FALSE(alteKarte.empty());
    ASSERT_FALSE(alteSek.empty());
    QMessageBox* hinweis = nullptr;
    QTest::qWaitFor([&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) hinweis = b;
        return hinweis != nullptr;
    }, 10000);
    ASSERT_NE(hinweis, nullptr);
    EXPECT_FALSE(hinweis->isModal());
    EXPECT_TRUE(hinweis->text().contains(QString::fromStdString(alteKarte))) << hinweis->text().toStdString();
    EXPECT_TRUE(hinweis->text().contains(QString::fromStdString(alteSek)));
    MapLaden(lauf.Datei(alteKarte));
    EXPECT_EQ(EinheitenAnzahl, 0);
    SektorenLaden(lauf.Datei(alteSek));
    EXPECT_EQ(Sektoren[3].ICPs, 77);
    hinweis->close();
}

// An edit, then units picked up before the recovery file followed it: while they are held
// the file holds the edit. A failed write is said again after one that succeeded.
TEST(Start, TheRecoveryFileHoldsEveryEditBeforeAPickUpAndFailuresAreSaidAgain) {
    Lauf lauf;
    ASSERT_TRUE(lauf.Gestartet());
    const std::string karte = lauf.Datei("Wiederherstellung.map");
    TMapPunkt m{};
    ASSERT_TRUE(PunktIn(LandSektor(), m));
    EinheitenAnzahl = 0;
    Befehl([&] { EinheitenSetzen(m, eaPanzer, bsDeutschland, 3); });
    QTest::mousePress(MapForm->Client, Qt::LeftButton, {}, ClientPunkt(m));
    ASSERT_EQ(ToolMode, tmCarry);
    MapLaden(karte);
    EXPECT_EQ(EinheitenAnzahl, 1);
    QTest::mouseRelease(MapForm->Client, Qt::LeftButton, {}, ClientPunkt(m));

    auto gesagt = [] { return qobject_cast<QMessageBox*>(QApplication::activeWindow()) != nullptr; };
    for (int mal = 0; mal < 2; ++mal) {
        std::filesystem::remove(karte);
        std::filesystem::create_directory(karte);
        Befehl([] { ++Einheiten[1].Anzahl; });
        ASSERT_TRUE(QTest::qWaitFor(gesagt, 5000)) << mal;
        QApplication::activeWindow()->close();
        std::filesystem::remove(karte);
        Befehl([] { ++Einheiten[1].Anzahl; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::is_regular_file(karte); }, 5000));
    }
}

// A stored height of next to nothing keeps the bars and 100 pixels of map, and is not written
// back; "reset window places" puts every window where a first start does.
TEST(Start, TheMainWindowKeepsItsMapAndPlacesCanBeReset) {
    Lauf lauf(false);
    std::ofstream(lauf.Datei("QelWin.INI")) << "[MapForm]\nHeight=40\n[ZugForm]\nTop=300\nLeft=300\nWidth=250\n";
    ASSERT_TRUE(lauf.Starten());
    EXPECT_EQ(ViewHoehe, 100);
    EinstellungenSpeichern();
    EXPECT_EQ(Schluessel(lauf.Datei("QelWin.INI"))[0], "[MapForm]Height=" + std::to_string(MapForm->frameGeometry().height()));
    MapForm->FensterMenu_PlaetzeZuruecksetzen->trigger();
    EXPECT_EQ(MapForm->frameGeometry(), QRect(0, 0, 640, 400));
    EXPECT_EQ(SektorInfoForm->frameGeometry().topLeft(), QPoint(0, 408));
    EXPECT_EQ(ZugForm->frameGeometry(), QRect(40, 40, 620, 420));
    EXPECT_NE(TrendForm->frameGeometry().topLeft(), ZugForm->frameGeometry().topLeft());
}

// Many recovery files of one second: the next number is taken, and no kept file is replaced.
TEST(Start, KeptRecoveryFilesAreNeverReplaced) {
    TempOrdner ordner;
    ImOrdner hier(ordner.Pfad());
    std::ofstream("Wiederherstellung.map") << "neu";
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(
        std::filesystem::last_write_time("Wiederherstellung.map")));
    char datum[32];
    std::strftime(datum, sizeof datum, "%Y%m%d-%H%M%S", std::localtime(&t));
    auto name = [&](int i) {
        return "Wiederherstellung-" + std::string(datum) + (i ? "-" + std::to_string(i) : "") + ".map";
    };
    for (int i = 0; i < 120; ++i) std::ofstream(name(i)) << i;
    EXPECT_EQ(AlteWiederherstellungenSichern(), name(120) + "\n");
    EXPECT_EQ(Text(name(120)), "neu");
    EXPECT_EQ(Text(name(99)), "99");
    EXPECT_FALSE(std::filesystem::exists("Wiederherstellung.map"));
}

// Two starts in one game folder: the second asks the first to the front and ends with 0,
// leaving the first's live recovery file alone; a killed first leaves the folder free.
TEST(Start, OneProgramPerGameFolder) {
    TempOrdner ordner;
    BrettKopieren(ordner.Pfad());
    const std::string live = ordner.Datei("Wiederherstellung.map");
    auto starten = [&](QProcess& p) {
        QProcessEnvironment u = QProcessEnvironment::systemEnvironment();
        u.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(u);
        p.setWorkingDirectory(QString::fromStdString(ordner.Pfad()));
        p.start(QStringLiteral(QELMAP_EXE), {});
    };
    auto bis = [](auto zustand) {
        for (QDeadlineTimer frist(30000); !zustand();)
            if (frist.hasExpired()) return false;
            else QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        return true;
    };
    // Started as far as the recovery files: an earlier run's one has been renamed.
    std::ofstream(live) << "earlier";
    QProcess erster, zweiter, dritter;
    starten(erster);
    ASSERT_TRUE(bis([&] { return !std::filesystem::exists(live); }));
    std::ofstream(live) << "live";
    starten(zweiter);
    ASSERT_TRUE(zweiter.waitForFinished(30000));
    EXPECT_EQ(zweiter.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(zweiter.exitCode(), 0);
    EXPECT_FALSE(zweiter.readAllStandardError().contains("already running"));
    EXPECT_EQ(Text(live), "live");
    EXPECT_EQ(erster.state(), QProcess::Running);

    erster.kill();
    ASSERT_TRUE(erster.waitForFinished(10000));
    starten(dritter);
    EXPECT_TRUE(bis([&] { return !std::filesystem::exists(live); }));
    dritter.terminate();
    EXPECT_TRUE(dritter.waitForFinished(30000));
}

TEST(Start, AMinimisedPaletteComesBack) {
    Lauf lauf;
    ASSERT_TRUE(lauf.Gestartet());
    ToolsForm->showMinimized();
    QTest::qWaitFor([] { return !ToolsForm->isMinimized(); }, 10000);
    EXPECT_FALSE(ToolsForm->isMinimized());
    EXPECT_TRUE(ToolsForm->isVisible());
}

TEST(Start, ASettingsFileThatNamesNoPlacePutsTheWindowsSideBySide) {
    Lauf lauf(false);
    std::ofstream(lauf.Datei("QelWin.INI")) << "[Options]\nICPsAnzeigen=1\n";
    ASSERT_TRUE(lauf.Starten());
    EXPECT_EQ(ToolsForm->frameGeometry().topLeft(), QPoint(800 - ToolsForm->frameGeometry().width(), 0));
    EXPECT_TRUE(MapForm->OptionsMenu_ICPsAnzeigen->isChecked());
}
