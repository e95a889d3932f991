// The checks of the two edit panes on a new format: each field on Enter, the
// commits they trigger, the focus hand-over and the checks of the OK buttons.

#include "support/form_harness.h"
#include "support/message_box_answerer.h"
#include "core/pane_checks.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

// The box texts of a check message number; 1 stands for a code not found.
QStringList Msg(int number)
{
    static const char* const texts[] = {"項目Noが入力されていません", "項目情報ﾏｽﾀが登録されていません",
        "数値を入力して下さい", "桁数が長さを超えています", "項目名称が入力されていません", "属性が不正です",
        "同じマルチ明細番号が登録されています", "繰返し数が入力されていません"};
    if (number == 1)
        return {kNotFound};
    return number >= 101 && number <= 108 ? QStringList{QString::fromUtf8(texts[number - 101])} : QStringList();
}

}  // namespace

class TestPaneChecks : public FormTest {
    Q_OBJECT

private:
    QList<SeenBox> seen_;  // the boxes of the last Enter
    FieldEdit* Field(const QString& name) { return F().findChild<FieldEdit*>(name); }
    QString Focus() { return F().focusWidget() ? F().focusWidget()->objectName() : QString(); }

    // Text put in, focus on it, Enter; the texts of the boxes shown. The form
    // is active again afterwards, as the operator sees it once a box closed.
    QStringList Enter(FieldEdit* field, const QString& text)
    {
        field->setFocus();
        field->setText(text);
        MessageBoxAnswerer answerer;
        QTest::keyClick(field, Qt::Key_Return);
        seen_ = answerer.Seen();
        if (!QTest::qWaitForWindowActive(&F()))
            return {QStringLiteral("form not active")};
        return answerer.Texts();
    }

    // A mouse click: the button takes the focus first.
    QStringList Click(int button)
    {
        MessageBoxAnswerer answerer;
        QTest::mouseClick(F().ComandBtn[button], Qt::LeftButton);
        if (!QTest::qWaitForWindowActive(&F()))
            return {QStringLiteral("form not active")};
        return answerer.Texts();
    }

    // A new group committed by its repeat count.
    void AddGroup(bool local, const QString& number, const QString& repeat)
    {
        Click(local ? 18 : 5);
        QCOMPARE(Enter(local ? F().txt_MultiMeisaiBangoLocal : F().txt_MultiMeisaiBango, number), {});
        QCOMPARE(Enter(local ? F().txt_KurikaesisuLocal : F().txt_Kurikaesisu, repeat), {});
    }

    // Local name, attribute, length, decimals and conversion error, unchecked.
    void FillLocal(const QStringList& values)
    {
        int i = 0;
        for (FieldEdit* f : {F().txt_KomokuMei, F().txt_ZokuseiCodeLocal, F().txt_NagasaLocal,
                             F().txt_SyosuNagasaLocal, F().txt_HenkanErrorTaisyoLocal})
            f->setText(values.value(i++));
    }

private slots:
    // A new key in category 1: the line screen with empty tables.
    void init()
    {
        QVERIFY(h_.Start());
        QVERIFY(h_.OpenLines(QStringLiteral("1"), QStringLiteral("0101"), QStringLiteral("NEWKEY01")));
        QCOMPARE(F().State.Lines.StandardItems.Count() + F().State.Lines.LocalItems.Count(), 0);
    }


    void itemNumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("message");
        QTest::addColumn<QStringList>("labels");  // name, attribute, length, decimals, attribute name
        const QStringList none{"", "", "", "", ""};
        QTest::newRow("leading zeros") << "007" << "7" << 0 << QStringList{"送信者ID", "X", "12", "0", "英数字"};
        QTest::newRow("unknown") << "999" << "999" << 102 << none;
        QTest::newRow("not numeric") << "12A" << "" << 101 << none;
    }

    void itemNumber()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, message);
        QFETCH(QStringList, labels);
        QCOMPARE(Enter(F().txt_KomokuNo, typed), Msg(message));
        QCOMPARE(F().txt_KomokuNo->text(), shown);
        QCOMPARE(Texts({F().lbl_KomokuNo, F().lbl_ZokuseiCode, F().lbl_Nagasa, F().lbl_SyosuNagasa, F().lbl_Zokusei}),
                 labels);
        QCOMPARE(Focus(), message ? "txt_KomokuNo" : "txt_HenkanErrorTaisyo");
    }

    void multiDetailDuplicates()
    {
        for (const char* number : {"1", "0", "2"})
            AddGroup(false, QString::fromLatin1(number), QStringLiteral("2"));
        QCOMPARE(ListCount(F().Lis_Hyojun), 3);
        Click(5);
        QCOMPARE(Enter(F().txt_MultiMeisaiBango, QStringLiteral("1")), Msg(107));
        QCOMPARE(Focus(), QStringLiteral("txt_MultiMeisaiBango"));
        QCOMPARE(F().txt_MultiMeisaiBango->selectedText(), QStringLiteral("1"));
        // Taken still when the repeat count commits: the focus goes back and stays.
        QCOMPARE(Enter(F().txt_Kurikaesisu, QStringLiteral("3")), Msg(107));
        QCOMPARE(Focus(), QStringLiteral("txt_MultiMeisaiBango"));
        QCOMPARE(ListCount(F().Lis_Hyojun), 3);
        QCOMPARE(Enter(F().txt_MultiMeisaiBango, QStringLiteral("0")), {});  // 0 is never taken
        QCOMPARE(Enter(F().txt_MultiMeisaiBango, QStringLiteral("AB")), {});
        QCOMPARE(F().txt_MultiMeisaiBango->text(), QStringLiteral("0"));
        QCOMPARE(F().lbl_KomokuNo->text(), QStringLiteral("マルチ明細 No.0"));
        Click(18);  // the other layout's numbers do not count
        QCOMPARE(Enter(F().txt_MultiMeisaiBangoLocal, QStringLiteral("1")), {});
        QCOMPARE(F().txt_KomokuMei->text(), QStringLiteral("マルチ明細 No.1"));
        QCOMPARE(Enter(F().txt_MultiMeisaiBangoLocal, QStringLiteral("x1")), {});
        QCOMPARE(F().txt_MultiMeisaiBangoLocal->text(), QStringLiteral("0"));
        // Editing group "2": its own number is free, another's is not.
        int row = -1;
        for (int p = 1; p <= F().State.Lines.StandardItems.Count(); ++p)
            if (F().State.Lines.StandardItems[p].MultiDetailNo == QLatin1String("2"))
                row = p - 1;
        EnterOnListRow(F().Lis_Hyojun, row);
        QCOMPARE(F().lbl_KomokuTuban->text(), QString::number(row + 1));
        QCOMPARE(Enter(F().txt_MultiMeisaiBango, QStringLiteral("2")), {});
        QCOMPARE(Enter(F().txt_MultiMeisaiBango, QStringLiteral("1")), Msg(107));
    }

    void repeatCount_data()
    {
        QTest::addColumn<bool>("local");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("message");
        QTest::addColumn<QString>("shown");  // after a refusal
        QTest::newRow("standard, 31") << false << "31" << 0 << "";
        QTest::newRow("standard, 32") << false << "32" << 0 << "32";
        QTest::newRow("standard, 0") << false << "0" << 108 << "";
        QTest::newRow("local, 0") << true << "0" << 0 << "";
    }

    // Enter on the repeat count of a new group commits it and hands over.
    void repeatCount()
    {
        QFETCH(bool, local);
        QFETCH(QString, typed);
        QFETCH(int, message);
        QFETCH(QString, shown);
        Click(local ? 18 : 5);
        FieldEdit* field = local ? F().txt_KurikaesisuLocal : F().txt_Kurikaesisu;
        QCOMPARE(Enter(local ? F().txt_MultiMeisaiBangoLocal : F().txt_MultiMeisaiBango, QStringLiteral("2")), {});
        QCOMPARE(Enter(field, typed), Msg(message));
        const bool committed = message == 0 && typed != QLatin1String("32");
        QAbstractItemView* list = local ? F().Lis_Local : F().Lis_Hyojun;
        const ItemTable& table = local ? F().State.Lines.LocalItems : F().State.Lines.StandardItems;
        QCOMPARE(ListCount(list), committed ? 1 : 0);
        QCOMPARE(table.Count(), committed ? 1 : 0);
        if (!committed) {
            QCOMPARE(field->text(), shown);
            QCOMPARE(F().focusWidget(), field);
            return;
        }
        QCOMPARE((QStringList{table[1].Attribute, QString::number(table[1].Level), QString::number(table[1].RepeatCount),
                              table[1].ItemName, ListRowText(list, 0).mid(6)}),
                 (QStringList{"M", "0", typed, "マルチ明細 No.2", "  マルチ明細 No.2"}));
        QCOMPARE(Focus(), local ? "txt_KoteiKomokuTi" : "txt_KoteiKomokuTiLocal");
    }

    // With the local pane on a group, the hand-over lands on its repeat count.
    void standardGroupHandsOverToLocalGroup()
    {
        Click(18);
        AddGroup(false, QStringLiteral("1"), QStringLiteral("3"));
        QCOMPARE(F().State.Lines.StandardItems.Count(), 1);
        QCOMPARE(Focus(), QStringLiteral("txt_KurikaesisuLocal"));
    }

    void paneField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("pane");  // name, attribute, length, decimals
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("message");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("name");  // shown in the field's lbl_ label, if it has one
        // Both panes share the check: one side per answer.
        const QString conversion = "txt_HenkanErrorTaisyo", localConversion = "txt_HenkanErrorTaisyoLocal";
        QTest::newRow("conversion empty") << conversion << QStringList() << "" << 0 << "E" << "ｴﾗｰ";
        QTest::newRow("local conversion S") << localConversion << QStringList() << "S" << 1 << "S" << "";
        QTest::newRow("conversion W") << conversion << QStringList() << "W" << 0 << "W" << "警告";
        const QString title = "txt_KomokuMei", length = "txt_NagasaLocal", decimals = "txt_SyosuNagasaLocal";
        QTest::newRow("name empty") << title << QStringList{"", "X"} << "" << 105 << "" << "";
        QTest::newRow("name empty, group") << title << QStringList{"", "M"} << "" << 0 << "" << "";
        QTest::newRow("name given") << title << QStringList{"", ""} << "品名" << 0 << "品名" << "";
        QTest::newRow("length empty") << length << QStringList{"a", "X"} << "" << 103 << "" << "";
        QTest::newRow("9, 5.6") << length << QStringList{"a", "9", "", "6"} << "5" << 104 << "5" << "";
        QTest::newRow("N, 31") << length << QStringList{"a", "N"} << "31" << 104 << "31" << "";
        QTest::newRow("9, 0") << length << QStringList{"a", "9"} << "0" << 104 << "0" << "";
        QTest::newRow("X, 4001") << length << QStringList{"a", "X"} << "4001" << 104 << "4001" << "";
        QTest::newRow("other attribute, 9999") << length << QStringList{"a", "W"} << "9999" << 0 << "9999" << "";
        QTest::newRow("decimals 5.6") << decimals << QStringList{"a", "9", "5"} << "6" << 104 << "6" << "";
        QTest::newRow("decimals letters") << decimals << QStringList{"a", "9", "8"} << "A" << 0 << "0" << "";
        QTest::newRow("decimals of X") << decimals << QStringList{"a", "X", "8"} << "3" << 0 << "0" << "";
    }

    void paneField()
    {
        QFETCH(QString, field);
        QFETCH(QStringList, pane);
        QFETCH(QString, typed);
        QFETCH(int, message);
        QFETCH(QString, shown);
        FillLocal(pane);
        FieldEdit* edit = Field(field);
        QLabel* label = F().findChild<QLabel*>("lbl_" + field.mid(4));
        for (Control* control : F().State.Controls())
            if (control->name == "lbl_" + field.mid(4))
                control->text = QStringLiteral("old");
        QCOMPARE(Enter(edit, typed), Msg(message));
        QCOMPARE(edit->text(), shown);
        QCOMPARE(F().focusWidget() == edit, message != 0);
        if (message)  // a code not found shows no icon
            QCOMPARE(seen_.front().icon, message == 1 ? QMessageBox::NoIcon : QMessageBox::Warning);
        if (label) {
            QFETCH(QString, name);
            QCOMPARE(label->text(), name);
        }
        QCOMPARE(ListCount(F().Lis_Local), 0);
    }

    void localAttribute_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("message");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("decimals");  // -1 untouched, 0 emptied and disabled, 1 enabled
        QTest::newRow("empty") << "" << 106 << "" << -1;
        QTest::newRow("group header") << "M" << 1 << "" << -1;
        QTest::newRow("9") << "9" << 0 << "数値" << 1;
        QTest::newRow("X") << "X" << 0 << "英数字" << 0;
    }

    void localAttribute()
    {
        QFETCH(QString, code);
        QFETCH(int, message);
        QFETCH(QString, name);
        QFETCH(int, decimals);
        F().State.lbl_ZokuseiCodeLocal.text = QStringLiteral("old");
        F().txt_SyosuNagasaLocal->setText(QStringLiteral("2"));
        F().State.txt_SyosuNagasaLocal.enabled = decimals != 1;
        QCOMPARE(Enter(F().txt_ZokuseiCodeLocal, code), Msg(message));
        QCOMPARE(F().lbl_ZokuseiCodeLocal->text(), name);
        QCOMPARE(F().focusWidget() == F().txt_ZokuseiCodeLocal, message != 0);
        if (decimals >= 0) {
            QCOMPARE(F().txt_SyosuNagasaLocal->isEnabled(), decimals == 1);
            QCOMPARE(F().txt_SyosuNagasaLocal->text(), decimals ? QStringLiteral("2") : QString());
        }
    }

    void fixedValue_data()
    {
        QTest::addColumn<bool>("local");
        QTest::addColumn<QString>("setup");  // standard: item number; local: attribute, length, decimals
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("message");
        // Item 3 is 9 of length 8, item 1 X of length 4; the local pane is set alike.
        QTest::newRow("standard, numeric, letters") << false << "3" << "1A" << 103;
        QTest::newRow("local, numeric, 12.5") << true << "9 8" << "12.5" << 0;
        QTest::newRow("standard, five letters in 4") << false << "1" << "ABCDE" << 104;
        QTest::newRow("local, two full-width in 4") << true << "X 4" << "発注" << 0;
        QTest::newRow("standard, three full-width in 4") << false << "1" << "発注書" << 104;
        QTest::newRow("local, decimals count") << true << "N 3 2" << "12345" << 0;
        QTest::newRow("standard, decimals count") << false << "307" << "1234567890123" << 0;
        // Accepted, but the line's own checks then refuse it.
        QTest::newRow("standard, no item number") << false << "" << "" << 101;
    }

    // An accepted fixed value commits the line and hands over to the other pane.
    void fixedValue()
    {
        QFETCH(bool, local);
        QFETCH(QString, setup);
        QFETCH(QString, value);
        QFETCH(int, message);
        FieldEdit* field = local ? F().txt_KoteiKomokuTiLocal : F().txt_KoteiKomokuTi;
        if (local)
            FillLocal(QStringList{"数量"} + setup.split(QLatin1Char(' ')));
        else if (!setup.isEmpty())
            QCOMPARE(Enter(F().txt_KomokuNo, setup), {});
        QCOMPARE(Enter(field, value), Msg(message));
        const ItemTable& table = local ? F().State.Lines.LocalItems : F().State.Lines.StandardItems;
        QCOMPARE(ListCount(local ? F().Lis_Local : F().Lis_Hyojun), table.Count());
        QCOMPARE(table.Count(), message ? 0 : 1);
        if (message == 0) {
            QCOMPARE(table[1].FixedValue, value);
            QCOMPARE(F().focusWidget(), local ? F().txt_KoteiKomokuTi : F().txt_KoteiKomokuTiLocal);
        } else {
            QCOMPARE(F().focusWidget(), message == 101 ? F().txt_KomokuNo : field);
        }
    }

    // A character outside Shift-JIS makes every character count two bytes.
    void fixedValueOutsideShiftJis()
    {
        QCOMPARE(Enter(F().txt_KomokuNo, QStringLiteral("1")), {});  // X, length 4
        qint16 hold = 0;
        bool handled = false;
        MessageBoxAnswerer answerer;  // none may show
        F().txt_KoteiKomokuTi->setText(QStringLiteral("ab한"));
        QCOMPARE(F().Run([&](FormState& s_) { return CheckPaneField(s_, &s_.txt_KoteiKomokuTi, hold, true, handled); }), 104);
        QVERIFY(handled);
        QCOMPARE(hold, qint16(9));
        F().txt_KoteiKomokuTi->setText(QStringLiteral("a한"));
        QCOMPARE(F().Run([&](FormState& s_) { return CheckPaneField(s_, &s_.txt_KoteiKomokuTi, hold, true, handled); }), -1);
        QCOMPARE(hold, qint16(-1));
        QCOMPARE(F().State.Lines.StandardItems.Count(), 1);
        QVERIFY(answerer.Texts().isEmpty());
    }

    void okButton_data()
    {
        QTest::addColumn<QString>("pane");      // E, L or G (a standard group)
        QTest::addColumn<QStringList>("values"); // E: number, conversion; G: number, repeat; L: FillLocal
        QTest::addColumn<int>("message");
        QTest::addColumn<QString>("refused");
        QTest::newRow("E accepted") << "E" << QStringList{"301", ""} << 0 << "";
        QTest::newRow("E number first") << "E" << QStringList{"", "S"} << 101 << "txt_KomokuNo";
        QTest::newRow("E conversion") << "E" << QStringList{"301", "S"} << 1 << "txt_HenkanErrorTaisyo";
        QTest::newRow("L accepted") << "L" << QStringList{"数量", "9", "7", "A", ""} << 0 << "";
        QTest::newRow("L name first") << "L" << QStringList{"", "", "A", "", "S"} << 105 << "txt_KomokuMei";
        QTest::newRow("L attribute") << "L" << QStringList{"数量", "", "A", "", "S"} << 106 << "txt_ZokuseiCodeLocal";
        QTest::newRow("L digits") << "L" << QStringList{"数量", "9", "31", "2", "S"} << 104 << "txt_NagasaLocal";
        QTest::newRow("L conversion") << "L" << QStringList{"数量", "X", "5", "", "S"} << 1 << "txt_HenkanErrorTaisyoLocal";
        QTest::newRow("G accepted") << "G" << QStringList{"4", "3"} << 0 << "";
        QTest::newRow("G number first") << "G" << QStringList{"1", "0"} << 107 << "txt_MultiMeisaiBango";
        QTest::newRow("G repeat over 31") << "G" << QStringList{"4", "40"} << 0 << "txt_Kurikaesisu";
    }

    // The OK button checks the pane in order and stops at the first refusal,
    // with the focus in that field and its text selected.
    void okButton()
    {
        QFETCH(QString, pane);
        QFETCH(QStringList, values);
        QFETCH(int, message);
        QFETCH(QString, refused);
        const bool local = pane == QLatin1String("L");
        if (pane == QLatin1String("G")) {
            AddGroup(false, QStringLiteral("1"), QStringLiteral("2"));  // group "1" exists
            Click(5);
            F().txt_MultiMeisaiBango->setText(values[0]);
            F().txt_Kurikaesisu->setText(values[1]);
        } else if (local) {
            FillLocal(values);
        } else {
            F().txt_KomokuNo->setText(values[0]);
            F().txt_HenkanErrorTaisyo->setText(values[1]);
        }
        const ItemTable& table = local ? F().State.Lines.LocalItems : F().State.Lines.StandardItems;
        const int before = table.Count();
        QCOMPARE(Click(local ? 24 : 10), Msg(message));
        QCOMPARE(table.Count(), before + (refused.isEmpty() ? 1 : 0));
        if (!refused.isEmpty()) {
            QCOMPARE(Focus(), refused);
            QCOMPARE(Field(refused)->selectedText(), Field(refused)->text());
        } else if (pane == QLatin1String("G")) {
            QCOMPARE(table[2].MultiDetailNo, QStringLiteral("4"));
            QCOMPARE(table[2].Attribute, QStringLiteral("M"));
        } else {
            QCOMPARE(table[1].ConversionError, QStringLiteral("E"));  // the check's default
            QCOMPARE(ListCount(local ? F().Lis_Local : F().Lis_Hyojun), 1);
        }
    }
};

QTEST_MAIN(TestPaneChecks)
#include "test_pane_checks.moc"
