#pragma once
// Adding, editing and deleting lines through the edit panes.

#include <QString>

#include "core/form_state.h"

// Prepares the pane of a side for a new item / a new group header.
void PrepareItemAdd(FormState& form, const QString& side);
void PrepareGroupAdd(FormState& form, const QString& side);

// Prepares the pane for the selected line by its kind; callers then fill it
// (RefreshPane) and unlock it (LockEditFields 0).
void BeginEdit(FormState& form, const QString& side);

// Checks the pane and commits its line into the table, rebuilds the list and
// prepares the pane for the next item. False when a check refused.
bool CommitPaneEntry(FormState& form, const QString& side);

// Puts the pane's line into the table (below the selection, at the end, or in
// place of the edited line). False when a new local line has no name.
bool CommitItem(FormState& form, const QString& side);

// The line a pane holds, as a commit would put it into its table (its
// position and level are the commit's to set).
FormatItem PaneRecord(const FormState& form, const QString& side);

// Removes the line shown in the pane; nothing when none is shown.
void DeleteSelectedItem(FormState& form, const QString& side);

// Moves the line shown in the pane one step up or down, then rebuilds the
// list and shows the moved line.
void MoveShownItemUp(FormState& form, const QString& side);
void MoveShownItemDown(FormState& form, const QString& side);
