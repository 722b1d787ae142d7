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
// Runs when the window is closed by its own close button (the main window unchecks its entry).
extern void (*SektorInfoGeschlossen)();

// Fills the labels from sector s (1..130); other values leave them as they are.
void SektorInfoFuellen(std::uint8_t s);
