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

// The value of a number column, read as its text: a whole number, or NULL.
// SQLite keeps whatever was written, so anything else is refused rather
// than guessed.
QVariant StoredNumber(const QVariant& value, const QString& where)
{
    if (value.isNull())
        return QVariant();
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    if (!ok)
        throw StoreError((where + QStringLiteral(": stored value \"%1\" is not a whole number").arg(value.toString()))
                             .toStdString());
    return number;
}

QVariant StoredValue(const ResultSet& rs, int column, const DocumentColumn& kind, const QString& where)
{
    const QVariant value = rs.Value(column);
    if (kind.number)
        return StoredNumber(value, where + QStringLiteral(": ") + QString::fromUtf8(kind.name));
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
            document.Header << StoredValue(rs, columns[c], kDocumentHeaderColumns[c], QStringLiteral("header"));
    }
    // Numbers read as the text the database holds: a driver would turn a
    // fraction or a text in a number column into another number or NULL.
    QStringList columns;
    for (const DocumentColumn& column : kDocumentLineColumns) {
        const QString name = QString::fromUtf8(column.name);
        columns << (column.number ? QStringLiteral("CAST(%1 AS TEXT) AS %1").arg(name) : name);
    }
    db.SetStatement(QStringLiteral("SELECT %1 FROM FL1903レコードフォーマット情報マスタ"
                                   " WHERE 情報区分コード=? AND BPID=?")
                        .arg(columns.join(QLatin1Char(','))),
                    key);
    db.OpenReadOnlyResultset(rs);
    if (!rs.AtEnd()) {
        const QList<int> columns = Indexes(rs, kDocumentLineColumns);
        for (; !rs.AtEnd(); rs.MoveNext()) {
            const QString where = QStringLiteral("line %1").arg(document.Lines.size() + 1);
            QVariantList line;
            for (int c = 0; c < columns.size(); ++c)
                line << StoredValue(rs, columns[c], kDocumentLineColumns[c], where);
            document.Lines << line;
        }
    }
    // Type, then serial, ordered here: the engines' collations differ.
    std::stable_sort(document.Lines.begin(), document.Lines.end(), [](const QVariantList& a, const QVariantList& b) {
        const int type = a[0].toString().compare(b[0].toString());
        return type != 0 ? type < 0 : a[1].toLongLong() < b[1].toLongLong();
    });
    return document.HasHeader || !document.Lines.isEmpty();
}
