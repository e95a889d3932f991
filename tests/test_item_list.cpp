// Rebuilding a layout: serial numbers, item positions, local group lengths,
// partner links, the settling passes and the list texts.

#include "items/item_list.h"

#include <QTest>

#include <utility>

Q_DECLARE_METATYPE(ItemTable)
Q_DECLARE_METATYPE(FormatItem)

namespace {

FormatItem Item(qint32 level, qint32 length, qint32 decimals = 0)
{
    FormatItem item;
    item.Attribute = QStringLiteral("X");
    item.Level = level;
    item.Length = length;
    item.DecimalLength = decimals;
    return item;
}

FormatItem Header(qint32 level, qint32 repeat, qint32 length = 0, qint32 decimals = 0)
{
    FormatItem item = Item(level, length, decimals);
    item.Attribute = QStringLiteral("M");
    item.RepeatCount = repeat;
    return item;
}

ItemTable Make(std::initializer_list<FormatItem> items)
{
    ItemTable table;
    for (const FormatItem& item : items) {
        table.Resize(table.Count() + 1);
        table[table.Count()] = item;
    }
    return table;
}

QList<qint32> Positions(const ItemTable& table)
{
    QList<qint32> values;
    for (int i = 1; i <= table.Count(); ++i)
        values.append(table[i].ItemPosition);
    return values;
}

// Every field of every line, so that two tables compare as a whole.
QStringList Dump(const ItemTable& table)
{
    QStringList rows;
    for (int i = 1; i <= table.Count(); ++i) {
        const FormatItem& t = table[i];
        QStringList f{t.FormatType, t.ItemName, t.Attribute, t.MultiDetailNo, t.FixedValue,
                      t.ConversionError};
        for (const qint32 n : {t.SerialNo, t.LinkedSerialNo, t.ItemNo, t.ItemPosition, t.Length,
                               t.DecimalLength, t.RepeatCount, t.Level})
            f.append(QString::number(n));
        rows.append(f.join(QLatin1Char('|')));
    }
    return rows;
}

}  // namespace

class TestItemList : public QObject {
    Q_OBJECT

private slots:
    void positions_data()
    {
        QTest::addColumn<ItemTable>("table");
        QTest::addColumn<bool>("local");
        QTest::addColumn<QList<qint32>>("expected");
        QTest::newRow("after decimals") << Make({Item(0, 5, 2), Item(0, 3)}) << true
                                        << QList<qint32>{1, 7};
        QTest::newRow("after plain") << Make({Item(0, 5), Item(0, 3)}) << true << QList<qint32>{1, 6};
        // Header at 10, members 5+3 = 8, three times: the line after is at 34.
        const ItemTable group = Make({Item(0, 9), Header(0, 3), Item(1, 5), Item(1, 3), Item(0, 1)});
        QTest::newRow("local group") << group << true << QList<qint32>{1, 10, 10, 15, 34};
        ItemTable stored = group;
        stored[2].Length = 8;
        stored[4].Length = 40;  // the standard side keeps the header's own length
        QTest::newRow("standard group") << stored << false << QList<qint32>{1, 10, 10, 15, 34};
        QTest::newRow("closing without header") << Make({Item(1, 5), Item(0, 3)}) << false
                                                << QList<qint32>{1, 0};
        // Closing after a nested group uses the nearest header, the inner one.
        QTest::newRow("nearest header") << Make({Header(0, 2, 0), Item(1, 2), Header(1, 4, 0),
                                                 Item(2, 3), Item(0, 1)})
                                        << true << QList<qint32>{1, 1, 3, 3, 15};
    }

    void positions()
    {
        QFETCH(ItemTable, table);
        QFETCH(bool, local);
        QFETCH(QList<qint32>, expected);
        ItemTable other;
        RebuildPass(table, other, local, PaneWatch{});
        QCOMPARE(Positions(table), expected);
        for (int i = 1; i <= table.Count(); ++i)
            QCOMPARE(table[i].SerialNo, i);
    }

    void groupLength_data()
    {
        QTest::addColumn<ItemTable>("table");
        QTest::addColumn<qint32>("expected");
        QTest::addColumn<int>("headers");
        QTest::newRow("direct members") << Make({Header(0, 1, 99, 3), Item(1, 4), Item(1, 6, 2)})
                                        << 11 << 1;
        // A nested header counts once, its members not; the group ends at level 0.
        QTest::newRow("nested and closed")
            << Make({Header(0, 2, 0, 1), Item(1, 2), Header(1, 4, 5), Item(2, 7), Item(1, 3, 1),
                     Item(0, 100), Item(1, 50)})
            << 11 << 2;
        QTest::newRow("no members") << Make({Header(1, 2, 7, 2), Item(1, 4)}) << 0 << 1;
    }

    void groupLength()
    {
        QFETCH(ItemTable, table);
        QFETCH(qint32, expected);
        QFETCH(int, headers);
        QCOMPARE(ComputeGroupLength(table, 1), expected);

        const FormatItem stored = table[1];
        ItemTable standard = table;
        ItemTable other;
        QCOMPARE(RebuildPass(table, other, true, PaneWatch{}).groupHeaders, headers);
        QCOMPARE(table[1].Length, expected);
        QCOMPARE(table[1].DecimalLength, 0);
        // The standard side keeps the stored header values.
        RebuildPass(standard, other, false, PaneWatch{});
        QCOMPARE(standard[1].Length, stored.Length);
        QCOMPARE(standard[1].DecimalLength, stored.DecimalLength);
    }

    void linksAndPaneWatch_data()
    {
        QTest::addColumn<bool>("local");
        QTest::addRow("local") << true;
        QTest::addRow("standard") << false;
    }

    void linksAndPaneWatch()
    {
        QFETCH(bool, local);
        ItemTable table = Make({Item(0, 4), Item(0, 2, 1), Item(0, 5)});
        table[2].LinkedSerialNo = 3;
        table[3].LinkedSerialNo = 9;  // beyond the other table: nothing written
        ItemTable other = Make({Item(0, 1), Item(0, 1), Item(0, 1)});
        other[3].LinkedSerialNo = 7;
        const RebuildOutcome outcome = RebuildPass(table, other, local, PaneWatch{3, 3});
        QCOMPARE(other[3].LinkedSerialNo, 2);
        QCOMPARE(other[1].LinkedSerialNo, 0);
        QCOMPARE(outcome.otherLink, std::optional<qint32>(2));
        QCOMPARE(outcome.herePosition, local ? std::optional<qint32>(8) : std::nullopt);
        QCOMPARE(RebuildPass(table, other, local, PaneWatch{0, 1}).otherLink, std::nullopt);
    }

    void settledEqualsRepeatedPasses()
    {
        // A group in a group in a group, header lengths stale.
        ItemTable table = Make({Item(0, 3), Header(0, 2, 0, 4), Item(1, 2), Header(1, 3, 50),
                                Item(2, 1, 1), Header(2, 2), Item(3, 4), Item(3, 5, 2), Item(1, 7),
                                Item(0, 1)});
        table[10].LinkedSerialNo = 2;
        ItemTable standard = Make({Item(0, 1), Item(0, 1)});
        ItemTable passes = table;
        ItemTable passesStandard = standard;
        for (int pass = 0; pass < 4; ++pass)
            RebuildPass(passes, passesStandard, true, PaneWatch{});

        const RebuildOutcome outcome = RebuildSettled(table, standard, PaneWatch{10, 2});
        QCOMPARE(Dump(table), Dump(passes));
        QCOMPARE(Dump(standard), Dump(passesStandard));
        QCOMPARE(outcome.groupHeaders, 3);
        // Inner 4+6, middle 2+10, outer 2+12+7; closing lines use the inner header: 8 + 10*2.
        QCOMPARE(table[6].Length, 10);
        QCOMPARE(table[4].Length, 12);
        QCOMPARE(table[2].Length, 21);
        QCOMPARE(outcome.herePosition, std::optional<qint32>(28));
        QCOMPARE(outcome.otherLink, std::optional<qint32>(10));
    }

    void emptyTable()
    {
        ItemTable table;
        ItemTable other = Make({Item(0, 1)});
        const RebuildOutcome outcome = RebuildSettled(table, other, PaneWatch{1, 1});
        QCOMPARE(table.Count(), 0);
        QCOMPARE(outcome.groupHeaders, 0);
        QVERIFY(!outcome.herePosition && !outcome.otherLink);
        QVERIFY(ListTexts(table, true).isEmpty());
    }

    void listText_data()
    {
        QTest::addColumn<bool>("local");
        QTest::addColumn<FormatItem>("item");
        QTest::addColumn<QString>("expected");
        FormatItem item = Item(1, 5);
        item.ItemNo = 123;
        item.ItemPosition = 45;
        item.ItemName = QStringLiteral("品名");
        QTest::newRow("standard") << false << item << QStringLiteral("   000123  品名");
        item.Level = 2;
        QTest::newRow("local") << true << item << QStringLiteral("      000045  品名");
        FormatItem header = Header(0, 3);
        header.ItemPosition = 15;
        header.ItemName = QStringLiteral("出荷明細");
        header.MultiDetailNo = QStringLiteral("2");
        QTest::newRow("local header") << true << header << QStringLiteral("000015  マルチ明細 No.2");
        header.Level = 1;
        QTest::newRow("standard header") << false << header
                                         << QStringLiteral("   000000  マルチ明細 No.2");
    }

    void listText()
    {
        QFETCH(bool, local);
        QFETCH(FormatItem, item);
        QFETCH(QString, expected);
        QCOMPARE(ListText(item, local), expected);
        QCOMPARE(ListTexts(Make({item, item}), local), QStringList({expected, expected}));
    }

    void swapKeepsLinks()
    {
        ItemTable standard = Make({Item(0, 1), Item(0, 1), Item(0, 2), Item(0, 3)});
        ItemTable local = Make({Item(0, 2), Item(0, 3)});
        standard[3].LinkedSerialNo = 1;
        standard[4].LinkedSerialNo = 2;
        local[1].LinkedSerialNo = 3;
        local[2].LinkedSerialNo = 4;
        RebuildPass(standard, local, false, PaneWatch{});
        std::swap(standard[3], standard[4]);
        RebuildPass(standard, local, false, PaneWatch{});
        QCOMPARE(local[1].LinkedSerialNo, 4);
        QCOMPARE(local[2].LinkedSerialNo, 3);
        QCOMPARE(standard[3].SerialNo, 3);
        QCOMPARE(standard[3].Length, 3);
        QCOMPARE(standard[4].ItemPosition, 6);
    }
};

QTEST_GUILESS_MAIN(TestItemList)
#include "test_item_list.moc"
