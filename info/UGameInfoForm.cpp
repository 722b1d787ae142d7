#include "UGameInfoForm.h"

#include <QCloseEvent>
#include <QImage>
#include <QLabel>

#include "UFenster.h"
#include "UFensterHilfen.h"
#include "USpielstand.h"
#include "UVariablen.h"

TGameInfoForm* GameInfoForm = nullptr;

namespace {

const char* const ZeilenNamen[7] = {"R", "UK", "US", "Al", "G", "J", "Ax"};
const char* const SpaltenNamen[4] = {"Income", "LUnits", "SUnits", "AllUnits"};
const char* const ZeilenTitel[7] = {"Russia", "United Kingdom", "United States", "Gesamt",
                                    "Germany", "Japan", "Gesamt"};
const int ZeilenY[7] = {39, 52, 65, 78, 117, 130, 143};
const int SpaltenX[4] = {85, 130, 189, 247};
const char* const IncomeHinweise[7] = {"how much incomes has Russia",     "how much incomes has UK",
                                       "how much incomes has US",         "how much incomes have the Allies",
                                       "how much incomes has Germany",    "how much incomes has Japan",
                                       "how much incomes have the Axis"};
// Power of each row; 0 for the Allies, 6 for the Axis.
const int ZeilenMacht[7] = {bsRussland, bsEngland, bsUSA, 0, bsDeutschland, bsJapan, 6};

}  // namespace

TGameInfoForm::TGameInfoForm(QWidget* eltern)
    : QWidget(eltern, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("gameinfo"));
    setFont(FensterSchrift());
    setFixedSize(304, 167);
    LabelAn(this, QStringLiteral("ICPs on the Board"), 0, 0);
    const char* const koepfe[4] = {"Income", "Land Units", "Sea Units", "All Units"};
    for (int c = 0; c < 4; ++c) LabelAn(this, QString::fromLatin1(koepfe[c]), SpaltenX[c], 20);
    for (int r = 0; r < 7; ++r) {
        LabelAn(this, QString::fromLatin1(ZeilenTitel[r]), 0, ZeilenY[r]);
        for (int c = 0; c < 4; ++c) {
            QLabel* l = LabelAn(this, QString::fromLatin1(ZeilenNamen[r]) + QString::fromLatin1(SpaltenNamen[c]),
                                SpaltenX[c], ZeilenY[r], 39);
            l->setObjectName(l->text());
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (c == 0) l->setToolTip(QString::fromLatin1(IncomeHinweise[r]));
            Werte[r][c] = l;
        }
    }
    LichtImage = new QLabel(this);
    LichtImage->setObjectName(QStringLiteral("LichtImage"));
    LichtImage->setGeometry(48, 120, 30, 38);
    NurSchliessen(this);
    GameInfoForm = this;
}

TGameInfoForm::~TGameInfoForm() { GameInfoForm = nullptr; }

void TGameInfoForm::LichtSetzen(const QImage& bild) { LichtImage->setPixmap(Transparent(bild)); }

void TGameInfoForm::closeEvent(QCloseEvent* e) {
    GameInfo = false;
    Fenster->FensterGeschlossen(fwGameInfoForm);
    e->accept();
}

void SpielstandAnzeigen() {
    if (!GameInfoForm) return;
    const TSpielstand& st = Spielstand;
    for (int r = 0; r < 7; ++r) {
        const int p = ZeilenMacht[r];
        std::uint32_t w[4];
        int hinweis;
        if (p == 0) {
            w[0] = st.AlliesIncome, w[1] = st.AlliesLandUnits, w[2] = st.AlliesSeaUnits, w[3] = st.AlliesAllUnits;
            hinweis = HinweisAllies;
        } else if (p == 6) {
            w[0] = st.AxisIncome, w[1] = st.AxisLandUnits, w[2] = st.AxisSeaUnits, w[3] = st.AxisAllUnits;
            hinweis = HinweisAxis;
        } else {
            w[0] = st.Income[p], w[1] = st.LandUnits[p], w[2] = st.SeaUnits[p], w[3] = st.AllUnits[p];
            hinweis = HinweisIndex(p, hwLand);
        }
        // The figures are shown in full: an income above 255 or a value above 65535 never wraps.
        GameInfoForm->Werte[r][0]->setText(QString::number(w[0]));
        for (int c = 1; c < 4; ++c) {
            GameInfoForm->Werte[r][c]->setText(QString::number(w[c]));
            GameInfoForm->Werte[r][c]->setToolTip(QString::fromLatin1(st.UnitHints[hinweis + c - 1].c_str()));
        }
    }
}
