// Worked examples of the layout tables without widgets: item positions,
// local group lengths, levels, where a line goes and what a removal leaves.
// test_core_rebuild compares the rebuild with the literal rules over
// random edits; these catch a misreading that both would share.

#include "core/item_list.h"
#include "core/item_ops.h"

#include <QTest>

Q_DECLARE_METATYPE(ItemTable)

namespace {

FormatItem Item(qint32 level, qint32 length = 0, qint32 decimals = 0, const char* attribute = "X")
{
    FormatItem item;
    item.Attribute = QLatin1String(attribute);
    item.Level = level;
    item.Length = length;
    item.DecimalLength = decimals;
    return item;
}

FormatItem Header(qint32 level, qint32 repeat, qint32 length = 0, qint32 decimals = 0)
{
    FormatItem item = Item(level, length, decimals, "M");
    item.RepeatCount = repeat;
    return item;
}

FormatItem Linked(qint32 link, qint32 length = 0)
{
    FormatItem item = Item(0, length);
    item.LinkedSerialNo = link;
    return item;
}

ItemTable Make(std::initializer_list<FormatItem> items)
{
    ItemTable table;
    for (const FormatItem& item : items)
        table.Insert(table.Count() + 1, item);
    return table;
}

// One field of every line.
template <typename F>
QList<qint32> Column(const ItemTable& table, F field)
{
    QList<qint32> values;
    for (int i = 1; i <= table.Count(); ++i)
        values.append(table[i].*field);
    return values;
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
        QTest::addColumn<QString>("outOfRange");
        QTest::newRow("after decimals") << Make({Item(0, 5, 2), Item(0, 3)}) << true << QList<qint32>{1, 7} << "";
        // Header at 10, members 5+3 = 8, three times: the line after is at 34.
        const ItemTable group = Make({Item(0, 9), Header(0, 3), Item(1, 5), Item(1, 3), Item(0, 1)});
        QTest::newRow("local group") << group << true << QList<qint32>{1, 10, 10, 15, 34} << "";
        ItemTable stored = group;
        stored[2].Length = 8;
        stored[4].Length = 40;  // the standard side keeps the header's own length
        QTest::newRow("standard group") << stored << false << QList<qint32>{1, 10, 10, 15, 34} << "";
        QTest::newRow("closing without header") << Make({Item(1, 5), Item(0, 3)}) << false << QList<qint32>{1, 0} << "";
        // Closing after a nested group uses the nearest header, the inner one.
        QTest::newRow("nearest header") << Make({Header(0, 2), Item(1, 2), Header(1, 4), Item(2, 3), Item(0, 1)})
                                        << true << QList<qint32>{1, 1, 3, 3, 15} << "";
        // 1 + 300000 × 9999 is reported and the line keeps its old position.
        QTest::newRow("beyond 32 bits") << Make({Header(0, 9999), Item(1, 300000), Item(0, 1)}) << true
                                        << QList<qint32>{1, 1, 0} << "3 項目位置 2999700001";
    }

    void positions()
    {
        QFETCH(ItemTable, table);
        QFETCH(bool, local);
        QFETCH(QList<qint32>, expected);
        QFETCH(QString, outOfRange);
        ItemTable other;
        const std::optional<ComputedOutOfRange> beyond = RebuildPass(table, other, local, PaneWatch{}).outOfRange;
        QCOMPARE(Column(table, &FormatItem::ItemPosition), expected);
        QCOMPARE(beyond ? QStringLiteral("%1 %2 %3").arg(beyond->line).arg(beyond->column).arg(beyond->value) : "",
                 outOfRange);
        for (int i = 1; i <= table.Count(); ++i)
            QCOMPARE(table[i].SerialNo, i);
    }

    void groupLength_data()
    {
        QTest::addColumn<ItemTable>("table");
        QTest::addColumn<qint32>("expected");
        QTest::addColumn<int>("headers");
        QTest::newRow("direct members") << Make({Header(0, 1, 99, 3), Item(1, 4), Item(1, 6, 2)}) << 11 << 1;
        // A nested header counts once, its members not; the group ends at level 0.
        QTest::newRow("nested and closed") << Make({Header(0, 2, 0, 1), Item(1, 2), Header(1, 4, 5), Item(2, 7),
                                                    Item(1, 3, 1), Item(0, 100), Item(1, 50)})
                                           << 11 << 2;
        QTest::newRow("no members") << Make({Header(1, 2, 7, 2), Item(1, 4)}) << 0 << 1;
        QTest::newRow("largest level") << Make({Header(INT_MAX, 1), Item(INT_MIN, 5)}) << 0 << 1;
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

    void levels_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("attribute");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("serial");
        QTest::addColumn<int>("levelLabel");
        QTest::addColumn<int>("level");
        // Table: 1 plain (0), 2 header (0), 3 member (1).
        QTest::newRow("new item at the top") << 1 << "X" << "KOMOKU" << 0 << 0 << 0;
        QTest::newRow("below a group header") << 3 << "X" << "KOMOKU" << 0 << 0 << 1;
        QTest::newRow("below a member") << 4 << "X" << "KOMOKU" << 0 << 0 << 1;
        QTest::newRow("edited item re-evaluated") << 3 << "9" << "KOMOKU" << 3 << 5 << 1;
        QTest::newRow("new group header below a member") << 4 << "M" << "MEISAI" << 0 << 0 << 0;
        QTest::newRow("edited group header keeps its level") << 2 << "M" << "MEISAI" << 2 << 1 << 1;
    }

    void levels()
    {
        QFETCH(int, position);
        QFETCH(QString, attribute);
        QFETCH(QString, kind);
        QFETCH(int, serial);
        QFETCH(int, levelLabel);
        QFETCH(int, level);
        const ItemTable table = Make({Item(0), Header(0, 0), Item(1)});
        const FormatItem record = Item(0, 0, 0, attribute.toLatin1().constData());
        const PaneState pane{serial, levelLabel};
        QCOMPARE(ComputeLevel(table, position, record, kind, pane), level);
    }

    void placeAndRemove()
    {
        ItemTable table = Make({Item(0), Item(0), Item(0)});
        PaneState pane;
        QCOMPARE(CommitPosition(table, pane), 4);  // nothing selected: appended
        pane.selectedRow = 0;
        QCOMPARE(CommitPosition(table, pane), 2);  // directly below the selection
        pane.serialNo = 3;
        QCOMPARE(CommitPosition(table, pane), 3);  // an edited line stays

        ItemTable standard = Make({Item(0), Item(0)});
        PlaceLine(standard, 3, Item(0), true);
        PlaceLine(standard, 2, Item(7), false);  // an edited line is replaced
        QCOMPARE(Column(standard, &FormatItem::Level), (QList<qint32>{0, 7, 0}));

        // A removed line's partner loses its link.
        standard = Make({Item(0), Linked(2), Linked(1)});
        ItemTable local = Make({Linked(3), Linked(2)});
        RemoveItem(standard, local, 2);
        QCOMPARE(standard.Count(), 2);
        QCOMPARE(local[2].LinkedSerialNo, 0);
        // A group header goes alone: its members stay with their levels.
        ItemTable group = Make({Header(0, 1), Item(1), Item(1)});
        RemoveItem(group, local, 1);
        QCOMPARE(Column(group, &FormatItem::Level), (QList<qint32>{1, 1}));
    }
};

QTEST_APPLESS_MAIN(TestItemList)
#include "test_core_lines.moc"
