#include "store/line_load.h"

#include "core/column_ranges.h"
#include "core/item_list.h"
#include "core/shift_jis.h"
#include "core/text.h"
#include "store/connection.h"

#include <QCryptographicHash>

#include <cmath>
#include <limits>

namespace {

constexpr qint64 kMax32 = std::numeric_limits<qint32>::max();

QString Text(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString();
}

// The dictionary is joined in, so that the lines and their names come in one
// statement instead of one lookup per line; an unknown item number gives
// nulls, hence an empty name and zero lengths, as a failed lookup would.
const char* const kLineStatement =
    "SELECT FL1903レコードフォーマット情報マスタ.*"
    ",FL1901項目情報マスタ.データ項目名 AS 辞書項目名"
    ",FL1901項目情報マスタ.長さ AS 辞書長さ"
    ",FL1901項目情報マスタ.小数部長さ AS 辞書小数部長さ"
    " FROM FL1903レコードフォーマット情報マスタ"
    " LEFT JOIN FL1901項目情報マスタ"
    " ON FL1901項目情報マスタ.項目No=FL1903レコードフォーマット情報マスタ.項目№"
    " WHERE FL1903レコードフォーマット情報マスタ.情報区分コード=?"
    " AND FL1903レコードフォーマット情報マスタ.BPID=?"
    " ORDER BY FL1903レコードフォーマット情報マスタ.フォーマット種別"
    ",FL1903レコードフォーマット情報マスタ.項目通番";

const char* const kLineColumns[] = {
    "フォーマット種別", "項目通番", "対応項目通番", "レベル番号", "項目№", "項目位置", "項目名称", "属性",
    "長さ", "小数部長さ", "マルチ明細番号", "繰返し数", "固定項目値", "変換エラー対処"};

QList<int> LineColumns(const ResultSet& rs)
{
    QList<int> columns;
    for (const char* name : kLineColumns)
        columns << rs.IndexOf(QString::fromUtf8(name));
    return columns;
}

// Where a value was read, for the operator.
struct LineAt {
    bool standard;
    int line;
};

[[noreturn]] void Refuse(const LineAt& at, const QString& column, const QString& value)
{
    RefuseStoredValue(at.standard, at.line, column, value);
}

// The whole number of a stored value: its leading number, 0 for null.
double StoredNumber(const QVariant& value)
{
    return value.isNull() ? 0.0 : std::trunc(LeadingNumber(value.toString()));
}

// A line column with its range, looked up once per load.
struct Column {
    explicit Column(const char* columnName)
        : name(QString::fromUtf8(columnName)), range(*RangeOf(name))
    {
    }
    QString name;
    const ColumnRange& range;
};

// The number when it lies in its column's range.
qint32 Checked(double number, const Column& column, const LineAt& at, qint64 ownLines, qint64 otherLines)
{
    if (!InRange(column.range, number, ownLines, otherLines))
        Refuse(at, column.name, QString::number(number, 'f', 0));
    return static_cast<qint32>(number);
}

QString CheckedText(const QVariant& value, const Column& column, const LineAt& at)
{
    const QString text = Text(value);
    const int bytes = ByteLength(text);
    if (!InRange(column.range, bytes))
        Refuse(at, column.name, QStringLiteral("%1バイト").arg(bytes));
    return text;
}

// Levels and links against the line counts, now that both are known.
void CheckLineBounds(const FormatLines& lines)
{
    for (const bool standard : {true, false}) {
        const ItemTable& table = standard ? lines.StandardItems : lines.LocalItems;
        const ItemTable& other = standard ? lines.LocalItems : lines.StandardItems;
        const Column level("レベル番号"), linked("対応項目通番");
        for (int i = 1; i <= table.Count(); ++i) {
            const LineAt at{standard, i};
            Checked(table[i].Level, level, at, table.Count(), other.Count());
            Checked(table[i].LinkedSerialNo, linked, at, table.Count(), other.Count());
        }
    }
}

}  // namespace

void HashRow(const ResultSet& rs, const QList<int>& columns, QCryptographicHash& hash)
{
    for (const int c : columns) {
        const QVariant v = rs.Value(c);
        hash.addData(v.isNull() ? QByteArrayView("\x01") : QByteArrayView(v.toString().toUtf8()));
        hash.addData(QByteArrayView("\x00", 1));
    }
}

QByteArray StoredLinesFingerprint(Connection& db, const QString& code, const QString& bpid)
{
    db.SetStatement(QStringLiteral("SELECT FL1903レコードフォーマット情報マスタ.*"
                                   " FROM FL1903レコードフォーマット情報マスタ"
                                   " WHERE FL1903レコードフォーマット情報マスタ.情報区分コード=?"
                                   " AND FL1903レコードフォーマット情報マスタ.BPID=?"
                                   " ORDER BY FL1903レコードフォーマット情報マスタ.フォーマット種別"
                                   ",FL1903レコードフォーマット情報マスタ.項目通番"),
                    {code, bpid});
    ResultSet rs;
    db.OpenReadOnlyResultset(rs);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (!rs.AtEnd()) {
        const QList<int> columns = LineColumns(rs);
        for (; !rs.AtEnd(); rs.MoveNext())
            HashRow(rs, columns, hash);
    }
    return hash.result();
}

bool LoadLines(Connection& db, const QString& code, const QString& bpid, FormatLines& lines)
{
    db.SetStatement(QString::fromUtf8(kLineStatement), {code, bpid});
    ResultSet rs;
    db.OpenReadOnlyResultset(rs);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    lines.LoadedTypes.clear();
    if (rs.AtEnd()) {
        lines.StoredLines = hash.result();
        return false;
    }
    const QList<int> lineColumns = LineColumns(rs);
    auto column = [&rs](const char* name) { return rs.IndexOf(QString::fromUtf8(name)); };
    const int cType = column("フォーマット種別"), cSerial = column("項目通番"),
              cLinked = column("対応項目通番"), cLevel = column("レベル番号"),
              cItemNo = column("項目№"), cPosition = column("項目位置"),
              cName = column("項目名称"), cAttribute = column("属性"), cLength = column("長さ"),
              cDecimal = column("小数部長さ"), cMulti = column("マルチ明細番号"),
              cRepeat = column("繰返し数"), cFixed = column("固定項目値"),
              cError = column("変換エラー対処"), cDictName = column("辞書項目名"),
              cDictLength = column("辞書長さ"), cDictDecimal = column("辞書小数部長さ");

    const QVariant firstType = rs.Value(cType);
    if (firstType.isNull()) {
        for (; !rs.AtEnd(); rs.MoveNext())
            HashRow(rs, lineColumns, hash);
        lines.StoredLines = hash.result();
        return true;
    }
    const Column serial("項目通番"), linked("対応項目通番"), level("レベル番号"), itemNo("項目№"),
        repeat("繰返し数"), position("項目位置"), attribute("属性"), multi("マルチ明細番号"),
        fixed("固定項目値"), error("変換エラー対処"), name("項目名称"), length("長さ"),
        decimals("小数部長さ");
    QString current = TrimBlanks(firstType.toString());
    int counter = 0;
    for (; !rs.AtEnd(); rs.MoveNext()) {
        HashRow(rs, lineColumns, hash);
        const QVariant rowType = rs.Value(cType);
        const QString type = rowType.isNull() ? QStringLiteral("E") : TrimBlanks(rowType.toString());
        const bool standard = type == QLatin1String("E");
        if (!standard && type != QLatin1String("L"))
            continue;
        // A null type never differs from the current one: it continues its numbering.
        if (!rowType.isNull() && type != current) {
            counter = 0;
            current = type;
        }
        ItemTable& table = standard ? lines.StandardItems : lines.LocalItems;
        if (!lines.LoadedTypes.contains(rowType))
            lines.LoadedTypes << rowType;
        ++counter;
        if (table.Count() < counter)
            table.Resize(counter);
        const LineAt at{standard, counter};
        // The line counts are not known yet: their bounds are checked below.
        auto number = [&](int c, const Column& column) {
            return Checked(StoredNumber(rs.Value(c)), column, at, kMax32, kMax32);
        };
        auto text = [&](int c, const Column& column) { return CheckedText(rs.Value(c), column, at); };
        FormatItem item;
        item.FormatType = Text(rowType);
        item.SerialNo = number(cSerial, serial);
        item.LinkedSerialNo = number(cLinked, linked);
        item.Level = number(cLevel, level);
        item.ItemNo = number(cItemNo, itemNo);
        item.RepeatCount = number(cRepeat, repeat);
        item.ItemPosition = number(cPosition, position);
        item.Attribute = text(cAttribute, attribute);
        item.MultiDetailNo = text(cMulti, multi);
        item.FixedValue = text(cFixed, fixed);
        item.ConversionError = text(cError, error);
        if (!standard) {
            item.ItemName = text(cName, name);
            item.Length = number(cLength, length);
            item.DecimalLength = number(cDecimal, decimals);
        } else if (item.IsGroupHeader()) {
            item.ItemName = text(cName, name);
        } else {
            item.ItemName = text(cDictName, name);
            item.Length = number(cDictLength, length);
            item.DecimalLength = number(cDictDecimal, decimals);
        }
        table[counter] = item;
    }
    lines.StoredLines = hash.result();
    CheckLineBounds(lines);
    CheckComputedPositions(lines);
    return true;
}
