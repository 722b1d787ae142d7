#pragma once
// The sector information window: the sector under the pointer.
#include <QWidget>
#include <cstdint>
#include <string>

class QLabel;

class TSektorInfoForm : public QWidget {
    Q_OBJECT
public:
    explicit TSektorInfoForm(QWidget* eltern);
    ~TSektorInfoForm() override;
    QLabel *SektornummerLabel, *SektornameLabel, *StartbesitzerLabel, *ICPsLabel, *LandWasserLabel,
        *ICPsHotSpotLabel;
    // Who holds the sector, beside its start owner, and every stack in it.
    QLabel *HalterLabel, *StapelLabel;

protected:
    void closeEvent(QCloseEvent* e) override;
};

extern TSektorInfoForm* SektorInfoForm;

// Fills the labels from sector s (1..130); other values leave them as they are.
void SektorInfoFuellen(std::uint8_t s);
// The position or the table changed: the sector last filled in is shown as it stands now,
// whether or not the pointer moved since.
void SektorInfoAuffrischen();

// The stacks of sector s, a line per power in owner order: "Germany: Infantry 3, Armor 2".
std::string SektorStapelText(std::uint8_t s);
