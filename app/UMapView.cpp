#include "UMapView.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

#include "Main.h"
#include "UBefehl.h"
#include "UDDrawInit.h"
#include "UInputs.h"
#include "UMap.h"

namespace {

TShiftState Zustand(Qt::KeyboardModifiers m, Qt::MouseButtons b) {
    TShiftState s;
    s.Shift = m & Qt::ShiftModifier;
    s.Ctrl = m & Qt::ControlModifier;
    s.Alt = m & Qt::AltModifier;
    s.Links = b & Qt::LeftButton;
    s.Rechts = b & Qt::RightButton;
    s.Mitte = b & Qt::MiddleButton;
    return s;
}

TMausKnopf Knopf(Qt::MouseButton b) {
    if (b == Qt::LeftButton) return mkLinks;
    if (b == Qt::RightButton) return mkRechts;
    if (b == Qt::MiddleButton) return mkMitte;
    return mkAndere;
}

QImage::Format Format() {
    return SurfaceFront->BitsProPixel == 16 ? QImage::Format_RGB16 : QImage::Format_RGB32;
}

// The view's rectangle in the client area: what SurfaceFront holds of it.
QRect Ansicht() {
    if (!SurfaceFront) return QRect();
    return QRect(0, ToolBarHoch, std::clamp(ViewBreite, 0, SurfaceFront->Breite),
                 std::clamp(ViewHoehe, 0, SurfaceFront->Hoehe));
}

// What the view asked the window to paint and it has not painted yet (client coordinates).
QRegion Angefordert;

// The view shows SurfaceFront, the last finished frame; a new size asks for a new frame.
class TClientArea : public QWidget {
public:
    explicit TClientArea(QWidget* eltern) : QWidget(eltern) {
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        // A paint of the view that it did not ask for itself is the window's paint request:
        // the view is drawn anew first.
        const bool angefordert = (e->region() & Ansicht()).subtracted(Angefordert).isEmpty();
        Angefordert -= e->region();
        if (DisplayReady && !angefordert) Befehl([] { ViewAnpassen(); }, false);
        QPainter p(this);
        const QRect ansicht = Ansicht();
        if (!ansicht.isEmpty()) {
            const QImage front(SurfaceFront->Pixel.data(), SurfaceFront->Breite, SurfaceFront->Hoehe,
                               SurfaceFront->Abstand, Format());
            for (const QRect& r : e->region() & ansicht) p.drawImage(r.topLeft(), front, r.translated(0, -ToolBarHoch));
        }
        // What the view does not cover (before the first frame, or a window larger than the view).
        for (const QRect& r : e->region() - ansicht) p.fillRect(r, palette().window());
    }
    void resizeEvent(QResizeEvent*) override {
        if (DisplayReady) Befehl([] { ViewAnpassen(); }, false);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        const QPoint p = e->position().toPoint();
        // A button pressed outside the view drags nothing, and while it is held the pointer
        // is not kept in the view.
        if (ausserhalb_ && !Ansicht().contains(p)) return;
        Befehl([&] { MouseMoved(Zustand(e->modifiers(), e->buttons() & ~ausserhalb_), p.x(), p.y()); }, false);
    }
    // Only presses inside the map view edit, not those on the tool bar's empty part or the
    // status bar; the release of such a press does nothing either.
    void mousePressEvent(QMouseEvent* e) override {
        const QPoint p = e->position().toPoint();
        const QRect view(0, ToolBarHoch, std::max(ViewBreite, 0), std::max(ViewHoehe, 0));
        if (!view.contains(p)) {
            ausserhalb_ |= e->button();
            return;
        }
        if (e->button() == Qt::LeftButton && ToolMode == tmMove) SicherungVorziehen();
        Befehl([&] { MausGedrueckt(Knopf(e->button()), Zustand(e->modifiers(), e->buttons()), p.x(), p.y()); });
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (ausserhalb_ & e->button()) {
            ausserhalb_ &= ~e->button();
            return;
        }
        const QPoint p = e->position().toPoint();
        Befehl([&] { MausLosgelassen(Knopf(e->button()), Zustand(e->modifiers(), e->buttons()), p.x(), p.y()); });
    }
    // A notch of the wheel is 120; finer wheels and touch pads add up to whole notches. The
    // wheel zooms, a sideways wheel or swipe scrolls as the arrow keys do. Only the larger of
    // the two turns of an event counts: a swipe's slight slant adds up to no stray notch.
    void wheelEvent(QWheelEvent* e) override {
        const QPoint p = e->position().toPoint();
        const QRect view(0, ToolBarHoch, std::max(ViewBreite, 0), std::max(ViewHoehe, 0));
        if (!view.contains(p) || !DisplayReady) {
            e->ignore();
            return;
        }
        const QPoint d = e->angleDelta();
        const bool seitlich = std::abs(d.x()) > std::abs(d.y());
        int& rad = seitlich ? radX_ : rad_;
        rad += seitlich ? d.x() : d.y();
        const int raster = rad / 120;
        rad -= raster * 120;
        if (raster == 0) return;
        // A turn to the left shows more of the map's left.
        if (seitlich)
            Befehl([&] { PfeilGedrueckt(-raster, 0); }, false);
        else
            Befehl([&] { MausRad(raster, p.x(), p.y()); }, false);
    }
    void keyPressEvent(QKeyEvent* e) override { Taste(e, true); }
    void keyReleaseEvent(QKeyEvent* e) override { Taste(e, false); }

private:
    Qt::MouseButtons ausserhalb_;  // buttons pressed outside the map view and not yet released
    int rad_ = 0, radX_ = 0;       // the wheel's turns short of a whole notch

    static void Pfeil(int taste) {
        switch (taste) {
        case Qt::Key_Left: PfeilGedrueckt(-1, 0); break;
        case Qt::Key_Right: PfeilGedrueckt(+1, 0); break;
        case Qt::Key_Up: PfeilGedrueckt(0, -1); break;
        case Qt::Key_Down: PfeilGedrueckt(0, +1); break;
        default: break;
        }
    }
    static void Taste(QKeyEvent* e, bool unten) {
        TShiftState s = Zustand(e->modifiers(), QGuiApplication::mouseButtons());
        // The modifier key itself: its own event may or may not carry it in the state.
        if (e->key() == Qt::Key_Shift) s.Shift = unten;
        if (e->key() == Qt::Key_Control) s.Ctrl = unten;
        Befehl([&] {
            TasteGeaendert(s);
            const QString t = e->text();
            // Every character is a key press; one beyond ASCII is neither "+" nor "-".
            if (unten && !t.isEmpty()) KeyPressed(t.size() == 1 && t[0].unicode() < 128 ? static_cast<char>(t[0].unicode()) : '\0');
            // Alt with an arrow steps through the turns (the buttons' keys), also where there
            // is no turn to step to: it never scrolls.
            if (unten && !s.Alt) Pfeil(e->key());
        });
    }
};

}  // namespace

QWidget* MapViewErzeugen(QWidget* eltern) { return new TClientArea(eltern); }

void ViewNeuZeigen(QWidget* client, const QRegion& region) {
    Angefordert += region;
    client->update(region);
}

QImage PraesentierteView() {
    const QRect ansicht = Ansicht();
    if (ansicht.isEmpty()) return QImage();
    return QImage(SurfaceFront->Pixel.data(), ansicht.width(), ansicht.height(), SurfaceFront->Abstand, Format()).copy();
}
