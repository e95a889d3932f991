#pragma once
// The information-category search G_GRID: a modal grid of the information-
// category file from which the operator picks one category.

#include <QString>

class QWidget;

// Reads the file named by JOHOKUBUN of the EDI.ini that belongs to the program
// folder and shows the dialog. Status 9 (and no dialog, no message) when the
// file does not exist; otherwise the status is left as it was. The chosen
// code goes to the code target, its name to the name target (trimmed).
void OpenCategorySearch(QWidget* parent, const QString& programFolder, QWidget* codeTarget,
                        QWidget* nameTarget, qint16& status);
