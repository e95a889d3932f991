#pragma once
// The two list boxes, rebuilt from their tables after every change.

#include <QString>

#include "core/form_state.h"

// Rebuilds the list of a side ("E" or "L") from its table in one pass and
// selects the line at ReselectPosition.
void RebuildItemList(FormState& form, const QString& side);

// The local rebuild followed by its settling passes (group lengths and the
// positions behind groups), the list filled once with the settled values.
void SettleLocalList(FormState& form);
