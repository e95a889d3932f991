// Adding and deleting lines on the line screen of a stored format: the line
// goes below the selection, links follow their lines, and the reselected
// line after a delete.

#include "core/item_edit.h"
#include "support/form_harness.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestItemEdit : public FormTest {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(h_.Start());
        QVERIFY(h_.OpenLines(QStringLiteral("2"), QStringLiteral("0401"), QStringLiteral("INVOIC01")));
        QCOMPARE(ListCount(F().Lis_Hyojun), 6);
    }

    void commitBelowTheSelection()
    {
        // Standard line 3 selected: a new item goes to 4; the local line that
        // was linked to old line 4 shows 5 in its pane.
        const qint32 localOf4 = F().State.Lines.StandardItems[4].LinkedSerialNo;
        SelectListRow(F().Lis_Local, localOf4 - 1);
        F().ComandBtn[19]->click();
        QCOMPARE(F().lbl_TaioKomokuTubanLocal->text(), QStringLiteral("4"));
        SelectListRow(F().Lis_Hyojun, 2);
        F().ComandBtn[4]->click();
        F().txt_KomokuNo->setText(QStringLiteral("301"));
        QCOMPARE(h_.Click(10), QStringList());
        QCOMPARE(ListCount(F().Lis_Hyojun), 7);
        QCOMPARE(F().State.Lines.StandardItems[4].ItemNo, 301);
        QCOMPARE(ListCurrentRow(F().Lis_Hyojun), 3);
        QCOMPARE(F().State.Lines.LocalItems[localOf4].LinkedSerialNo, 5);
        QCOMPARE(F().lbl_TaioKomokuTubanLocal->text(), QStringLiteral("5"));
        // The pane is ready for the next item.
        QVERIFY(F().lbl_KomokuTuban->text().isEmpty());
        QCOMPARE(F().State.Lines.EditKind, QStringLiteral("KOMOKU"));
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
        SelectListRow(F().Lis_Local, row);
        F().ComandBtn[19]->click();
        const qint32 partner = F().State.Lines.LocalItems[row + 1].LinkedSerialNo;
        QVERIFY(partner > 0);
        F().ComandBtn[21]->click();
        QCOMPARE(ListCount(F().Lis_Local), 5);
        QCOMPARE(ListCurrentRow(F().Lis_Local), selected);
        QCOMPARE(F().State.Lines.StandardItems[partner].LinkedSerialNo, 0);
        QVERIFY(F().lbl_KomokuTubanLocal->text().isEmpty());
        QVERIFY(LinksSymmetric(F().State.Lines));
    }

    void deleteTheOnlyLineAndNothingShown()
    {
        for (int n = 6; n > 0; --n) {
            SelectListRow(F().Lis_Hyojun, 0);
            F().ComandBtn[6]->click();
            F().ComandBtn[8]->click();
        }
        QCOMPARE(ListCount(F().Lis_Hyojun), 0);
        QCOMPARE(ListCurrentRow(F().Lis_Hyojun), -1);
        F().ComandBtn[8]->click();  // nothing shown: nothing happens
        QCOMPARE(F().State.Lines.StandardItems.Count(), 0);
    }

    void newLocalLineWithoutNameIsDropped()
    {
        F().State.Lines.EditKind = QStringLiteral("KOMOKU");
        F().lbl_KomokuTubanLocal->clear();
        F().txt_KomokuMei->setText(QStringLiteral("   "));
        QVERIFY(!F().Run([&](FormState& s_) { return CommitItem(s_, QStringLiteral("L")); }));
        QCOMPARE(F().State.Lines.LocalItems.Count(), 6);
    }
};

QTEST_MAIN(TestItemEdit)
#include "test_item_edit.moc"
