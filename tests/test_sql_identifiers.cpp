// One writing for every identifier: width mapping and quoting of digit-first words.

#include "store/sql_identifiers.h"

#include <QtTest>

class TestSqlIdentifiers : public QObject {
    Q_OBJECT

private slots:
    void identifier()
    {
        const std::pair<const char*, const char*> rows[] = {
            {"区分ｺｰﾄﾞ", "区分コード"}, {"ｳﾞ", "ヴ"}, {"ﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞ", "ダヂヅデド"}, {"ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ", "パピプペポ"},
            // Marks on kana that take none stay separate full-width marks.
            {"ﾞ", "゛"}, {"ｱﾞｶﾟｯﾞ", "ア゛カ゜ッ゛"}, {"ｧｨｩｪｫｬｭｮｦﾝ", "ァィゥェォャュョヲン"}, {"｡｢｣､･", "。「」、・"},
            // Never quoted here, even when it begins with a digit.
            {"１バイト文字集合", "1バイト文字集合"}, {"ＢＰＩＤｘ", "BPIDx"},
            // NFKC would wrongly turn these into ASCII.
            {"項目№", "項目№"}, {"区分（名）", "区分（名）"}, {"Ａ＿Ｂ　Ｃ", "A＿B　C"},
        };
        for (const auto& [input, normalized] : rows)
            QCOMPARE(NormalizeIdentifier(QString::fromUtf8(input)), QString::fromUtf8(normalized));
    }

    void statement_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("normalized");
        const std::pair<const char*, const char*> rows[] = {
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
            {"INSERT INTO 項目ﾏｽﾀ (ＢＰＩＤ,項目№,１バイト文字集合) VALUES ('ｱ''1',?,?)",
             "INSERT INTO 項目マスタ (BPID,項目№,\"1バイト文字集合\") VALUES ('ｱ''1',?,?)"},
        };
        for (const auto& [input, normalized] : rows)
            QTest::newRow(input) << QString::fromUtf8(input) << QString::fromUtf8(normalized);
    }

    void statement()
    {
        QFETCH(QString, input);
        QFETCH(QString, normalized);
        const QString once = NormalizeSql(input);
        QCOMPARE(once, normalized);
        // Statements pass through more than once; a second pass must change nothing.
        QCOMPARE(NormalizeSql(once), once);
    }
};

QTEST_GUILESS_MAIN(TestSqlIdentifiers)
#include "test_sql_identifiers.moc"
