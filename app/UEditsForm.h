#pragma once
// The "edits" window: this session's steps in words, oldest first, the one undo would take
// back in bold and those that can be redone in grey. A click on a line undoes or redoes up
// to it; the log goes to the clipboard as plain text or as markdown for a forum.
#include <QWidget>

class QListWidget;
class QPushButton;

class TEditsForm : public QWidget {
    Q_OBJECT
public:
    explicit TEditsForm(QWidget* eltern);
    ~TEditsForm() override;
    QListWidget* Zeilen;
    QPushButton *KopierenButton, *ForumButton;

    // The lines follow the history: just after a change while the window is shown, else when
    // it is shown next. A burst of changes (undo up to a line) is shown once.
    void Veraltet();
    // Clicking line i, or Enter on it.
    void ZeileGewaehlt(int i);

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void Auffrischen();
    bool veraltet_ = true, angestossen_ = false;
};

extern TEditsForm* EditsForm;
