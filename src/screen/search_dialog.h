#pragma once
// What both search dialogs share: a read-only grid of whole rows with 選択
// and 中止 below it, and the keys that take a row or leave.

#include "core/ports.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

// Where both dialogs start their grid, in twips.
constexpr int kSearchGridTop = 120;

class SearchDialog : public QDialog {
public:
    SearchDialog(QWidget* parent, const QString& name, const QString& title, const QString& gridName,
                 int columns);

    // How the dialog ended.
    SearchChoice Choice() const { return choice_; }

protected:
    // Puts 選択 and 中止 side by side, centred, below a grid ending at
    // gridBottom, and fits the dialog around them (all in twips).
    void ArrangeButtons(int dialogWidth, int gridBottom, int spacing);

    // 選択, Enter in the grid, or a double click on a row: the current row
    // (an empty grid has nothing to take; the dialog stays).
    void Choose();
    // Esc in the grid.
    virtual void EscapeInGrid() = 0;
    // Esc that no control took: the operator drops what was typed.
    void Escape();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    QTableWidget* grid_;

private:
    SearchChoice choice_;
    QPushButton* select_;
    QPushButton* stop_;
};
