// The database server stops while the program is open and comes back: the
// statements in between fail with their messages, nothing is lost or
// half-written, and the program goes on after the restart.

#include "items/list_view.h"
#include "support/form_harness.h"

#include <QGroupBox>
#include <QProcess>
#include <QTest>

class TestServerRestart : public FormTest {
    Q_OBJECT

private slots:
    void serverStopsAndComesBack()
    {
        const QString dir = qEnvironmentVariable("K450120_PG_DIR");
        QVERIFY2(qEnvironmentVariable("K450120_TEST_ENGINE") == QLatin1String("postgresql") && !dir.isEmpty(),
                 "needs the test server (K450120_PG_DIR)");
        auto cluster = [&dir](const char* command) {
            return QProcess::execute(QStringLiteral(K450120_SOURCE_DIR "/scripts/pg-cluster"),
                                     {QString::fromLatin1(command), dir});
        };
        QVERIFY(h_.OpenLines(QStringLiteral("2"), QStringLiteral("0201"), QStringLiteral("SHIPNT01")));
        const QStringList stored = StoredFormat(F().Db, QStringLiteral("SHIPNT01"));
        F().Lines.LocalItems.Remove(1);
        SettleLocalList(F());
        QCOMPARE(cluster("halt"), 0);
        QCOMPARE(h_.Click(16, {QMessageBox::Yes}), (QStringList{kAskUpdate, kAborted}));
        // A lookup while the server is away finds nothing.
        SelectListRow(F().Lis_Hyojun, 0);
        QVERIFY(h_.Click(6).contains(kNotFound));
        QCOMPARE(cluster("resume"), 0);
        QVERIFY(F().Frame[0]->isVisible());
        QCOMPARE(StoredFormat(F().Db, QStringLiteral("SHIPNT01")), stored);  // nothing lost or half-written
        QCOMPARE(h_.Click(16, {QMessageBox::Yes}), QStringList{kAskUpdate});
        QCOMPARE(QueryRows(F().Db, QStringLiteral("SELECT COUNT(*) FROM FL1903レコードフォーマット情報マスタ "
                                                  "WHERE BPID='SHIPNT01' AND フォーマット種別='L'")),
                 QStringList{QStringLiteral("19")});
    }
};

QTEST_MAIN(TestServerRestart)
#include "test_server_restart.moc"
