#pragma once
// Adding and removing lines in a layout table. Plain values, no widgets.

#include "core/format_lines.h"

// What the pane tells about the line being committed.
struct PaneState {
    qint32 serialNo = 0;  // the pane's serial-number label; 0 for a new line
    qint32 levelNo = 0;   // the pane's level label
    int selectedRow = -1; // the list's selected row, -1 for none
};

// The level of a line committed at position p, before any line moves: a new
// group header starts at 0, an edited one keeps the level it shows; an item
// takes the level of the line above it, one deeper below a group header.
qint32 ComputeLevel(const ItemTable& table, int p, const FormatItem& record,
                    const QString& editKind, const PaneState& pane);

// Where a committed line goes: an edited line stays at its position; a new one
// goes directly below the selected line, or at the end when none is selected.
int CommitPosition(const ItemTable& table, const PaneState& pane);

// Puts the record at position p (inserting a new line, replacing an edited one).
void PlaceLine(ItemTable& table, int p, const FormatItem& record, bool isNew);

// Removes line k. A linked line's partner in the other table loses its link.
void RemoveItem(ItemTable& table, ItemTable& other, int k);
