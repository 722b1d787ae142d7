#include <QApplication>
#include <cmath>

#include "UStart.h"

int main(int argc, char** argv) {
    // At a fractional scale (150 %) map pixels would become blocks of one and of two screen
    // pixels: the scale is rounded to a whole one, so that each is an exact square block.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    bool zahl = false;
    const double faktor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&zahl);
    if (zahl && faktor > 0 && faktor != std::round(faktor))
        qputenv("QT_SCALE_FACTOR", QByteArray::number(std::max(1.0, std::round(faktor))));
    QApplication app(argc, argv);
    return Programm();
}
