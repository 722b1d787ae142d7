#include "UAboutForm.h"

#include <QLabel>
#include <QPushButton>

#include "UFensterHilfen.h"

TAboutForm* AboutForm = nullptr;

TAboutForm::TAboutForm(QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("QelMap for Windows"));
    setFont(FensterSchrift());
    setGeometry(338, 179, 241, 111);
    Label1 = LabelAn(this, QStringLiteral("Version : 0.96 Beta"), 7, 7);
    Label2 = LabelAn(this, QStringLiteral("Keeps the position of a board game on screen."), 7, 26);
    Label3 = LabelAn(this, QStringLiteral("Map and pieces: the QelMap generator."), 7, 46);
    Label4 = LabelAn(this, QStringLiteral("Help: the Help entry of the menu bar."), 7, 65);
    // A desktop font wider than the design's must not cut a line: the box grows with it.
    int breite = 241;
    for (QLabel* l : {Label1, Label2, Label3, Label4}) breite = qMax(breite, l->x() + l->width() + 7);
    resize(breite, 111);
    OK_Button = new QPushButton(QStringLiteral("OK"), this);
    OK_Button->setGeometry(85, 85, 60, 20);
    OK_Button->setDefault(true);
    connect(OK_Button, &QPushButton::clicked, this, &QDialog::accept);
    setFocusProxy(OK_Button);
    AboutForm = this;
}

TAboutForm::~TAboutForm() { AboutForm = nullptr; }
