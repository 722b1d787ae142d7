#include "UAlarm.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <cmath>

#include "Main.h"
#include "UBitmaps.h"
#include "UFensterHilfen.h"
#include "UGameInfoForm.h"
#include "USpielstand.h"

std::int32_t BlinkZaehler = 0;
bool BlinkPhase = true;
std::int32_t AlarmStufe = 0;

namespace {

QElapsedTimer LetzterTick;  // when the alert timer last ticked

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

// The message's colours (yellow among them) stand on the grey bar, so every glyph gets a
// one-pixel outline in black or white, whichever contrasts more with it. Drawn without
// smoothing, so that no pixel between glyph and outline blurs the two.
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

}  // namespace

QLabel* WarnLabelErzeugen(QWidget* toolBar, int x) {
    auto* l = new TWarnLabel(QStringLiteral("AxisIncomeLabel"), toolBar);
    l->setFont(FensterSchrift(16));
    l->setGeometry(x, 4, 420, 21);
    return l;
}

QTimer* AlarmUhrErzeugen(QWidget* eltern) {
    BlinkZaehler = 0;
    BlinkPhase = true;
    AlarmStufe = 0;
    LetzterTick.invalidate();
    // The alert blinks with every sixth tick. Ticks come no closer than TickAbstandMin, so the
    // look changes at most three times a second: faster flashing can harm photosensitive
    // players. A tick that a busy moment made late does not bring the next one nearer.
    auto* uhr = new QTimer(eltern);
    uhr->setTimerType(Qt::PreciseTimer);
    uhr->setInterval(TickIntervall);
    QObject::connect(uhr, &QTimer::timeout, uhr, [] {
        if (LetzterTick.isValid() && LetzterTick.elapsed() < TickAbstandMin) return;
        LetzterTick.start();
        TimerTimer();
    });
    uhr->start();
    return uhr;
}

void TimerTimer() {
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
    if (!MapForm) return;
    QLabel* label = MapForm->AxisIncomeLabel;
    label->setText(QString::fromLatin1(text));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, farbe);
    label->setPalette(p);
}
