#include <QApplication>
#include <QByteArrayList>
#include <cmath>

#include "UStart.h"
#include "UEinzelstart.h"

namespace {

// "1.5" gives "2"; anything that is no number stays as it is, for Qt to judge.
QByteArray Gerundet(const QByteArray& zahl) {
    bool ok = false;
    const double faktor = zahl.toDouble(&ok);
    if (!ok || faktor <= 0 || faktor == std::round(faktor)) return zahl;
    return QByteArray::number(std::max(1.0, std::round(faktor)));
}

// Rounds every factor of a scale variable: a plain number, or a list of factors by screen
// ("1.5;2") or by screen name ("HDMI-1=1.5;DP-2=1") as KDE Plasma sets it on X11.
void FaktorenRunden(const char* variable) {
    if (!qEnvironmentVariableIsSet(variable)) return;
    QByteArrayList teile = qgetenv(variable).split(';');
    for (QByteArray& teil : teile) {
        const qsizetype gleich = teil.indexOf('=');
        teil = gleich < 0 ? Gerundet(teil) : teil.left(gleich + 1) + Gerundet(teil.mid(gleich + 1));
    }
    qputenv(variable, teile.join(';'));
}

}  // namespace

int main(int argc, char** argv) {
    // At a fractional scale (150 %) map pixels would become blocks of one and of two screen
    // pixels: the scale is rounded to a whole one, whatever sets it, so that each is an exact
    // square block.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    FaktorenRunden("QT_SCALE_FACTOR");
    FaktorenRunden("QT_SCREEN_SCALE_FACTORS");
    QApplication app(argc, argv);
    if (!SpielordnerSperren()) return 0;
    return Programm();
}
