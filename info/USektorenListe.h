#pragma once
// The sector list: one line per sector of the table.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class TSektorenListeForm : public QDialog {
    Q_OBJECT
public:
    explicit TSektorenListeForm(QWidget* eltern);
    ~TSektorenListeForm() override;
    QPlainTextEdit* Memo;
    QPushButton* OkButton;
};

extern TSektorenListeForm* SektorenListeForm;

// Fills the list from the sector table and shows it modally.
void SektorenListeErstellen();
