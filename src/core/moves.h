#pragma once
// Moving a line of a layout one step up or down: swaps, joining and leaving
// groups, nesting a group into the one above, the jumps of linked lines in
// front of a group, whole groups moving as blocks. Plain values, no widgets.

#include "core/format_lines.h"

#include <optional>

// Moves line p up. Returns the position to select afterwards, or nothing
// when no line moved.
std::optional<int> MoveItemUp(ItemTable& table, int p);

// Moves line p down (the move up of line p + 1 with p in the role of the line
// above it). Returns the position to select afterwards, or nothing.
std::optional<int> MoveItemDown(ItemTable& table, int p);
