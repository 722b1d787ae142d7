#include "Main.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <cstdio>

#include "UAlarm.h"
#include "UBefehl.h"
#include "UDateiBefehle.h"
#include "UEditMenue.h"
#include "UFensterHilfen.h"
#include "UFensterPlaetze.h"
#include "UMapView.h"
#include "UMenues.h"
#include "UGameInfoForm.h"
#include "UInputs.h"
#include "USchlachtForm.h"
#include "USchritte.h"
#include "USektorInfoForm.h"
#include "UStart.h"
#include "UZugBefehle.h"
#include "UZugFenster.h"

TMapForm* MapForm = nullptr;

namespace {

const QString Titel = QStringLiteral("QelMap for Windows // ");

QLabel* Panel(QWidget* eltern) {
    auto* l = new QLabel(eltern);
    l->setFont(FensterSchrift());
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return l;
}

// The widest pointer text: four numbers of four digits with a sign.
const char* const BreitesterZeigerText = "MouseX: -8888 // MouseY: -8888MapX: -8888 // MapY: -8888";
int ZeigerPanelBreite = 250;  // what the pointer panel needs for that text, measured at creation
int FpsPanelBreite = 60;      // what the frame rate's panel needs for "FPS: 8888"
int PanelRand = 8;            // what a panel adds to its text's width: frame and indent

// Widths of the status panels: 500, 100 and the rest of the bar for the pointer's text, which
// is never cut. On a narrower bar the frame rate gives way first, down to what its text needs
// and then wholly, so that the stack's text keeps all the room there is; then that gives way.
void PanelsLegen(QLabel* const panel[3], int breite) {
    const int w2 = qMax(breite - 600, ZeigerPanelBreite);
    const int rest = qMax(breite - w2, 0);
    int w1 = rest - qMin(rest, 500);
    if (w1 < FpsPanelBreite) w1 = 0;
    const int w0 = rest - w1;
    panel[0]->setGeometry(0, 0, w0, StatusBarHoch);
    panel[1]->setGeometry(w0, 0, w1, StatusBarHoch);
    panel[1]->setVisible(w1 > 0);
    panel[2]->setGeometry(w0 + w1, 0, w2, StatusBarHoch);
}

// The stack's text whole where it fits; else cut after its last whole word that fits, with an
// ellipsis, and whole in the panel's tooltip.
void TextEinpassen(QLabel* panel, const QString& text) {
    const QFontMetrics fm(panel->font());
    const int platz = panel->width() - PanelRand;
    QString t = text;
    if (fm.horizontalAdvance(text) > platz) {
        const QChar ellipse(0x2026);
        t = fm.elidedText(text, Qt::ElideRight, platz);
        if (t.endsWith(ellipse)) t.chop(1);
        const qsizetype wort = t.lastIndexOf(QLatin1Char(' '));
        // The separators before the cut go with it: "Piece: 12 // Germany" and the ellipsis.
        if (wort > 0 && t.size() < text.size() && text[t.size()] != QLatin1Char(' ')) t.truncate(wort);
        while (t.endsWith(QLatin1Char(' ')) || t.endsWith(QLatin1Char('/'))) t.chop(1);
        t += ellipse;
        if (fm.horizontalAdvance(t) > platz) t.clear();
    }
    panel->setText(t);
    panel->setToolTip(t == text ? QString() : text);
}

QString StapelText;  // what panel 0 was asked to show

}  // namespace

TMapForm::TMapForm() : QWidget(nullptr) {
    MapForm = this;
    Platzierbar = PlatzierbarPruefen();
    setWindowTitle(QStringLiteral("MapForm"));
    setFont(FensterSchrift());
    setGeometry(256, 133, 1000, 629);
    BarsAufbauen();
    ZugBefehleEinrichten(this);
    OpenDialog = DateiDialogErzeugen(this, false);
    SaveDialog = DateiDialogErzeugen(this, true);
    Timer = AlarmUhrErzeugen(this);
    SicherungsUhrErzeugen(this);
    StartZuruecksetzen();
    Fenster = this;
    Anordnen();
}

TMapForm::~TMapForm() {
    Fenster = &OhneFenster;
    MapForm = nullptr;
}

// Menu bar, tool bar with its zoom list and alert message, map view, status bar, popup menu.
void TMapForm::BarsAufbauen() {
    MainMenu = new QMenuBar(this);
    PopupMenu = new QMenu(this);
    Client = MapViewErzeugen(this);
    // The map view draws its own cursor picture; the bars keep the normal pointer.
    ToolBar = new QWidget(Client);
    ToolBar->setCursor(Qt::ArrowCursor);
    ToolBar->setAutoFillBackground(true);
    AxisIncomeLabel = WarnLabelErzeugen(ToolBar, MenuesAufbauen(this));

    StatusBar = new QWidget(Client);
    StatusBar->setCursor(Qt::ArrowCursor);
    StatusBar->setAutoFillBackground(true);
    for (QLabel*& p : StatusPanel) p = Panel(StatusBar);
    StatusPanel[2]->setText(QString::fromLatin1(BreitesterZeigerText));
    ZeigerPanelBreite = StatusPanel[2]->sizeHint().width();
    PanelRand = ZeigerPanelBreite - StatusPanel[2]->fontMetrics().horizontalAdvance(StatusPanel[2]->text());
    StatusPanel[2]->clear();
    StatusPanel[1]->setText(QStringLiteral("FPS: 8888"));
    FpsPanelBreite = StatusPanel[1]->sizeHint().width();
    StatusPanel[1]->clear();
    // No narrower than the pointer's text and the longest alert message need, and never
    // without 100 x 100 pixels of map between the bars.
    AxisIncomeLabel->setText(QStringLiteral("Axisincome is between 71 and 83 !DANGER!"));
    setMinimumSize(qMax(qMax(ZeigerPanelBreite, AxisIncomeLabel->x() + AxisIncomeLabel->sizeHint().width() + 2), 100),
                   MenuHoehe() + ToolBarHoch + 100 + StatusBarHoch);
    AxisIncomeLabel->setText(QStringLiteral("AxisIncomeLabel"));
}

int TMapForm::MenuHoehe() const { return MainMenu->sizeHint().height(); }

void TMapForm::resizeEvent(QResizeEvent*) { Anordnen(); }

void TMapForm::closeEvent(QCloseEvent* e) {
    FormClose();
    ZugFensterPlaetzeSichern();
    e->accept();
}

void TMapForm::Anordnen() {
    const int m = MenuHoehe();
    MainMenu->setGeometry(0, 0, width(), m);
    Client->setGeometry(0, m, width(), height() - m);
    ToolBar->setGeometry(0, 0, width(), ToolBarHoch);
    StatusBar->setGeometry(0, Client->height() - StatusBarHoch, width(), StatusBarHoch);
    PanelsLegen(StatusPanel, width());
    TextEinpassen(StatusPanel[0], StapelText);
}

void TMapForm::TitelSetzen(const QString& datei) {
    MapTitel = datei.toLocal8Bit().toStdString();
    setWindowTitle(Titel + datei);
}

void TMapForm::TitelZeigen(const std::string& name) {
    const QString vorher = windowTitle();
    TitelSetzen(QString::fromLocal8Bit(name.c_str()));
    // An undo that brought back another map brings back its turns too: the list, the buttons
    // and the changes against the turn before.
    if (windowTitle() != vorher) MapGewechselt(std::string());
}

void TMapForm::SchritteGeaendert() { EditAnzeigen(); }

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
    ViewNeuZeigen(Client, region);
}

void TMapForm::StatusText(int panel, const std::string& text) {
    if (panel < 0 || panel >= 3) return;
    const QString t = QString::fromLatin1(text.c_str());
    if (panel == 0)
        TextEinpassen(StatusPanel[0], StapelText = t);
    else
        StatusPanel[panel]->setText(t);
}

// ---- Pointer and focus for the input reactions ---------------------------------------------

void TMapForm::FokusGeben() {
    if (Platzierbar && !isActiveWindow()) activateWindow();
    if (!Client->hasFocus()) Client->setFocus();
}

bool TMapForm::ZeigerSetzen(TPunkt client) {
    if (!Platzierbar) return false;
    QCursor::setPos(Client->mapToGlobal(QPoint(client.X, client.Y)));
    return true;
}

void TMapForm::PopupOeffnen(TPunkt client) { PopupMenu->exec(Client->mapToGlobal(QPoint(client.X, client.Y))); }

void TMapForm::SektorInfoZeigen(std::uint8_t sektor) { SektorInfoFuellen(sektor); }

void TMapForm::PlatzAnwenden(TFenster fenster, const TFensterPlatz& platz) { FensterPlatzAnwenden(fenster, platz); }

TFensterPlatz TMapForm::PlatzErfassen(TFenster fenster) { return FensterPlatzErfassen(fenster); }

void TMapForm::SpielstandGeaendert() {
    SpielstandAnzeigen();
    ZugStellungGeaendert();
    SektorInfoAuffrischen();
    // The stack under the pointer may have gone or come: the status bar as a move there would
    // say it (the frame is the change's own). A pointer elsewhere has no stack under it.
    if (Client->underMouse()) ZeigerAuswerten();
    if (SchlachtForm && SchlachtForm->isVisible()) SchlachtForm->BrettGeaendert();
}

void TMapForm::FensterGeschlossen(TFenster fenster) {
    if (fenster == fwSektorInfoForm) FensterMenu_SektorenInfo->setChecked(false);
    if (fenster == fwGameInfoForm) FensterMenu_GameInfo->setChecked(false);
    if (fenster == fwEditsForm) FensterMenu_Edits->setChecked(false);
}

void TMapForm::FehlerZeigen(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Error"), QString::fromLocal8Bit(text.c_str()), QMessageBox::Ok);
    box.exec();
}
