// The main form started in-process on a temporary site: the first screen, the
// processing-category check, Esc and the exit confirmation.

#include "app/main_form.h"
#include "app/startup.h"
#include "support/message_box_answerer.h"
#include "support/temp_site.h"

#include <QApplication>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

void Type(QWidget* w, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::KeyAction::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

}  // namespace

class TestMainForm : public QObject {
    Q_OBJECT

private:
    TempSite site_;
    std::unique_ptr<F_K450120> form_;

    F_K450120& F() { return *form_; }

    void Start(const QByteArray& commandLine)
    {
        form_ = std::make_unique<F_K450120>();
        F().ProgramFolder = site_.ProgramFolder();
        QCOMPARE(StartUp(F(), commandLine), 0);
        QVERIFY(QTest::qWaitForWindowActive(&F()));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(site_.Ok(), qPrintable(site_.Error()));
        site_.UseOdbcConfiguration();
    }

    void cleanup() { form_.reset(); }

    void firstScreen()
    {
        Start("  OP01  ");
        QCOMPARE(F().objectName(), QStringLiteral("F_K450120"));
        QCOMPARE(F().windowTitle(), QStringLiteral("フォーマット情報マスタ保守"));
        QCOMPARE(F().PGID->text(), QStringLiteral("G4502001"));
        QCOMPARE(F().OP_CD->text(), QStringLiteral("OP01"));
        QCOMPARE(F().OP_NM->text(), QString());
        QCOMPARE(F().HIDUKE->text(), QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
        QCOMPARE(F().txt_SyoriKbn->text(), QStringLiteral("1"));
        QCOMPARE(F().txt_SyoriKbn->selectedText(), QStringLiteral("1"));
        QCOMPARE(F().lbl_SyoriKbn->text(), QStringLiteral("登録"));
        QCOMPARE(QApplication::focusWidget(), F().txt_SyoriKbn);
        QCOMPARE(F().ScreenMode, QStringLiteral("MODE"));
        for (FieldEdit* field : F().Fields.Fields)
            QCOMPARE(field->isEnabled(), field == F().txt_SyoriKbn);
        QVERIFY(!F().ComandBtn[0]->isEnabled());
        QVERIFY(!F().ComandBtn[1]->isEnabled());
        QVERIFY(F().Frame[0]->isHidden() && F().Frame[1]->isHidden());
        for (int i = 12; i <= 16; ++i)
            QVERIFY(F().ComandBtn[i]->isHidden());
        QVERIFY(F().Dummy2->isHidden() && F().lbl_DummyLabel->isHidden());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QCOMPARE(F().Categories.Codes.size(), 16);
        QCOMPARE(F().Categories.Codes.front(), QStringLiteral("0101"));
        QCOMPARE(F().Categories.Names.front(), QStringLiteral("発注"));
    }

    void coloursFromTheSite()
    {
        Start("OP01");
        // EDI.ini of the demo site: form 15790320, text 16777215, focus 13434879.
        QCOMPARE(F().palette().color(QPalette::Window), QColor(240, 240, 240));
        QCOMPARE(F().txt_SyoriKbn->palette().color(QPalette::Base), QColor(255, 255, 204));
        QCOMPARE(F().txt_JohoKbn->palette().color(QPalette::Base), QColor(255, 255, 255));
        QCOMPARE(F().lbl_SyoriKbn->palette().color(QPalette::Window), QColor(255, 255, 240));
        QCOMPARE(F().txt_SyoriKbn->font().family(), QStringLiteral("Noto Sans CJK JP"));
    }

    void emptyCommandLine()
    {
        Start("   ");
        QCOMPARE(F().OP_CD->text(), QString());
    }

    void controlsAsDesigned()
    {
        Start("OP01");
        const char* const captions[] = {"複写（C)", "詳細設定( I )", "OK", "ｷｬﾝｾﾙ", "項目追加（A)",
                                        "明細追加（M)", "編集（E)", "上へ移動", "削除（D)", "下へ移動",
                                        "OK", "ｷｬﾝｾﾙ", "ﾘﾝｸ作成（L)", "ﾘﾝｸ解除（C)", "一括ﾘﾝｸ（M)",
                                        "ｷｬﾝｾﾙ", "終了", "項目追加（A)", "明細追加（M)", "編集（E)",
                                        "上へ移動", "削除（D)", "下へ移動", "ｷｬﾝｾﾙ", "OK"};
        for (int i = 0; i < 25; ++i) {
            auto* button = F().findChild<QPushButton*>(QStringLiteral("ComandBtn_%1").arg(i));
            QVERIFY(button);
            QCOMPARE(button->text(), QString::fromUtf8(captions[i]));
            QCOMPARE(button->accessibleName(), button->text());
        }
        QCOMPARE(F().Frame[0]->title(), QStringLiteral("EIAJ/CII 標準ﾒｯｾｰｼﾞ"));
        QCOMPARE(F().Frame[1]->title(), QStringLiteral("ﾛｰｶﾙﾌｧｲﾙ"));
        QVERIFY(F().Frame[0]->isAncestorOf(F().Lis_Hyojun));
        QVERIFY(F().Frame[1]->isAncestorOf(F().txt_KoteiKomokuTiLocal));
        QVERIFY(F().Frame[0]->isAncestorOf(F().ComandBtn[11]));
        QVERIFY(F().Frame[1]->isAncestorOf(F().ComandBtn[24]));
        QCOMPARE(F().FrameBase[0]->text(), QStringLiteral("情報区分ｺｰﾄﾞ"));
        QCOMPARE(F().FrameBase[1]->text(), QStringLiteral("ＢＰＩＤ"));
        QCOMPARE(F().FrameBase[0]->property("twipsTop").toInt(), 840);
        QCOMPARE(F().FrameBase[1]->property("twipsHeight").toInt(), 345);
        QCOMPARE(F().txt_BPID->property("twipsLeft").toInt(), 1875);
        for (const char* name : {"lbl_KomokuTuban", "lbl_TaioKomokuTubanLocal", "lbl_KomokuNoIti",
                                 "lbl_ZokuseiCodeLocal", "lbl_HenkanErrorTaisyoLocal", "Lis_Local"})
            QVERIFY2(F().findChild<QWidget*>(QLatin1String(name)), name);
        // Both screens fit a 1024x768 display.
        QVERIFY(F().width() <= 1024 && F().height() <= 740);
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
        Start("OP01");
        MessageBoxAnswerer answerer;
        // The field holds one character: typing it finishes the field.
        Type(F().txt_SyoriKbn, code);
        QVERIFY(answerer.Seen().isEmpty());
        QCOMPARE(F().lbl_SyoriKbn->text(), name);
        QCOMPARE(F().ScreenMode, QStringLiteral("HEAD"));
        QVERIFY(!F().txt_SyoriKbn->isEnabled());
        QCOMPARE(QApplication::focusWidget(), F().txt_JohoKbn);
        QCOMPARE(F().txt_JohoKbn->palette().color(QPalette::Base), QColor(255, 255, 204));
        QCOMPARE(F().txt_SyoriKbn->palette().color(QPalette::Base), QColor(255, 255, 255));
        QCOMPARE(F().txt_Yosikisyubetu->Locked(), locked);
        QCOMPARE(F().txt_KoteiKomokuTiLocal->Locked(), locked);
        QCOMPARE(F().ComandBtn[4]->isEnabled(), !locked);
        QCOMPARE(F().ComandBtn[15]->isEnabled(), true);
        QCOMPARE(F().ComandBtn[16]->isEnabled(), !locked);
    }

    void processingCategoryRefused()
    {
        Start("OP01");
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
        QCOMPARE(F().ScreenMode, QStringLiteral("MODE"));

        F().txt_SyoriKbn->clear();
        MessageBoxAnswerer answerer;
        QTest::keyClick(F().txt_SyoriKbn, Qt::Key_Return);
        QCOMPARE(answerer.Texts(), QStringList{QStringLiteral("処理区分が入力されていません")});
        QCOMPARE(F().focusWidget(), F().txt_SyoriKbn);
    }

    void escapeFromKeyEntryReturnsToCategory()
    {
        Start("OP01");
        Type(F().txt_SyoriKbn, QStringLiteral("2"));
        F().txt_JohoKbn->setText(QStringLiteral("0101"));
        F().lbl_JohoKbn->setText(QStringLiteral("発注"));
        F().txt_Yosikisyubetu->setText(QStringLiteral("11"));
        QTest::keyClick(F().txt_JohoKbn, Qt::Key_Escape);
        QCOMPARE(F().ScreenMode, QStringLiteral("MODE"));
        QCOMPARE(QApplication::focusWidget(), F().txt_SyoriKbn);
        QCOMPARE(F().txt_JohoKbn->text(), QString());
        QCOMPARE(F().lbl_JohoKbn->text(), QString());
        QCOMPARE(F().txt_Yosikisyubetu->text(), QString());
        QCOMPARE(F().txt_SyoriKbn->text(), QStringLiteral("2"));
    }

    void closingAsksAndNoKeepsTheForm()
    {
        Start("OP01");
        F().txt_JohoKbn->setEnabled(true);
        SetBackground(F().txt_JohoKbn, Qt::red);
        MessageBoxAnswerer answerer({QMessageBox::No});
        F().close();
        QCOMPARE(answerer.Seen().size(), 1);
        const SeenBox box = answerer.Seen().front();
        QCOMPARE(box.text, QStringLiteral("終了してもよろしいですか"));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.defaultButton, QMessageBox::No);
        QVERIFY(F().isVisible());
        QVERIFY(!F().ExitConfirmed);
        QVERIFY(F().Db.IsOpen());
        QCOMPARE(F().txt_JohoKbn->palette().color(QPalette::Base), QColor(255, 255, 255));
        QCOMPARE(F().txt_SyoriKbn->text(), QStringLiteral("1"));
    }

    void yesClosesTheConnection()
    {
        Start("OP01");
        MessageBoxAnswerer answerer({QMessageBox::Yes});
        QTest::keyClick(F().txt_SyoriKbn, Qt::Key_Escape);
        QCOMPARE(answerer.Texts(), QStringList{QStringLiteral("終了してもよろしいですか")});
        QVERIFY(F().ExitConfirmed);
        QVERIFY(!F().Db.IsOpen());
        QVERIFY(!F().isVisible());
    }
};

QTEST_MAIN(TestMainForm)
#include "test_main_form.moc"
