// The header screen on a demo site: processing category, key, detail
// settings, their messages and defaults, the modes, the enabling rules and
// the switch to the line screen and back.

#include "core/screen_mode.h"
#include "core/command_dispatch.h"
#include "screen/twips.h"
#include "support/form_harness.h"
#include "support/message_box_answerer.h"
#include "support/modal_driver.h"
#include "core/field_checks.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

class TestHeaderFlow : public FormTest {
    Q_OBJECT

private:

    // Processing category 2 and information category 0101 entered.
    void ModifyOrders()
    {
        Type(F().txt_SyoriKbn, QStringLiteral("2"));
        F().txt_JohoKbn->setText(QStringLiteral("0101"));
        PressEnter(F().txt_JohoKbn);
    }

    void NewKey() { h_.EnterKey(QStringLiteral("1"), QStringLiteral("0101"), QStringLiteral("NEWKEY01")); }

private slots:
    void informationCategory_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("name");
        QTest::newRow("empty keeps the label") << "" << "情報区分ｺｰﾄﾞが入力されていません" << "old";
        // The file pads the two-character code with blanks; a typed code is trimmed.
        QTest::newRow("padded code in the file") << "99" << "情報区分が登録されていません" << "";
        QTest::newRow("known") << "0101" << "" << "発注";
    }

    void informationCategory()
    {
        QFETCH(QString, code);
        QFETCH(QString, message);
        QFETCH(QString, name);
        Type(F().txt_SyoriKbn, QStringLiteral("2"));
        F().State.lbl_JohoKbn.text = QStringLiteral("old");
        F().txt_JohoKbn->setText(code);
        QCOMPARE(PressEnter(F().txt_JohoKbn), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(F().lbl_JohoKbn->text(), name);
        QCOMPARE(F().focusWidget(), message.isEmpty() ? F().txt_BPID : F().txt_JohoKbn);
    }

    void shortOrEmptyBpidClearsTheHeader_data()
    {
        QTest::addColumn<QString>("bpid");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << "" << "ＢＰＩＤが入力されていません";
        QTest::newRow("seven characters") << "ORDERS0" << "ＢＰＩＤが不正です";
    }

    void shortOrEmptyBpidClearsTheHeader()
    {
        QFETCH(QString, bpid);
        QFETCH(QString, message);
        ModifyOrders();
        F().txt_Yosikisyubetu->setText(QStringLiteral("11"));
        F().State.lbl_KakunoMode.text = QStringLiteral("ﾏﾙﾁ");
        F().txt_BPID->setText(bpid);
        MessageBoxAnswerer answerer;
        QTest::keyClick(F().txt_BPID, Qt::Key_Return);
        QCOMPARE(answerer.Texts(), QStringList{message});
        QCOMPARE(answerer.Seen().front().icon, QMessageBox::Warning);
        QCOMPARE(Texts({F().txt_JohoKbn, F().txt_BPID, F().lbl_JohoKbn, F().txt_Yosikisyubetu, F().lbl_KakunoMode}),
                 QStringList(5, QString()));
        QCOMPARE(F().State.ScreenMode, QStringLiteral("HEAD"));
        QVERIFY(!F().ComandBtn[1]->isEnabled());
    }

    void keyByCategory_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("bpid");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("loaded");
        const QString missing = QStringLiteral("ﾌｫｰﾏｯﾄ情報ﾏｽﾀが登録されていません");
        QTest::newRow("inquiry, stored") << "0" << "ORDERS01" << "" << "HEAD" << true;
        QTest::newRow("inquiry, new") << "0" << "NEWKEY01" << missing << "HEAD" << false;
        QTest::newRow("register, stored") << "1" << "ORDERS01" << "ﾌｫｰﾏｯﾄ情報ﾏｽﾀが登録されています" << "HEAD" << false;
        QTest::newRow("register, new") << "1" << "NEWKEY01" << "" << "BODY" << false;
        QTest::newRow("modify, stored") << "2" << "ORDERS01" << "" << "BODY" << true;
        QTest::newRow("delete, stored") << "9" << "ORDERS01" << "" << "HEAD" << true;
        // Quotes and semicolons are plain data.
        QTest::newRow("modify, apostrophe") << "2" << "ORD'RS01" << missing << "HEAD" << false;
    }

    void keyByCategory()
    {
        QFETCH(QString, category);
        QFETCH(QString, bpid);
        QFETCH(QString, message);
        QFETCH(QString, mode);
        QFETCH(bool, loaded);
        QCOMPARE(h_.EnterKey(category, QStringLiteral("0101"), bpid),
                 message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(F().State.ScreenMode, mode);
        QCOMPARE(Texts({F().txt_SintaxID, F().txt_Yosikisyubetu, F().lbl_Yosikisyubetu, F().lbl_XMLmojiCode}),
                 loaded ? QStringList({"CII111", "11", "CII標準 Ver1.1", "Shift_JIS"}) : QStringList(4, QString()));
        if (!message.isEmpty()) {
            QCOMPARE(F().focusWidget(), F().txt_BPID);
            QCOMPARE(F().txt_BPID->selectedText(), F().txt_BPID->text());
        }
        // 複写（C) follows the key check, 詳細設定( I ) the mode or a complete key.
        QCOMPARE(F().ComandBtn[0]->isEnabled(), message.isEmpty());
        QCOMPARE(F().ComandBtn[1]->isEnabled(), message.isEmpty());
    }

    void detailDefaults()
    {
        NewKey();
        QCOMPARE(F().focusWidget(), F().txt_Yosikisyubetu);
        for (FieldEdit* f : {F().txt_Yosikisyubetu, F().txt_SintaxID, F().txt_KakunoMode,
                             F().txt_1ByteMijiSyugo, F().txt_2ByteMijiSyugo, F().txt_LocalKeishiki})
            QVERIFY(PressEnter(f).isEmpty());
        QCOMPARE(Texts({F().txt_Yosikisyubetu, F().txt_SintaxID, F().txt_KakunoMode, F().lbl_KakunoMode,
                        F().txt_1ByteMijiSyugo, F().txt_2ByteMijiSyugo, F().txt_LocalKeishiki}),
                 (QStringList{"11", "CII111", "M", "ﾏﾙﾁ", "S", "S", "T"}));
        QCOMPARE(F().focusWidget(), F().txt_XMLmojiCode);
        F().txt_2ByteMijiSyugo->setText(QStringLiteral("U"));
        // Enter on an accepted XML code opens the line screen, focus on the first item field.
        QVERIFY(PressEnter(F().txt_XMLmojiCode).isEmpty());
        QCOMPARE(Texts({F().txt_XMLmojiCode, F().lbl_XMLmojiCode}), (QStringList{"U", "UTF-8"}));
        QVERIFY(F().Frame[0]->isVisible());
        QCOMPARE(F().focusWidget(), F().txt_KomokuNo);
    }

    void storageModeDefault_data()
    {
        QTest::addColumn<QString>("formId");
        QTest::addColumn<QString>("mode");
        QTest::newRow("11") << "11" << "M";
        QTest::newRow("20") << "20" << "M";
        QTest::newRow("10") << "10" << "S";
        QTest::newRow("other") << "12" << "";
    }

    void storageModeDefault()
    {
        QFETCH(QString, formId);
        QFETCH(QString, mode);
        NewKey();
        F().txt_Yosikisyubetu->setText(formId);
        F().txt_KakunoMode->setFocus();
        QCOMPARE(PressEnter(F().txt_KakunoMode), mode.isEmpty() ? QStringList{kNotFound} : QStringList());
        QCOMPARE(F().txt_KakunoMode->text(), mode);
        QCOMPARE(F().focusWidget(), mode.isEmpty() ? F().txt_KakunoMode : F().txt_1ByteMijiSyugo);
    }

    void unknownSettingIsRefused()
    {
        NewKey();
        F().State.lbl_1ByteMijiSyugo.text = QStringLiteral("old");
        F().txt_1ByteMijiSyugo->setText(QStringLiteral("Q"));
        F().txt_1ByteMijiSyugo->setFocus();
        {
            MessageBoxAnswerer answerer;
            QTest::keyClick(F().txt_1ByteMijiSyugo, Qt::Key_Return);
            QCOMPARE(answerer.Texts(), QStringList{kNotFound});
            QCOMPARE(answerer.Seen().front().icon, QMessageBox::NoIcon);
        }
        QCOMPARE(F().lbl_1ByteMijiSyugo->text(), QString());
        QCOMPARE(F().focusWidget(), F().txt_1ByteMijiSyugo);
        QCOMPARE(F().txt_1ByteMijiSyugo->selectedText(), QStringLiteral("Q"));

        // The check of all settings stops at the first refusal and never opens the line screen.
        F().txt_KakunoMode->setText(QStringLiteral("Q"));
        F().txt_1ByteMijiSyugo->clear();
        MessageBoxAnswerer answerer;
        QCOMPARE(F().Run([&](FormState& s_) { return CheckDetailSettings(s_); }), qint16(9));
        QCOMPARE(answerer.Texts(), QStringList{kNotFound});
        QCOMPARE(F().txt_Yosikisyubetu->text(), QStringLiteral("11"));
        QVERIFY(F().txt_1ByteMijiSyugo->text().isEmpty());
        F().txt_KakunoMode->setText(QStringLiteral("S"));
        QCOMPARE(F().Run([&](FormState& s_) { return CheckDetailSettings(s_); }), qint16(0));
        QCOMPARE(Texts({F().txt_XMLmojiCode, F().txt_SintaxID}), (QStringList{"S", "CII111"}));
        QVERIFY(F().Frame[0]->isHidden());
    }

    void storedHeaderWithMissingCodes()
    {
        // Two stored codes that the category master lacks: two messages, in order.
        Execute(F().Db, QStringLiteral("INSERT INTO FL1902フォーマット情報マスタ (情報区分コード,BPID,様式識別,"
                                       "シンタックスIDバージョン,格納モード,1バイト文字集合,2バイト文字集合,ローカル形式,XML文字コード)"
                                       " VALUES ('0101','ODDCODES','99','V9',' S ',NULL,'Z','T','S')"));
        QCOMPARE(h_.EnterKey(QStringLiteral("0"), QStringLiteral("0101"), QStringLiteral("ODDCODES")),
                 (QStringList{kNotFound, kNotFound}));
        QCOMPARE(Texts({F().txt_Yosikisyubetu, F().txt_SintaxID, F().txt_KakunoMode, F().lbl_KakunoMode,
                        F().txt_1ByteMijiSyugo, F().lbl_2ByteMijiSyugo, F().txt_2ByteMijiSyugo}),
                 (QStringList{"99", "V9", "S", "ｼﾝｸﾞﾙ", "", "", "Z"}));
        Execute(F().Db, QStringLiteral("DELETE FROM FL1902フォーマット情報マスタ WHERE BPID='ODDCODES'"));
    }

    void lineScreenAndBack()
    {
        h_.EnterKey(QStringLiteral("2"), QStringLiteral("0101"), QStringLiteral("ORDERS01"));
        QVERIFY(F().ComandBtn[1]->isEnabled());
        F().ComandBtn[1]->click();
        QCOMPARE(F().PGID->text(), QStringLiteral("G4502002"));
        QVERIFY(F().Frame[0]->isVisible() && F().Frame[1]->isVisible());
        QCOMPARE(TopTwips(F().Frame[0]), 840 + 330 + 20);
        QCOMPARE(LeftTwips(F().Frame[0]), 210);
        QCOMPARE(TopTwips(F().Frame[1]), TopTwips(F().Frame[0]));
        const int left = LeftTwips(F().Frame[0]) + WidthTwips(F().Frame[0]);
        for (int i = 12; i <= 16; ++i) {
            QVERIFY(F().ComandBtn[i]->isVisible());
            QCOMPARE(LeftTwips(F().ComandBtn[i]), left);
            QCOMPARE(LeftTwips(F().ComandBtn[i]) + WidthTwips(F().ComandBtn[i]), LeftTwips(F().Frame[1]));
        }
        QCOMPARE((QList<int>{TopTwips(F().FrameBase[1]), TopTwips(F().txt_BPID), LeftTwips(F().FrameBase[0]),
                             LeftTwips(F().txt_JohoKbn)}),
                 (QList<int>{810, 810, 5210, 6875}));
        QCOMPARE(F().State.ScreenMode, QStringLiteral("BODY"));
        QVERIFY(F().txt_JohoKbn->isEnabled() && F().txt_BPID->isEnabled());
        // Both panes are prepared for a new item.
        QVERIFY(F().txt_KoteiKomokuTiLocal->isEnabled() && !F().txt_KurikaesisuLocal->isEnabled());
        QVERIFY(F().txt_KomokuNo->isEnabled() && !F().txt_MultiMeisaiBango->isEnabled());
        QCOMPARE(F().focusWidget(), F().txt_KomokuNo);

        F().ComandBtn[15]->click();  // ｷｬﾝｾﾙ of the line screen
        QCOMPARE(F().PGID->text(), QStringLiteral("G4502001"));
        QVERIFY(F().Frame[0]->isHidden() && F().Frame[1]->isHidden());
        for (int i = 12; i <= 16; ++i)
            QVERIFY(F().ComandBtn[i]->isHidden());
        QCOMPARE((QList<int>{TopTwips(F().FrameBase[1]), TopTwips(F().txt_BPID), LeftTwips(F().FrameBase[0]),
                             LeftTwips(F().txt_JohoKbn)}),
                 (QList<int>{1170, 1170, 210, 1875}));
        QCOMPARE(F().State.ScreenMode, QStringLiteral("BODY"));
        QCOMPARE(F().focusWidget(), F().txt_Yosikisyubetu);
        QVERIFY(!F().txt_JohoKbn->isEnabled());

        // Back again while already on the header screen: only the program id and lists.
        F().State.txt_JohoKbn.geometry.left = 4000;
        F().Run([&](FormState& s_) { return SwitchLayout(s_, false); });
        QCOMPARE(LeftTwips(F().txt_JohoKbn), 4000);
        QCOMPARE(F().State.ScreenMode, QStringLiteral("BODY"));
        // A box at 5000 or less is not moved left on the way back.
        F().Run([&](FormState& s_) { return SwitchLayout(s_, true); });
        F().State.txt_JohoKbn.geometry.left = 3000;
        F().Run([&](FormState& s_) { return SwitchLayout(s_, false); });
        QCOMPARE(LeftTwips(F().txt_JohoKbn), 3000);
        QCOMPARE(LeftTwips(F().FrameBase[0]), 210);
    }

    void lockingByCategory_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("editing");  // the add, OK and 終了 buttons
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<bool>("links");    // the link buttons, enabled before
        QTest::newRow("inquiry") << "0" << true << false << true << false;
        QTest::newRow("register") << "1" << false << true << true << true;
        QTest::newRow("empty: links untouched") << "" << true << false << false << true;
    }

    void lockingByCategory()
    {
        QFETCH(QString, category);
        QFETCH(bool, locked);
        QFETCH(bool, editing);
        QFETCH(bool, cancel);
        QFETCH(bool, links);
        for (int i : {12, 13, 14, 15})
            F().State.ComandBtn[i].enabled = true;
        F().txt_SyoriKbn->setText(category);
        F().Run([&](FormState& s_) { return LockEditFields(s_, 0); });
        QCOMPARE(F().txt_Yosikisyubetu->isReadOnly(), locked);
        QCOMPARE(F().txt_KomokuNo->isReadOnly(), locked);
        QVERIFY(!F().txt_JohoKbn->isReadOnly());
        for (int i : {4, 11, 17, 24, 16})
            QCOMPARE(F().ComandBtn[i]->isEnabled(), editing);
        QCOMPARE(F().ComandBtn[15]->isEnabled(), cancel);
        for (int i : {12, 13, 14})
            QCOMPARE(F().ComandBtn[i]->isEnabled(), links);
        F().Run([&](FormState& s_) { return LockEditFields(s_, 2); });
        QVERIFY(F().txt_KoteiKomokuTiLocal->isReadOnly());
        QCOMPARE(F().ComandBtn[4]->isEnabled(), editing);
    }

    void searchKeys()
    {
        Type(F().txt_SyoriKbn, QStringLiteral("2"));
        // F5 in the BPID with no category: the chosen row fills both and names the category.
        F().txt_BPID->setFocus();
        ModalDriver keys(QStringLiteral("SEARCH_MSTDB"), [](QDialog* d) {
            d->findChild<QTableWidget*>(QStringLiteral("GRID"))->setCurrentCell(1, 0);
            d->findChild<QPushButton*>(QStringLiteral("SELECT"))->click();
        });
        // Only the press: the release reaches the dialog while it is open.
        QTest::keyPress(F().txt_BPID, Qt::Key_F5);
        QVERIFY(keys.Seen());
        QCOMPARE(Texts({F().txt_JohoKbn, F().txt_BPID, F().lbl_JohoKbn}), (QStringList{"0201", "SHIPNT01", "出荷案内"}));

        // F5 in the category field: the information-category grid.
        QVERIFY(QTest::qWaitForWindowActive(&F()));
        F().txt_JohoKbn->setFocus();
        ModalDriver categories(QStringLiteral("G_GRID"), [](QDialog* d) {
            d->findChild<QTableWidget*>(QStringLiteral("MSFLEXGRID"))->setCurrentCell(2, 1);
            d->findChild<QPushButton*>(QStringLiteral("SELECT"))->click();
        });
        QTest::keyPress(F().txt_JohoKbn, Qt::Key_F5);
        QVERIFY(categories.Seen());
        QCOMPARE(Texts({F().txt_JohoKbn, F().lbl_JohoKbn}), (QStringList{"0103", "発注取消"}));
    }

    void startUpOnSiteWithoutRegisterCategory()
    {
        const QString where = QStringLiteral(" FROM 区分マスタ WHERE 区分='処理区分' AND 区分コード='1'");
        Execute(F().Db, QStringLiteral("DELETE") + where);
        MessageBoxAnswerer answerer;
        const bool started = h_.Start();
        Execute(F().Db, QStringLiteral("INSERT INTO 区分マスタ (区分, 区分コード, 区分名称) VALUES ('処理区分', '1', '登録')"));
        QVERIFY(started);
        // The reset to key entry reports the preset category it cannot find.
        QCOMPARE(answerer.Texts(), QStringList{QStringLiteral("処理区分が登録されていません")});
        QCOMPARE(answerer.Seen().front().icon, QMessageBox::Warning);
        QCOMPARE(answerer.Seen().front().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    void headerCancelRemovesOrphanLines()
    {
        auto lines = [this](const QString& bpid) {
            return QueryRows(F().Db, QStringLiteral("SELECT COUNT(*) FROM FL1903レコードフォーマット情報マスタ"
                                                    " WHERE 情報区分コード='0101' AND BPID=?"), {bpid}).value(0).toInt();
        };
        Execute(F().Db, QStringLiteral("INSERT INTO FL1903レコードフォーマット情報マスタ (情報区分コード,BPID,"
                                       "フォーマット種別,項目通番) VALUES ('0101','ORPHAN01','E',1)"));
        h_.EnterKey(QStringLiteral("1"), QStringLiteral("0101"), QStringLiteral("ORPHAN01"));
        F().ComandBtn[3]->click();
        QCOMPARE(lines(QStringLiteral("ORPHAN01")), 0);
        QCOMPARE(Texts({F().txt_SyoriKbn, F().lbl_SyoriKbn, F().txt_JohoKbn}), (QStringList{"1", "登録", ""}));
        QCOMPARE(F().State.ScreenMode, QStringLiteral("MODE"));
        QCOMPARE(F().focusWidget(), F().txt_SyoriKbn);

        // A stored format keeps its lines.
        const int stored = lines(QStringLiteral("ORDERS01"));
        QVERIFY(stored > 0);
        h_.EnterKey(QStringLiteral("2"), QStringLiteral("0101"), QStringLiteral("ORDERS01"));
        F().ComandBtn[3]->click();
        QCOMPARE(lines(QStringLiteral("ORDERS01")), stored);
    }
};

QTEST_MAIN(TestHeaderFlow)
#include "test_header_flow.moc"
