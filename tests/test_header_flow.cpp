// The header screen on a demo site: processing category, key, detail
// settings, their messages and defaults, the modes, the enabling rules and
// the switch to the line screen and back.

#include "app/main_form.h"
#include "app/startup.h"
#include "format/screen_mode.h"
#include "items/command_dispatch.h"
#include "shell/twips.h"
#include "support/message_box_answerer.h"
#include "support/modal_driver.h"
#include "support/temp_site.h"
#include "validation/field_checks.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

void Type(QWidget* w, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::KeyAction::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

}  // namespace

class TestHeaderFlow : public QObject {
    Q_OBJECT

private:
    TempSite site_;
    std::unique_ptr<F_K450120> form_;
    F_K450120& F() { return *form_; }

    // Category and key entered by typing, as an operator does.
    void EnterKey(const QString& category, const QString& code, const QString& bpid)
    {
        Type(F().txt_SyoriKbn, category);
        F().txt_JohoKbn->setText(code);
        QTest::keyClick(F().txt_JohoKbn, Qt::Key_Return);
        F().txt_BPID->setText(bpid);
        QTest::keyClick(F().txt_BPID, Qt::Key_Return);
    }

    QStringList Enter(FieldEdit* field)
    {
        MessageBoxAnswerer answerer;
        QTest::keyClick(field, Qt::Key_Return);
        return answerer.Texts();
    }

private slots:
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
    }

    void cleanup() { form_.reset(); }

    void informationCategory_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("name");
        QTest::newRow("empty keeps the label") << "" << "情報区分ｺｰﾄﾞが入力されていません" << "old";
        QTest::newRow("unknown") << "9999" << "情報区分が登録されていません" << "";
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
        F().lbl_JohoKbn->setText(QStringLiteral("old"));
        F().txt_JohoKbn->setText(code);
        const QStringList texts = Enter(F().txt_JohoKbn);
        QCOMPARE(texts, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(F().lbl_JohoKbn->text(), name);
        QCOMPARE(F().focusWidget(), message.isEmpty() ? F().txt_BPID : F().txt_JohoKbn);
    }

    void shortOrEmptyBpidClearsTheHeader_data()
    {
        QTest::addColumn<QString>("bpid");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << "" << "ＢＰＩＤが入力されていません";
        QTest::newRow("three characters") << "ABC" << "ＢＰＩＤが不正です";
        QTest::newRow("seven characters") << "ORDERS0" << "ＢＰＩＤが不正です";
    }

    void shortOrEmptyBpidClearsTheHeader()
    {
        QFETCH(QString, bpid);
        QFETCH(QString, message);
        Type(F().txt_SyoriKbn, QStringLiteral("2"));
        F().txt_JohoKbn->setText(QStringLiteral("0101"));
        Enter(F().txt_JohoKbn);
        F().txt_Yosikisyubetu->setText(QStringLiteral("11"));
        F().lbl_KakunoMode->setText(QStringLiteral("ﾏﾙﾁ"));
        F().txt_BPID->setText(bpid);
        MessageBoxAnswerer answerer;
        QTest::keyClick(F().txt_BPID, Qt::Key_Return);
        QCOMPARE(answerer.Texts(), QStringList{message});
        QCOMPARE(answerer.Seen().front().icon, QMessageBox::Warning);
        QVERIFY(F().txt_JohoKbn->text().isEmpty());
        QVERIFY(F().txt_BPID->text().isEmpty());
        QVERIFY(F().lbl_JohoKbn->text().isEmpty());
        QVERIFY(F().txt_Yosikisyubetu->text().isEmpty());
        QVERIFY(F().lbl_KakunoMode->text().isEmpty());
        QCOMPARE(F().ScreenMode, QStringLiteral("HEAD"));
        QVERIFY(!F().ComandBtn[1]->isEnabled());
    }

    void keyByCategory_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("bpid");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("inquiry, stored") << "0" << "ORDERS01" << "" << "HEAD" << true;
        QTest::newRow("inquiry, new") << "0" << "NEWKEY01" << "ﾌｫｰﾏｯﾄ情報ﾏｽﾀが登録されていません" << "HEAD" << false;
        QTest::newRow("register, stored") << "1" << "ORDERS01" << "ﾌｫｰﾏｯﾄ情報ﾏｽﾀが登録されています" << "HEAD" << false;
        QTest::newRow("register, new") << "1" << "NEWKEY01" << "" << "BODY" << false;
        QTest::newRow("modify, stored") << "2" << "ORDERS01" << "" << "BODY" << true;
        QTest::newRow("modify, new") << "2" << "NEWKEY01" << "ﾌｫｰﾏｯﾄ情報ﾏｽﾀが登録されていません" << "HEAD" << false;
        QTest::newRow("delete, stored") << "9" << "ORDERS01" << "" << "HEAD" << true;
        // Quotes and semicolons are plain data.
        QTest::newRow("modify, apostrophe") << "2" << "ORD'RS01" << "ﾌｫｰﾏｯﾄ情報ﾏｽﾀが登録されていません" << "HEAD" << false;
        QTest::newRow("register, SQL text") << "1" << "' OR 1=1;" << "" << "BODY" << false;
    }

    void keyByCategory()
    {
        QFETCH(QString, category);
        QFETCH(QString, bpid);
        QFETCH(QString, message);
        QFETCH(QString, mode);
        QFETCH(bool, loaded);
        Type(F().txt_SyoriKbn, category);
        F().txt_JohoKbn->setText(QStringLiteral("0101"));
        Enter(F().txt_JohoKbn);
        F().txt_BPID->setText(bpid);
        const QStringList texts = Enter(F().txt_BPID);
        QCOMPARE(texts, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(F().ScreenMode, mode);
        QCOMPARE(F().txt_SintaxID->text(), loaded ? QStringLiteral("CII111") : QString());
        if (loaded) {
            QCOMPARE(F().txt_Yosikisyubetu->text(), QStringLiteral("11"));
            QCOMPARE(F().lbl_Yosikisyubetu->text(), QStringLiteral("CII標準 Ver1.1"));
            QCOMPARE(F().lbl_XMLmojiCode->text(), QStringLiteral("Shift_JIS"));
        }
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
        EnterKey(QStringLiteral("1"), QStringLiteral("0101"), QStringLiteral("NEWKEY01"));
        QCOMPARE(F().focusWidget(), F().txt_Yosikisyubetu);
        for (FieldEdit* f : {F().txt_Yosikisyubetu, F().txt_SintaxID, F().txt_KakunoMode,
                             F().txt_1ByteMijiSyugo, F().txt_2ByteMijiSyugo, F().txt_LocalKeishiki})
            QVERIFY(Enter(f).isEmpty());
        QCOMPARE(F().txt_Yosikisyubetu->text(), QStringLiteral("11"));
        QCOMPARE(F().txt_SintaxID->text(), QStringLiteral("CII111"));
        QCOMPARE(F().txt_KakunoMode->text(), QStringLiteral("M"));
        QCOMPARE(F().lbl_KakunoMode->text(), QStringLiteral("ﾏﾙﾁ"));
        QCOMPARE(F().txt_1ByteMijiSyugo->text(), QStringLiteral("S"));
        QCOMPARE(F().txt_2ByteMijiSyugo->text(), QStringLiteral("S"));
        QCOMPARE(F().txt_LocalKeishiki->text(), QStringLiteral("T"));
        QCOMPARE(F().focusWidget(), F().txt_XMLmojiCode);
        F().txt_2ByteMijiSyugo->setText(QStringLiteral("U"));
        // Enter on an accepted XML code opens the line screen, focus on the first item field.
        QVERIFY(Enter(F().txt_XMLmojiCode).isEmpty());
        QCOMPARE(F().txt_XMLmojiCode->text(), QStringLiteral("U"));
        QCOMPARE(F().lbl_XMLmojiCode->text(), QStringLiteral("UTF-8"));
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
        EnterKey(QStringLiteral("1"), QStringLiteral("0101"), QStringLiteral("NEWKEY01"));
        F().txt_Yosikisyubetu->setText(formId);
        F().txt_KakunoMode->setFocus();
        const QStringList texts = Enter(F().txt_KakunoMode);
        QCOMPARE(F().txt_KakunoMode->text(), mode);
        if (mode.isEmpty()) {
            QCOMPARE(texts, QStringList{QStringLiteral("該当データがありませんでした")});
            QCOMPARE(F().focusWidget(), F().txt_KakunoMode);
        } else {
            QVERIFY(texts.isEmpty());
            QCOMPARE(F().focusWidget(), F().txt_1ByteMijiSyugo);
        }
    }

    void unknownSettingIsRefused()
    {
        EnterKey(QStringLiteral("1"), QStringLiteral("0101"), QStringLiteral("NEWKEY01"));
        F().lbl_1ByteMijiSyugo->setText(QStringLiteral("old"));
        F().txt_1ByteMijiSyugo->setText(QStringLiteral("Q"));
        F().txt_1ByteMijiSyugo->setFocus();
        MessageBoxAnswerer answerer;
        QTest::keyClick(F().txt_1ByteMijiSyugo, Qt::Key_Return);
        QCOMPARE(answerer.Texts(), QStringList{QStringLiteral("該当データがありませんでした")});
        QCOMPARE(answerer.Seen().front().icon, QMessageBox::NoIcon);
        QCOMPARE(F().lbl_1ByteMijiSyugo->text(), QString());
        QCOMPARE(F().focusWidget(), F().txt_1ByteMijiSyugo);
        QCOMPARE(F().txt_1ByteMijiSyugo->selectedText(), QStringLiteral("Q"));
    }

    void checkDetailSettingsStopsAtTheFirstRefusal()
    {
        EnterKey(QStringLiteral("1"), QStringLiteral("0101"), QStringLiteral("NEWKEY01"));
        F().txt_KakunoMode->setText(QStringLiteral("Q"));
        MessageBoxAnswerer answerer;
        QCOMPARE(CheckDetailSettings(F()), qint16(9));
        QCOMPARE(answerer.Texts(), QStringList{QStringLiteral("該当データがありませんでした")});
        QCOMPARE(F().txt_Yosikisyubetu->text(), QStringLiteral("11"));
        QVERIFY(F().txt_1ByteMijiSyugo->text().isEmpty());
        F().txt_KakunoMode->setText(QStringLiteral("S"));
        QCOMPARE(CheckDetailSettings(F()), qint16(0));
        QCOMPARE(F().txt_XMLmojiCode->text(), QStringLiteral("S"));
        QCOMPARE(F().txt_SintaxID->text(), QStringLiteral("CII111"));
        QVERIFY(F().Frame[0]->isHidden());  // never opens the line screen
    }

    void storedHeaderWithMissingCodes()
    {
        // Two stored codes that the category master lacks: two messages, in order.
        Connection& db = F().Db;
        db.SetStatement(QStringLiteral("INSERT INTO FL1902フォーマット情報マスタ (情報区分コード,BPID,様式識別,"
                                       "シンタックスIDバージョン,格納モード,1バイト文字集合,2バイト文字集合,ローカル形式,XML文字コード)"
                                       " VALUES ('0101','ODDCODES','99','V9',' S ',NULL,'Z','T','S')"));
        db.ExecuteStatement();
        Type(F().txt_SyoriKbn, QStringLiteral("0"));
        F().txt_JohoKbn->setText(QStringLiteral("0101"));
        Enter(F().txt_JohoKbn);
        F().txt_BPID->setText(QStringLiteral("ODDCODES"));
        const QStringList texts = Enter(F().txt_BPID);
        QCOMPARE(texts, (QStringList{QStringLiteral("該当データがありませんでした"),
                                     QStringLiteral("該当データがありませんでした")}));
        QCOMPARE(F().txt_Yosikisyubetu->text(), QStringLiteral("99"));
        QCOMPARE(F().txt_SintaxID->text(), QStringLiteral("V9"));
        QCOMPARE(F().txt_KakunoMode->text(), QStringLiteral("S"));
        QCOMPARE(F().lbl_KakunoMode->text(), QStringLiteral("ｼﾝｸﾞﾙ"));
        QCOMPARE(F().txt_1ByteMijiSyugo->text(), QString());
        QCOMPARE(F().lbl_2ByteMijiSyugo->text(), QString());
        QCOMPARE(F().txt_2ByteMijiSyugo->text(), QStringLiteral("Z"));
        db.SetStatement(QStringLiteral("DELETE FROM FL1902フォーマット情報マスタ WHERE BPID='ODDCODES'"));
        db.ExecuteStatement();
    }

    void lineScreenAndBack()
    {
        EnterKey(QStringLiteral("2"), QStringLiteral("0101"), QStringLiteral("ORDERS01"));
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
        QCOMPARE(TopTwips(F().FrameBase[1]), 810);
        QCOMPARE(TopTwips(F().txt_BPID), 810);
        QCOMPARE(LeftTwips(F().FrameBase[0]), 5210);
        QCOMPARE(LeftTwips(F().txt_JohoKbn), 6875);
        QCOMPARE(F().ScreenMode, QStringLiteral("BODY"));
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
        QCOMPARE(TopTwips(F().FrameBase[1]), 1170);
        QCOMPARE(TopTwips(F().txt_BPID), 1170);
        QCOMPARE(LeftTwips(F().FrameBase[0]), 210);
        QCOMPARE(LeftTwips(F().txt_JohoKbn), 1875);
        QCOMPARE(F().ScreenMode, QStringLiteral("BODY"));
        QCOMPARE(F().focusWidget(), F().txt_Yosikisyubetu);
        QVERIFY(!F().txt_JohoKbn->isEnabled());

        // Back again while already on the header screen: only the program id and lists.
        SetLeftTwips(F().txt_JohoKbn, 4000);
        SwitchLayout(F(), false);
        QCOMPARE(LeftTwips(F().txt_JohoKbn), 4000);
        QCOMPARE(F().ScreenMode, QStringLiteral("BODY"));
        // A box at 5000 or less is not moved left on the way back.
        SwitchLayout(F(), true);
        SetLeftTwips(F().txt_JohoKbn, 3000);
        SwitchLayout(F(), false);
        QCOMPARE(LeftTwips(F().txt_JohoKbn), 3000);
        QCOMPARE(LeftTwips(F().FrameBase[0]), 210);
    }

    void lockingByCategory_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("buttons");
        QTest::newRow("inquiry") << "0" << true << false;
        QTest::newRow("register") << "1" << false << true;
        QTest::newRow("modify") << "2" << false << true;
        QTest::newRow("delete") << "9" << true << false;
    }

    void lockingByCategory()
    {
        QFETCH(QString, category);
        QFETCH(bool, locked);
        QFETCH(bool, buttons);
        for (int i : {12, 13, 14})
            F().ComandBtn[i]->setEnabled(true);
        F().txt_SyoriKbn->setText(category);
        LockEditFields(F(), 0);
        QCOMPARE(F().txt_Yosikisyubetu->Locked(), locked);
        QCOMPARE(F().txt_KomokuNo->Locked(), locked);
        QVERIFY(!F().txt_JohoKbn->Locked());
        for (int i : {4, 11, 17, 24, 16})
            QCOMPARE(F().ComandBtn[i]->isEnabled(), buttons);
        QVERIFY(F().ComandBtn[15]->isEnabled());
        for (int i : {12, 13, 14})
            QCOMPARE(F().ComandBtn[i]->isEnabled(), buttons);  // kept when editing is allowed
        LockEditFields(F(), 2);
        QVERIFY(F().txt_KoteiKomokuTiLocal->Locked());
        QCOMPARE(F().ComandBtn[4]->isEnabled(), buttons);
    }

    void lockingWithAnEmptyCategory()
    {
        for (int i : {12, 13, 14, 15})
            F().ComandBtn[i]->setEnabled(true);
        F().txt_SyoriKbn->clear();
        LockEditFields(F(), 0);
        QVERIFY(F().txt_Yosikisyubetu->Locked());
        QVERIFY(!F().ComandBtn[4]->isEnabled());
        QVERIFY(!F().ComandBtn[15]->isEnabled());
        QVERIFY(!F().ComandBtn[16]->isEnabled());
        for (int i : {12, 13, 14})
            QVERIFY(F().ComandBtn[i]->isEnabled());
    }

    void escapeStepsBack()
    {
        EnterKey(QStringLiteral("1"), QStringLiteral("0101"), QStringLiteral("NEWKEY01"));
        QCOMPARE(F().ScreenMode, QStringLiteral("BODY"));
        F().ScreenMode = QStringLiteral("HEAD");
        F().txt_JohoKbn->setFocus();
        QTest::keyClick(F().txt_JohoKbn, Qt::Key_Escape);
        QCOMPARE(F().ScreenMode, QStringLiteral("MODE"));
        QVERIFY(F().txt_BPID->text().isEmpty());
        QCOMPARE(F().focusWidget(), F().txt_SyoriKbn);
        QVERIFY(F().txt_SyoriKbn->isEnabled() && !F().txt_JohoKbn->isEnabled());
    }

    void searchKeys()
    {
        Type(F().txt_SyoriKbn, QStringLiteral("2"));
        // F5 in the BPID with no category: the chosen row fills both and names the category.
        F().txt_BPID->setFocus();
        ModalDriver keys(QStringLiteral("SEARCH_MSTDB"), [](QDialog* d) {
            auto* grid = d->findChild<QTableWidget*>(QStringLiteral("GRID"));
            grid->setCurrentCell(1, 0);
            d->findChild<QPushButton*>(QStringLiteral("SELECT"))->click();
        });
        // Only the press: the release reaches the dialog while it is open.
        QTest::keyPress(F().txt_BPID, Qt::Key_F5);
        QVERIFY(keys.Seen());
        QCOMPARE(F().txt_JohoKbn->text(), QStringLiteral("0201"));
        QCOMPARE(F().txt_BPID->text(), QStringLiteral("SHIPNT01"));
        QCOMPARE(F().lbl_JohoKbn->text(), QStringLiteral("出荷案内"));

        // F5 in the category field: the information-category grid.
        QVERIFY(QTest::qWaitForWindowActive(&F()));
        F().txt_JohoKbn->setFocus();
        ModalDriver categories(QStringLiteral("G_GRID"), [](QDialog* d) {
            auto* grid = d->findChild<QTableWidget*>(QStringLiteral("MSFLEXGRID"));
            grid->setCurrentCell(2, 1);
            d->findChild<QPushButton*>(QStringLiteral("SELECT"))->click();
        });
        QTest::keyPress(F().txt_JohoKbn, Qt::Key_F5);
        QVERIFY(categories.Seen());
        QCOMPARE(F().txt_JohoKbn->text(), QStringLiteral("0103"));
        QCOMPARE(F().lbl_JohoKbn->text(), QStringLiteral("発注取消"));
    }

    void headerCancelRemovesOrphanLines()
    {
        Connection& db = F().Db;
        auto lines = [&db](const QString& bpid) {
            db.SetStatement(QStringLiteral("SELECT COUNT(*) AS n FROM FL1903レコードフォーマット情報マスタ"
                                           " WHERE 情報区分コード=? AND BPID=?"),
                            {QStringLiteral("0101"), bpid});
            ResultSet rs;
            db.OpenReadOnlyResultset(rs);
            return rs.Value(QStringLiteral("n")).toInt();
        };
        db.SetStatement(QStringLiteral("INSERT INTO FL1903レコードフォーマット情報マスタ (情報区分コード,BPID,"
                                       "フォーマット種別,項目通番) VALUES ('0101','ORPHAN01','E',1)"));
        db.ExecuteStatement();
        EnterKey(QStringLiteral("1"), QStringLiteral("0101"), QStringLiteral("ORPHAN01"));
        F().ComandBtn[3]->click();
        QCOMPARE(lines(QStringLiteral("ORPHAN01")), 0);
        QCOMPARE(F().txt_SyoriKbn->text(), QStringLiteral("1"));
        QCOMPARE(F().lbl_SyoriKbn->text(), QStringLiteral("登録"));
        QCOMPARE(F().ScreenMode, QStringLiteral("MODE"));
        QCOMPARE(F().focusWidget(), F().txt_SyoriKbn);
        QVERIFY(F().txt_JohoKbn->text().isEmpty());

        // A stored format keeps its lines.
        const int stored = lines(QStringLiteral("ORDERS01"));
        QVERIFY(stored > 0);
        EnterKey(QStringLiteral("2"), QStringLiteral("0101"), QStringLiteral("ORDERS01"));
        F().ComandBtn[3]->click();
        QCOMPARE(lines(QStringLiteral("ORDERS01")), stored);
    }
};

QTEST_MAIN(TestHeaderFlow)
#include "test_header_flow.moc"
