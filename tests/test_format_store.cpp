// Saving, deleting and copying formats against the real SQLite ODBC driver:
// every answer of every confirmation, the rows as stored, the orphan removal,
// the copy, and faults in the middle of each write that must leave the stored
// rows exactly as they were.

#include "app/main_form.h"
#include "app/startup.h"
#include "format/format_store.h"
#include "items/list_view.h"
#include "support/fault_injector.h"
#include "support/message_box_answerer.h"
#include "support/modal_driver.h"
#include "support/temp_site.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

const QString kAborted = QStringLiteral("更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました");

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

}  // namespace

class TestFormatStore : public QObject {
    Q_OBJECT

private:
    TempSite site_;
    std::unique_ptr<F_K450120> form_;
    F_K450120& F() { return *form_; }

    // Every stored row of both tables, as text.
    QStringList Dump()
    {
        QStringList rows;
        for (const char* table : {"FL1902フォーマット情報マスタ", "FL1903レコードフォーマット情報マスタ"}) {
            F().Db.SetStatement(QStringLiteral("SELECT * FROM %1 ORDER BY 1,2,3,4").arg(QString::fromUtf8(table)));
            ResultSet rs;
            F().Db.OpenReadOnlyResultset(rs);
            for (; !rs.AtEnd(); rs.MoveNext()) {
                QStringList values;
                for (int c = 0; c < (QString::fromUtf8(table).startsWith(QLatin1String("FL1902")) ? 9 : 16); ++c) {
                    const QVariant v = rs.Value(c);
                    values << (v.isNull() ? QStringLiteral("<null>") : v.toString());
                }
                rows << values.join(QLatin1Char('|'));
            }
        }
        return rows;
    }

    QStringList Rows(const QString& sql, const QVariantList& params = {})
    {
        F().Db.SetStatement(sql, params);
        ResultSet rs;
        F().Db.OpenReadOnlyResultset(rs);
        QStringList rows;
        for (; !rs.AtEnd(); rs.MoveNext())
            rows << rs.Value(0).toString();
        return rows;
    }

    int Count(const char* table, const QString& bpid)
    {
        return Rows(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE BPID=?").arg(QString::fromUtf8(table)),
                    {bpid})
            .front()
            .toInt();
    }

    void Open(const QString& category, const QString& bpid, bool lineScreen,
              const QString& code = QStringLiteral("0101"))
    {
        QTest::keyClicks(F().txt_SyoriKbn, category);
        F().txt_JohoKbn->setText(code);
        QTest::keyClick(F().txt_JohoKbn, Qt::Key_Return);
        F().txt_BPID->setText(bpid);
        MessageBoxAnswerer none;
        QTest::keyClick(F().txt_BPID, Qt::Key_Return);
        QVERIFY2(none.Texts().isEmpty(), qPrintable(none.Texts().join(QLatin1Char(','))));
        if (lineScreen)
            F().ComandBtn[1]->click();
    }

    // A small format of both layouts: a plain item, a group with a member,
    // linked crosswise; one line with an empty multi-detail number.
    void FillTables()
    {
        ItemTable& e = F().Lines.StandardItems;
        ItemTable& l = F().Lines.LocalItems;
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
        F().Lines.ReselectPosition = 0;
        RebuildItemList(F(), QStringLiteral("E"));
        SettleLocalList(F());
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

    void registerNewFormat()
    {
        Open(QStringLiteral("1"), QStringLiteral("NEWREG01"), true);
        FillTables();
        {
            MessageBoxAnswerer answerer({QMessageBox::Yes});
            F().ComandBtn[16]->click();  // 終了
            QCOMPARE(answerer.Texts(), QStringList{QStringLiteral("更新しますか")});
            QCOMPARE(answerer.Seen().front().buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            QCOMPARE(answerer.Seen().front().icon, QMessageBox::Warning);
        }
        QVERIFY(F().Frame[0]->isHidden());
        QCOMPARE(F().ScreenMode, QStringLiteral("BODY"));
        QCOMPARE(F().focusWidget(), F().txt_Yosikisyubetu);
        // The lines as stored, column by column.
        const QString key = QStringLiteral(" FROM FL1903レコードフォーマット情報マスタ WHERE BPID='NEWREG01' ORDER BY フォーマット種別,項目通番");
        QCOMPARE(Rows(QStringLiteral("SELECT フォーマット種別||項目通番||':'||対応項目通番||':'||レベル番号||':'||項目№") + key),
                 (QStringList{"E1:2:0:301", "E2:1:0:0", "E3:0:1:302", "L1:2:0:0", "L2:1:0:0"}));
        QCOMPARE(Rows(QStringLiteral("SELECT COALESCE(項目名称,'<null>')||':'||COALESCE(CAST(項目位置 AS VARCHAR(12)),'<null>')||':'||COALESCE(マルチ明細番号,'<null>')") + key),
                 (QStringList{"<null>:<null>:0", "明細:<null>:1", "<null>:<null>:0", "明細:1:1", "受注'番号:1:"}));
        QCOMPARE(Count("FL1902フォーマット情報マスタ", QStringLiteral("NEWREG01")), 0);

        // OK and Yes write the header and return to key entry.
        MessageBoxAnswerer answerer({QMessageBox::Yes});
        F().ComandBtn[2]->click();
        QCOMPARE(answerer.Texts(), QStringList{QStringLiteral("更新しますか")});
        QCOMPARE(Rows(QStringLiteral("SELECT 様式識別||格納モード||1バイト文字集合||XML文字コード FROM "
                                     "FL1902フォーマット情報マスタ WHERE BPID='NEWREG01'")),
                 QStringList{QStringLiteral("11MSS")});
        QCOMPARE(F().ScreenMode, QStringLiteral("HEAD"));
        QVERIFY(F().txt_BPID->text().isEmpty());
        QCOMPARE(F().txt_SyoriKbn->text(), QStringLiteral("1"));
    }

    void abandonedNewKeyLeavesNoLines()
    {
        Open(QStringLiteral("1"), QStringLiteral("NEWREG02"), true);
        FillTables();
        {
            MessageBoxAnswerer yes({QMessageBox::Yes});
            F().ComandBtn[16]->click();
        }
        QCOMPARE(Count("FL1903レコードフォーマット情報マスタ", QStringLiteral("NEWREG02")), 5);
        MessageBoxAnswerer no({QMessageBox::No});
        F().ComandBtn[2]->click();
        QCOMPARE(Count("FL1903レコードフォーマット情報マスタ", QStringLiteral("NEWREG02")), 0);
        QCOMPARE(F().ScreenMode, QStringLiteral("HEAD"));
        QCOMPARE(F().focusWidget(), F().txt_JohoKbn);
    }

    void answersThatWriteNothing()
    {
        const QStringList before = Dump();
        Open(QStringLiteral("2"), QStringLiteral("ORDERS01"), true);
        F().Lines.LocalItems.Remove(1);
        SettleLocalList(F());
        {
            MessageBoxAnswerer cancel({QMessageBox::Cancel});
            F().ComandBtn[16]->click();
        }
        QVERIFY(F().Frame[0]->isVisible());  // Cancel stays on the line screen
        {
            MessageBoxAnswerer no({QMessageBox::No});
            F().ComandBtn[16]->click();
        }
        QVERIFY(F().Frame[0]->isHidden());
        {
            MessageBoxAnswerer cancel({QMessageBox::Cancel});
            F().ComandBtn[2]->click();
            QCOMPARE(cancel.Texts(), QStringList{QStringLiteral("更新しますか")});
        }
        QCOMPARE(F().focusWidget(), F().txt_Yosikisyubetu);
        QCOMPARE(Dump(), before);
    }

    void inquiryNeverWrites()
    {
        Open(QStringLiteral("0"), QStringLiteral("ORDERS01"), false);
        MessageBoxAnswerer answerer;
        F().ComandBtn[2]->click();
        QVERIFY(answerer.Texts().isEmpty());
        F().ComandBtn[1]->click();
        F().ComandBtn[16]->click();  // disabled for inquiry: the click does nothing
        QVERIFY(answerer.Texts().isEmpty());
    }

    void deleteFormat()
    {
        {
            Open(QStringLiteral("9"), QStringLiteral("ORDERS01"), false);
            MessageBoxAnswerer cancel({QMessageBox::Cancel});
            F().ComandBtn[2]->click();
            QCOMPARE(cancel.Texts(), QStringList{QStringLiteral("削除しますか")});
            QCOMPARE(cancel.Seen().front().buttons, QMessageBox::Ok | QMessageBox::Cancel);
        }
        // Cancel still returns to key entry; nothing is deleted.
        QVERIFY(F().txt_BPID->text().isEmpty());
        QCOMPARE(Count("FL1902フォーマット情報マスタ", QStringLiteral("ORDERS01")), 1);
        F().txt_JohoKbn->setText(QStringLiteral("0101"));
        F().txt_BPID->setText(QStringLiteral("ORDERS01"));
        QTest::keyClick(F().txt_BPID, Qt::Key_Return);
        MessageBoxAnswerer ok({QMessageBox::Ok});
        F().ComandBtn[2]->click();
        QCOMPARE(Count("FL1902フォーマット情報マスタ", QStringLiteral("ORDERS01")), 0);
        QCOMPARE(Count("FL1903レコードフォーマット情報マスタ", QStringLiteral("ORDERS01")), 0);
        QCOMPARE(F().txt_SyoriKbn->text(), QStringLiteral("9"));
    }

    void copyFormat()
    {
        // Lines left under the new key without a header must not mix in.
        F().Db.SetStatement(QStringLiteral("INSERT INTO FL1903レコードフォーマット情報マスタ (情報区分コード,BPID,"
                                           "フォーマット種別,項目通番) VALUES ('0101','COPY0001','E',99)"));
        F().Db.ExecuteStatement();
        Open(QStringLiteral("1"), QStringLiteral("COPY0001"), false);
        ModalDriver choose(QStringLiteral("SEARCH_MSTDB"), [](QDialog* d) {
            auto* grid = d->findChild<QTableWidget*>(QStringLiteral("GRID"));
            const auto found = grid->findItems(QStringLiteral("SHIPNT01"), Qt::MatchExactly);
            grid->setCurrentCell(found.front()->row(), 0);
            d->findChild<QPushButton*>(QStringLiteral("SELECT"))->click();
        });
        F().ComandBtn[0]->click();
        QVERIFY(choose.Seen());
        QCOMPARE(F().txt_LocalKeishiki->text(), QStringLiteral("F"));
        QCOMPARE(F().ScreenMode, QStringLiteral("BODY"));
        QCOMPARE(F().focusWidget(), F().txt_Yosikisyubetu);
        auto lines = [this](const QString& bpid) {
            return Rows(QStringLiteral("SELECT フォーマット種別||項目通番||':'||対応項目通番||':'||COALESCE(項目名称,'') "
                                       "FROM FL1903レコードフォーマット情報マスタ WHERE BPID=? ORDER BY 1"),
                        {bpid});
        };
        QCOMPARE(lines(QStringLiteral("COPY0001")), lines(QStringLiteral("SHIPNT01")));
        QCOMPARE(Count("FL1902フォーマット情報マスタ", QStringLiteral("COPY0001")), 1);
    }

    void copyWithoutSource()
    {
        Open(QStringLiteral("1"), QStringLiteral("COPY0002"), false);
        const QStringList before = Dump();
        ModalDriver stop(QStringLiteral("SEARCH_MSTDB"), [](QDialog* d) {
            d->findChild<QPushButton*>(QStringLiteral("STOP"))->click();
        });
        F().ComandBtn[0]->click();
        QVERIFY(stop.Seen());
        QCOMPARE(Dump(), before);
        QCOMPARE(F().ScreenMode, QStringLiteral("BODY"));
    }

    void faultInTheLineWrite()
    {
        Open(QStringLiteral("2"), QStringLiteral("SHIPNT01"), true, QStringLiteral("0201"));
        F().Lines.StandardItems.Remove(2);
        RebuildItemList(F(), QStringLiteral("E"));
        const int edited = F().Lis_Hyojun->count();
        const QStringList before = Dump();
        FaultInjector fault(F().Db);
        fault.FailInsertsAfter(QStringLiteral("FL1903レコードフォーマット情報マスタ"), QStringLiteral("SHIPNT01"), 10);
        MessageBoxAnswerer answerer({QMessageBox::Yes});
        F().ComandBtn[16]->click();
        QCOMPARE(answerer.Texts(), (QStringList{QStringLiteral("更新しますか"), kAborted}));
        QCOMPARE(answerer.Seen().back().icon, QMessageBox::NoIcon);
        fault.Clear();
        QCOMPARE(Dump(), before);
        // The line screen stays with the operator's edits.
        QVERIFY(F().Frame[0]->isVisible());
        QCOMPARE(F().Lis_Hyojun->count(), edited);
    }

    void faultInTheHeaderWrite()
    {
        Open(QStringLiteral("2"), QStringLiteral("SHIPNT01"), false, QStringLiteral("0201"));
        F().txt_LocalKeishiki->setText(QStringLiteral("C"));
        const QStringList before = Dump();
        FaultInjector fault(F().Db);
        fault.FailUpdates(QStringLiteral("FL1902フォーマット情報マスタ"));
        MessageBoxAnswerer answerer({QMessageBox::Yes});
        F().ComandBtn[2]->click();
        QCOMPARE(answerer.Texts(), (QStringList{QStringLiteral("更新しますか"), kAborted}));
        fault.Clear();
        QCOMPARE(Dump(), before);
        QCOMPARE(F().txt_BPID->text(), QStringLiteral("SHIPNT01"));  // the screen keeps the input
        QCOMPARE(F().txt_LocalKeishiki->text(), QStringLiteral("C"));
    }

    void faultInTheDelete()
    {
        Open(QStringLiteral("9"), QStringLiteral("INVOIC01"), false, QStringLiteral("0401"));
        const QStringList before = Dump();
        FaultInjector fault(F().Db);
        fault.FailDeletes(QStringLiteral("FL1903レコードフォーマット情報マスタ"));
        MessageBoxAnswerer answerer({QMessageBox::Ok});
        F().ComandBtn[2]->click();
        QCOMPARE(answerer.Texts(), (QStringList{QStringLiteral("削除しますか"), kAborted}));
        fault.Clear();
        QCOMPARE(Dump(), before);
        QCOMPARE(F().txt_BPID->text(), QStringLiteral("INVOIC01"));
    }

    void faultInTheCopy()
    {
        Open(QStringLiteral("1"), QStringLiteral("COPY0003"), false);
        const QStringList before = Dump();
        FaultInjector fault(F().Db);
        fault.FailInsertsAfter(QStringLiteral("FL1903レコードフォーマット情報マスタ"), QStringLiteral("COPY0003"), 3);
        ModalDriver choose(QStringLiteral("SEARCH_MSTDB"), [](QDialog* d) {
            d->findChild<QPushButton*>(QStringLiteral("SELECT"))->click();
        });
        MessageBoxAnswerer answerer;
        F().ComandBtn[0]->click();
        QCOMPARE(answerer.Texts(), QStringList{kAborted});
        fault.Clear();
        QCOMPARE(Dump(), before);
    }
};

QTEST_MAIN(TestFormatStore)
#include "test_format_store.moc"
