#pragma once
// The commands of the tool. Each takes its arguments (the program name first, the command
// name left out) and returns the exit status; errors are raised as EDateiFehler or EAufrufFehler.
#include <QStringList>

int BefehlTally(const QStringList& argumente);
int BefehlUnits(const QStringList& argumente);
int BefehlSectors(const QStringList& argumente);
int BefehlCheck(const QStringList& argumente);
int BefehlConvert(const QStringList& argumente);
int BefehlRender(const QStringList& argumente);
int BefehlDiff(const QStringList& argumente);
int BefehlHtml(const QStringList& argumente);
int BefehlOdds(const QStringList& argumente);
int BefehlTrends(const QStringList& argumente);
