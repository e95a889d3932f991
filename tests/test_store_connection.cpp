// The connection on the real drivers: logon, time-out, result sets, columns; one writing for every identifier.

#include "store/connection.h"
#include "store/sql_identifiers.h"
#include "support/store_test.h"

#include <QSqlField>
#include <QSqlRecord>

#include <clocale>

class TestStoreConnection : public StoreTest {
    Q_OBJECT

    const bool server_ = qEnvironmentVariable("K450120_TEST_ENGINE") == QLatin1String("postgresql");

private slots:
    // LC_CTYPE made UTF-8 (else no Japanese statement passes); a time-out on each statement (SQLite: each lock wait).
    void initTestCase()
    {
        std::setlocale(LC_CTYPE, "C");
        StoreTest::initTestCase();
        QCOMPARE(QString::fromLatin1(std::setlocale(LC_CTYPE, nullptr)), QStringLiteral("C.UTF-8"));
        const QString show = server_ ? "SELECT setting FROM pg_settings WHERE name='statement_timeout'" : "PRAGMA busy_timeout";
        QCOMPARE(QueryRows(db_, show), QStringList{"300000"});  // milliseconds
        db_.SetStatementTimeout(7);
        QCOMPARE(QueryRows(db_, show), QStringList{"7000"});
    }

    // Values that name no data source, or would add attributes to the connect string, are refused.
    void logon()
    {
        EnvironmentSettings s{{}, QStringLiteral(" edi "), QStringLiteral("pw  "), QStringLiteral("  EDIDB   ")};
        QCOMPARE(BuildConnectString(s), QStringLiteral("DSN=EDIDB;UID=edi;PWD=pw;"));  // each value trimmed
        const struct { const char *dsn, *user, *password; } rows[] = {
            {"NO_SUCH_DSN", "", ""}, {"   ", "", ""}, {"%1.dsn", "", ""}, {"DRIVER=SQLite3", "", ""},
            {"SERVER=127.0.0.1", "", ""}, {"%1;UID=x", "", ""}, {"%1", "ed{i", ""}, {"%1", "", server_ ? "wrong" : "p;w"}};
        const qsizetype registered = QSqlDatabase::connectionNames().size();  // none left behind by a refusal
        for (const auto& r : rows) {
            s = site_.Settings();
            s.DbString = QString::fromUtf8(r.dsn).replace(QStringLiteral("%1"), s.DbString.trimmed());
            s.UserId = *r.user ? QString::fromUtf8(r.user) : s.UserId;
            s.Password = *r.password ? QString::fromUtf8(r.password) : s.Password;
            Connection other;
            QVERIFY_THROWS_EXCEPTION(SqlError, other.OpenDatabaseConnection(s, QStringLiteral("h")));
            QVERIFY2(!other.IsOpen(), r.dsn);
        }
        QCOMPARE(QSqlDatabase::connectionNames().size(), registered);
    }

    // No value past the last row. A column by name in either writing, cut at a NUL (SQLite's driver leaves garbage),
    // qualified or not. Identifiers: kana to full width, ASCII to half width, digit-first words quoted, literals
    // kept, not NFKC; idempotent.
    void columnsAndIdentifiers()
    {
        QVERIFY_THROWS_EXCEPTION(SqlError, ResultSet().Value(0));
        ResultSet rs;
        db_.SetStatement(QStringLiteral("SELECT 区分ｺｰﾄﾞ FROM 区分マスタ WHERE 区分= ? ORDER BY 区分コード"), {"none"});
        db_.OpenReadOnlyResultset(rs);
        QVERIFY_THROWS_EXCEPTION(SqlError, rs.Value(QStringLiteral("区分コード")));
        QSqlRecord record;
        for (const QString& name : {QStringLiteral("bpid\u0000garbage"), QStringLiteral("T.項目№"), QStringLiteral("区分ｺｰﾄﾞ")})
            record.append(QSqlField(name));
        const std::pair<const char*, int> columns[] = {
            {"BPID", 0}, {"項目№", 1}, {"項目No", -1}, {"区分コード", 2}, {"garbage", -1}, {"", -1}};
        for (const auto& [name, index] : columns)
            QCOMPARE(ColumnIndex(record, QString::fromUtf8(name)), index);
        const std::pair<const char*, const char*> names[] = {
            {"区分ｺｰﾄﾞ", "区分コード"}, {"ｳﾞ", "ヴ"}, {"ﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞ", "ダヂヅデド"}, {"ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ", "パピプペポ"}, {"ｱﾞｶﾟｯﾞﾞ", "ア゛カ゜ッ゛゛"},
            {"ｧｨｩｪｫｬｭｮｦﾝ", "ァィゥェォャュョヲン"}, {"｡｢｣､･", "。「」、・"}, {"０９ＡＺａｚ", "09AZaz"}, {"項目№（）＿　", "項目№（）＿　"}};
        for (const auto& [input, normalized] : names)
            QCOMPARE(NormalizeIdentifier(QString::fromUtf8(input)), QString::fromUtf8(normalized));
        const std::pair<const char*, const char*> statements[] = {
            {"SELECT ２バイト文字集合,ＢＰＩＤ,T.1バイト,0ﾊﾞｲﾄ,9ﾊﾞｲﾄ FROM T", "SELECT \"2バイト文字集合\",BPID,T.\"1バイト\",\"0バイト\",\"9バイト\" FROM T"},
            {"WHERE A = 0101 AND C=１２ AND 項目1バイト=1abc+1_x", "WHERE A = 0101 AND C=12 AND 項目1バイト=1abc+1_x"},
            {"WHERE A='ｺｰﾄﾞ １' AND B='1バイト'", "WHERE A='ｺｰﾄﾞ １' AND B='1バイト'"},
            {"WHERE A='O''B ｺｰﾄﾞ' AND B='x''' AND ｺｰﾄﾞ=1", "WHERE A='O''B ｺｰﾄﾞ' AND B='x''' AND コード=1"},
            {"SELECT \"1ﾊﾞｲﾄ\", \"a'b\", ｺｰﾄﾞ FROM T", "SELECT \"1ﾊﾞｲﾄ\", \"a'b\", コード FROM T"},
            {"WHERE A='ｺｰﾄﾞ", "WHERE A='ｺｰﾄﾞ"}};
        for (const auto& [input, normalized] : statements) {
            QCOMPARE(NormalizeSql(QString::fromUtf8(input)), QString::fromUtf8(normalized));
            QCOMPARE(NormalizeSql(QString::fromUtf8(normalized)), QString::fromUtf8(normalized));
        }
    }
};

QTEST_GUILESS_MAIN(TestStoreConnection)
#include "test_store_connection.moc"
