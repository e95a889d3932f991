// Loading the stored lines of a format into the two tables, against the real
// database drivers in a temporary site: the cases the random formats of
// test_load_equivalence do not make.

#include "store/line_load.h"
#include "core/item_list.h"
#include "support/form_harness.h"
#include "support/message_box_answerer.h"

#include <QLabel>
#include <QTest>

namespace {

const qint32 kDictItem = 990001;  // a dictionary entry of our own, with decimals

// A loaded line in the column order of the lines table, after the key.
QString Row(const FormatItem& t)
{
    return QStringList{QString::number(t.SerialNo), QString::number(t.LinkedSerialNo), QString::number(t.Level),
                       QString::number(t.ItemNo), QString::number(t.ItemPosition), t.ItemName, t.Attribute,
                       QString::number(t.Length), QString::number(t.DecimalLength), t.MultiDetailNo,
                       QString::number(t.RepeatCount), t.FixedValue, t.ConversionError}
        .join(QLatin1Char('|'));
}

QStringList Rows(const ItemTable& table)
{
    QStringList rows;
    for (int i = 1; i <= table.Count(); ++i)
        rows << Row(table[i]);
    return rows;
}

}  // namespace

class TestLineLoad : public FormTest {
    Q_OBJECT

private:
    Connection& Db() { return F().Db; }

    // One line under a test key; the columns after 項目通番 in table order, missing ones null.
    void Insert(const QString& code, const QString& bpid, const QString& type, int serial, QVariantList rest = {})
    {
        while (rest.size() < 12)
            rest.append(QVariant());
        Execute(Db(), QStringLiteral("INSERT INTO FL1903レコードフォーマット情報マスタ VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                QVariantList{code, bpid, type, serial} + rest);
    }

private slots:
    void cleanup()
    {
        Execute(Db(), QStringLiteral("DELETE FROM FL1903レコードフォーマット情報マスタ WHERE BPID LIKE 'TEST%'"));
        Execute(Db(), QStringLiteral("DELETE FROM FL1902フォーマット情報マスタ WHERE BPID LIKE 'TEST%'"));
        h_.Stop();
    }

    void keyWithoutLinesLeavesTheTables()
    {
        for (const char* code : {"9999", "0201' OR '1'='1"}) {
            FormatLines lines;
            lines.StandardItems.Resize(2);
            lines.StandardItems[2].ItemName = QStringLiteral("残す");
            QVERIFY(!LoadLines(Db(), QLatin1String(code), QStringLiteral("SHIPNT01"), lines));
            QCOMPARE(lines.StandardItems.Count(), 2);
            QCOMPARE(lines.StandardItems[2].ItemName, QStringLiteral("残す"));
            QCOMPARE(lines.LocalItems.Count(), 0);
        }
    }

    void gapsOtherTypesAndNulls()
    {
        const QString code = QStringLiteral("T'1"), bpid = QStringLiteral("TEST'GAPS");
        for (const int serial : {5, 1, 2})
            Insert(code, bpid, QStringLiteral("E"), serial, {0, 0, serial * 100});
        for (const char* other : {"A", "F", "Z"})
            Insert(code, bpid, QString::fromLatin1(other), 1, {0, 0, 9});
        Insert(code, bpid, QStringLiteral("L"), 7);  // every column null
        Insert(code, bpid, QStringLiteral("L"), 3, {0, 0, 0, 20, QStringLiteral("ローカル")});
        FormatLines lines;
        QVERIFY(LoadLines(Db(), code, bpid, lines));
        QCOMPARE(Rows(lines.StandardItems), (QStringList{"1|0|0|100|0|||0|0||0||", "2|0|0|200|0|||0|0||0||",
                                                         "5|0|0|500|0|||0|0||0||"}));
        QCOMPARE(Rows(lines.LocalItems), (QStringList{"3|0|0|0|20|ローカル||0|0||0||", "7|0|0|0|0|||0|0||0||"}));
        RebuildPass(lines.StandardItems, lines.LocalItems, false, PaneWatch{});
        QCOMPARE(lines.StandardItems[3].SerialNo, 3);
    }

    void dictionaryWinsForStandardItems()
    {
        const QString code = QStringLiteral("T2"), bpid = QStringLiteral("TESTDICT");
        const QString own = QStringLiteral("自前");
        Execute(Db(), QStringLiteral("INSERT INTO FL1901項目情報マスタ VALUES (?,?,?,?,?)"),
                {kDictItem, QStringLiteral("試験数量"), QStringLiteral("9"), 12, 3});
        // The header names a dictionary item too: it must keep its own name.
        Insert(code, bpid, QStringLiteral("E"), 1, {0, 0, kDictItem, QVariant(), QStringLiteral("見出し"),
                                                    QStringLiteral("M"), 30, 2, QStringLiteral("1"), 5});
        Insert(code, bpid, QStringLiteral("E"), 2, {0, 1, kDictItem, 77, own, QStringLiteral("9"), 99, 4});
        Insert(code, bpid, QStringLiteral("E"), 3, {0, 1, 999999, 5, own, QStringLiteral("X"), 8, 1});
        Insert(code, bpid, QStringLiteral("L"), 1, {2, 0, kDictItem, 9, own, QStringLiteral("9"), 6, 1});
        FormatLines lines;
        QVERIFY(LoadLines(Db(), code, bpid, lines));
        QCOMPARE(Rows(lines.StandardItems),
                 (QStringList{"1|0|0|990001|0|見出し|M|0|0|1|5||", "2|0|1|990001|77|試験数量|9|12|3||0||",
                              "3|0|1|999999|5||X|0|0||0||"}));
        QCOMPARE(Rows(lines.LocalItems), QStringList{"1|2|0|990001|9|自前|9|6|1||0||"});
    }

    void typeTrimmedExactly()
    {
        const QString code = QStringLiteral("T3"), bpid = QStringLiteral("TESTTYPE");
        const char* types[] = {"E", "E", "E ", "L", "L ", "e", "X", ""};
        for (int i = 0; i < 8; ++i)
            Insert(code, bpid, QString::fromLatin1(types[i]), i + 1, {0, 0, (i + 1) * 100});
        FormatLines lines;
        QVERIFY(LoadLines(Db(), code, bpid, lines));
        QCOMPARE(Rows(lines.StandardItems).join(QLatin1Char(' ')),
                 QStringLiteral("1|0|0|100|0|||0|0||0|| 2|0|0|200|0|||0|0||0|| 3|0|0|300|0|||0|0||0||"));
        QCOMPARE(Rows(lines.LocalItems).join(QLatin1Char(' ')),
                 QStringLiteral("4|0|0|400|0|||0|0||0|| 5|0|0|500|0|||0|0||0||"));
    }

    // Stored values the screen must refuse: standard line 1, local lines 1
    // and 2 under a copy of a sample header, one column planted.
    void refusedValues_data()
    {
        QTest::addColumn<QString>("type");    // the planted line: "E" line 1 or "L" line 2
        QTest::addColumn<int>("column");      // index of the planted column after 項目通番
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("members");     // local members of length 4000 after line 2
        QTest::addColumn<QString>("refusal");
        QTest::newRow("huge level") << "L" << 1 << QVariant(1000000000) << 0 << "ローカル 2行目 レベル番号 1000000000";
        QTest::newRow("largest level on a header") << "L" << 1 << QVariant(2147483647) << 0
                                                   << "ローカル 2行目 レベル番号 2147483647";
        QTest::newRow("negative standard level") << "E" << 1 << QVariant(-1) << 0 << "標準 1行目 レベル番号 -1";
        QTest::newRow("link past the other layout") << "L" << 0 << QVariant(2) << 0 << "ローカル 2行目 対応項目通番 2";
        QTest::newRow("item number") << "L" << 2 << QVariant(1000000) << 0 << "ローカル 2行目 項目№ 1000000";
        QTest::newRow("length") << "L" << 6 << QVariant(4001) << 0 << "ローカル 2行目 長さ 4001";
        QTest::newRow("repeat count") << "L" << 9 << QVariant(10000) << 0 << "ローカル 2行目 繰返し数 10000";
        QTest::newRow("name bytes") << "L" << 4 << QVariant(QString(31, QChar(0x3042))) << 0
                                    << "ローカル 2行目 項目名称 62バイト";
        // 60 × 4000 × 9999 after position 5 leaves 32 bits.
        QTest::newRow("position after the group") << "L" << 9 << QVariant(9999) << 60
                                                  << "ローカル 63行目 項目位置 2399760005";
    }

    void refusedValues()
    {
        QFETCH(QString, type);
        QFETCH(int, column);
        QFETCH(QVariant, value);
        QFETCH(int, members);
        QFETCH(QString, refusal);
        const QString code = QStringLiteral("0201"), bpid = QStringLiteral("TESTBAD1");
        Execute(Db(), QStringLiteral("INSERT INTO FL1902フォーマット情報マスタ SELECT ?,?,様式識別,シンタックスIDバージョン,"
                                     "格納モード,1バイト文字集合,2バイト文字集合,ローカル形式,XML文字コード "
                                     "FROM FL1902フォーマット情報マスタ WHERE 情報区分コード=? AND BPID=?"),
                {code, bpid, code, QStringLiteral("SHIPNT01")});
        QVariantList standard{0, 0, 0}, header{0, 0, 0, 0, QStringLiteral("群"), QStringLiteral("M"), 0, 0,
                                                QStringLiteral("1"), 1};
        (type == QLatin1String("E") ? standard : header)[column] = value;
        Insert(code, bpid, QStringLiteral("E"), 1, standard);
        Insert(code, bpid, QStringLiteral("L"), 1, {0, 0, 0, 0, QStringLiteral("前"), QStringLiteral("X"), 4});
        Insert(code, bpid, QStringLiteral("L"), 2, header);
        for (int i = 0; i <= members; ++i)
            Insert(code, bpid, QStringLiteral("L"), 3 + i,
                   {0, i < members ? 1 : 0, 0, 0, QStringLiteral("員"), QStringLiteral("X"), 4000});
        MessageBoxAnswerer answerer;
        QVERIFY(!h_.OpenLines(QStringLiteral("2"), code, bpid));
        QCOMPARE(answerer.Seen().size(), 1);
        QCOMPARE(answerer.Seen()[0].text, QStringLiteral("ﾌｫｰﾏｯﾄ情報に不正な値があります"));
        QCOMPARE(answerer.Seen()[0].informative, refusal);
        QCOMPARE(F().PGID->text(), QStringLiteral("G4502001"));
    }
};

QTEST_MAIN(TestLineLoad)
#include "test_line_load.moc"
