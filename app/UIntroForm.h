#pragma once
// The small window that reports progress while the program starts.
#include <QWidget>

class QLabel;

class TIntroForm : public QWidget {
    Q_OBJECT
public:
    explicit TIntroForm(QWidget* eltern);
    ~TIntroForm() override;
    QLabel *Label1, *InfoLabel;
};

extern TIntroForm* IntroForm;
