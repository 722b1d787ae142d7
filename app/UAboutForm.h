#pragma once
// The about box.
#include <QDialog>

class QLabel;
class QPushButton;

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* eltern);
    ~TAboutForm() override;
    QLabel *Label1, *Label2, *Label3, *Label4;
    QPushButton* OK_Button;
};

extern TAboutForm* AboutForm;
