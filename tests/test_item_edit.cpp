// Adding, editing and deleting lines: positions, levels, links following
// their lines, the reselected line, and the decisions on edited group headers
// and deleted linked lines.

#include "app/main_form.h"
#include "app/startup.h"
#include "items/item_edit.h"
#include "items/item_list.h"
#include "items/item_ops.h"
#include "support/message_box_answerer.h"
#include "support/temp_site.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

FormatItem Item(qint32 level, const char* attribute = "X", qint32 link = 0)
{
    FormatItem item;
    item.Level = level;
    item.Attribute = QLatin1String(attribute);
    item.LinkedSerialNo = link;
    item.ItemName = QStringLiteral("item");
    return item;
}

ItemTable Table(std::initializer_list<FormatItem> items)
{
    ItemTable table;
    for (const FormatItem& item : items)
        table.Insert(table.Count() + 1, item);
    return table;
}

}  // namespace

class TestItemEdit : public QObject {
    Q_OBJECT

private:
    TempSite site_;
    std::unique_ptr<F_K450120> form_;
    F_K450120& F() { return *form_; }

private slots:
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
        QTest::newRow("below a plain item") << 2 << "X" << "KOMOKU" << 0 << 0 << 0;
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
        const ItemTable table = Table({Item(0), Item(0, "M"), Item(1)});
        FormatItem record = Item(0, attribute.toLatin1().constData());
        PaneState pane;
        pane.serialNo = serial;
        pane.levelNo = levelLabel;
        QCOMPARE(ComputeLevel(table, position, record, kind, pane), level);
    }

    void commitPositions()
    {
        ItemTable table = Table({Item(0), Item(0), Item(0)});
        PaneState pane;
        QCOMPARE(CommitPosition(table, pane), 4);  // nothing selected: appended
        pane.selectedRow = 0;
        QCOMPARE(CommitPosition(table, pane), 2);  // directly below the selection
        pane.serialNo = 3;
        QCOMPARE(CommitPosition(table, pane), 3);  // an edited line stays
        FormatItem added = Item(0);
        added.ItemName = QStringLiteral("new");
        PlaceLine(table, 2, added, true);
        QCOMPARE(table.Count(), 4);
        QCOMPARE(table[2].ItemName, QStringLiteral("new"));
        PlaceLine(table, 4, added, false);
        QCOMPARE(table.Count(), 4);
        QCOMPARE(table[4].ItemName, QStringLiteral("new"));
    }

    void insertRenumbersPartners()
    {
        // Standard 3 of 5 selected, a new line goes to 4: old 4 and 5 become 5 and 6.
        ItemTable standard = Table({Item(0), Item(0), Item(0), Item(0, "X", 2), Item(0, "X", 1)});
        ItemTable local = Table({Item(0, "X", 5), Item(0, "X", 4)});
        PlaceLine(standard, 4, Item(0), true);
        RebuildPass(standard, local, false, PaneWatch{});
        QCOMPARE(local[1].LinkedSerialNo, 6);
        QCOMPARE(local[2].LinkedSerialNo, 5);
        QCOMPARE(standard[5].LinkedSerialNo, 2);
    }

    void removeClearsThePartner()
    {
        ItemTable standard = Table({Item(0), Item(0, "X", 2), Item(0, "X", 1)});
        ItemTable local = Table({Item(0, "X", 3), Item(0, "X", 2)});
        RemoveItem(standard, local, 2);
        QCOMPARE(standard.Count(), 2);
        QCOMPARE(local[2].LinkedSerialNo, 0);  // its partner is gone
        RebuildPass(standard, local, false, PaneWatch{});
        QCOMPARE(local[1].LinkedSerialNo, 2);  // the line that moved up is renumbered
        // A group header goes alone: its members stay with their levels.
        ItemTable group = Table({Item(0, "M"), Item(1), Item(1)});
        RemoveItem(group, local, 1);
        QCOMPARE(group.Count(), 2);
        QCOMPARE(group[1].Level, 1);
    }

    void initTestCase()
    {
        QVERIFY2(site_.Ok(), qPrintable(site_.Error()));
        site_.UseOdbcConfiguration();
    }

    void init()
    {
        form_ = std::make_unique<F_K450120>();
        F().ProgramFolder = site_.ProgramFolder();
        QCOMPARE(StartUp(F(), "OP01"), 0);
        QVERIFY(QTest::qWaitForWindowActive(&F()));
        QTest::keyClicks(F().txt_SyoriKbn, QStringLiteral("2"));
        F().txt_JohoKbn->setText(QStringLiteral("0401"));
        QTest::keyClick(F().txt_JohoKbn, Qt::Key_Return);
        F().txt_BPID->setText(QStringLiteral("INVOIC01"));
        QTest::keyClick(F().txt_BPID, Qt::Key_Return);
        F().ComandBtn[1]->click();
        QCOMPARE(F().Lis_Hyojun->count(), 6);
    }

    void cleanup() { form_.reset(); }

    void commitBelowTheSelection()
    {
        // Standard line 3 selected: a new item goes to 4; the local line that
        // was linked to old line 4 shows 5 in its pane.
        const qint32 localOf4 = F().Lines.StandardItems[4].LinkedSerialNo;
        F().Lis_Local->setCurrentRow(localOf4 - 1);
        F().ComandBtn[19]->click();
        QCOMPARE(F().lbl_TaioKomokuTubanLocal->text(), QStringLiteral("4"));
        F().Lis_Hyojun->setCurrentRow(2);
        F().ComandBtn[4]->click();
        F().txt_KomokuNo->setText(QStringLiteral("301"));
        MessageBoxAnswerer answerer;
        F().ComandBtn[10]->click();
        QVERIFY(answerer.Texts().isEmpty());
        QCOMPARE(F().Lis_Hyojun->count(), 7);
        QCOMPARE(F().Lines.StandardItems[4].ItemNo, 301);
        QCOMPARE(F().Lis_Hyojun->currentRow(), 3);
        QCOMPARE(F().Lines.LocalItems[localOf4].LinkedSerialNo, 5);
        QCOMPARE(F().lbl_TaioKomokuTubanLocal->text(), QStringLiteral("5"));
        // The pane is ready for the next item.
        QVERIFY(F().lbl_KomokuTuban->text().isEmpty());
        QCOMPARE(F().Lines.EditKind, QStringLiteral("KOMOKU"));
    }

    void deleteSelectsTheNextLine_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("selected");
        QTest::newRow("first") << 0 << 0;
        QTest::newRow("middle") << 2 << 2;
        QTest::newRow("last") << 5 << 4;
    }

    void deleteSelectsTheNextLine()
    {
        QFETCH(int, row);
        QFETCH(int, selected);
        F().Lis_Local->setCurrentRow(row);
        F().ComandBtn[19]->click();
        const qint32 partner = F().Lines.LocalItems[row + 1].LinkedSerialNo;
        QVERIFY(partner > 0);
        F().ComandBtn[21]->click();
        QCOMPARE(F().Lis_Local->count(), 5);
        QCOMPARE(F().Lis_Local->currentRow(), selected);
        QCOMPARE(F().Lines.StandardItems[partner].LinkedSerialNo, 0);
        QVERIFY(F().lbl_KomokuTubanLocal->text().isEmpty());
        // Links stay symmetric for the lines that remain.
        for (int i = 1; i <= F().Lines.LocalItems.Count(); ++i) {
            const qint32 s = F().Lines.LocalItems[i].LinkedSerialNo;
            if (s > 0)
                QCOMPARE(F().Lines.StandardItems[s].LinkedSerialNo, i);
        }
    }

    void deleteTheOnlyLineAndNothingShown()
    {
        for (int n = 6; n > 0; --n) {
            F().Lis_Hyojun->setCurrentRow(0);
            F().ComandBtn[6]->click();
            F().ComandBtn[8]->click();
        }
        QCOMPARE(F().Lis_Hyojun->count(), 0);
        QCOMPARE(F().Lis_Hyojun->currentRow(), -1);
        F().ComandBtn[8]->click();  // nothing shown: nothing happens
        QCOMPARE(F().Lines.StandardItems.Count(), 0);
    }

    void newLocalLineWithoutNameIsDropped()
    {
        F().Lines.EditKind = QStringLiteral("KOMOKU");
        F().lbl_KomokuTubanLocal->clear();
        F().txt_KomokuMei->setText(QStringLiteral("   "));
        QVERIFY(!CommitItem(F(), QStringLiteral("L")));
        QCOMPARE(F().Lines.LocalItems.Count(), 6);
    }
};

QTEST_MAIN(TestItemEdit)
#include "test_item_edit.moc"
