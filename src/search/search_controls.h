#pragma once
// The controls both search dialogs are made of.

#include <QString>

#include <functional>

class QDialog;
class QPushButton;
class QTableWidget;

// Where both dialogs start their grid, in twips.
constexpr int kSearchGridTop = 120;

// A read-only grid of whole rows, one chosen at a time, whose keys the
// dialog sees first (its event filter takes Enter and Esc).
QTableWidget* MakeSearchGrid(QDialog* dialog, const QString& name, int columns);

// 選択 and 中止: 選択 and a double click on a row take the row, 中止 leaves.
// Enter in the grid presses neither by default.
struct SearchButtons {
    QPushButton* select;
    QPushButton* stop;
};
SearchButtons MakeSearchButtons(QDialog* dialog, QTableWidget* grid, std::function<void()> choose);

// Puts the two buttons side by side, centred, below a grid ending at
// gridBottom, and fits the dialog's height around them (all in twips).
void ArrangeSearchButtons(QDialog* dialog, const SearchButtons& buttons, int dialogWidth,
                          int gridBottom, int spacing);
