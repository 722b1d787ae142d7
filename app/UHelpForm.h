#pragma once
// The help window: a short user guide.
#include <QDialog>

class QPlainTextEdit;

class THelpForm : public QDialog {
    Q_OBJECT
public:
    explicit THelpForm(QWidget* eltern);
    ~THelpForm() override;
    QPlainTextEdit* Memo1;
};

extern THelpForm* HelpForm;
// The guide's text as the window starts with it.
extern const char* const HilfeText;
