#include "USektorenListe.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "UFensterHilfen.h"
#include "UListen.h"

TSektorenListeForm* SektorenListeForm = nullptr;

TSektorenListeForm::TSektorenListeForm(QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("SektorenListeForm"));
    setFont(FensterSchrift());
    resize(420, 400);
    Memo = new QPlainTextEdit(this);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setGeometry(0, 0, 420, 360);
    OkButton = new QPushButton(QStringLiteral("Ok"), this);
    OkButton->setGeometry(172, 368, 75, 25);
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    SektorenListeForm = this;
}

TSektorenListeForm::~TSektorenListeForm() { SektorenListeForm = nullptr; }

void SektorenListeErstellen() {
    if (!SektorenListeForm) return;
    QStringList zeilen;
    for (const std::string& z : SektorenListeZeilen()) zeilen << QString::fromLatin1(z.c_str());
    SektorenListeForm->Memo->setPlainText(zeilen.join(QLatin1Char('\n')));
    SektorenListeForm->exec();
}
