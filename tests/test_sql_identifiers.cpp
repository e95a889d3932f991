// One writing for every identifier: width mapping and quoting of digit-first words.

#include "shell/sql_identifiers.h"

#include <QtTest>

#include <initializer_list>
#include <utility>

class TestSqlIdentifiers : public QObject {
    Q_OBJECT

private slots:
    void identifier_data();
    void identifier();
    void statement_data();
    void statement();
};

namespace {

void AddRows(std::initializer_list<std::pair<const char*, const char*>> rows)
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("normalized");
    for (const auto& [input, normalized] : rows)
        QTest::newRow(input) << QString::fromUtf8(input) << QString::fromUtf8(normalized);
}

}  // namespace

void TestSqlIdentifiers::identifier_data()
{
    AddRows({
        {"区分ｺｰﾄﾞ", "区分コード"},
        {"ﾊﾞｲﾄ", "バイト"},
        {"ｳﾞ", "ヴ"},
        {"ﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞ", "ダヂヅデド"},
        {"ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ", "パピプペポ"},
        // Marks on kana that take none stay separate full-width marks.
        {"ﾞ", "゛"},
        {"ｱﾞｶﾟｯﾞ", "ア゛カ゜ッ゛"},
        {"ｧｨｩｪｫｬｭｮｦﾝ", "ァィゥェォャュョヲン"},
        {"｡｢｣､･", "。「」、・"},
        // Never quoted here, even when it begins with a digit.
        {"１バイト文字集合", "1バイト文字集合"},
        {"ＢＰＩＤｘ", "BPIDx"},
        // NFKC would wrongly turn these into ASCII.
        {"項目№", "項目№"},
        {"区分（名）", "区分（名）"},
        {"Ａ＿Ｂ　Ｃ", "A＿B　C"},
    });
}

void TestSqlIdentifiers::identifier()
{
    QFETCH(QString, input);
    QFETCH(QString, normalized);
    QCOMPARE(NormalizeIdentifier(input), normalized);
}

void TestSqlIdentifiers::statement_data()
{
    AddRows({
        {"SELECT 1バイト文字集合 FROM T", "SELECT \"1バイト文字集合\" FROM T"},
        {"SELECT ２バイト文字集合,ＢＰＩＤ FROM T", "SELECT \"2バイト文字集合\",BPID FROM T"},
        {"SELECT T.1バイト文字集合 FROM T", "SELECT T.\"1バイト文字集合\" FROM T"},
        {"SELECT 1ﾊﾞｲﾄ FROM T", "SELECT \"1バイト\" FROM T"},
        {"WHERE A = 0101 AND B=12 AND C=１２", "WHERE A = 0101 AND B=12 AND C=12"},
        {"SELECT 項目1バイト,1abc,項目№ FROM T", "SELECT 項目1バイト,1abc,項目№ FROM T"},
        // Literals and quoted identifiers are copied unchanged.
        {"WHERE A='ｺｰﾄﾞ １' AND B='1バイト'", "WHERE A='ｺｰﾄﾞ １' AND B='1バイト'"},
        {"WHERE A='O''Brien ｺｰﾄﾞ' AND ｺｰﾄﾞ=1", "WHERE A='O''Brien ｺｰﾄﾞ' AND コード=1"},
        {"SELECT \"1ﾊﾞｲﾄ\", \"a'b\", ｺｰﾄﾞ FROM T", "SELECT \"1ﾊﾞｲﾄ\", \"a'b\", コード FROM T"},
        {"WHERE A='ｺｰﾄﾞ", "WHERE A='ｺｰﾄﾞ"},
        {"SELECT 区分名称 FROM 区分マスタ WHERE 区分= ? AND 区分ｺｰﾄﾞ= ? AND  区分コード<> ?",
         "SELECT 区分名称 FROM 区分マスタ WHERE 区分= ? AND 区分コード= ? AND  区分コード<> ?"},
        {"INSERT INTO 項目ﾏｽﾀ (ＢＰＩＤ,項目№,１バイト文字集合,２バイト文字集合) VALUES ('ｱ''1',?,?,?)",
         "INSERT INTO 項目マスタ (BPID,項目№,\"1バイト文字集合\",\"2バイト文字集合\") "
         "VALUES ('ｱ''1',?,?,?)"},
    });
}

void TestSqlIdentifiers::statement()
{
    QFETCH(QString, input);
    QFETCH(QString, normalized);
    const QString once = NormalizeSql(input);
    QCOMPARE(once, normalized);
    // Statements pass through more than once; a second pass must change nothing.
    QCOMPARE(NormalizeSql(once), once);
}

QTEST_GUILESS_MAIN(TestSqlIdentifiers)
#include "test_sql_identifiers.moc"
