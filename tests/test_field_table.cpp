// The field discipline on the real main form: the field table, the input
// classes on typed, composed and pasted text, byte limits, the automatic
// advance of a full field and the focus movement.

#include "app/main_form.h"
#include "format/screen_mode.h"
#include "shell/dialogs.h"
#include "shell/shift_jis.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QTest>

namespace {

// Types one character the way a keyboard or an input method delivers it.
void Type(QWidget* w, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::KeyAction::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

}  // namespace

class TestFieldTable : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<F_K450120> form_;
    QList<int> checked_;
    qint16 holdAnswer_ = 0;

    F_K450120& F() { return *form_; }

private slots:
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
        F().show();
        F().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&F()));
    }

    void cleanup() { form_.reset(); }

    void tableOfFields()
    {
        const FieldTable& t = F().Fields;
        QCOMPARE(t.FieldCount, 24);
        QCOMPARE(t.Fields.size(), 24);
        QCOMPARE(t.Fields[0]->objectName(), QStringLiteral("txt_SyoriKbn"));
        QCOMPARE(t.Fields[23]->objectName(), QStringLiteral("txt_KoteiKomokuTiLocal"));
        QCOMPARE(t.FieldClass.join(QLatin1Char(',')),
                 QStringLiteral("2,2U,2U,2,2U,2U,2U,2U,2U,2U,3,2U,3,2U,2,2,2U,2,3,3,2,3,2U,2"));
        QCOMPARE(t.FieldGroup.mid(0, 4), (QStringList{"MODE", "HEAD", "HEAD", "BODY"}));
        QCOMPARE(t.FieldGroup.count(QStringLiteral("BODY")), 21);
        QCOMPARE(t.HeadStart, 1);
        QCOMPARE(t.BodyStart, 3);
        QCOMPARE(t.StandardPaneStart, 10);
        QCOMPARE(t.StandardPaneEnd, 14);
        QCOMPARE(t.LastFieldPos, 23);
        const int maxLengths[] = {1, 4, 8, 2, 6, 1, 1, 1, 1, 1, 6, 5, 6, 1, 50, 20, 1, 0, 4, 2, 6, 4, 6, 50};
        for (int i = 0; i < 24; ++i) {
            QCOMPARE(t.Fields[i]->TabIndex, i);
            QCOMPARE(t.Fields[i]->MaxLength, maxLengths[i]);
        }
        QCOMPARE(F().ScreenMode, QStringLiteral("MODE"));
    }

    void clearScreenEmptiesFieldsAndValueLabels()
    {
        F().txt_BPID->setText(QStringLiteral("ABCDEFGH"));
        F().lbl_JohoKbn->setText(QStringLiteral("発注"));
        F().Dummy2->setText(QStringLiteral("carrier"));
        F().PGID->setText(QStringLiteral("G4502001"));
        F().Fields.ClearScreen(&F());
        QCOMPARE(F().Fields.FieldCount, 24);
        QVERIFY(F().txt_BPID->text().isEmpty());
        QVERIFY(F().lbl_JohoKbn->text().isEmpty());
        QCOMPARE(F().Dummy2->text(), QStringLiteral("carrier"));
        QCOMPARE(F().PGID->text(), QStringLiteral("G4502001"));
    }

    void groupsEnableTogether()
    {
        SetScreenMode(F(), "HEAD");
        QVERIFY(!F().txt_SyoriKbn->isEnabled());
        QVERIFY(F().txt_JohoKbn->isEnabled() && F().txt_BPID->isEnabled());
        QVERIFY(!F().txt_Yosikisyubetu->isEnabled());
        SetScreenMode(F(), "BODY");
        QVERIFY(!F().txt_BPID->isEnabled());
        QVERIFY(F().txt_Yosikisyubetu->isEnabled() && F().txt_KoteiKomokuTiLocal->isEnabled());
    }

    void typedCharactersFollowTheClass()
    {
        SetScreenMode(F(), "BODY");
        F().Frame[0]->show();
        F().Frame[1]->show();
        FieldEdit* upper = F().txt_MultiMeisaiBango;  // class 2U, 5 bytes
        upper->setFocus();
        Type(upper, QStringLiteral("a,b\"c'"));
        QCOMPARE(upper->text(), QStringLiteral("ABC"));

        FieldEdit* digits = F().txt_Kurikaesisu;  // class 3
        digits->setFocus();
        Type(digits, QStringLiteral("1a2-３4"));
        QCOMPARE(digits->text(), QStringLiteral("124"));
        QTest::keyClick(digits, Qt::Key_Backspace);
        QCOMPARE(digits->text(), QStringLiteral("12"));

        FieldEdit* free = F().txt_KoteiKomokuTi;  // class 2, keeps case
        free->setFocus();
        Type(free, QStringLiteral("ab,漢字"));
        QCOMPARE(free->text(), QStringLiteral("ab漢字"));
    }

    void pasteAndInputMethodPassTheFilter()
    {
        SetScreenMode(F(), "BODY");
        F().Frame[0]->show();
        F().Frame[1]->show();
        QApplication::clipboard()->setText(QStringLiteral("x1,y'2"));
        FieldEdit* digits = F().txt_Kurikaesisu;
        digits->setFocus();
        // The paste character itself is refused by a digits-only class.
        QTest::keyClick(digits, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(digits->text(), QString());

        FieldEdit* upper = F().txt_HenkanErrorTaisyoLocal;  // 2U, 6 bytes
        upper->setFocus();
        QTest::keyClick(upper, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(upper->text(), QStringLiteral("X1Y2"));

        FieldEdit* name = F().txt_KomokuMei;  // 2, 20 bytes
        name->setFocus();
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("発注'番号の項目名称とその説明文"));
        QApplication::sendEvent(name, &commit);
        // The apostrophe is dropped and the text cut at 20 bytes (10 kanji).
        QCOMPARE(name->text(), QStringLiteral("発注番号の項目名称と"));
    }

    void typingStopsAtTheByteLimit()
    {
        SetScreenMode(F(), "BODY");
        F().Frame[1]->show();
        FieldEdit* name = F().txt_KomokuMei;
        name->setFocus();
        Type(name, QStringLiteral("ｱｲｳｴｵ漢字漢字漢字漢字漢字漢字"));
        // 5 half-width katakana (5 bytes) + 7 kanji (14 bytes) = 19; the next kanji does not fit.
        QCOMPARE(name->text(), QStringLiteral("ｱｲｳｴｵ漢字漢字漢字漢"));
        Type(name, QStringLiteral("A"));
        QCOMPARE(name->text().right(1), QStringLiteral("A"));
    }

    void fullFieldAdvances()
    {
        SetScreenMode(F(), "HEAD");
        F().txt_JohoKbn->setFocus();
        Type(F().txt_JohoKbn, QStringLiteral("010"));
        QVERIFY(checked_.isEmpty());
        Type(F().txt_JohoKbn, QStringLiteral("1"));
        QCOMPARE(checked_, QList<int>{1});
        QCOMPARE(QApplication::focusWidget(), F().txt_BPID);
    }

    void refusedFullFieldKeepsFocusAndSelects()
    {
        SetScreenMode(F(), "HEAD");
        holdAnswer_ = 9;
        F().txt_JohoKbn->setFocus();
        Type(F().txt_JohoKbn, QStringLiteral("9999"));
        QCOMPARE(checked_, QList<int>{1});
        QCOMPARE(QApplication::focusWidget(), F().txt_JohoKbn);
        QCOMPARE(F().txt_JohoKbn->selectedText(), QStringLiteral("9999"));
    }

    void noAdvanceCases()
    {
        SetScreenMode(F(), "BODY");
        F().Frame[0]->show();
        F().Frame[1]->show();
        // Ten kanji fill 20 bytes but are ten characters: not full.
        FieldEdit* name = F().txt_KomokuMei;
        name->setFocus();
        Type(name, QStringLiteral("一二三四五六七八九十"));
        QCOMPARE(ByteLength(name->text()), 20);
        QVERIFY(checked_.isEmpty());

        // The last field never advances by itself.
        FieldEdit* last = F().txt_KoteiKomokuTiLocal;
        last->setFocus();
        Type(last, QString(50, QLatin1Char('x')));
        QVERIFY(checked_.isEmpty());

        // A full field with the caret moved into it does not advance.
        FieldEdit* code = F().txt_HenkanErrorTaisyoLocal;
        code->setText(QStringLiteral("ABCDEF"));
        code->setFocus();
        code->setCursorPosition(2);
        QTest::keyClick(code, Qt::Key_Right);
        QVERIFY(checked_.isEmpty());

        // Releases with Shift held never advance.
        code->setCursorPosition(6);
        QTest::keyClick(code, Qt::Key_A, Qt::ShiftModifier);
        QVERIFY(checked_.isEmpty());
        QTest::keyClick(code, Qt::Key_End);
        QCOMPARE(checked_, QList<int>{22});
    }

    void focusColours()
    {
        SetScreenMode(F(), "HEAD");
        F().txt_JohoKbn->setText(QStringLiteral("0101"));
        F().txt_JohoKbn->setFocus();
        QCOMPARE(F().txt_JohoKbn->palette().color(QPalette::Base), QColor(Qt::yellow));
        QCOMPARE(F().txt_JohoKbn->selectedText(), QStringLiteral("0101"));
        F().txt_BPID->setFocus();
        QCOMPARE(F().txt_JohoKbn->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(F().txt_BPID->palette().color(QPalette::Base), QColor(Qt::yellow));
    }

    void moveToNextFieldWrapsOrStays()
    {
        SetScreenMode(F(), "HEAD");
        F().txt_BPID->setFocus();
        F().Fields.MoveToNextField(13);
        QCOMPARE(QApplication::focusWidget(), F().txt_JohoKbn);  // wrapped over the disabled rest
        F().txt_BPID->setEnabled(false);
        F().Fields.MoveToNextField(13);
        QCOMPARE(QApplication::focusWidget(), F().txt_JohoKbn);  // no other field: stays
        // Locked and hidden fields are passed over.
        SetScreenMode(F(), "BODY");
        F().txt_Yosikisyubetu->setFocus();
        F().txt_SintaxID->SetLocked(true);
        F().Fields.MoveToNextField(13);
        QCOMPARE(QApplication::focusWidget(), F().txt_KakunoMode);
        F().txt_XMLmojiCode->setFocus();
        F().Fields.MoveToNextField(13);
        QCOMPARE(QApplication::focusWidget(), F().txt_Yosikisyubetu);  // frames hidden
    }

    void moveToPreviousField()
    {
        SetScreenMode(F(), "BODY");
        F().txt_KakunoMode->setFocus();
        F().Fields.MoveToPreviousField(38);
        QCOMPARE(QApplication::focusWidget(), F().txt_SintaxID);
        // A text that is not wholly selected keeps the focus.
        F().txt_SintaxID->setText(QStringLiteral("CII111"));
        F().txt_SintaxID->setCursorPosition(3);
        F().Fields.MoveToPreviousField(38);
        QCOMPARE(QApplication::focusWidget(), F().txt_SintaxID);
        F().txt_SintaxID->selectAll();
        F().Fields.MoveToPreviousField(38);
        QCOMPARE(QApplication::focusWidget(), F().txt_Yosikisyubetu);
        // Below the first enabled field there is nothing: no second wrap.
        F().Fields.MoveToPreviousField(38);
        QCOMPARE(QApplication::focusWidget(), F().txt_Yosikisyubetu);
        // From position 0 it goes on at the last position.
        SetScreenMode(F(), "MODE");
        F().txt_SyoriKbn->setFocus();
        F().txt_KoteiKomokuTiLocal->setEnabled(true);
        F().Frame[1]->show();
        F().Fields.MoveToPreviousField(38);
        QCOMPARE(QApplication::focusWidget(), F().txt_KoteiKomokuTiLocal);
    }

    void formatFieldTextCutsToTheByteLimit()
    {
        F().txt_BPID->setText(QStringLiteral("ABCDEFGHIJ"));
        FormatFieldText(F().Fields, 2);
        QCOMPARE(F().txt_BPID->text(), QStringLiteral("ABCDEFGH"));
        F().txt_JohoKbn->setText(QStringLiteral("発注区分"));
        FormatFieldText(F().Fields, 1);
        QCOMPARE(F().txt_JohoKbn->text(), QStringLiteral("発注"));
        F().txt_ZokuseiLocal->setText(QStringLiteral("x"));
        FormatFieldText(F().Fields, 17);  // no limit designed: emptied
        QCOMPARE(F().txt_ZokuseiLocal->text(), QString());
    }
};

QTEST_MAIN(TestFieldTable)
#include "test_field_table.moc"
