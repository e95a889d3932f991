// Linking lines of the two layouts from the panes, the link buttons, 一括ﾘﾝｸ（M)
// and moves on the line screen with the links shown in the panes.

#include "app/main_form.h"
#include "app/startup.h"
#include "items/edit_pane.h"
#include "items/linking.h"
#include "items/list_view.h"
#include "support/temp_site.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

class TestLinking : public QObject {
    Q_OBJECT

private:
    TempSite site_;
    std::unique_ptr<F_K450120> form_;
    F_K450120& F() { return *form_; }

    void Open(const QString& category, const QString& code, const QString& bpid)
    {
        form_ = std::make_unique<F_K450120>();
        F().ProgramFolder = site_.ProgramFolder();
        QCOMPARE(StartUp(F(), "OP01"), 0);
        QVERIFY(QTest::qWaitForWindowActive(&F()));
        QTest::keyClicks(F().txt_SyoriKbn, category);
        F().txt_JohoKbn->setText(code);
        QTest::keyClick(F().txt_JohoKbn, Qt::Key_Return);
        F().txt_BPID->setText(bpid);
        QTest::keyClick(F().txt_BPID, Qt::Key_Return);
        F().ComandBtn[1]->click();
    }

    void Show(const QString& side, int position)
    {
        QListWidget* list = side == QLatin1String("E") ? F().Lis_Hyojun : F().Lis_Local;
        list->setCurrentRow(position - 1);
        F().ComandBtn[side == QLatin1String("E") ? 6 : 19]->click();
    }

    bool Symmetric()
    {
        const ItemTable& e = F().Lines.StandardItems;
        const ItemTable& l = F().Lines.LocalItems;
        for (int i = 1; i <= e.Count(); ++i)
            if (e[i].LinkedSerialNo > 0 && l[e[i].LinkedSerialNo].LinkedSerialNo != i)
                return false;
        for (int i = 1; i <= l.Count(); ++i)
            if (l[i].LinkedSerialNo > 0 && e[l[i].LinkedSerialNo].LinkedSerialNo != i)
                return false;
        return true;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(site_.Ok(), qPrintable(site_.Error()));
        site_.UseOdbcConfiguration();
    }

    void cleanup() { form_.reset(); }

    void linkAndUnlink()
    {
        Open(QStringLiteral("2"), QStringLiteral("0201"), QStringLiteral("SHIPNT01"));
        // Standard 1 and local 1 are both unlinked items.
        QCOMPARE(F().Lines.StandardItems[1].LinkedSerialNo, 0);
        QCOMPARE(F().Lines.LocalItems[1].LinkedSerialNo, 0);
        Show(QStringLiteral("L"), 1);
        Show(QStringLiteral("E"), 1);
        QVERIFY(F().ComandBtn[12]->isEnabled());
        QVERIFY(!F().ComandBtn[13]->isEnabled());
        F().ComandBtn[12]->click();
        QCOMPARE(F().lbl_TaioKomokuTuban->text(), QStringLiteral("1"));
        QCOMPARE(F().lbl_TaioKomokuTubanLocal->text(), QStringLiteral("1"));
        QVERIFY(!F().ComandBtn[12]->isEnabled() && F().ComandBtn[13]->isEnabled());
        QCOMPARE(F().Lines.LocalItems[1].LinkedSerialNo, 1);
        QVERIFY(Symmetric());

        // Unlinking a standard line linked elsewhere while the local pane shows
        // another line: the partner loses its link, the local pane is shown again.
        const qint32 partner = F().Lines.StandardItems[3].LinkedSerialNo;
        QVERIFY(partner > 0);
        Show(QStringLiteral("E"), 3);
        F().ComandBtn[13]->click();
        QCOMPARE(F().Lines.LocalItems[partner].LinkedSerialNo, 0);
        QCOMPARE(F().Lines.StandardItems[3].LinkedSerialNo, 0);
        QVERIFY(F().lbl_TaioKomokuTuban->text().isEmpty());
        QCOMPARE(F().lbl_KomokuTubanLocal->text(), QStringLiteral("1"));
        QCOMPARE(F().lbl_TaioKomokuTubanLocal->text(), QStringLiteral("1"));
        QVERIFY(F().txt_KomokuMei->Locked());  // shown again, not edited
        QVERIFY(Symmetric());
    }

    void linkRefusedWhereTheButtonIsDisabled()
    {
        Open(QStringLiteral("2"), QStringLiteral("0201"), QStringLiteral("SHIPNT01"));
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
        QVERIFY(Symmetric());
    }

    void linkAll()
    {
        Open(QStringLiteral("2"), QStringLiteral("0401"), QStringLiteral("INVOIC01"));
        // Four standard lines and seven local ones.
        while (F().Lines.StandardItems.Count() > 4)
            F().Lines.StandardItems.Remove(F().Lines.StandardItems.Count());
        for (int i = 0; i < 1; ++i)
            F().Lines.LocalItems.Insert(1, F().Lines.LocalItems[1]);
        RebuildItemList(F(), QStringLiteral("E"));
        SettleLocalList(F());
        QCOMPARE(F().Lis_Local->count(), 7);
        F().Lis_Hyojun->setFocus();
        QTest::keyClick(F().Lis_Hyojun, Qt::Key_M, Qt::AltModifier);
        QCOMPARE(F().Lis_Local->count(), 4);
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
        QCOMPARE(F().Lis_Local->count(), 0);
        QCOMPARE(F().Lines.LocalItems.Count(), 0);
    }

    void inquiryShowsUnlinkForALinkedLine()
    {
        Open(QStringLiteral("0"), QStringLiteral("0401"), QStringLiteral("INVOIC01"));
        QVERIFY(!F().ComandBtn[13]->isEnabled());
        ShowItemInPane(F(), 1, QStringLiteral("E"));
        QVERIFY(F().ComandBtn[13]->isEnabled());
    }

    void movesShowTheMovedLineAndItsLink()
    {
        Open(QStringLiteral("2"), QStringLiteral("0401"), QStringLiteral("INVOIC01"));
        // Standard 3 and 4 are plain items; 4 is linked.
        const qint32 partner = F().Lines.StandardItems[4].LinkedSerialNo;
        const QString name = F().Lines.StandardItems[4].ItemName;
        Show(QStringLiteral("L"), partner);
        QCOMPARE(F().lbl_TaioKomokuTubanLocal->text(), QStringLiteral("4"));
        Show(QStringLiteral("E"), 4);
        F().ComandBtn[7]->click();  // 上へ移動
        QCOMPARE(F().Lis_Hyojun->currentRow(), 2);
        QCOMPARE(F().lbl_KomokuTuban->text(), QStringLiteral("3"));
        QCOMPARE(F().lbl_KomokuNo->text(), name);
        QCOMPARE(F().Lines.LocalItems[partner].LinkedSerialNo, 3);
        QCOMPARE(F().lbl_TaioKomokuTubanLocal->text(), QStringLiteral("3"));
        F().txt_KomokuNo->setFocus();
        QTest::keyClick(F().txt_KomokuNo, Qt::Key_PageDown, Qt::AltModifier);
        QCOMPARE(F().lbl_KomokuTuban->text(), QStringLiteral("4"));
        QCOMPARE(F().Lines.LocalItems[partner].LinkedSerialNo, 4);
        QVERIFY(Symmetric());
        // The first line does not move up.
        Show(QStringLiteral("E"), 1);
        const QString first = F().Lines.StandardItems[1].ItemName;
        F().ComandBtn[7]->click();
        QCOMPARE(F().Lines.StandardItems[1].ItemName, first);
    }
};

QTEST_MAIN(TestLinking)
#include "test_linking.moc"
