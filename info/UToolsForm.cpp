#include "UToolsForm.h"

#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "UFensterHilfen.h"
#include "UInputs.h"
#include "UVariablen.h"

TToolsForm* ToolsForm = nullptr;

namespace {

// Owner colours of the chart rows: Russia, Germany, United Kingdom, Japan, United States.
const QRgb BesitzerFarbe[5] = {qRgb(200, 40, 30), qRgb(140, 140, 140), qRgb(190, 170, 110), qRgb(240, 210, 40),
                               qRgb(70, 150, 60)};
const QRgb Farbschluessel = qRgb(255, 0, 255);

// The chart: the piece cells of the pieces sheet, their see-through parts on the owner's colour.
QImage Karte() {
    QImage karte = BildDatei("ToolsPieces.BMP");
    if (!karte.isNull()) return karte;
    QImage pieces = BildDatei("PIECES.BMP");
    karte = QImage(ChartBreite, ChartHoehe, QImage::Format_RGB32);
    for (int y = 0; y < ChartHoehe; ++y)
        for (int x = 0; x < ChartBreite; ++x) {
            QRgb p = (x < pieces.width() && y < pieces.height()) ? pieces.pixel(x, y) : Farbschluessel;
            // A 5-6-5 sheet read by shifting gives F800F8 for its magenta.
            if ((p & 0xF8FCF8u) == (Farbschluessel & 0xF8FCF8u)) p = BesitzerFarbe[y / ZellHoehe];
            karte.setPixel(x, y, p);
        }
    return karte;
}

// A 23 x 23 button picture: the file if the board has one, else the cursor picture of the tool.
QPixmap Knopf(const char* datei, QRect cursor) {
    QImage bild = BildDatei(datei);
    if (bild.isNull()) {
        QImage pieces = BildDatei("PIECES.BMP");
        bild = QImage(23, 23, QImage::Format_RGB32);
        bild.fill(QColor(212, 208, 200));
        if (!pieces.isNull()) {
            QImage teil = pieces.copy(cursor);
            for (int y = 0; y < teil.height(); ++y)
                for (int x = 0; x < teil.width(); ++x) {
                    QRgb p = teil.pixel(x, y);
                    if ((p & 0xF8FCF8u) != (Farbschluessel & 0xF8FCF8u)) bild.setPixel(x + 2, y + 2, p);
                }
        }
    }
    return QPixmap::fromImage(bild);
}

// Black outside and white inside, seen on every owner's colour and on the buttons.
class TRahmen : public QWidget {
public:
    explicit TRahmen(QWidget* eltern) : QWidget(eltern) { setAttribute(Qt::WA_TransparentForMouseEvents); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(Qt::black);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.setPen(Qt::white);
        p.drawRect(rect().adjusted(1, 1, -2, -2));
    }
};

}  // namespace

TToolsForm::TToolsForm(QWidget* eltern)
    : QWidget(eltern, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("tools"));
    setFixedSize(192, 51);
    PiecesImage = new QLabel(this);
    PiecesImage->setGeometry(0, 0, ChartBreite, ChartHoehe);
    PiecesImage->setPixmap(QPixmap::fromImage(Karte()));
    MoveImage = new QLabel(this);
    MoveImage->setGeometry(165, 0, 23, 23);
    MoveImage->setPixmap(Knopf("ToolsMove.BMP", QRect(0, 60, 19, 19)));
    KillImage = new QLabel(this);
    KillImage->setGeometry(165, 20, 23, 23);
    KillImage->setPixmap(Knopf("ToolsKill.BMP", QRect(20, 60, 19, 19)));
    for (QLabel* l : {PiecesImage, MoveImage, KillImage}) l->installEventFilter(this);
    Rahmen = new TRahmen(this);
    AuswahlZeigen();
    NurSchliessen(this);
    ToolsForm = this;
}

TToolsForm::~TToolsForm() { ToolsForm = nullptr; }

bool TToolsForm::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::MouseButtonPress && o == PiecesImage) {
        const QPoint p = static_cast<QMouseEvent*>(e)->position().toPoint();
        PiecesImageMouseDown(p.x(), p.y());
        return true;
    }
    if (e->type() == QEvent::MouseButtonRelease && (o == MoveImage || o == KillImage)) {
        if (o == MoveImage)
            MoveImageClick();
        else
            KillImageClick();
        return true;
    }
    return QWidget::eventFilter(o, e);
}

// The palette stays for the whole run: nothing could bring it back once the user closed it.
// The program's own closing at its end is let through.
void TToolsForm::closeEvent(QCloseEvent* e) {
    if (e->spontaneous())
        e->ignore();
    else
        e->accept();
}

// The frame lies on the edge of the chosen cell or button and one pixel beyond it, so that it
// hides little of the small piece.
void TToolsForm::AuswahlZeigen() {
    QRect r;
    if (ToolMode == tmPlace && Selection.Art >= 1 && Selection.Art <= ArtenAnzahl && Selection.Besitzer >= 1 &&
        Selection.Besitzer <= BesitzerAnzahl)
        r = QRect((Selection.Art - 1) * ZellBreite, (Selection.Besitzer - 1) * ZellHoehe, ZellBreite, ZellHoehe);
    else
        r = (ToolMode == tmKill ? KillImage : MoveImage)->geometry();
    Rahmen->setGeometry(r.adjusted(-1, -1, 1, 1));
    Rahmen->raise();
    Rahmen->update();
}

void TToolsForm::PiecesImageMouseDown(int x, int y) {
    // A click on the chart's last pixel row or column stays in the table.
    if (x < 0 || y < 0 || x >= ChartBreite || y >= ChartHoehe) return;
    GetrageneZuruecklegen();
    Selection.Art = static_cast<TEinheitArt>(x / ZellBreite + 1);
    Selection.Besitzer = static_cast<TBesitzer>(y / ZellHoehe + 1);
    Selection.Anzahl = 1;
    ToolMode = tmPlace;
    AuswahlZeigen();
}

void TToolsForm::MoveImageClick() {
    GetrageneZuruecklegen();
    ToolMode = tmMove;
    Selection = {0, 0, 0};
    AuswahlZeigen();
}

void TToolsForm::KillImageClick() {
    GetrageneZuruecklegen();
    ToolMode = tmKill;
    Selection.Art = 0;
    Selection.Besitzer = 0;
    Selection.Anzahl = 1;
    AuswahlZeigen();
}
