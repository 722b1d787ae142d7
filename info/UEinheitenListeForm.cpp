#include "UEinheitenListeForm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "UFensterHilfen.h"
#include "UListen.h"

TEinheitenListeForm* EinheitenListeForm = nullptr;

TEinheitenListeForm::TEinheitenListeForm(QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("unitlist"));
    setFont(FensterSchrift());
    setFixedSize(366, 438);
    EinheitenListeMemo = new QPlainTextEdit(this);
    EinheitenListeMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    EinheitenListeMemo->setReadOnly(true);
    EinheitenListeMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    EinheitenListeMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    EinheitenListeMemo->setGeometry(0, 0, 366, 340);
    OkButton = new QPushButton(QStringLiteral("Ok"), this);
    OkButton->setGeometry(8, 360, 75, 25);
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* gruppe = new QGroupBox(QStringLiteral("Options"), this);
    gruppe->setGeometry(160, 344, 200, 88);
    Options_AA = new QCheckBox(QStringLiteral("show AntiAirCannons"), gruppe);
    Options_AA->setGeometry(8, 18, 185, 17);
    Options_AA->setChecked(true);
    Options_IC = new QCheckBox(QStringLiteral("show Industrial Complexes"), gruppe);
    Options_IC->setGeometry(8, 40, 185, 17);
    Options_IC->setChecked(true);
    Options_Flag = new QCheckBox(QStringLiteral("show flags"), gruppe);
    Options_Flag->setGeometry(8, 62, 185, 17);
    for (QCheckBox* c : {Options_AA, Options_IC, Options_Flag})
        connect(c, &QCheckBox::toggled, this, [] { UnitListeErstellen(); });
    EinheitenListeForm = this;
}

TEinheitenListeForm::~TEinheitenListeForm() { EinheitenListeForm = nullptr; }

void UnitListeErstellen() {
    if (!EinheitenListeForm) return;
    TEinheitenListeForm& f = *EinheitenListeForm;
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::TypeWriter);
    f.EinheitenListeMemo->setFont(courier);
    QStringList zeilen;
    for (const std::string& z :
         UnitListeZeilen(f.Options_Flag->isChecked(), f.Options_IC->isChecked(), f.Options_AA->isChecked()))
        zeilen << QString::fromLatin1(z.c_str());
    f.EinheitenListeMemo->setPlainText(zeilen.join(QLatin1Char('\n')));
}
