#include "UTrendDiagramm.h"

#include <QGraphicsScene>
#include <QPainter>
#include <QPen>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

// The powers in their colours on the board; the sides dashed, the Allies blue.
const QColor Farben[TrendZeilen] = {QColor(0x8B, 0x1A, 0x1A), QColor(0x55, 0x55, 0x55), QColor(0x9C, 0x6B, 0x30),
                                    QColor(0xE0, 0xB0, 0x00), QColor(0x2E, 0x8B, 0x57), QColor(0x1E, 0x5A, 0xD8),
                                    QColor(0x00, 0x00, 0x00)};

const char* const Titel[TrendArten] = {"Income (ICPs)", "Unit values (ICPs of all units)", "Axis income and the alert"};

QLineSeries* Linie(const QString& name, const QColor& farbe, bool gestrichelt, int breite = 2) {
    auto* l = new QLineSeries;
    l->setName(name);
    QPen stift(farbe);
    stift.setWidth(breite);
    if (gestrichelt) stift.setStyle(Qt::DashLine);
    l->setPen(stift);
    return l;
}

}  // namespace

QChart* TrendDiagramm(const std::vector<TTrend>& trends, TTrendArt art, int markiert) {
    auto* chart = new QChart;
    chart->setTitle(Titel[art]);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignRight);
    std::uint32_t hoechster = art == taAlarm ? AlarmSchwelle : 0;
    std::vector<QLineSeries*> linien;
    if (art == taAlarm) {
        QLineSeries* axis = Linie("Axis income", Farben[TrendAxis], false, 3);
        QLineSeries* alarm = Linie("alert at 84", QColor(0xD0, 0x00, 0x00), true);
        for (std::size_t i = 0; i < trends.size(); ++i) {
            axis->append(static_cast<qreal>(i + 1), trends[i].AxisIncome);
            hoechster = std::max(hoechster, trends[i].AxisIncome);
        }
        alarm->append(1, AlarmSchwelle);
        alarm->append(static_cast<qreal>(std::max<std::size_t>(trends.size(), 2)), AlarmSchwelle);
        linien = {axis, alarm};
    } else {
        for (int z = 0; z < TrendZeilen; ++z) {
            QLineSeries* l = Linie(TrendNamen[z], Farben[z], z >= TrendAllies);
            for (std::size_t i = 0; i < trends.size(); ++i) {
                const std::uint32_t wert = art == taIncome ? trends[i].Income[z] : trends[i].All[z];
                l->append(static_cast<qreal>(i + 1), wert);
                hoechster = std::max(hoechster, wert);
            }
            linien.push_back(l);
        }
    }
    const qreal oben = hoechster < 10 ? 10 : hoechster * 1.08;
    if (markiert >= 0 && markiert < static_cast<int>(trends.size())) {
        QLineSeries* marke = Linie("shown", QColor(0x80, 0x80, 0x80), true, 1);
        marke->append(markiert + 1, 0);
        marke->append(markiert + 1, oben);
        linien.push_back(marke);
    }
    auto* x = new QValueAxis;
    x->setTitleText("turn");
    x->setLabelFormat("%d");
    const qreal n = static_cast<qreal>(std::max<std::size_t>(trends.size(), 2));
    x->setRange(1, n);
    // Ticks on whole turns only, at most about ten of them.
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(1);
    x->setTickInterval(std::max<qreal>(1, std::ceil((n - 1) / 10)));
    auto* y = new QValueAxis;
    y->setLabelFormat("%d");
    y->setRange(0, oben);
    y->applyNiceNumbers();
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QLineSeries* l : linien) {
        chart->addSeries(l);
        l->attachAxis(x);
        l->attachAxis(y);
    }
    return chart;
}

QImage TrendBild(const std::vector<TTrend>& trends, int markiert, int breite, int hoehe) {
    QGraphicsScene szene;
    const qreal teil = static_cast<qreal>(hoehe) / TrendArten;
    for (int a = 0; a < TrendArten; ++a) {
        QChart* chart = TrendDiagramm(trends, static_cast<TTrendArt>(a), markiert);
        szene.addItem(chart);  // the scene owns it
        chart->setGeometry(QRectF(0, a * teil, breite, teil));
    }
    szene.setSceneRect(0, 0, breite, hoehe);
    QImage bild(breite, hoehe, QImage::Format_RGB32);
    bild.fill(Qt::white);
    QPainter maler(&bild);
    maler.setRenderHint(QPainter::Antialiasing);
    szene.render(&maler, QRectF(0, 0, breite, hoehe), QRectF(0, 0, breite, hoehe));
    return bild;
}
