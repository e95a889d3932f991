// The connection on the real drivers: logon, the statement time-out, result
// sets and column names, failures reported, one writing for every identifier.

#include "store/lookups.h"
#include "store/sql_identifiers.h"
#include "support/form_harness.h"

#include <QSqlField>
#include <QSqlRecord>
#include <QTemporaryFile>
#include <QTest>

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

class TestStoreConnection : public QObject {
    Q_OBJECT

private:
    TempSite site_;
    Connection db_;
    bool server_ = false;

private slots:
    void initTestCase()
    {
        const QString error = OpenSiteDatabase(site_, db_);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        server_ = qEnvironmentVariable("K450120_TEST_ENGINE") == QLatin1String("postgresql");
        QCOMPARE(db_.Engine(), server_ ? SqlEngine::PostgreSQL : SqlEngine::SQLite);
        QCOMPARE(db_.ConnectString, BuildConnectString(site_.Settings()));
    }

    // Values that name no usable data source, or that would add attributes
    // to the connect string, are refused; nothing stays open.
    void logonRefused_data()
    {
        QTest::addColumn<QString>("dsn");  // %1: the site's data source name
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::newRow("unknown name") << "NO_SUCH_DSN" << "" << "";
        QTest::newRow("blank name, never a default") << "   " << "" << "";
        QTest::newRow("a file DSN") << "%1.dsn" << "" << "";
        QTest::newRow("a driver instead of a name") << "DRIVER=SQLite3" << "" << "";
        QTest::newRow("a server instead of a name") << "SERVER=127.0.0.1" << "" << "";
        QTest::newRow("separator in the name") << "%1;UID=x" << "" << "";
        QTest::newRow("brace in the user") << "%1" << "ed{i" << "";
        QTest::newRow("wrong password") << "%1" << "" << "wrong";
    }

    void logonRefused()
    {
        QFETCH(QString, dsn);
        QFETCH(QString, user);
        QFETCH(QString, password);
        EnvironmentSettings s = site_.Settings();
        s.DbString = dsn.arg(s.DbString.trimmed());
        s.UserId = user.isEmpty() ? s.UserId : user;
        s.Password = password.isEmpty() ? s.Password : password;
        if (!server_ && password == QLatin1String("wrong"))
            QSKIP("the embedded database has no password");
        Connection other;
        QVERIFY_THROWS_EXCEPTION(SqlError, other.OpenDatabaseConnection(s, QStringLiteral("h")));
        QVERIFY(!other.IsOpen());
    }

    void connectString()
    {
        EnvironmentSettings s{QString(), QStringLiteral(" edi "), QStringLiteral("pw  "), QStringLiteral("  EDIDB   ")};
        QCOMPARE(BuildConnectString(s), QStringLiteral("DSN=EDIDB;UID=edi;PWD=pw;"));
        s.Password.clear();
        QCOMPARE(BuildConnectString(s), QStringLiteral("DSN=EDIDB;UID=edi;PWD=;"));
    }

    // A password holding ";" and "}" reaches the server's driver whole; the
    // embedded one splits at every ";", so there it is refused.
    void passwordWithSeparators()
    {
        EnvironmentSettings s = site_.Settings();
        s.UserId = QStringLiteral("k450120_odd");
        s.Password = QStringLiteral("p;w}d{x");
        Connection other;
        if (!server_) {
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

    // The time-out bounds each statement (on SQLite a wait for a lock),
    // whatever the data source's own setting says.
    void statementTimeout()
    {
        const QString show = server_ ? QStringLiteral("SHOW statement_timeout") : QStringLiteral("PRAGMA busy_timeout");
        QCOMPARE(QueryRows(db_, show), QStringList{server_ ? QStringLiteral("5min") : QStringLiteral("300000")});
        db_.SetStatementTimeout(7);
        QCOMPARE(QueryRows(db_, show), QStringList{server_ ? QStringLiteral("7s") : QStringLiteral("7000")});
        db_.SetStatementTimeout(300);
    }

    void resultStatusAndColumns()
    {
        ResultSet rs;
        db_.SetStatement(QStringLiteral("SELECT 区分名称 FROM 区分マスタ WHERE 区分= ?"), {QStringLiteral("no such kind")});
        db_.OpenReadOnlyResultset(rs);
        QCOMPARE(db_.ResultStatus, QStringLiteral("9"));
        QVERIFY(rs.AtEnd());
        QVERIFY_THROWS_EXCEPTION(SqlError, rs.Value(0));
        QVERIFY_THROWS_EXCEPTION(SqlError, rs.Value(QStringLiteral("区分名称")));
        db_.SetStatement(QStringLiteral("SELECT 区分ｺｰﾄﾞ, 区分名称 FROM 区分マスタ WHERE 区分= ? ORDER BY 区分コード"),
                         {QStringLiteral("処理区分")});
        db_.OpenReadOnlyResultset(rs);
        QCOMPARE(db_.ResultStatus, QStringLiteral("0"));
        QCOMPARE(rs.ColumnCount(), 2);
        QStringList codes;
        for (; !rs.AtEnd(); rs.MoveNext())
            codes << rs.Value(QStringLiteral("区分コード")).toString();  // the other writing of the name
        QCOMPARE(codes, (QStringList{"0", "1", "2", "9"}));
        QVERIFY_THROWS_EXCEPTION(SqlError, rs.IndexOf(QStringLiteral("no_such_column")));
        rs.Close();
        QCOMPARE(rs.ColumnCount(), 0);
        // A statement without a result set leaves the status of the last open.
        Execute(db_, QStringLiteral("UPDATE 区分マスタ SET 区分名称 = 区分名称 WHERE 区分= ?"), {QStringLiteral("none")});
        QCOMPARE(db_.ResultStatus, QStringLiteral("0"));

        QSqlRecord record;
        record.append(QSqlField(QStringLiteral("bpid") + QChar(0) + QStringLiteral("garbage")));
        record.append(QSqlField(QStringLiteral("FL1903レコードフォーマット情報マスタ.項目№")));
        record.append(QSqlField(QStringLiteral("区分ｺｰﾄﾞ")));
        const std::pair<const char*, int> names[] = {{"BPID", 0}, {"項目№", 1}, {"項目No", -1}, {"区分コード", 2}, {"garbage", -1}};
        for (const auto& [name, index] : names)
            QCOMPARE(ColumnIndex(record, QString::fromUtf8(name)), index);
    }

    // A failure that becomes an empty result leaves its reason on standard
    // error, in one line.
    void failureReported()
    {
        Execute(db_, QStringLiteral("INSERT INTO 区分マスタ VALUES ('属性','Q',NULL)"));
        SiteLookups lookups(db_, QString());
        QString name = QStringLiteral("unchanged");
        QString errors = StandardError([&] { name = lookups.CategoryName(QStringLiteral("属性"), QStringLiteral("Q")); });
        QCOMPARE(name, QString());
        QCOMPARE(errors, QStringLiteral("k450120: 属性 Q: 区分名称 without value\n"));
        db_.BeginTrans();
        Execute(db_, QStringLiteral("ALTER TABLE 区分マスタ RENAME TO 区分マスタ_old"));
        errors = StandardError([&] { name = lookups.CategoryName(QStringLiteral("処理区分"), QStringLiteral("2")); });
        db_.RollbackTrans();
        QCOMPARE(name, QString());
        QCOMPARE(errors.count(QLatin1Char('\n')), 1);
        QVERIFY2(errors.contains(server_ ? QStringLiteral("does not exist") : QStringLiteral("no such table")), qPrintable(errors));
    }

    void connectionLostInsideTransaction()
    {
        if (!server_)
            QSKIP("only a server ends a session");
        const QString pid = QueryRows(db_, QStringLiteral("SELECT pg_backend_pid()")).value(0);
        db_.BeginTrans();
        Execute(db_, QStringLiteral("UPDATE 区分マスタ SET 区分名称='lost' WHERE 区分='処理区分'"));
        QVERIFY(RunOtherDesk(site_, QStringLiteral("SELECT pg_terminate_backend(%1, 10000);\n").arg(pid), this));
        QVERIFY_THROWS_EXCEPTION(SqlError, Execute(db_, QStringLiteral("UPDATE 区分マスタ SET 区分名称='lost' WHERE 区分='属性'")));
        db_.RollbackTrans();
        // Open again at once; nothing of the transaction kept or run again.
        QCOMPARE(QueryRows(db_, QStringLiteral("SELECT COUNT(*) FROM 区分マスタ WHERE 区分名称='lost'")), QStringList{"0"});
    }

    // Identifiers as statements write them: half-width katakana to full
    // width, full-width ASCII to ASCII, digit-first words quoted; literals
    // and quoted names untouched; a second pass changes nothing.
    void identifiers()
    {
        const std::pair<const char*, const char*> names[] = {
            {"区分ｺｰﾄﾞ", "区分コード"}, {"ｳﾞ", "ヴ"}, {"ﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞ", "ダヂヅデド"}, {"ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ", "パピプペポ"},
            {"ﾞ", "゛"}, {"ｱﾞｶﾟｯﾞ", "ア゛カ゜ッ゛"}, {"ｧｨｩｪｫｬｭｮｦﾝ", "ァィゥェォャュョヲン"}, {"｡｢｣､･", "。「」、・"},
            {"１バイト文字集合", "1バイト文字集合"}, {"ＢＰＩＤｘ", "BPIDx"}, {"０９ＡＺａｚ", "09AZaz"},
            {"項目№", "項目№"}, {"区分（名）", "区分（名）"}, {"Ａ＿Ｂ　Ｃ", "A＿B　C"}};
        for (const auto& [input, normalized] : names)
            QCOMPARE(NormalizeIdentifier(QString::fromUtf8(input)), QString::fromUtf8(normalized));
        const std::pair<const char*, const char*> statements[] = {
            {"SELECT ２バイト文字集合,ＢＰＩＤ FROM T", "SELECT \"2バイト文字集合\",BPID FROM T"},
            {"SELECT T.1バイト文字集合 FROM T", "SELECT T.\"1バイト文字集合\" FROM T"},
            {"SELECT 1ﾊﾞｲﾄ FROM T", "SELECT \"1バイト\" FROM T"},
            {"WHERE A = 0101 AND B=12 AND C=１２", "WHERE A = 0101 AND B=12 AND C=12"},
            {"SELECT 項目1バイト,1abc,1_x,項目№ FROM T", "SELECT 項目1バイト,1abc,1_x,項目№ FROM T"},
            {"WHERE A='ｺｰﾄﾞ １' AND B='1バイト'", "WHERE A='ｺｰﾄﾞ １' AND B='1バイト'"},
            {"WHERE A='O''Brien ｺｰﾄﾞ' AND ｺｰﾄﾞ=1", "WHERE A='O''Brien ｺｰﾄﾞ' AND コード=1"},
            {"SELECT \"1ﾊﾞｲﾄ\", \"a'b\", ｺｰﾄﾞ FROM T", "SELECT \"1ﾊﾞｲﾄ\", \"a'b\", コード FROM T"},
            {"WHERE A='ｺｰﾄﾞ", "WHERE A='ｺｰﾄﾞ"},
            {"INSERT INTO 項目ﾏｽﾀ (ＢＰＩＤ,項目№,１バイト文字集合) VALUES ('ｱ''1',?,?)",
             "INSERT INTO 項目マスタ (BPID,項目№,\"1バイト文字集合\") VALUES ('ｱ''1',?,?)"}};
        for (const auto& [input, normalized] : statements) {
            QCOMPARE(NormalizeSql(QString::fromUtf8(input)), QString::fromUtf8(normalized));
            QCOMPARE(NormalizeSql(QString::fromUtf8(normalized)), QString::fromUtf8(normalized));
        }
    }
};

QTEST_GUILESS_MAIN(TestStoreConnection)
#include "test_store_connection.moc"
