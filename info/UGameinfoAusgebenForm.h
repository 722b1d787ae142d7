#pragma once
// The place kept for a text report of the game information; created, never filled or shown.
#include <QDialog>

class QPlainTextEdit;

class TGameinfoAusgebenForm : public QDialog {
    Q_OBJECT
public:
    explicit TGameinfoAusgebenForm(QWidget* eltern);
    ~TGameinfoAusgebenForm() override;
    QPlainTextEdit* GameInfoMemo;
};

extern TGameinfoAusgebenForm* GameinfoAusgebenForm;
