// Saving, deleting and copying formats against the real database drivers:
// every answer of every confirmation, the rows as stored, the orphan removal,
// the copy, and faults in the middle of each write that must leave the stored
// rows exactly as they were.

#include "core/list_rebuild.h"
#include "support/fault_injector.h"
#include "support/form_harness.h"
#include "support/message_box_answerer.h"
#include "support/modal_driver.h"

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

const QString kHeaders = QStringLiteral("FL1902フォーマット情報マスタ");
const QString kLines = QStringLiteral("FL1903レコードフォーマット情報マスタ");
const QString kAskDelete = QStringLiteral("削除しますか");

FormatItem Line(const char* attribute, qint32 level, qint32 itemNo, const QString& name, qint32 link = 0)
{
    FormatItem item;
    item.Attribute = QLatin1String(attribute);
    item.Level = level;
    item.ItemNo = itemNo;
    item.ItemName = name;
    item.LinkedSerialNo = link;
    item.Length = 4;
    item.ConversionError = QStringLiteral("E");
    return item;
}

// Chooses the row of that BPID (the first row when empty) in the code search.
void ChooseInSearch(QDialog* d, const QString& bpid)
{
    auto* grid = d->findChild<QTableWidget*>(QStringLiteral("GRID"));
    if (!bpid.isEmpty())
        grid->setCurrentCell(grid->findItems(bpid, Qt::MatchExactly).front()->row(), 0);
    d->findChild<QPushButton*>(QStringLiteral("SELECT"))->click();
}

}  // namespace

class TestFormatStore : public FormTest {
    Q_OBJECT

private:

    // Every stored row of both tables.
    QStringList Dump()
    {
        return QueryRows(F().Db, QStringLiteral("SELECT * FROM %1 ORDER BY 1,2,3,4").arg(kHeaders))
            + QueryRows(F().Db, QStringLiteral("SELECT * FROM %1 ORDER BY 1,2,3,4").arg(kLines));
    }

    int Count(const QString& table, const QString& bpid)
    {
        return QueryRows(F().Db, QStringLiteral("SELECT COUNT(*) FROM %1 WHERE BPID=?").arg(table), {bpid})
            .value(0)
            .toInt();
    }

    // The key entered without a message; then the line screen when asked.
    void Open(const QString& category, const QString& bpid, bool lineScreen,
              const QString& code = QStringLiteral("0101"))
    {
        const QStringList texts = h_.EnterKey(category, code, bpid);
        QVERIFY2(texts.isEmpty(), qPrintable(texts.join(QLatin1Char(','))));
        if (lineScreen)
            F().ComandBtn[1]->click();
    }

    // A small format of both layouts: a plain item, a group with a member,
    // linked crosswise; one line with an empty multi-detail number.
    void FillTables()
    {
        ItemTable& e = F().State.Lines.StandardItems;
        ItemTable& l = F().State.Lines.LocalItems;
        e.Insert(1, Line("X", 0, 301, QStringLiteral("発注番号"), 2));
        FormatItem header = Line("M", 0, 0, QStringLiteral("明細"), 1);
        header.MultiDetailNo = QStringLiteral("1");
        header.RepeatCount = 3;
        e.Insert(2, header);
        e.Insert(3, Line("9", 1, 302, QStringLiteral("発注日")));
        l.Insert(1, header);
        l[1].FormatType = QStringLiteral("L");
        l[1].LinkedSerialNo = 2;
        l.Insert(2, Line("X", 0, 0, QStringLiteral("受注'番号"), 1));
        F().State.Lines.ReselectPosition = 0;
        F().Run([&](FormState& s_) { return RebuildItemList(s_, QStringLiteral("E")); });
        F().Run([&](FormState& s_) { return SettleLocalList(s_); });
    }

private slots:
    void registerNewFormat()
    {
        Open(QStringLiteral("1"), QStringLiteral("NEWREG01"), true);
        FillTables();
        {
            MessageBoxAnswerer answerer({QMessageBox::Yes});
            F().ComandBtn[16]->click();  // 終了
            QCOMPARE(answerer.Texts(), QStringList{kAskUpdate});
            QCOMPARE(answerer.Seen().front().buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            QCOMPARE(answerer.Seen().front().icon, QMessageBox::Warning);
        }
        QVERIFY(F().Frame[0]->isHidden());
        QCOMPARE(F().State.ScreenMode, QStringLiteral("BODY"));
        QCOMPARE(F().focusWidget(), F().txt_Yosikisyubetu);
        // The lines as stored, column by column.
        const QString key = QStringLiteral(" FROM FL1903レコードフォーマット情報マスタ WHERE BPID='NEWREG01' ORDER BY フォーマット種別,項目通番");
        QCOMPARE(QueryRows(F().Db, QStringLiteral("SELECT フォーマット種別||項目通番||':'||対応項目通番||':'||レベル番号||':'||項目№") + key),
                 (QStringList{"E1:2:0:301", "E2:1:0:0", "E3:0:1:302", "L1:2:0:0", "L2:1:0:0"}));
        QCOMPARE(QueryRows(F().Db, QStringLiteral("SELECT COALESCE(項目名称,'<null>')||':'||COALESCE(CAST(項目位置 AS VARCHAR(12)),'<null>')||':'||COALESCE(マルチ明細番号,'<null>')") + key),
                 (QStringList{"<null>:<null>:0", "明細:<null>:1", "<null>:<null>:0", "明細:1:1", "受注'番号:1:"}));
        QCOMPARE(Count(kHeaders, QStringLiteral("NEWREG01")), 0);

        // OK and Yes write the header and return to key entry.
        QCOMPARE(h_.Click(2, {QMessageBox::Yes}), QStringList{kAskUpdate});
        QCOMPARE(QueryRows(F().Db, QStringLiteral("SELECT 様式識別||格納モード||1バイト文字集合||XML文字コード FROM "
                                                  "FL1902フォーマット情報マスタ WHERE BPID='NEWREG01'")),
                 QStringList{QStringLiteral("11MSS")});
        QCOMPARE(F().State.ScreenMode, QStringLiteral("HEAD"));
        QVERIFY(F().txt_BPID->text().isEmpty());
        QCOMPARE(F().txt_SyoriKbn->text(), QStringLiteral("1"));
    }

    void abandonedNewKeyLeavesNoLines()
    {
        Open(QStringLiteral("1"), QStringLiteral("NEWREG02"), true);
        FillTables();
        h_.Click(16, {QMessageBox::Yes});
        QCOMPARE(Count(kLines, QStringLiteral("NEWREG02")), 5);
        h_.Click(2, {QMessageBox::No});
        QCOMPARE(Count(kLines, QStringLiteral("NEWREG02")), 0);
        QCOMPARE(F().State.ScreenMode, QStringLiteral("HEAD"));
        QCOMPARE(F().focusWidget(), F().txt_JohoKbn);
    }

    void answersThatWriteNothing()
    {
        const QStringList before = Dump();
        Open(QStringLiteral("2"), QStringLiteral("ORDERS01"), true);
        F().State.Lines.LocalItems.Remove(1);
        F().Run([&](FormState& s_) { return SettleLocalList(s_); });
        h_.Click(16, {QMessageBox::Cancel});
        QVERIFY(F().Frame[0]->isVisible());  // Cancel stays on the line screen
        h_.Click(16, {QMessageBox::No});
        QVERIFY(F().Frame[0]->isHidden());
        QCOMPARE(h_.Click(2, {QMessageBox::Cancel}), QStringList{kAskUpdate});
        QCOMPARE(F().focusWidget(), F().txt_Yosikisyubetu);
        QCOMPARE(Dump(), before);

        // Inquiry never asks and never writes; 終了 is disabled there.
        QVERIFY(h_.Start());
        Open(QStringLiteral("0"), QStringLiteral("ORDERS01"), false);
        QCOMPARE(h_.Click(2), QStringList());
        F().ComandBtn[1]->click();
        QCOMPARE(h_.Click(16), QStringList());
        QCOMPARE(Dump(), before);
    }

    // The lines on the line screen are written under the key they were
    // loaded for, whatever is typed into the key fields there.
    void linesStayWithTheirKey()
    {
        const QStringList shipment = StoredFormat(F().Db, QStringLiteral("SHIPNT01"));
        Open(QStringLiteral("2"), QStringLiteral("ORDERS01"), true);
        const int standard = ListCount(F().Lis_Hyojun);
        F().State.Lines.LocalItems.Remove(1);
        F().Run([&](FormState& s_) { return SettleLocalList(s_); });
        const QStringList edited = ListTexts(F().Lis_Local);
        auto enterKey = [this](const char* code, const char* bpid,
                               QList<QMessageBox::StandardButton> answers) {
            MessageBoxAnswerer answerer(answers);
            F().txt_JohoKbn->setText(QLatin1String(code));
            F().txt_BPID->setText(QLatin1String(bpid));
            F().txt_BPID->setFocus();  // once the form is active again after a box
            if (!QTest::qWaitFor([this] { return QApplication::focusWidget() == F().txt_BPID; }))
                return QStringList{QStringLiteral("no focus in BPID")};
            QTest::keyClick(F().txt_BPID, Qt::Key_Return);
            return answerer.Texts();
        };
        // The same key again keeps the lists, as 詳細設定( I ) does there;
        // another key asks first.
        QCOMPARE(enterKey("0101", "ORDERS01", {}), QStringList());
        F().ComandBtn[1]->click();
        QCOMPARE(ListTexts(F().Lis_Local), edited);
        QCOMPARE(enterKey("0201", "SHIPNT01", {QMessageBox::Cancel}), QStringList{kAskUpdate});
        QCOMPARE(Texts({F().txt_JohoKbn, F().txt_BPID}), (QStringList{"0101", "ORDERS01"}));
        QCOMPARE(ListTexts(F().Lis_Local), edited);
        // A key typed over without Enter: 終了 writes under the lines' own key.
        F().txt_BPID->setText(QStringLiteral("SHIPNT01"));
        QCOMPARE(h_.Click(16, {QMessageBox::Yes}), QStringList{kAskUpdate});
        QCOMPARE(F().txt_BPID->text(), QStringLiteral("ORDERS01"));
        QCOMPARE(Count(kLines, QStringLiteral("ORDERS01")), edited.size() + standard);
        QCOMPARE(StoredFormat(F().Db, QStringLiteral("SHIPNT01")), shipment);

        // Yes to another key writes these lines, then shows the other key's.
        F().ComandBtn[1]->click();
        F().State.Lines.LocalItems.Remove(1);
        F().Run([&](FormState& s_) { return SettleLocalList(s_); });
        QCOMPARE(enterKey("0201", "SHIPNT01", {QMessageBox::Yes}), QStringList{kAskUpdate});
        QCOMPARE(Count(kLines, QStringLiteral("ORDERS01")), edited.size() - 1 + standard);
        QCOMPARE(ListCount(F().Lis_Local), 20);
        QCOMPARE(F().txt_LocalKeishiki->text(), QStringLiteral("F"));  // its header too
        // No drops the edit; the lines shown are the third key's.
        F().State.Lines.LocalItems.Remove(1);
        F().Run([&](FormState& s_) { return SettleLocalList(s_); });
        QCOMPARE(enterKey("0101", "ORDERS01", {QMessageBox::No}), QStringList{kAskUpdate});
        QCOMPARE(StoredFormat(F().Db, QStringLiteral("SHIPNT01")), shipment);
        QCOMPARE(ListCount(F().Lis_Local), edited.size() - 1);
    }

    // A line write replaces the rows the line screen showed and no other.
    void rowsNotShownStay()
    {
        const QString others = QStringLiteral("SELECT フォーマット種別||項目通番 FROM FL1903レコードフォーマット情報マスタ "
                                              "WHERE BPID='INVOIC01' AND フォーマット種別 NOT IN ('E','L') ORDER BY 1");
        for (const char* type : {"e", "X", ""})
            Execute(F().Db, QStringLiteral("INSERT INTO FL1903レコードフォーマット情報マスタ (情報区分コード,BPID,"
                                           "フォーマット種別,項目通番) VALUES ('0401','INVOIC01',?,1)"),
                    {QLatin1String(type)});
        const QStringList planted = QueryRows(F().Db, others);
        QCOMPARE(planted.size(), 3);
        Open(QStringLiteral("2"), QStringLiteral("INVOIC01"), true, QStringLiteral("0401"));
        F().State.Lines.LocalItems.Remove(1);
        F().Run([&](FormState& s_) { return SettleLocalList(s_); });
        const int local = ListCount(F().Lis_Local);
        QCOMPARE(h_.Click(16, {QMessageBox::Yes}), QStringList{kAskUpdate});
        QCOMPARE(QueryRows(F().Db, others), planted);
        QCOMPARE(QueryRows(F().Db, QStringLiteral("SELECT COUNT(*) FROM FL1903レコードフォーマット情報マスタ "
                                                  "WHERE BPID='INVOIC01' AND フォーマット種別='L'")),
                 QStringList{QString::number(local)});
    }

    // Edits that push a position beyond 32 bits are refused, not written.
    void positionsBeyond32BitsAreNotWritten()
    {
        Open(QStringLiteral("1"), QStringLiteral("NEWREG05"), true);
        ItemTable& l = F().State.Lines.LocalItems;
        FormatItem group = Line("M", 0, 0, QStringLiteral("明細"));
        group.MultiDetailNo = QStringLiteral("1");
        group.RepeatCount = 9999;
        l.Insert(1, group);
        for (int i = 2; i <= 61; ++i) {  // 60 members of 4000: 240,000 × 9999 behind the group
            l.Insert(i, Line("X", 1, 0, QStringLiteral("項目")));
            l[i].Length = 4000;
        }
        l.Insert(62, Line("X", 0, 0, QStringLiteral("後")));
        F().Run([&](FormState& s_) { return SettleLocalList(s_); });
        MessageBoxAnswerer answerer({QMessageBox::Yes});
        F().ComandBtn[16]->click();
        QCOMPARE(answerer.Texts(), (QStringList{kAskUpdate, QStringLiteral("ﾌｫｰﾏｯﾄ情報に不正な値があります")}));
        QVERIFY(answerer.Seen().back().informative.startsWith(QStringLiteral("ローカル 62行目 項目位置")));
        QCOMPARE(Count(kLines, QStringLiteral("NEWREG05")), 0);
    }

    // Nothing is written under a key the checks did not accept, and the
    // shortcuts of inquiry and delete never write.
    void writesOnlyUnderAcceptedKeys()
    {
        const QStringList before = Dump();
        auto alt = [this](QWidget* w, Qt::Key key) {
            MessageBoxAnswerer answerer;
            QTest::keyClick(w, key, Qt::AltModifier);
            return answerer.Texts();
        };
        // Inquiry with no key: Alt+I only shows the (empty) line screen.
        Type(F().txt_SyoriKbn, QStringLiteral("0"));
        QCOMPARE(alt(F().txt_JohoKbn, Qt::Key_I), QStringList());
        QVERIFY(F().Frame[0]->isVisible());
        // Registering with no key: Alt+C copies nothing while 複写（C) is disabled.
        QVERIFY(h_.Start());
        Type(F().txt_SyoriKbn, QStringLiteral("1"));
        QVERIFY(!F().ComandBtn[0]->isEnabled());
        ModalDriver choose(QStringLiteral("SEARCH_MSTDB"), [](QDialog* d) { ChooseInSearch(d, QString()); });
        QCOMPARE(alt(F().txt_JohoKbn, Qt::Key_C), QStringList());
        QVERIFY(!choose.Seen());
        // A key whose category code was refused is no key.
        QVERIFY(h_.Start());
        const QString unknown = QStringLiteral("情報区分が登録されていません");
        QCOMPARE(h_.EnterKey(QStringLiteral("1"), QStringLiteral("ZZZZ"), QString()), (QStringList{unknown, unknown}));
        QVERIFY(QTest::qWaitForWindowActive(&F()));
        F().txt_BPID->setFocus();
        F().txt_BPID->setText(QStringLiteral("NEWREG04"));
        QCOMPARE(PressEnter(F().txt_BPID), QStringList{unknown});
        QCOMPARE(F().State.ScreenMode, QStringLiteral("HEAD"));
        QCOMPARE(alt(F().txt_BPID, Qt::Key_I), QStringList());
        // An accepted key whose detail settings are refused: nothing written.
        QVERIFY(h_.Start());
        Open(QStringLiteral("1"), QStringLiteral("NEWREG03"), false);
        F().txt_KakunoMode->setText(QStringLiteral("Z"));
        QCOMPARE(alt(F().txt_KakunoMode, Qt::Key_I), QStringList{kNotFound});
        QVERIFY(F().Frame[0]->isHidden());
        // A key typed over without Enter is not deleted in place of the one shown.
        QVERIFY(h_.Start());
        Open(QStringLiteral("9"), QStringLiteral("INVOIC01"), false, QStringLiteral("0401"));
        F().txt_BPID->setText(QStringLiteral("SHIPNT01"));
        MessageBoxAnswerer answerer({QMessageBox::Ok});
        F().ComandBtn[2]->click();
        QCOMPARE(answerer.Texts(), (QStringList{kAskDelete, kAborted}));
        QCOMPARE(answerer.Seen().back().informative, QString());
        QCOMPARE(Dump(), before);
    }

    void deleteFormat()
    {
        Open(QStringLiteral("9"), QStringLiteral("ORDERS01"), false);
        {
            MessageBoxAnswerer cancel({QMessageBox::Cancel});
            F().ComandBtn[2]->click();
            QCOMPARE(cancel.Texts(), QStringList{kAskDelete});
            QCOMPARE(cancel.Seen().front().buttons, QMessageBox::Ok | QMessageBox::Cancel);
        }
        // Cancel still returns to key entry; nothing is deleted.
        QVERIFY(F().txt_BPID->text().isEmpty());
        QCOMPARE(Count(kHeaders, QStringLiteral("ORDERS01")), 1);
        F().txt_JohoKbn->setText(QStringLiteral("0101"));
        F().txt_BPID->setText(QStringLiteral("ORDERS01"));
        QVERIFY(QTest::qWaitForWindowActive(&F()));  // after the box
        F().txt_BPID->setFocus();
        QTest::keyClick(F().txt_BPID, Qt::Key_Return);
        h_.Click(2, {QMessageBox::Ok});
        QCOMPARE(Count(kHeaders, QStringLiteral("ORDERS01")), 0);
        QCOMPARE(Count(kLines, QStringLiteral("ORDERS01")), 0);
        QCOMPARE(F().txt_SyoriKbn->text(), QStringLiteral("9"));
    }

    void copyFormat()
    {
        // Lines left under the new key without a header must not mix in.
        Execute(F().Db, QStringLiteral("INSERT INTO FL1903レコードフォーマット情報マスタ (情報区分コード,BPID,"
                                       "フォーマット種別,項目通番) VALUES ('0101','COPY0001','E',99)"));
        Open(QStringLiteral("1"), QStringLiteral("COPY0001"), false);
        ModalDriver choose(QStringLiteral("SEARCH_MSTDB"), [](QDialog* d) { ChooseInSearch(d, QStringLiteral("SHIPNT01")); });
        F().ComandBtn[0]->click();
        QVERIFY(choose.Seen());
        QCOMPARE(F().txt_LocalKeishiki->text(), QStringLiteral("F"));
        QCOMPARE(F().State.ScreenMode, QStringLiteral("BODY"));
        QCOMPARE(F().focusWidget(), F().txt_Yosikisyubetu);
        auto lines = [this](const QString& bpid) {
            return QueryRows(F().Db, QStringLiteral("SELECT フォーマット種別||項目通番||':'||対応項目通番||':'||COALESCE(項目名称,'') "
                                                    "FROM FL1903レコードフォーマット情報マスタ WHERE BPID=? ORDER BY 1"), {bpid});
        };
        QCOMPARE(lines(QStringLiteral("COPY0001")), lines(QStringLiteral("SHIPNT01")));
        QCOMPARE(Count(kHeaders, QStringLiteral("COPY0001")), 1);

        // 中止 in the search copies nothing.
        QVERIFY(h_.Start());
        Open(QStringLiteral("1"), QStringLiteral("COPY0002"), false);
        const QStringList before = Dump();
        ModalDriver stop(QStringLiteral("SEARCH_MSTDB"), [](QDialog* d) {
            d->findChild<QPushButton*>(QStringLiteral("STOP"))->click();
        });
        F().ComandBtn[0]->click();
        QVERIFY(stop.Seen());
        QCOMPARE(Dump(), before);
        QCOMPARE(F().State.ScreenMode, QStringLiteral("BODY"));
    }

    void faultLeavesTheRowsAsTheyWere_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("bpid");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("line write") << "2" << "0201" << "SHIPNT01" << 16 << int(QMessageBox::Yes)
                                    << QStringList{kAskUpdate, kAborted};
        QTest::newRow("header write") << "2" << "0201" << "SHIPNT01" << 2 << int(QMessageBox::Yes)
                                      << QStringList{kAskUpdate, kAborted};
        QTest::newRow("delete") << "9" << "0401" << "INVOIC01" << 2 << int(QMessageBox::Ok)
                                << QStringList{kAskDelete, kAborted};
        QTest::newRow("copy") << "1" << "0101" << "COPY0003" << 0 << int(QMessageBox::Ok) << QStringList{kAborted};
    }

    void faultLeavesTheRowsAsTheyWere()
    {
        QFETCH(QString, category);
        QFETCH(QString, code);
        QFETCH(QString, bpid);
        QFETCH(int, button);
        QFETCH(int, answer);
        QFETCH(QStringList, texts);
        Open(category, bpid, button == 16, code);
        FaultInjector fault(F().Db);
        if (button == 16) {
            F().State.Lines.StandardItems.Remove(2);
            F().Run([&](FormState& s_) { return RebuildItemList(s_, QStringLiteral("E")); });
            fault.FailInsertsAfter(kLines, bpid, 10);
        } else if (category == QLatin1String("2")) {
            F().txt_LocalKeishiki->setText(QStringLiteral("C"));
            fault.FailUpdates(kHeaders);
        } else if (category == QLatin1String("9")) {
            fault.FailDeletes(kLines);
        } else {
            fault.FailInsertsAfter(kLines, bpid, 3);
        }
        const int edited = ListCount(F().Lis_Hyojun);
        const QStringList before = Dump();
        ModalDriver choose(QStringLiteral("SEARCH_MSTDB"), [](QDialog* d) { ChooseInSearch(d, QString()); });
        MessageBoxAnswerer answerer({QMessageBox::StandardButton(answer)});
        F().ComandBtn[button]->click();
        QCOMPARE(answerer.Texts(), texts);
        QCOMPARE(answerer.Seen().back().icon, QMessageBox::NoIcon);
        QCOMPARE(answerer.Seen().back().informative, QString());  // no other desk involved
        fault.Clear();
        QCOMPARE(Dump(), before);
        // The screen stays with the operator's input.
        if (button == 16) {
            QVERIFY(F().Frame[0]->isVisible());
            QCOMPARE(ListCount(F().Lis_Hyojun), edited);
        } else if (category != QLatin1String("1")) {
            QCOMPARE(F().txt_BPID->text(), bpid);
            if (category == QLatin1String("2"))
                QCOMPARE(F().txt_LocalKeishiki->text(), QStringLiteral("C"));
        }
    }
};

QTEST_MAIN(TestFormatStore)
#include "test_format_store.moc"
