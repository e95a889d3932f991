// Moving lines up and down: every row of both move tables, groups whose
// members run to the end, the first and last line, and links following their
// lines through every move.

#include "items/item_list.h"
#include "items/moves.h"

#include <QTest>

namespace {

// A layout written as words: a letter names the line, then its kind and
// level: "a0" plain, "bM0" group header at level 0, "c1" member at level 1;
// a trailing "*" links the line (to a local line of the same index).
ItemTable Layout(const QString& words)
{
    ItemTable t;
    const QStringList list = words.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& w : list) {
        FormatItem item;
        item.ItemName = w.left(1);
        QString rest = w.mid(1);
        if (rest.endsWith(QLatin1Char('*'))) {
            item.LinkedSerialNo = t.Count() + 1;
            rest.chop(1);
        }
        if (rest.startsWith(QLatin1Char('M'))) {
            item.Attribute = QStringLiteral("M");
            rest = rest.mid(1);
        } else {
            item.Attribute = QStringLiteral("X");
        }
        item.Level = rest.toInt();
        t.Insert(t.Count() + 1, item);
    }
    return t;
}

// The layout back in the same notation (names, kinds and levels; no links).
QString Words(const ItemTable& t)
{
    QStringList words;
    for (int i = 1; i <= t.Count(); ++i)
        words << t[i].ItemName + (t[i].IsGroupHeader() ? QStringLiteral("M") : QString())
                + QString::number(t[i].Level);
    return words.join(QLatin1Char(' '));
}

}  // namespace

class TestMoves : public QObject {
    Q_OBJECT

private slots:
    void moveUp_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("p");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("reselect");  // -1: nothing moved
        QTest::newRow("first line") << "a0 b0" << 1 << "a0 b0" << -1;
        QTest::newRow("plain below plain: swap") << "a0 b0 c0" << 3 << "a0 c0 b0" << 2;
        QTest::newRow("plain below header: swap") << "aM0 b0" << 2 << "b0 aM0" << 1;
        QTest::newRow("plain joins the group above") << "aM0 b1 c0" << 3 << "aM0 b1 c1" << 3;
        QTest::newRow("linked plain jumps before the group") << "x0 aM0 b1 c0*" << 4 << "x0 c0 aM0 b1" << 2;
        QTest::newRow("linked plain without a header above") << "a1 b1 c0*" << 3 << "c0 a1 b1" << 1;
        QTest::newRow("header below plain: group up") << "x0 aM0 b1 c1 d0" << 2 << "aM0 b1 c1 x0 d0" << 1;
        QTest::newRow("group to the end moves up") << "x0 aM0 b1 c1" << 2 << "aM0 b1 c1 x0" << 1;
        QTest::newRow("header below header: swap") << "aM0 bM0 c1" << 2 << "bM0 aM0 c1" << 1;
        QTest::newRow("header nests into the group above") << "aM0 b1 cM0 d1 e0" << 3 << "aM0 b1 cM1 d2 e0" << 3;
        QTest::newRow("linked header moves before the run") << "x0 aM0 b1 b1 cM0* d1 e0" << 5
                                                             << "x0 cM0 d1 aM0 b1 b1 e0" << 2;
        QTest::newRow("member below plain: nothing") << "a0 b1" << 2 << "a0 b1" << -1;
        QTest::newRow("member leaves its group") << "x0 aM0 b1" << 3 << "x0 b0 aM0" << 2;
        QTest::newRow("member leaves at the top") << "aM0 b1" << 2 << "b0 aM0" << 1;
        QTest::newRow("member below member: swap") << "aM0 b1 c1" << 3 << "aM0 c1 b1" << 2;
    }

    void moveUp()
    {
        QFETCH(QString, before);
        QFETCH(int, p);
        QFETCH(QString, after);
        QFETCH(int, reselect);
        ItemTable t = Layout(before);
        const std::optional<int> r = MoveItemUp(t, p);
        QCOMPARE(Words(t), after);
        QCOMPARE(r.value_or(-1), reselect);
    }

    void moveDown_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("p");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("reselect");
        QTest::newRow("last line") << "a0 b0" << 2 << "a0 b0" << -1;
        QTest::newRow("plain swapped down") << "a0 b0 c0" << 1 << "b0 a0 c0" << 2;
        QTest::newRow("header swapped below a plain") << "aM0 b0" << 1 << "b0 aM0" << 2;
        QTest::newRow("plain below joins the shown group") << "aM0 b1 c0" << 2 << "aM0 b1 c1" << 3;
        QTest::newRow("linked plain below jumps") << "x0 aM0 b1 c0*" << 3 << "x0 c0 aM0 b1" << 5;
        QTest::newRow("group below moves up past the item") << "x0 aM0 b1 c1" << 1 << "aM0 b1 c1 x0" << 4;
        QTest::newRow("headers swapped") << "aM0 bM0 c1" << 1 << "bM0 aM0 c1" << 2;
        QTest::newRow("group below nests") << "aM0 b1 cM0 d1" << 2 << "aM0 b1 cM1 d2" << 3;
        QTest::newRow("linked group below moves before the run") << "x0 aM0 b1 cM0* d1" << 3
                                                                 << "x0 cM0 d1 aM0 b1" << 5;
        QTest::newRow("member below a plain: nothing") << "a0 b1" << 1 << "a0 b1" << -1;
        QTest::newRow("member moves above the shown header") << "x0 aM0 b1" << 2 << "x0 b0 aM0" << 3;
        QTest::newRow("members swapped") << "aM0 b1 c1" << 2 << "aM0 c1 b1" << 3;
    }

    void moveDown()
    {
        QFETCH(QString, before);
        QFETCH(int, p);
        QFETCH(QString, after);
        QFETCH(int, reselect);
        ItemTable t = Layout(before);
        const std::optional<int> r = MoveItemDown(t, p);
        QCOMPARE(Words(t), after);
        QCOMPARE(r.value_or(-1), reselect);
    }

    void linksFollowTheirLines()
    {
        // Standard lines linked 1-1 .. 5-5; every move keeps the pairs.
        const QStringList layouts{"a0* b0* c0* d0* e0*", "aM0* b1* c1* d0* e0*",
                                  "x0* aM0* b1* cM0* d1*"};
        for (const QString& layout : layouts) {
            for (int p = 1; p <= 5; ++p) {
                for (bool up : {true, false}) {
                    ItemTable standard = Layout(layout);
                    ItemTable local = Layout(layout);
                    QStringList pairs;
                    for (int i = 1; i <= 5; ++i)
                        pairs << standard[i].ItemName + local[i].ItemName;
                    up ? MoveItemUp(standard, p) : MoveItemDown(standard, p);
                    RebuildPass(standard, local, false, PaneWatch{});
                    for (int i = 1; i <= 5; ++i) {
                        const qint32 partner = standard[i].LinkedSerialNo;
                        QCOMPARE(standard[i].SerialNo, i);
                        QCOMPARE(local[partner].LinkedSerialNo, i);
                        QVERIFY(pairs.contains(standard[i].ItemName + local[partner].ItemName));
                    }
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestMoves)
#include "test_moves.moc"
