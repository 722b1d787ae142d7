#pragma once
// A dialog for a new map name; no command opens it.
#include <QDialog>

class QLineEdit;
class QPushButton;

class TMapNameEditForm : public QDialog {
    Q_OBJECT
public:
    explicit TMapNameEditForm(QWidget* eltern);
    ~TMapNameEditForm() override;
    QLineEdit* MapNameEdit;
    QPushButton *OKButton, *CancelButton;
    // Enter ends the dialog with OK, Escape with Cancel; other characters go to the field.
    void MapNameEditKeyPress(int key);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
};

extern TMapNameEditForm* MapNameEditForm;
