#pragma once
// The controls both search dialogs are made of.

#include <QString>

class QDialog;
class QPushButton;
class QTableWidget;

// A read-only grid of whole rows, one chosen at a time, whose keys the
// dialog sees first (its event filter takes Enter and Esc).
QTableWidget* MakeSearchGrid(QDialog* dialog, const QString& name, int columns);

// A button that Enter in the grid does not press by default.
QPushButton* MakeSearchButton(QDialog* dialog, const QString& name, const QString& caption);
