// The format store on the real drivers: reads, every write with its rows as
// stored, and writes that must not go through (a fault in the middle, another
// desk in between) leaving the database as it was.

#include "store/format_store.h"
#include "support/fault_injector.h"
#include "support/form_harness.h"

#include <QTest>

#include <functional>

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
    return header ? texts.join(QLatin1Char('|')) : QStringLiteral("none");
}

}  // namespace

class TestStoreFormats : public QObject {
    Q_OBJECT

private:
    TempSite site_;
    Connection db_, other_;
    SqlFormatStore store_{db_};
    int keys_ = 0;

    FormatKey NewKey() { return {QStringLiteral("0201"), QStringLiteral("TESTK%1").arg(++keys_)}; }
    QStringList Dump(const QString& bpid = QStringLiteral("%"))
    {
        return QueryRows(db_, QStringLiteral("SELECT * FROM %1 WHERE BPID LIKE ? ORDER BY 1,2").arg(kHeaders), {bpid})
            + QueryRows(db_, QStringLiteral("SELECT * FROM %1 WHERE BPID LIKE ? ORDER BY 3,4,1,2").arg(kLines), {bpid});
    }
    void PlantLine(const FormatKey& key, const QString& type, int serial)
    {
        Execute(db_, QStringLiteral("INSERT INTO %1 (情報区分コード,BPID,フォーマット種別,項目通番) VALUES (?,?,?,?)").arg(kLines),
                {key.Code, key.Bpid, type, serial});
    }
    static void SameBaseline(const Baseline& a, const Baseline& b)
    {
        QCOMPARE(a.header, b.header);
        QCOMPARE(a.lines, b.lines);
    }
    // A key made ready for one kind of write; the write, with its baseline when it returns one.
    std::function<std::optional<Baseline>()> Prepare(const QString& op, const FormatKey& key)
    {
        if (op == QLatin1String("copy") || op == QLatin1String("orphans") || op == QLatin1String("new header"))
            PlantLine(key, QStringLiteral("E"), 99);
        else
            store_.CopyFormat(kSample, key);
        const Baseline b = store_.ReadBaseline(key);
        auto lines = std::make_shared<FormatLines>();
        store_.LoadLines(key, *lines);
        lines->LocalItems.Resize(20);
        lines->LocalItems[3].ItemName = QStringLiteral("変更");
        if (op == QLatin1String("lines"))
            return [=] { return store_.WriteLines(key, *lines, 27, 20, b); };
        if (op.endsWith(QLatin1String("header")))
            return [=] { return store_.WriteHeader(key, kSettings, b); };
        if (op == QLatin1String("delete"))
            return [=] { store_.DeleteFormat(key, b); return std::optional<Baseline>(); };
        if (op == QLatin1String("orphans"))
            return [=] { store_.RemoveOrphanLines(key); return std::optional<Baseline>(); };
        return [=] { return store_.CopyFormat(kSample, key); };
    }

private slots:
    void initTestCase()
    {
        for (Connection* db : {&db_, &other_}) {
            const QString error = OpenSiteDatabase(site_, *db);
            QVERIFY2(error.isEmpty(), qPrintable(error));
        }
    }

    void readHeader()
    {
        Execute(db_, QStringLiteral("INSERT INTO %1 (情報区分コード,BPID,様式識別,シンタックスIDバージョン) VALUES ('T1','TESTHDR',' 1 ','')")
                         .arg(kHeaders));
        PlantLine({QStringLiteral("T2"), QStringLiteral("TESTORPH")}, QStringLiteral("E"), 1);
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
    }

    // Inserted when absent, updated when present; lines and other formats untouched.
    void writeHeader()
    {
        const FormatKey key = NewKey();
        PlantLine(key, QStringLiteral("L"), 1);
        const Baseline absent = store_.ReadBaseline(key);
        // An empty text box (a null QString) is stored as an empty text, never NULL.
        const Baseline inserted = store_.WriteHeader(key, {"11", "", "M", QString(), "S", "T", "S"}, absent);
        QCOMPARE(Render(store_.ReadHeader(key)), QStringLiteral("11||M||S|T|S"));
        SameBaseline(inserted, store_.ReadBaseline(key));
        QCOMPARE(inserted.lines, absent.lines);
        QVERIFY_THROWS_EXCEPTION(LostUpdate, store_.WriteHeader(key, kSettings, absent));
        QStringList expected = Dump();
        expected.replace(expected.indexOf("0201|" + key.Bpid + "|11||M||S|T|S"), "0201|" + key.Bpid + "|20|X|S|A|U|C|U");
        const Baseline updated = store_.WriteHeader(key, kSettings, inserted);
        SameBaseline(updated, store_.ReadBaseline(key));
        QCOMPARE(Dump(), expected);
    }

    // The rows of the loaded types are replaced by the first lines of each
    // table; rows of other types stay.
    void writeLines()
    {
        const QStringList stored{"E|1|2|0|301|<null>|<null>|X|4|0|0|0||E", "E|2|1|0|0|<null>|明細|M|4|0|1|3||E",
                                 "E|3|0|1|302|<null>|<null>|9|4|0|0|0||E", "L|1|2|0|0|1|明細|M|4|0|1|3||E",
                                 "L|2|1|0|0|5|受注'番号|X|4|0||0|固定|E"};
        const QString untyped = QStringLiteral("|7|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>");
        const std::pair<int, int> counts[] = {{3, 2}, {2, 1}, {0, 0}, {9, 9}};  // beyond the tables: all
        for (const auto& [standard, local] : counts) {
            const FormatKey key = NewKey();
            for (const char* type : {"E", "L", "e", "X", ""})
                PlantLine(key, QLatin1String(type), 7);
            FormatLines lines;
            QVERIFY(store_.LoadLines(key, lines));
            QCOMPARE(lines.LoadedTypes, (QVariantList{"E", "L"}));
            const Baseline before = store_.ReadBaseline(key);
            lines.StandardItems.Resize(0);
            lines.LocalItems.Resize(0);
            lines.StandardItems.Insert(1, {"E", 1, 2, 301, 0, "発注番号", "X", 4, 0, "", 0, "", "E", 0});
            lines.StandardItems.Insert(2, {"E", 2, 1, 0, 0, "明細", "M", 4, 0, "1", 3, "", "E", 0});
            lines.StandardItems.Insert(3, {"E", 3, 0, 302, 0, "発注日", "9", 4, 0, "", 0, "", "E", 1});
            lines.LocalItems.Insert(1, {"L", 1, 2, 0, 1, "明細", "M", 4, 0, "1", 3, "", "E", 0});
            lines.LocalItems.Insert(2, {"L", 2, 1, 0, 5, "受注'番号", "X", 4, 0, "", 0, "固定", "E", 0});
            const Baseline after = store_.WriteLines(key, lines, standard, local, before);
            SameBaseline(after, store_.ReadBaseline(key));
            QCOMPARE(after.header, before.header);
            // Standard lines: no position, a name only on a group, multi-detail "0" when empty.
            const QStringList expected = QStringList{untyped} + stored.mid(0, qMin(standard, 3)) + stored.mid(3, qMin(local, 2))
                + QStringList{"X" + untyped, "e" + untyped};
            QCOMPARE(Dump(key.Bpid).replaceInStrings("0201|" + key.Bpid + "|", QString()), expected);
        }
    }

    void deleteAndOrphans()
    {
        const FormatKey key = NewKey(), orphan{QStringLiteral("0202"), key.Bpid};
        const QStringList before = Dump();
        store_.CopyFormat(kSample, key);
        PlantLine(orphan, QStringLiteral("L"), 1);
        const QStringList copied = Dump();
        store_.RemoveOrphanLines(key);  // has its header: nothing goes
        QCOMPARE(Dump(), copied);
        store_.RemoveOrphanLines(orphan);
        const Baseline b = store_.ReadBaseline(key);
        store_.DeleteFormat(key, b);
        QCOMPARE(Dump(), before);
        QVERIFY_THROWS_EXCEPTION(LostUpdate, store_.DeleteFormat(key, b));  // gone already
    }

    // Lines left under the target without a header do not mix in.
    void copyFormat()
    {
        const FormatKey target = NewKey();
        PlantLine(target, QStringLiteral("E"), 99);
        const Baseline copied = store_.CopyFormat(kSample, target);
        SameBaseline(copied, store_.ReadBaseline(target));
        QCOMPARE(Render(store_.ReadHeader(target)), Render(store_.ReadHeader(kSample)));
        const QStringList source = Dump(kSample.Bpid);
        QCOMPARE(source.size(), 48);
        QCOMPARE(Dump(target.Bpid).replaceInStrings(target.Bpid, kSample.Bpid), source);
        // Onto a stored format: refused, nothing changed.
        const QStringList before = Dump();
        QVERIFY_THROWS_EXCEPTION(StoreError, store_.CopyFormat({QStringLiteral("0101"), QStringLiteral("ORDERS01")}, target));
        QCOMPARE(Dump(), before);
    }

    void refusedWrite_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("cause");  // a fault: inserts, deletes or updates; another desk: process or connection
        QTest::addColumn<QString>("what");   // the table of the failing statement, or the other desk's statement
        QTest::addColumn<int>("rows");       // inserts fail from this row count of the key on
        const QString header = QStringLiteral("UPDATE %1 SET 様式識別='99' WHERE BPID='%2'").arg(kHeaders);
        const QString line = QStringLiteral("UPDATE %1 SET 項目名称='他' WHERE BPID='%2' AND 項目通番=2").arg(kLines);
        const QString added = QStringLiteral("INSERT INTO %1 (情報区分コード,BPID,フォーマット種別,項目通番) VALUES ('0201','%2','X',1)").arg(kLines);
        QTest::newRow("lines: delete fails") << "lines" << "deletes" << kLines << 0;
        QTest::newRow("lines: first insert fails") << "lines" << "inserts" << kLines << 0;
        QTest::newRow("lines: third insert fails") << "lines" << "inserts" << kLines << 2;
        QTest::newRow("lines: a local insert fails") << "lines" << "inserts" << kLines << 28;
        QTest::newRow("header: update fails") << "header" << "updates" << kHeaders << 0;
        QTest::newRow("new header: insert fails") << "new header" << "inserts" << kHeaders << 0;
        QTest::newRow("delete: header fails") << "delete" << "deletes" << kHeaders << 0;
        QTest::newRow("delete: lines after the header fail") << "delete" << "deletes" << kLines << 0;
        QTest::newRow("orphans: delete fails") << "orphans" << "deletes" << kLines << 0;
        QTest::newRow("copy: header fails") << "copy" << "inserts" << kHeaders << 0;
        QTest::newRow("copy: lines after the header fail") << "copy" << "inserts" << kLines << 3;
        QTest::newRow("lines, header changed") << "lines" << "process" << header << 0;
        QTest::newRow("lines, a line changed") << "lines" << "connection" << line << 0;
        QTest::newRow("header, a line changed") << "header" << "process" << line << 0;
        QTest::newRow("header, a row of another type added") << "header" << "connection" << added << 0;
        QTest::newRow("delete, header changed") << "delete" << "connection" << header << 0;
        QTest::newRow("delete, a line changed") << "delete" << "process" << line << 0;
        QTest::newRow("delete, header deleted") << "delete" << "process" << QStringLiteral("DELETE FROM %1 WHERE BPID='%2'").arg(kHeaders) << 0;
        QTest::newRow("new header, registered meanwhile") << "new header" << "connection"
                                                          << QStringLiteral("INSERT INTO %1 (情報区分コード,BPID) VALUES ('0201','%2')").arg(kHeaders) << 0;
    }

    void refusedWrite()
    {
        QFETCH(QString, op);
        QFETCH(QString, cause);
        QFETCH(QString, what);
        QFETCH(int, rows);
        const FormatKey key = NewKey();
        const auto write = Prepare(op, key);
        const bool otherDesk = cause == QLatin1String("process") || cause == QLatin1String("connection");
        if (cause == QLatin1String("process"))
            QVERIFY(RunOtherDesk(site_, what.arg(key.Bpid) + QStringLiteral(";\n"), this));
        else if (otherDesk)
            Execute(other_, what.arg(key.Bpid));
        const QStringList before = Dump();
        {
            FaultInjector fault(db_);
            if (cause == QLatin1String("deletes"))
                fault.FailDeletes(what);
            else if (cause == QLatin1String("updates"))
                fault.FailUpdates(what);
            else if (cause == QLatin1String("inserts"))
                fault.FailInsertsAfter(what, key.Bpid, rows);
            try {
                write();
                QFAIL("the write went through");
            } catch (const LostUpdate&) {
                QVERIFY2(otherDesk, "a fault taken for another desk");
            } catch (const StoreError&) {
                QVERIFY2(!otherDesk, "another desk's change not told");
            }
            QCOMPARE(Dump(), before);
        }
        if (otherDesk)
            return;
        // Nothing of the failed write stays behind: the same write now goes through.
        const std::optional<Baseline> after = write();
        QVERIFY(Dump() != before);
        if (after)
            SameBaseline(*after, store_.ReadBaseline(key));
    }

    void failedConnection()
    {
        Connection closed;
        SqlFormatStore store(closed);
        FormatLines lines;
        const std::function<void()> calls[] = {
            [&] { store.FormatExists(kSample); }, [&] { store.ReadBaseline(kSample); }, [&] { store.ReadHeader(kSample); },
            [&] { store.LoadLines(kSample, lines); }, [&] { store.WriteHeader(kSample, kSettings, {}); },
            [&] { store.WriteLines(kSample, lines, 0, 0, {}); }, [&] { store.DeleteFormat(kSample, {}); },
            [&] { store.RemoveOrphanLines(kSample); }, [&] { store.CopyFormat(kSample, kSample); }};
        for (const auto& call : calls)
            QVERIFY_THROWS_EXCEPTION(StoreError, call());
        store_.Close();
        QVERIFY(!db_.IsOpen());
    }
};

QTEST_GUILESS_MAIN(TestStoreFormats)
#include "test_store_formats.moc"
