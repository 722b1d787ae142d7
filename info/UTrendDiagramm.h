#pragma once
// The charts of the trends: over the turns, the income of each power and side, their unit
// values, and the Axis income against the 84 of the alert. The trends window shows them,
// qelmap-tool trends -o draws them into a picture.
#include <QImage>
#include <QtCharts/QChart>
#include <vector>

#include "UTrends.h"

enum TTrendArt { taIncome = 0, taUnits = 1, taAlarm = 2 };
constexpr int TrendArten = 3;

// A new chart of one kind; x is the place of a file in the list from 1, y the figure. The
// turn at markiert (from 0; -1 for none) is marked by an upright line.
QChart* TrendDiagramm(const std::vector<TTrend>& trends, TTrendArt art, int markiert);

// The three charts one above the other in a picture of breite x hoehe pixels.
QImage TrendBild(const std::vector<TTrend>& trends, int markiert, int breite, int hoehe);
