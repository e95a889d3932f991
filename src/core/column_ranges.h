#pragma once
// The values a line column of FL1903レコードフォーマット情報マスタ may hold.
// Whatever reads lines from outside (the database, an exchange file) checks
// them against this one table before any arithmetic runs on them.

#include "core/format_lines.h"

#include <QString>

// What bounds a column from above.
enum class UpperBound {
    Fixed,       // the table's own number
    OwnLines,    // the line count of the line's layout
    OtherLines,  // the line count of the other layout
    Bytes,       // a text column: its Shift-JIS byte count, at most the number
};

struct ColumnRange {
    const char* column;
    qint64 low;
    qint64 high;
    UpperBound upper;
};

// The range of a line column by its name; nullptr for a column without one.
const ColumnRange* RangeOf(const QString& column);

// Whether a number (or, for a text column, its byte count) lies in the range,
// with the line counts of the two layouts for the bounds that depend on them.
bool InRange(const ColumnRange& range, double value, qint64 ownLines = 0, qint64 otherLines = 0);

// Throws BadStoredValue naming the place for the operator, e.g.
// "ローカル 2行目 レベル番号 1000000000".
[[noreturn]] void RefuseStoredValue(bool standard, int line, const QString& column,
                                    const QString& value);

// Throws BadStoredValue when a position or group length computed from the
// lines would leave 32 bits (the tables are not changed).
void CheckComputedPositions(const FormatLines& lines);
