#pragma once
// The code search SEARCH_MSTDB: a modal grid of the format keys or of the
// item dictionary from which the operator picks one row.

#include "core/ports.h"

class QWidget;

// Shows the rows (two columns) and returns when the dialog has closed: the
// chosen row, or Abandoned for Esc (in the grid too), Closed for 中止.
SearchChoice ChooseCode(QWidget* parent, CodeSearchKind kind, const QList<QStringList>& rows);
