#include "UBefehl.h"

#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <stdexcept>

#include "Main.h"
#include "UBildaufbau.h"
#include "UFehler.h"
#include "UInputs.h"
#include "UVariablen.h"
#include "UWiederherstellung.h"

namespace {
QTimer* SicherungsUhr = nullptr;
constexpr int SicherungNachMs = 250;
QMessageBox* SicherungsFehlerBox = nullptr;  // open while a failure is shown
bool SicherungsFehlerGezeigt = false;        // since the last write that succeeded

void SicherungSchreiben() {
    // Units in hand are not in the piece list: the file keeps the state before they were
    // picked up until they are dropped (SicherungVorziehen wrote that state at the pick-up).
    if (ToolMode == tmCarry || !DisplayReady) return;
    try {
        WiederherstellungSchreiben();
        SicherungsFehlerGezeigt = false;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "QelMap: %s\n", e.what());
        // Said once for each run of failures, without stopping the game; a failure after a
        // write that succeeded again is said again.
        if (SicherungsFehlerGezeigt) return;
        SicherungsFehlerGezeigt = true;
        const QString text = QStringLiteral("Unsaved changes cannot be kept for recovery:\n") + QString::fromLocal8Bit(e.what());
        if (SicherungsFehlerBox) {
            SicherungsFehlerBox->setText(text);
            SicherungsFehlerBox->raise();
            return;
        }
        SicherungsFehlerBox = new QMessageBox(QMessageBox::Warning, QStringLiteral("QelMap"), text, QMessageBox::Ok, MapForm);
        SicherungsFehlerBox->setAttribute(Qt::WA_DeleteOnClose);
        SicherungsFehlerBox->setModal(false);
        QObject::connect(SicherungsFehlerBox, &QObject::destroyed, [] { SicherungsFehlerBox = nullptr; });
        SicherungsFehlerBox->show();
    }
}
}  // namespace

void FehlerMelden(QWidget* eltern, const std::exception& e) {
    const std::string text = FehlerText(e);
    std::fprintf(stderr, "QelMap: %s\n", text.c_str());
    QMessageBox::critical(eltern, QStringLiteral("QelMap"), QString::fromLocal8Bit(text));
}

void Befehl(const std::function<void()>& f, bool aendertBrett) {
    try {
        f();
    } catch (const std::exception& e) {
        FehlerMelden(MapForm, e);
    } catch (...) {
        FehlerMelden(MapForm, std::runtime_error("an unexpected error ended the command"));
    }
    if (aendertBrett) SicherungAnstossen();
}

void Kommando(const std::function<void()>& f, bool getragene) {
    // Every command, not only those that read or change the position or files: units in hand
    // are off the board, so a save would leave them out of the file and a load would have the
    // release drop them into the position loaded. Sorting the commands would have to be
    // redone with every new one, and an option chosen while carrying is a rare slip that
    // costs no more than the carry.
    Befehl([&] {
        if (getragene && ToolMode == tmCarry) {
            GetrageneZuruecklegen();
            if (ToolMode == tmCarry)
                throw std::runtime_error("the units in hand cannot go back: the piece list is full; drop them first");
        }
        f();
    });
    if (!DisplayReady) return;
    ViewMarkieren();
    RenderFrame();
}

void SicherungsUhrErzeugen(QObject* eltern) {
    SicherungsUhr = new QTimer(eltern);
    SicherungsUhr->setSingleShot(true);
    SicherungsUhr->setInterval(SicherungNachMs);
    QObject::connect(SicherungsUhr, &QTimer::timeout, SicherungsUhr, SicherungSchreiben);
    QObject::connect(SicherungsUhr, &QObject::destroyed, [] { SicherungsUhr = nullptr; });
    SicherungsFehlerGezeigt = false;
    SicherungsFehlerBox = nullptr;
}

void SicherungAnstossen() {
    if (SicherungsUhr && !SicherungsUhr->isActive()) SicherungsUhr->start();
}

void SicherungAnhalten() {
    if (SicherungsUhr) SicherungsUhr->stop();
}

void SicherungVorziehen() {
    if (!SicherungsUhr || !SicherungsUhr->isActive()) return;
    SicherungsUhr->stop();
    SicherungSchreiben();
}
