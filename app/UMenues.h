#pragma once
// The main window's menu bar, tool bar and popup menu, made row by row from tables.
//
// A new entry is one row: add it to a table of its own (a set of rows of one feature) and
// name that table in MenuTabellen of UMenues.cpp. Rows are placed in the order of the
// tables, each at the end of its bar or submenu unless it names the entry it follows
// (Nach); its component is a QAction member of
// TMapForm, set when the row is made. The handler runs as a command (Kommando of UBefehl): an
// error it raises is shown and the program carries on, and the whole view is drawn anew.
class QAction;
class TMapForm;

enum TLeiste { lsMenu, lsToolBar, lsPopup };
enum THaken { hkOhne, hkAus, hkAn };  // no check mark, unchecked, checked at creation

struct TMenuZeile {
    TLeiste Leiste;
    // The submenu the row goes into; null: the menu bar itself, where a row without a
    // handler opens a submenu of its own. Not used by the other two.
    QAction* TMapForm::*Unter;
    QAction* TMapForm::*Komponente;  // null: a separator
    const char* Text;                // caption; on the tool bar the button's picture file
    const char* Kurz;                // shortcut ("Ctrl+L"; more than one "Ctrl+Y; Ctrl+Shift+Z"), or null
    bool An;                         // enabled at creation
    THaken Haken;
    void (*Handler)();               // null: nothing happens
    // Menus only: the row goes right after this entry of its submenu, or of the menu bar,
    // instead of at the end. Rows of one table that follow each other name the one before.
    QAction* TMapForm::*Nach = nullptr;
    // The handler deals with units in hand itself; else they go back before it runs.
    bool MitGetragenen = false;
};

struct TMenuTabelle {
    const TMenuZeile* Zeilen;
    int Anzahl;
};

// Makes every row of every table, then the tool bar's zoom list; gives the x where the tool
// bar's entries end.
int MenuesAufbauen(TMapForm* f);
