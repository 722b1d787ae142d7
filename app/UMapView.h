#pragma once
// The map view: the main window's client area between tool bar and status bar shows the
// last finished frame and hands its mouse and key events to the input reactions.
#include <QImage>
#include <QRegion>

class QWidget;

// The client area (tool bar and status bar are its children).
QWidget* MapViewErzeugen(QWidget* eltern);

// The view asks to paint the region (client coordinates) of a new frame. Any other paint of
// the view is the window's own request (a window uncovered) and draws a frame first.
void ViewNeuZeigen(QWidget* client, const QRegion& region);

// A copy of the view as last presented (null before the first frame).
QImage PraesentierteView();
