#pragma once
// Small helpers the windows share: the design font, pictures from the board folder, and
// labels placed at fixed positions.
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QString>

#include "UBild.h"

// "MS Sans Serif" at the given pixel height (the platform substitutes its sans serif).
QFont FensterSchrift(int pixel = 10);
QLabel* LabelAn(QWidget* eltern, const QString& text, int x, int y, int w = -1, int h = 13);
QImage BildAlsImage(const TBild& bild);
// A picture file of the current folder, or a null image when it is missing or cannot be read
// (said on standard error), so that the caller uses its built-in picture.
QImage BildDatei(const char* name);
// A tool window with no title-bar button beyond close, which is never left minimised: some
// window managers draw minimise and maximise despite the window's hints, and a minimised
// tool window is one the player may never find again. Call once, before the window is shown.
void NurSchliessen(QWidget* fenster);
// The picture with every pixel of its top-left pixel's colour made transparent.
QPixmap Transparent(const QImage& bild);
