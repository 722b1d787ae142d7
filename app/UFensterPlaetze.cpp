#include "UFensterPlaetze.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <cstdio>

#include "Main.h"
#include "UDatei.h"
#include "UDateien.h"
#include "UEditsForm.h"
#include "UGameInfoForm.h"
#include "UIni.h"
#include "USchlachtForm.h"
#include "USektorInfoForm.h"
#include "UToolsForm.h"

namespace {

// The area the screen under the window's middle leaves to windows; where no screen is under
// it (places from a larger screen), that of the screen it overlaps most, else the main
// window's.
QRect Flaeche(const QRect& rahmen) {
    QScreen* schirm = QGuiApplication::screenAt(rahmen.center());
    qint64 meiste = 0;
    if (!schirm)
        for (QScreen* s : QGuiApplication::screens()) {
            const QRect teil = s->availableGeometry() & rahmen;
            const qint64 flaeche = qint64(teil.width()) * teil.height();
            if (flaeche > meiste) meiste = flaeche, schirm = s;
        }
    if (!schirm) schirm = MapForm->screen() ? MapForm->screen() : QGuiApplication::primaryScreen();
    return schirm ? schirm->availableGeometry() : QRect(0, 0, 1024, 768);
}

// A frame is known once it surrounds the client area. While the window manager is still
// framing a window, X reports a frame window not yet sized round it, which gives margins
// below zero; a place computed with them is off the screen by as much.
bool RandBekannt(const QMargins& m) {
    return !m.isNull() && m.left() >= 0 && m.top() >= 0 && m.right() >= 0 && m.bottom() >= 0;
}

// Room for the frame of a window the window manager has not framed yet: its title bar and
// borders as usual window managers draw them.
constexpr QSize RahmenVermutet(10, 40);

// The frame's place and size for a stored place, given the frame m around the client area
// (none while the window manager has not told it): on the screen, and the main window
// within its smallest and largest size and no larger than the screen where it can be. A
// floating window whose size is bounded too keeps the client size of the place (its own
// while the place names none) where the screen has room for it and its frame, and never
// gets smaller than its contents need.
QRect Ziel(QWidget* w, bool haupt, bool begrenzt, const TFensterPlatz& platz, const QMargins& m) {
    const QSize rand(m.left() + m.right(), m.top() + m.bottom());
    QSize groesse = haupt                                          ? QSize(platz.Width, platz.Height)
                    : begrenzt && platz.Width > 0 && platz.Height > 0 ? QSize(platz.Width, platz.Height) + rand
                                                                     : w->size() + rand;
    const QRect flaeche = Flaeche(QRect(QPoint(platz.Left, platz.Top), groesse.expandedTo(QSize(1, 1))));
    if (haupt)
        groesse = (groesse - rand).boundedTo(flaeche.size() - rand).boundedTo(w->maximumSize()).expandedTo(w->minimumSize()) +
                  rand;
    else if (begrenzt)
        groesse = (groesse - rand)
                      .boundedTo(flaeche.size() - (RandBekannt(m) ? rand : RahmenVermutet))
                      .boundedTo(w->maximumSize())
                      .expandedTo(w->minimumSize().expandedTo(w->minimumSizeHint())) +
                  rand;
    const TPunkt o = PlatzAufFlaeche(platz.Left, platz.Top, groesse.width(), groesse.height(),
                                     TRect{flaeche.left(), flaeche.top(), flaeche.left() + flaeche.width(),
                                           flaeche.top() + flaeche.height()});
    return QRect(QPoint(o.X, o.Y), groesse);
}

// The frame a window manager has put round the window; of the main window while this one's
// is not known yet (a window not shown so far), none while neither is.
QMargins Rand(QWidget* w) {
    for (QWidget* bekannt : {w, static_cast<QWidget*>(MapForm)}) {
        const QRect g = bekannt->geometry(), r = bekannt->frameGeometry();
        const QMargins m(g.left() - r.left(), g.top() - r.top(), r.right() - g.right(), r.bottom() - g.bottom());
        if (RandBekannt(m)) return m;
    }
    return QMargins();
}

// Applies a stored place once more when the window's frame becomes known: the window
// manager frames the window after it is shown and then moves it, and the move (or a later
// resize, activation or the first paint) is the event that reports it. The window manager
// may still move the window after that (its own placement, a frame adjusted late), and the
// area it leaves to windows may be told late: until the frame stands where the place puts
// it, each later move or resize, and each change of the area, applies it again, a few
// times at most, so that a window manager that will not have it there is not fought.
class TRahmenKorrektur : public QObject {
public:
    TRahmenKorrektur(QWidget* w, bool haupt, const TFensterPlatz& platz, bool groesse, bool ort)
        : QObject(w), fenster_(w), haupt_(haupt), platz_(platz), groesse_(groesse), ort_(ort) {
        // A later place replaces an earlier one still waiting for the frame.
        for (QObject* alt : w->findChildren<QObject*>(Name, Qt::FindDirectChildrenOnly)) delete alt;
        setObjectName(Name);
        w->installEventFilter(this);
        for (QScreen* s : QGuiApplication::screens())
            connect(s, &QScreen::availableGeometryChanged, this, [this] { Pruefen(); });
    }
    static constexpr const char* Name = "Rahmenkorrektur";
    bool eventFilter(QObject*, QEvent* e) override {
        const QEvent::Type t = e->type();
        // A window shown later, that keeps its client place and is not activated, reports
        // its frame by nothing but its first paint.
        if (t == QEvent::Move || t == QEvent::Resize || t == QEvent::Show || t == QEvent::WindowActivate ||
            t == QEvent::Paint)
            Pruefen();
        return false;
    }

private:
    static constexpr int Versuche = 8;

    void Pruefen() {
        QWindow* h = fenster_->windowHandle();
        // Not while it applies the place itself, which may report the resize at once.
        if (fertig_ || wendetAn_ || !fenster_->isVisible() || !h || !RandBekannt(h->frameMargins())) return;
        const QMargins m = h->frameMargins();
        const QRect ziel = Ziel(fenster_, haupt_, groesse_, platz_, m);
        const QRect ist = fenster_->frameGeometry();
        const bool steht = (!groesse_ || ist.size() == ziel.size()) && (!ort_ || ist.topLeft() == ziel.topLeft());
        // Applied at least once: the window manager may yet move a window it has just framed.
        if ((steht && versucht_ > 0) || versucht_ == Versuche) {
            fertig_ = true;
            fenster_->removeEventFilter(this);
            deleteLater();
            return;
        }
        // Only a place the window manager has changed since is applied again, not one it has
        // not answered yet.
        if (versucht_ > 0 && ist == zuletzt_ && flaeche_ == Flaeche(ist)) return;
        ++versucht_;
        wendetAn_ = true;
        if (groesse_) fenster_->resize(ziel.size().shrunkBy(m));
        // The client area is put where the frame's place makes it, after the resize, which
        // may carry a client position the window manager has since changed.
        if (ort_) h->setPosition(ziel.left() + m.left(), ziel.top() + m.top());
        wendetAn_ = false;
        zuletzt_ = fenster_->frameGeometry();
        flaeche_ = Flaeche(zuletzt_);
    }

    QWidget* fenster_;
    bool haupt_;
    TFensterPlatz platz_;
    bool groesse_, ort_;
    int versucht_ = 0;
    QRect zuletzt_, flaeche_;
    bool fertig_ = false, wendetAn_ = false;
};

QWidget* PlatzFenster(TFenster f) {
    switch (f) {
    case fwMapForm: return MapForm;
    case fwGameInfoForm: return GameInfoForm;
    case fwToolsForm: return ToolsForm;
    case fwSektorInfoForm: return SektorInfoForm;
    case fwEditsForm: return EditsForm;
    case fwSchlachtForm: return SchlachtForm;
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
    if (fenster != fwMapForm && !platzierbar) return;
    const QMargins m = Rand(w);
    const QRect ziel = Ziel(w, fenster == fwMapForm, fenster == fwMapForm, platz, m);
    // Resized first: a resize after the move would make the place the client area's.
    if (fenster == fwMapForm) MapForm->resize(ziel.size().shrunkBy(m));
    if (platzierbar) w->move(ziel.topLeft());
    // The stored place is the frame's. The frame of a window not yet shown is unknown, so a
    // window manager would put the client area there and the window would creep by its
    // title bar from run to run: once the frame is known the place is applied again.
    if (!RandBekannt(Rand(MapForm)))
        new TRahmenKorrektur(w, fenster == fwMapForm, platz, fenster == fwMapForm, platzierbar);
}

void RahmenPlatzAnwenden(QWidget* w, int links, int oben, bool groesse) {
    const bool platzierbar = MapForm->Platzierbar;
    if (!platzierbar && !groesse) return;
    // The size asked for is kept with the place: a frame known only later bounds it anew.
    const TFensterPlatz platz{oben, links, groesse ? w->height() : 0, groesse ? w->width() : 0};
    const QMargins m = Rand(w);
    const QRect ziel = Ziel(w, false, groesse, platz, m);
    if (groesse) w->resize(ziel.size().shrunkBy(m));
    if (platzierbar) w->move(ziel.topLeft());
    // Until the window has been shown its own frame is unknown, whatever the main window's:
    // the window manager would take the place as the client area's.
    const QRect g = w->geometry(), r = w->frameGeometry();
    if (!RandBekannt(QMargins(g.left() - r.left(), g.top() - r.top(), r.right() - g.right(), r.bottom() - g.bottom())))
        new TRahmenKorrektur(w, false, platz, groesse, platzierbar);
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
    for (const char* sektion : {"MapForm", "GameInfoForm", "ToolsForm", "SektorInfoForm", "EditsForm", "SchlachtForm"})
        for (const char* schluessel : {"Top", "Left"})
            if (IniLesen(pfad, sektion, schluessel, "\n") != "\n") return true;
    return false;
}

void ErsterStartPlaetze() {
    // The main window keeps its default size at the top left; the palette and the game
    // information go to its right, one below the other, and the sector information and the
    // edits below it, side by side.
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
    FensterPlaetze[fwEditsForm].Left = frei.left() + SektorInfoForm->width() + Abstand;
    FensterPlaetze[fwEditsForm].Top = FensterPlaetze[fwSektorInfoForm].Top;
    // The battle window, shown only when asked for, goes beside the edits.
    FensterPlaetze[fwSchlachtForm].Left = FensterPlaetze[fwEditsForm].Left + EditsForm->width() + Abstand;
    FensterPlaetze[fwSchlachtForm].Top = FensterPlaetze[fwSektorInfoForm].Top;
    for (int f = fwMapForm; f < FensterAnzahl; ++f)
        MapForm->PlatzAnwenden(static_cast<TFenster>(f), FensterPlaetze[f]);
}

void FensterPlaetzeZuruecksetzen() {
    FensterPlaetze[fwMapForm].Width = HauptfensterVorgabe.Width;
    FensterPlaetze[fwMapForm].Height = HauptfensterVorgabe.Height;
    ErsterStartPlaetze();
}
