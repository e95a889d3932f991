// The database server stops while the program is connected and comes back,
// or another desk keeps a statement waiting: the writes in between fail,
// nothing is half-written, and the next write goes through.

#include "store/format_store.h"
#include "store/lookups.h"
#include "support/form_harness.h"

#include <QProcess>
#include <QTest>

#include <functional>
#include <memory>

class TestStoreRestart : public QObject {
    Q_OBJECT

private:
    TempSite site_;
    std::unique_ptr<Connection> db_;
    std::unique_ptr<SqlFormatStore> store_;
    const FormatKey key_{QStringLiteral("0201"), QStringLiteral("SHIPNT01")};

    // Stops ("halt") or starts ("resume") the test server; 0 when done.
    static int Cluster(const char* command)
    {
        return QProcess::execute(QStringLiteral(K450120_SOURCE_DIR "/scripts/pg-cluster"),
                                 {QString::fromLatin1(command), qEnvironmentVariable("K450120_PG_DIR")});
    }
    // The stored lines with the first local one renamed, written against the stored baseline.
    std::function<Baseline()> Rename(const QString& name)
    {
        FormatLines lines;
        store_->LoadLines(key_, lines);
        lines.LocalItems[1].ItemName = name;
        const Baseline b = store_->ReadBaseline(key_);
        return [=] { return store_->WriteLines(key_, lines, lines.StandardItems.Count(), lines.LocalItems.Count(), b); };
    }
    QStringList LocalName()
    {
        return QueryRows(*db_, QStringLiteral("SELECT 項目名称 FROM FL1903レコードフォーマット情報マスタ "
                                             "WHERE BPID='SHIPNT01' AND フォーマット種別='L' AND 項目通番=1"));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(qEnvironmentVariable("K450120_TEST_ENGINE") == QLatin1String("postgresql")
                     && !qEnvironmentVariable("K450120_PG_DIR").isEmpty(),
                 "needs the test server (K450120_PG_DIR)");
    }

    void init()
    {
        store_.reset();
        db_ = std::make_unique<Connection>();
        const QString error = OpenSiteDatabase(site_, *db_);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        store_ = std::make_unique<SqlFormatStore>(*db_);
    }

    void serverStopsAndComesBack()
    {
        // A write while the server is away fails; after the restart the same
        // write goes through, with nothing run in between.
        auto write = Rename(QStringLiteral("停止中"));
        QCOMPARE(Cluster("halt"), 0);
        QVERIFY_THROWS_EXCEPTION(StoreError, write());
        QCOMPARE(Cluster("resume"), 0);
        write();
        QCOMPARE(LocalName(), QStringList{"停止中"});
        // The same when the server stopped and started while nothing ran.
        write = Rename(QStringLiteral("再開後"));
        QCOMPARE(Cluster("halt"), 0);
        QCOMPARE(Cluster("resume"), 0);
        write();
        QCOMPARE(LocalName(), QStringList{"再開後"});
        // A lookup while the server is away finds nothing.
        QCOMPARE(Cluster("halt"), 0);
        DictionaryItem item;
        const QString folder = site_.ProgramFolder();
        QVERIFY(!SiteLookups(*db_, folder).LookupItem(1, item));
        QCOMPARE(SiteLookups(*db_, folder).CategoryName(QStringLiteral("処理区分"), QStringLiteral("2")), QString());
        QCOMPARE(Cluster("resume"), 0);
        // Nothing opens the connection again but the next write.
        QEXPECT_FAIL("", "a read on a connection that a failed reopen left closed finds nothing", Continue);
        QCOMPARE(SiteLookups(*db_, folder).CategoryName(QStringLiteral("処理区分"), QStringLiteral("2")), QStringLiteral("修正"));
    }

    void statementWaitsLongerThanTimeOut()
    {
        // The time-out holds on after a restart.
        db_->SetStatementTimeout(1);
        QCOMPARE(Cluster("halt"), 0);
        QCOMPARE(Cluster("resume"), 0);
        auto write = Rename(QStringLiteral("待機"));
        const QStringList stored = StoredFormat(*db_, key_.Bpid);
        // Another desk keeps the header row locked for longer than the time-out.
        QProcess* other = StartOtherDesk(site_, QStringLiteral(
            "UPDATE FL1902フォーマット情報マスタ SET 様式識別=様式識別 WHERE BPID='SHIPNT01';\n"
            "SELECT pg_sleep(4);\n"), this);
        QTRY_COMPARE(QueryRows(*db_, QStringLiteral("SELECT COUNT(*) FROM pg_stat_activity WHERE wait_event='PgSleep'")),
                     QStringList{QStringLiteral("1")});
        QVERIFY_THROWS_EXCEPTION(StoreError, write());
        QVERIFY(other->waitForFinished(30000));
        QCOMPARE(StoredFormat(*db_, key_.Bpid), stored);
    }
};

QTEST_GUILESS_MAIN(TestStoreRestart)
#include "test_store_restart.moc"
