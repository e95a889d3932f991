// Two operators on one database, the second one a separate process writing
// as another desk would; and keys and names full of quotes and SQL
// characters, stored and read back exactly.

#include "core/list_rebuild.h"
#include "support/form_harness.h"
#include "support/message_box_answerer.h"
#include "support/x_display.h"

#include <QGroupBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>

namespace {
const QString kChangedElsewhere = QStringLiteral("他の端末でこのフォーマットが変更または削除されています。"
                                                 "キーを入力し直すと登録内容が表示されます。");
}

class TestOperators : public FormTest {
    Q_OBJECT

private:
    QStringList Stored(const QString& bpid) { return StoredFormat(F().Db, bpid); }

private slots:
    void sameNewKeyRegisteredTwice_data()
    {
        QTest::addColumn<bool>("meanwhile");  // the other desk holds its transaction open
        QTest::addColumn<QString>("bpid");
        QTest::newRow("other desk first") << false << "CONC0001";
        if (qEnvironmentVariable("K450120_TEST_ENGINE") == QLatin1String("postgresql"))
            QTest::newRow("both at the same time") << true << "CONC0002";
    }

    void sameNewKeyRegisteredTwice()
    {
        QFETCH(bool, meanwhile);
        QFETCH(QString, bpid);
        h_.EnterKey(QStringLiteral("1"), QStringLiteral("0101"), bpid);
        QCOMPARE(F().State.ScreenMode, QStringLiteral("BODY"));
        const QString insert = QStringLiteral(
            "INSERT INTO FL1902フォーマット情報マスタ (情報区分コード,BPID,様式識別) VALUES ('0101','%1','10');\n")
                                   .arg(bpid);
        QProcess* other = StartOtherDesk(h_.Site(), meanwhile ? insert + QStringLiteral("SELECT pg_sleep(2);\n") : insert, this);
        if (meanwhile)
            QTest::qWait(700);
        else
            QVERIFY(other->waitForFinished(30000));
        QCOMPARE(h_.Click(2, {QMessageBox::Yes}), (QStringList{kAskUpdate, kAborted}));
        other->waitForFinished(30000);
        QCOMPARE(other->exitCode(), 0);
        // The other desk's header stands, once; this screen keeps its input.
        QCOMPARE(QueryRows(F().Db, QStringLiteral("SELECT 様式識別 FROM FL1902フォーマット情報マスタ WHERE BPID=?"), {bpid}),
                 QStringList{QStringLiteral("10")});
        QCOMPARE(F().txt_BPID->text(), bpid);
        QCOMPARE(F().txt_Yosikisyubetu->text(), QStringLiteral("11"));
    }

    void linesChangedByAnotherDesk()
    {
        QVERIFY(h_.OpenLines(QStringLiteral("2"), QStringLiteral("0201"), QStringLiteral("SHIPNT01")));
        QVERIFY(RunOtherDesk(h_.Site(), QStringLiteral("UPDATE FL1903レコードフォーマット情報マスタ SET 項目名称='他の端末' "
                                                       "WHERE BPID='SHIPNT01' AND フォーマット種別='L' AND 項目通番=1;\n"), this));
        const QStringList theirs = Stored(QStringLiteral("SHIPNT01"));
        F().State.Lines.LocalItems.Remove(2);
        F().Run([&](FormState& s_) { return SettleLocalList(s_); });
        MessageBoxAnswerer answerer({QMessageBox::Yes});
        F().ComandBtn[16]->click();
        QCOMPARE(answerer.Texts(), (QStringList{kAskUpdate, kAborted}));
        // The refusal says why and how to see what the other desk stored.
        QCOMPARE(answerer.Seen().back().informative, kChangedElsewhere);
        QCOMPARE(Stored(QStringLiteral("SHIPNT01")), theirs);
        QVERIFY(F().Frame[0]->isVisible());
        QCOMPARE(ListCount(F().Lis_Local), 19);  // the operator's edit is still there
    }

    void formatDeletedWhileOpen()
    {
        QVERIFY(h_.OpenLines(QStringLiteral("2"), QStringLiteral("0101"), QStringLiteral("ORDERS01")));
        QVERIFY(RunOtherDesk(h_.Site(), QStringLiteral("DELETE FROM FL1902フォーマット情報マスタ WHERE BPID='ORDERS01';\n"
                                                       "DELETE FROM FL1903レコードフォーマット情報マスタ WHERE BPID='ORDERS01';\n"), this));
        QCOMPARE(h_.Click(16, {QMessageBox::Yes}), (QStringList{kAskUpdate, kAborted}));
        QVERIFY(Stored(QStringLiteral("ORDERS01")).isEmpty());
        h_.Click(16, {QMessageBox::No});  // leave the line screen without writing
        MessageBoxAnswerer answerer({QMessageBox::Yes});
        F().ComandBtn[2]->click();
        QCOMPARE(answerer.Texts(), (QStringList{kAskUpdate, kAborted}));
        QCOMPARE(answerer.Seen().back().informative, kChangedElsewhere);
        QVERIFY(Stored(QStringLiteral("ORDERS01")).isEmpty());  // nothing brought back
    }

    // Two desks, each the real program on an X server of its own, show the
    // same header; B stores a changed 様式識別, then A a changed 格納ﾓｰﾄﾞ: A's
    // write is refused (a second box after 更新しますか) and B's stays.
    void headerChangedByAnotherProgram()
    {
        struct Desk {
            XDisplay x;
            QProcess program;
        };
        const QString title = QStringLiteral("フォーマット情報マスタ保守");
        auto start = [&](Desk& desk) {
            QProcessEnvironment env = h_.Site().Environment();
            env.insert(QStringLiteral("DISPLAY"), desk.x.Display());
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
            desk.program.setProcessEnvironment(env);
            desk.program.start(h_.Site().Program(), {QStringLiteral("OP01")});
            const bool up = desk.x.Ok() && desk.x.WaitForWindow(title);
            QTest::qWait(500);
            return up;
        };
        auto type = [](Desk& desk, std::initializer_list<const char*> texts) {
            for (const char* text : texts) {
                desk.x.Type(QLatin1String(text), 80);
                QTest::qWait(400);
            }
        };
        // Waits for a box beside the form, answers it and tells whether another follows.
        auto answer = [&](Desk& desk, const char* keys) {
            if (!QTest::qWaitFor([&] { return desk.x.Windows(title).size() == 2; }, 10000))
                return -1;
            QTest::qWait(300);
            desk.x.Key(QLatin1String(keys));
            QTest::qWait(1500);
            return int(desk.x.Windows(title).size()) - 1;
        };
        const QString header = QStringLiteral("SELECT 様式識別||格納モード FROM FL1902フォーマット情報マスタ WHERE BPID='SHIPNT01'");
        Desk a, b;
        QVERIFY(start(a) && start(b));
        type(a, {"2", "0201", "SHIPNT01"});
        type(b, {"2", "0201", "SHIPNT01", "10"});
        b.x.Key(QStringLiteral("Escape"));  // as OK on the header screen: 更新しますか
        QCOMPARE(answer(b, "alt+y"), 0);
        QTRY_COMPARE_WITH_TIMEOUT(QueryRows(F().Db, header), QStringList{QStringLiteral("10M")}, 10000);

        a.x.Key(QStringLiteral("Return"));  // 様式種別 as shown, ｼﾝﾀｯｸｽIDﾊﾞｰｼﾞｮﾝ as shown
        QTest::qWait(300);
        a.x.Key(QStringLiteral("Return"));
        QTest::qWait(300);
        type(a, {"s"});  // the field upper-cases it
        a.x.Key(QStringLiteral("Escape"));
        QCOMPARE(answer(a, "alt+y"), 1);  // the refusal follows
        QCOMPARE(answer(a, "Return"), 0);
        QCOMPARE(QueryRows(F().Db, header), QStringList{QStringLiteral("10M")});
    }

    // A delete meets what another desk did after the header was shown.
    void deleteMeetsAnotherDesk_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("lines changed") << "UPDATE FL1903レコードフォーマット情報マスタ SET 項目名称='他の端末' "
                                          "WHERE BPID='INVOIC01' AND フォーマット種別='L' AND 項目通番=1;\n";
        QTest::newRow("already deleted") << "DELETE FROM FL1902フォーマット情報マスタ WHERE BPID='INVOIC01';\n"
                                            "DELETE FROM FL1903レコードフォーマット情報マスタ WHERE BPID='INVOIC01';\n";
    }

    void deleteMeetsAnotherDesk()
    {
        QFETCH(QString, sql);
        QCOMPARE(h_.EnterKey(QStringLiteral("9"), QStringLiteral("0401"), QStringLiteral("INVOIC01")), QStringList());
        QVERIFY(RunOtherDesk(h_.Site(), sql, this));
        const QStringList theirs = Stored(QStringLiteral("INVOIC01"));
        MessageBoxAnswerer answerer({QMessageBox::Ok});
        F().ComandBtn[2]->click();
        QCOMPARE(answerer.Texts(), (QStringList{QStringLiteral("削除しますか"), kAborted}));
        QCOMPARE(answerer.Seen().back().informative, kChangedElsewhere);
        QCOMPARE(Stored(QStringLiteral("INVOIC01")), theirs);
    }

    void awkwardKeysAndNames()
    {
        const QString bpid = QStringLiteral("O'R;\\%--");
        const QString name = QStringLiteral("名前'; DROP--\\%_ﾃｽﾄ");
        const QString fixed = QString(25, QChar(0x6F22));  // 25 kanji: 50 bytes
        const QStringList others = Stored(QStringLiteral("ORDERS01")) + Stored(QStringLiteral("SHIPNT01"));
        QVERIFY(h_.OpenLines(QStringLiteral("1"), QStringLiteral("0101"), bpid));
        FormatItem local;
        local.Attribute = QStringLiteral("X");
        local.Length = 50;
        local.ItemName = name;
        local.FixedValue = fixed;
        local.MultiDetailNo = QStringLiteral("'");
        local.ConversionError = QStringLiteral("E");
        F().State.Lines.LocalItems.Insert(1, local);
        F().Run([&](FormState& s_) { return SettleLocalList(s_); });
        QCOMPARE(h_.Click(16, {QMessageBox::Yes}), QStringList{kAskUpdate});
        QCOMPARE(h_.Click(2, {QMessageBox::Yes}), QStringList{kAskUpdate});
        // Read back through the screen in category 2.
        h_.Stop();
        QVERIFY(h_.Start());
        QVERIFY(h_.OpenLines(QStringLiteral("2"), QStringLiteral("0101"), bpid));
        QCOMPARE(F().State.Lines.LocalItems.Count(), 1);
        QCOMPARE(F().State.Lines.LocalItems[1].ItemName, name);
        QCOMPARE(F().State.Lines.LocalItems[1].FixedValue, fixed);
        QCOMPARE(F().State.Lines.LocalItems[1].MultiDetailNo, QStringLiteral("'"));
        QCOMPARE(QueryRows(F().Db, QStringLiteral("SELECT BPID FROM FL1902フォーマット情報マスタ WHERE BPID=?"), {bpid}),
                 QStringList{bpid});
        QCOMPARE(Stored(QStringLiteral("ORDERS01")) + Stored(QStringLiteral("SHIPNT01")), others);
    }
};

QTEST_MAIN(TestOperators)
#include "test_operators.moc"
