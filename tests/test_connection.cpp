// The connection layer and the category lookup against the real database
// drivers in a temporary site. Transactions, bound values and both writings
// of identifiers are met by the store and operator tests.

#include "store/lookups.h"
#include "support/form_harness.h"

#include <QSqlField>
#include <QSqlRecord>
#include <QTemporaryFile>
#include <QTest>

#include <cstdio>
#include <functional>
#include <unistd.h>

namespace {

// What the calls wrote to standard error.
QString StandardError(const std::function<void()>& calls)
{
    QTemporaryFile file;
    if (!file.open())
        return QStringLiteral("no temporary file");
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    dup2(file.handle(), STDERR_FILENO);
    calls();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    file.seek(0);
    return QString::fromUtf8(file.readAll());
}

}  // namespace

class TestConnection : public QObject {
    Q_OBJECT

private:
    TempSite site_;
    Connection db_;

private slots:
    void initTestCase()
    {
        const QString error = OpenSiteDatabase(site_, db_);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    void connecting()
    {
        EnvironmentSettings s;
        s.DbString = QStringLiteral("  EDIDB   ");
        s.UserId = QStringLiteral(" edi ");
        s.Password = QStringLiteral("pw  ");
        QCOMPARE(BuildConnectString(s), QStringLiteral("DSN=EDIDB;UID=edi;PWD=pw;"));
        QCOMPARE(db_.ConnectString, BuildConnectString(site_.Settings()));
        // The connection's time-out bounds each statement (on SQLite a wait
        // for a lock), whatever the data source's own setting says.
        const bool server = db_.Engine() == SqlEngine::PostgreSQL;
        QCOMPARE(QueryRows(db_, server ? QStringLiteral("SHOW statement_timeout") : QStringLiteral("PRAGMA busy_timeout")),
                 QStringList{server ? QStringLiteral("5min") : QStringLiteral("300000")});
        // An unknown name, or an empty one (never some default data source), fails.
        for (const char* dsn : {"NO_SUCH_DSN", "   "}) {
            s = site_.Settings();
            s.DbString = QLatin1String(dsn);
            Connection other;
            QVERIFY_THROWS_EXCEPTION(SqlError, other.OpenDatabaseConnection(s, QStringLiteral("h")));
            QVERIFY(!other.IsOpen());
        }
    }

    // A password holding ";" and "}" reaches psqlODBC whole; the SQLite
    // driver splits at every ";", so there it is refused.
    void passwordWithSeparators()
    {
        const bool server = db_.Engine() == SqlEngine::PostgreSQL;
        EnvironmentSettings s = site_.Settings();
        s.UserId = QStringLiteral("k450120_odd");
        s.Password = QStringLiteral("p;w}d{x");
        Connection other;
        if (!server) {
            QVERIFY_THROWS_EXCEPTION(SqlError, other.OpenDatabaseConnection(s, QStringLiteral("h")));
            return;
        }
        Execute(db_, QStringLiteral("DROP ROLE IF EXISTS k450120_odd"));
        Execute(db_, QStringLiteral("CREATE ROLE k450120_odd LOGIN PASSWORD 'p;w}d{x'"));
        QVERIFY_THROWS_NO_EXCEPTION(other.OpenDatabaseConnection(s, QStringLiteral("h")));
        QCOMPARE(QueryRows(other, QStringLiteral("SELECT current_user")), QStringList{s.UserId});
        other.CloseDatabaseConnection();
        Execute(db_, QStringLiteral("DROP ROLE k450120_odd"));
    }

    // An error that becomes an empty result leaves the driver's reason on
    // standard error, in one line.
    void errorReasonOnStandardError()
    {
        db_.BeginTrans();
        Execute(db_, QStringLiteral("ALTER TABLE 区分マスタ RENAME TO 区分マスタ_old"));
        QString name = QStringLiteral("unchanged");
        const QString errors = StandardError([&] { name = SiteLookups(db_, QString()).CategoryName(QStringLiteral("処理区分"), QStringLiteral("2")); });
        db_.RollbackTrans();
        QCOMPARE(name, QString());
        QCOMPARE(errors.count(QLatin1Char('\n')), 1);
        const bool server = db_.Engine() == SqlEngine::PostgreSQL;
        QVERIFY2(errors.contains(server ? QStringLiteral("does not exist") : QStringLiteral("no such table")), qPrintable(errors));
    }

    void resultStatusAndColumns()
    {
        ResultSet rs;
        db_.SetStatement(QStringLiteral("SELECT 区分名称 FROM 区分マスタ WHERE 区分= ?"), {QStringLiteral("no such kind")});
        db_.OpenReadOnlyResultset(rs);
        QCOMPARE(db_.ResultStatus, QStringLiteral("9"));
        QVERIFY(rs.AtEnd());
        QVERIFY_THROWS_EXCEPTION(SqlError, rs.Value(0));

        db_.SetStatement(QStringLiteral("SELECT 区分ｺｰﾄﾞ, 区分名称 FROM 区分マスタ WHERE 区分= ? ORDER BY 区分コード"),
                         {QStringLiteral("処理区分")});
        db_.OpenReadOnlyResultset(rs);
        QCOMPARE(db_.ResultStatus, QStringLiteral("0"));
        QStringList codes;
        for (; !rs.AtEnd(); rs.MoveNext())
            codes << rs.Value(QStringLiteral("区分コード")).toString();  // the other writing of the name
        QCOMPARE(codes, (QStringList{"0", "1", "2", "9"}));
        // A statement without a result set leaves the status of the last open.
        Execute(db_, QStringLiteral("UPDATE 区分マスタ SET 区分名称 = 区分名称 WHERE 区分= ?"), {QStringLiteral("no such kind")});
        QCOMPARE(db_.ResultStatus, QStringLiteral("0"));
        QVERIFY_THROWS_EXCEPTION(SqlError, rs.Value(QStringLiteral("no_such_column")));

        QSqlRecord record;
        record.append(QSqlField(QStringLiteral("bpid") + QChar(0) + QStringLiteral("garbage")));
        record.append(QSqlField(QStringLiteral("FL1903レコードフォーマット情報マスタ.項目№")));
        QCOMPARE(ColumnIndex(record, QStringLiteral("BPID")), 0);
        QCOMPARE(ColumnIndex(record, QStringLiteral("項目№")), 1);
        QCOMPARE(ColumnIndex(record, QStringLiteral("項目No")), -1);
    }

    void connectionLostInsideTransaction()
    {
        if (db_.Engine() != SqlEngine::PostgreSQL)
            QSKIP("only a server ends a session");
        const QString pid = QueryRows(db_, QStringLiteral("SELECT pg_backend_pid()")).value(0);
        db_.BeginTrans();
        Execute(db_, QStringLiteral("UPDATE 区分マスタ SET 区分名称='lost' WHERE 区分='処理区分'"));
        // The server ends the session in the middle, as when it stops.
        QVERIFY(RunOtherDesk(site_, QStringLiteral("SELECT pg_terminate_backend(%1, 10000);\n").arg(pid), this));
        QVERIFY_THROWS_EXCEPTION(SqlError, Execute(db_, QStringLiteral("UPDATE 区分マスタ SET 区分名称='lost' WHERE 区分='属性'")));
        db_.RollbackTrans();
        // Open again at once; nothing of the transaction kept or run again.
        QSqlQuery query(db_.Database());
        QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM 区分マスタ WHERE 区分名称='lost'")) && query.next());
        QCOMPARE(query.value(0).toInt(), 0);
    }

    void categoryLookup_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("excluded");
        QTest::addColumn<QString>("name");
        QTest::newRow("known code") << "処理区分" << "2" << "" << "修正";
        QTest::newRow("empty code") << "属性" << "" << "" << "";
        QTest::newRow("code of another kind") << "属性" << "E" << "" << "";
        QTest::newRow("trailing blank kept") << "処理区分" << "1 " << "" << "";
        QTest::newRow("excluded code refused") << "変換エラー対処" << "S" << "S" << "";
        QTest::newRow("other code with exclusion") << "変換エラー対処" << "W" << "S" << "警告";
        QTest::newRow("attribute M without exclusion") << "属性" << "M" << "" << "ﾏﾙﾁ明細";
        QTest::newRow("apostrophe in code") << "属性" << "X' OR 'a'='a" << "" << "";
    }

    void categoryLookup()
    {
        QFETCH(QString, kind);
        QFETCH(QString, code);
        QFETCH(QString, excluded);
        QFETCH(QString, name);
        QCOMPARE(SiteLookups(db_, QString()).CategoryName(kind, code, excluded), name);
        Connection closed;  // a broken connection finds nothing
        QCOMPARE(SiteLookups(closed, QString()).CategoryName(kind, code, excluded), QString());
    }
};

QTEST_MAIN(TestConnection)
#include "test_connection.moc"
