// The line screen of a stored format: both lists on arrival, lines shown in
// the panes with their labels, names and locking, emptying a pane and the
// focus hand-over between the panes.

#include "core/edit_pane.h"
#include "support/form_harness.h"
#include "support/message_box_answerer.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestEditPane : public FormTest {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(h_.Start());
        QVERIFY(h_.OpenLines(QStringLiteral("2"), QStringLiteral("0201"), QStringLiteral("SHIPNT01")));
    }

    void bothListsOnArrival()
    {
        const QStringList standard = ListTexts(F().Lis_Hyojun);
        const QStringList local = ListTexts(F().Lis_Local);
        QCOMPARE(standard.size(), 27);
        QCOMPARE(local.size(), 20);
        QCOMPARE(standard[0], QStringLiteral("000001  情報区分コード"));
        QCOMPARE(standard[11], QStringLiteral("000000  マルチ明細 No.1"));
        QCOMPARE(local[8], QStringLiteral("000065  マルチ明細 No.1"));
        QCOMPARE(local[9], QStringLiteral("   000065  明細番号"));
        QCOMPARE(local[11], QStringLiteral("   000084  部品番号"));
        QCOMPARE(F().focusWidget(), F().txt_KomokuNo);
        QCOMPARE(F().State.Lines.EditKind, QStringLiteral("KOMOKU"));
    }

    void standardItemShownByDoubleClick()
    {
        DoubleClickListRow(F().Lis_Hyojun, 8);  // line 9, item 125, linked to local line 4
        QCOMPARE(Texts({F().lbl_KomokuTuban, F().lbl_TaioKomokuTuban, F().lbl_LevelBango, F().txt_KomokuNo,
                        F().lbl_KomokuNo, F().lbl_ZokuseiCode, F().lbl_Zokusei, F().lbl_Nagasa,
                        F().lbl_SyosuNagasa, F().txt_Kurikaesisu, F().txt_HenkanErrorTaisyo,
                        F().lbl_HenkanErrorTaisyo}),
                 // Decimals 0 show empty, but the repeat count shows 0.
                 (QStringList{"9", "4", "0", "125", "出荷場所コード", "X", "英数字", "8", "", "0", "E", "ｴﾗｰ"}));
        QCOMPARE(F().focusWidget(), F().txt_KomokuNo);
        // Opened for editing: the item fields, not the group fields.
        QVERIFY(F().txt_KomokuNo->isEnabled() && !F().txt_KomokuNo->isReadOnly());
        QVERIFY(!F().txt_MultiMeisaiBango->isEnabled());
    }

    void groupHeadersShown()
    {
        EnterOnListRow(F().Lis_Local, 8);  // local line 9, a group header
        QCOMPARE(Texts({F().lbl_KomokuTubanLocal, F().lbl_TaioKomokuTubanLocal, F().lbl_KomokuNoIti,
                        F().txt_KomokuMei, F().txt_ZokuseiCodeLocal, F().lbl_ZokuseiCodeLocal,
                        F().txt_NagasaLocal, F().txt_MultiMeisaiBangoLocal, F().txt_KurikaesisuLocal}),
                 (QStringList{"9", "12", "65", "出荷明細", "M", "ﾏﾙﾁ明細", "113", "1", "20"}));
        QCOMPARE(F().State.Lines.EditKind, QStringLiteral("MEISAI"));
        QVERIFY(F().txt_KurikaesisuLocal->isEnabled() && !F().txt_NagasaLocal->isEnabled());

        EnterOnListRow(F().Lis_Hyojun, 11);  // standard line 12, its partner
        QCOMPARE(Texts({F().lbl_KomokuTuban, F().lbl_TaioKomokuTuban, F().lbl_KomokuNo, F().lbl_Nagasa,
                        F().txt_MultiMeisaiBango, F().txt_Kurikaesisu}),
                 (QStringList{"12", "9", "出荷明細", "", "1", "20"}));
        // Linked standard line shown: unlink possible, link not.
        QVERIFY(F().ComandBtn[13]->isEnabled());
        QVERIFY(!F().ComandBtn[12]->isEnabled());
    }

    void showingLocksEveryField()
    {
        F().Run([&](FormState& s_) { return ShowItemInPane(s_, 3, QStringLiteral("L")); });
        QCOMPARE(F().txt_KomokuMei->text(), QStringLiteral("出荷日"));
        for (FieldEdit* f : {F().txt_Yosikisyubetu, F().txt_XMLmojiCode, F().txt_KomokuNo,
                             F().txt_KoteiKomokuTi, F().txt_KomokuMei, F().txt_KoteiKomokuTiLocal})
            QVERIFY2(f->isReadOnly(), qPrintable(f->objectName()));
        // Alt+E shows the selected line and unlocks by category.
        SelectListRow(F().Lis_Hyojun, 0);
        F().txt_KomokuNo->setFocus();
        QTest::keyClick(F().txt_KomokuNo, Qt::Key_E, Qt::AltModifier);
        QCOMPARE(F().lbl_KomokuTuban->text(), QStringLiteral("1"));
        QVERIFY(!F().txt_KomokuNo->isReadOnly());
    }

    void inquiryKeepsPanesLocked()
    {
        QVERIFY(h_.Start());
        QVERIFY(h_.OpenLines(QStringLiteral("0"), QStringLiteral("0201"), QStringLiteral("SHIPNT01")));
        QCOMPARE(ListCount(F().Lis_Local), 20);
        EnterOnListRow(F().Lis_Local, 0);
        QCOMPARE(F().txt_KomokuMei->text(), QStringLiteral("レコード区分"));
        QVERIFY(F().txt_KomokuMei->isReadOnly());
        QVERIFY(!F().ComandBtn[17]->isEnabled());
        QVERIFY(F().ComandBtn[15]->isEnabled());
    }

    void cancelEmptiesThePane()
    {
        EnterOnListRow(F().Lis_Local, 1);
        F().ComandBtn[23]->click();
        QCOMPARE(Texts({F().lbl_KomokuTubanLocal, F().lbl_KomokuNoIti, F().lbl_HenkanErrorTaisyoLocal,
                        F().txt_KomokuMei, F().txt_NagasaLocal, F().txt_KoteiKomokuTiLocal}),
                 QStringList(6, QString()));
        QCOMPARE(F().focusWidget(), F().txt_KomokuMei);
        QCOMPARE(ListCurrentRow(F().Lis_Local), 1);  // the selection stays
    }

    void missingCodeWhenShown()
    {
        F().State.Lines.StandardItems[2].ConversionError = QStringLiteral("Q");
        MessageBoxAnswerer answerer;
        F().Run([&](FormState& s_) { return ShowItemInPane(s_, 2, QStringLiteral("E")); });
        QCOMPARE(answerer.Texts(), QStringList{kNotFound});
        QCOMPARE(F().txt_HenkanErrorTaisyo->text(), QStringLiteral("Q"));
        QVERIFY(F().lbl_HenkanErrorTaisyo->text().isEmpty());
    }

    void focusGoesToTheOtherPane()
    {
        F().Run([&](FormState& s_) { return FocusOtherPane(s_, QStringLiteral("txt_KoteiKomokuTi")); });
        QCOMPARE(F().focusWidget(), F().txt_KoteiKomokuTiLocal);
        F().Run([&](FormState& s_) { return FocusOtherPane(s_, QStringLiteral("txt_KurikaesisuLocal")); });
        QCOMPARE(F().focusWidget(), F().txt_KoteiKomokuTi);
        F().State.txt_KoteiKomokuTi.enabled = false;
        F().State.txt_Kurikaesisu.enabled = true;
        F().Run([&](FormState& s_) { return FocusOtherPane(s_, QStringLiteral("txt_KoteiKomokuTiLocal")); });
        QCOMPARE(F().focusWidget(), F().txt_Kurikaesisu);
        F().Run([&](FormState& s_) { return FocusOtherPane(s_, QStringLiteral("txt_KomokuMei")); });  // not a last field: stays
        QCOMPARE(F().focusWidget(), F().txt_Kurikaesisu);
        // Ctrl+Tab hands over between the panes.
        F().txt_KomokuNo->setFocus();
        QTest::keyClick(F().txt_KomokuNo, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(F().focusWidget(), F().txt_KomokuMei);
        QTest::keyClick(F().txt_KomokuMei, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(F().focusWidget(), F().txt_KomokuNo);
    }
};

QTEST_MAIN(TestEditPane)
#include "test_edit_pane.moc"
