// Moving lines up and down: every row of both move tables, groups whose
// members run to the end, the first and last line, and links following their
// lines through every move.

#include "core/item_list.h"
#include "core/moves.h"

#include <QTest>

namespace {

// A layout written as words: a letter names the line, then its kind and
// level: "a0" plain, "bM0" group header at level 0, "c1" member at level 1;
// a trailing "*" links the line (to a local line of the same index).
ItemTable Layout(const QString& words)
{
    ItemTable t;
    for (QString w : words.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        FormatItem item;
        item.ItemName = w.left(1);
        if (w.endsWith(QLatin1Char('*'))) {
            item.LinkedSerialNo = t.Count() + 1;
            w.chop(1);
        }
        item.Attribute = w.mid(1, 1) == QLatin1String("M") ? QStringLiteral("M") : QStringLiteral("X");
        item.Level = w.mid(item.IsGroupHeader() ? 2 : 1).toInt();
        t.Insert(t.Count() + 1, item);
    }
    return t;
}

// The layout back in the same notation (names, kinds and levels; no links).
QString Words(const ItemTable& t)
{
    QStringList words;
    for (int i = 1; i <= t.Count(); ++i)
        words << t[i].ItemName + (t[i].IsGroupHeader() ? QStringLiteral("M") : QString()) + QString::number(t[i].Level);
    return words.join(QLatin1Char(' '));
}

}  // namespace

class TestMoves : public QObject {
    Q_OBJECT

private slots:
    void move_data()
    {
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("p");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("reselect");  // -1: nothing moved
        QTest::newRow("up: first line") << true << "a0 b0" << 1 << "a0 b0" << -1;
        QTest::newRow("up: plain below plain: swap") << true << "a0 b0 c0" << 3 << "a0 c0 b0" << 2;
        QTest::newRow("up: plain below header: swap") << true << "aM0 b0" << 2 << "b0 aM0" << 1;
        QTest::newRow("up: plain joins the group above") << true << "aM0 b1 c0" << 3 << "aM0 b1 c1" << 3;
        QTest::newRow("up: linked plain jumps before the group") << true << "x0 aM0 b1 c0*" << 4 << "x0 c0 aM0 b1" << 2;
        QTest::newRow("up: linked plain without a header above") << true << "a1 b1 c0*" << 3 << "c0 a1 b1" << 1;
        QTest::newRow("up: header below plain: group up") << true << "x0 aM0 b1 c1 d0" << 2 << "aM0 b1 c1 x0 d0" << 1;
        QTest::newRow("up: group to the end moves up") << true << "x0 aM0 b1 c1" << 2 << "aM0 b1 c1 x0" << 1;
        QTest::newRow("up: header below header: swap") << true << "aM0 bM0 c1" << 2 << "bM0 aM0 c1" << 1;
        QTest::newRow("up: header nests into the group above") << true << "aM0 b1 cM0 d1 e0" << 3 << "aM0 b1 cM1 d2 e0" << 3;
        QTest::newRow("up: header at the largest level") << true << "x0 aM2147483647 b-2147483648" << 2
                                                         << "aM2147483647 x0 b-2147483648" << 1;
        QTest::newRow("up: nesting beyond 32 bits: nothing") << true << "a1 bM-2147483648 c0" << 2
                                                             << "a1 bM-2147483648 c0" << -1;
        QTest::newRow("up: linked header moves before the run") << true << "x0 aM0 b1 b1 cM0* d1 e0" << 5
                                                                << "x0 cM0 d1 aM0 b1 b1 e0" << 2;
        QTest::newRow("up: member below plain: nothing") << true << "a0 b1" << 2 << "a0 b1" << -1;
        QTest::newRow("up: member leaves its group") << true << "x0 aM0 b1" << 3 << "x0 b0 aM0" << 2;
        QTest::newRow("up: member leaves at the top") << true << "aM0 b1" << 2 << "b0 aM0" << 1;
        QTest::newRow("up: member below member: swap") << true << "aM0 b1 c1" << 3 << "aM0 c1 b1" << 2;
        QTest::newRow("down: last line") << false << "a0 b0" << 2 << "a0 b0" << -1;
        QTest::newRow("down: plain swapped down") << false << "a0 b0 c0" << 1 << "b0 a0 c0" << 2;
        QTest::newRow("down: header swapped below a plain") << false << "aM0 b0" << 1 << "b0 aM0" << 2;
        QTest::newRow("down: plain below joins the shown group") << false << "aM0 b1 c0" << 2 << "aM0 b1 c1" << 3;
        QTest::newRow("down: linked plain below jumps") << false << "x0 aM0 b1 c0*" << 3 << "x0 c0 aM0 b1" << 5;
        QTest::newRow("down: group below moves up past the item") << false << "x0 aM0 b1 c1" << 1 << "aM0 b1 c1 x0" << 4;
        QTest::newRow("down: headers swapped") << false << "aM0 bM0 c1" << 1 << "bM0 aM0 c1" << 2;
        QTest::newRow("down: group below nests") << false << "aM0 b1 cM0 d1" << 2 << "aM0 b1 cM1 d2" << 3;
        QTest::newRow("down: linked group below moves before the run") << false << "x0 aM0 b1 cM0* d1" << 3
                                                                       << "x0 cM0 d1 aM0 b1" << 5;
        QTest::newRow("down: member below a plain: nothing") << false << "a0 b1" << 1 << "a0 b1" << -1;
        QTest::newRow("down: member moves above the shown header") << false << "x0 aM0 b1" << 2 << "x0 b0 aM0" << 3;
        QTest::newRow("down: members swapped") << false << "aM0 b1 c1" << 2 << "aM0 c1 b1" << 3;
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
                    ItemTable standard = Layout(QLatin1String(layout));
                    ItemTable local = Layout(QLatin1String(layout));
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
};

QTEST_APPLESS_MAIN(TestMoves)
#include "test_core_moves.moc"
