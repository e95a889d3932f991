#include "store/format_import.h"

#include "store/connection.h"

QString DocumentInsert(const char* table, const DocumentColumn* columns, int count)
{
    QStringList names{QStringLiteral("情報区分コード"), QStringLiteral("BPID")};
    for (int c = 0; c < count; ++c)
        names << QString::fromUtf8(columns[c].name);
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(QString::fromUtf8(table), names.join(QLatin1Char(',')),
             QStringList(count + 2, QStringLiteral("?")).join(QLatin1Char(',')));
}

bool StoreDocument(Connection& db, const FormatDocument& document, bool replace)
{
    const QVariantList key{document.Code, document.Bpid};
    db.SetStatement(QStringLiteral("SELECT 情報区分コード FROM FL1902フォーマット情報マスタ"
                                   " WHERE 情報区分コード=? AND BPID=?")
                        + LockClause(db.Engine()),
                    key);
    bool stored = false;
    {
        ResultSet header;
        db.OpenReadOnlyResultset(header);
        stored = !header.AtEnd();
    }
    if (stored && !replace)
        return false;
    for (const char* table : {"FL1902フォーマット情報マスタ", "FL1903レコードフォーマット情報マスタ"}) {
        db.SetStatement(QStringLiteral("DELETE FROM %1 WHERE 情報区分コード=? AND BPID=?").arg(QString::fromUtf8(table)),
                        key);
        db.ExecuteStatement();
    }
    if (document.HasHeader) {
        db.SetStatement(DocumentInsert("FL1902フォーマット情報マスタ", kDocumentHeaderColumns, 7),
                        key + document.Header);
        db.ExecuteStatement();
    }
    const QString insertLine = DocumentInsert("FL1903レコードフォーマット情報マスタ", kDocumentLineColumns, 14);
    for (const QVariantList& line : document.Lines) {
        db.SetStatement(insertLine, key + line);
        db.ExecuteStatement();
    }
    return true;
}
