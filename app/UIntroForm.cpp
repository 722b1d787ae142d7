#include "UIntroForm.h"

#include <QLabel>

#include "UFensterHilfen.h"

TIntroForm* IntroForm = nullptr;

TIntroForm::TIntroForm(QWidget* eltern) : QWidget(eltern, Qt::Window) {
    setWindowTitle(QStringLiteral("QelMap"));
    setFont(FensterSchrift());
    setGeometry(411, 377, 207, 93);
    Label1 = LabelAn(this, QStringLiteral("QelMap for Windows"), 7, 7);
    InfoLabel = LabelAn(this, QString(), 7, 33, 193, 16);
    InfoLabel->setAlignment(Qt::AlignCenter);
    IntroForm = this;
}

TIntroForm::~TIntroForm() { IntroForm = nullptr; }
