// The line screen of a stored format: both lists on arrival, lines shown in
// the panes with their labels, names and locking, emptying a pane and the
// focus hand-over between the panes.

#include "app/main_form.h"
#include "app/startup.h"
#include "items/edit_pane.h"
#include "support/message_box_answerer.h"
#include "support/temp_site.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

class TestEditPane : public QObject {
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
        QVERIFY(F().Frame[0]->isVisible());
    }

    // Enter on a list line, as on a double click.
    void ShowLine(QListWidget* list, int row)
    {
        list->setFocus();
        list->setCurrentRow(row);
        QTest::keyClick(list, Qt::Key_Return);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(site_.Ok(), qPrintable(site_.Error()));
        site_.UseOdbcConfiguration();
    }

    void cleanup() { form_.reset(); }

    void bothListsOnArrival()
    {
        Open(QStringLiteral("2"), QStringLiteral("0201"), QStringLiteral("SHIPNT01"));
        QCOMPARE(F().Lis_Hyojun->count(), 27);
        QCOMPARE(F().Lis_Local->count(), 20);
        QCOMPARE(F().Lis_Hyojun->item(0)->text(), QStringLiteral("000001  情報区分コード"));
        QCOMPARE(F().Lis_Hyojun->item(11)->text(), QStringLiteral("000000  マルチ明細 No.1"));
        QCOMPARE(F().Lis_Local->item(8)->text(), QStringLiteral("000065  マルチ明細 No.1"));
        QCOMPARE(F().Lis_Local->item(9)->text(), QStringLiteral("   000065  明細番号"));
        QCOMPARE(F().Lis_Local->item(11)->text(), QStringLiteral("   000084  部品番号"));
        QCOMPARE(F().focusWidget(), F().txt_KomokuNo);
        QCOMPARE(F().Lines.EditKind, QStringLiteral("KOMOKU"));
    }

    void standardItemShown()
    {
        Open(QStringLiteral("2"), QStringLiteral("0201"), QStringLiteral("SHIPNT01"));
        ShowLine(F().Lis_Hyojun, 8);  // line 9, item 125, linked to local line 4
        QCOMPARE(F().lbl_KomokuTuban->text(), QStringLiteral("9"));
        QCOMPARE(F().lbl_TaioKomokuTuban->text(), QStringLiteral("4"));
        QCOMPARE(F().lbl_LevelBango->text(), QStringLiteral("0"));
        QCOMPARE(F().txt_KomokuNo->text(), QStringLiteral("125"));
        QCOMPARE(F().lbl_KomokuNo->text(), QStringLiteral("出荷場所コード"));
        QCOMPARE(F().lbl_ZokuseiCode->text(), QStringLiteral("X"));
        QCOMPARE(F().lbl_Zokusei->text(), QStringLiteral("英数字"));
        QCOMPARE(F().lbl_Nagasa->text(), QStringLiteral("8"));
        QCOMPARE(F().lbl_SyosuNagasa->text(), QString());  // 0 shows empty
        QCOMPARE(F().txt_Kurikaesisu->text(), QStringLiteral("0"));  // but the repeat count shows 0
        QCOMPARE(F().txt_HenkanErrorTaisyo->text(), QStringLiteral("E"));
        QCOMPARE(F().lbl_HenkanErrorTaisyo->text(), QStringLiteral("ｴﾗｰ"));
        // Enter on a list line leaves the focus in the pane's first field.
        QCOMPARE(F().focusWidget(), F().txt_KomokuNo);
        // Opened for editing: the item fields, not the group fields.
        QVERIFY(F().txt_KomokuNo->isEnabled() && !F().txt_KomokuNo->Locked());
        QVERIFY(!F().txt_MultiMeisaiBango->isEnabled());
    }

    void groupHeadersShown()
    {
        Open(QStringLiteral("2"), QStringLiteral("0201"), QStringLiteral("SHIPNT01"));
        ShowLine(F().Lis_Local, 8);  // local line 9, a group header
        QCOMPARE(F().lbl_KomokuTubanLocal->text(), QStringLiteral("9"));
        QCOMPARE(F().lbl_TaioKomokuTubanLocal->text(), QStringLiteral("12"));
        QCOMPARE(F().lbl_KomokuNoIti->text(), QStringLiteral("65"));
        QCOMPARE(F().txt_KomokuMei->text(), QStringLiteral("出荷明細"));
        QCOMPARE(F().txt_ZokuseiCodeLocal->text(), QStringLiteral("M"));
        QCOMPARE(F().lbl_ZokuseiCodeLocal->text(), QStringLiteral("ﾏﾙﾁ明細"));
        QCOMPARE(F().txt_NagasaLocal->text(), QStringLiteral("113"));
        QCOMPARE(F().txt_MultiMeisaiBangoLocal->text(), QStringLiteral("1"));
        QCOMPARE(F().txt_KurikaesisuLocal->text(), QStringLiteral("20"));
        QCOMPARE(F().Lines.EditKind, QStringLiteral("MEISAI"));
        QVERIFY(F().txt_KurikaesisuLocal->isEnabled() && !F().txt_NagasaLocal->isEnabled());

        ShowLine(F().Lis_Hyojun, 11);  // standard line 12, its partner
        QCOMPARE(F().lbl_KomokuTuban->text(), QStringLiteral("12"));
        QCOMPARE(F().lbl_TaioKomokuTuban->text(), QStringLiteral("9"));
        QCOMPARE(F().lbl_KomokuNo->text(), QStringLiteral("出荷明細"));
        QCOMPARE(F().lbl_Nagasa->text(), QString());
        QCOMPARE(F().txt_MultiMeisaiBango->text(), QStringLiteral("1"));
        QCOMPARE(F().txt_Kurikaesisu->text(), QStringLiteral("20"));
        // Linked standard line shown: unlink possible, link not.
        QVERIFY(F().ComandBtn[13]->isEnabled());
        QVERIFY(!F().ComandBtn[12]->isEnabled());
    }

    void showingLocksEveryField()
    {
        Open(QStringLiteral("2"), QStringLiteral("0201"), QStringLiteral("SHIPNT01"));
        ShowItemInPane(F(), 3, QStringLiteral("L"));
        QCOMPARE(F().txt_KomokuMei->text(), QStringLiteral("出荷日"));
        for (FieldEdit* f : {F().txt_Yosikisyubetu, F().txt_XMLmojiCode, F().txt_KomokuNo,
                             F().txt_KoteiKomokuTi, F().txt_KomokuMei, F().txt_KoteiKomokuTiLocal})
            QVERIFY2(f->Locked(), qPrintable(f->objectName()));
        // Alt+E shows the selected line and unlocks by category.
        F().Lis_Hyojun->setCurrentRow(0);
        F().txt_KomokuNo->setFocus();
        QTest::keyClick(F().txt_KomokuNo, Qt::Key_E, Qt::AltModifier);
        QCOMPARE(F().lbl_KomokuTuban->text(), QStringLiteral("1"));
        QVERIFY(!F().txt_KomokuNo->Locked());
    }

    void inquiryKeepsPanesLocked()
    {
        Open(QStringLiteral("0"), QStringLiteral("0201"), QStringLiteral("SHIPNT01"));
        QCOMPARE(F().Lis_Local->count(), 20);
        ShowLine(F().Lis_Local, 0);
        QCOMPARE(F().txt_KomokuMei->text(), QStringLiteral("レコード区分"));
        QVERIFY(F().txt_KomokuMei->Locked());
        QVERIFY(!F().ComandBtn[17]->isEnabled());
        QVERIFY(F().ComandBtn[15]->isEnabled());
    }

    void cancelEmptiesThePane()
    {
        Open(QStringLiteral("2"), QStringLiteral("0201"), QStringLiteral("SHIPNT01"));
        ShowLine(F().Lis_Local, 1);
        F().ComandBtn[23]->click();
        for (QLabel* l : {F().lbl_KomokuTubanLocal, F().lbl_KomokuNoIti, F().lbl_HenkanErrorTaisyoLocal})
            QVERIFY(l->text().isEmpty());
        for (FieldEdit* f : {F().txt_KomokuMei, F().txt_NagasaLocal, F().txt_KoteiKomokuTiLocal})
            QVERIFY(f->text().isEmpty());
        QCOMPARE(F().focusWidget(), F().txt_KomokuMei);
        QCOMPARE(F().Lis_Local->currentRow(), 1);  // the selection stays
    }

    void missingCodeWhenShown()
    {
        Open(QStringLiteral("2"), QStringLiteral("0201"), QStringLiteral("SHIPNT01"));
        F().Lines.StandardItems[2].ConversionError = QStringLiteral("Q");
        MessageBoxAnswerer answerer;
        ShowItemInPane(F(), 2, QStringLiteral("E"));
        QCOMPARE(answerer.Texts(), QStringList{QStringLiteral("該当データがありませんでした")});
        QCOMPARE(F().txt_HenkanErrorTaisyo->text(), QStringLiteral("Q"));
        QVERIFY(F().lbl_HenkanErrorTaisyo->text().isEmpty());
    }

    void focusGoesToTheOtherPane()
    {
        Open(QStringLiteral("2"), QStringLiteral("0201"), QStringLiteral("SHIPNT01"));
        FocusOtherPane(F(), QStringLiteral("txt_KoteiKomokuTi"));
        QCOMPARE(F().focusWidget(), F().txt_KoteiKomokuTiLocal);
        FocusOtherPane(F(), QStringLiteral("txt_KurikaesisuLocal"));
        QCOMPARE(F().focusWidget(), F().txt_KoteiKomokuTi);
        F().txt_KoteiKomokuTi->setEnabled(false);
        F().txt_Kurikaesisu->setEnabled(true);
        FocusOtherPane(F(), QStringLiteral("txt_KoteiKomokuTiLocal"));
        QCOMPARE(F().focusWidget(), F().txt_Kurikaesisu);
        FocusOtherPane(F(), QStringLiteral("txt_KomokuMei"));  // not a last field: stays
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
