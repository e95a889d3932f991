// The fast rebuild (settling stopped at a fixed point, list texts formatted
// only when painted, one list fill per operation) against a literal reading
// of the rebuild rules, over thousands of random edits of random formats.

#include "core/fake_world.h"
#include "core/item_list.h"
#include "core/item_ops.h"
#include "core/linking.h"
#include "core/list_rebuild.h"
#include "core/moves.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// ---- The rules read literally: full passes, searches from scratch, the
// local side rebuilt once more per group header, texts built piece by piece.

struct Side {
    ItemTable table;
    int selectedRow = -1;
};

qint32 Width(const FormatItem& line)
{
    return line.Length + (line.DecimalLength > 0 ? 1 : 0);
}

qint32 LiteralPosition(const ItemTable& t, int i)
{
    if (i == 1)
        return 1;
    const FormatItem& p = t[i - 1];
    if (p.Attribute == QLatin1String("M"))
        return p.ItemPosition;
    if (t[i].Level < p.Level) {
        for (int h = i - 1; h >= 1; --h)
            if (t[h].Attribute == QLatin1String("M"))
                return t[h].ItemPosition + t[h].Length * t[h].RepeatCount;
        return 0;
    }
    return p.ItemPosition + Width(p);
}

qint32 LiteralGroupLength(const ItemTable& t, int h)
{
    qint32 sum = 0;
    for (int j = h + 1; j <= t.Count(); ++j) {
        if (t[j].Level < t[h].Level + 1)
            break;
        if (t[j].Level == t[h].Level + 1)
            sum += Width(t[j]);
    }
    return sum;
}

QString LiteralText(const FormatItem& line, bool local)
{
    const qint64 number = local ? line.ItemPosition : line.ItemNo;
    QString digits = QString::number(qAbs(number));
    while (digits.size() < 6)
        digits.prepend(QLatin1Char('0'));
    if (number < 0)
        digits.prepend(QLatin1Char('-'));
    QString indent;
    for (int k = 0; k < line.Level; ++k)
        indent += QStringLiteral("   ");
    const QString text = line.Attribute == QLatin1String("M")
        ? QStringLiteral("マルチ明細 No.") + line.MultiDetailNo
        : line.ItemName;
    return indent + digits + QStringLiteral("  ") + text;
}

// One rebuild of a side: a pass, and on the local side one more per group header.
void LiteralRebuild(Side& here, Side& other, bool local, qint32 reselect)
{
    ItemTable& t = here.table;
    for (int pass = 0, headers = 0; pass <= headers; ++pass) {
        for (int i = 1; i <= t.Count(); ++i) {
            t[i].SerialNo = i;
            t[i].ItemPosition = LiteralPosition(t, i);
            if (local && t[i].Attribute == QLatin1String("M")) {
                t[i].Length = LiteralGroupLength(t, i);
                t[i].DecimalLength = 0;
                headers += pass == 0 ? 1 : 0;
            }
            const qint32 k = t[i].LinkedSerialNo;
            if (k > 0 && k <= other.table.Count())
                other.table[k].LinkedSerialNo = i;
        }
    }
    // Refilling a list drops its selection before the reselect.
    const int n = t.Count();
    here.selectedRow = n > reselect - 1 ? reselect - 1 : n == reselect - 1 ? reselect - 2 : -1;
}

// ---- Random edits, applied alike to the form's tables and to the literal ones.

class Edits {
public:
    explicit Edits(quint32 seed) : random_(seed) {}

    int Below(int n) { return n > 0 ? int(random_.bounded(n)) : 0; }
    bool Chance(int percent) { return Below(100) < percent; }

    FormatItem NewLine(bool local, bool header)
    {
        FormatItem line;
        line.FormatType = local ? QStringLiteral("L") : QStringLiteral("E");
        if (header) {
            line.Attribute = QStringLiteral("M");
            line.MultiDetailNo = QString::number(++groups_);
            line.RepeatCount = 1 + Below(4);
            line.ItemName = QStringLiteral("明細");
            return line;
        }
        static const char* const attributes[] = {"X", "9", "N", "K", "B"};
        line.Attribute = QString::fromLatin1(attributes[Below(5)]);
        line.Length = 1 + Below(40);
        if (line.Attribute == QLatin1String("9") || line.Attribute == QLatin1String("N"))
            line.DecimalLength = Below(3);
        // Now and then numbers of seven digits or below zero, as corrupt data may hold.
        line.ItemNo = Chance(5) ? 1000000 + Below(9000000) : Chance(3) ? -Below(500) : Below(1000);
        line.ItemName = QStringLiteral("項目%1").arg(Below(100000));
        return line;
    }

    // A layout of groups nested up to three deep, every header followed by a member.
    ItemTable Layout(bool local, int count)
    {
        ItemTable table;
        int depth = 0;
        bool afterHeader = false;
        for (int i = 1; i <= count; ++i) {
            if (!afterHeader && depth > 0 && Chance(20))
                depth -= 1 + Below(depth);
            const bool header = !afterHeader && depth < 3 && i < count && Chance(15);
            FormatItem line = NewLine(local, header);
            line.Level = depth;
            table.Insert(i, line);
            afterHeader = header;
            depth += header ? 1 : 0;
        }
        return table;
    }

private:
    QRandomGenerator random_;
    int groups_ = 0;
};

}  // namespace

class TestRebuildEquivalence : public QObject {
    Q_OBJECT

private slots:
    void randomEditsMatchTheLiteralRules_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 2u, 3u, 4u, 5u})
            QTest::addRow("seed %u", seed) << seed;
    }

    void randomEditsMatchTheLiteralRules()
    {
        QFETCH(quint32, seed);
        Edits random(seed);
        FormState form;
        FormatLines& fast = form.Lines;
        Side standard, local;
        fast.StandardItems = standard.table = random.Layout(false, 60);
        fast.LocalItems = local.table = random.Layout(true, 60);
        // As after the load: both sides built, nothing selected.
        RebuildItemList(form, QStringLiteral("E"));
        SettleLocalList(form);
        LiteralRebuild(standard, local, false, 0);
        LiteralRebuild(local, standard, true, 0);

        for (int step = 0; step < 800; ++step) {
            // One edit of the operator's kinds on one side; the literal side
            // gets the same table, so only the rebuilds can differ.
            const bool onLocal = random.Chance(50);
            ItemTable& table = onLocal ? fast.LocalItems : fast.StandardItems;
            ItemTable& otherTable = onLocal ? fast.StandardItems : fast.LocalItems;
            const int n = table.Count();
            const int p = 1 + random.Below(n);
            const int roll = random.Below(100);
            bool rebuild = true, rebuildBoth = false;
            if (roll < 40 || n == 0) {
                PaneState pane;
                pane.selectedRow = random.Chance(80) ? random.Below(n) : -1;
                pane.levelNo = pane.selectedRow >= 0 ? table[pane.selectedRow + 1].Level : 0;
                const bool header = random.Chance(15);
                FormatItem line = random.NewLine(onLocal, header);
                const int at = CommitPosition(table, pane);
                line.Level = ComputeLevel(table, at, line, header ? "MEISAI" : "KOMOKU", pane);
                PlaceLine(table, at, line, true);
                fast.ReselectPosition = at;
            } else if (roll < 50) {
                table[p].Length = 1 + random.Below(40);
                table[p].RepeatCount = 1 + random.Below(4);
                fast.ReselectPosition = p;
            } else if (roll < 62) {
                RemoveItem(table, otherTable, p);
                fast.ReselectPosition = p;
            } else if (roll < 88) {
                const std::optional<int> moved = random.Chance(50) ? MoveItemUp(table, p) : MoveItemDown(table, p);
                fast.ReselectPosition = moved.value_or(fast.ReselectPosition);
            } else if (roll < 97) {
                // A link between any two lines; nothing is rebuilt.
                const int l = 1 + random.Below(otherTable.Count());
                if (l <= otherTable.Count()) {
                    table[p].LinkedSerialNo = l;
                    otherTable[l].LinkedSerialNo = p;
                }
                rebuild = false;
            } else {
                CopyLinked(fast.StandardItems, fast.LocalItems, form.Lis_Hyojun.count());
                rebuildBoth = true;
            }
            standard.table = fast.StandardItems;
            local.table = fast.LocalItems;

            if (rebuildBoth || (rebuild && !onLocal)) {
                RebuildItemList(form, QStringLiteral("E"));
                LiteralRebuild(standard, local, false, fast.ReselectPosition);
            }
            if (rebuildBoth || (rebuild && onLocal)) {
                SettleLocalList(form);
                LiteralRebuild(local, standard, true, fast.ReselectPosition);
            }

            const QString where = QStringLiteral("seed %1, step %2").arg(seed).arg(step);
            for (const bool isLocal : {false, true}) {
                const ItemTable& mine = isLocal ? fast.LocalItems : fast.StandardItems;
                const Side& literal = isLocal ? local : standard;
                const LineList& list = isLocal ? form.Lis_Local : form.Lis_Hyojun;
                QVERIFY2(mine.Count() == literal.table.Count(), qPrintable(where));
                for (int i = 1; i <= mine.Count(); ++i)
                    QVERIFY2(FakeWorld::Row(mine[i]) == FakeWorld::Row(literal.table[i]),
                             qPrintable(where + QStringLiteral(": line %1 of %2").arg(i).arg(isLocal ? "L" : "E")));
                QVERIFY2(list.count() == mine.Count(), qPrintable(where));
                for (int r = 0; r < list.count(); ++r)
                    QVERIFY2(ListText(mine[r + 1], isLocal) == LiteralText(literal.table[r + 1], isLocal),
                             qPrintable(where + QStringLiteral(": text of row %1").arg(r)));
                QVERIFY2(list.currentRow == literal.selectedRow, qPrintable(where));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestRebuildEquivalence)
#include "test_core_rebuild.moc"
