#include "UStart.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

#include "Main.h"
#include "UAboutForm.h"
#include "UBefehl.h"
#include "UBildaufbau.h"
#include "UBitmaps.h"
#include "UDDrawInit.h"
#include "UDateien.h"
#include "UEditSektor.h"
#include "UEditsForm.h"
#include "UEinheitenListeForm.h"
#include "UFehler.h"
#include "UFensterPlaetze.h"
#include "UGameInfoForm.h"
#include "UGameinfoAusgebenForm.h"
#include "UHelpForm.h"
#include "UInputs.h"
#include "UIntroForm.h"
#include "UMap.h"
#include "UMapNameEditForm.h"
#include "USchritte.h"
#include "USektorInfoForm.h"
#include "USektorenListe.h"
#include "USpielstand.h"
#include "USchlachtForm.h"
#include "UToolsForm.h"
#include "UVariablen.h"
#include "UWiederherstellung.h"
#include "UZugBefehle.h"
#include "UZugFenster.h"

namespace {

int EndeStatus = 0;  // non-zero when the settings could not be written at the close
bool SignalEnde = false;  // the end was asked by a signal: nobody is there to answer a box
QMessageBox* WiederherstellungsHinweis = nullptr;

// A failure at the close: shown in a box, unless a signal ends the program; standard error
// and the exit status say it either way.
void SchlussFehler(const std::exception& ex) {
    EndeStatus = 1;
    if (SignalEnde) {
        std::fprintf(stderr, "QelMap: %s\n", FehlerText(ex).c_str());
        std::fflush(stderr);
    } else {
        FehlerMelden(nullptr, ex);
    }
}

// A notice beside the game that names the recovery files an earlier run left. Beside the
// game, not in its way: the start goes on and the box closes with OK.
void WiederherstellungMelden(const std::string& dateien) {
    WiederherstellungsHinweis = new QMessageBox(
        QMessageBox::Information, QStringLiteral("QelMap: unsaved changes kept"),
        QStringLiteral("The changes of an earlier run that were not saved are kept in\n\n") +
            QString::fromLocal8Bit(dateien.c_str()) +
            QStringLiteral("\n\"load map\" of the .map file brings the position back, \"load sektorinfo\" "
                           "of the .sek file the sector table."),
        QMessageBox::Ok, MapForm);
    WiederherstellungsHinweis->setAttribute(Qt::WA_DeleteOnClose);
    WiederherstellungsHinweis->setModal(false);
    QObject::connect(WiederherstellungsHinweis, &QObject::destroyed, [] { WiederherstellungsHinweis = nullptr; });
    QTimer::singleShot(0, WiederherstellungsHinweis, [] {
        if (WiederherstellungsHinweis) WiederherstellungsHinweis->show();
    });
}

// Check marks and windows as the settings describe them; the palette is always shown.
void FensterNachEinstellungen() {
    MapForm->OptionsMenu_ICPsAnzeigen->setChecked(ICPsAnzeigen);
    MapForm->OptionsMenu_LandAmCursorAnzeigen->setChecked(LandnameAmCursor);
    MapForm->OptionsMenu_EinheitAmCursorAnzeigen->setChecked(EinheitartAmCursor);
    MapForm->OptionsMenu_EinheitbesitzerAmCursorAnzeigen->setChecked(BesitzerAmCursor);
    MapForm->OptionsMenu_MausStehtBeimScrollen->setChecked(MausStehtBeimScrollen);
    MapForm->OptionsMenu_HalterAnzeigen->setChecked(HalterAnzeigen);
    ToolsForm->show();
    if (SektorInfo) SektorInfoForm->show();
    MapForm->FensterMenu_SektorenInfo->setChecked(SektorInfo);
    if (GameInfo) GameInfoForm->show();
    MapForm->FensterMenu_GameInfo->setChecked(GameInfo);
    MapForm->FensterMenu_GameCenter->setChecked(GameCenter);
}

// The battle window comes back with the main window (HauptfensterZeigen).
bool SchlachtWiederZeigen = false;

// The edits and battle windows open at the last close come back once the position and the
// steps they show are there: the battle for the sector it showed, when that sector holds a
// battle to show.
void FensterNachStellung() {
    MapForm->FensterMenu_Edits->setChecked(EditsOffen);
    SchlachtWiederZeigen = false;
    if (SchlachtOffen && SchlachtSektor >= 1 && SchlachtSektor <= SetzSektoren) {
        SchlachtForm->Laden(SchlachtSektor);
        SchlachtWiederZeigen = SchlachtForm->Sektor() == SchlachtSektor;
    }
}

}  // namespace

void StartZuruecksetzen() {
    WiederherstellungsHinweis = nullptr;
    SchlachtWiederZeigen = false;
    EndeStatus = 0;
    SignalEnde = false;
}

void Initialisieren() {
    OwnPiecesPruefen();
    IntroForm->show();
    IntroForm->InfoLabel->setText(QStringLiteral("Init DirectX..."));
    IntroForm->repaint();
    CreateObjects();
    // The view can grow no larger than the display composes. A window manager applies a
    // resize later than it is asked for, so the window is not let grow beyond in the first
    // place rather than shrunk on the next paint.
    MapForm->setMaximumSize(MaxViewBreite, MaxViewHoehe + MapForm->MenuHoehe() + ToolBarHoch + StatusBarHoch);
    IntroForm->InfoLabel->setText(QStringLiteral("Loading Bitmaps..."));
    DisplayReady = false;
    BitmapsLaden();
    DisplayReady = true;
    delete IntroForm;
    // Without places in the settings the windows would all open at the top left, one over
    // the other.
    const bool ersterStart = !PlaetzeGenannt();
    EinstellungenLaden();
    if (ersterStart) ErsterStartPlaetze();
    MapForm->Anordnen();
    ViewBerechnen();
    FensterNachEinstellungen();
    SektorEditZuruecksetzen();
    SektorenLaden("Sektoren_neu.sek");
    MapLaden("Start.map");
    SektorenGesichert("Sektoren_neu.sek");
    MapGesichert("Start.map");
    const std::string alte = AlteWiederherstellungenSichern();
    MapForm->TitelSetzen(QStringLiteral("Start.map"));
    MapName = "Start";
    MapForm->Client->setCursor(Qt::BlankCursor);
    Selection = {0, 0, 0};
    SpielstandAktualisieren();
    MapGewechselt(std::string());
    ZugFensterPlaetzeLaden();
    if (DisplayReady) RenderFrame();
    // Undo goes back no further than the position the run starts with.
    SchritteLeeren();
    FensterNachStellung();
    if (!alte.empty()) WiederherstellungMelden(alte);
}

void FormClose() {
    // Nothing is asked and nothing is lost: what no file command saved goes into the
    // recovery files, units in hand back where they were picked up first.
    SicherungAnhalten();
    try {
        GetrageneZuruecklegen();
        WiederherstellungSchreiben();
    } catch (const std::exception& ex) {
        SchlussFehler(ex);
    }
    if (DisplayReady) {
        SektorBild = TBild{};
        SektorBildGeladen = false;
    }
    // Nothing is drawn once the display objects are gone.
    DisplayReady = false;
    ReleaseObjects();
    MapForm->Timer->stop();
    // Still shown: the floating windows are hidden only after the main window.
    EditsOffen = EditsForm->isVisible();
    SchlachtOffen = SchlachtForm->isVisible();
    SchlachtSektor = SchlachtOffen ? SchlachtForm->Sektor() : 0;
    try {
        EinstellungenSpeichern();
    } catch (const std::exception& ex) {
        SchlussFehler(ex);
    }
}

void FensterErzeugen() {
    auto* haupt = new TMapForm();
    new TSektorEditForm(haupt);
    new TEinheitenListeForm(haupt);
    new TGameInfoForm(haupt);
    new TSektorenListeForm(haupt);
    new TToolsForm(haupt);
    new TSektorInfoForm(haupt);
    new TSchlachtForm(haupt);
    new THelpForm(haupt);
    new TIntroForm(haupt);
    new TAboutForm(haupt);
    new TMapNameEditForm(haupt);
    new TGameinfoAusgebenForm(haupt);
    new TEditsForm(haupt);
}

void FensterFreigeben() { delete MapForm; }

void HauptfensterZeigen() {
    MapForm->show();
    // Only now: a window manager keeps a window in front of the one it is transient for when
    // it has that one when the window comes, and it takes the windows in the order they are
    // shown. Shown before, they would come up behind the main window.
    if (MapForm->FensterMenu_Edits->isChecked()) EditsForm->show();
    if (SchlachtWiederZeigen) SchlachtForm->show();
    SchlachtWiederZeigen = false;
    if (MapForm->FensterMenu_Zug->isChecked()) ZugFensterZeigen(true);
    if (MapForm->FensterMenu_Trends->isChecked()) TrendFensterZeigen(true);
}

bool Starten() {
    QApplication::setApplicationName(QStringLiteral("Vantor Map for Windows"));
    FensterErzeugen();
    try {
        Initialisieren();
    } catch (const std::exception& e) {
        delete IntroForm;
        for (QWidget* w : {static_cast<QWidget*>(ToolsForm), static_cast<QWidget*>(GameInfoForm),
                           static_cast<QWidget*>(SektorInfoForm)})
            if (w) w->hide();
        FehlerMelden(nullptr, e);
        return false;
    }
    return true;
}

namespace {

// The end of the desktop session (SIGTERM, SIGHUP) and Ctrl+C in the terminal (SIGINT) close
// the main window as the close box does, so that the recovery files and the settings are
// written. The handler only writes a byte into a socket; the event loop reads it. Both ends
// never block: a burst of signals cannot stop the handler, the reader takes what is there.
int SignalPipe[2] = {-1, -1};

void SignalEmpfangen(int) {
    const int fehler = errno;
    const char c = 1;
    const ssize_t n = ::write(SignalPipe[1], &c, 1);
    (void)n;
    errno = fehler;
}

void SignalLesen() {
    char puffer[64];
    while (::read(SignalPipe[0], puffer, sizeof puffer) > 0) {
    }
}

// Every event loop ends, a modal box's or dialog's too, also one inside the close itself,
// which then goes on without a box. The main window is closed once no loop runs (Programm),
// not in here: code that waits behind a dialog still finds the display it draws on.
void SignalVerarbeiten() {
    SignalLesen();
    SignalEnde = true;
    QCoreApplication::exit(0);
}

void SignaleAbfangen(QObject* eltern) {
    if (SignalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, SignalPipe) != 0) {
        SignalPipe[0] = SignalPipe[1] = -1;
        return;
    }
    // A signal between two runs in one process belongs to none of them.
    SignalLesen();
    auto* leser = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, eltern);
    QObject::connect(leser, &QSocketNotifier::activated, eltern, SignalVerarbeiten);
    struct sigaction sa = {};
    sa.sa_handler = SignalEmpfangen;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(signal, &sa, nullptr);
}

}  // namespace

int Programm() {
    if (!Starten()) {
        FensterFreigeben();
        return 1;
    }
    SignaleAbfangen(MapForm);
    HauptfensterZeigen();
    const int status = QApplication::exec();
    // A loop ended by a signal left the main window open: its close keeps the work now.
    if (MapForm->isVisible()) MapForm->close();
    FensterFreigeben();
    return status != 0 ? status : EndeStatus;
}
