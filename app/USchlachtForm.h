#pragma once
// The battle window: the two sides in a sector, the options and the exact odds, recomputed on
// every change; the losses rolled or entered by hand and put on the board as one step.
#include <QWidget>
#include <cstdint>
#include <random>
#include <string>

#include "UOdds.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
struct TMenuTabelle;

class TSchlachtForm : public QWidget {
    Q_OBJECT
public:
    explicit TSchlachtForm(QWidget* eltern);
    ~TSchlachtForm() override;

    QLabel* TitelLabel;
    QComboBox* AngreiferComboBox;  // the five powers, index 0 Russia
    // Per side (0 attacker, 1 defender) and kind: the units in the battle and the units lost.
    // Rows of kinds that take no part in this battle are disabled.
    QSpinBox* Anzahl[2][ArtenAnzahl + 1];
    QSpinBox* Verluste[2][ArtenAnzahl + 1];
    QSpinBox *BombardSpin, *RetreatAfterSpin, *RetreatAtSpin, *KeepLandSpin;
    QCheckBox *JetsBox, *SuperSubsBox, *HeavyBombersBox;
    QLineEdit* OrderEdit[2];
    QLabel *OddsLabel, *AusgangLabel;
    QPlainTextEdit* RundenText;
    QPushButton *RollButton, *ApplyButton;

    // The battle in sector s with the given attacker (0: the power that entered last), the
    // counts from the board, no losses; the options stay.
    void Laden(std::uint8_t s, TBesitzer angreifer = 0);
    std::uint8_t Sektor() const { return sektor_; }
    // The battle as the window shows it; false with the reason when an order is wrong.
    bool SchlachtLesen(TSchlacht& s, std::string& fehler) const;
    // The odds of the battle shown; false while they cannot be computed.
    bool OddsGezeigt(TOdds& o) const;
    // Plays the battle with these dice: the losses go into their fields, the rounds are shown.
    void Wuerfeln(std::mt19937_64& zufall);
    // The losses in their fields taken off the sector's stacks as one step; nothing when the
    // sector's stacks changed since they were shown (putting back units in hand may do that).
    // "roll" is offered only for a battle against someone with units of the battle shown on
    // both sides, "apply" only for losses rolled or entered since the stacks were shown or
    // last applied.
    void Anwenden();
    // The board changed: where the sector's stacks are no longer those shown, they are shown
    // anew with the same attacker and options, and losses entered or rolled for the old ones
    // are cleared; the rounds rolled stay readable.
    void BrettGeaendert();

protected:
    void closeEvent(class QCloseEvent* e) override;

private:
    void Berechnen();
    void AusgangZeigen();
    void VerlusteNeu();
    void KnoepfeSetzen();
    std::uint8_t sektor_ = 0;
    TSchlacht brett_{};       // the counts on the board when the sector was last shown
    unsigned ladungen_ = 0;   // how often it was shown
    bool laedt_ = false;
    bool gueltig_ = false;
    bool gegner_ = false;    // the other side has units of the battle there
    bool beide_ = false;     // both sides shown have units of the battle
    bool ergebnis_ = false;  // losses rolled or entered that are not applied yet
    bool wendetAn_ = false;  // the stacks change by the window's own apply
    TOdds odds_{};
};

extern TSchlachtForm* SchlachtForm;

// "battle": the window for the sector under the pointer, or the last one it was on.
void SchlachtOeffnen();

extern const TMenuTabelle SchlachtMenue;
