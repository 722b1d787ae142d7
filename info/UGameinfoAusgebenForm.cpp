#include "UGameinfoAusgebenForm.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "UFensterHilfen.h"

TGameinfoAusgebenForm* GameinfoAusgebenForm = nullptr;

TGameinfoAusgebenForm::TGameinfoAusgebenForm(QWidget* eltern) : QDialog(eltern) {
    setWindowTitle(QStringLiteral("Gameinform"));
    setFont(FensterSchrift());
    resize(468, 369);
    GameInfoMemo = new QPlainTextEdit(QStringLiteral("GameInfoMemo"), this);
    GameInfoMemo->setGeometry(0, 0, 313, 185);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(0, 192, 75, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    GameinfoAusgebenForm = this;
}

TGameinfoAusgebenForm::~TGameinfoAusgebenForm() { GameinfoAusgebenForm = nullptr; }
