#pragma once
// Links between the lines of the two layouts.

#include "core/format_lines.h"

#include "core/form_state.h"

// Enables ﾘﾝｸ作成（L) and ﾘﾝｸ解除（C) from what the two panes show.
void UpdateLinkButtons(FormState& form);

// Links the standard line and the local line shown in the panes. Refused
// (nothing happens) where ﾘﾝｸ作成（L) is disabled: a side already linked or
// lines of different kinds, so that no one-sided link can arise.
void CreateLink(FormState& form);

// Unlinks the standard line shown in its pane (and its partner).
void RemoveLink(FormState& form);

// The local layout becomes a linked copy of the standard layout.
void LinkAll(FormState& form);

// The first `count` standard lines copied into a new local table, each pair
// linked at the same position.
void CopyLinked(ItemTable& standard, ItemTable& local, int count);
