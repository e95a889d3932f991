#include "format/line_load.h"

#include "shell/connection.h"
#include "shell/text.h"

#include <QCryptographicHash>

namespace {

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

// Adds the line columns of the current row to the hash.
void HashRow(const ResultSet& rs, const QList<int>& columns, QCryptographicHash& hash)
{
    for (const int c : columns) {
        const QVariant v = rs.Value(c);
        hash.addData(v.isNull() ? QByteArrayView("\x01") : QByteArrayView(v.toString().toUtf8()));
        hash.addData(QByteArrayView("\x00", 1));
    }
}

QList<int> LineColumns(const ResultSet& rs)
{
    QList<int> columns;
    for (const char* name : kLineColumns)
        columns << rs.IndexOf(QString::fromUtf8(name));
    return columns;
}

}  // namespace

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
    rs.Close();
    return hash.result();
}

qint32 WholeNumber(const QVariant& value)
{
    return value.isNull() ? 0 : LeadingInteger(value.toString());
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
    QString current = TrimBlanks(firstType.toString());
    int counter = 0;
    for (; !rs.AtEnd(); rs.MoveNext()) {
        HashRow(rs, lineColumns, hash);
        const QVariant rowType = rs.Value(cType);
        // A null type never differs from the current one: it continues its numbering.
        if (!rowType.isNull() && rowType.toString() != current) {
            counter = 0;
            current = rowType.toString();
        }
        const QString type = rowType.isNull() ? QStringLiteral("E") : TrimBlanks(rowType.toString());
        const bool standard = type == QLatin1String("E");
        if (!standard && type != QLatin1String("L"))
            continue;
        ItemTable& table = standard ? lines.StandardItems : lines.LocalItems;
        if (!lines.LoadedTypes.contains(rowType))
            lines.LoadedTypes << rowType;
        ++counter;
        if (table.Count() < counter)
            table.Resize(counter);
        FormatItem item;
        item.FormatType = Text(rowType);
        item.SerialNo = WholeNumber(rs.Value(cSerial));
        item.LinkedSerialNo = WholeNumber(rs.Value(cLinked));
        item.Level = WholeNumber(rs.Value(cLevel));
        item.ItemNo = WholeNumber(rs.Value(cItemNo));
        item.RepeatCount = WholeNumber(rs.Value(cRepeat));
        item.ItemPosition = WholeNumber(rs.Value(cPosition));
        item.Attribute = Text(rs.Value(cAttribute));
        item.MultiDetailNo = Text(rs.Value(cMulti));
        item.FixedValue = Text(rs.Value(cFixed));
        item.ConversionError = Text(rs.Value(cError));
        if (!standard) {
            item.ItemName = Text(rs.Value(cName));
            item.Length = WholeNumber(rs.Value(cLength));
            item.DecimalLength = WholeNumber(rs.Value(cDecimal));
        } else if (item.IsGroupHeader()) {
            item.ItemName = Text(rs.Value(cName));
        } else {
            item.ItemName = Text(rs.Value(cDictName));
            item.Length = WholeNumber(rs.Value(cDictLength));
            item.DecimalLength = WholeNumber(rs.Value(cDictDecimal));
        }
        table[counter] = item;
    }
    rs.Close();
    lines.StoredLines = hash.result();
    return true;
}
