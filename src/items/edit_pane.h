#pragma once
// The two edit panes below the lists: emptying them and enabling the fields
// of one line kind.

#include <QString>

class F_K450120;

// Kind "K" prepares an item, "Z" empties the pane, any other kind prepares a
// group header (the item part is kept).
void ClearEditPane(F_K450120& form, const QString& side, const QString& kind);

// The item fields or the group fields of a pane; enabling the group fields
// also puts the focus in the pane's multi-detail number.
void EnableItemFields(F_K450120& form, const QString& side, bool enabled);
void EnableGroupFields(F_K450120& form, const QString& side, bool enabled);

// Shows table line `position` of the side in its pane, every input field
// locked; nothing for a position of 0 or less.
void ShowItemInPane(F_K450120& form, qint32 position, const QString& side);

// Shows the selected list line (nothing when none is selected).
void ShowSelectedItem(F_K450120& form, const QString& side);

// Empties the pane, then shows the selected line.
void RefreshPane(F_K450120& form, const QString& side);

// After the last field of a pane: the focus goes to the other pane.
void FocusOtherPane(F_K450120& form, const QString& fieldName);
