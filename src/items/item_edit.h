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

// Checks the pane and commits its line into the table, rebuilds the list and
// prepares the pane for the next item. False when a check refused.
bool CommitPaneEntry(F_K450120& form, const QString& side);

// Puts the pane's line into the table (below the selection, at the end, or in
// place of the edited line). False when a new local line has no name.
bool CommitItem(F_K450120& form, const QString& side);

// Removes the line shown in the pane; nothing when none is shown.
void DeleteSelectedItem(F_K450120& form, const QString& side);

// Moves the line shown in the pane one step up or down, then rebuilds the
// list and shows the moved line.
void MoveShownItemUp(F_K450120& form, const QString& side);
void MoveShownItemDown(F_K450120& form, const QString& side);
