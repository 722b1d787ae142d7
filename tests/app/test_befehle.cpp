// Menus, file dialogs, commands and the small dialogs, driven through the real windows.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QCheckBox>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QtCharts/QChartView>
#include <QtCharts/QXYSeries>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBlock>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <cstring>
#include <deque>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

#include "UJsonLeser.h"
#include "UKonvertieren.h"
#include "UWebExport.h"
#include "UWebSeite.h"
#include "AppHilfen.h"
#include "Main.h"
#include "UAlarm.h"
#include "UBefehl.h"
#include "UDateiBefehle.h"
#include "UStart.h"
#include "UMarken.h"
#include "USchritte.h"
#include "UVergleich.h"
#include "UZugBefehle.h"
#include "UZugFenster.h"
#include "UZuege.h"
#include "UAboutForm.h"
#include "UDateien.h"
#include "UEditSektor.h"
#include "UEditsForm.h"
#include "UEinheitenListeForm.h"
#include "UGameInfoForm.h"
#include "UHelpForm.h"
#include "UMapNameEditForm.h"
#include "UPieces.h"
#include "UBearbeiten.h"
#include "USchlachtErgebnis.h"
#include "USchlachtfeld.h"
#include "USchlachtForm.h"
#include "USchlachtTexte.h"
#include "USchritte.h"
#include "USektorInfoForm.h"
#include "USektorenListe.h"
#include "USpielstand.h"

namespace fs = std::filesystem;

namespace {

// Answers the modal windows that a command opens, one after the other, as each appears: a
// file dialog gets the next name typed into its name field, a message box is read and
// closed, any other window is handed to the next action.
class Antworten : public QObject {
public:
    std::deque<QString> Namen;
    std::deque<std::function<void(QWidget*)>> Aktionen;
    QStringList Meldungen;
    QString Filter, Endung;  // what the last file dialog showed when it came up

    Antworten() { qApp->installEventFilter(this); }

protected:
    // Answered from the dialog's own event loop, once it runs.
    bool eventFilter(QObject* o, QEvent* e) override {
        auto* w = qobject_cast<QWidget*>(o);
        if (e->type() == QEvent::Show && w && w->isWindow() && w->testAttribute(Qt::WA_ShowModal))
            QMetaObject::invokeMethod(
                this, [this, w = QPointer<QWidget>(w)] { if (w && w->isVisible()) Schritt(w); }, Qt::QueuedConnection);
        if (e->type() == QEvent::Hide && w) beantwortet_.removeAll(w);
        return false;
    }

private:
    QList<QPointer<QWidget>> beantwortet_;

    // A window answered in this showing and in front again once the one before it closed
    // (the file dialog behind its overwrite question) is answered anew.
    void Nachsehen() {
        QWidget* m = QApplication::activeModalWidget();
        if (m && m->isVisible() && beantwortet_.contains(m)) Schritt(m);
    }
    void Schritt(QWidget* m) {
        beantwortet_ << m;
        QMetaObject::invokeMethod(this, [this] { Nachsehen(); }, Qt::QueuedConnection);
        auto* d = qobject_cast<QFileDialog*>(m);
        if (d && (!Namen.empty() || Aktionen.empty())) {
            Filter = d->selectedNameFilter();
            Endung = d->defaultSuffix();
            if (Namen.empty()) {
                d->reject();
            } else {
                // The list's selection from an earlier showing would count as chosen too.
                for (auto* liste : d->findChildren<QAbstractItemView*>()) liste->clearSelection();
                d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(Namen.front());
                Namen.pop_front();
                static_cast<QDialog*>(d)->accept();
            }
        } else if (auto* b = qobject_cast<QMessageBox*>(m)) {
            Meldungen << b->text();
            b->close();
        } else if (!Aktionen.empty()) {
            auto a = Aktionen.front();
            Aktionen.pop_front();
            a(m);
        }
    }
};

// A map file of one stack.
void EinStapel(const std::string& pfad, std::uint8_t sektor, TMapPunkt m, TEinheitArt art, TBesitzer b,
               std::uint16_t n) {
    std::vector<std::uint8_t> d(4 + sizeof(TEinheit), 0);
    std::int32_t eins = 1;
    std::memcpy(d.data(), &eins, 4);
    TEinheit e{m.X, m.Y, art, b, n, sektor, {0, 0, 0}};
    std::memcpy(d.data() + 4, &e, sizeof e);
    BytesSchreiben(pfad, d);
}

std::string Titel() { return MapForm->windowTitle().toStdString(); }

class Befehle : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(lauf.Gestartet()); }
    Lauf lauf;
};

}  // namespace

TEST_F(Befehle, LoadMapFromAnotherFolderThenSaveMapWritesThatFile) {
    TempOrdner anderer;
    const std::uint8_t s = LandSektor();
    TMapPunkt m;
    ASSERT_TRUE(PunktIn(s, m));
    const std::string datei = anderer.Datei("Spiel1.map");
    EinStapel(datei, s, m, eaBomber, bsJapan, 10);
    {
        Antworten a;
        a.Namen.push_back(QString::fromStdString(datei));
        MapForm->DateiMenu_MapLaden->trigger();
        EXPECT_EQ(a.Filter, QStringLiteral("Mapdatei (*.map)"));
        EXPECT_EQ(a.Endung, QStringLiteral("map"));
        EXPECT_TRUE(a.Meldungen.empty());
    }
    EXPECT_EQ(Titel(), "QelMap for Windows // " + datei);
    EXPECT_EQ(MapName, datei);
    EXPECT_EQ(EinheitenAnzahl, 1);
    EXPECT_EQ(Spielstand.LandUnits[bsJapan], 150u);
    EXPECT_EQ(GameInfoForm->Werte[5][1]->text(), QStringLiteral("150"));

    EinheitHinzufuegen(s, eaFlagge, bsJapan, m.X, m.Y, 1);
    MapForm->DateiMenu_MapSpeichern->setEnabled(true);
    MapForm->DateiMenu_MapSpeichern->trigger();
    EXPECT_EQ(Bytes(datei).size(), 4 + 2 * sizeof(TEinheit));
    EXPECT_EQ(Titel(), "QelMap for Windows // " + datei);
}

TEST_F(Befehle, SaveMapRightAfterStartWritesStartMapHere) {
    const auto vorher = Bytes(lauf.Datei("Start.map"));
    EinheitenAnzahl = 0;
    DateiMenu_MapSpeichernClick();
    EXPECT_EQ(Bytes(lauf.Datei("Start.map")).size(), 4u);
    EXPECT_NE(vorher.size(), 4u);
    EXPECT_EQ(MapName, "Start");
}

TEST_F(Befehle, SaveMapAsAddsTheExtensionAndFollowsTheFile) {
    Antworten a;
    a.Namen.push_back(QStringLiteral("neu"));
    a.Namen.push_back(QStringLiteral("ver1.2"));
    MapForm->DateiMenu_MapSpeichernAls->trigger();
    EXPECT_TRUE(a.Meldungen.empty()) << a.Meldungen.join(QStringLiteral("|")).toStdString();
    EXPECT_TRUE(fs::exists(lauf.Datei("neu.map")));
    EXPECT_EQ(MapName, fs::path(lauf.Datei("neu.map")).string());
    EXPECT_EQ(Titel(), "QelMap for Windows // " + MapName);
    // A name with a dot counts as having its extension.
    MapForm->DateiMenu_MapSpeichernAls->trigger();
    EXPECT_TRUE(fs::exists(lauf.Datei("ver1.2")));
    // Saving over an existing file asks first; the answer here is to close the question.
    a.Namen.push_back(QStringLiteral("neu.map"));
    const auto zeit = fs::last_write_time(lauf.Datei("neu.map"));
    MapForm->DateiMenu_MapSpeichernAls->trigger();
    EXPECT_EQ(a.Meldungen.size(), 1);
    EXPECT_EQ(fs::last_write_time(lauf.Datei("neu.map")), zeit);
}

// The web page of the position shown holds its map file byte for byte; the entry follows
// "save map as..." in the File menu.
TEST_F(Befehle, ExportWebPageWritesThePositionShown) {
    const QList<QAction*> datei = MapForm->DateiMenu->menu()->actions();
    ASSERT_GT(datei.indexOf(MapForm->DateiMenu_WebSeite), 0);
    EXPECT_EQ(datei[datei.indexOf(MapForm->DateiMenu_WebSeite) - 1], MapForm->DateiMenu_MapSpeichernAls);
    EinheitHinzufuegen(LandSektor(), eaFlagge, bsJapan, 700.5, 300.25, 1);
    WebSeiteExportieren(lauf.Datei("seite.html"));
    const auto seite = Bytes(lauf.Datei("seite.html"));
    const std::string json = SeitenPosition(seite, "seite.html");
    EXPECT_EQ(JsonZuBinaer(TBytes(json.begin(), json.end()), "seite.html", true), MapBytes(EinheitenAnzahl, Einheiten));
}

TEST_F(Befehle, AFailingLoadLeavesEverythingAndNamesTheFile) {
    BytesSchreiben(lauf.Datei("kaputt.map"), {1, 2});
    const std::string titel = Titel();
    const std::int32_t anzahl = EinheitenAnzahl;
    const std::uint32_t axis = Spielstand.AxisIncome;
    const std::uint32_t land = Spielstand.LandUnits[bsDeutschland];
    Antworten a;
    Befehl([&] { MapDateiLaden(lauf.Datei("kaputt.map")); });
    ASSERT_EQ(a.Meldungen.size(), 1);
    EXPECT_TRUE(a.Meldungen[0].contains(QStringLiteral("kaputt.map"))) << a.Meldungen[0].toStdString();
    EXPECT_EQ(Titel(), titel);
    EXPECT_EQ(MapName, "Start");
    EXPECT_EQ(EinheitenAnzahl, anzahl);
    EXPECT_EQ(Spielstand.AxisIncome, axis);
    EXPECT_EQ(Spielstand.LandUnits[bsDeutschland], land);
    // A cancelled dialog changes nothing and says nothing.
    MapForm->DateiMenu_MapLaden->trigger();
    EXPECT_EQ(a.Meldungen.size(), 1);
    EXPECT_EQ(MapName, "Start");
    // The program goes on: a later command works.
    MapForm->OptionsMenu_ICPsAnzeigen->trigger();
    EXPECT_TRUE(ICPsAnzeigen);
}

// Undo of "load map" puts back the position, MapName and caption: "save map" then writes the
// file the run started with, byte for byte.
TEST_F(Befehle, TheEditMenuUndoesAndRedoesALoadNamingIt) {
    const QList<QAction*> leiste = MapForm->MainMenu->actions();
    ASSERT_EQ(leiste.indexOf(MapForm->EditMenu), leiste.indexOf(MapForm->DateiMenu) + 1);
    EXPECT_EQ(leiste[leiste.indexOf(MapForm->EditMenu) + 1], MapForm->OptionsMenu);
    EXPECT_EQ(MapForm->EditMenu->text(), QStringLiteral("Edit"));
    EXPECT_EQ(MapForm->EditMenu_Wiederholen->shortcuts(),
              QKeySequence::listFromString(QStringLiteral("Ctrl+Y; Ctrl+Shift+Z")));
    QList<QKeySequence> kurz;
    for (QAction* m : leiste)
        for (QAction* a : m->menu() ? m->menu()->actions() : QList<QAction*>{m})
            for (const QKeySequence& k : a->shortcuts()) {
                EXPECT_FALSE(kurz.contains(k)) << k.toString().toStdString();
                kurz << k;
            }
    EXPECT_TRUE(kurz.contains(QKeySequence(QStringLiteral("Ctrl+Z"))));
    auto stand = [] {
        return (MapForm->EditMenu_Rueckgaengig->isEnabled() ? "+" : "-") + MapForm->EditMenu_Rueckgaengig->text() +
               (MapForm->EditMenu_Wiederholen->isEnabled() ? " +" : " -") + MapForm->EditMenu_Wiederholen->text();
    };
    EXPECT_EQ(stand(), QStringLiteral("-undo -redo"));

    const auto start = Bytes(lauf.Datei("Start.map"));
    const std::string datei = lauf.Datei("Runde & 3.map");
    EinStapel(datei, LandSektor(), TMapPunkt{1, 2}, eaBomber, bsJapan, 10);
    Antworten a;
    a.Namen.push_back(QString::fromStdString(datei));
    MapForm->DateiMenu_MapLaden->trigger();
    ASSERT_EQ(MapName, datei);
    EXPECT_EQ(stand(), QStringLiteral("+undo: load map Runde && 3.map -redo"));
    // A load that fails leaves no step.
    BytesSchreiben(lauf.Datei("kaputt.map"), {1, 2});
    Befehl([&] { MapDateiLaden(lauf.Datei("kaputt.map")); });
    EXPECT_EQ(SchritteAnzahl(), 1);

    MapForm->EditMenu_Rueckgaengig->trigger();
    EXPECT_EQ(stand(), QStringLiteral("-undo +redo: load map Runde && 3.map"));
    EXPECT_EQ(MapName, "Start");
    EXPECT_EQ(Titel(), "QelMap for Windows // Start.map");
    // The position differs from the map loaded last: it is kept for recovery.
    QTRY_VERIFY(fs::exists(lauf.Datei("Wiederherstellung.map")));
    DateiMenu_MapSpeichernClick();
    EXPECT_EQ(Bytes(lauf.Datei("Start.map")), start);

    MapForm->EditMenu_Wiederholen->trigger();
    EXPECT_EQ(MapName, datei);
    EXPECT_EQ(Titel(), "QelMap for Windows // " + datei);
    EXPECT_EQ(EinheitenAnzahl, 1);
    EXPECT_EQ(Spielstand.LandUnits[bsJapan], 150u);
    // "save map as..." is no step: the load stays the step to undo.
    a.Namen.push_back(QStringLiteral("anders.map"));
    MapForm->DateiMenu_MapSpeichernAls->trigger();
    EXPECT_EQ(stand(), QStringLiteral("+undo: load map Runde && 3.map -redo"));
    EXPECT_EQ(SchritteAnzahl(), 1);
}

// The edits window lists the steps, marks the one undo takes, and a click on a line undoes
// it with every later one; the log goes to the clipboard.
TEST_F(Befehle, TheEditsWindowListsTheStepsAndAClickGoesBackToALine) {
    for (const char* name : {"eins.map", "zwei.map"}) {
        EinStapel(lauf.Datei(name), LandSektor(), TMapPunkt{1, 2}, eaBomber, bsJapan, 10);
        Befehl([&] { MapDateiLaden(lauf.Datei(name)); });
    }
    MapForm->FensterMenu_Edits->trigger();
    ASSERT_TRUE(EditsForm->isVisible());
    QListWidget* l = EditsForm->Zeilen;
    auto fett = [l] {
        QString f;
        for (int i = 0; i < l->count(); ++i) f += l->item(i)->font().bold() ? QLatin1Char('*') : QLatin1Char('.');
        return f;
    };
    ASSERT_EQ(l->count(), 2);
    EXPECT_EQ(l->item(0)->text(), QStringLiteral("load map eins.map"));
    EXPECT_EQ(fett(), QStringLiteral(".*"));
    MapForm->ToolsMenu_Zufall->setEnabled(true);
    MapForm->ToolsMenu_Zufall->trigger();
    QTRY_COMPARE(l->count(), 3);
    EXPECT_EQ(l->item(2)->text(), QStringLiteral("random units"));
    EXPECT_EQ(fett(), QStringLiteral("..*"));

    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(1)).center());
    EXPECT_EQ(MapName, lauf.Datei("eins.map"));
    EXPECT_EQ(MapForm->EditMenu_Wiederholen->text(), QStringLiteral("redo: load map zwei.map"));
    QTRY_COMPARE(fett(), QStringLiteral("*.."));
    EditsForm->KopierenButton->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("load map eins.map\n"));
    EditsForm->ForumButton->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("**Edits**\n\n1. load map eins.map\n"));
    // Enter on a line that can be redone brings it back with every line before it.
    l->setCurrentRow(2);
    QTest::keyClick(l, Qt::Key_Return);
    EXPECT_GT(EinheitenAnzahl, 1);
    QTRY_COMPARE(fett(), QStringLiteral("..*"));

    EditsForm->close();
    EXPECT_FALSE(MapForm->FensterMenu_Edits->isChecked());
}

TEST_F(Befehle, SectorCommandsAlwaysAskForSectorFiles) {
    Antworten a;
    a.Namen.push_back(QString::fromStdString(lauf.Datei("Start.map")));
    MapForm->DateiMenu_MapLaden->trigger();
    a.Namen.push_back(QStringLiteral("welt"));
    MapForm->DateiMenu_SInfoSpeichern->trigger();
    EXPECT_EQ(a.Filter, QStringLiteral("Sektordatei (*.sek)"));
    EXPECT_EQ(a.Endung, QStringLiteral("sek"));
    EXPECT_EQ(Bytes(lauf.Datei("welt.sek")), Bytes(lauf.Datei("Sektoren_neu.sek")));
    EXPECT_FALSE(fs::exists(lauf.Datei("welt.map")));

    a.Namen.push_back(QStringLiteral("x.map"));
    MapForm->DateiMenu_MapSpeichernAls->trigger();
    Sektoren[1].ICPs = static_cast<std::uint8_t>(Sektoren[1].ICPs + 1);
    a.Namen.push_back(QString::fromStdString(lauf.Datei("welt.sek")));
    MapForm->DateiMenu_SInfoLaden->trigger();
    EXPECT_EQ(a.Filter, QStringLiteral("Sektordatei (*.sek)"));
    EXPECT_EQ(Bytes(lauf.Datei("welt.sek")), Bytes(lauf.Datei("Sektoren_neu.sek")));
    // A short sector file is refused with its name, and the table stays.
    BytesSchreiben(lauf.Datei("kurz.sek"), std::vector<std::uint8_t>(100, 0));
    const TSektor erster = Sektoren[1];
    a.Namen.push_back(QString::fromStdString(lauf.Datei("kurz.sek")));
    MapForm->DateiMenu_SInfoLaden->trigger();
    ASSERT_EQ(a.Meldungen.size(), 1);
    EXPECT_TRUE(a.Meldungen[0].contains(QStringLiteral("kurz.sek")));
    EXPECT_EQ(std::memcmp(&erster, &Sektoren[1], sizeof erster), 0);
}

TEST_F(Befehle, TheDefaultExtensionFollowsTheChosenFilter) {
    Antworten a;
    a.Aktionen.push_back([](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(d, nullptr);
        // The user picks the first kind of file in the dialog's list.
        auto* liste = d->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        liste->setCurrentIndex(0);
        emit liste->activated(0);
        emit liste->textActivated(liste->itemText(0));
        d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("als_sek"));
        static_cast<QDialog*>(d)->accept();
    });
    MapForm->DateiMenu_MapSpeichernAls->trigger();
    EXPECT_TRUE(fs::exists(lauf.Datei("als_sek.sek")));
}

TEST_F(Befehle, OptionsFollowTheirCheckMarks) {
    struct {
        QAction* Eintrag;
        bool* Wert;
    } optionen[] = {{MapForm->OptionsMenu_ICPsAnzeigen, &ICPsAnzeigen},
                    {MapForm->OptionsMenu_LandAmCursorAnzeigen, &LandnameAmCursor},
                    {MapForm->OptionsMenu_EinheitAmCursorAnzeigen, &EinheitartAmCursor},
                    {MapForm->OptionsMenu_EinheitbesitzerAmCursorAnzeigen, &BesitzerAmCursor},
                    {MapForm->OptionsMenu_MausStehtBeimScrollen, &MausStehtBeimScrollen},
                    {MapForm->OptionsMenu_HalterAnzeigen, &HalterAnzeigen},
                    {MapForm->OptionsMenu_AenderungenAnzeigen, &AenderungenAnzeigen}};
    for (auto& o : optionen) {
        const bool vorher = *o.Wert;
        EXPECT_EQ(o.Eintrag->isChecked(), vorher);
        o.Eintrag->trigger();
        EXPECT_EQ(*o.Wert, !vorher);
        EXPECT_EQ(o.Eintrag->isChecked(), !vorher);
        o.Eintrag->trigger();
        EXPECT_EQ(*o.Wert, vorher);
    }
    EXPECT_EQ(MapForm->OptionsMenu_ICPsAnzeigen->shortcut(), QKeySequence(QStringLiteral("Ctrl+I")));
    EXPECT_EQ(MapForm->DateiMenu_MapLaden->shortcut(), QKeySequence(QStringLiteral("Ctrl+L")));
}

// "save turn" proposes the next turn of the folder, fills the map list and enables the
// buttons from two entries; the second turn is compared with the first and marked.
TEST_F(Befehle, SaveTurnNamesTheNextTurnAndTheButtonsStepThroughTheList) {
    EXPECT_FALSE(MapForm->ToolBar_VorherigeMap->isEnabled());
    const int vorher = EinheitenAnzahl;
    Antworten a;
    QString vorschlag;
    auto annehmen = [&](QWidget* w) {
        auto* d = qobject_cast<QInputDialog*>(w);
        ASSERT_TRUE(d);
        vorschlag = d->textValue();
        d->accept();
    };
    a.Aktionen.push_back(annehmen);
    MapForm->DateiMenu_ZugSpeichern->trigger();
    EXPECT_EQ(vorschlag, QStringLiteral("Round 01 - 1 Russia.map"));
    const std::string russland = lauf.Datei("Round 01 - 1 Russia.map");
    EXPECT_TRUE(fs::equivalent(MapName, russland));
    EXPECT_EQ(Titel(), "QelMap for Windows // " + MapName);
    EXPECT_EQ(MapAnzahl, 1);
    EXPECT_FALSE(MapForm->ToolBar_NaechsteMap->isEnabled());

    EinheitHinzufuegen(LandSektor(), eaFlagge, bsDeutschland, 700.5, 300.25, 1);
    a.Aktionen.push_back(annehmen);
    MapForm->DateiMenu_ZugSpeichern->trigger();
    EXPECT_EQ(vorschlag, QStringLiteral("Round 01 - 2 Germany.map"));
    EXPECT_EQ(MapAnzahl, 2);
    EXPECT_EQ(AktuelleMap, 2);
    EXPECT_TRUE(MapForm->ToolBar_VorherigeMap->isEnabled());
    EXPECT_FALSE(MapForm->ToolBar_NaechsteMap->isEnabled());  // the last turn
    EXPECT_TRUE(ZugVergleich);
    EXPECT_TRUE(Markiert);
    EXPECT_TRUE(ZugText->toPlainText().contains(QStringLiteral("Germany")));
    // The web page shows the changes since the turn before.
    WebSeiteExportieren(lauf.Datei("zug.html"));
    const auto seite = Bytes(lauf.Datei("zug.html"));
    EXPECT_NE(std::string(seite.begin(), seite.end()).find("Round 01 - 1 Russia"), std::string::npos);
    EXPECT_TRUE(fs::equivalent(ZuletztListe().at(0), MapName));
    EXPECT_TRUE(fs::equivalent(ZuletztListe().at(1), russland));

    // Overwriting asks; closing the question writes nothing.
    const auto zeit = fs::last_write_time(russland);
    a.Aktionen.push_back([](QWidget* w) {
        static_cast<QInputDialog*>(w)->setTextValue(QStringLiteral("Round 01 - 1 Russia"));
        static_cast<QInputDialog*>(w)->accept();
    });
    MapForm->DateiMenu_ZugSpeichern->trigger();
    EXPECT_EQ(a.Meldungen.size(), 1);
    EXPECT_EQ(fs::last_write_time(russland), zeit);
    // A blank name is said, and the proposal asked again.
    a.Aktionen.push_back([](QWidget* w) { static_cast<QInputDialog*>(w)->setTextValue("   "), static_cast<QDialog*>(w)->accept(); });
    a.Aktionen.push_back([&](QWidget* w) { vorschlag = static_cast<QInputDialog*>(w)->textValue(), static_cast<QDialog*>(w)->reject(); });
    MapForm->DateiMenu_ZugSpeichern->trigger();
    ASSERT_EQ(a.Meldungen.size(), 2);
    EXPECT_TRUE(a.Meldungen[1].contains(QStringLiteral("no name")));
    EXPECT_EQ(vorschlag, QStringLiteral("Round 01 - 3 United Kingdom.map"));

    // Back a turn is one step that undo takes back whole, caption and name included.
    MapForm->ToolBar_VorherigeMap->trigger();
    EXPECT_EQ(AktuelleMap, 1);
    EXPECT_FALSE(MapForm->ToolBar_VorherigeMap->isEnabled());
    EXPECT_TRUE(MapForm->ToolBar_NaechsteMap->isEnabled());
    EXPECT_EQ(EinheitenAnzahl, vorher);
    EXPECT_EQ(Titel(), "QelMap for Windows // " + MapName);
    EXPECT_FALSE(Markiert);
    EXPECT_EQ(SchrittAngaben(SchritteGemacht() - 1).Art, saMapLaden);
    EditRueckgaengig();
    EXPECT_EQ(AktuelleMap, 2);
    EXPECT_FALSE(MapForm->ToolBar_NaechsteMap->isEnabled());
    EXPECT_EQ(EinheitenAnzahl, vorher + 1);
    EXPECT_EQ(MapTitel, MapName);
    EXPECT_EQ(MapForm->ToolBar_NaechsteMap->shortcut(), QKeySequence(QStringLiteral("Alt+Right")));

    // The changes follow every change of the position: an edit, a step back, both undone.
    TMapPunkt m{};
    ASSERT_TRUE(PunktIn(LandSektor(LandSektor()), m));
    const QString zeile = QString::fromStdString("    " + SektorTitel(SektorAn(m)) + ": ");
    auto gezeigt = [&] { return Markierung[SektorAn(m)] == FarbeEinheiten && ZugText->toPlainText().contains(zeile); };
    Befehl([&] { TSchrittKlammer k; EinheitenSetzen(m, eaInfanterie, bsUSA, 1); });
    EXPECT_TRUE(gezeigt());
    MapForm->ToolBar_VorherigeMap->trigger();
    EditRueckgaengig();
    EXPECT_TRUE(gezeigt());
    EditRueckgaengig();
    EXPECT_FALSE(gezeigt());

    // The trends window marks the shown turn; a click on the second point shows that turn.
    // Counting the files for the charts is no step: each of the two below is one.
    MapForm->FensterMenu_Trends->trigger();
    ASSERT_TRUE(TrendForm->isVisible());
    const int gemacht = SchritteGemacht();
    MapForm->ToolBar_VorherigeMap->trigger();
    ASSERT_EQ(AktuelleMap, 1);
    auto* ansicht = TrendForm->findChildren<QChartView*>().at(0);
    QTRY_VERIFY_WITH_TIMEOUT(ansicht->isVisible() && ansicht->chart()->plotArea().width() > 10, 5000);
    // 640 x 900 does not fit the test's screen: frame and all as high as its free area.
    EXPECT_EQ(TrendForm->frameGeometry().height(), TrendForm->screen()->availableGeometry().height());
    EXPECT_EQ(TrendForm->width(), 640);
    EXPECT_GE(ansicht->height(), 150);
    const QPointF punkt = ansicht->chart()->mapToPosition(QPointF(2, 0));
    QTest::mouseClick(ansicht->viewport(), Qt::LeftButton, {}, ansicht->mapFromScene(ansicht->chart()->mapToScene(punkt)));
    EXPECT_EQ(AktuelleMap, 2);
    ASSERT_EQ(SchritteGemacht(), gemacht + 2);
    EXPECT_EQ(SchrittAngaben(gemacht).Art, saMapLaden);
    EXPECT_EQ(SchrittAngaben(gemacht + 1).Art, saMapLaden);
    // A turn file that cannot be read is left out of the charts and named above them, in a
    // line that wraps rather than widening the window.
    const std::string kaputt = lauf.Datei("Round 01 - 3 United Kingdom sent by mail and broken on the way.map");
    BytesSchreiben(kaputt, std::vector<std::uint8_t>(300, 0xA5));
    auto* meldung = TrendForm->findChild<QLabel*>();
    QTRY_VERIFY_WITH_TIMEOUT(meldung->text().contains(QStringLiteral("broken on the way.map: is not a map file")), 5000);
    const auto* linie = qobject_cast<QXYSeries*>(TrendForm->findChildren<QChartView*>().at(0)->chart()->series().at(0));
    ASSERT_TRUE(linie);
    EXPECT_EQ(linie->count(), 2);
    EXPECT_LE(TrendForm->minimumSizeHint().width(), 640);
    EXPECT_EQ(TrendForm->width(), 640);
    fs::remove(kaputt);
    QTRY_VERIFY_WITH_TIMEOUT(meldung->text().isEmpty(), 5000);
    MapForm->FensterMenu_Trends->trigger();
    EXPECT_FALSE(TrendForm->isVisible());


    // The recent list is kept in the settings; a file gone is greyed.
    fs::remove(russland);
    QMenu* zuletzt = MapForm->DateiMenu_Zuletzt->menu();
    emit zuletzt->aboutToShow();
    ASSERT_GE(zuletzt->actions().size(), 2);
    EXPECT_TRUE(zuletzt->actions()[0]->isEnabled());
    EXPECT_FALSE(zuletzt->actions()[1]->isEnabled());
    const auto ini = Bytes(lauf.Datei("QelWin.INI"));
    EXPECT_NE(std::string(ini.begin(), ini.end()).find("Round 01 - 2 Germany.map"), std::string::npos);

    // A map that is no turn has no place in the order: neither button, nor Alt+arrow.
    EinStapel(lauf.Datei("Other.map"), SektorAn(m), m, eaPanzer, bsJapan, 1);
    Befehl([&] { MapDateiLaden(lauf.Datei("Other.map")); });
    EXPECT_FALSE(MapForm->ToolBar_VorherigeMap->isEnabled() || MapForm->ToolBar_NaechsteMap->isEnabled());
    const std::int32_t x = ScrollX;
    QTest::keyClick(MapForm->Client, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(ScrollX, x);  // no scrolling either, which the arrow alone does
    QTest::keyClick(MapForm->Client, Qt::Key_Right);
    EXPECT_GT(ScrollX, x);
}

// The map list follows its folder: turns renamed outside are stepped to by their new names,
// the shown one stays shown; a step to a file gone before the folder told it reads the list anew.
TEST_F(Befehle, TheMapListFollowsFilesRenamedOutside) {
    const char* namen[] = {"Round 01 - 1 Russia.map", "Round 01 - 2 Germany.map", "Round 01 - 3 United Kingdom.map"};
    for (const char* n : namen) ZugDateiSpeichern(lauf.Datei(n));
    ASSERT_EQ(AktuelleMap, 3);
    Antworten a;
    fs::rename(lauf.Datei(namen[1]), lauf.Datei("Round 01 - 2 Germany (b).map"));
    fs::rename(lauf.Datei(namen[2]), lauf.Datei("Round 01 - 3 UK.map"));
    QTest::keyClick(MapForm->Client, Qt::Key_Left, Qt::AltModifier);  // before the folder's news
    EXPECT_TRUE(a.Meldungen.isEmpty());
    EXPECT_EQ(AktuelleMap, 2);
    QTest::keyClick(MapForm->Client, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(AktuelleMap, 3);
    EXPECT_FALSE(ZugText->toPlainText().contains(QStringLiteral("cannot open")));
    // Renamed while shown: still shown under its old name, the buttons and the turn window told.
    fs::rename(lauf.Datei("Round 01 - 3 UK.map"), lauf.Datei("Round 01 - 3 United Kingdom (c).map"));
    fs::rename(lauf.Datei("Round 01 - 2 Germany (b).map"), lauf.Datei(namen[1]));
    QTRY_VERIFY_WITH_TIMEOUT(fs::path(MapListe.at(1)).filename() == namen[1], 5000);
    EXPECT_EQ(AktuelleMap, 3);
    EXPECT_EQ(fs::path(MapName).filename(), "Round 01 - 3 UK.map");
    EXPECT_TRUE(ZugText->toPlainText().contains(QString::fromStdString(namen[1])));
    BytesSchreiben(lauf.Datei("Round 01 - 4 Japan.map"), Bytes(lauf.Datei(namen[0])));
    QTRY_VERIFY_WITH_TIMEOUT(MapForm->ToolBar_NaechsteMap->isEnabled(), 5000);

    // Files that cannot be read are stepped past, each said once; where only such a file lies
    // the press changes nothing and the button goes dark. Entries: bad, Russia, bad, Germany, ...
    BytesSchreiben(lauf.Datei("Round 01.map"), std::vector<std::uint8_t>(300, 0xA5));
    BytesSchreiben(lauf.Datei("Round 01 - 2 Germany a.map"), std::vector<std::uint8_t>(300, 0xA5));
    QTRY_VERIFY_WITH_TIMEOUT(MapAnzahl == 6, 5000);
    Befehl([] { MapEintragZeigen(4); });
    ASSERT_EQ(fs::path(MapName).filename(), namen[1]);
    QTest::keyClick(MapForm->Client, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(AktuelleMap, 2);
    ASSERT_EQ(a.Meldungen.size(), 1);
    EXPECT_TRUE(a.Meldungen[0].contains(QStringLiteral("Germany a.map: is not a map file")));
    EXPECT_TRUE(MapForm->ToolBar_VorherigeMap->isEnabled());  // entry 1 not yet tried
    const std::string russland = MapName;
    const int einheiten = EinheitenAnzahl, schritte = SchritteGemacht();
    MapForm->ToolBar_VorherigeMap->trigger();
    ASSERT_EQ(a.Meldungen.size(), 2);
    EXPECT_TRUE(a.Meldungen[1].contains(QStringLiteral("Round 01.map")));
    EXPECT_EQ(AktuelleMap, 2);
    EXPECT_EQ(MapName, russland);
    EXPECT_EQ(EinheitenAnzahl, einheiten);
    EXPECT_EQ(SchritteGemacht(), schritte);
    EXPECT_FALSE(MapForm->ToolBar_VorherigeMap->isEnabled());
    MapForm->ToolBar_NaechsteMap->trigger();
    EXPECT_EQ(AktuelleMap, 4);
    EXPECT_EQ(a.Meldungen.size(), 2);
}

// With units in hand a command runs on the whole board: they go back first, as no step, the
// release drops nothing, and a turn loaded is a step of its own. Undo only puts them back.
TEST_F(Befehle, UnitsInHandGoBackBeforeACommandRuns) {
    const std::uint8_t s = LandSektor();
    TMapPunkt m, anderswo;
    ASSERT_TRUE(PunktIn(s, m) && PunktIn(LandSektor(s), anderswo));
    EinheitenAnzahl = 0;
    EinheitHinzufuegen(s, eaInfanterie, bsDeutschland, m.X, m.Y, 8);
    const std::vector<std::uint8_t> ganz = MapBytes(EinheitenAnzahl, Einheiten);
    Antworten a;
    for (int i = 0; i < 2; ++i) a.Aktionen.push_back([](QWidget* w) { static_cast<QInputDialog*>(w)->accept(); });
    for (QAction* befehl : {MapForm->DateiMenu_ZugSpeichern, MapForm->DateiMenu_ZugSpeichern,
                            MapForm->ToolBar_VorherigeMap, MapForm->EditMenu_Rueckgaengig}) {
        QTest::mousePress(MapForm->Client, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier, ClientPunkt(m));
        ASSERT_EQ(Selection.Anzahl, 8);
        befehl->trigger();
        QTest::mouseRelease(MapForm->Client, Qt::LeftButton, {}, ClientPunkt(anderswo));
        EXPECT_EQ(MapBytes(EinheitenAnzahl, Einheiten), ganz);
    }
    EXPECT_EQ(Bytes(MapName), ganz);
    EXPECT_EQ(SchrittAngaben(SchritteGemacht() - 1).Art, saMapLaden);
}

TEST_F(Befehle, EntriesAtCreationAndEditModeEnablingTheSectorEntries) {
    EXPECT_FALSE(MapForm->DateiMenu_MapSpeichern->isEnabled());
    EXPECT_FALSE(MapForm->OptionsMenu_EditModus->isEnabled());
    EXPECT_FALSE(MapForm->ToolsMenu_GameinfoAusgeben->isEnabled());
    EXPECT_FALSE(MapForm->ToolsMenu_SektorenAusgeben->isEnabled());
    EXPECT_FALSE(MapForm->ToolsMenu_Zufall->isEnabled());
    EXPECT_TRUE(MapForm->DateiMenu_SInfoLaden->isEnabled());
    EXPECT_FALSE(MapForm->PiecesZoomComboBox->isEnabled());
    EXPECT_EQ(MapForm->PiecesZoomComboBox->currentIndex(), -1);
    EXPECT_EQ(MapForm->PiecesZoomComboBox->count(), 6);
    MapForm->OptionsMenu_EditModus->setEnabled(true);
    MapForm->OptionsMenu_EditModus->trigger();
    EXPECT_TRUE(EditModus);
    EXPECT_TRUE(MapForm->DateiMenu_SInfoLaden->isEnabled());
    EXPECT_TRUE(MapForm->DateiMenu_SInfoSpeichern->isEnabled());
    EXPECT_TRUE(MapForm->ToolsMenu_SektorenAusgeben->isEnabled());
    MapForm->OptionsMenu_EditModus->trigger();
    EXPECT_FALSE(EditModus);
    EXPECT_FALSE(MapForm->DateiMenu_SInfoLaden->isEnabled());
    EXPECT_FALSE(MapForm->DateiMenu_SInfoSpeichern->isEnabled());
    EXPECT_FALSE(MapForm->ToolsMenu_SektorenAusgeben->isEnabled());
}

TEST_F(Befehle, RandomUnitsScatterTheSameStacksInEveryFreshRun) {
    EinheitenAnzahl = 0;
    // Disabled at creation; the command behind the entry is still the specified one.
    MapForm->ToolsMenu_Zufall->setEnabled(true);
    MapForm->ToolsMenu_Zufall->trigger();
    std::vector<TEinheit> erste(Einheiten + 1, Einheiten + 1 + EinheitenAnzahl);
    ASSERT_FALSE(erste.empty());
    // The first draws of the sequence (seed 0, s := s * 134775813 + 1, upper half of s * n):
    // x, y, owner, kind = (0, 28, 5, 3), (409, 604, 2, 2), (558, 383, 1, 6), (105, 756, 1, 4).
    const struct {
        int X, Y;
        TBesitzer B;
        TEinheitArt A;
    } zuege[4] = {{0, 28, 5, 3}, {409, 604, 2, 2}, {558, 383, 1, 6}, {105, 756, 1, 4}};
    int geprueft = 0;
    for (const auto& z : zuege) {
        const std::uint8_t s = SektorAn(MapPunkt(z.X, z.Y));
        if (s < 1 || s > 127) continue;
        std::uint16_t nummer, anzahl;
        EinheitSuchen(s, z.A, z.B, nummer, anzahl);
        EXPECT_GE(anzahl, 1) << z.X << "," << z.Y;
        if (geprueft++ == 0) {
            EXPECT_EQ(nummer, 1);
            EXPECT_DOUBLE_EQ(Einheiten[1].X, z.X);
            EXPECT_DOUBLE_EQ(Einheiten[1].Y, z.Y);
        }
    }
    EXPECT_GT(geprueft, 0);
    MapForm->close();
    FensterFreigeben();

    ASSERT_TRUE(lauf.Starten());
    EinheitenAnzahl = 0;
    MapForm->ToolsMenu_Zufall->setEnabled(true);
    MapForm->ToolsMenu_Zufall->trigger();
    ASSERT_EQ(static_cast<std::size_t>(EinheitenAnzahl), erste.size());
    EXPECT_EQ(std::memcmp(erste.data(), Einheiten + 1, erste.size() * sizeof(TEinheit)), 0);
}

TEST_F(Befehle, TheZoomListSetsBothZoomsAndTheWheelZoomsAtThePointer) {
    // A pointer whose map point at x3 lies in another sector (not 0 or 255) than at x1.
    QPoint p;
    for (int x = 60; x < ViewBreite && p.isNull(); x += 7)
        for (int y = 60; y < ViewHoehe && p.isNull(); y += 7) {
            const std::uint8_t s3 = SektorAn(MapPunkt(x / 3.0, y / 3.0));
            if (s3 % 255 && s3 != SektorAn(MapPunkt(x, y))) p = QPoint(x, y + ToolBarHoch);
        }
    ASSERT_FALSE(p.isNull());
    QTest::mouseMove(MapForm->Client, p);
    QTRY_COMPARE(CursorPoint.X, p.x());
    MapForm->PiecesZoomComboBox->setEnabled(true);
    MapForm->PiecesZoomComboBox->setCurrentIndex(2);
    emit MapForm->PiecesZoomComboBox->activated(2);
    EXPECT_EQ(Zoom, 3);
    EXPECT_EQ(PiecesZoom, 3);
    EXPECT_EQ(AktuellerSektor, SektorAn(MapPunkt(p.x() / 3.0, (p.y() - ToolBarHoch) / 3.0)));
    // Two notches in keep the map point under the pointer; "=" is "+"; Left scrolls a quarter.
    QWheelEvent rad(p, MapForm->Client->mapToGlobal(p), {}, {0, 240}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(MapForm->Client, &rad);
    EXPECT_EQ(Zoom, 5);
    EXPECT_NEAR(ViewZuMap(CursorPoint).X, p.x() / 3.0, 0.5);
    QTest::keyClick(MapForm->Client, Qt::Key_Equal);
    const int x = ScrollX;
    QTest::keyClick(MapForm->Client, Qt::Key_Left);
    EXPECT_EQ(Zoom, 6);
    EXPECT_EQ(ScrollX, std::max(x - ViewBreite / 6 / 4, 0));
    // A sideways swipe's small turns add up to notches, each a quarter as the arrows scroll;
    // its slant (a zoom out, were it counted) zooms nothing.
    const int links = ScrollX;
    auto drehen = [&](QPoint d) {
        QWheelEvent e(p, MapForm->Client->mapToGlobal(p), {}, d, Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(MapForm->Client, &e);
    };
    for (int i = 0; i < 3; ++i) drehen({-60, -50});
    EXPECT_EQ(ScrollX, links + ViewBreite / 6 / 4);
    EXPECT_EQ(Zoom, 6);
    drehen({180, 0});
    EXPECT_EQ(ScrollX, links);
}

TEST_F(Befehle, TheUnitListFollowsItsCheckBoxes) {
    EinheitenAnzahl = 0;
    std::uint8_t eigen = 0, fremd = 0;
    for (int s = 1; s <= 127 && !(eigen && fremd); ++s) {
        if (!Sektoren[s].Land) continue;
        if (!eigen && Sektoren[s].StartBesitzer == bsDeutschland) eigen = static_cast<std::uint8_t>(s);
        if (!fremd && Sektoren[s].StartBesitzer == bsRussland) fremd = static_cast<std::uint8_t>(s);
    }
    ASSERT_TRUE(eigen && fremd);
    EinheitHinzufuegen(eigen, eaInfanterie, bsDeutschland, 0, 0, 3);
    EinheitHinzufuegen(eigen, eaIndustrie, bsDeutschland, 0, 0, 1);
    EinheitHinzufuegen(fremd, eaFlagge, bsDeutschland, 0, 0, 1);
    const QString eigenKopf = QStringLiteral("*** ") + QString::fromLatin1(SektorName(Sektoren[eigen]).c_str());
    const QString fremdKopf = QStringLiteral("*** ") + QString::fromLatin1(SektorName(Sektoren[fremd]).c_str());
    QStringList texte;
    Antworten a;
    a.Aktionen.push_back([&](QWidget* w) {
        auto* f = qobject_cast<TEinheitenListeForm*>(w);
        ASSERT_NE(f, nullptr);
        texte << f->EinheitenListeMemo->toPlainText();
        f->Options_IC->click();
        texte << f->EinheitenListeMemo->toPlainText();
        f->Options_Flag->click();
        texte << f->EinheitenListeMemo->toPlainText();
        f->Options_AA->click();
        texte << f->EinheitenListeMemo->toPlainText();
        f->OkButton->click();
    });
    MapForm->ToolsMenu_EinheitenAusgeben->trigger();
    ASSERT_EQ(texte.size(), 4);
    EXPECT_TRUE(texte[0].startsWith(QStringLiteral("***** Russia *****\n\n")));
    EXPECT_TRUE(texte[0].contains(QStringLiteral("3 Infantry\n1 Industrial Complex")));
    EXPECT_TRUE(texte[0].contains(fremdKopf + QStringLiteral(" ***\noccupied")));
    EXPECT_FALSE(texte[1].contains(QStringLiteral("Industrial Complex")));
    EXPECT_TRUE(texte[1].contains(eigenKopf));
    EXPECT_TRUE(texte[2].contains(fremdKopf + QStringLiteral(" ***\n1 Flag")));
    EXPECT_FALSE(texte[2].contains(QStringLiteral("occupied")));
    EXPECT_EQ(texte[3], texte[2]);  // no anti-aircraft guns on this board
    EXPECT_EQ(EinheitenListeForm->EinheitenListeMemo->font().family(), QStringLiteral("Courier"));
}

TEST_F(Befehle, TheSectorListHas130Lines) {
    MapForm->OptionsMenu_EditModus->setEnabled(true);
    MapForm->OptionsMenu_EditModus->trigger();
    int zeilen = 0;
    QString erste;
    Antworten a;
    a.Aktionen.push_back([&](QWidget* w) {
        auto* f = qobject_cast<TSektorenListeForm*>(w);
        ASSERT_NE(f, nullptr);
        zeilen = f->Memo->document()->blockCount();
        erste = f->Memo->document()->firstBlock().text();
        f->OkButton->click();
    });
    MapForm->ToolsMenu_SektorenAusgeben->trigger();
    EXPECT_EQ(zeilen, 130);
    EXPECT_TRUE(erste.startsWith(QString::fromLatin1(SektorName(Sektoren[1]).c_str()) + QStringLiteral(" / ")));
}

TEST_F(Befehle, TheSectorEditDialogStoresItsFieldsAndAbbruchChangesNothing) {
    const std::uint8_t s = LandSektor();
    AktuellerSektor = s;
    const QString lang = QStringLiteral("Ein sehr langer Name mit mehr als vierzig Zeichen");
    Antworten a;
    a.Aktionen.push_back([&](QWidget* w) {
        auto* f = qobject_cast<TSektorEditForm*>(w);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->SektorNummerLabel->text(), QString::number(s));
        EXPECT_EQ(f->ICPsMaskEdit->value(), Sektoren[s].ICPs);
        f->SektorNameMaskEdit->selectAll();
        QTest::keyClicks(f->SektorNameMaskEdit, lang);
        f->StartBesitzerComboBox->setCurrentIndex(4);
        // Only whole numbers 0..255: "300" cannot be typed whole, a sign or letters not at all.
        f->ICPsMaskEdit->selectAll();
        QTest::keyClicks(f->ICPsMaskEdit, QStringLiteral("-x300"));
        EXPECT_EQ(f->ICPsMaskEdit->value(), 30);
        f->LandWasserComboBox->setCurrentIndex(1);
        f->OkButton->click();
    });
    SektorInfoFuellen(s);  // the pointer on the sector
    MapForm->PopUpMenu_Edit->trigger();
    EXPECT_EQ(SektorName(Sektoren[s]), lang.left(40).toStdString());
    EXPECT_EQ(Sektoren[s].StartBesitzer, 4);
    EXPECT_EQ(Sektoren[s].ICPs, 30);
    EXPECT_EQ(Sektoren[s].Land, 0);
    EXPECT_EQ(SektorInfoForm->ICPsLabel->text(), QStringLiteral("30"));  // the window shows the table as it is

    const TSektor vorher = Sektoren[s];
    a.Aktionen.push_back([&](QWidget* w) {
        auto* f = qobject_cast<TSektorEditForm*>(w);
        ASSERT_NE(f, nullptr);
        f->SektorNameMaskEdit->setText(QStringLiteral("anders"));
        f->ICPsMaskEdit->setValue(7);
        f->AbbruchButton->click();
    });
    MapForm->PopUpMenu_Edit->trigger();
    EXPECT_EQ(std::memcmp(&vorher, &Sektoren[s], sizeof vorher), 0);
    // No sector under the pointer: no dialog.
    AktuellerSektor = 0;
    MapForm->PopUpMenu_Edit->trigger();
    EXPECT_EQ(std::memcmp(&vorher, &Sektoren[s], sizeof vorher), 0);
}

TEST_F(Befehle, TheHotSpotCommandPutsTheFigureAtThePointer) {
    AktuellerSektor = 5;
    CursorPoint = TPunkt{101, 51};
    Zoom = 2;
    ScrollX = 10;
    ScrollY = 20;
    MapForm->PopUpMenu_ICPsHotSpotSetzen->trigger();
    EXPECT_EQ(Sektoren[5].HotSpotX, 60);
    EXPECT_EQ(Sektoren[5].HotSpotY, 45);
    AktuellerSektor = 129;
    const TSektor vorher = Sektoren[129];
    MapForm->PopUpMenu_ICPsHotSpotSetzen->trigger();
    EXPECT_EQ(std::memcmp(&vorher, &Sektoren[129], sizeof vorher), 0);
}

TEST_F(Befehle, HelpAndAboutAreModal) {
    bool hilfeModal = false;
    QString hilfe;
    Antworten a;
    a.Aktionen.push_back([&](QWidget* w) {
        hilfeModal = w == HelpForm;
        hilfe = HelpForm->Memo1->toPlainText();
        w->close();
    });
    MapForm->HelpMenu->trigger();
    EXPECT_TRUE(hilfeModal);
    for (const char* fakt : {"Shift", "5", "10", "+", "-", "rechte Maustaste", "Bombe", "Kreuz", "tools"})
        EXPECT_TRUE(hilfe.contains(QString::fromLatin1(fakt))) << fakt;
    bool ueberModal = false;
    a.Aktionen.push_back([&](QWidget* w) {
        ueberModal = w == AboutForm;
        AboutForm->OK_Button->click();
    });
    MapForm->AboutMenu->trigger();
    EXPECT_TRUE(ueberModal);
    EXPECT_EQ(AboutForm->Label1->text(), QStringLiteral("Version : 0.96 Beta"));
}

TEST_F(Befehle, TheMapNameDialogEndsWithEnterAndEscape) {
    Antworten a;
    a.Aktionen.push_back([](QWidget*) { QTest::keyClick(MapNameEditForm->MapNameEdit, Qt::Key_Return); });
    EXPECT_EQ(MapNameEditForm->exec(), QDialog::Accepted);
    a.Aktionen.push_back([](QWidget*) { QTest::keyClick(MapNameEditForm->MapNameEdit, Qt::Key_Escape); });
    EXPECT_EQ(MapNameEditForm->exec(), QDialog::Rejected);
    EXPECT_EQ(MapNameEditForm->MapNameEdit->text(), QStringLiteral("MapNameEdit"));
}

TEST_F(Befehle, ExitClosesTheWindowAndWritesTheSettings) {
    MapForm->DateiMenu_Beenden->trigger();
    EXPECT_FALSE(MapForm->isVisible());
    EXPECT_TRUE(fs::exists(lauf.Datei("QelWin.INI")));
}

namespace {

// Where a text of the window is cut: what it needs beyond the room its control gives it.
std::string Abgeschnitten(QWidget* w) {
    const QFontMetrics fm(w->font());
    auto passt = [&](const QString& text, QRect platz) {
        return fm.horizontalAdvance(text) <= platz.width() && fm.height() <= platz.height() + 1;
    };
    bool gut = true;
    QString text;
    if (auto* l = qobject_cast<QLabel*>(w)) {
        text = l->text();
        // A label hidden by itself (the frame rate's panel on a narrow bar) shows no text.
        gut = text.isEmpty() || l->isHidden() || (l->sizeHint().width() <= l->width() && fm.height() <= l->height());
    } else if (auto* b = qobject_cast<QPushButton*>(w)) {
        QStyleOptionButton o;
        o.initFrom(b);
        text = b->text();
        gut = passt(text, b->style()->subElementRect(QStyle::SE_PushButtonContents, &o, b));
    } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
        QStyleOptionButton o;
        o.initFrom(c);
        text = c->text();
        gut = passt(text, c->style()->subElementRect(QStyle::SE_CheckBoxContents, &o, c));
    } else if (auto* k = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox o;
        o.initFrom(k);
        const QRect feld = k->style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, k);
        for (int i = 0; i < k->count() && gut; ++i) gut = passt(text = k->itemText(i), feld);
    } else if (qobject_cast<QAbstractScrollArea*>(w)) {
        text = QStringLiteral("(its text field)");
    } else {
        return std::string();
    }
    // The control itself lies wholly inside what holds it, unless that scrolls to it.
    const QWidget* halter = w->parentWidget();
    const bool gerollt = halter && qobject_cast<QAbstractScrollArea*>(halter->parentWidget());
    if (gut && halter && !gerollt && !halter->rect().contains(w->geometry())) gut = false;
    if (gut) return std::string();
    return w->window()->windowTitle().toStdString() + ": \"" + text.toStdString() + "\"\n";
}

}  // namespace

TEST_F(Befehle, EveryTextOfEveryWindowIsShownWhole) {
    std::string cut;
    for (QWidget* w : QApplication::allWidgets()) {
        // The file dialogs and message boxes are laid out by the toolkit itself.
        QWidget* f = w->window();
        if (qobject_cast<QFileDialog*>(f) || qobject_cast<QMessageBox*>(f) || qobject_cast<QMenu*>(f)) continue;
        cut += Abgeschnitten(w);
    }
    // The alert message with each of its texts.
    for (const std::uint32_t einkommen : {0u, 61u, 71u, 84u}) {
        Spielstand.AxisIncome = einkommen;
        TimerTimer();
        cut += Abgeschnitten(MapForm->AxisIncomeLabel);
    }
    EXPECT_EQ(cut, "");
}

// The pointer's text is never cut; the stack's text is cut after a word where it must, and
// the frame rate shows whole or not at all.
TEST_F(Befehle, ThePointerTextFitsItsPanelAtEveryWidth) {
    QLabel* panel = MapForm->StatusPanel[2];
    panel->setText(QStringLiteral("MouseX: 1587 // MouseY: -1029MapX: -1587 // MapY: 9139"));
    const QString lang = QStringLiteral("Piece: 999 // United Kingdom // AnitAirCannon // Eastern United States // 1012 / 345");
    MapForm->StatusText(0, lang.toStdString());
    MapForm->StatusText(1, "FPS: 999");
    QLabel *stapel = MapForm->StatusPanel[0], *fps = MapForm->StatusPanel[1];
    for (int breite = MapForm->minimumWidth(); breite <= MapForm->maximumWidth(); breite += 37) {
        MapForm->resize(breite, 500);
        QTest::qWait(0);
        const QString kurz = stapel->text().chopped(1);
        EXPECT_TRUE(stapel->text() == lang || (stapel->text() == kurz + QChar(0x2026) && lang.startsWith(kurz + ' ') &&
                                               stapel->toolTip() == lang))
            << breite;
        EXPECT_LE(stapel->sizeHint().width(), stapel->width()) << breite;
        EXPECT_TRUE(fps->isHidden() || fps->sizeHint().width() <= fps->width()) << breite;
        EXPECT_LE(panel->sizeHint().width(), panel->width()) << breite;
        EXPECT_LE(panel->geometry().right(), MapForm->StatusBar->width() - 1) << breite;
        // The last panel takes the rest of the bar.
        EXPECT_EQ(panel->geometry().right(), MapForm->StatusBar->width() - 1) << breite;
        if (MapForm->width() >= 1000) {
            EXPECT_EQ(MapForm->StatusPanel[0]->width(), 500);
            EXPECT_EQ(MapForm->StatusPanel[1]->width(), 100);
        }
    }
    MapForm->resize(640, 500);
    QTRY_COMPARE(MapForm->StatusBar->width(), 640);
    MapForm->StatusText(0, "Piece: 12 // Germany // Infantry // Ukraine // 1012 / 345");
    EXPECT_EQ(stapel->text(), QStringLiteral("Piece: 12 // Germany // Infantry // Ukraine // 1012 / 345"));
}

// Ctrl+B opens the battle of the sector the pointer was last on; every edit recomputes the
// odds, rolled dice fill in the losses round by round, and "apply" is one step undo takes back.
TEST_F(Befehle, TheBattleWindowComputesAtOnceAndAppliesTheLossesAsOneStep) {
    const std::uint8_t s = LandSektor();
    for (int i = EinheitenAnzahl; i >= 1; --i)
        if (Einheiten[i].Sektor == s) EinheitLoeschen(static_cast<std::uint32_t>(i));
    Sektoren[s].StartBesitzer = bsRussland;
    const TSektor& r = Sektoren[s];
    EinheitHinzufuegen(s, eaInfanterie, bsRussland, r.HotSpotX, r.HotSpotY, 2);
    EinheitHinzufuegen(s, eaFlak, bsRussland, r.HotSpotX + 10, r.HotSpotY, 1);
    EinheitHinzufuegen(s, eaInfanterie, bsDeutschland, r.HotSpotX + 20, r.HotSpotY, 3);
    EinheitHinzufuegen(s, eaJaeger, bsDeutschland, r.HotSpotX + 30, r.HotSpotY, 1);
    SpielstandAktualisieren();
    SchritteLeeren();  // the crafted board is no step
    // The pointer on the sector, then on a border: the sector is the one last under it.
    TMapPunkt innen, grenze;
    ASSERT_TRUE(PunktIn(s, innen));
    ASSERT_TRUE(GrenzPunkt(grenze));
    QTest::mouseMove(MapForm->Client, ClientPunkt(innen));
    QTRY_COMPARE(AktuellerSektor, s);
    QTest::mouseMove(MapForm->Client, ClientPunkt(grenze));
    QTRY_VERIFY(AktuellerSektor == 0 || AktuellerSektor == 255);
    EXPECT_EQ(MapForm->ToolsMenu_Schlacht->shortcut(), QKeySequence(QStringLiteral("Ctrl+B")));
    MapForm->ToolsMenu_Schlacht->trigger();
    TSchlachtForm& f = *SchlachtForm;
    QTRY_VERIFY(f.isVisible());
    EXPECT_EQ(f.Sektor(), s);
    EXPECT_TRUE(f.TitelLabel->text().endsWith(QStringLiteral("land battle against Russia")));
    EXPECT_EQ(f.AngreiferComboBox->currentIndex() + 1, bsDeutschland);
    EXPECT_EQ(f.Anzahl[0][eaInfanterie]->value(), 3);
    EXPECT_EQ(f.Anzahl[1][eaInfanterie]->value(), 2);
    EXPECT_EQ(f.Anzahl[1][eaFlak]->value(), 1);
    EXPECT_FALSE(f.Anzahl[0][eaSchlachtschiff]->isEnabled());

    // An edit is computed at once, as the engine computes the same battle.
    f.Anzahl[0][eaPanzer]->setValue(2);
    f.JetsBox->setChecked(true);
    TSchlacht b;
    ASSERT_TRUE(SchlachtAusSektor(s, bsDeutschland, b));
    b.Angreifer[eaPanzer] = 2;
    b.Jets = true;
    TOdds erwartet, gezeigt;
    std::string fehler;
    ASSERT_TRUE(OddsBerechnen(b, erwartet, fehler));
    ASSERT_TRUE(f.OddsGezeigt(gezeigt));
    EXPECT_EQ(gezeigt.AngreiferGewinnt, erwartet.AngreiferGewinnt);
    EXPECT_EQ(gezeigt.Runden, erwartet.Runden);
    EXPECT_TRUE(f.OddsLabel->text().contains(QStringLiteral("takes the sector")));
    f.OrderEdit[1]->setText(QStringLiteral("Inf,Tank"));
    EXPECT_FALSE(f.OddsGezeigt(gezeigt));
    EXPECT_TRUE(f.OddsLabel->text().contains(QStringLiteral("Tank")));
    f.OrderEdit[1]->clear();
    for (TEinheitArt k : {eaInfanterie, eaPanzer, eaJaeger, eaBomber}) f.Anzahl[0][k]->setValue(255);
    f.Anzahl[1][eaPanzer]->setValue(255);
    f.Anzahl[1][eaInfanterie]->setValue(255);
    EXPECT_FALSE(f.OddsGezeigt(gezeigt));
    EXPECT_TRUE(f.OddsLabel->text().contains(QStringLiteral("too large"))) << f.OddsLabel->text().toStdString();

    // Rolled with the window's dice: the same losses as the same dice give the battle.
    f.Laden(s, bsDeutschland);
    std::mt19937_64 zufall(11), gleich(11);
    f.Wuerfeln(zufall);
    b.Angreifer[eaPanzer] = 0;
    TWurf w;
    SchlachtWuerfeln(b, gleich, w);
    for (TEinheitArt k : {eaInfanterie, eaJaeger}) {
        EXPECT_EQ(f.Verluste[0][k]->value(), w.AngreiferVerluste[k]);
        EXPECT_EQ(f.Verluste[1][k]->value(), w.VerteidigerVerluste[k]);
    }
    EXPECT_EQ(f.RundenText->toPlainText().count(QStringLiteral("round ")), w.Runden);

    // Entered by hand: every defender lost, one German infantry; the sector falls.
    const std::vector<std::uint8_t> vorher = MapBytes(EinheitenAnzahl, Einheiten);
    f.Verluste[0][eaInfanterie]->setValue(1);
    f.Verluste[0][eaJaeger]->setValue(0);
    f.Verluste[1][eaInfanterie]->setValue(2);
    EXPECT_TRUE(f.AusgangLabel->text().endsWith(QStringLiteral(" taken")));
    f.ApplyButton->click();
    std::uint16_t nr, anzahl;
    EinheitSuchen(s, eaFlagge, bsDeutschland, nr, anzahl);
    EXPECT_NE(nr, 0);
    EinheitSuchen(s, eaInfanterie, bsRussland, nr, anzahl);
    EXPECT_EQ(nr, 0);
    EXPECT_EQ(Spielstand.Halter[s], bsDeutschland);
    ASSERT_EQ(SchritteGemacht(), 1);
    EXPECT_EQ(SchrittName(0), "Germany attacks " + SektorName(Sektoren[s]) + ": -1 Infantry, Russia -2 Infantry, " +
                                         SektorName(Sektoren[s]) + " taken");
    EXPECT_EQ(f.Anzahl[0][eaInfanterie]->value(), 2);  // the window follows the board
    EXPECT_FALSE(f.RundenText->toPlainText().contains(QStringLiteral("cleared")));  // taken, by its own apply
    EditRueckgaengig();
    EXPECT_EQ(MapBytes(EinheitenAnzahl, Einheiten), vorher);
    EXPECT_EQ(Spielstand.Halter[s], bsRussland);

    // The window shows the stacks as every change leaves them, the rounds still readable; a
    // change elsewhere keeps the losses entered, one in the sector clears them.
    EXPECT_EQ(f.Anzahl[0][eaInfanterie]->value(), 3);
    EXPECT_TRUE(f.RundenText->toPlainText().contains(QStringLiteral("Germany attacks")));
    f.Verluste[1][eaInfanterie]->setValue(1);
    TMapPunkt anderswo;
    ASSERT_TRUE(PunktIn(LandSektor(s), anderswo));
    EinheitenSetzen(anderswo, eaPanzer, bsJapan, 1);
    EXPECT_EQ(f.Verluste[1][eaInfanterie]->value(), 1);
    EinheitenSetzen(innen, eaPanzer, bsDeutschland, 2);
    EXPECT_EQ(f.Anzahl[0][eaPanzer]->value(), 2);
    EXPECT_EQ(f.Verluste[1][eaInfanterie]->value(), 0);
    const QString geloescht = QStringLiteral("the losses were cleared)");
    EXPECT_TRUE(f.RundenText->toPlainText().endsWith(geloescht));

    // Applied once, the next apply waits for a roll; against no one neither is offered.
    f.Verluste[1][eaInfanterie]->setValue(1);
    f.ApplyButton->click();
    EXPECT_FALSE(f.ApplyButton->isEnabled());
    EinheitenSetzen(innen, eaPanzer, bsDeutschland, 1);  // nothing entered since: nothing cleared
    EXPECT_FALSE(f.RundenText->toPlainText().endsWith(geloescht));
    f.RollButton->click();
    EXPECT_TRUE(f.ApplyButton->isEnabled());
    for (int i = EinheitenAnzahl; i >= 1; --i)
        if (Einheiten[i].Sektor == s && Einheiten[i].Besitzer == bsRussland) EinheitLoeschen(static_cast<std::uint32_t>(i));
    SpielstandAktualisieren();
    EXPECT_FALSE(f.RollButton->isEnabled() || f.ApplyButton->isEnabled());
    EXPECT_EQ(f.OddsLabel->text(), QStringLiteral("no battle: no defender"));  // no odds of a battle not fought
    EXPECT_FALSE(f.OddsGezeigt(gezeigt));
    // An AA gun alone defends; no attacker shown, no battle.
    EinheitenSetzen(innen, eaFlak, bsRussland, 1);
    EXPECT_TRUE(f.RollButton->isEnabled());
    for (TEinheitArt k : SchlachtArten) f.Anzahl[0][k]->setValue(0);
    EXPECT_FALSE(f.RollButton->isEnabled());
    EXPECT_EQ(f.OddsLabel->text(), QStringLiteral("no battle: no attacker"));
}
