#include "USektorInfoForm.h"

#include <QCloseEvent>
#include <QLabel>

#include "UFenster.h"
#include "UFensterHilfen.h"
#include "UVariablen.h"

TSektorInfoForm* SektorInfoForm = nullptr;

TSektorInfoForm::TSektorInfoForm(QWidget* eltern)
    : QWidget(eltern, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Sektorinfo"));
    setFont(FensterSchrift());
    setFixedSize(407, 100);
    const char* const titel[6] = {"Sektornummer", "Sektorname", "Startbesitzer", "ICPs", "Land / Wasser",
                                  "ICPsHotSpot"};
    QLabel** werte[6] = {&SektornummerLabel, &SektornameLabel, &StartbesitzerLabel, &ICPsLabel, &LandWasserLabel,
                         &ICPsHotSpotLabel};
    const char* const namen[6] = {"SektornummerLabel", "SektornameLabel", "StartbesitzerLabel", "ICPsLabel",
                                  "LandWasserLabel", "ICPsHotSpotLabel"};
    for (int i = 0; i < 6; ++i) {
        LabelAn(this, QString::fromLatin1(titel[i]), 0, 13 * i, 100);
        *werte[i] = LabelAn(this, QString(), 104, 13 * i, 300);
        (*werte[i])->setObjectName(QString::fromLatin1(namen[i]));
    }
    NurSchliessen(this);
    SektorInfoForm = this;
}

TSektorInfoForm::~TSektorInfoForm() { SektorInfoForm = nullptr; }

void TSektorInfoForm::closeEvent(QCloseEvent* e) {
    SektorInfo = false;
    Fenster->FensterGeschlossen(fwSektorInfoForm);
    e->accept();
}

void SektorInfoFuellen(std::uint8_t s) {
    const TSektor* r = SektorRecord(s);
    if (!r || !SektorInfoForm) return;
    TSektorInfoForm& f = *SektorInfoForm;
    f.SektornummerLabel->setText(QString::number(s));
    f.SektornameLabel->setText(QString::fromLatin1(SektorName(*r).c_str()));
    f.StartbesitzerLabel->setText(QString::fromLatin1(BesitzerName(r->StartBesitzer)));
    f.ICPsLabel->setText(QString::number(r->ICPs));
    f.LandWasserLabel->setText(r->Land ? QStringLiteral("Land") : QStringLiteral("Wasser"));
    f.ICPsHotSpotLabel->setText(QString::number(r->HotSpotX) + QStringLiteral(" / ") + QString::number(r->HotSpotY));
}
