#pragma once
// The game information window: income and unit values per power and side, their hints,
// and the Axis alert light.
#include <QWidget>

class QLabel;
class QImage;

class TGameInfoForm : public QWidget {
    Q_OBJECT
public:
    explicit TGameInfoForm(QWidget* eltern);
    ~TGameInfoForm() override;
    // Rows Russia, United Kingdom, United States, Allies, Germany, Japan, Axis; columns
    // income, land units, sea units, all units.
    QLabel* Werte[7][4];
    QLabel* LichtImage;
    // Shows a copy of the light with its top-left pixel's colour transparent.
    void LichtSetzen(const QImage& bild);

protected:
    void closeEvent(QCloseEvent* e) override;
};

extern TGameInfoForm* GameInfoForm;

// Writes every value label and hint from Spielstand.
void SpielstandAnzeigen();
