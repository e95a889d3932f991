#pragma once
// Rebuilding a layout from its table: serial numbers, item positions, local
// group lengths, partner links and the list texts. Plain values, no widgets.

#include "core/format_lines.h"

#include <QStringList>

#include <optional>

// What the two edit panes show (the values of their serial-number labels),
// so that a rebuild can tell which of their labels it changed.
struct PaneWatch {
    qint32 shownHere = 0;   // the line this side's pane shows
    qint32 shownOther = 0;  // the line the other side's pane shows
};

// A 項目位置 or group 長さ computed beyond 32 bits; the line keeps its old value.
struct ComputedOutOfRange {
    int line = 0;
    QString column;
    qint64 value = 0;
};

struct RebuildOutcome {
    int groupHeaders = 0;                 // group headers met (local side)
    std::optional<qint32> herePosition;   // new 項目位置 of the line this pane shows (local)
    std::optional<qint32> otherLink;      // new 対応項目通番 of the line the other pane shows
    bool changed = false;                 // a 項目位置 or group length differs from before
    std::optional<ComputedOutOfRange> outOfRange;  // the first one met
};

// The position of line i from the lines above it; lastHeader is the nearest
// group header above i (0 when none). Exact: it may leave 32 bits.
qint64 ComputeItemPosition(const ItemTable& table, int i, int lastHeader);

// The length of one occurrence of the local group headed at h: the sum of its
// direct members' lengths, one more for each member with decimals. Exact.
qint64 ComputeGroupLength(const ItemTable& table, int h);

// One rebuild pass over a table (local or standard), telling the other
// table the new numbers of linked lines.
RebuildOutcome RebuildPass(ItemTable& table, ItemTable& other, bool local, const PaneWatch& watch);

// The local rebuild followed by as many further passes as it met group
// headers, stopping early once a pass changes nothing (the result is the same).
RebuildOutcome RebuildSettled(ItemTable& local, ItemTable& standard, const PaneWatch& watch);

// The list line of a table line: indentation, six digits, two blanks, text.
QString ListText(const FormatItem& item, bool local);
QStringList ListTexts(const ItemTable& table, bool local);

// The caption of a group header line.
QString MultiDetailCaption(const FormatItem& item);
