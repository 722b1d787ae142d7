#include "UMapView.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>

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
        Befehl([&] { MouseMoved(Zustand(e->modifiers(), e->buttons()), p.x(), p.y()); }, false);
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
    // A notch of the wheel is 120; finer wheels and touch pads add up to whole notches.
    void wheelEvent(QWheelEvent* e) override {
        const QPoint p = e->position().toPoint();
        const QRect view(0, ToolBarHoch, std::max(ViewBreite, 0), std::max(ViewHoehe, 0));
        if (!view.contains(p) || !DisplayReady) {
            e->ignore();
            return;
        }
        rad_ += e->angleDelta().y();
        const int raster = rad_ / 120;
        rad_ -= raster * 120;
        if (raster != 0) Befehl([&] { MausRad(raster, p.x(), p.y()); }, false);
    }
    void keyPressEvent(QKeyEvent* e) override { Taste(e, true); }
    void keyReleaseEvent(QKeyEvent* e) override { Taste(e, false); }

private:
    Qt::MouseButtons ausserhalb_;  // buttons pressed outside the map view and not yet released
    int rad_ = 0;                  // the wheel's turn short of a whole notch

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
            if (unten && t.size() == 1 && t[0].unicode() < 128) KeyPressed(static_cast<char>(t[0].unicode()));
            if (unten) Pfeil(e->key());
        });
    }
};

}  // namespace

QWidget* MapViewErzeugen(QWidget* eltern) { return new TClientArea(eltern); }

QImage PraesentierteView() {
    const QRect ansicht = Ansicht();
    if (ansicht.isEmpty()) return QImage();
    return QImage(SurfaceFront->Pixel.data(), ansicht.width(), ansicht.height(), SurfaceFront->Abstand, Format()).copy();
}
