// The server stops and comes back, or another desk keeps a statement waiting: writes fail whole, then go through.

#include "store/lookups.h"
#include "support/store_test.h"

#include <QProcess>

#include <functional>

class TestStoreRestart : public StoreTest {
    Q_OBJECT

    const FormatKey key_{QStringLiteral("0201"), QStringLiteral("SHIPNT01")};

    // Stops ("halt") or starts ("resume") the test server.
    static bool Cluster(const char* command)
    {
        const QString script = QStringLiteral(K450120_SOURCE_DIR "/scripts/pg-cluster");
        return QProcess::execute(script, {QString::fromLatin1(command), qEnvironmentVariable("K450120_PG_DIR")}) == 0;
    }
    // The stored lines with the first local one renamed, written against the stored baseline.
    std::function<Baseline()> Rename(const QString& name)
    {
        FormatLines lines;
        store_.LoadLines(key_, lines);
        lines.LocalItems[1].ItemName = name;
        const Baseline b = store_.ReadBaseline(key_);
        return [=] { return store_.WriteLines(key_, lines, lines.StandardItems.Count(), lines.LocalItems.Count(), b); };
    }

private slots:
    void serverStopsAndComesBack()
    {
        // A session the server ends inside a transaction: nothing of it kept, none of it run again on a new one.
        const QString pid = QueryRows(db_, QStringLiteral("SELECT pg_backend_pid()")).value(0);
        db_.BeginTrans();
        Execute(db_, QStringLiteral("UPDATE 区分マスタ SET 区分名称='lost' WHERE 区分='処理区分'"));
        QVERIFY(RunOtherDesk(site_, QStringLiteral("SELECT pg_terminate_backend(%1, 10000);\n").arg(pid), this));
        QVERIFY_THROWS_EXCEPTION(StoreError, Execute(db_, QStringLiteral("UPDATE 区分マスタ SET 区分名称='lost' WHERE 区分='属性'")));
        db_.RollbackTrans();
        QCOMPARE(QueryRows(db_, QStringLiteral("SELECT COUNT(*) FROM 区分マスタ WHERE 区分名称='lost'")), QStringList{"0"});
        // A write while the server is away fails; after the restart the same one goes through.
        auto write = Rename(QStringLiteral("停止中"));
        QVERIFY(Cluster("halt"));
        QVERIFY_THROWS_EXCEPTION(StoreError, write());
        QVERIFY(Cluster("resume"));
        write();
        QCOMPARE(StoredFormat(db_, key_.Bpid).filter(QStringLiteral("停止中")).size(), 1);
        // After a restart while nothing ran the time-out holds: a write kept waiting by another desk fails whole.
        db_.SetStatementTimeout(1);
        write = Rename(QStringLiteral("再開後"));
        QVERIFY(Cluster("halt") && Cluster("resume"));
        const QStringList stored = StoredFormat(db_, key_.Bpid);
        QProcess* other = StartOtherDesk(site_, QStringLiteral("UPDATE FL1902フォーマット情報マスタ SET 様式識別=様式識別 "
                                                               "WHERE BPID='SHIPNT01';\nSELECT pg_sleep(4);\n"), this);
        const QString sleeping = QStringLiteral("SELECT COUNT(*) FROM pg_stat_activity WHERE wait_event='PgSleep'");
        QTRY_COMPARE(QueryRows(db_, sleeping), QStringList{"1"});
        QVERIFY_THROWS_EXCEPTION(StoreError, write());
        QVERIFY(other->waitForFinished(30000));
        QCOMPARE(StoredFormat(db_, key_.Bpid), stored);
        // A lookup while the server is away finds nothing; one afterwards should find again.
        DictionaryItem item;
        QVERIFY(Cluster("halt"));
        QVERIFY(!SiteLookups(db_, site_.ProgramFolder()).LookupItem(1, item));
        QVERIFY(Cluster("resume"));
        QVERIFY(SiteLookups(db_, site_.ProgramFolder()).LookupItem(1, item));  // once the server is back
    }
};

QTEST_GUILESS_MAIN(TestStoreRestart)
#include "test_store_restart.moc"
