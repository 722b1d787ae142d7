// The Axis-income alert: light and tool-bar message by level, blinking, the frozen look.
#include <QElapsedTimer>
#include <QLabel>
#include <cmath>
#include <vector>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "AppHilfen.h"
#include "Main.h"
#include "UAlarm.h"
#include "UStart.h"
#include "UBitmaps.h"
#include "UFensterHilfen.h"
#include "UGameInfoForm.h"
#include "USpielstand.h"

namespace {

class Alarm : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(lauf.Starten());
        MapForm->Timer->stop();
    }
    static void Ticks(int n, std::uint32_t einkommen) {
        Spielstand.AxisIncome = einkommen;
        for (int i = 0; i < n; ++i) TimerTimer();
    }
    static QString Text() { return MapForm->AxisIncomeLabel->text(); }
    static QColor Farbe() { return MapForm->AxisIncomeLabel->palette().color(QPalette::WindowText); }
    // The middle pixel of the light shown, and whether its corner is see-through.
    static QRgb Mitte() {
        const QImage b = GameInfoForm->LichtImage->pixmap().toImage();
        return b.pixel(b.width() / 2, b.height() / 2) & 0xFFFFFFu;
    }
    static QRgb MitteVon(const TBild& licht) {
        return static_cast<QRgb>(licht.Rgb[static_cast<std::size_t>(licht.Hoehe / 2) * licht.Breite + licht.Breite / 2]);
    }

    Lauf lauf{false, false};
};

}  // namespace

TEST_F(Alarm, TheFirstTickAppliesTheLevelAndLaterOnesOnlyChanges) {
    EXPECT_EQ(Text(), QStringLiteral("AxisIncomeLabel"));
    EXPECT_EQ(AlarmStufe, 0);
    Ticks(1, 0);
    EXPECT_EQ(AlarmStufe, 1);
    EXPECT_EQ(Text(), QStringLiteral("Axisincome is under 61"));
    EXPECT_EQ(Farbe(), QColor(0, 128, 0));
    EXPECT_EQ(Mitte(), MitteVon(GruenesLicht));
    const QImage licht = GameInfoForm->LichtImage->pixmap().toImage();
    EXPECT_EQ(qAlpha(licht.pixel(0, 0)), 0) << "the light's background is see-through";

    // A tick that finds the level unchanged writes nothing.
    MapForm->AxisIncomeLabel->setText(QStringLiteral("unveraendert"));
    Ticks(3, 60);
    EXPECT_EQ(Text(), QStringLiteral("unveraendert"));
}

TEST_F(Alarm, LevelsChangeAt61And71And84) {
    Ticks(1, 60);
    Ticks(1, 61);
    EXPECT_EQ(Text(), QStringLiteral("Axisincome is under 71"));
    EXPECT_EQ(Farbe(), QColor(255, 255, 0));
    EXPECT_EQ(Mitte(), MitteVon(GelbesLicht));
    Ticks(1, 70);
    EXPECT_EQ(AlarmStufe, 2);
    Ticks(1, 71);
    EXPECT_EQ(Text(), QStringLiteral("Axisincome is between 71 and 83 !DANGER!"));
    EXPECT_EQ(Farbe(), QColor(255, 0, 0));
    EXPECT_EQ(Mitte(), MitteVon(RotesLicht));
    Ticks(1, 83);
    EXPECT_EQ(AlarmStufe, 3);
    Ticks(1, 84);
    EXPECT_EQ(Text(), QStringLiteral("Axisincome is 84 or more !RED ALERT!"));
    EXPECT_TRUE(AlarmStufe == 4 || AlarmStufe == 5);
}

TEST_F(Alarm, From84TheLookSwapsEverySixthTickAndFreezesFrom151) {
    Ticks(1, 84);
    ASSERT_EQ(BlinkZaehler, 1);
    ASSERT_TRUE(BlinkPhase);
    EXPECT_EQ(AlarmStufe, 4);
    EXPECT_EQ(Farbe(), QColor(255, 0, 0));
    Ticks(4, 150);
    EXPECT_EQ(AlarmStufe, 4);
    Ticks(1, 150);  // the sixth tick
    EXPECT_EQ(AlarmStufe, 5);
    EXPECT_EQ(Farbe(), QColor(128, 0, 128));
    EXPECT_EQ(Mitte(), MitteVon(DunkelrotesLicht));
    EXPECT_EQ(Text(), QStringLiteral("Axisincome is 84 or more !RED ALERT!"));
    Ticks(6, 150);
    EXPECT_EQ(AlarmStufe, 4);
    EXPECT_EQ(Mitte(), MitteVon(RotesLicht));
    Ticks(6, 150);
    ASSERT_EQ(AlarmStufe, 5);
    // Above 150 the look stays as it was, however many ticks pass.
    Ticks(30, 151);
    EXPECT_EQ(Farbe(), QColor(128, 0, 128));
    EXPECT_EQ(Mitte(), MitteVon(DunkelrotesLicht));
    // 256 and more are still above 150: no wrap round to the green light.
    Ticks(12, 256 + 40);
    EXPECT_EQ(Farbe(), QColor(128, 0, 128));
    Ticks(1, 40);
    EXPECT_EQ(Text(), QStringLiteral("Axisincome is under 61"));
}

TEST_F(Alarm, TheTimerRunsFromTheEventLoopAndDuringModalDialogs) {
    MapForm->show();
    MapForm->Timer->start();
    QTest::qWaitFor([] { return Text() != QStringLiteral("AxisIncomeLabel"); }, 10000);
    EXPECT_NE(Text(), QStringLiteral("AxisIncomeLabel"));
    // Count the ticks themselves: the blink state comes back to its value every twelve ticks.
    int ticks = 0;
    int waehrend = -1;
    // The first tick while the box is open closes it; without one the box closes at a deadline.
    const QMetaObject::Connection zaehler = QObject::connect(MapForm->Timer, &QTimer::timeout, MapForm->Timer, [&] {
        ++ticks;
        if (QWidget* m = QApplication::activeModalWidget()) waehrend = ticks, m->close();
    });
    QTimer frist;
    frist.setSingleShot(true);
    QObject::connect(&frist, &QTimer::timeout, [] {
        if (QWidget* m = QApplication::activeModalWidget()) m->close();
    });
    frist.start(10000);
    MapForm->AboutMenu->trigger();
    QObject::disconnect(zaehler);
    EXPECT_GT(waehrend, 0) << "no tick while the about box was open";
}

TEST_F(Alarm, TheRedAlertChangesItsLookAtMostThreeTimesASecond) {
    MapForm->show();
    Spielstand.AxisIncome = 100;
    QElapsedTimer uhr;
    std::vector<qint64> wechsel;
    QColor zuletzt;
    QTimer blick;
    QObject::connect(&blick, &QTimer::timeout, [&] {
        if (Farbe() != zuletzt) wechsel.push_back(uhr.elapsed()), zuletzt = Farbe();
    });
    uhr.start();
    blick.start(1);
    MapForm->Timer->start();
    // Five entries are due after 1.1 s; seven are waited for, with room for a slow machine.
    QTest::qWaitFor([&] { return wechsel.size() >= 7; }, 10000);
    ASSERT_GE(wechsel.size(), 5u) << "the alert no longer blinks";
    // The look before the first tick, the first tick's, then the changes of phase.
    for (std::size_t i = 3; i < wechsel.size(); ++i) EXPECT_GE(wechsel[i] - wechsel[i - 1], 333) << i;
}

// Contrast ratio of the accessibility guidelines.
static double Kontrast(QRgb a, QRgb b) {
    auto l = [](QRgb c) {
        auto k = [](int v) {
            const double x = v / 255.0;
            return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * k(qRed(c)) + 0.7152 * k(qGreen(c)) + 0.0722 * k(qBlue(c));
    };
    const double x = l(a), y = l(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

TEST_F(Alarm, EveryMessageStandsOutFromWhatLiesAroundItsGlyphs) {
    MapForm->show();
    for (const std::uint32_t einkommen : {0u, 61u, 71u, 84u, 84u}) {
        Ticks(einkommen == 84 && AlarmStufe == 4 ? 6 : 1, einkommen);
        const QImage bild = MapForm->AxisIncomeLabel->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb farbe = Farbe().rgb() & 0xFFFFFFu;
        int glyphen = 0, schwach = 0;
        for (int y = 1; y + 1 < bild.height(); ++y)
            for (int x = 1; x + 1 < bild.width(); ++x) {
                if ((bild.pixel(x, y) & 0xFFFFFFu) != farbe) continue;
                ++glyphen;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const QRgb n = bild.pixel(x + dx, y + dy) & 0xFFFFFFu;
                        if (n != farbe && Kontrast(n, farbe) < 3.0) ++schwach;
                    }
            }
        EXPECT_GT(glyphen, 100) << "level " << AlarmStufe;
        EXPECT_EQ(schwach, 0) << "level " << AlarmStufe << ": pixels next to the glyphs with a contrast below 3:1";
    }
}
