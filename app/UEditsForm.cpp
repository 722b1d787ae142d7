#include "UEditsForm.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

#include "Main.h"
#include "UBearbeiten.h"
#include "UBefehl.h"
#include "UEditMenue.h"
#include "UFenster.h"
#include "UFensterHilfen.h"
#include "USchritte.h"

TEditsForm* EditsForm = nullptr;

namespace {

constexpr int Breite = 360, Hoehe = 240, KnopfHoehe = 25, Rand = 4;

// Enter or Space on the current line acts as a click on it.
class TZeilenTasten : public QObject {
public:
    explicit TZeilenTasten(TEditsForm* f) : QObject(f), f_(f) { f->Zeilen->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k != Qt::Key_Return && k != Qt::Key_Enter && k != Qt::Key_Space) return false;
        if (f_->Zeilen->currentRow() >= 0) f_->ZeileGewaehlt(f_->Zeilen->currentRow());
        return true;
    }

private:
    TEditsForm* f_;
};

void Kopieren(const std::string& text) {
    Befehl([&] { QGuiApplication::clipboard()->setText(SchrittText(text)); }, false);
}

}  // namespace

TEditsForm::TEditsForm(QWidget* eltern)
    : QWidget(eltern, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("edits"));
    setFont(FensterSchrift());
    setFixedSize(Breite, Hoehe);
    Zeilen = new QListWidget(this);
    Zeilen->setObjectName(QStringLiteral("Zeilen"));
    Zeilen->setGeometry(0, 0, Breite, Hoehe - KnopfHoehe - 2 * Rand);
    // The mark is the bold line; a selection would look like a second one.
    Zeilen->setSelectionMode(QAbstractItemView::NoSelection);
    QObject::connect(Zeilen, &QListWidget::itemClicked, this, [this](QListWidgetItem* z) { ZeileGewaehlt(Zeilen->row(z)); });
    new TZeilenTasten(this);
    const int y = Hoehe - KnopfHoehe - Rand;
    KopierenButton = new QPushButton(QStringLiteral("copy"), this);
    KopierenButton->setGeometry(Rand, y, 80, KnopfHoehe);
    QObject::connect(KopierenButton, &QPushButton::clicked, this, [] { Kopieren(EditLogText()); });
    ForumButton = new QPushButton(QStringLiteral("copy for forum"), this);
    ForumButton->setGeometry(Rand + 80 + Rand, y, 120, KnopfHoehe);
    QObject::connect(ForumButton, &QPushButton::clicked, this, [] { Kopieren(EditLogMarkdown()); });
    // Ctrl+Z and Ctrl+Y work here as in the main window.
    if (MapForm) addActions({MapForm->EditMenu_Rueckgaengig, MapForm->EditMenu_Wiederholen});
    NurSchliessen(this);
    EditsForm = this;
}

TEditsForm::~TEditsForm() { EditsForm = nullptr; }

void TEditsForm::Veraltet() {
    veraltet_ = true;
    if (!isVisible() || angestossen_) return;
    angestossen_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            angestossen_ = false;
            if (veraltet_ && isVisible()) Auffrischen();
        },
        Qt::QueuedConnection);
}

void TEditsForm::ZeileGewaehlt(int i) {
    Befehl([i] { EditBis(i); });
}

void TEditsForm::showEvent(QShowEvent* e) {
    if (veraltet_) Auffrischen();
    QWidget::showEvent(e);
}

void TEditsForm::closeEvent(QCloseEvent* e) {
    Fenster->FensterGeschlossen(fwEditsForm);
    e->accept();
}

// Lines are changed in place: undo and redo change only their marks.
void TEditsForm::Auffrischen() {
    veraltet_ = false;
    const int n = SchritteAnzahl(), gemacht = SchritteGemacht(), marke = EditLogMarke();
    while (Zeilen->count() > n) delete Zeilen->takeItem(Zeilen->count() - 1);
    QFont fett = Zeilen->font();
    fett.setBold(true);
    for (int i = 0; i < n; ++i) {
        QListWidgetItem* z = i < Zeilen->count() ? Zeilen->item(i) : new QListWidgetItem(Zeilen);
        const QString text = SchrittText(SchrittZeile(i));
        if (z->text() != text) z->setText(text);
        z->setFont(i == marke ? fett : Zeilen->font());
        // Lines that redo would bring back are grey.
        z->setForeground(i < gemacht ? palette().text() : palette().brush(QPalette::Disabled, QPalette::Text));
    }
    if (marke >= 0) Zeilen->scrollToItem(Zeilen->item(marke));
}
