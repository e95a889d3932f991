#include "core/item_list.h"

#include <algorithm>
#include <limits>

namespace {

// Sums and products of 32-bit fields, computed in 64 bits, cannot overflow.
qint64 WidthOf(const FormatItem& item)
{
    return qint64(item.Length) + (item.DecimalLength > 0 ? 1 : 0);
}

bool Fits32(qint64 value)
{
    return value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max();
}

const QString& CaptionPrefix()
{
    static const QString prefix = QStringLiteral("マルチ明細 No.");
    return prefix;
}

}  // namespace

qint64 ComputeItemPosition(const ItemTable& table, int i, int lastHeader)
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
        return qint64(h.ItemPosition) + qint64(h.Length) * h.RepeatCount;
    }
    return qint64(above.ItemPosition) + WidthOf(above);
}

qint64 ComputeGroupLength(const ItemTable& table, int h)
{
    const qint64 member = qint64(table[h].Level) + 1;
    qint64 sum = 0;
    for (int j = h + 1; j <= table.Count() && table[j].Level >= member; ++j)
        if (table[j].Level == member)
            sum += WidthOf(table[j]);
    return sum;
}

RebuildOutcome RebuildPass(ItemTable& table, ItemTable& other, bool local, const PaneWatch& watch)
{
    RebuildOutcome outcome;
    int lastHeader = 0;
    for (int i = 1; i <= table.Count(); ++i) {
        FormatItem& line = table[i];
        const bool header = line.IsGroupHeader();
        line.SerialNo = i;
        // A value beyond 32 bits is reported, never wrapped into the line.
        auto store = [&](qint64 value, qint32& field, const char* column) {
            if (!Fits32(value)) {
                if (!outcome.outOfRange)
                    outcome.outOfRange = ComputedOutOfRange{i, QString::fromUtf8(column), value};
                return;
            }
            outcome.changed |= value != field;
            field = qint32(value);
        };
        store(ComputeItemPosition(table, i, lastHeader), line.ItemPosition, "項目位置");
        if (local) {
            if (watch.shownHere == i)
                outcome.herePosition = line.ItemPosition;
            if (header) {
                store(ComputeGroupLength(table, i), line.Length, "長さ");
                outcome.changed |= line.DecimalLength != 0;
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
        if (header)
            lastHeader = i;
    }
    return outcome;
}

RebuildOutcome RebuildSettled(ItemTable& local, ItemTable& standard, const PaneWatch& watch)
{
    RebuildOutcome outcome = RebuildPass(local, standard, true, watch);
    for (int pass = 0; pass < outcome.groupHeaders; ++pass) {
        const RebuildOutcome again = RebuildPass(local, standard, true, watch);
        outcome.herePosition = again.herePosition;
        outcome.otherLink = again.otherLink;
        if (!outcome.outOfRange)
            outcome.outOfRange = again.outOfRange;
        if (!again.changed)
            break;  // a fixed point: further passes would change nothing
    }
    return outcome;
}

QString MultiDetailCaption(const FormatItem& item)
{
    return CaptionPrefix() + item.MultiDetailNo;
}

// Written into one string sized in advance: the lists format thousands of
// these per rebuild, and the piecewise concatenation allocated five times a line.
QString ListText(const FormatItem& item, bool local)
{
    const QString& caption = CaptionPrefix();
    const qint32 number = local ? item.ItemPosition : item.ItemNo;
    char digits[24];
    int nDigits = 0;
    for (quint64 rest = qAbs(qint64(number)); rest > 0 || nDigits < 6; rest /= 10)
        digits[nDigits++] = char('0' + rest % 10);
    const bool header = item.IsGroupHeader();
    const qsizetype indent = qsizetype(qMax(0, item.Level)) * 3;
    const int sign = number < 0 ? 1 : 0;
    const qsizetype tail = header ? caption.size() + item.MultiDetailNo.size() : item.ItemName.size();
    QString text(indent + sign + nDigits + 2 + tail, Qt::Uninitialized);
    QChar* out = text.data();
    out = std::fill_n(out, indent, QLatin1Char(' '));
    if (sign)
        *out++ = QLatin1Char('-');
    while (nDigits > 0)
        *out++ = QLatin1Char(digits[--nDigits]);
    *out++ = QLatin1Char(' ');
    *out++ = QLatin1Char(' ');
    if (header) {
        out = std::copy_n(caption.constData(), caption.size(), out);
        std::copy_n(item.MultiDetailNo.constData(), item.MultiDetailNo.size(), out);
    } else {
        std::copy_n(item.ItemName.constData(), item.ItemName.size(), out);
    }
    return text;
}

QStringList ListTexts(const ItemTable& table, bool local)
{
    QStringList texts;
    texts.reserve(table.Count());
    for (int i = 1; i <= table.Count(); ++i)
        texts.append(ListText(table[i], local));
    return texts;
}
