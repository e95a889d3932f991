#include "items/item_list.h"

#include <vector>

namespace {

// Values of 32-bit fields computed in 64 bits and cut back like the original's
// 32-bit arithmetic would wrap.
qint32 Narrow(qint64 value)
{
    return static_cast<qint32>(value);
}

qint32 WidthOf(const FormatItem& item)
{
    return Narrow(qint64(item.Length) + (item.DecimalLength > 0 ? 1 : 0));
}

}  // namespace

qint32 ComputeItemPosition(const ItemTable& table, int i, int lastHeader)
{
    if (i == 1)
        return 1;
    const FormatItem& above = table[i - 1];
    if (above.IsGroupHeader())
        return above.ItemPosition;
    if (table[i].Level < above.Level) {
        if (lastHeader == 0)
            return 0;
        const FormatItem& h = table[lastHeader];
        return Narrow(qint64(h.ItemPosition) + qint64(h.Length) * h.RepeatCount);
    }
    return Narrow(qint64(above.ItemPosition) + WidthOf(above));
}

qint32 ComputeGroupLength(const ItemTable& table, int h)
{
    const qint32 member = table[h].Level + 1;
    qint64 sum = 0;
    for (int j = h + 1; j <= table.Count() && table[j].Level >= member; ++j)
        if (table[j].Level == member)
            sum += WidthOf(table[j]);
    return Narrow(sum);
}

RebuildOutcome RebuildPass(ItemTable& table, ItemTable& other, bool local, const PaneWatch& watch)
{
    RebuildOutcome outcome;
    int lastHeader = 0;
    for (int i = 1; i <= table.Count(); ++i) {
        FormatItem& line = table[i];
        line.SerialNo = i;
        line.ItemPosition = ComputeItemPosition(table, i, lastHeader);
        if (local) {
            if (watch.shownHere == i)
                outcome.herePosition = line.ItemPosition;
            if (line.IsGroupHeader()) {
                line.Length = ComputeGroupLength(table, i);
                line.DecimalLength = 0;
                ++outcome.groupHeaders;
            }
        }
        const qint32 partner = line.LinkedSerialNo;
        if (partner > 0 && partner <= other.Count()) {
            other[partner].LinkedSerialNo = i;
            if (watch.shownOther == partner)
                outcome.otherLink = i;
        }
        if (line.IsGroupHeader())
            lastHeader = i;
    }
    return outcome;
}

RebuildOutcome RebuildSettled(ItemTable& local, ItemTable& standard, const PaneWatch& watch)
{
    RebuildOutcome outcome = RebuildPass(local, standard, true, watch);
    auto snapshot = [&local] {
        std::vector<std::pair<qint32, qint32>> values;
        values.reserve(local.Count());
        for (int i = 1; i <= local.Count(); ++i)
            values.emplace_back(local[i].ItemPosition, local[i].Length);
        return values;
    };
    auto before = snapshot();
    for (int pass = 0; pass < outcome.groupHeaders; ++pass) {
        const RebuildOutcome again = RebuildPass(local, standard, true, watch);
        outcome.herePosition = again.herePosition;
        outcome.otherLink = again.otherLink;
        auto after = snapshot();
        if (after == before)
            break;  // a fixed point: further passes would change nothing
        before = std::move(after);
    }
    return outcome;
}

QString MultiDetailCaption(const FormatItem& item)
{
    return QStringLiteral("マルチ明細 No.") + item.MultiDetailNo;
}

QString ListText(const FormatItem& item, bool local)
{
    const qint32 number = local ? item.ItemPosition : item.ItemNo;
    QString digits = QString::number(qAbs(qint64(number))).rightJustified(6, QLatin1Char('0'));
    if (number < 0)
        digits.prepend(QLatin1Char('-'));
    return QString(qMax(0, item.Level) * 3, QLatin1Char(' ')) + digits + QStringLiteral("  ")
        + (item.IsGroupHeader() ? MultiDetailCaption(item) : item.ItemName);
}

QStringList ListTexts(const ItemTable& table, bool local)
{
    QStringList texts;
    texts.reserve(table.Count());
    for (int i = 1; i <= table.Count(); ++i)
        texts.append(ListText(table[i], local));
    return texts;
}
