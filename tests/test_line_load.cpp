// Loading the stored lines of a format into the two tables, against the real
// database drivers in a temporary site: the cases the random formats of
// test_load_equivalence do not make.

#include "format/line_load.h"
#include "items/item_list.h"
#include "support/form_harness.h"

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

class TestLineLoad : public QObject {
    Q_OBJECT

private:
    TempSite site_;
    Connection db_;

    // One line under a test key; the columns after 項目通番 in table order, missing ones null.
    void Insert(const QString& code, const QString& bpid, const QString& type, int serial, QVariantList rest = {})
    {
        while (rest.size() < 12)
            rest.append(QVariant());
        Execute(db_, QStringLiteral("INSERT INTO FL1903レコードフォーマット情報マスタ VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                QVariantList{code, bpid, type, serial} + rest);
    }

private slots:
    void initTestCase()
    {
        const QString error = OpenSiteDatabase(site_, db_);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        Execute(db_, QStringLiteral("INSERT INTO FL1901項目情報マスタ VALUES (?,?,?,?,?)"),
                {kDictItem, QStringLiteral("試験数量"), QStringLiteral("9"), 12, 3});
    }

    void cleanup()
    {
        Execute(db_, QStringLiteral("DELETE FROM FL1903レコードフォーマット情報マスタ WHERE BPID LIKE 'TEST%'"));
    }

    void keyWithoutLinesLeavesTheTables()
    {
        for (const char* code : {"9999", "0201' OR '1'='1"}) {
            FormatLines lines;
            lines.StandardItems.Resize(2);
            lines.StandardItems[2].ItemName = QStringLiteral("残す");
            QVERIFY(!LoadLines(db_, QLatin1String(code), QStringLiteral("SHIPNT01"), lines));
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
        QVERIFY(LoadLines(db_, code, bpid, lines));
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
        // The header names a dictionary item too: it must keep its own name.
        Insert(code, bpid, QStringLiteral("E"), 1, {0, 0, kDictItem, QVariant(), QStringLiteral("見出し"),
                                                    QStringLiteral("M"), 30, 2, QStringLiteral("1"), 5});
        Insert(code, bpid, QStringLiteral("E"), 2, {0, 1, kDictItem, 77, own, QStringLiteral("9"), 99, 4});
        Insert(code, bpid, QStringLiteral("E"), 3, {0, 1, 999999, 5, own, QStringLiteral("X"), 8, 1});
        Insert(code, bpid, QStringLiteral("L"), 1, {2, 0, kDictItem, 9, own, QStringLiteral("9"), 6, 1});
        FormatLines lines;
        QVERIFY(LoadLines(db_, code, bpid, lines));
        QCOMPARE(Rows(lines.StandardItems),
                 (QStringList{"1|0|0|990001|0|見出し|M|0|0|1|5||", "2|0|1|990001|77|試験数量|9|12|3||0||",
                              "3|0|1|999999|5||X|0|0||0||"}));
        QCOMPARE(Rows(lines.LocalItems), QStringList{"1|2|0|990001|9|自前|9|6|1||0||"});
    }
};

QTEST_MAIN(TestLineLoad)
#include "test_line_load.moc"
