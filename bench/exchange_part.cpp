// f. Export and import of the 10,000-line format as exchange documents,
// each against the same rows read or written through the same driver.

#include "generator.h"
#include "parts.h"

#include "core/document_check.h"
#include "store/connection.h"
#include "store/format_export.h"
#include "store/format_import.h"
#include "store/lookups.h"
#include "store/sql_identifiers.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace bench {

namespace {

const QString kBpid = QStringLiteral("BENCH10K");

QSqlQuery Prepared(Connection& db, const QString& sql)
{
    QSqlQuery query(db.Database());
    query.setForwardOnly(true);
    if (!query.prepare(NormalizeSql(sql)))
        throw BenchError(QStringLiteral("raw: prepare failed: ") + sql);
    return query;
}

// Every column of the key's header row and line rows, read once.
qsizetype RawRead(Connection& db)
{
    qsizetype values = 0;
    for (const char* table : {"FL1902フォーマット情報マスタ", "FL1903レコードフォーマット情報マスタ"}) {
        QSqlQuery query = Prepared(db, QStringLiteral("SELECT * FROM %1 WHERE 情報区分コード=? AND BPID=?")
                                           .arg(QString::fromUtf8(table)));
        query.addBindValue(CategoryCode());
        query.addBindValue(kBpid);
        if (!query.exec())
            throw BenchError(QStringLiteral("raw read failed"));
        const int columns = query.record().count();
        while (query.next())
            for (int c = 0; c < columns; ++c, ++values)
                (void)query.value(c);
    }
    return values;
}

// The document's rows written again in one transaction with the import's
// statements, each prepared once.
void RawWrite(Connection& db, const FormatDocument& document)
{
    db.BeginTrans();
    const QVariantList key{document.Code, document.Bpid};
    for (const char* table : {"FL1902フォーマット情報マスタ", "FL1903レコードフォーマット情報マスタ"}) {
        QSqlQuery remove = Prepared(db, QStringLiteral("DELETE FROM %1 WHERE 情報区分コード=? AND BPID=?")
                                            .arg(QString::fromUtf8(table)));
        remove.addBindValue(key[0]);
        remove.addBindValue(key[1]);
        remove.exec();
    }
    QSqlQuery header = Prepared(db, DocumentInsert("FL1902フォーマット情報マスタ", kDocumentHeaderColumns, 7));
    for (const QVariant& value : key + document.Header)
        header.addBindValue(value);
    bool written = header.exec();
    QSqlQuery line = Prepared(db, DocumentInsert("FL1903レコードフォーマット情報マスタ", kDocumentLineColumns, 14));
    for (const QVariantList& values : document.Lines) {
        for (int c = 0; c < values.size() + 2; ++c)
            line.bindValue(c, c < 2 ? key[c] : values[c - 2]);
        written = line.exec() && written;
    }
    db.CommitTrans();
    if (!written)
        throw BenchError(QStringLiteral("raw write failed"));
}

Row Compare(const Options& o, const char* what, const Sample& program, const Sample& raw)
{
    if (o.verbose)
        std::fprintf(stderr, "  %s: program %s, raw %s\n", what, Ms(program.Median()).toUtf8().constData(),
                     Ms(raw.Median()).toUtf8().constData());
    return {QStringLiteral("f"), QString::fromUtf8(what), QStringLiteral("10,000"), Ms(program.Median()),
            Ms(raw.Median()), Ratio(program.Median(), raw.Median()), QStringLiteral("≤ 2× raw"),
            Verdict(program.Median() <= 2 * raw.Median())};
}

}  // namespace

std::vector<Row> ExchangePart(Connection& db, const Options& o)
{
    std::fprintf(stderr, "f. exchange of %s\n", kBpid.toUtf8().constData());
    FormatDocument document;
    QByteArray text;
    const Sample exported = Measure(o.runs, [&] { text.clear(); }, [&] {
        ReadStoredDocument(db, CategoryCode(), kBpid, document);
        text = WriteFormatDocument(document);
    }, [&] {
        if (document.Lines.size() != 20000)
            throw BenchError(QStringLiteral("export read %1 lines").arg(document.Lines.size()));
    });
    qsizetype values = 0;
    const Sample read = Measure(o.runs, [&] { values = 0; }, [&] { values = RawRead(db); }, [&] {
        if (values != 20000 * 16 + 9)
            throw BenchError(QStringLiteral("raw read gave %1 values").arg(values));
    });

    QString refusal;
    const Sample imported = Measure(o.runs, [&] { refusal.clear(); }, [&] {
        FormatDocument read;
        if (!ReadFormatDocument(text, read, refusal))
            return;
        // Lookups of its own, as a run of the tool starts.
        RememberingLookups lookups(db, o.programFolder);
        const DocumentChecker::Verdict verdict = DocumentChecker(lookups).Check(read);
        if (verdict.refusal || !verdict.warnings.isEmpty()) {
            refusal = (verdict.refusal ? *verdict.refusal : verdict.warnings.front()).Line();
            return;
        }
        db.BeginTrans();
        StoreDocument(db, read, true);
        db.CommitTrans();
    }, [&] {
        if (!refusal.isEmpty())
            throw BenchError(QStringLiteral("import refused: ") + refusal);
    });
    const Sample written = Measure(o.runs, [] {}, [&] { RawWrite(db, document); });
    FormatDocument after;
    ReadStoredDocument(db, CategoryCode(), kBpid, after);
    if (WriteFormatDocument(after) != text)
        throw BenchError(QStringLiteral("the format differs after the imports"));
    return {Compare(o, "export of a format (ReadStoredDocument, WriteFormatDocument)", exported, read),
            Compare(o, "import of a format (read, checked, stored in one transaction)", imported, written)};
}

}  // namespace bench
