#pragma once
// The sector information window: the sector under the pointer.
#include <QWidget>
#include <cstdint>

class QLabel;

class TSektorInfoForm : public QWidget {
    Q_OBJECT
public:
    explicit TSektorInfoForm(QWidget* eltern);
    ~TSektorInfoForm() override;
    QLabel *SektornummerLabel, *SektornameLabel, *StartbesitzerLabel, *ICPsLabel, *LandWasserLabel,
        *ICPsHotSpotLabel;

protected:
    void closeEvent(QCloseEvent* e) override;
};

extern TSektorInfoForm* SektorInfoForm;

// Fills the labels from sector s (1..130); other values leave them as they are.
void SektorInfoFuellen(std::uint8_t s);
