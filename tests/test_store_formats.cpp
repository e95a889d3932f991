// The format store on the real drivers: reads, the rows each write stores, and refused writes that change nothing.

#include "support/store_test.h"

#include <functional>
#include <map>

namespace {

const QString kHeaders = QStringLiteral("FL1902フォーマット情報マスタ");
const QString kLines = QStringLiteral("FL1903レコードフォーマット情報マスタ");
const FormatKey kSample{QStringLiteral("0201"), QStringLiteral("SHIPNT01")};  // 27 standard, 20 local lines
const QStringList kSettings{"20", "X", "S", "A", "U", "C", "U"};

QString Render(const std::optional<HeaderSettings>& header)
{
    QStringList texts;
    for (const QVariant& v : header.value_or(HeaderSettings()))
        texts << (v.isNull() ? QStringLiteral("<null>") : v.toString());
    return header ? texts.join('|') : QStringLiteral("none");
}

bool Same(const Baseline& a, const Baseline& b) { return a.header == b.header && a.lines == b.lines; }

}  // namespace

class TestStoreFormats : public StoreTest {
    Q_OBJECT

    QStringList Dump(const QString& bpid = QStringLiteral("%"))
    {
        return QueryRows(db_, QStringLiteral("SELECT * FROM %1 WHERE BPID LIKE ? ORDER BY 1,2").arg(kHeaders), {bpid})
            + QueryRows(db_, QStringLiteral("SELECT * FROM %1 WHERE BPID LIKE ? ORDER BY 3,4,1,2").arg(kLines), {bpid});
    }
    void PlantLine(const FormatKey& key, const char* type, int serial = 7)
    {
        Execute(db_, QStringLiteral("INSERT INTO %1 (情報区分コード,BPID,フォーマット種別,項目通番) VALUES (?,?,?,?)").arg(kLines),
                {key.Code, key.Bpid, QString::fromLatin1(type), serial});
    }
    // The key's deletes, updates or inserts (these once the table holds `rows` of its rows) fail inside the database:
    // a trigger raises a real driver error mid-write. Only the key's rows, so the trigger may stay.
    void Fail(const QString& statement, const QString& table, const QString& bpid, int rows)
    {
        const QString name = QStringLiteral("fault_") + bpid;
        const QString when = QStringLiteral("%1.BPID = '%2' AND (SELECT COUNT(*) FROM %3 WHERE BPID = '%2') >= %4")
                                 .arg(statement == QLatin1String("DELETE") ? u"OLD" : u"NEW", bpid, table).arg(rows);
        QString action = QStringLiteral("WHEN %1 BEGIN SELECT RAISE(ABORT, 'injected fault'); END").arg(when);
        if (db_.Engine() == SqlEngine::PostgreSQL) {  // where a trigger's condition takes no subquery
            Execute(db_, QStringLiteral("CREATE FUNCTION %1() RETURNS trigger AS $f$ BEGIN IF %2 THEN RAISE EXCEPTION "
                                        "'injected fault'; END IF; RETURN COALESCE(NEW, OLD); END $f$ LANGUAGE plpgsql")
                             .arg(name, when));
            action = QStringLiteral("EXECUTE FUNCTION %1()").arg(name);
        }
        Execute(db_, QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 FOR EACH ROW %4")
                         .arg(name, statement, table, action));
    }
    // A key made ready for one kind of write (a copy of the sample, or a line without header); the write.
    std::function<void()> Prepare(const QString& op, const FormatKey& key)
    {
        if (op == QLatin1String("copy") || op == QLatin1String("orphans") || op == QLatin1String("new header"))
            PlantLine(key, "E");
        else
            store_.CopyFormat(kSample, key);
        const Baseline b = store_.ReadBaseline(key);
        FormatLines lines;
        store_.LoadLines(key, lines);
        const std::map<QString, std::function<void()>> writes{
            {"lines", [=] { store_.WriteLines(key, lines, 27, 20, b); }}, {"delete", [=] { store_.DeleteFormat(key, b); }},
            {"header", [=] { store_.WriteHeader(key, kSettings, b); }}, {"orphans", [=] { store_.RemoveOrphanLines(key); }},
            {"new header", [=] { store_.WriteHeader(key, kSettings, b); }}, {"copy", [=] { store_.CopyFormat(kSample, key); }}};
        return writes.at(op);
    }

private slots:
    void header()
    {
        Execute(db_, QStringLiteral("INSERT INTO %1 (情報区分コード,BPID,様式識別,シンタックスIDバージョン) "
                                    "VALUES ('T1','TESTHDR',' 1 ','')").arg(kHeaders));
        PlantLine({QStringLiteral("T2"), QStringLiteral("TESTORPH")}, "E");
        const struct { const char *code, *bpid, *header; } rows[] = {
            {"0101", "ORDERS01", "11|CII111|M|S|S|T|S"}, {"T1", "TESTHDR", " 1 ||<null>|<null>|<null>|<null>|<null>"},
            {"0101", "SHIPNT01", "none"}, {"0101", "ORDERS01 ", "none"}, {"0101' OR '1'='1", "ORDERS01", "none"},
            {"T2", "TESTORPH", "none"}};  // lines without a header
        for (const auto& r : rows) {
            const FormatKey key{QLatin1String(r.code), QLatin1String(r.bpid)};
            QCOMPARE(Render(store_.ReadHeader(key)), QString::fromUtf8(r.header));
            QCOMPARE(store_.FormatExists(key), *r.header != 'n');
            QCOMPARE(store_.ReadBaseline(key).header.isEmpty(), *r.header == 'n');
        }
        // Written: inserted, then updated, nothing else touched; an empty text box (null QString) stored as '', not NULL.
        const FormatKey key = NewKey();
        PlantLine(key, "L");
        const Baseline absent = store_.ReadBaseline(key);
        const Baseline inserted = store_.WriteHeader(key, {"11", "", "M", QString(), "S", "T", "S"}, absent);
        QCOMPARE(Render(store_.ReadHeader(key)), QStringLiteral("11||M||S|T|S"));
        QVERIFY(Same(inserted, store_.ReadBaseline(key)) && inserted.lines == absent.lines);
        QStringList expected = Dump();
        expected.replace(expected.indexOf("0201|" + key.Bpid + "|11||M||S|T|S"), "0201|" + key.Bpid + "|20|X|S|A|U|C|U");
        store_.WriteHeader(key, kSettings, inserted);
        QCOMPARE(Dump(), expected);
    }

    // The rows of the loaded types are replaced by the first lines of each table; rows of other types stay.
    void writeLines()
    {
        const QStringList stored{"E|1|2|0|301|<null>|<null>|X|4|0|0|0||E", "E|2|1|0|0|<null>|明細|M|4|0|1|3||E",
                                 "E|3|0|1|302|<null>|<null>|9|4|0|0|0||E", "L|1|2|0|0|1|明細|M|4|0|1|3||E",
                                 "L|2|1|0|0|5|受注'番号|X|4|0||0|固定|E"};
        const QString nulls = QStringLiteral("|7") + QStringLiteral("|<null>").repeated(12);
        const std::pair<int, int> counts[] = {{3, 2}, {2, 1}, {0, 0}, {9, 9}};  // beyond the tables: all
        for (const auto& [standard, local] : counts) {
            const FormatKey key = NewKey();
            for (const char* type : {"E", "L", "e", "X", ""})
                PlantLine(key, type);
            FormatLines lines;
            QVERIFY(store_.LoadLines(key, lines));
            const Baseline before = store_.ReadBaseline(key);
            lines.StandardItems.Clear();
            lines.LocalItems.Clear();
            lines.StandardItems.Insert(1, {"E", 1, 2, 301, 0, "発注番号", "X", 4, 0, "", 0, "", "E", 0});
            lines.StandardItems.Insert(2, {"E", 2, 1, 0, 0, "明細", "M", 4, 0, "1", 3, "", "E", 0});
            lines.StandardItems.Insert(3, {"E", 3, 0, 302, 0, "発注日", "9", 4, 0, "", 0, "", "E", 1});
            lines.LocalItems.Insert(1, {"L", 1, 2, 0, 1, "明細", "M", 4, 0, "1", 3, "", "E", 0});
            lines.LocalItems.Insert(2, {"L", 2, 1, 0, 5, "受注'番号", "X", 4, 0, "", 0, "固定", "E", 0});
            const Baseline after = store_.WriteLines(key, lines, standard, local, before);
            QVERIFY(Same(after, store_.ReadBaseline(key)) && after.header == before.header);
            // Standard lines: no position, a name only on a group, multi-detail "0" when empty.
            QStringList expected{nulls};
            expected << stored.mid(0, qMin(standard, 3)) << stored.mid(3, qMin(local, 2)) << "X" + nulls << "e" + nulls;
            QCOMPARE(Dump(key.Bpid).replaceInStrings("0201|" + key.Bpid + "|", QString()), expected);
        }
    }

    // Copy (orphan lines of the target removed first), orphan lines (not another code's), delete.
    void copyOrphansAndDelete()
    {
        const FormatKey key = NewKey(), orphan{QStringLiteral("0202"), key.Bpid};
        const QStringList before = Dump();
        PlantLine(key, "E", 99);
        const Baseline copied = store_.CopyFormat(kSample, key);
        QVERIFY(Same(copied, store_.ReadBaseline(key)));
        QCOMPARE(Dump(key.Bpid).replaceInStrings(key.Bpid, kSample.Bpid), Dump(kSample.Bpid));
        QVERIFY_THROWS_EXCEPTION(StoreError, store_.CopyFormat({QStringLiteral("0101"), QStringLiteral("ORDERS01")}, key));
        PlantLine(orphan, "L");
        const QStringList stored = Dump();
        store_.RemoveOrphanLines(key);
        QCOMPARE(Dump(), stored);
        store_.RemoveOrphanLines(orphan);
        store_.DeleteFormat(key, copied);
        QCOMPARE(Dump(), before);
    }

    // A fault in a write's Nth statement, or another desk's change since the baseline: StoreError or LostUpdate.
    void refusedWrite()
    {
        const QString header = QStringLiteral("UPDATE %1 SET 様式識別='99' WHERE BPID='%2'").arg(kHeaders);
        const QString line = QStringLiteral("UPDATE %1 SET 項目名称='他' WHERE BPID='%2' AND 項目通番=2").arg(kLines);
        const QString added = QStringLiteral("INSERT INTO %1 (情報区分コード,BPID,フォーマット種別,項目通番) VALUES ('0201','%2','X',1)");
        const struct { const char *op, *cause; QString what; int rows; } rows[] = {  // inserts fail from `rows` rows on
            {"lines", "DELETE", kLines, 0}, {"lines", "INSERT", kLines, 28}, {"header", "UPDATE", kHeaders, 0},
            {"new header", "INSERT", kHeaders, 0}, {"delete", "DELETE", kLines, 0}, {"orphans", "DELETE", kLines, 0},
            {"copy", "INSERT", kLines, 3}, {"lines", "process", header, 0}, {"lines", "process", line, 0},
            {"delete", "process", header, 0}, {"header", "process", added.arg(kLines), 0},
            {"delete", "process", QStringLiteral("DELETE FROM %1 WHERE BPID='%2'").arg(kHeaders), 0},
            {"new header", "process", QStringLiteral("INSERT INTO %1 (情報区分コード,BPID) VALUES ('0201','%2')").arg(kHeaders), 0}};
        for (const auto& r : rows) {
            const FormatKey key = NewKey();
            const auto write = Prepare(QLatin1String(r.op), key);
            const QString cause = QLatin1String(r.cause), row = QStringLiteral("%1, %2: %3").arg(r.op, r.cause, r.what);
            const bool otherDesk = cause == QLatin1String("process");  // another desk, a separate process
            if (otherDesk)
                QVERIFY(RunOtherDesk(site_, r.what.arg(key.Bpid) + QStringLiteral(";\n"), this));
            else
                Fail(cause, r.what, key.Bpid, r.rows);
            const QStringList before = Dump();
            try {
                write();
                QFAIL(qPrintable(row + QStringLiteral(": written")));
            } catch (const LostUpdate&) {
                QVERIFY2(otherDesk, qPrintable(row + QStringLiteral(": a fault taken for another desk")));
            } catch (const StoreError&) {
                QVERIFY2(!otherDesk, qPrintable(row + QStringLiteral(": another desk's change not told")));
            }
            // Also on this connection, which would see what a write left uncommitted.
            QVERIFY2(Dump() == before, qPrintable(row + QStringLiteral(": changed")));
        }
    }
};

QTEST_GUILESS_MAIN(TestStoreFormats)
#include "test_store_formats.moc"
