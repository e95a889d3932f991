#pragma once
// Adding, editing and deleting lines through the edit panes.

#include <QString>

class F_K450120;

// Prepares the pane of a side for a new item / a new group header.
void PrepareItemAdd(F_K450120& form, const QString& side);
void PrepareGroupAdd(F_K450120& form, const QString& side);

// Prepares the pane for the selected line by its kind; callers then fill it
// (RefreshPane) and unlock it (LockEditFields 0).
void BeginEdit(F_K450120& form, const QString& side);
