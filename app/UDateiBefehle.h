#pragma once
// The file commands: each takes the chosen file; the menu and tool bar entries first ask for
// it with one of the two shared file dialogs. An error of the loading or saving routine ends
// the command at that point, so caption, MapName and tallies keep their values.
#include <optional>
#include <string>

class QFileDialog;
class QWidget;

// Loads the map file f; caption, MapName and tallies follow it.
void MapDateiLaden(const std::string& f);
// Saves the map under MapName with the extension ".map".
void MapDateiSpeichern();
// Saves the map as f; caption, MapName and tallies follow it.
void MapDateiSpeichernAls(const std::string& f);
void SektorDateiLaden(const std::string& f);
void SektorDateiSpeichern(const std::string& f);

// The two shared dialogs, with both filters and the current directory.
enum TDateiArt { daSektoren = 1, daMap = 2 };
QFileDialog* DateiDialogErzeugen(QWidget* eltern, bool speichern);
// Runs a dialog with filter art selected and its default extension; the chosen file (full
// path), or none when the dialog was cancelled.
std::optional<std::string> DateiWaehlen(QFileDialog* d, TDateiArt art);

// The entries.
void DateiMenu_MapLadenClick();
void DateiMenu_MapSpeichernClick();
void DateiMenu_MapSpeichernAlsClick();
void DateiMenu_SInfoLadenClick();
void DateiMenu_SInfoSpeichernClick();
