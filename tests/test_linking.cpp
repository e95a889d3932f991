// Linking lines of the two layouts from the panes, the link buttons, 一括ﾘﾝｸ（M)
// and moves on the line screen with the links shown in the panes.

#include "core/edit_pane.h"
#include "core/linking.h"
#include "core/list_rebuild.h"
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
        QCOMPARE(F().State.Lines.StandardItems[1].LinkedSerialNo, 0);
        QCOMPARE(F().State.Lines.LocalItems[1].LinkedSerialNo, 0);
        Show(QStringLiteral("L"), 1);
        Show(QStringLiteral("E"), 1);
        QVERIFY(F().ComandBtn[12]->isEnabled() && !F().ComandBtn[13]->isEnabled());
        F().ComandBtn[12]->click();
        QCOMPARE(Texts({F().lbl_TaioKomokuTuban, F().lbl_TaioKomokuTubanLocal}), (QStringList{"1", "1"}));
        QVERIFY(!F().ComandBtn[12]->isEnabled() && F().ComandBtn[13]->isEnabled());
        QCOMPARE(F().State.Lines.LocalItems[1].LinkedSerialNo, 1);
        QVERIFY(LinksSymmetric(F().State.Lines));

        // Unlinking a standard line linked elsewhere while the local pane shows
        // another line: the partner loses its link, the local pane is shown again.
        const qint32 partner = F().State.Lines.StandardItems[3].LinkedSerialNo;
        QVERIFY(partner > 0);
        Show(QStringLiteral("E"), 3);
        F().ComandBtn[13]->click();
        QCOMPARE(F().State.Lines.LocalItems[partner].LinkedSerialNo, 0);
        QCOMPARE(F().State.Lines.StandardItems[3].LinkedSerialNo, 0);
        QCOMPARE(Texts({F().lbl_TaioKomokuTuban, F().lbl_KomokuTubanLocal, F().lbl_TaioKomokuTubanLocal}),
                 (QStringList{"", "1", "1"}));
        QVERIFY(F().txt_KomokuMei->isReadOnly());  // shown again, not edited
        QVERIFY(LinksSymmetric(F().State.Lines));
    }

    void linkRefusedWhereTheButtonIsDisabled()
    {
        QVERIFY(h_.OpenLines(QStringLiteral("2"), QStringLiteral("0201"), QStringLiteral("SHIPNT01")));
        // A group header and an item: different kinds.
        Show(QStringLiteral("L"), 2);
        Show(QStringLiteral("E"), 12);
        QCOMPARE(F().lbl_ZokuseiCode->text(), QStringLiteral("M"));
        F().State.Lines.StandardItems[12].LinkedSerialNo = 0;  // as if unlinked
        F().State.Lines.LocalItems[9].LinkedSerialNo = 0;
        F().Run([&](FormState& s_) { return ShowItemInPane(s_, 12, QStringLiteral("E")); });
        QVERIFY(!F().ComandBtn[12]->isEnabled());
        const qint32 local2 = F().State.Lines.LocalItems[2].LinkedSerialNo;
        QTest::keyClick(F().txt_KomokuNo, Qt::Key_L, Qt::AltModifier);
        QCOMPARE(F().State.Lines.StandardItems[12].LinkedSerialNo, 0);
        QCOMPARE(F().State.Lines.LocalItems[2].LinkedSerialNo, local2);
        // A local line already linked to another line is refused as well.
        Show(QStringLiteral("L"), 4);
        Show(QStringLiteral("E"), 1);
        const qint32 before = F().State.Lines.LocalItems[4].LinkedSerialNo;
        QVERIFY(before > 0);
        F().Run([&](FormState& s_) { return CreateLink(s_); });
        QCOMPARE(F().State.Lines.LocalItems[4].LinkedSerialNo, before);
        QCOMPARE(F().State.Lines.StandardItems[1].LinkedSerialNo, 0);
        QVERIFY(LinksSymmetric(F().State.Lines));
    }

    void linkAll()
    {
        QVERIFY(h_.OpenLines(QStringLiteral("2"), QStringLiteral("0401"), QStringLiteral("INVOIC01")));
        // Four standard lines and seven local ones.
        while (F().State.Lines.StandardItems.Count() > 4)
            F().State.Lines.StandardItems.Remove(F().State.Lines.StandardItems.Count());
        F().State.Lines.LocalItems.Insert(1, F().State.Lines.LocalItems[1]);
        F().Run([&](FormState& s_) { return RebuildItemList(s_, QStringLiteral("E")); });
        F().Run([&](FormState& s_) { return SettleLocalList(s_); });
        QCOMPARE(ListCount(F().Lis_Local), 7);
        PressOnList(F().Lis_Hyojun, Qt::Key_M, Qt::AltModifier);
        QCOMPARE(ListCount(F().Lis_Local), 4);
        for (int i = 1; i <= 4; ++i) {
            QCOMPARE(F().State.Lines.StandardItems[i].LinkedSerialNo, i);
            QCOMPARE(F().State.Lines.LocalItems[i].LinkedSerialNo, i);
            QCOMPARE(F().State.Lines.LocalItems[i].ItemNo, F().State.Lines.StandardItems[i].ItemNo);
            QCOMPARE(F().State.Lines.LocalItems[i].FormatType, QStringLiteral("L"));
        }
        // Local positions are computed for the copy.
        QCOMPARE(F().State.Lines.LocalItems[2].ItemPosition,
                 1 + F().State.Lines.LocalItems[1].Length + (F().State.Lines.LocalItems[1].DecimalLength > 0));

        // An empty standard layout empties the local one.
        F().State.Lines.StandardItems.Clear();
        F().Run([&](FormState& s_) { return RebuildItemList(s_, QStringLiteral("E")); });
        F().ComandBtn[14]->click();
        QCOMPARE(ListCount(F().Lis_Local), 0);
        QCOMPARE(F().State.Lines.LocalItems.Count(), 0);
    }

    void inquiryShowsUnlinkForALinkedLine()
    {
        QVERIFY(h_.OpenLines(QStringLiteral("0"), QStringLiteral("0401"), QStringLiteral("INVOIC01")));
        QVERIFY(!F().ComandBtn[13]->isEnabled());
        F().Run([&](FormState& s_) { return ShowItemInPane(s_, 1, QStringLiteral("E")); });
        QVERIFY(F().ComandBtn[13]->isEnabled());
    }

    void movesShowTheMovedLineAndItsLink()
    {
        QVERIFY(h_.OpenLines(QStringLiteral("2"), QStringLiteral("0401"), QStringLiteral("INVOIC01")));
        // Standard 3 and 4 are plain items; 4 is linked.
        const qint32 partner = F().State.Lines.StandardItems[4].LinkedSerialNo;
        const QString name = F().State.Lines.StandardItems[4].ItemName;
        Show(QStringLiteral("L"), partner);
        QCOMPARE(F().lbl_TaioKomokuTubanLocal->text(), QStringLiteral("4"));
        Show(QStringLiteral("E"), 4);
        F().ComandBtn[7]->click();  // 上へ移動
        QCOMPARE(ListCurrentRow(F().Lis_Hyojun), 2);
        QCOMPARE(Texts({F().lbl_KomokuTuban, F().lbl_KomokuNo, F().lbl_TaioKomokuTubanLocal}),
                 (QStringList{"3", name, "3"}));
        QCOMPARE(F().State.Lines.LocalItems[partner].LinkedSerialNo, 3);
        F().txt_KomokuNo->setFocus();
        QTest::keyClick(F().txt_KomokuNo, Qt::Key_PageDown, Qt::AltModifier);
        QCOMPARE(F().lbl_KomokuTuban->text(), QStringLiteral("4"));
        QCOMPARE(F().State.Lines.LocalItems[partner].LinkedSerialNo, 4);
        QVERIFY(LinksSymmetric(F().State.Lines));
        // The first line does not move up.
        Show(QStringLiteral("E"), 1);
        const QString first = F().State.Lines.StandardItems[1].ItemName;
        F().ComandBtn[7]->click();
        QCOMPARE(F().State.Lines.StandardItems[1].ItemName, first);
    }
};

QTEST_MAIN(TestLinking)
#include "test_linking.moc"
