#pragma once
// The map view: the main window's client area between tool bar and status bar shows the
// last finished frame and hands its mouse and key events to the input reactions.
#include <QImage>

class QWidget;

// The client area (tool bar and status bar are its children).
QWidget* MapViewErzeugen(QWidget* eltern);

// A copy of the view as last presented (null before the first frame).
QImage PraesentierteView();
