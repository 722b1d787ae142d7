#include "UFensterPlaetze.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <cstdio>

#include "Main.h"
#include "UDatei.h"
#include "UDateien.h"
#include "UGameInfoForm.h"
#include "UIni.h"
#include "USektorInfoForm.h"
#include "UToolsForm.h"

namespace {

// Applies a stored place once more when the window's frame becomes known: the window
// manager frames the window after it is shown and then moves it, and the move (or a later
// resize, activation or the first paint) is the event that reports it.
class TRahmenKorrektur : public QObject {
public:
    TRahmenKorrektur(QWidget* w, const TFensterPlatz& platz, bool groesse, bool ort)
        : QObject(w), fenster_(w), platz_(platz), groesse_(groesse), ort_(ort) {
        // A later place replaces an earlier one still waiting for the frame.
        for (QObject* alt : w->findChildren<QObject*>(Name, Qt::FindDirectChildrenOnly)) delete alt;
        setObjectName(Name);
        w->installEventFilter(this);
    }
    static constexpr const char* Name = "Rahmenkorrektur";
    bool eventFilter(QObject*, QEvent* e) override {
        const QEvent::Type t = e->type();
        // A window shown later, that keeps its client place and is not activated, reports
        // its frame by nothing but its first paint.
        if (t != QEvent::Move && t != QEvent::Resize && t != QEvent::Show && t != QEvent::WindowActivate &&
            t != QEvent::Paint)
            return false;
        QWindow* h = fenster_->windowHandle();
        if (!fenster_->isVisible() || !h || h->frameMargins().isNull()) return false;
        const QMargins m = h->frameMargins();
        fenster_->removeEventFilter(this);
        deleteLater();
        if (groesse_)
            fenster_->resize(qMax(1, platz_.Width - m.left() - m.right()), qMax(1, platz_.Height - m.top() - m.bottom()));
        // The client area is put where the frame's place makes it, after the resize, which
        // may carry a client position the window manager has since changed.
        if (ort_) h->setPosition(platz_.Left + m.left(), platz_.Top + m.top());
        return false;
    }

private:
    QWidget* fenster_;
    TFensterPlatz platz_;
    bool groesse_, ort_;
};

QWidget* PlatzFenster(TFenster f) {
    switch (f) {
    case fwMapForm: return MapForm;
    case fwGameInfoForm: return GameInfoForm;
    case fwToolsForm: return ToolsForm;
    case fwSektorInfoForm: return SektorInfoForm;
    }
    return nullptr;
}

}  // namespace

bool PlatzierbarPruefen() {
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return true;
    std::fputs("QelMap: Wayland lets no program place its windows, move the pointer or activate a window, "
               "so the window places of QelWin.INI, keeping the pointer in the map view, \"mouse stops at "
               "scrolling\" and activating the main window are left out; QT_QPA_PLATFORM=xcb runs QelMap "
               "through XWayland with all of them\n",
               stderr);
    return false;
}

void FensterPlatzAnwenden(TFenster fenster, const TFensterPlatz& platz) {
    QWidget* w = PlatzFenster(fenster);
    if (!w) return;
    const bool platzierbar = MapForm->Platzierbar;
    // Resized first: a resize after the move would make the place the client area's.
    if (fenster == fwMapForm) {
        const QSize rahmen = MapForm->frameGeometry().size() - MapForm->size();
        MapForm->resize(qMax(1, platz.Width - rahmen.width()), qMax(1, platz.Height - rahmen.height()));
    } else if (!platzierbar) {
        return;
    }
    if (platzierbar) w->move(platz.Left, platz.Top);
    // The stored place is the frame's. The frame of a window not yet shown is unknown, so a
    // window manager would put the client area there and the window would creep by its
    // title bar from run to run: once the frame is known the place is applied again.
    if (MapForm->frameGeometry().size() == MapForm->size())
        new TRahmenKorrektur(w, platz, fenster == fwMapForm, platzierbar);
}

TFensterPlatz FensterPlatzErfassen(TFenster fenster) {
    QWidget* w = PlatzFenster(fenster);
    if (!w) return FensterPlaetze[fenster];
    const QRect r = w->frameGeometry();
    TFensterPlatz p = FensterPlaetze[fenster];
    // A place the program could not apply stays as it was read, for the next start under X.
    if (MapForm->Platzierbar) {
        p.Top = r.top();
        p.Left = r.left();
    }
    if (fenster == fwMapForm) {
        p.Height = r.height();
        p.Width = r.width();
    }
    return p;
}

bool PlaetzeGenannt() {
    const std::string pfad = EinstellungenPfad();
    if (!DateiExistiert(pfad)) return false;
    for (const char* sektion : {"MapForm", "GameInfoForm", "ToolsForm", "SektorInfoForm"})
        for (const char* schluessel : {"Top", "Left"})
            if (IniLesen(pfad, sektion, schluessel, "\n") != "\n") return true;
    return false;
}

void ErsterStartPlaetze() {
    // The main window keeps its default size at the top left; the palette and the game
    // information go to its right, one below the other, and the sector information below it.
    // Each place leaves room for the frame a window manager adds.
    constexpr int Abstand = 8, RahmenHoehe = 40;
    const QRect frei = MapForm->screen() ? MapForm->screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    TFensterPlatz& haupt = FensterPlaetze[fwMapForm];
    haupt.Left = frei.left();
    haupt.Top = frei.top();
    const int rechts = haupt.Left + haupt.Width + Abstand;
    FensterPlaetze[fwToolsForm].Left = rechts;
    FensterPlaetze[fwToolsForm].Top = frei.top();
    FensterPlaetze[fwGameInfoForm].Left = rechts;
    FensterPlaetze[fwGameInfoForm].Top = frei.top() + ToolsForm->height() + RahmenHoehe + Abstand;
    FensterPlaetze[fwSektorInfoForm].Left = frei.left();
    FensterPlaetze[fwSektorInfoForm].Top = haupt.Top + haupt.Height + Abstand;
    for (int f = fwMapForm; f <= fwSektorInfoForm; ++f)
        MapForm->PlatzAnwenden(static_cast<TFenster>(f), FensterPlaetze[f]);
}
