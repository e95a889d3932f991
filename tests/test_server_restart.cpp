// The database server stops while the program is open and comes back, or
// keeps a statement waiting: the writes in between fail with their message,
// nothing is lost or half-written, and the program goes on afterwards.

#include "core/list_rebuild.h"
#include "support/form_harness.h"

#include <QGroupBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>

class TestServerRestart : public FormTest {
    Q_OBJECT

private:
    // Stops ("halt") or starts ("resume") the test server; 0 when done.
    static int Cluster(const char* command)
    {
        return QProcess::execute(QStringLiteral(K450120_SOURCE_DIR "/scripts/pg-cluster"),
                                 {QString::fromLatin1(command), qEnvironmentVariable("K450120_PG_DIR")});
    }
    QStringList StoredLocalLines()
    {
        return QueryRows(F().Db, QStringLiteral("SELECT COUNT(*) FROM FL1903レコードフォーマット情報マスタ "
                                                "WHERE BPID='SHIPNT01' AND フォーマット種別='L'"));
    }
    void RemoveLocalLine()
    {
        F().State.Lines.LocalItems.Remove(1);
        F().Run([&](FormState& s_) { return SettleLocalList(s_); });
    }

private slots:
    void serverStopsAndComesBack()
    {
        QVERIFY2(qEnvironmentVariable("K450120_TEST_ENGINE") == QLatin1String("postgresql")
                     && !qEnvironmentVariable("K450120_PG_DIR").isEmpty(),
                 "needs the test server (K450120_PG_DIR)");
        QVERIFY(h_.OpenLines(QStringLiteral("2"), QStringLiteral("0201"), QStringLiteral("SHIPNT01")));
        RemoveLocalLine();
        // A write while the server is away fails and keeps the edit; after the
        // restart the next one goes through, with nothing run in between.
        QCOMPARE(Cluster("halt"), 0);
        QCOMPARE(h_.Click(16, {QMessageBox::Yes}), (QStringList{kAskUpdate, kAborted}));
        QCOMPARE(Cluster("resume"), 0);
        QCOMPARE(ListCount(F().Lis_Local), 19);
        QCOMPARE(h_.Click(16, {QMessageBox::Yes}), QStringList{kAskUpdate});
        QCOMPARE(StoredLocalLines(), QStringList{QStringLiteral("19")});
        // The same when the server stopped and started while nothing ran.
        F().ComandBtn[1]->click();
        RemoveLocalLine();
        QCOMPARE(Cluster("halt"), 0);
        QCOMPARE(Cluster("resume"), 0);
        QCOMPARE(h_.Click(16, {QMessageBox::Yes}), QStringList{kAskUpdate});
        QCOMPARE(StoredLocalLines(), QStringList{QStringLiteral("18")});
        // A lookup while the server is away finds nothing.
        F().ComandBtn[1]->click();
        QCOMPARE(Cluster("halt"), 0);
        SelectListRow(F().Lis_Hyojun, 0);
        QVERIFY(h_.Click(6).contains(kNotFound));
        QCOMPARE(Cluster("resume"), 0);
    }

    void statementWaitsLongerThanTimeOut()
    {
        // The time-out holds on after a restart.
        F().Db.SetStatementTimeout(1);
        QCOMPARE(Cluster("halt"), 0);
        QCOMPARE(Cluster("resume"), 0);
        QVERIFY(h_.OpenLines(QStringLiteral("2"), QStringLiteral("0201"), QStringLiteral("SHIPNT01")));
        RemoveLocalLine();
        const QStringList stored = StoredFormat(F().Db, QStringLiteral("SHIPNT01"));
        // Another desk keeps the header row locked for longer than the time-out.
        QProcess* other = StartOtherDesk(h_.Site(), QStringLiteral(
            "UPDATE FL1902フォーマット情報マスタ SET 様式識別=様式識別 WHERE BPID='SHIPNT01';\n"
            "SELECT pg_sleep(4);\n"), this);
        QTRY_COMPARE(QueryRows(F().Db, QStringLiteral("SELECT COUNT(*) FROM pg_stat_activity WHERE wait_event='PgSleep'")),
                     QStringList{QStringLiteral("1")});
        QCOMPARE(h_.Click(16, {QMessageBox::Yes}), (QStringList{kAskUpdate, kAborted}));
        QVERIFY(other->waitForFinished(30000));
        QCOMPARE(StoredFormat(F().Db, QStringLiteral("SHIPNT01")), stored);
    }
};

QTEST_MAIN(TestServerRestart)
#include "test_server_restart.moc"
