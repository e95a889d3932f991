#include "store/format_export.h"

#include "store/connection.h"

#include <QMap>
#include <QPair>

#include <algorithm>

namespace {

QString Where(const char* table, const QString& category)
{
    return category.isNull() ? QString()
                             : QStringLiteral(" WHERE %1.情報区分コード=?").arg(QString::fromUtf8(table));
}

// The value of a number column as a 64-bit integer (what the driver made of
// values that are none is caught by RefuseNonIntegers).
QVariant StoredNumber(const QVariant& value)
{
    return value.isNull() ? QVariant() : QVariant(value.toLongLong());
}

// A number column holding a fraction or a text is refused, named by the
// document's line, rather than exported as the other value the driver
// makes of it.
void RefuseNonIntegers(Connection& db, const QVariantList& key, const FormatDocument& document)
{
    QStringList numbers, texts;
    for (const DocumentColumn& column : kDocumentLineColumns) {
        if (column.number) {
            numbers << QString::fromUtf8(column.name);
            texts << QStringLiteral("CAST(%1 AS TEXT)").arg(numbers.last());
        }
    }
    const QString condition = NonIntegerCondition(db.Engine(), numbers);
    if (condition.isEmpty())
        return;
    db.SetStatement(QStringLiteral("SELECT フォーマット種別, CAST(項目通番 AS TEXT), %1"
                                   " FROM FL1903レコードフォーマット情報マスタ"
                                   " WHERE 情報区分コード=? AND BPID=? AND (%2)")
                        .arg(texts.join(QLatin1Char(',')), condition),
                    key);
    ResultSet rs;
    db.OpenReadOnlyResultset(rs);
    if (rs.AtEnd())
        return;
    QString where = QStringLiteral("the line of type %1, serial %2").arg(rs.Value(0).toString(), rs.Value(1).toString());
    for (qsizetype i = 0; i < document.Lines.size(); ++i)
        if (document.Lines[i][0] == rs.Value(0) && document.Lines[i][1].toString() == rs.Value(1).toString())
            where = QStringLiteral("line %1").arg(i + 1);
    for (int c = 0; c < numbers.size(); ++c) {
        const QVariant text = rs.Value(2 + c);
        bool whole = true;
        text.toString().toLongLong(&whole);
        if (!text.isNull() && !whole)
            throw StoreError(QStringLiteral("%1: %2: stored value \"%3\" is not a whole number")
                                 .arg(where, numbers[c], text.toString())
                                 .toStdString());
    }
}

QVariant StoredValue(const ResultSet& rs, int column, const DocumentColumn& kind)
{
    const QVariant value = rs.Value(column);
    if (kind.number)
        return StoredNumber(value);
    return value.isNull() ? QVariant() : QVariant(value.toString());
}

template <size_t N>
QList<int> Indexes(const ResultSet& rs, const DocumentColumn (&columns)[N])
{
    QList<int> indexes;
    for (const DocumentColumn& column : columns)
        indexes << rs.IndexOf(QString::fromUtf8(column.name));
    return indexes;
}

}  // namespace

QList<StoredFormatKey> ListStoredFormats(Connection& db, const QString& category)
{
    const QVariantList params = category.isNull() ? QVariantList() : QVariantList{category};
    // Sorted here, not by the engines, whose collations differ.
    QMap<QPair<QString, QString>, StoredFormatKey> keys;
    db.SetStatement(QStringLiteral("SELECT 情報区分コード, BPID FROM FL1902フォーマット情報マスタ")
                        + Where("FL1902フォーマット情報マスタ", category),
                    params);
    ResultSet rs;
    for (db.OpenReadOnlyResultset(rs); !rs.AtEnd(); rs.MoveNext()) {
        StoredFormatKey& key = keys[{rs.Value(0).toString(), rs.Value(1).toString()}];
        key.HasHeader = true;
    }
    db.SetStatement(QStringLiteral("SELECT 情報区分コード, BPID, COUNT(*) FROM FL1903レコードフォーマット情報マスタ")
                        + Where("FL1903レコードフォーマット情報マスタ", category)
                        + QStringLiteral(" GROUP BY 情報区分コード, BPID"),
                    params);
    for (db.OpenReadOnlyResultset(rs); !rs.AtEnd(); rs.MoveNext())
        keys[{rs.Value(0).toString(), rs.Value(1).toString()}].Lines = rs.Value(2).toLongLong();
    QList<StoredFormatKey> list;
    for (auto it = keys.begin(); it != keys.end(); ++it) {
        StoredFormatKey key = it.value();
        key.Code = it.key().first;
        key.Bpid = it.key().second;
        list << key;
    }
    return list;
}

bool ReadStoredDocument(Connection& db, const QString& code, const QString& bpid, FormatDocument& document)
{
    document = FormatDocument();
    document.Code = code;
    document.Bpid = bpid;
    const QVariantList key{code, bpid};
    db.SetStatement(QStringLiteral("SELECT * FROM FL1902フォーマット情報マスタ"
                                   " WHERE 情報区分コード=? AND BPID=?"),
                    key);
    ResultSet rs;
    db.OpenReadOnlyResultset(rs);
    if (!rs.AtEnd()) {
        const QList<int> columns = Indexes(rs, kDocumentHeaderColumns);
        document.HasHeader = true;
        for (int c = 0; c < columns.size(); ++c)
            document.Header << StoredValue(rs, columns[c], kDocumentHeaderColumns[c]);
    }
    db.SetStatement(QStringLiteral("SELECT * FROM FL1903レコードフォーマット情報マスタ"
                                   " WHERE 情報区分コード=? AND BPID=?"),
                    key);
    db.OpenReadOnlyResultset(rs);
    if (!rs.AtEnd()) {
        const QList<int> columns = Indexes(rs, kDocumentLineColumns);
        for (; !rs.AtEnd(); rs.MoveNext()) {
            QVariantList line;
            for (int c = 0; c < columns.size(); ++c)
                line << StoredValue(rs, columns[c], kDocumentLineColumns[c]);
            document.Lines << line;
        }
    }
    // Type, then serial, ordered here: the engines' collations differ.
    std::stable_sort(document.Lines.begin(), document.Lines.end(), [](const QVariantList& a, const QVariantList& b) {
        const int type = a[0].toString().compare(b[0].toString());
        return type != 0 ? type < 0 : a[1].toLongLong() < b[1].toLongLong();
    });
    RefuseNonIntegers(db, key, document);
    return document.HasHeader || !document.Lines.isEmpty();
}
