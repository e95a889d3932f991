#include "core/item_ops.h"

qint32 ComputeLevel(const ItemTable& table, int p, const FormatItem& record,
                    const QString& editKind, const PaneState& pane)
{
    qint32 level = 0;
    if (record.IsGroupHeader()) {
        // An edited group header keeps its level (re-committing it never deepens it).
        level = pane.serialNo >= 1 ? pane.levelNo : pane.levelNo + 1;
    }
    if (editKind == QLatin1String("MEISAI") && pane.serialNo < 1)
        level = 0;
    if (editKind != QLatin1String("KOMOKU"))
        return level;
    if (p < 2 || p - 1 > table.Count())
        return 0;
    const FormatItem& above = table[p - 1];
    return above.IsGroupHeader() ? above.Level + 1 : above.Level;
}

int CommitPosition(const ItemTable& table, const PaneState& pane)
{
    if (pane.serialNo > 0)
        return pane.serialNo;
    return pane.selectedRow >= 0 ? pane.selectedRow + 2 : table.Count() + 1;
}

void PlaceLine(ItemTable& table, int p, const FormatItem& record, bool isNew)
{
    if (isNew) {
        table.Insert(qBound(1, p, table.Count() + 1), record);
    } else if (p >= 1 && p <= table.Count()) {
        table[p] = record;
    }
}

void RemoveItem(ItemTable& table, ItemTable& other, int k)
{
    if (k < 1 || k > table.Count())
        return;
    const qint32 partner = table[k].LinkedSerialNo;
    if (partner > 0 && partner <= other.Count() && other[partner].LinkedSerialNo == k)
        other[partner].LinkedSerialNo = 0;
    table.Remove(k);
}
