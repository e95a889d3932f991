#pragma once
// The information-category search G_GRID: the codes and names of the
// category file in a modal grid.

#include "core/ports.h"

class QWidget;

// Returns the chosen row; Closed for Esc in the grid or 中止 (what was typed
// stays), Abandoned for Esc elsewhere (the operator drops the code).
SearchChoice ChooseCategory(QWidget* parent, const QStringList& codes, const QStringList& names);
