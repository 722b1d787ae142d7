#pragma once
// The tools palette: the piece to place, the bomb that deletes, the cross that moves.
#include <QWidget>

class QLabel;

class TToolsForm : public QWidget {
    Q_OBJECT
public:
    explicit TToolsForm(QWidget* eltern);
    ~TToolsForm() override;
    QLabel *PiecesImage, *MoveImage, *KillImage;
    // The frame round the chosen piece of the chart, the cross or the bomb.
    QWidget* Rahmen;
    // (x, y) in the chart's pixels.
    void PiecesImageMouseDown(int x, int y);
    void MoveImageClick();
    void KillImageClick();

protected:
    void AuswahlZeigen();
    bool eventFilter(QObject* o, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
};

extern TToolsForm* ToolsForm;
