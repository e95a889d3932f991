#pragma once
// What both search dialogs share: a read-only grid of whole rows with 選択
// and 中止 below it, and the keys that take a row or leave.

#include <QDialog>

class QPushButton;
class QTableWidget;

// Where both dialogs start their grid, in twips.
constexpr int kSearchGridTop = 120;

class SearchDialog : public QDialog {
public:
    SearchDialog(QWidget* parent, const QString& name, const QString& title, const QString& gridName,
                 int columns);

protected:
    // Puts 選択 and 中止 side by side, centred, below a grid ending at
    // gridBottom, and fits the dialog around them (all in twips).
    void ArrangeButtons(int dialogWidth, int gridBottom, int spacing);

    // 選択, Enter in the grid, or a double click on a row.
    virtual void Choose() = 0;
    // Esc in the grid, and Esc that no control took.
    virtual void EscapeInGrid() = 0;
    virtual void Escape() = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    QTableWidget* grid_;

private:
    QPushButton* select_;
    QPushButton* stop_;
};
