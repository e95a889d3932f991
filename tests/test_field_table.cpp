// The field discipline on the real main form: the input classes on typed,
// composed and pasted text, byte limits, the automatic advance of a full
// field and the focus movement.

#include "format/screen_mode.h"
#include "shell/dialogs.h"
#include "core/shift_jis.h"
#include "support/form_harness.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QTest>

class TestFieldTable : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<F_K450120> form_;
    QList<int> checked_;  // positions whose full field was checked
    qint16 holdAnswer_ = 0;
    F_K450120& F() { return *form_; }
    QWidget* Focus() { return QApplication::focusWidget(); }

private slots:
    // The form without a site: screen mode BODY (or as the test sets), frames shown.
    void init()
    {
        form_ = std::make_unique<F_K450120>();
        InitializeScreen(F());
        checked_.clear();
        holdAnswer_ = 0;
        F().Fields.CheckField = [this](int position, qint16& hold) {
            checked_ << position;
            hold = holdAnswer_;
        };
        F().Fields.TextBackColor = Qt::white;
        F().Fields.TextFocusColor = Qt::yellow;
        SetScreenMode(F(), "BODY");
        F().Frame[0]->show();
        F().Frame[1]->show();
        F().show();
        F().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&F()));
    }

    void cleanup() { form_.reset(); }

    void inputFollowsTheClass()
    {
        F().txt_MultiMeisaiBango->setFocus();  // class 2U, 5 bytes
        Type(F().txt_MultiMeisaiBango, QStringLiteral("a,b\"c'"));
        QCOMPARE(F().txt_MultiMeisaiBango->text(), QStringLiteral("ABC"));
        FieldEdit* digits = F().txt_Kurikaesisu;  // class 3
        digits->setFocus();
        Type(digits, QStringLiteral("1a2-３4"));
        QCOMPARE(digits->text(), QStringLiteral("124"));
        QTest::keyClick(digits, Qt::Key_Backspace);
        QCOMPARE(digits->text(), QStringLiteral("12"));
        F().txt_KoteiKomokuTi->setFocus();  // class 2, keeps case
        Type(F().txt_KoteiKomokuTi, QStringLiteral("ab,漢字"));
        QCOMPARE(F().txt_KoteiKomokuTi->text(), QStringLiteral("ab漢字"));

        // A paste passes the filter too; the paste key itself is refused by digits only.
        QApplication::clipboard()->setText(QStringLiteral("x1,y'2"));
        QTest::keyClick(digits, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(digits->text(), QStringLiteral("12"));
        F().txt_HenkanErrorTaisyoLocal->setFocus();  // 2U, 6 bytes
        QTest::keyClick(F().txt_HenkanErrorTaisyoLocal, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(F().txt_HenkanErrorTaisyoLocal->text(), QStringLiteral("X1Y2"));

        // So does an input method; the text is cut at 20 bytes (10 kanji).
        FieldEdit* name = F().txt_KomokuMei;
        name->setFocus();
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("発注'番号の項目名称とその説明文"));
        QApplication::sendEvent(name, &commit);
        QCOMPARE(name->text(), QStringLiteral("発注番号の項目名称と"));
        // Typing stops at the byte limit: 5 half-width katakana and 7 kanji are 19 bytes.
        name->clear();
        Type(name, QStringLiteral("ｱｲｳｴｵ漢字漢字漢字漢字漢字漢字"));
        QCOMPARE(name->text(), QStringLiteral("ｱｲｳｴｵ漢字漢字漢字漢"));
        Type(name, QStringLiteral("A"));
        QCOMPARE(name->text().right(1), QStringLiteral("A"));
    }

    void fullFieldAdvances_data()
    {
        QTest::addColumn<int>("hold");
        QTest::newRow("accepted") << 0;
        QTest::newRow("refused") << 9;
    }

    void fullFieldAdvances()
    {
        QFETCH(int, hold);
        SetScreenMode(F(), "HEAD");
        holdAnswer_ = qint16(hold);
        F().txt_JohoKbn->setFocus();
        Type(F().txt_JohoKbn, QStringLiteral("010"));
        QVERIFY(checked_.isEmpty());
        Type(F().txt_JohoKbn, QStringLiteral("1"));
        QCOMPARE(checked_, QList<int>{1});
        // A refused field keeps the focus, its text selected.
        QCOMPARE(Focus(), hold ? F().txt_JohoKbn : F().txt_BPID);
        if (hold)
            QCOMPARE(F().txt_JohoKbn->selectedText(), QStringLiteral("0101"));
    }

    void noAdvance()
    {
        // Ten kanji fill 20 bytes but are ten characters: not full.
        FieldEdit* name = F().txt_KomokuMei;
        name->setFocus();
        Type(name, QStringLiteral("一二三四五六七八九十"));
        QCOMPARE(ByteLength(name->text()), 20);
        // The last field never advances by itself.
        F().txt_KoteiKomokuTiLocal->setFocus();
        Type(F().txt_KoteiKomokuTiLocal, QString(50, QLatin1Char('x')));
        // A full field with the caret moved into it does not advance.
        FieldEdit* code = F().txt_HenkanErrorTaisyoLocal;
        code->setText(QStringLiteral("ABCDEF"));
        code->setFocus();
        code->setCursorPosition(2);
        QTest::keyClick(code, Qt::Key_Right);
        // Releases with Shift held never advance.
        code->setCursorPosition(6);
        QTest::keyClick(code, Qt::Key_A, Qt::ShiftModifier);
        QVERIFY(checked_.isEmpty());
        QTest::keyClick(code, Qt::Key_End);
        QCOMPARE(checked_, QList<int>{22});
    }

    void moveToNextField()
    {
        SetScreenMode(F(), "HEAD");
        F().txt_BPID->setFocus();
        F().Fields.MoveToNextField(13);
        QCOMPARE(Focus(), F().txt_JohoKbn);  // wrapped over the disabled rest
        F().txt_BPID->setEnabled(false);
        F().Fields.MoveToNextField(13);
        QCOMPARE(Focus(), F().txt_JohoKbn);  // no other field: stays
        // Locked and hidden fields are passed over.
        SetScreenMode(F(), "BODY");
        F().Frame[0]->hide();
        F().Frame[1]->hide();
        F().txt_Yosikisyubetu->setFocus();
        F().txt_SintaxID->SetLocked(true);
        F().Fields.MoveToNextField(13);
        QCOMPARE(Focus(), F().txt_KakunoMode);
        F().txt_XMLmojiCode->setFocus();
        F().Fields.MoveToNextField(13);
        QCOMPARE(Focus(), F().txt_Yosikisyubetu);
    }

    void moveToPreviousField()
    {
        F().txt_KakunoMode->setFocus();
        F().Fields.MoveToPreviousField(38);
        QCOMPARE(Focus(), F().txt_SintaxID);
        // A text that is not wholly selected keeps the focus.
        F().txt_SintaxID->setText(QStringLiteral("CII111"));
        F().txt_SintaxID->setCursorPosition(3);
        F().Fields.MoveToPreviousField(38);
        QCOMPARE(Focus(), F().txt_SintaxID);
        F().txt_SintaxID->selectAll();
        F().Fields.MoveToPreviousField(38);
        QCOMPARE(Focus(), F().txt_Yosikisyubetu);
        // Below the first enabled field there is nothing: no second wrap.
        F().Fields.MoveToPreviousField(38);
        QCOMPARE(Focus(), F().txt_Yosikisyubetu);
        // From position 0 it goes on at the last position.
        SetScreenMode(F(), "MODE");
        F().txt_SyoriKbn->setFocus();
        F().txt_KoteiKomokuTiLocal->setEnabled(true);
        F().Fields.MoveToPreviousField(38);
        QCOMPARE(Focus(), F().txt_KoteiKomokuTiLocal);
    }

    void textsCutToTheByteLimit()
    {
        F().txt_BPID->setText(QStringLiteral("ABCDEFGHIJ"));
        FormatFieldText(F().Fields, 2);
        F().txt_JohoKbn->setText(QStringLiteral("発注区分"));
        FormatFieldText(F().Fields, 1);
        F().txt_ZokuseiLocal->setText(QStringLiteral("x"));
        FormatFieldText(F().Fields, 17);  // no limit designed: emptied
        QCOMPARE(Texts({F().txt_BPID, F().txt_JohoKbn, F().txt_ZokuseiLocal}), (QStringList{"ABCDEFGH", "発注", ""}));
    }
};

QTEST_MAIN(TestFieldTable)
#include "test_field_table.moc"
