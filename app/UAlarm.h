#pragma once
// The Axis-income alert: the main window's timer swaps the light of the game information
// window and the tool bar's message when the alert level changes.
#include <cstdint>

class QLabel;
class QTimer;
class QWidget;

extern std::int32_t BlinkZaehler;
extern bool BlinkPhase;
extern std::int32_t AlarmStufe;
constexpr std::int32_t BlinkGrenze = 5;
// The timer's real resolution: a tick every 60 ms, and never two within 56 ms, so that a
// phase of six ticks lasts at least a third of a second.
constexpr int TickIntervall = 60;
constexpr int TickAbstandMin = 56;

// The tool bar's message label at x, and the running timer, which starts the alert afresh.
QLabel* WarnLabelErzeugen(QWidget* toolBar, int x);
QTimer* AlarmUhrErzeugen(QWidget* eltern);

// One tick.
void TimerTimer();
