#pragma once
// The unit list: every power's units sector by sector.
#include <QDialog>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

class TEinheitenListeForm : public QDialog {
    Q_OBJECT
public:
    explicit TEinheitenListeForm(QWidget* eltern);
    ~TEinheitenListeForm() override;
    QPlainTextEdit* EinheitenListeMemo;
    QPushButton* OkButton;
    QCheckBox *Options_AA, *Options_IC, *Options_Flag;
};

extern TEinheitenListeForm* EinheitenListeForm;

// Builds the text from the board and the three check boxes.
void UnitListeErstellen();
