#include "UZugFenster.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QtCharts/QChartView>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Main.h"
#include "UBefehl.h"
#include "UDatei.h"
#include "UDateien.h"
#include "UFenster.h"
#include "UIni.h"
#include "UFensterHilfen.h"
#include "UFensterPlaetze.h"
#include "UTrendDiagramm.h"
#include "UVergleich.h"
#include "UZugBefehle.h"
#include "UZuege.h"

QWidget *ZugForm = nullptr, *TrendForm = nullptr;
QPlainTextEdit* ZugText = nullptr;

namespace {

constexpr int TrendMinHoehe = 150;  // of each chart

QLabel* TrendMeldung = nullptr;
QChartView* TrendAnsicht[TrendArten] = {};
// The figures of the list last counted, so that a step within it counts nothing anew.
std::vector<std::string> TrendListe;
std::vector<TTrend> Trends;
std::vector<std::string> TrendAbgelehnt;  // the messages of the files left out
int TrendMarke = -2;  // the trend the charts mark, -2 while they are to be drawn anew

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

// The entry of MapListe that the trend at index i (from 0) was counted from; 0 for none.
int TrendEintrag(int i) {
    if (i < 0 || i >= static_cast<int>(Trends.size())) return 0;
    const auto e = std::find(MapListe.begin(), MapListe.end(), Trends[i].Datei);
    return e == MapListe.end() ? 0 : static_cast<int>(e - MapListe.begin()) + 1;
}

// The index of the trend of the shown turn; -1 when the shown turn is not charted.
int TrendGezeigt() {
    for (int i = 0; i < static_cast<int>(Trends.size()); ++i)
        if (AktuelleMap >= 1 && TrendEintrag(i) == AktuelleMap) return i;
    return -1;
}

// A click shows the turn at the nearest point of the x axis.
class TTrendAnsicht : public QChartView {
public:
    using QChartView::QChartView;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (chart() && e->button() == Qt::LeftButton) {
            const QPointF p = chart()->mapFromScene(mapToScene(e->position().toPoint()));
            const int eintrag = TrendEintrag(static_cast<int>(std::lround(chart()->mapToValue(p).x())) - 1);
            if (eintrag) Kommando([eintrag] { MapEintragZeigen(eintrag); });
        }
        QChartView::mousePressEvent(e);
    }
};

void TrendsZeichnen() {
    if (!TrendForm || !TrendForm->isVisible()) return;
    // A list with files refused is counted again each time: one of them may have been mended.
    if (TrendListe != MapListe || !TrendAbgelehnt.empty()) {
        std::vector<std::string> abgelehnt;
        Trends = TrendsBerechnen(MapListe, abgelehnt);
        if (TrendListe != MapListe || abgelehnt != TrendAbgelehnt) TrendMarke = -2;
        TrendListe = MapListe;
        TrendAbgelehnt = abgelehnt;
        QString text;
        for (const std::string& a : TrendAbgelehnt)
            text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + QString::fromLocal8Bit(a) +
                    QStringLiteral(" (left out of the charts)");
        TrendMeldung->setText(text);
    }
    if (Trends.empty() && TrendMeldung->text().isEmpty())
        TrendMeldung->setText(QStringLiteral("No turn files in the folder of the map shown."));
    // Every edit comes here: the charts are made anew only for another list or shown turn.
    const int markiert = TrendGezeigt();
    if (TrendMarke == markiert) return;
    TrendMarke = markiert;
    for (int a = 0; a < TrendArten; ++a) {
        QChart* alt = TrendAnsicht[a]->chart();
        TrendAnsicht[a]->setChart(TrendDiagramm(Trends, static_cast<TTrendArt>(a), markiert));
        delete alt;
    }
}

struct TPlatzFenster {
    QWidget** Form;
    const char* Sektion;
    QAction* TMapForm::*Eintrag;
};
const TPlatzFenster PlatzFenster[] = {{&ZugForm, "ZugForm", &TMapForm::FensterMenu_Zug},
                                      {&TrendForm, "TrendForm", &TMapForm::FensterMenu_Trends}};

std::vector<std::uint8_t> IniBytes() {
    const std::string pfad = EinstellungenPfad();
    return DateiExistiert(pfad) ? DateiLesen(pfad, IniDateiGrenze, "a settings file") : std::vector<std::uint8_t>{};
}

constexpr QSize ZugErsteGroesse(620, 420), TrendErsteGroesse(640, 900);

// Where a first start puts them: over the main window's top left, the trends beside the
// turn window rather than on it.
QPoint ErsterPlatz(const QWidget* w) {
    const QRect f = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                      : QRect(0, 0, 1024, 768);
    return QPoint(f.left() + 40 + (w == TrendForm ? ZugForm->frameGeometry().width() + 8 : 0), f.top() + 40);
}

int IniZahl(const TIniText& ini, const char* sektion, const char* schluessel, int vorgabe) {
    long long wert;
    return EinstellungZahl(IniWert(ini, sektion, schluessel, ""), wert) ? static_cast<int>(wert) : vorgabe;
}

}  // namespace

void ZugFensterPlaetzeLaden() {
    std::vector<std::uint8_t> d;
    try {
        d = IniBytes();
    } catch (const std::exception&) {
        return;  // unreadable: the windows keep their first places
    }
    const TIniText ini = IniParsen(d.data(), d.size());
    for (const TPlatzFenster& p : PlatzFenster) {
        QWidget* w = *p.Form;
        const int breite = std::max(200, IniZahl(ini, p.Sektion, "Width", w->width()));
        const int hoehe = std::max(150, IniZahl(ini, p.Sektion, "Height", w->height()));
        w->resize(breite, hoehe);
        // The place kept is the frame's (x and y of a window); on the screen as the other
        // windows are, whatever screen the place came from.
        // The size too: one kept from a larger screen, or the trends window's first size on a
        // small one, comes onto this one.
        const QPoint erster = ErsterPlatz(w);
        RahmenPlatzAnwenden(w, IniZahl(ini, p.Sektion, "Left", erster.x()), IniZahl(ini, p.Sektion, "Top", erster.y()),
                            true);
        // Shown with the main window (HauptfensterZeigen).
        if (IniZahl(ini, p.Sektion, "Shown", 0) != 0) (MapForm->*p.Eintrag)->setChecked(true);
    }
    TrendsZeichnen();
}

void ZugFensterPlaetzeZuruecksetzen() {
    ZugForm->resize(ZugErsteGroesse);
    TrendForm->resize(TrendErsteGroesse);
    for (const TPlatzFenster& p : PlatzFenster) {
        const QPoint erster = ErsterPlatz(*p.Form);
        RahmenPlatzAnwenden(*p.Form, erster.x(), erster.y(), true);
    }
}

void ZugFensterPlaetzeSichern() {
    try {
        const std::vector<std::uint8_t> d = IniBytes();
        TIniText ini = IniParsen(d.data(), d.size());
        for (const TPlatzFenster& p : PlatzFenster) {
            const QWidget* w = *p.Form;
            IniSetzen(ini, p.Sektion, "Top", std::to_string(w->y()));
            IniSetzen(ini, p.Sektion, "Left", std::to_string(w->x()));
            IniSetzen(ini, p.Sektion, "Width", std::to_string(w->width()));
            IniSetzen(ini, p.Sektion, "Height", std::to_string(w->height()));
            IniSetzen(ini, p.Sektion, "Shown", w->isVisible() ? "1" : "0");
        }
        const std::string text = IniText(ini);
        DateiSchreiben(EinstellungenPfad(), text.data(), text.size());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
    }
}

void ZugFensterErzeugen(TMapForm* f) {
    ZugForm = new TZugFensterRahmen(f, &TMapForm::FensterMenu_Zug);
    ZugForm->setObjectName(QStringLiteral("ZugForm"));
    ZugForm->setWindowTitle(QStringLiteral("turn"));
    ZugText = new QPlainTextEdit(ZugForm);
    ZugText->setReadOnly(true);
    ZugText->setLineWrapMode(QPlainTextEdit::NoWrap);
    ZugText->setFont(QFont(QStringLiteral("monospace")));
    (new QVBoxLayout(ZugForm))->addWidget(ZugText);
    ZugForm->resize(ZugErsteGroesse);

    TrendForm = new TZugFensterRahmen(f, &TMapForm::FensterMenu_Trends);
    TrendForm->setObjectName(QStringLiteral("TrendForm"));
    TrendForm->setWindowTitle(QStringLiteral("trends"));
    auto* l = new QVBoxLayout(TrendForm);
    TrendMeldung = new QLabel(TrendForm);
    TrendMeldung->setWordWrap(true);  // a long file name must not widen the window
    l->addWidget(TrendMeldung);
    for (QChartView*& v : TrendAnsicht) {
        v = new TTrendAnsicht(TrendForm);
        v->setRenderHint(QPainter::Antialiasing);
        // Title, axes and legend stay legible however small the screen makes the window.
        v->setMinimumHeight(TrendMinHoehe);
        l->addWidget(v, 1);
    }
    // The size where the screen has room for it; placing the window fits it to a smaller one.
    TrendForm->resize(TrendErsteGroesse);
}

void ZugFensterAktualisieren(bool dateien) {
    if (dateien) TrendListe.clear();
    if (ZugText) {
        std::string t = ZugVergleichText();
        if (!ZugVergleich)
            t = !ZugVergleichMeldung.empty() ? ZugVergleichMeldung
                : AktuelleMap == 0      ? "The map shown is no turn file of its folder."
                                        : "There is no turn before the one shown.";
        const QString text = QString::fromLocal8Bit(t.c_str());
        if (ZugText->toPlainText() != text) ZugText->setPlainText(text);
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
