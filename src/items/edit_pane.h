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
