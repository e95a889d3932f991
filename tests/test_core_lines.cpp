// Worked examples of the layout tables: item positions, local group lengths,
// levels, where a line goes, what a removal leaves, every row of both move
// tables and links following their lines. test_core_rebuild compares the
// rebuild with the literal rules over random edits; these catch a misreading
// that both would share.

#include "core/column_ranges.h"
#include "core/definition_check.h"
#include "core/item_list.h"
#include "core/item_ops.h"
#include "core/moves.h"
#include "core/ports.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// A layout written as words: a letter names the line, then "M" for a group
// header, its level, ":length.decimals", "x" and the repeat count, "*" and the
// partner's position ("*" alone: the same position). "a0", "bM0x3", "c1:6.2*".
ItemTable Layout(const QString& words)
{
    static const QRegularExpression word(QStringLiteral(R"(^(\w)(M?)(-?\d+)(?::(\d+)(?:\.(\d+))?)?(?:x(\d+))?(\*(\d*))?$)"));
    ItemTable t;
    for (const QString& w : words.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = word.match(w);
        Q_ASSERT(m.hasMatch());
        FormatItem item;
        item.ItemName = m.captured(1);
        item.Attribute = m.captured(2).isEmpty() ? QStringLiteral("X") : QStringLiteral("M");
        item.Level = m.captured(3).toInt();
        item.Length = m.captured(4).toInt();
        item.DecimalLength = m.captured(5).toInt();
        item.RepeatCount = m.captured(6).toInt();
        if (m.capturedLength(7))
            item.LinkedSerialNo = m.capturedLength(8) ? m.captured(8).toInt() : t.Count() + 1;
        t.Insert(t.Count() + 1, item);
    }
    return t;
}

// The layout back as names, kinds and levels.
QString Words(const ItemTable& t)
{
    QStringList words;
    for (int i = 1; i <= t.Count(); ++i)
        words << t[i].ItemName + (t[i].IsGroupHeader() ? QStringLiteral("M") : QString()) + QString::number(t[i].Level);
    return words.join(QLatin1Char(' '));
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

class TestLayoutTables : public QObject {
    Q_OBJECT

private slots:
    void positions_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<bool>("local");
        QTest::addColumn<QList<qint32>>("expected");
        QTest::addColumn<QString>("outOfRange");
        QTest::newRow("after decimals") << "a0:5.2 b0:3" << true << QList<qint32>{1, 7} << "";
        // Header at 10, members 5+3 = 8, three times: the line after is at 34.
        QTest::newRow("local group") << "a0:9 bM0x3 c1:5 d1:3 e0:1" << true << QList<qint32>{1, 10, 10, 15, 34} << "";
        // The standard side keeps the header's own length.
        QTest::newRow("standard group") << "a0:9 bM0:8x3 c1:5 d1:40 e0:1" << false << QList<qint32>{1, 10, 10, 15, 34} << "";
        QTest::newRow("closing without header") << "a1:5 b0:3" << false << QList<qint32>{1, 0} << "";
        // Closing after a nested group uses the nearest header, the inner one.
        QTest::newRow("nearest header") << "aM0x2 b1:2 cM1x4 d2:3 e0:1" << true << QList<qint32>{1, 1, 3, 3, 15} << "";
        // 1 + 300000 × 9999 is reported and the line keeps its old position.
        QTest::newRow("beyond 32 bits") << "aM0x9999 b1:300000 c0:1" << true << QList<qint32>{1, 1, 0}
                                        << "3 項目位置 2999700001";
    }

    void positions()
    {
        QFETCH(QString, layout);
        QFETCH(bool, local);
        QFETCH(QList<qint32>, expected);
        QFETCH(QString, outOfRange);
        ItemTable table = Layout(layout), other;
        const std::optional<ComputedOutOfRange> beyond = RebuildPass(table, other, local, PaneWatch{}).outOfRange;
        QCOMPARE(Column(table, &FormatItem::ItemPosition), expected);
        QCOMPARE(beyond ? QStringLiteral("%1 %2 %3").arg(beyond->line).arg(beyond->column).arg(beyond->value) : "",
                 outOfRange);
        for (int i = 1; i <= table.Count(); ++i)
            QCOMPARE(table[i].SerialNo, i);
    }

    void groupLength_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<qint32>("expected");
        QTest::addColumn<int>("headers");
        QTest::newRow("direct members") << "aM0:99.3x1 b1:4 c1:6.2" << 11 << 1;
        // A nested header counts once, its members not; the group ends at level 0.
        QTest::newRow("nested and closed") << "aM0:0.1x2 b1:2 cM1:5x4 d2:7 e1:3.1 f0:100 g1:50" << 11 << 2;
        QTest::newRow("no members") << "aM1:7.2x2 b1:4" << 0 << 1;
        QTest::newRow("largest level") << "aM2147483647x1 b-2147483648:5" << 0 << 1;
    }

    void groupLength()
    {
        QFETCH(QString, layout);
        QFETCH(qint32, expected);
        QFETCH(int, headers);
        ItemTable table = Layout(layout), standard = table, other;
        const FormatItem stored = table[1];
        QCOMPARE(ComputeGroupLength(table, 1), expected);
        QCOMPARE(RebuildPass(table, other, true, PaneWatch{}).groupHeaders, headers);
        QCOMPARE(table[1].Length, expected);
        QCOMPARE(table[1].DecimalLength, 0);
        // The standard side keeps the stored header values.
        RebuildPass(standard, other, false, PaneWatch{});
        QCOMPARE(standard[1].Length, stored.Length);
        QCOMPARE(standard[1].DecimalLength, stored.DecimalLength);
    }

    // The level of a line put at a position of "a0 bM0 c1": its attribute, the pane's kind, serial and level label.
    void levels()
    {
        const struct { const char* name; int position; const char *attribute, *kind; int serial, label, level; } rows[] = {
            {"new item at the top", 1, "X", "KOMOKU", 0, 0, 0}, {"below a group header", 3, "X", "KOMOKU", 0, 0, 1},
            {"below a member", 4, "X", "KOMOKU", 0, 0, 1}, {"edited item re-evaluated", 3, "9", "KOMOKU", 3, 5, 1},
            {"new group header below a member", 4, "M", "MEISAI", 0, 0, 0},
            {"edited group header keeps its level", 2, "M", "MEISAI", 2, 1, 1}};
        for (const auto& r : rows) {
            FormatItem record;
            record.Attribute = QLatin1String(r.attribute);
            const ItemTable table = Layout(QStringLiteral("a0 bM0 c1"));
            QVERIFY2(ComputeLevel(table, r.position, record, QLatin1String(r.kind), {r.serial, r.label}) == r.level, r.name);
        }
    }

    void placeAndRemove()
    {
        ItemTable table = Layout(QStringLiteral("a0 b0 c0"));
        PaneState pane;
        QCOMPARE(CommitPosition(table, pane), 4);  // nothing selected: appended
        pane.selectedRow = 0;
        QCOMPARE(CommitPosition(table, pane), 2);  // directly below the selection
        pane.serialNo = 3;
        QCOMPARE(CommitPosition(table, pane), 3);  // an edited line stays
        ItemTable standard = Layout(QStringLiteral("a0 b0"));
        PlaceLine(standard, 3, Layout(QStringLiteral("c0"))[1], true);
        PlaceLine(standard, 2, Layout(QStringLiteral("d7"))[1], false);  // an edited line is replaced
        QCOMPARE(Words(standard), QStringLiteral("a0 d7 c0"));
        // A removed line's partner loses its link.
        standard = Layout(QStringLiteral("a0 b0*2 c0*1"));
        ItemTable local = Layout(QStringLiteral("a0*3 b0*2"));
        RemoveItem(standard, local, 2);
        QCOMPARE(Words(standard), QStringLiteral("a0 c0"));
        QCOMPARE(local[2].LinkedSerialNo, 0);
        // A group header goes alone: its members stay with their levels.
        ItemTable group = Layout(QStringLiteral("aM0 b1 c1"));
        RemoveItem(group, local, 1);
        RemoveItem(group, local, 3);  // beyond the layout: nothing
        QCOMPARE(Words(group), QStringLiteral("b1 c1"));
    }

    // The stored values each column takes: its first and last, not one beyond (texts in bytes); levels within
    // the own layout's line count, links within the other's.
    void columnRanges()
    {
        const struct { const char* column; double low, high; qint64 own, other; } rows[] = {
            {"項目通番", INT_MIN, INT_MAX, 0, 0}, {"項目位置", INT_MIN, INT_MAX, 0, 0}, {"項目№", 0, 999999, 0, 0},
            {"項目名称", 0, 60, 0, 0}, {"属性", 0, 1, 0, 0}, {"長さ", 0, 4000, 0, 0}, {"小数部長さ", 0, 4000, 0, 0},
            {"マルチ明細番号", 0, 10, 0, 0}, {"繰返し数", 0, 9999, 0, 0}, {"固定項目値", 0, 100, 0, 0},
            {"変換エラー対処", 0, 10, 0, 0}, {"レベル番号", 0, 5, 5, 9}, {"対応項目通番", 0, 9, 5, 9}};
        for (const auto& r : rows) {
            const ColumnRange* range = RangeOf(QString::fromUtf8(r.column));
            QVERIFY2(range && InRange(*range, r.low, r.own, r.other) && InRange(*range, r.high, r.own, r.other)
                         && !InRange(*range, r.low - 1, r.own, r.other) && !InRange(*range, r.high + 1, r.own, r.other),
                     r.column);
        }
        QVERIFY(!RangeOf(QStringLiteral("フォーマット種別")) && !InRange(*RangeOf(QStringLiteral("長さ")), qQNaN()));
        // Standard positions use the stored group length; a local group's computed one leaves 32 bits here.
        FormatLines lines;
        lines.StandardItems = Layout("aM0:1x9999 " + QStringLiteral("b1:4000 ").repeated(54) + "c0");
        CheckComputedPositions(lines);
        lines.LocalItems = lines.StandardItems;
        QVERIFY_THROWS_EXCEPTION(BadStoredValue, CheckComputedPositions(lines));
    }

    void move_data()
    {
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("p");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("reselect");  // -1: nothing moved
        const struct { bool up; const char *before; int p; const char *after; int reselect; } rows[] = {
            {true, "a0 b0", 1, "a0 b0", -1},                // the first line
            {true, "a0 b0 c0", 3, "a0 c0 b0", 2},           // plain below plain: swap
            {true, "aM0 b0", 2, "b0 aM0", 1},               // plain below header: swap
            {true, "aM0 b1 c0", 3, "aM0 b1 c1", 3},         // plain joins the group above
            {true, "x0 aM0 b1 c0*", 4, "x0 c0 aM0 b1", 2},  // linked plain jumps before the group
            {true, "a1 b1 c0*", 3, "c0 a1 b1", 1},          // ... without a header above
            {true, "x0 aM0 b1 c1 d0", 2, "aM0 b1 c1 x0 d0", 1},  // header below plain: group up
            {true, "x0 aM0 b1 c1", 2, "aM0 b1 c1 x0", 1},        // a group to the end
            {true, "aM0 bM0 c1", 2, "bM0 aM0 c1", 1},            // header below header: swap
            {true, "aM0 b1 cM0 d1 e0", 3, "aM0 b1 cM1 d2 e0", 3},  // header nests into the group above
            {true, "x0 aM2147483647 b-2147483648", 2, "aM2147483647 x0 b-2147483648", 1},  // the largest level
            {true, "a1 bM-2147483648 c0", 2, "a1 bM-2147483648 c0", -1},  // nesting beyond 32 bits
            {true, "x0 aM0 b1 b1 cM0* d1 e0", 5, "x0 cM0 d1 aM0 b1 b1 e0", 2},  // linked header before the run
            {true, "a0 b1", 2, "a0 b1", -1},                 // member below plain
            {true, "x0 aM0 b1", 3, "x0 b0 aM0", 2},          // member leaves its group
            {true, "aM0 b1 cM1 d2", 4, "aM0 b1 d1 cM1", 3},  // ... a nested one
            {true, "aM0 b1", 2, "b0 aM0", 1},                // ... at the top
            {true, "aM0 b1 c1", 3, "aM0 c1 b1", 2},          // member below member: swap
            {true, "a0 b0", 3, "a0 b0", -1},                 // beyond the last line
            {false, "a0 b0", 0, "a0 b0", -1},                // nothing shown
            {false, "a0 b0", 3, "a0 b0", -1},                // beyond the last line
            {false, "a0 b0", 2, "a0 b0", -1},                // the last line
            {false, "a0 b0 c0", 1, "b0 a0 c0", 2},           // plain swapped down
            {false, "aM0 b0", 1, "b0 aM0", 2},               // header swapped below a plain
            {false, "aM0 b1 c0", 2, "aM0 b1 c1", 3},         // plain below joins the shown group
            {false, "x0 aM0 b1 c0*", 3, "x0 c0 aM0 b1", 5},  // linked plain below jumps
            {false, "x0 aM0 b1 c1", 1, "aM0 b1 c1 x0", 4},   // group below moves up past the item
            {false, "aM0 bM0 c1", 1, "bM0 aM0 c1", 2},       // headers swapped
            {false, "aM0 b1 cM0 d1", 2, "aM0 b1 cM1 d2", 3},  // group below nests
            {false, "x0 aM0 b1 cM0* d1", 3, "x0 cM0 d1 aM0 b1", 5},  // linked group below before the run
            {false, "a0 b1", 1, "a0 b1", -1},                // member below a plain
            {false, "x0 aM0 b1", 2, "x0 b0 aM0", 3},         // member moves above the shown header
            {false, "aM0 b1 c1", 2, "aM0 c1 b1", 3},         // members swapped
        };
        for (const auto& r : rows)
            QTest::addRow("%s %d of %s", r.up ? "up" : "down", r.p, r.before) << r.up << r.before << r.p << r.after << r.reselect;
    }

    void move()
    {
        QFETCH(bool, up);
        QFETCH(QString, before);
        QFETCH(int, p);
        QFETCH(QString, after);
        QFETCH(int, reselect);
        ItemTable t = Layout(before);
        QCOMPARE(Words(t), before.remove(QLatin1Char('*')));  // the notation reads back
        const std::optional<int> r = up ? MoveItemUp(t, p) : MoveItemDown(t, p);
        QCOMPARE(Words(t), after);
        QCOMPARE(r.value_or(-1), reselect);
    }

    void linksFollowTheirLines()
    {
        // Standard lines linked 1-1 .. 5-5; every move keeps the pairs.
        for (const char* layout : {"a0* b0* c0* d0* e0*", "aM0* b1* c1* d0* e0*", "x0* aM0* b1* cM0* d1*"}) {
            for (int p = 1; p <= 5; ++p) {
                for (bool up : {true, false}) {
                    ItemTable standard = Layout(QLatin1String(layout)), local = Layout(QLatin1String(layout));
                    up ? MoveItemUp(standard, p) : MoveItemDown(standard, p);
                    RebuildPass(standard, local, false, PaneWatch{});
                    for (int i = 1; i <= 5; ++i) {
                        const qint32 partner = standard[i].LinkedSerialNo;
                        QCOMPARE(standard[i].SerialNo, i);
                        QCOMPARE(local[partner].LinkedSerialNo, i);
                        QCOMPARE(local[partner].ItemName, standard[i].ItemName);  // each line keeps its partner
                    }
                }
            }
        }
    }

    // What the definition check finds in settled layouts (the local one rebuilt as the screen would) and after a
    // change that only the check sees.
    void definitionProblems_data()
    {
        QTest::addColumn<QString>("standard");
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("found");  // Finding::Line() of each, "!" marking those that refuse
        QTest::newRow("clean") << "a0:4* bM0x2* c1:3*" << "a0:4* bM0x2* c1:3*" << "";
        QTest::newRow("member without header") << "a0 b1" << "" << "standard line 2: レベル番号: 1: a member without its group header";
        QTest::newRow("empty group") << "a0 bM0" << "" << "standard line 2: 属性: a group header without members";
        QTest::newRow("one-sided") << "a0*2" << "a0 b0" << "!standard line 1: 対応項目通番: 2: local line 2 links to 0";
        QTest::newRow("nowhere") << "a0" << "a0*5" << "!local line 1: 対応項目通番: 5: no such line (1 lines)";
        QTest::newRow("length") << "a0:4*" << "a0:5*" << "standard line 1: 長さ: 4, linked local line 1 has 5";
        QTest::newRow("kind") << "aM0* b1:2" << "a0:4* b0:2" << "standard line 1: 属性: \"M\", linked local line 1 has \"X\"";
        QTest::newRow("beyond 32 bits") << "" << "aM0x2 b1:2000000000 c0"
                                        << "!local line 3: 項目位置: the screen computes 4000000001, beyond 32 bits";
    }
    void definitionProblems()
    {
        QFETCH(QString, standard);
        QFETCH(QString, local);
        QFETCH(QString, found);
        FormatLines lines;
        lines.StandardItems = Layout(standard);
        lines.LocalItems = Layout(local);
        for (ItemTable* table : {&lines.StandardItems, &lines.LocalItems})
            for (int i = 1; i <= table->Count(); ++i)
                (*table)[i].SerialNo = i;
        ItemTable settled = lines.LocalItems;
        if (!RebuildSettled(settled, lines.StandardItems, PaneWatch{}).outOfRange)
            lines.LocalItems = settled;
        QStringList seen;
        for (const Finding& f : FindDefinitionProblems(lines))
            seen << (f.refuses ? "!" : "") + f.Line();
        QCOMPARE(seen.join('\n'), found);
    }
};

QTEST_APPLESS_MAIN(TestLayoutTables)
#include "test_core_lines.moc"
