#include "UZugFenster.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QtCharts/QChartView>
#include <cmath>

#include "Main.h"
#include "UBefehl.h"
#include "UFensterHilfen.h"
#include "UTrendDiagramm.h"
#include "UVergleich.h"
#include "UZugBefehle.h"
#include "UZuege.h"

QWidget *ZugForm = nullptr, *TrendForm = nullptr;
QPlainTextEdit* ZugText = nullptr;

namespace {

QLabel* TrendMeldung = nullptr;
QChartView* TrendAnsicht[TrendArten] = {};
// The figures of the list last counted, so that a step within it counts nothing anew.
std::vector<std::string> TrendListe;
std::vector<TTrend> Trends;

// A floating window whose close button unticks its entry in the Windows menu.
class TZugFensterRahmen : public QWidget {
public:
    TZugFensterRahmen(QWidget* eltern, QAction* TMapForm::*eintrag) : QWidget(eltern, Qt::Tool), eintrag_(eintrag) {}

protected:
    void closeEvent(QCloseEvent* e) override {
        (MapForm->*eintrag_)->setChecked(false);
        e->accept();
    }

private:
    QAction* TMapForm::*eintrag_;
};

// A click shows the turn at the nearest point of the x axis.
class TTrendAnsicht : public QChartView {
public:
    using QChartView::QChartView;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (chart() && e->button() == Qt::LeftButton) {
            const int eintrag = static_cast<int>(std::lround(chart()->mapToValue(e->position()).x()));
            Befehl([eintrag] { MapEintragZeigen(eintrag); });
        }
        QChartView::mousePressEvent(e);
    }
};

void TrendsZeichnen() {
    if (!TrendForm || !TrendForm->isVisible()) return;
    if (TrendListe != MapListe || Trends.size() != MapListe.size()) {
        TrendListe = MapListe;
        try {
            Trends = TrendsBerechnen(MapListe);
            TrendMeldung->clear();
        } catch (const std::exception& e) {
            Trends.clear();
            TrendMeldung->setText(QString::fromLocal8Bit(e.what()));
        }
    }
    if (Trends.empty() && TrendMeldung->text().isEmpty())
        TrendMeldung->setText(QStringLiteral("No turn files in the folder of the map shown."));
    for (int a = 0; a < TrendArten; ++a) {
        QChart* alt = TrendAnsicht[a]->chart();
        TrendAnsicht[a]->setChart(TrendDiagramm(Trends, static_cast<TTrendArt>(a), AktuelleMap - 1));
        delete alt;
    }
}

}  // namespace

void ZugFensterErzeugen(TMapForm* f) {
    ZugForm = new TZugFensterRahmen(f, &TMapForm::FensterMenu_Zug);
    ZugForm->setObjectName(QStringLiteral("ZugForm"));
    ZugForm->setWindowTitle(QStringLiteral("turn"));
    ZugText = new QPlainTextEdit(ZugForm);
    ZugText->setReadOnly(true);
    ZugText->setLineWrapMode(QPlainTextEdit::NoWrap);
    ZugText->setFont(QFont(QStringLiteral("monospace")));
    (new QVBoxLayout(ZugForm))->addWidget(ZugText);
    ZugForm->resize(620, 420);

    TrendForm = new TZugFensterRahmen(f, &TMapForm::FensterMenu_Trends);
    TrendForm->setObjectName(QStringLiteral("TrendForm"));
    TrendForm->setWindowTitle(QStringLiteral("trends"));
    auto* l = new QVBoxLayout(TrendForm);
    TrendMeldung = new QLabel(TrendForm);
    l->addWidget(TrendMeldung);
    for (QChartView*& v : TrendAnsicht) {
        v = new TTrendAnsicht(TrendForm);
        v->setRenderHint(QPainter::Antialiasing);
        l->addWidget(v, 1);
    }
    TrendForm->resize(640, 900);
}

void ZugFensterAktualisieren() {
    if (ZugText) {
        std::string t = ZugVergleichText();
        if (!ZugVergleich)
            t = !ZugVergleichMeldung.empty() ? ZugVergleichMeldung
                : AktuelleMap == 0      ? "The map shown is no turn file of its folder."
                                        : "There is no turn before the one shown.";
        ZugText->setPlainText(QString::fromLocal8Bit(t.c_str()));
    }
    TrendsZeichnen();
}

void ZugFensterZeigen(bool an) {
    ZugForm->setVisible(an);
    MapForm->FensterMenu_Zug->setChecked(an);
}

void TrendFensterZeigen(bool an) {
    TrendForm->setVisible(an);
    MapForm->FensterMenu_Trends->setChecked(an);
    TrendsZeichnen();
}
