#pragma once
// The two edit panes below the lists: emptying them and enabling the fields
// of one line kind.

#include <QString>

#include "core/form_state.h"

// Kind "K" prepares an item, "Z" empties the pane, any other kind prepares a
// group header (the item part is kept).
void ClearEditPane(FormState& form, const QString& side, const QString& kind);

// The item fields or the group fields of a pane.
void EnableItemFields(FormState& form, const QString& side, bool enabled);
void EnableGroupFields(FormState& form, const QString& side, bool enabled);

// Shows table line `position` of the side in its pane, every input field
// locked; nothing for a position of 0 or less.
void ShowItemInPane(FormState& form, qint32 position, const QString& side);

// Shows the selected list line (nothing when none is selected).
void ShowSelectedItem(FormState& form, const QString& side);

// Empties the pane, then shows the selected line.
void RefreshPane(FormState& form, const QString& side);

// After the last field of a pane: the focus goes to the other pane.
void FocusOtherPane(FormState& form, const QString& fieldName);
