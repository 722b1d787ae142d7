#include "UMapNameEditForm.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "UFensterHilfen.h"

TMapNameEditForm* MapNameEditForm = nullptr;

TMapNameEditForm::TMapNameEditForm(QWidget* eltern) : QDialog(eltern) {
    setWindowTitle(QStringLiteral("Neuer Mapname..."));
    setFont(FensterSchrift(11));
    setGeometry(378, 424, 430, 68);
    MapNameEdit = new QLineEdit(QStringLiteral("MapNameEdit"), this);
    MapNameEdit->setGeometry(0, 0, 417, 21);
    MapNameEdit->installEventFilter(this);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setGeometry(0, 24, 75, 17);
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setGeometry(344, 24, 75, 17);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    MapNameEditForm = this;
}

TMapNameEditForm::~TMapNameEditForm() { MapNameEditForm = nullptr; }

void TMapNameEditForm::MapNameEditKeyPress(int key) {
    if (key == 13)
        accept();
    else if (key == 27)
        reject();
}

bool TMapNameEditForm::eventFilter(QObject* o, QEvent* e) {
    if (o == MapNameEdit && e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            MapNameEditKeyPress(13);
            return true;
        }
        if (k == Qt::Key_Escape) {
            MapNameEditKeyPress(27);
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}
