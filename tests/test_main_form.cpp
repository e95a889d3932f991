// The main form started in-process on a temporary site: the first screen, the
// processing-category check, Esc and the exit confirmation.

#include "support/form_harness.h"
#include "support/message_box_answerer.h"

#include <QApplication>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestMainForm : public FormTest {
    Q_OBJECT

private slots:
    void init() {}  // each test starts the form as it needs

    void firstScreen()
    {
        QVERIFY(h_.Start("  OP01  "));
        QCOMPARE(F().windowTitle(), QStringLiteral("フォーマット情報マスタ保守"));
        QCOMPARE(Texts({F().PGID, F().OP_CD, F().OP_NM, F().HIDUKE, F().txt_SyoriKbn, F().lbl_SyoriKbn}),
                 (QStringList{"G4502001", "OP01", "", QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")),
                              "1", "登録"}));
        QCOMPARE(F().txt_SyoriKbn->selectedText(), QStringLiteral("1"));
        QCOMPARE(QApplication::focusWidget(), F().txt_SyoriKbn);
        QCOMPARE(F().State.ScreenMode, QStringLiteral("MODE"));
        for (FieldEdit* field : F().findChildren<FieldEdit*>())
            QCOMPARE(field->isEnabled(), field == F().txt_SyoriKbn);
        QVERIFY(!F().ComandBtn[0]->isEnabled() && !F().ComandBtn[1]->isEnabled());
        QVERIFY(F().Frame[0]->isHidden() && F().Frame[1]->isHidden());
        for (int i = 12; i <= 16; ++i)
            QVERIFY(F().ComandBtn[i]->isHidden());
        QVERIFY(F().Dummy2->isHidden() && F().lbl_DummyLabel->isHidden());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QCOMPARE(F().State.Categories.Codes.size(), 16);
        QCOMPARE(F().State.Categories.Names.front(), QStringLiteral("発注"));
        // Both screens fit a 1024x768 display.
        QVERIFY(F().width() <= 1024 && F().height() <= 740);
        // EDI.ini of the demo site: form 15790320, text 16777215, focus 13434879.
        QCOMPARE(F().palette().color(QPalette::Window), QColor(240, 240, 240));
        QCOMPARE(F().lbl_SyoriKbn->palette().color(QPalette::Window), QColor(255, 255, 240));
        QCOMPARE(F().txt_SyoriKbn->font().family(), QStringLiteral("Noto Sans CJK JP"));

        QVERIFY(h_.Start("   "));
        QCOMPARE(F().OP_CD->text(), QString());
    }

    void processingCategoryAccepted_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("locked");
        QTest::newRow("inquiry") << "0" << "照会" << true;
        QTest::newRow("register") << "1" << "登録" << false;
        QTest::newRow("modify") << "2" << "修正" << false;
        QTest::newRow("delete") << "9" << "削除" << true;
    }

    void processingCategoryAccepted()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QFETCH(bool, locked);
        QVERIFY(h_.Start());
        MessageBoxAnswerer answerer;
        // The field holds one character: typing it finishes the field.
        Type(F().txt_SyoriKbn, code);
        QVERIFY(answerer.Seen().isEmpty());
        QCOMPARE(F().lbl_SyoriKbn->text(), name);
        QCOMPARE(F().State.ScreenMode, QStringLiteral("HEAD"));
        QVERIFY(!F().txt_SyoriKbn->isEnabled());
        QCOMPARE(QApplication::focusWidget(), F().txt_JohoKbn);
        QCOMPARE(F().txt_JohoKbn->palette().color(QPalette::Base), QColor(255, 255, 204));
        QCOMPARE(F().txt_SyoriKbn->palette().color(QPalette::Base), QColor(255, 255, 255));
        QCOMPARE(F().txt_Yosikisyubetu->isReadOnly(), locked);
        QCOMPARE(F().ComandBtn[16]->isEnabled(), !locked);
    }

    void processingCategoryRefused()
    {
        QVERIFY(h_.Start());
        {
            MessageBoxAnswerer answerer;
            Type(F().txt_SyoriKbn, QStringLiteral("5"));
            QCOMPARE(answerer.Texts(), QStringList{QStringLiteral("処理区分が登録されていません")});
            QCOMPARE(answerer.Seen().front().icon, QMessageBox::Warning);
            QCOMPARE(answerer.Seen().front().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        }
        QCOMPARE(F().focusWidget(), F().txt_SyoriKbn);
        QCOMPARE(F().txt_SyoriKbn->selectedText(), QStringLiteral("5"));
        QCOMPARE(F().lbl_SyoriKbn->text(), QString());
        QCOMPARE(F().State.ScreenMode, QStringLiteral("MODE"));

        F().txt_SyoriKbn->clear();
        QCOMPARE(PressEnter(F().txt_SyoriKbn), QStringList{QStringLiteral("処理区分が入力されていません")});
        QCOMPARE(F().focusWidget(), F().txt_SyoriKbn);
    }

    void escapeFromKeyEntryReturnsToCategory()
    {
        QVERIFY(h_.Start());
        Type(F().txt_SyoriKbn, QStringLiteral("2"));
        F().txt_JohoKbn->setText(QStringLiteral("0101"));
        F().State.lbl_JohoKbn.text = QStringLiteral("発注");
        F().txt_BPID->setText(QStringLiteral("ORDERS01"));
        F().txt_Yosikisyubetu->setText(QStringLiteral("11"));
        QTest::keyClick(F().txt_JohoKbn, Qt::Key_Escape);
        QCOMPARE(F().State.ScreenMode, QStringLiteral("MODE"));
        QCOMPARE(QApplication::focusWidget(), F().txt_SyoriKbn);
        QCOMPARE(Texts({F().txt_SyoriKbn, F().txt_JohoKbn, F().lbl_JohoKbn, F().txt_BPID, F().txt_Yosikisyubetu}),
                 (QStringList{"2", "", "", "", ""}));
        QVERIFY(F().txt_SyoriKbn->isEnabled() && !F().txt_JohoKbn->isEnabled());
    }

    void closingAsksAndNoKeepsTheForm()
    {
        QVERIFY(h_.Start());
        F().State.txt_JohoKbn.enabled = true;
        QPalette red = F().txt_JohoKbn->palette();
        red.setColor(QPalette::Base, Qt::red);
        F().txt_JohoKbn->setPalette(red);
        MessageBoxAnswerer answerer({QMessageBox::No});
        F().close();
        QCOMPARE(answerer.Seen().size(), 1);
        const SeenBox box = answerer.Seen().front();
        QCOMPARE(box.text, QStringLiteral("終了してもよろしいですか"));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.defaultButton, QMessageBox::No);
        QVERIFY(F().isVisible() && !F().State.ExitConfirmed && F().Db.IsOpen());
        QCOMPARE(F().txt_JohoKbn->palette().color(QPalette::Base), QColor(255, 255, 255));
        QCOMPARE(F().txt_SyoriKbn->text(), QStringLiteral("1"));
    }

    void yesClosesTheConnection()
    {
        QVERIFY(h_.Start());
        MessageBoxAnswerer answerer({QMessageBox::Yes});
        QTest::keyClick(F().txt_SyoriKbn, Qt::Key_Escape);
        QCOMPARE(answerer.Texts(), QStringList{QStringLiteral("終了してもよろしいですか")});
        QVERIFY(F().State.ExitConfirmed && !F().Db.IsOpen() && !F().isVisible());
    }
};

QTEST_MAIN(TestMainForm)
#include "test_main_form.moc"
