// Linking lines of the two layouts from the panes, the link buttons, 一括ﾘﾝｸ（M)
// and moves on the line screen with the links shown in the panes.

#include "items/edit_pane.h"
#include "items/linking.h"
#include "items/list_view.h"
#include "support/form_harness.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestLinking : public FormTest {
    Q_OBJECT

private:

    // Selects a line (1-based) and shows it in its pane with 編集.
    void Show(const QString& side, int position)
    {
        const bool standard = side == QLatin1String("E");
        SelectListRow(standard ? F().Lis_Hyojun : F().Lis_Local, position - 1);
        F().ComandBtn[standard ? 6 : 19]->click();
    }

private slots:
    void linkAndUnlink()
    {
        QVERIFY(h_.OpenLines(QStringLiteral("2"), QStringLiteral("0201"), QStringLiteral("SHIPNT01")));
        // Standard 1 and local 1 are both unlinked items.
        QCOMPARE(F().Lines.StandardItems[1].LinkedSerialNo, 0);
        QCOMPARE(F().Lines.LocalItems[1].LinkedSerialNo, 0);
        Show(QStringLiteral("L"), 1);
        Show(QStringLiteral("E"), 1);
        QVERIFY(F().ComandBtn[12]->isEnabled() && !F().ComandBtn[13]->isEnabled());
        F().ComandBtn[12]->click();
        QCOMPARE(Texts({F().lbl_TaioKomokuTuban, F().lbl_TaioKomokuTubanLocal}), (QStringList{"1", "1"}));
        QVERIFY(!F().ComandBtn[12]->isEnabled() && F().ComandBtn[13]->isEnabled());
        QCOMPARE(F().Lines.LocalItems[1].LinkedSerialNo, 1);
        QVERIFY(LinksSymmetric(F().Lines));

        // Unlinking a standard line linked elsewhere while the local pane shows
        // another line: the partner loses its link, the local pane is shown again.
        const qint32 partner = F().Lines.StandardItems[3].LinkedSerialNo;
        QVERIFY(partner > 0);
        Show(QStringLiteral("E"), 3);
        F().ComandBtn[13]->click();
        QCOMPARE(F().Lines.LocalItems[partner].LinkedSerialNo, 0);
        QCOMPARE(F().Lines.StandardItems[3].LinkedSerialNo, 0);
        QCOMPARE(Texts({F().lbl_TaioKomokuTuban, F().lbl_KomokuTubanLocal, F().lbl_TaioKomokuTubanLocal}),
                 (QStringList{"", "1", "1"}));
        QVERIFY(F().txt_KomokuMei->Locked());  // shown again, not edited
        QVERIFY(LinksSymmetric(F().Lines));
    }

    void linkRefusedWhereTheButtonIsDisabled()
    {
        QVERIFY(h_.OpenLines(QStringLiteral("2"), QStringLiteral("0201"), QStringLiteral("SHIPNT01")));
        // A group header and an item: different kinds.
        Show(QStringLiteral("L"), 2);
        Show(QStringLiteral("E"), 12);
        QCOMPARE(F().lbl_ZokuseiCode->text(), QStringLiteral("M"));
        F().Lines.StandardItems[12].LinkedSerialNo = 0;  // as if unlinked
        F().Lines.LocalItems[9].LinkedSerialNo = 0;
        ShowItemInPane(F(), 12, QStringLiteral("E"));
        QVERIFY(!F().ComandBtn[12]->isEnabled());
        const qint32 local2 = F().Lines.LocalItems[2].LinkedSerialNo;
        QTest::keyClick(F().txt_KomokuNo, Qt::Key_L, Qt::AltModifier);
        QCOMPARE(F().Lines.StandardItems[12].LinkedSerialNo, 0);
        QCOMPARE(F().Lines.LocalItems[2].LinkedSerialNo, local2);
        // A local line already linked to another line is refused as well.
        Show(QStringLiteral("L"), 4);
        Show(QStringLiteral("E"), 1);
        const qint32 before = F().Lines.LocalItems[4].LinkedSerialNo;
        QVERIFY(before > 0);
        CreateLink(F());
        QCOMPARE(F().Lines.LocalItems[4].LinkedSerialNo, before);
        QCOMPARE(F().Lines.StandardItems[1].LinkedSerialNo, 0);
        QVERIFY(LinksSymmetric(F().Lines));
    }

    void linkAll()
    {
        QVERIFY(h_.OpenLines(QStringLiteral("2"), QStringLiteral("0401"), QStringLiteral("INVOIC01")));
        // Four standard lines and seven local ones.
        while (F().Lines.StandardItems.Count() > 4)
            F().Lines.StandardItems.Remove(F().Lines.StandardItems.Count());
        F().Lines.LocalItems.Insert(1, F().Lines.LocalItems[1]);
        RebuildItemList(F(), QStringLiteral("E"));
        SettleLocalList(F());
        QCOMPARE(ListCount(F().Lis_Local), 7);
        PressOnList(F().Lis_Hyojun, Qt::Key_M, Qt::AltModifier);
        QCOMPARE(ListCount(F().Lis_Local), 4);
        for (int i = 1; i <= 4; ++i) {
            QCOMPARE(F().Lines.StandardItems[i].LinkedSerialNo, i);
            QCOMPARE(F().Lines.LocalItems[i].LinkedSerialNo, i);
            QCOMPARE(F().Lines.LocalItems[i].ItemNo, F().Lines.StandardItems[i].ItemNo);
            QCOMPARE(F().Lines.LocalItems[i].FormatType, QStringLiteral("L"));
        }
        // Local positions are computed for the copy.
        QCOMPARE(F().Lines.LocalItems[2].ItemPosition,
                 1 + F().Lines.LocalItems[1].Length + (F().Lines.LocalItems[1].DecimalLength > 0));

        // An empty standard layout empties the local one.
        F().Lines.StandardItems.Clear();
        RebuildItemList(F(), QStringLiteral("E"));
        F().ComandBtn[14]->click();
        QCOMPARE(ListCount(F().Lis_Local), 0);
        QCOMPARE(F().Lines.LocalItems.Count(), 0);
    }

    void inquiryShowsUnlinkForALinkedLine()
    {
        QVERIFY(h_.OpenLines(QStringLiteral("0"), QStringLiteral("0401"), QStringLiteral("INVOIC01")));
        QVERIFY(!F().ComandBtn[13]->isEnabled());
        ShowItemInPane(F(), 1, QStringLiteral("E"));
        QVERIFY(F().ComandBtn[13]->isEnabled());
    }

    void movesShowTheMovedLineAndItsLink()
    {
        QVERIFY(h_.OpenLines(QStringLiteral("2"), QStringLiteral("0401"), QStringLiteral("INVOIC01")));
        // Standard 3 and 4 are plain items; 4 is linked.
        const qint32 partner = F().Lines.StandardItems[4].LinkedSerialNo;
        const QString name = F().Lines.StandardItems[4].ItemName;
        Show(QStringLiteral("L"), partner);
        QCOMPARE(F().lbl_TaioKomokuTubanLocal->text(), QStringLiteral("4"));
        Show(QStringLiteral("E"), 4);
        F().ComandBtn[7]->click();  // 上へ移動
        QCOMPARE(ListCurrentRow(F().Lis_Hyojun), 2);
        QCOMPARE(Texts({F().lbl_KomokuTuban, F().lbl_KomokuNo, F().lbl_TaioKomokuTubanLocal}),
                 (QStringList{"3", name, "3"}));
        QCOMPARE(F().Lines.LocalItems[partner].LinkedSerialNo, 3);
        F().txt_KomokuNo->setFocus();
        QTest::keyClick(F().txt_KomokuNo, Qt::Key_PageDown, Qt::AltModifier);
        QCOMPARE(F().lbl_KomokuTuban->text(), QStringLiteral("4"));
        QCOMPARE(F().Lines.LocalItems[partner].LinkedSerialNo, 4);
        QVERIFY(LinksSymmetric(F().Lines));
        // The first line does not move up.
        Show(QStringLiteral("E"), 1);
        const QString first = F().Lines.StandardItems[1].ItemName;
        F().ComandBtn[7]->click();
        QCOMPARE(F().Lines.StandardItems[1].ItemName, first);
    }
};

QTEST_MAIN(TestLinking)
#include "test_linking.moc"
