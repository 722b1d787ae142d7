#include "Main.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QElapsedTimer>
#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSocketNotifier>
#include <QPainter>
#include <QStyle>
#include <QTimer>
#include <QWindow>
#include <QToolButton>
#include <cmath>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#include <cstdio>
#include <exception>
#include <stdexcept>

#include "UAboutForm.h"
#include "UBitmaps.h"
#include "UEditSektor.h"
#include "UEinheitenListeForm.h"
#include "UFehler.h"
#include "UFensterHilfen.h"
#include "UGameInfoForm.h"
#include "UGameinfoAusgebenForm.h"
#include "UGrafik.h"
#include "UHelpForm.h"
#include "UIntroForm.h"
#include "UMap.h"
#include "UMapNameEditForm.h"
#include "USektorInfoForm.h"
#include "USektorenListe.h"
#include "USpielstand.h"
#include "UToolsForm.h"
#include "UVariablen.h"
#include "UWiederherstellung.h"
#include "UZufall.h"
#include "UDatei.h"
#include "UIni.h"

TMapForm* MapForm = nullptr;
std::int32_t BlinkZaehler = 0;
bool BlinkPhase = true;
std::int32_t AlarmStufe = 0;

namespace {

constexpr int ToolBarHoch = 29;
constexpr int StatusBarHoch = 19;
const QString Titel = QStringLiteral("QelMap for Windows // ");
const QString FilterSek = QStringLiteral("Sektordatei (*.sek)");
const QString FilterMap = QStringLiteral("Mapdatei (*.map)");

QElapsedTimer LetzterTick;  // when the alert timer last ticked

int EndeStatus = 0;  // non-zero when the settings could not be written at the close

TShiftState Zustand(Qt::KeyboardModifiers m, Qt::MouseButtons b) {
    TShiftState s;
    s.Shift = m & Qt::ShiftModifier;
    s.Ctrl = m & Qt::ControlModifier;
    s.Alt = m & Qt::AltModifier;
    s.Links = b & Qt::LeftButton;
    s.Rechts = b & Qt::RightButton;
    s.Mitte = b & Qt::MiddleButton;
    return s;
}

TMausKnopf Knopf(Qt::MouseButton b) {
    if (b == Qt::LeftButton) return mkLinks;
    if (b == Qt::RightButton) return mkRechts;
    if (b == Qt::MiddleButton) return mkMitte;
    return mkAndere;
}

void FehlerMelden(QWidget* eltern, const std::exception& e) {
    const std::string text = FehlerText(e);
    std::fprintf(stderr, "QelMap: %s\n", text.c_str());
    QMessageBox::critical(eltern, QStringLiteral("QelMap"), QString::fromLocal8Bit(text));
}

// Writes the recovery files a moment after a command or a press that may have changed the
// board, never inside the frame of the event itself.
QTimer* SicherungsUhr = nullptr;
constexpr int SicherungNachMs = 250;
bool SicherungsFehlerGezeigt = false;
QMessageBox* WiederherstellungsHinweis = nullptr;

void SicherungAnstossen() {
    if (SicherungsUhr && !SicherungsUhr->isActive()) SicherungsUhr->start();
}

// Runs a command; an error ends it and is shown, and the program carries on. A command
// that may change the board has the recovery files follow it.
template <class F>
void Befehl(F f, bool aendertBrett = true) {
    try {
        f();
    } catch (const std::exception& e) {
        FehlerMelden(MapForm, e);
    } catch (...) {
        FehlerMelden(MapForm, std::runtime_error("an unexpected error ended the command"));
    }
    if (aendertBrett) SicherungAnstossen();
}

// A command of the menus, the tool bar or the popup may change anything the view shows: when it
// ends, the view shows all of it anew.
template <class F>
void Kommando(F f) {
    Befehl(f);
    if (!DisplayReady) return;
    ViewMarkieren();
    RenderFrame();
}

// Runs a file dialog; the chosen file, or an empty string when it was cancelled.
std::string DateiWaehlen(QFileDialog* d) {
    const int ergebnis = d->exec();
    // A dialog closed from its file-name completion list leaves that list open: it would keep
    // the pointer to itself, the map view would follow it no more, and the next click would
    // only close it.
    if (QWidget* liste = QApplication::activePopupWidget()) liste->close();
    if (ergebnis != QDialog::Accepted || d->selectedFiles().isEmpty()) return std::string();
    return QDir::toNativeSeparators(d->selectedFiles().first()).toLocal8Bit().toStdString();
}

// Selects filter 1 ("Sektordatei") or 2 ("Mapdatei") with its default extension.
void FilterSetzen(QFileDialog* d, int index) {
    d->selectNameFilter(index == 1 ? FilterSek : FilterMap);
    d->setDefaultSuffix(index == 1 ? QStringLiteral("sek") : QStringLiteral("map"));
}

// A file list of the dialog opens a double-clicked entry when the button goes up rather than
// at the second press: a dialog that closed under the held button left the window system's
// release unseen, and the map view then took every move for a drag of the closed dialog.
class TDoppelklickBeimLoslassen : public QObject {
public:
    TDoppelklickBeimLoslassen(QAbstractItemView* liste) : QObject(liste), liste_(liste) {
        liste->viewport()->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonDblClick) {
            offen_ = liste_->indexAt(static_cast<QMouseEvent*>(e)->position().toPoint());
            return offen_.isValid();
        }
        if (e->type() == QEvent::MouseButtonRelease && offen_.isValid()) {
            const QPersistentModelIndex eintrag = offen_;
            offen_ = QPersistentModelIndex();
            QMetaObject::invokeMethod(
                liste_, [this, eintrag] { if (eintrag.isValid()) emit liste_->activated(eintrag); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QAbstractItemView* liste_;
    QPersistentModelIndex offen_;
};

QFileDialog* DateiDialog(QWidget* eltern, QFileDialog::AcceptMode modus) {
    auto* d = new QFileDialog(eltern);
    d->setOption(QFileDialog::DontUseNativeDialog);
    d->setAcceptMode(modus);
    d->setFileMode(modus == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    d->setNameFilters({FilterSek, FilterMap});
    d->setDirectory(QDir::currentPath());
    for (QAbstractItemView* liste : d->findChildren<QAbstractItemView*>()) new TDoppelklickBeimLoslassen(liste);
    // Once a default extension is set it follows the chosen filter, so that a name typed
    // without extension gets the extension of the kind of file the user picked.
    QObject::connect(d, &QFileDialog::filterSelected, d, [d](const QString& f) {
        if (!d->defaultSuffix().isEmpty())
            d->setDefaultSuffix(f == FilterSek ? QStringLiteral("sek") : QStringLiteral("map"));
    });
    return d;
}

QIcon KnopfBild(const char* datei, QStyle::StandardPixmap ersatz) {
    QImage bild = BildDatei(datei);
    if (!bild.isNull()) return QIcon(Transparent(bild));
    return QApplication::style()->standardIcon(ersatz);
}

QLabel* Panel(QWidget* eltern, int x, int w) {
    auto* l = new QLabel(eltern);
    l->setFont(FensterSchrift());
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setGeometry(x, 0, w, StatusBarHoch);
    return l;
}

// The widest pointer text: four numbers of four digits with a sign.
// What the view asked the window to paint and it has not painted yet (client coordinates).
QRegion Angefordert;

const char* const BreitesterZeigerText = "MouseX: -8888 // MouseY: -8888MapX: -8888 // MapY: -8888";
int ZeigerPanelBreite = 250;  // what the pointer panel needs for that text, measured at creation

// Relative luminance and contrast ratio as the accessibility guidelines define them.
double Leuchtdichte(const QColor& c) {
    auto kanal = [](int v) {
        const double x = v / 255.0;
        return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * kanal(c.red()) + 0.7152 * kanal(c.green()) + 0.0722 * kanal(c.blue());
}
double Kontrast(const QColor& a, const QColor& b) {
    const double la = Leuchtdichte(a), lb = Leuchtdichte(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// The tool bar's alert message: its colours (yellow among them) stand on the grey bar, so
// every glyph gets a one-pixel outline in black or white, whichever contrasts more with it.
// Drawn without smoothing, so that no pixel between glyph and outline blurs the two.
class TWarnLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QFont f = font();
        f.setStyleStrategy(QFont::NoAntialias);
        p.setFont(f);
        const QColor farbe = palette().color(QPalette::WindowText);
        const QColor umriss = Kontrast(farbe, Qt::black) >= Kontrast(farbe, Qt::white) ? Qt::black : Qt::white;
        const QRect r = contentsRect().adjusted(1, 1, -1, -1);
        const int lage = Qt::AlignLeft | Qt::AlignVCenter;
        p.setPen(umriss);
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (dx || dy) p.drawText(r.translated(dx, dy), lage, text());
        p.setPen(farbe);
        p.drawText(r, lage, text());
    }
};

// Widths of the status panels: 500, 100 and the rest of the bar for the pointer's text, which
// is never cut; on a narrow bar the stack panel gives way first, then the frame rate's.
void PanelsLegen(QLabel* const panel[3], int breite) {
    const int w2 = qMax(breite - 600, ZeigerPanelBreite);
    const int w1 = qBound(0, breite - w2, 100);
    const int w0 = qBound(0, breite - w2 - w1, 500);
    panel[0]->setGeometry(0, 0, w0, StatusBarHoch);
    panel[1]->setGeometry(w0, 0, w1, StatusBarHoch);
    panel[2]->setGeometry(w0 + w1, 0, w2, StatusBarHoch);
}

}  // namespace

// The client area: the tool bar at its top, the status bar at its bottom and the map view
// between them. The view shows SurfaceFront, the last finished frame; a new size asks for a
// new frame.
class TClientArea : public QWidget {
public:
    explicit TClientArea(QWidget* eltern) : QWidget(eltern) {
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    // The view's rectangle in the client area: what SurfaceFront holds of it.
    static QRect Ansicht() {
        if (!SurfaceFront) return QRect();
        return QRect(0, ToolBarHoch, std::clamp(ViewBreite, 0, SurfaceFront->Breite),
                     std::clamp(ViewHoehe, 0, SurfaceFront->Hoehe));
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        // A paint of the view that it did not ask for itself is the window's paint request:
        // the view is drawn anew first.
        const bool angefordert = (e->region() & Ansicht()).subtracted(Angefordert).isEmpty();
        Angefordert -= e->region();
        if (DisplayReady && !angefordert) Befehl([] { ViewAnpassen(); }, false);
        QPainter p(this);
        const QRect ansicht = Ansicht();
        if (!ansicht.isEmpty()) {
            const QImage front(SurfaceFront->Pixel.data(), SurfaceFront->Breite, SurfaceFront->Hoehe,
                               SurfaceFront->Abstand,
                               SurfaceFront->BitsProPixel == 16 ? QImage::Format_RGB16 : QImage::Format_RGB32);
            for (const QRect& r : e->region() & ansicht) p.drawImage(r.topLeft(), front, r.translated(0, -ToolBarHoch));
        }
        // What the view does not cover (before the first frame, or a window larger than the view).
        for (const QRect& r : e->region() - ansicht) p.fillRect(r, palette().window());
    }
    void resizeEvent(QResizeEvent*) override {
        if (DisplayReady) Befehl([] { ViewAnpassen(); }, false);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        const QPoint p = e->position().toPoint();
        // A button pressed outside the view drags nothing, and while it is held the pointer
        // is not kept in the view.
        if (ausserhalb_ && !Ansicht().contains(p)) return;
        Befehl([&] { MouseMoved(Zustand(e->modifiers(), e->buttons() & ~ausserhalb_), p.x(), p.y()); }, false);
    }
    // Only presses inside the map view edit, not those on the tool bar's empty part or the
    // status bar; the release of such a press does nothing either.
    void mousePressEvent(QMouseEvent* e) override {
        const QPoint p = e->position().toPoint();
        const QRect view(0, ToolBarHoch, std::max(ViewBreite, 0), std::max(ViewHoehe, 0));
        if (!view.contains(p)) {
            ausserhalb_ |= e->button();
            return;
        }
        Befehl([&] { MausGedrueckt(Knopf(e->button()), Zustand(e->modifiers(), e->buttons()), p.x(), p.y()); });
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (ausserhalb_ & e->button()) {
            ausserhalb_ &= ~e->button();
            return;
        }
        const QPoint p = e->position().toPoint();
        Befehl([&] { MausLosgelassen(Knopf(e->button()), Zustand(e->modifiers(), e->buttons()), p.x(), p.y()); });
    }
    void keyPressEvent(QKeyEvent* e) override { Taste(e, true); }
    void keyReleaseEvent(QKeyEvent* e) override { Taste(e, false); }

private:
    Qt::MouseButtons ausserhalb_;  // buttons pressed outside the map view and not yet released

    static void Taste(QKeyEvent* e, bool unten) {
        TShiftState s = Zustand(e->modifiers(), QGuiApplication::mouseButtons());
        // The modifier key itself: its own event may or may not carry it in the state.
        if (e->key() == Qt::Key_Shift) s.Shift = unten;
        if (e->key() == Qt::Key_Control) s.Ctrl = unten;
        Befehl([&] {
            TasteGeaendert(s);
            const QString t = e->text();
            // Every character is a key press; one beyond ASCII is neither "+" nor "-".
            if (unten && !t.isEmpty()) KeyPressed(t.size() == 1 && t[0].unicode() < 128 ? static_cast<char>(t[0].unicode()) : '\0');
        });
    }
};

// ---- The window ---------------------------------------------------------------------------

TMapForm::TMapForm() : QWidget(nullptr) {
    MapForm = this;
    Platzierbar = !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    if (!Platzierbar)
        std::fputs("QelMap: Wayland lets no program place its windows, move the pointer or activate a window, "
                   "so the window places of QelWin.INI, keeping the pointer in the map view, \"mouse stops at "
                   "scrolling\" and activating the main window are left out; QT_QPA_PLATFORM=xcb runs QelMap "
                   "through XWayland with all of them\n",
                   stderr);
    setWindowTitle(QStringLiteral("MapForm"));
    setFont(FensterSchrift());
    setGeometry(256, 133, 1000, 629);

    MainMenu = new QMenuBar(this);
    auto eintrag = [this](QMenu* m, const char* text, const char* kurz, bool an, void (TMapForm::*f)()) {
        QAction* a = m->addAction(QString::fromLatin1(text));
        if (kurz) a->setShortcut(QKeySequence(QString::fromLatin1(kurz)));
        a->setEnabled(an);
        if (f) connect(a, &QAction::triggered, this, [this, f] { Kommando([&] { (this->*f)(); }); });
        return a;
    };
    auto schalter = [this](QMenu* m, const char* text, const char* kurz, bool an, bool* flag) {
        QAction* a = m->addAction(QString::fromLatin1(text));
        if (kurz) a->setShortcut(QKeySequence(QString::fromLatin1(kurz)));
        a->setEnabled(an);
        a->setCheckable(true);
        // The option follows the check mark, and the view shows it when the player sets it.
        if (flag) connect(a, &QAction::toggled, this, [flag](bool c) { *flag = c; });
        connect(a, &QAction::triggered, this, [] { Kommando([] {}); });
        return a;
    };

    DateiMenu = MainMenu->addMenu(QStringLiteral("File"));
    DateiMenu_MapLaden = eintrag(DateiMenu, "load map", "Ctrl+L", true, &TMapForm::DateiMenu_MapLadenClick);
    DateiMenu_MapSpeichern =
        eintrag(DateiMenu, "save map", "Ctrl+S", false, &TMapForm::DateiMenu_MapSpeichernClick);
    DateiMenu_MapSpeichernAls =
        eintrag(DateiMenu, "save map as...", nullptr, true, &TMapForm::DateiMenu_MapSpeichernAlsClick);
    DateiMenu->addSeparator();
    DateiMenu_SInfoLaden = eintrag(DateiMenu, "load sektorinfo", nullptr, true, &TMapForm::DateiMenu_SInfoLadenClick);
    DateiMenu_SInfoSpeichern =
        eintrag(DateiMenu, "save sektorinfo", nullptr, true, &TMapForm::DateiMenu_SInfoSpeichernClick);
    DateiMenu->addSeparator();
    DateiMenu_Beenden = eintrag(DateiMenu, "exit", "Ctrl+X", true, nullptr);
    connect(DateiMenu_Beenden, &QAction::triggered, this, &QWidget::close);

    OptionsMenu = MainMenu->addMenu(QStringLiteral("Options"));
    OptionsMenu_ICPsAnzeigen = schalter(OptionsMenu, "show ICPs", "Ctrl+I", true, &ICPsAnzeigen);
    OptionsMenu_LandAmCursorAnzeigen =
        schalter(OptionsMenu, "show countrynames at cursor", nullptr, true, &LandnameAmCursor);
    OptionsMenu_EinheitAmCursorAnzeigen =
        schalter(OptionsMenu, "show kind of unit at cursor", nullptr, true, &EinheitartAmCursor);
    OptionsMenu_EinheitbesitzerAmCursorAnzeigen =
        schalter(OptionsMenu, "show unitowner at cursor", nullptr, true, &BesitzerAmCursor);
    OptionsMenu_MausStehtBeimScrollen =
        schalter(OptionsMenu, "mouse stops at scrolling", nullptr, true, &MausStehtBeimScrollen);
    OptionsMenu->addSeparator();
    OptionsMenu_EditModus = schalter(OptionsMenu, "Editmodus", "Ctrl+E", false, nullptr);
    connect(OptionsMenu_EditModus, &QAction::triggered, this, [this] { OptionsMenu_EditModusClick(); });

    ToolsMenu = MainMenu->addMenu(QStringLiteral("Tools"));
    ToolsMenu_EinheitenAusgeben =
        eintrag(ToolsMenu, "list units", nullptr, true, &TMapForm::ToolsMenu_EinheitenAusgebenClick);
    ToolsMenu_GameinfoAusgeben = eintrag(ToolsMenu, "list gameinfo", nullptr, false, nullptr);
    ToolsMenu_SektorenAusgeben =
        eintrag(ToolsMenu, "list sectorinfo", nullptr, false, &TMapForm::ToolsMenu_SektorenAusgebenClick);
    ToolsMenu->addSeparator();
    ToolsMenu_Zufall = eintrag(ToolsMenu, "random units", nullptr, false, &TMapForm::ToolsMenu_ZufallClick);

    FensterMenu = MainMenu->addMenu(QStringLiteral("Windows"));
    FensterMenu_SektorenInfo = schalter(FensterMenu, "sectorninfo", nullptr, true, nullptr);
    connect(FensterMenu_SektorenInfo, &QAction::triggered, this, [this] { FensterMenu_SektorenInfoClick(); });
    FensterMenu_GameInfo = schalter(FensterMenu, "gameinfo", nullptr, true, nullptr);
    FensterMenu_GameInfo->setChecked(true);
    connect(FensterMenu_GameInfo, &QAction::triggered, this, [this] { FensterMenu_GameInfoClick(); });
    FensterMenu_GameCenter = schalter(FensterMenu, "gamecenter", nullptr, false, nullptr);
    connect(FensterMenu_GameCenter, &QAction::triggered, this, [this] { FensterMenu_GameCenterClick(); });

    HelpMenu = MainMenu->addAction(QStringLiteral("Help"));
    connect(HelpMenu, &QAction::triggered, this, [this] { HelpMenuClick(); });
    AboutMenu = MainMenu->addAction(QStringLiteral("About"));
    connect(AboutMenu, &QAction::triggered, this, [this] { AboutMenuClick(); });

    Client = new TClientArea(this);
    // The map view draws its own cursor picture; the bars keep the normal pointer.
    ToolBar = new QWidget(Client);
    ToolBar->setCursor(Qt::ArrowCursor);
    ToolBar->setAutoFillBackground(true);
    auto knopf = [this](int x, const char* datei, QStyle::StandardPixmap ersatz, bool an) {
        auto* b = new QToolButton(ToolBar);
        b->setGeometry(x, 1, 26, 26);
        b->setIconSize(QSize(24, 24));
        b->setIcon(KnopfBild(datei, ersatz));
        b->setAutoRaise(true);
        b->setEnabled(an);
        return b;
    };
    ToolBar_MapLaden = knopf(0, "ButtonMapLaden.BMP", QStyle::SP_DialogOpenButton, true);
    ToolBar_MapSpeichern = knopf(26, "ButtonMapSpeichern.BMP", QStyle::SP_DialogSaveButton, false);
    ToolBar_VorherigeMap = knopf(60, "ButtonVorherigeMap.BMP", QStyle::SP_ArrowLeft, false);
    ToolBar_NaechsteMap = knopf(86, "ButtonNaechsteMap.BMP", QStyle::SP_ArrowRight, false);
    connect(ToolBar_MapLaden, &QToolButton::clicked, this, [this] { Kommando([&] { DateiMenu_MapLadenClick(); }); });
    connect(ToolBar_MapSpeichern, &QToolButton::clicked, this,
            [this] { Kommando([&] { DateiMenu_MapSpeichernClick(); }); });
    connect(ToolBar_VorherigeMap, &QToolButton::clicked, this,
            [this] { Kommando([&] { ToolBar_VorherigeMapClick(); }); });
    connect(ToolBar_NaechsteMap, &QToolButton::clicked, this, [this] { Kommando([&] { ToolBar_NaechsteMapClick(); }); });
    PiecesZoomComboBox = new QComboBox(ToolBar);
    PiecesZoomComboBox->setGeometry(116, 4, 56, 21);
    PiecesZoomComboBox->addItems({"x1", "x2", "x3", "x4", "x5", "x6"});
    PiecesZoomComboBox->setCurrentIndex(-1);
    PiecesZoomComboBox->setEnabled(false);
    connect(PiecesZoomComboBox, &QComboBox::activated, this,
            [this](int i) { Kommando([&] { PiecesZoomComboBoxChange(i); }); });
    AxisIncomeLabel = new TWarnLabel(QStringLiteral("AxisIncomeLabel"), ToolBar);
    AxisIncomeLabel->setFont(FensterSchrift(16));
    AxisIncomeLabel->setGeometry(177, 4, 420, 21);

    StatusBar = new QWidget(Client);
    StatusBar->setCursor(Qt::ArrowCursor);
    StatusBar->setAutoFillBackground(true);
    StatusPanel[0] = Panel(StatusBar, 0, 500);
    StatusPanel[1] = Panel(StatusBar, 500, 100);
    StatusPanel[2] = Panel(StatusBar, 600, 250);
    StatusPanel[2]->setText(QString::fromLatin1(BreitesterZeigerText));
    ZeigerPanelBreite = StatusPanel[2]->sizeHint().width();
    StatusPanel[2]->clear();
    // No narrower than the pointer's text and the longest alert message need.
    AxisIncomeLabel->setText(QStringLiteral("Axisincome is between 71 and 83 !DANGER!"));
    setMinimumWidth(qMax(ZeigerPanelBreite, AxisIncomeLabel->x() + AxisIncomeLabel->sizeHint().width() + 2));
    AxisIncomeLabel->setText(QStringLiteral("AxisIncomeLabel"));

    PopupMenu = new QMenu(this);
    PopUpMenu_Edit = PopupMenu->addAction(QStringLiteral("Edit"));
    connect(PopUpMenu_Edit, &QAction::triggered, this, [this] { Kommando([&] { PopUpMenu_EditClick(); }); });
    PopUpMenu_ICPsHotSpotSetzen = PopupMenu->addAction(QStringLiteral("ICPs HotSpot setzen"));
    connect(PopUpMenu_ICPsHotSpotSetzen, &QAction::triggered, this,
            [this] { Kommando([&] { PopUpMenu_ICPsHotSpotSetzenClick(); }); });

    OpenDialog = DateiDialog(this, QFileDialog::AcceptOpen);
    SaveDialog = DateiDialog(this, QFileDialog::AcceptSave);

    // The alert blinks with every sixth tick. Ticks come no closer than TickAbstandMin, so the
    // look changes at most three times a second: faster flashing can harm photosensitive
    // players. A tick that a busy moment made late does not bring the next one nearer.
    Timer = new QTimer(this);
    Timer->setTimerType(Qt::PreciseTimer);
    Timer->setInterval(TickIntervall);
    connect(Timer, &QTimer::timeout, this, [this] {
        if (LetzterTick.isValid() && LetzterTick.elapsed() < TickAbstandMin) return;
        LetzterTick.start();
        TimerTimer();
    });
    Timer->start();

    SicherungsUhr = new QTimer(this);
    SicherungsUhr->setSingleShot(true);
    SicherungsUhr->setInterval(SicherungNachMs);
    connect(SicherungsUhr, &QTimer::timeout, this, [] {
        // Units in hand are not in the piece list: the file keeps the state before they were
        // picked up until they are dropped.
        if (ToolMode == tmCarry || !DisplayReady) return;
        try {
            WiederherstellungSchreiben();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "QelMap: %s\n", e.what());
            // Said once, without stopping the game.
            if (SicherungsFehlerGezeigt) return;
            SicherungsFehlerGezeigt = true;
            auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("QelMap"),
                                        QStringLiteral("Unsaved changes cannot be kept for recovery:\n") +
                                            QString::fromLocal8Bit(e.what()),
                                        QMessageBox::Ok, MapForm);
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->setModal(false);
            box->show();
        }
    });

    BlinkZaehler = 0;
    BlinkPhase = true;
    AlarmStufe = 0;
    LetzterTick.invalidate();
    SicherungsFehlerGezeigt = false;
    WiederherstellungsHinweis = nullptr;
    EndeStatus = 0;
    Fenster = this;
    Anordnen();
}

TMapForm::~TMapForm() {
    Fenster = &OhneFenster;
    SicherungsUhr = nullptr;
    WiederherstellungsHinweis = nullptr;
    MapForm = nullptr;
}

int TMapForm::MenuHoehe() const { return MainMenu->sizeHint().height(); }

void TMapForm::resizeEvent(QResizeEvent*) { Anordnen(); }

void TMapForm::Anordnen() {
    const int m = MenuHoehe();
    MainMenu->setGeometry(0, 0, width(), m);
    Client->setGeometry(0, m, width(), height() - m);
    ToolBar->setGeometry(0, 0, width(), ToolBarHoch);
    StatusBar->setGeometry(0, Client->height() - StatusBarHoch, width(), StatusBarHoch);
    PanelsLegen(StatusPanel, width());
}

void TMapForm::TitelSetzen(const QString& datei) { setWindowTitle(Titel + datei); }

void TMapForm::MapDateiUebernehmen(const std::string& datei) {
    TitelSetzen(QString::fromLocal8Bit(datei.c_str()));
    MapName = datei;
    SpielstandAktualisieren();
}

// ---- Geometry for the display -----------------------------------------------------------

TPunkt TMapForm::ClientUrsprung() {
    const QPoint p = mapToGlobal(QPoint(0, MenuHoehe()));
    return TPunkt{p.x(), p.y()};
}
std::int32_t TMapForm::ClientBreite() { return width(); }
std::int32_t TMapForm::ClientHoehe() { return height() - MenuHoehe(); }
std::int32_t TMapForm::ToolBarHoehe() { return ToolBarHoch; }
std::int32_t TMapForm::StatusBarHoehe() { return StatusBarHoch; }
std::int32_t TMapForm::FensterBreite() { return frameGeometry().width(); }
std::int32_t TMapForm::FensterHoehe() { return frameGeometry().height(); }
void TMapForm::FensterGroesseSetzen(std::int32_t breite, std::int32_t hoehe) {
    // Applied after the frame being drawn: the resize then brings the next one.
    const QSize rahmen = frameGeometry().size() - size();
    const QSize neu(breite - rahmen.width(), hoehe - rahmen.height());
    QMetaObject::invokeMethod(this, [this, neu] { resize(neu); }, Qt::QueuedConnection);
}

void TMapForm::ViewZeigen(const TRect* rechtecke, int anzahl) {
    QRegion region;
    for (int i = 0; i < anzahl; ++i)
        region += QRect(rechtecke[i].Left, ToolBarHoch + rechtecke[i].Top, rechtecke[i].Right - rechtecke[i].Left,
                        rechtecke[i].Bottom - rechtecke[i].Top);
    Angefordert += region;
    Client->update(region);
}

void TMapForm::StatusText(int panel, const std::string& text) {
    if (panel >= 0 && panel < 3) StatusPanel[panel]->setText(QString::fromLatin1(text.c_str()));
}

// ---- Pointer and focus for the input reactions ---------------------------------------------

void TMapForm::FokusGeben() {
    if (Platzierbar && !isActiveWindow()) activateWindow();
    if (!Client->hasFocus()) Client->setFocus();
}

// Where the pointer cannot be moved back into the view, the event's point, confined to the
// view by the caller, stands for it.
TPunkt TMapForm::ZeigerLesen(TPunkt ereignis) {
    if (!Platzierbar) return ereignis;
    const QPoint p = Client->mapFromGlobal(QCursor::pos());
    return TPunkt{p.x(), p.y()};
}

bool TMapForm::ZeigerSetzen(TPunkt client) {
    if (!Platzierbar) return false;
    QCursor::setPos(Client->mapToGlobal(QPoint(client.X, client.Y)));
    return true;
}

void TMapForm::PopupOeffnen(TPunkt client) { PopupMenu->exec(Client->mapToGlobal(QPoint(client.X, client.Y))); }

void TMapForm::SektorInfoZeigen(std::uint8_t sektor) { SektorInfoFuellen(sektor); }

void TMapForm::SpielstandGeaendert() { SpielstandAnzeigen(); }

void TMapForm::FensterGeschlossen(TFenster fenster) {
    if (fenster == fwSektorInfoForm) FensterMenu_SektorenInfo->setChecked(false);
    if (fenster == fwGameInfoForm) FensterMenu_GameInfo->setChecked(false);
}

void TMapForm::FehlerZeigen(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Error"), QString::fromLocal8Bit(text.c_str()), QMessageBox::Ok);
    box.exec();
}

// ---- Window places for the settings --------------------------------------------------------

namespace {

// Applies a stored place once more when the window's frame becomes known: the window
// manager frames the window after it is shown and then moves it, and the move (or a later
// resize, activation or the first paint) is the event that reports it.
class TRahmenKorrektur : public QObject {
public:
    TRahmenKorrektur(QWidget* w, const TFensterPlatz& platz, bool groesse, bool ort)
        : QObject(w), fenster_(w), platz_(platz), groesse_(groesse), ort_(ort) {
        // A later place replaces an earlier one still waiting for the frame.
        for (QObject* alt : w->findChildren<QObject*>(Name, Qt::FindDirectChildrenOnly)) delete alt;
        setObjectName(Name);
        w->installEventFilter(this);
    }
    static constexpr const char* Name = "Rahmenkorrektur";
    bool eventFilter(QObject*, QEvent* e) override {
        const QEvent::Type t = e->type();
        // A window shown later, that keeps its client place and is not activated, reports
        // its frame by nothing but its first paint.
        if (t != QEvent::Move && t != QEvent::Resize && t != QEvent::Show && t != QEvent::WindowActivate &&
            t != QEvent::Paint)
            return false;
        QWindow* h = fenster_->windowHandle();
        if (!fenster_->isVisible() || !h || h->frameMargins().isNull()) return false;
        const QMargins m = h->frameMargins();
        fenster_->removeEventFilter(this);
        deleteLater();
        if (groesse_)
            fenster_->resize(qMax(1, platz_.Width - m.left() - m.right()), qMax(1, platz_.Height - m.top() - m.bottom()));
        // The client area is put where the frame's place makes it, after the resize, which
        // may carry a client position the window manager has since changed.
        if (ort_) h->setPosition(platz_.Left + m.left(), platz_.Top + m.top());
        return false;
    }

private:
    QWidget* fenster_;
    TFensterPlatz platz_;
    bool groesse_, ort_;
};

QWidget* PlatzFenster(TFenster f) {
    switch (f) {
    case fwMapForm: return MapForm;
    case fwGameInfoForm: return GameInfoForm;
    case fwToolsForm: return ToolsForm;
    case fwSektorInfoForm: return SektorInfoForm;
    }
    return nullptr;
}
}  // namespace

void TMapForm::PlatzAnwenden(TFenster fenster, const TFensterPlatz& platz) {
    QWidget* w = PlatzFenster(fenster);
    if (!w) return;
    // Resized first: a resize after the move would make the place the client area's.
    if (fenster == fwMapForm) {
        const QSize rahmen = frameGeometry().size() - size();
        resize(qMax(1, platz.Width - rahmen.width()), qMax(1, platz.Height - rahmen.height()));
    } else if (!Platzierbar) {
        return;
    }
    if (Platzierbar) w->move(platz.Left, platz.Top);
    // The stored place is the frame's. The frame of a window not yet shown is unknown, so a
    // window manager would put the client area there and the window would creep by its
    // title bar from run to run: once the frame is known the place is applied again.
    if (frameGeometry().size() == size()) new TRahmenKorrektur(w, platz, fenster == fwMapForm, Platzierbar);
}

TFensterPlatz TMapForm::PlatzErfassen(TFenster fenster) {
    QWidget* w = PlatzFenster(fenster);
    if (!w) return FensterPlaetze[fenster];
    const QRect r = w->frameGeometry();
    TFensterPlatz p = FensterPlaetze[fenster];
    // A place the program could not apply stays as it was read, for the next start under X.
    if (Platzierbar) {
        p.Top = r.top();
        p.Left = r.left();
    }
    if (fenster == fwMapForm) {
        p.Height = r.height();
        p.Width = r.width();
    }
    return p;
}

// ---- Start-up and shutdown -----------------------------------------------------------------

void TMapForm::Initialisieren() {
    OwnPiecesPruefen();
    IntroForm->show();
    IntroForm->InfoLabel->setText(QStringLiteral("Init DirectX..."));
    IntroForm->repaint();
    CreateObjects();
    // The view can grow no larger than the display composes. A window manager applies a
    // resize later than it is asked for, so the window is not let grow beyond in the first
    // place rather than shrunk on the next paint.
    setMaximumSize(MaxViewBreite, MaxViewHoehe + MenuHoehe() + ToolBarHoch + StatusBarHoch);
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
    Anordnen();
    ViewBerechnen();
    OptionsMenu_ICPsAnzeigen->setChecked(ICPsAnzeigen);
    OptionsMenu_LandAmCursorAnzeigen->setChecked(LandnameAmCursor);
    OptionsMenu_EinheitAmCursorAnzeigen->setChecked(EinheitartAmCursor);
    OptionsMenu_EinheitbesitzerAmCursorAnzeigen->setChecked(BesitzerAmCursor);
    OptionsMenu_MausStehtBeimScrollen->setChecked(MausStehtBeimScrollen);
    ToolsForm->show();
    if (SektorInfo) SektorInfoForm->show();
    FensterMenu_SektorenInfo->setChecked(SektorInfo);
    if (GameInfo) GameInfoForm->show();
    FensterMenu_GameInfo->setChecked(GameInfo);
    FensterMenu_GameCenter->setChecked(GameCenter);
    SektorEditZuruecksetzen();
    SektorenLaden("Sektoren_neu.sek");
    MapLaden("Start.map");
    SektorenGesichert("Sektoren_neu.sek");
    MapGesichert("Start.map");
    const std::string alte = AlteWiederherstellungenSichern();
    TitelSetzen(QStringLiteral("Start.map"));
    MapName = "Start";
    Client->setCursor(Qt::BlankCursor);
    Selection = {0, 0, 0};
    SpielstandAktualisieren();
    if (DisplayReady) RenderFrame();
    if (!alte.empty()) WiederherstellungMelden(alte);
}

void TMapForm::WiederherstellungMelden(const std::string& dateien) {
    // Beside the game, not in its way: the start goes on and the box closes with OK.
    WiederherstellungsHinweis = new QMessageBox(
        QMessageBox::Information, QStringLiteral("QelMap: unsaved changes kept"),
        QStringLiteral("The changes of an earlier run that were not saved are kept in\n\n") +
            QString::fromLocal8Bit(dateien.c_str()) +
            QStringLiteral("\n\"load map\" of the .map file brings the position back, \"load sektorinfo\" "
                           "of the .sek file the sector table."),
        QMessageBox::Ok, this);
    WiederherstellungsHinweis->setAttribute(Qt::WA_DeleteOnClose);
    WiederherstellungsHinweis->setModal(false);
    connect(WiederherstellungsHinweis, &QObject::destroyed, this, [] { WiederherstellungsHinweis = nullptr; });
    QTimer::singleShot(0, WiederherstellungsHinweis, [] {
        if (WiederherstellungsHinweis) WiederherstellungsHinweis->show();
    });
}

bool TMapForm::PlaetzeGenannt() {
    const std::string pfad = EinstellungenPfad();
    if (!DateiExistiert(pfad)) return false;
    for (const char* sektion : {"MapForm", "GameInfoForm", "ToolsForm", "SektorInfoForm"})
        for (const char* schluessel : {"Top", "Left"})
            if (IniLesen(pfad, sektion, schluessel, "\n") != "\n") return true;
    return false;
}

void TMapForm::ErsterStartPlaetze() {
    // The main window keeps its default size at the top left; the palette and the game
    // information go to its right, one below the other, and the sector information below it.
    // Each place leaves room for the frame a window manager adds.
    constexpr int Abstand = 8, RahmenHoehe = 40;
    const QRect frei = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    TFensterPlatz& haupt = FensterPlaetze[fwMapForm];
    haupt.Left = frei.left();
    haupt.Top = frei.top();
    const int rechts = haupt.Left + haupt.Width + Abstand;
    FensterPlaetze[fwToolsForm].Left = rechts;
    FensterPlaetze[fwToolsForm].Top = frei.top();
    FensterPlaetze[fwGameInfoForm].Left = rechts;
    FensterPlaetze[fwGameInfoForm].Top = frei.top() + ToolsForm->height() + RahmenHoehe + Abstand;
    FensterPlaetze[fwSektorInfoForm].Left = frei.left();
    FensterPlaetze[fwSektorInfoForm].Top = haupt.Top + haupt.Height + Abstand;
    for (int f = fwMapForm; f <= fwSektorInfoForm; ++f) PlatzAnwenden(static_cast<TFenster>(f), FensterPlaetze[f]);
}

void TMapForm::closeEvent(QCloseEvent* e) {
    // Nothing is asked and nothing is lost: what no file command saved goes into the
    // recovery files, units in hand back where they were picked up first.
    SicherungsUhr->stop();
    try {
        GetrageneZuruecklegen();
        WiederherstellungSchreiben();
    } catch (const std::exception& ex) {
        FehlerMelden(nullptr, ex);
        EndeStatus = 1;
    }
    if (DisplayReady) {
        SektorBild = TBild{};
        SektorBildGeladen = false;
    }
    // Nothing is drawn once the display objects are gone.
    DisplayReady = false;
    ReleaseObjects();
    Timer->stop();
    try {
        EinstellungenSpeichern();
    } catch (const std::exception& ex) {
        // Shown, and the program's exit status says it too.
        FehlerMelden(nullptr, ex);
        EndeStatus = 1;
    }
    e->accept();
}

// ---- Alert timer ---------------------------------------------------------------------------

void TMapForm::TimerTimer() {
    if (++BlinkZaehler > BlinkGrenze) {
        BlinkZaehler = 0;
        BlinkPhase = !BlinkPhase;
    }
    // The full income: 256 and more must not wrap round to the green light.
    const int stufe = AxisAlertLevel(Spielstand.AxisIncome, BlinkPhase);
    if (stufe == AlarmStufe) return;
    AlarmStufe = stufe;
    const TBild* licht = nullptr;
    const char* text = nullptr;
    QColor farbe;
    switch (stufe) {
    case 1: licht = &GruenesLicht, text = "Axisincome is under 61", farbe = QColor(0, 128, 0); break;
    case 2: licht = &GelbesLicht, text = "Axisincome is under 71", farbe = QColor(255, 255, 0); break;
    case 3: licht = &RotesLicht, text = "Axisincome is between 71 and 83 !DANGER!", farbe = QColor(255, 0, 0); break;
    case 4: licht = &RotesLicht, text = "Axisincome is 84 or more !RED ALERT!", farbe = QColor(255, 0, 0); break;
    case 5:
        licht = &DunkelrotesLicht, text = "Axisincome is 84 or more !RED ALERT!", farbe = QColor(128, 0, 128);
        break;
    default: return;  // above 150: light and message keep what they show
    }
    if (GameInfoForm) GameInfoForm->LichtSetzen(BildAlsImage(*licht));
    AxisIncomeLabel->setText(QString::fromLatin1(text));
    QPalette p = AxisIncomeLabel->palette();
    p.setColor(QPalette::WindowText, farbe);
    AxisIncomeLabel->setPalette(p);
}

// ---- Commands ------------------------------------------------------------------------------

void TMapForm::DateiMenu_MapLadenClick() {
    FilterSetzen(OpenDialog, 2);
    const std::string f = DateiWaehlen(OpenDialog);
    if (f.empty()) return;
    MapLaden(f);
    MapGesichert(f);
    MapDateiUebernehmen(f);
}

void TMapForm::DateiMenu_MapSpeichernClick() {
    const std::string f = MapSpeichernName(MapName);
    MapSpeichern(f);
    MapGesichert(f);
}

void TMapForm::DateiMenu_MapSpeichernAlsClick() {
    FilterSetzen(SaveDialog, 2);
    const std::string f = DateiWaehlen(SaveDialog);
    if (f.empty()) return;
    MapSpeichern(f);
    MapGesichert(f);
    MapDateiUebernehmen(f);
}

void TMapForm::DateiMenu_SInfoLadenClick() {
    // A sector file is always asked for as one: never with the map filter a map command left.
    FilterSetzen(OpenDialog, 1);
    const std::string f = DateiWaehlen(OpenDialog);
    if (f.empty()) return;
    SektorenLaden(f);
    SektorenGesichert(f);
}

void TMapForm::DateiMenu_SInfoSpeichernClick() {
    FilterSetzen(SaveDialog, 1);
    const std::string f = DateiWaehlen(SaveDialog);
    if (f.empty()) return;
    SektorenSpeichern(f);
    SektorenGesichert(f);
}

void TMapForm::OptionsMenu_EditModusClick() {
    EditModus = OptionsMenu_EditModus->isChecked();
    DateiMenu_SInfoLaden->setEnabled(EditModus);
    DateiMenu_SInfoSpeichern->setEnabled(EditModus);
    ToolsMenu_SektorenAusgeben->setEnabled(EditModus);
}

void TMapForm::ToolsMenu_EinheitenAusgebenClick() {
    UnitListeErstellen();
    EinheitenListeForm->exec();
}

void TMapForm::ToolsMenu_SektorenAusgebenClick() { SektorenListeErstellen(); }

void TMapForm::ToolsMenu_ZufallClick() { ZufallsEinheiten(); }

void TMapForm::FensterMenu_SektorenInfoClick() {
    SektorInfo = FensterMenu_SektorenInfo->isChecked();
    if (SektorInfo)
        SektorInfoForm->show();
    else
        SektorInfoForm->close();
}

void TMapForm::FensterMenu_GameInfoClick() {
    GameInfo = FensterMenu_GameInfo->isChecked();
    if (GameInfo)
        GameInfoForm->show();
    else
        GameInfoForm->close();
}

void TMapForm::FensterMenu_GameCenterClick() { GameCenter = FensterMenu_GameCenter->isChecked(); }

void TMapForm::HelpMenuClick() { HelpForm->exec(); }

void TMapForm::AboutMenuClick() {
    AboutForm->OK_Button->setFocus();
    AboutForm->exec();
}

void TMapForm::ToolBar_VorherigeMapClick() {
    VorherigeMap();
    TitelSetzen(QString::fromLocal8Bit(MapName.c_str()));
}

void TMapForm::ToolBar_NaechsteMapClick() {
    NaechsteMap();
    TitelSetzen(QString::fromLocal8Bit(MapName.c_str()));
}

void TMapForm::PiecesZoomComboBoxChange(int index) {
    if (index < 0 || index > 5) return;
    Zoom = PiecesZoom = index + 1;
    RenderFrame();
}

void TMapForm::PopUpMenu_EditClick() { SektorEditieren(); }

void TMapForm::PopUpMenu_ICPsHotSpotSetzenClick() { ICPsHotSpotSetzen(); }

QImage PraesentierteView() {
    const QRect ansicht = TClientArea::Ansicht();
    if (ansicht.isEmpty()) return QImage();
    return QImage(SurfaceFront->Pixel.data(), ansicht.width(), ansicht.height(), SurfaceFront->Abstand,
                  SurfaceFront->BitsProPixel == 16 ? QImage::Format_RGB16 : QImage::Format_RGB32)
        .copy();
}

// ---- Program -------------------------------------------------------------------------------

void FensterErzeugen() {
    auto* haupt = new TMapForm();
    new TSektorEditForm(haupt);
    new TEinheitenListeForm(haupt);
    new TGameInfoForm(haupt);
    new TSektorenListeForm(haupt);
    new TToolsForm(haupt);
    new TSektorInfoForm(haupt);
    new THelpForm(haupt);
    new TIntroForm(haupt);
    new TAboutForm(haupt);
    new TMapNameEditForm(haupt);
    new TGameinfoAusgebenForm(haupt);
}

void FensterFreigeben() { delete MapForm; }

bool Starten() {
    QApplication::setApplicationName(QStringLiteral("Vantor Map for Windows"));
    FensterErzeugen();
    try {
        MapForm->Initialisieren();
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

// The end of the desktop session (SIGTERM, SIGHUP) closes the main window as the close box
// does, so that the recovery files and the settings are written. The handler only writes a
// byte into a pipe; the event loop reads it.
int SignalPipe[2] = {-1, -1};

void SignalEmpfangen(int) {
    const char c = 1;
    const ssize_t n = ::write(SignalPipe[1], &c, 1);
    (void)n;
}

void SignaleAbfangen(QObject* eltern) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, SignalPipe) != 0) return;
    auto* leser = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, eltern);
    QObject::connect(leser, &QSocketNotifier::activated, eltern, [] {
        char c;
        const ssize_t n = ::read(SignalPipe[0], &c, 1);
        (void)n;
        if (MapForm && MapForm->isVisible()) MapForm->close();
        // Every event loop ends, a modal dialog's too.
        QCoreApplication::exit(0);
    });
    struct sigaction sa = {};
    sa.sa_handler = SignalEmpfangen;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGHUP, &sa, nullptr);
}

}  // namespace

int Programm() {
    if (!Starten()) {
        FensterFreigeben();
        return 1;
    }
    SignaleAbfangen(MapForm);
    MapForm->show();
    const int status = QApplication::exec();
    FensterFreigeben();
    return status != 0 ? status : EndeStatus;
}
