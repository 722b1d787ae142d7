#pragma once
// The sector edit dialog and the ICP hot-spot command of the map popup menu.
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TSektorEditForm : public QDialog {
    Q_OBJECT
public:
    explicit TSektorEditForm(QWidget* eltern);
    ~TSektorEditForm() override;
    QLabel* SektorNummerLabel;
    QLineEdit* SektorNameMaskEdit;
    QComboBox* StartBesitzerComboBox;
    QSpinBox* ICPsMaskEdit;
    QComboBox* LandWasserComboBox;
    QPushButton *OkButton, *AbbruchButton;
};

extern TSektorEditForm* SektorEditForm;

// The fields as start-up leaves them: no name, neutral, 0 ICPs, land.
void SektorEditZuruecksetzen();
// Edits the sector under the pointer (AktuellerSektor) in the modal dialog.
void SektorEditieren();
// Puts the ICP figure of the sector under the pointer where the pointer is.
void ICPsHotSpotSetzen();
