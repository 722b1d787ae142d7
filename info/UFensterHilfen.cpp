#include "UFensterHilfen.h"

#include <QBitmap>
#include <QEvent>
#include <QGuiApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>

#include "UDatei.h"
#include "UFehler.h"

QFont FensterSchrift(int pixel) {
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixel);
    return f;
}

QLabel* LabelAn(QWidget* eltern, const QString& text, int x, int y, int w, int h) {
    auto* l = new QLabel(text, eltern);
    l->setFont(FensterSchrift());
    if (w < 0) w = l->sizeHint().width();
    l->setGeometry(x, y, w, h);
    return l;
}

QImage BildAlsImage(const TBild& bild) {
    if (bild.Breite <= 0 || bild.Hoehe <= 0 ||
        bild.Rgb.size() < static_cast<std::size_t>(bild.Breite) * static_cast<std::size_t>(bild.Hoehe))
        return QImage();
    QImage img(bild.Breite, bild.Hoehe, QImage::Format_RGB32);
    for (int y = 0; y < bild.Hoehe; ++y) {
        auto* zeile = reinterpret_cast<std::uint32_t*>(img.scanLine(y));
        const std::uint32_t* quelle = bild.Rgb.data() + static_cast<std::size_t>(y) * bild.Breite;
        for (int x = 0; x < bild.Breite; ++x) zeile[x] = 0xFF000000u | quelle[x];
    }
    return img;
}

QImage BildDatei(const char* name) {
    if (!DateiExistiert(name)) return QImage();
    TBild bild;
    try {
        BildLaden(bild, name);
    } catch (const EDateiFehler& e) {
        std::fprintf(stderr, "QelMap: %s; the built-in picture is used instead\n", e.what());
        return QImage();
    }
    return BildAlsImage(bild);
}

QPixmap Transparent(const QImage& bild) {
    if (bild.isNull()) return QPixmap();
    QPixmap p = QPixmap::fromImage(bild);
    p.setMask(QBitmap::fromImage(bild.createMaskFromColor(bild.pixel(0, 0), Qt::MaskInColor)));
    return p;
}

namespace {

// Shows the window again as soon as the window manager minimised it.
class TWiederZeigen : public QObject {
public:
    explicit TWiederZeigen(QWidget* w) : QObject(w), fenster_(w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::WindowStateChange && fenster_->isMinimized())
            // After the state change has been handled, not inside it.
            QTimer::singleShot(0, fenster_, [w = fenster_] {
                if (w->isMinimized()) w->showNormal();
            });
        return false;
    }

private:
    QWidget* fenster_;
};

// The X11 window type the window layer takes from this property of the window (a tool bar);
// window managers give a tool bar neither a minimise nor a maximise button.
constexpr int FensterTypWerkzeugleiste = 0x08;

}  // namespace

void NurSchliessen(QWidget* fenster) {
    new TWiederZeigen(fenster);
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    fenster->winId();
    QWindow* h = fenster->windowHandle();
    if (!h) return;
    h->setProperty("_q_xcb_wm_window_type", FensterTypWerkzeugleiste);
    // The window type is written again only when the flags change.
    const Qt::WindowFlags f = h->flags();
    h->setFlags(f | Qt::WindowDoesNotAcceptFocus);
    h->setFlags(f);
}
