#include "UEditSektor.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "UFensterHilfen.h"
#include "USchritte.h"
#include "USektorInfoForm.h"
#include "UVariablen.h"

TSektorEditForm* SektorEditForm = nullptr;

TSektorEditForm::TSektorEditForm(QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Sektoredit"));
    setFont(FensterSchrift());
    setFixedSize(224, 129);
    LabelAn(this, QStringLiteral("Sektornummer"), 4, 6);
    SektorNummerLabel = LabelAn(this, QString(), 84, 6, 130);
    LabelAn(this, QStringLiteral("Sektorname"), 4, 26);
    SektorNameMaskEdit = new QLineEdit(this);
    // The sector record holds at most 40 characters: longer input cannot be typed at all.
    SektorNameMaskEdit->setMaxLength(40);
    SektorNameMaskEdit->setGeometry(84, 22, 136, 19);
    LabelAn(this, QStringLiteral("Startbesitzer"), 4, 46);
    StartBesitzerComboBox = new QComboBox(this);
    for (int b = 0; b <= 5; ++b) StartBesitzerComboBox->addItem(QString::fromLatin1(BesitzerName(b)));
    StartBesitzerComboBox->setGeometry(84, 42, 136, 19);
    LabelAn(this, QStringLiteral("ICPs"), 4, 66);
    // An ICP value is one byte: only whole numbers 0..255 can be entered.
    ICPsMaskEdit = new QSpinBox(this);
    ICPsMaskEdit->setRange(0, 255);
    ICPsMaskEdit->setGeometry(84, 62, 60, 19);
    LabelAn(this, QStringLiteral("Land / Wasser"), 4, 86);
    LandWasserComboBox = new QComboBox(this);
    LandWasserComboBox->addItem(QStringLiteral("Land"));
    LandWasserComboBox->addItem(QStringLiteral("Wasser"));
    LandWasserComboBox->setGeometry(84, 82, 136, 19);
    OkButton = new QPushButton(QStringLiteral("Ok"), this);
    OkButton->setGeometry(40, 105, 70, 21);
    OkButton->setDefault(true);
    AbbruchButton = new QPushButton(QStringLiteral("Abbruch"), this);
    AbbruchButton->setGeometry(120, 105, 70, 21);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(AbbruchButton, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(SektorNameMaskEdit, StartBesitzerComboBox);
    setTabOrder(StartBesitzerComboBox, ICPsMaskEdit);
    setTabOrder(ICPsMaskEdit, LandWasserComboBox);
    setTabOrder(LandWasserComboBox, OkButton);
    setTabOrder(OkButton, AbbruchButton);
    SektorEditForm = this;
}

TSektorEditForm::~TSektorEditForm() { SektorEditForm = nullptr; }

void SektorEditZuruecksetzen() {
    if (!SektorEditForm) return;
    SektorEditForm->SektorNameMaskEdit->clear();
    SektorEditForm->StartBesitzerComboBox->setCurrentIndex(0);
    SektorEditForm->ICPsMaskEdit->setValue(0);
    SektorEditForm->LandWasserComboBox->setCurrentIndex(0);
}

void SektorEditieren() {
    TSektor* s = SektorRecord(AktuellerSektor);
    if (!s || !SektorEditForm) return;
    TSektorEditForm& f = *SektorEditForm;
    f.SektorNameMaskEdit->setText(QString::fromLatin1(SektorName(*s).c_str()));
    f.StartBesitzerComboBox->setCurrentIndex(s->StartBesitzer <= 5 ? s->StartBesitzer : 0);
    f.ICPsMaskEdit->setValue(s->ICPs);
    f.LandWasserComboBox->setCurrentIndex(s->Land ? 0 : 1);
    f.SektorNummerLabel->setText(QString::number(AktuellerSektor));
    f.SektorNameMaskEdit->setFocus();
    if (f.exec() != QDialog::Accepted) return;
    // The record may have gone meanwhile only if the table were replaced; it is static, so s stays valid.
    TSchrittKlammer schritt;
    schritt.Angaben.Art = saSektorEdit;
    schritt.Angaben.Von = schritt.Angaben.Nach = AktuellerSektor;
    SektorNameSetzen(*s, f.SektorNameMaskEdit->text().toLatin1().toStdString());
    s->StartBesitzer = static_cast<std::uint8_t>(f.StartBesitzerComboBox->currentIndex());
    s->ICPs = static_cast<std::uint8_t>(f.ICPsMaskEdit->value());
    s->Land = f.LandWasserComboBox->currentIndex() == 0 ? 1 : 0;
    // The tallies wait for the next change of the board; the sector's own window shows the
    // table as it is now.
    SektorInfoAuffrischen();
}

void ICPsHotSpotSetzen() {
    if (AktuellerSektor < 1 || AktuellerSektor > IcpSektoren) return;
    TSchrittKlammer schritt;
    schritt.Angaben.Art = saHotSpot;
    schritt.Angaben.Von = schritt.Angaben.Nach = AktuellerSektor;
    TSektor& s = Sektoren[AktuellerSektor];
    s.HotSpotX = CursorPoint.X / Zoom + ScrollX;
    s.HotSpotY = CursorPoint.Y / Zoom + ScrollY;
    SektorInfoAuffrischen();
}
