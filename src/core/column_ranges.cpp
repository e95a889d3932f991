#include "core/column_ranges.h"

#include "core/item_list.h"
#include "core/ports.h"

#include <limits>

namespace {

constexpr qint64 kLow32 = std::numeric_limits<qint32>::min();
constexpr qint64 kHigh32 = std::numeric_limits<qint32>::max();

// Text limits are those of site/schema.sql, counted in bytes like the fields.
const ColumnRange kRanges[] = {
    {"項目通番", kLow32, kHigh32, UpperBound::Fixed},
    {"対応項目通番", 0, 0, UpperBound::OtherLines},
    {"レベル番号", 0, 0, UpperBound::OwnLines},
    {"項目№", 0, 999999, UpperBound::Fixed},
    {"項目位置", kLow32, kHigh32, UpperBound::Fixed},
    {"項目名称", 0, 60, UpperBound::Bytes},
    {"属性", 0, 1, UpperBound::Bytes},
    {"長さ", 0, 4000, UpperBound::Fixed},
    {"小数部長さ", 0, 4000, UpperBound::Fixed},
    {"マルチ明細番号", 0, 10, UpperBound::Bytes},
    {"繰返し数", 0, 9999, UpperBound::Fixed},
    {"固定項目値", 0, 100, UpperBound::Bytes},
    {"変換エラー対処", 0, 10, UpperBound::Bytes},
};

}  // namespace

const ColumnRange* RangeOf(const QString& column)
{
    for (const ColumnRange& range : kRanges)
        if (column == QString::fromUtf8(range.column))
            return &range;
    return nullptr;
}

bool InRange(const ColumnRange& range, double value, qint64 ownLines, qint64 otherLines)
{
    const qint64 high = range.upper == UpperBound::OwnLines ? ownLines
        : range.upper == UpperBound::OtherLines             ? otherLines
                                                            : range.high;
    // Written so that NaN is outside too.
    return value >= double(range.low) && value <= double(high);
}

void RefuseStoredValue(bool standard, int line, const QString& column, const QString& value)
{
    throw BadStoredValue{QStringLiteral("%1 %2行目 %3 %4")
                             .arg(standard ? QStringLiteral("標準") : QStringLiteral("ローカル"))
                             .arg(line)
                             .arg(column, value)};
}

// The positions the lists compute (on copies: the rebuild renumbers and
// relinks) must fit the 32-bit column they are shown from and written to.
void CheckComputedPositions(const FormatLines& lines)
{
    ItemTable standard = lines.StandardItems;
    ItemTable local = lines.LocalItems;
    for (const bool isStandard : {true, false}) {
        const RebuildOutcome outcome = isStandard ? RebuildPass(standard, local, false, PaneWatch{})
                                                  : RebuildSettled(local, standard, PaneWatch{});
        if (outcome.outOfRange)
            RefuseStoredValue(isStandard, outcome.outOfRange->line, outcome.outOfRange->column,
                              QString::number(outcome.outOfRange->value));
    }
}
