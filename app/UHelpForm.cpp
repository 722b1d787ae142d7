#include "UHelpForm.h"

#include <QPlainTextEdit>

#include "UFensterHilfen.h"

THelpForm* HelpForm = nullptr;

const char* const HilfeText =
    "QelMap - Kurzanleitung\n"
    "\n"
    "Einheiten setzen: Im Fenster \"tools\" die Einheit waehlen (Spalte = Art, Zeile = Macht) "
    "und dann mit der linken Maustaste auf die Karte klicken. Die neuen Einheiten erscheinen, "
    "sobald die Maus bewegt wird.\n"
    "\n"
    "Die Bombe loescht Einheiten: Bombe waehlen, dann auf einen Stapel klicken.\n"
    "\n"
    "Das Kreuz verschiebt Einheiten: Kreuz waehlen, Stapel mit der linken Taste fassen, "
    "ziehen und ueber dem Zielland loslassen. Ueber einer Grenze losgelassen, gehen die "
    "Einheiten an ihren Platz zurueck.\n"
    "\n"
    "Anzahl: ohne Taste 1 Einheit, mit Shift 5, mit Strg 10, mit Shift und Strg alle "
    "(beim Setzen 10).\n"
    "\n"
    "Karte verschieben: rechte Maustaste halten und die Maus bewegen.\n"
    "Zoomen: \"+\" vergroessert, \"-\" verkleinert.\n"
    "\n"
    "Das Fenster \"gameinfo\" zeigt Einkommen und Einheitenwerte; die Ampel warnt, "
    "wenn das Einkommen der Achse 84 erreicht.\n"
    "\n"
    "Nichts geht verloren: Aenderungen, die kein Speichern-Befehl gesichert hat, haelt das "
    "Programm in Wiederherstellung.map und Wiederherstellung.sek im Spielordner fest, auch "
    "beim Beenden. Beim naechsten Start bekommen die beiden Dateien ihr Datum in den Namen, "
    "ein Hinweis nennt sie, und \"load map\" der .map-Datei holt die Stellung zurueck "
    "(\"load sektorinfo\" der .sek-Datei die Sektoren).\n"
    "\n"
    "In English: choose the units to place in the tools window. The bomb deletes units, "
    "the cross moves them. Shift takes 5 units, Ctrl 10, Shift and Ctrl all of them "
    "(10 when placing). Hold the right mouse button and move the mouse to scroll the map; "
    "\"+\" and \"-\" zoom in and out. Changes no save command has saved are kept in "
    "Wiederherstellung.map and Wiederherstellung.sek in the game folder; at the next start they "
    "get their date in the name and a notice names them: \"load map\" of the .map file brings "
    "the position back.\n";

THelpForm::THelpForm(QWidget* eltern)
    : QDialog(eltern, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("HelpForm"));
    setFont(FensterSchrift());
    setGeometry(324, 220, 254, 137);
    Memo1 = new QPlainTextEdit(QString::fromLatin1(HilfeText), this);
    // The field ends with the window, so that its last line scrolls into view whole.
    Memo1->setGeometry(0, 0, 254, 137);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    HelpForm = this;
}

THelpForm::~THelpForm() { HelpForm = nullptr; }
