// Two operators on one database, the second one a separate process writing
// as another desk would; a server that stops and comes back; and keys and
// names full of quotes and SQL characters, stored and read back exactly.

#include "app/main_form.h"
#include "app/startup.h"
#include "items/list_view.h"
#include "support/message_box_answerer.h"
#include "support/temp_site.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTest>

namespace {

const QString kAborted = QStringLiteral("更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました");

bool OnPostgreSql()
{
    return qEnvironmentVariable("K450120_TEST_ENGINE") == QLatin1String("postgresql");
}

}  // namespace

class TestOperators : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempSite> site_;
    std::unique_ptr<F_K450120> form_;
    F_K450120& F() { return *form_; }

    // The other operator: a separate process running statements in one transaction.
    QProcess* Other(const QString& sql, bool wait = true)
    {
        auto* script = new QTemporaryFile(this);
        script->open();
        script->write(sql.toUtf8());
        script->flush();
        auto* process = new QProcess(this);
        process->setProcessEnvironment(site_->Environment());
        const EnvironmentSettings s = site_->Settings();
        process->start(QStringLiteral(K450120_BUILD_DIR "/site/k450120-loadsql"),
                       {s.DbString.trimmed(), s.UserId.trimmed(), s.Password.trimmed(),
                        QStringLiteral("--"), script->fileName()});
        if (wait) {
            process->waitForFinished(30000);
            if (process->exitCode() != 0)
                qWarning("other operator: %s", process->readAllStandardError().constData());
        }
        return process;
    }

    QStringList Rows(const QString& sql, const QVariantList& params = {})
    {
        F().Db.SetStatement(sql, params);
        ResultSet rs;
        F().Db.OpenReadOnlyResultset(rs);
        QStringList rows;
        for (; !rs.AtEnd(); rs.MoveNext()) {
            QStringList values;
            for (int c = 0; c < rs.ColumnCount(); ++c) {
                const QVariant v = rs.Value(c);
                values << (v.isNull() ? QStringLiteral("<null>") : v.toString());
            }
            rows << values.join(QLatin1Char('|'));
        }
        return rows;
    }

    QStringList Format(const QString& bpid)
    {
        return Rows(QStringLiteral("SELECT * FROM FL1902フォーマット情報マスタ WHERE BPID=?"), {bpid})
            + Rows(QStringLiteral("SELECT * FROM FL1903レコードフォーマット情報マスタ WHERE BPID=?"
                                  " ORDER BY フォーマット種別,項目通番"), {bpid});
    }

    void Open(const QString& category, const QString& code, const QString& bpid, bool lineScreen)
    {
        QTest::keyClicks(F().txt_SyoriKbn, category);
        F().txt_JohoKbn->setText(code);
        QTest::keyClick(F().txt_JohoKbn, Qt::Key_Return);
        F().txt_BPID->setText(bpid);
        QTest::keyClick(F().txt_BPID, Qt::Key_Return);
        if (lineScreen)
            F().ComandBtn[1]->click();
    }

private slots:
    // One site for the whole run: the ODBC layer reads its configuration
    // once per process.
    void initTestCase()
    {
        site_ = std::make_unique<TempSite>();
        QVERIFY2(site_->Ok(), qPrintable(site_->Error()));
        site_->UseOdbcConfiguration();
    }

    void init()
    {
        form_ = std::make_unique<F_K450120>();
        F().ProgramFolder = site_->ProgramFolder();
        QCOMPARE(StartUp(F(), "OP01"), 0);
        QVERIFY(QTest::qWaitForWindowActive(&F()));
    }

    void cleanup() { form_.reset(); }

    void sameNewKeyRegisteredTwice_data()
    {
        QTest::addColumn<bool>("meanwhile");  // the other desk holds its transaction open
        QTest::addColumn<QString>("bpid");
        QTest::newRow("other desk first") << false << "CONC0001";
        if (OnPostgreSql())
            QTest::newRow("both at the same time") << true << "CONC0002";
    }

    void sameNewKeyRegisteredTwice()
    {
        QFETCH(bool, meanwhile);
        QFETCH(QString, bpid);
        Open(QStringLiteral("1"), QStringLiteral("0101"), bpid, false);
        QCOMPARE(F().ScreenMode, QStringLiteral("BODY"));
        const QString insert = QStringLiteral(
            "INSERT INTO FL1902フォーマット情報マスタ (情報区分コード,BPID,様式識別) VALUES ('0101','%1','10');\n")
                                   .arg(bpid);
        QProcess* other = Other(meanwhile ? insert + QStringLiteral("SELECT pg_sleep(2);\n") : insert, !meanwhile);
        if (meanwhile)
            QTest::qWait(700);
        MessageBoxAnswerer answerer({QMessageBox::Yes});
        F().ComandBtn[2]->click();
        QCOMPARE(answerer.Texts(), (QStringList{QStringLiteral("更新しますか"), kAborted}));
        other->waitForFinished(30000);
        QCOMPARE(other->exitCode(), 0);
        // The other desk's header stands, once; this screen keeps its input.
        QCOMPARE(Rows(QStringLiteral("SELECT 様式識別 FROM FL1902フォーマット情報マスタ WHERE BPID=?"), {bpid}),
                 QStringList{QStringLiteral("10")});
        QCOMPARE(F().txt_BPID->text(), bpid);
        QCOMPARE(F().txt_Yosikisyubetu->text(), QStringLiteral("11"));
    }

    void linesChangedByAnotherDesk()
    {
        Open(QStringLiteral("2"), QStringLiteral("0201"), QStringLiteral("SHIPNT01"), true);
        Other(QStringLiteral("UPDATE FL1903レコードフォーマット情報マスタ SET 項目名称='他の端末' "
                             "WHERE BPID='SHIPNT01' AND フォーマット種別='L' AND 項目通番=1;\n"));
        const QStringList theirs = Format(QStringLiteral("SHIPNT01"));
        F().Lines.LocalItems.Remove(2);
        SettleLocalList(F());
        MessageBoxAnswerer answerer({QMessageBox::Yes});
        F().ComandBtn[16]->click();
        QCOMPARE(answerer.Texts(), (QStringList{QStringLiteral("更新しますか"), kAborted}));
        QCOMPARE(Format(QStringLiteral("SHIPNT01")), theirs);
        QVERIFY(F().Frame[0]->isVisible());
        QCOMPARE(F().Lis_Local->count(), 19);  // the operator's edit is still there
    }

    void formatDeletedWhileOpen()
    {
        Open(QStringLiteral("2"), QStringLiteral("0101"), QStringLiteral("ORDERS01"), true);
        Other(QStringLiteral("DELETE FROM FL1902フォーマット情報マスタ WHERE BPID='ORDERS01';\n"
                             "DELETE FROM FL1903レコードフォーマット情報マスタ WHERE BPID='ORDERS01';\n"));
        {
            MessageBoxAnswerer answerer({QMessageBox::Yes});
            F().ComandBtn[16]->click();
            QCOMPARE(answerer.Texts(), (QStringList{QStringLiteral("更新しますか"), kAborted}));
        }
        QVERIFY(Format(QStringLiteral("ORDERS01")).isEmpty());
        {
            MessageBoxAnswerer answerer({QMessageBox::No});
            F().ComandBtn[16]->click();  // leave the line screen without writing
        }
        MessageBoxAnswerer answerer({QMessageBox::Yes});
        F().ComandBtn[2]->click();
        QCOMPARE(answerer.Texts(), (QStringList{QStringLiteral("更新しますか"), kAborted}));
        QVERIFY(Format(QStringLiteral("ORDERS01")).isEmpty());  // nothing brought back
    }

    void awkwardKeysAndNames()
    {
        const QString bpid = QStringLiteral("O'R;\\%--");
        const QString name = QStringLiteral("名前'; DROP--\\%_ﾃｽﾄ");
        const QString fixed = QString(25, QChar(0x6F22));  // 25 kanji: 50 bytes
        const QStringList others = Format(QStringLiteral("ORDERS01")) + Format(QStringLiteral("SHIPNT01"));
        Open(QStringLiteral("1"), QStringLiteral("0101"), bpid, true);
        QCOMPARE(F().ScreenMode, QStringLiteral("BODY"));
        FormatItem local;
        local.Attribute = QStringLiteral("X");
        local.Length = 50;
        local.ItemName = name;
        local.FixedValue = fixed;
        local.MultiDetailNo = QStringLiteral("'");
        local.ConversionError = QStringLiteral("E");
        F().Lines.LocalItems.Insert(1, local);
        SettleLocalList(F());
        {
            MessageBoxAnswerer answerer({QMessageBox::Yes, QMessageBox::Yes});
            F().ComandBtn[16]->click();
            F().ComandBtn[2]->click();
            QCOMPARE(answerer.Texts(), (QStringList{QStringLiteral("更新しますか"), QStringLiteral("更新しますか")}));
        }
        // Read back through the screen in category 2.
        F().txt_SyoriKbn->setText(QStringLiteral("2"));
        QTest::keyClick(F().txt_SyoriKbn, Qt::Key_Return);
        Open(QString(), QStringLiteral("0101"), bpid, true);
        QCOMPARE(F().Lines.LocalItems.Count(), 1);
        QCOMPARE(F().Lines.LocalItems[1].ItemName, name);
        QCOMPARE(F().Lines.LocalItems[1].FixedValue, fixed);
        QCOMPARE(F().Lines.LocalItems[1].MultiDetailNo, QStringLiteral("'"));
        QCOMPARE(Rows(QStringLiteral("SELECT BPID FROM FL1902フォーマット情報マスタ WHERE BPID=?"), {bpid}),
                 QStringList{bpid});
        QCOMPARE(Format(QStringLiteral("ORDERS01")) + Format(QStringLiteral("SHIPNT01")), others);
    }
};

QTEST_MAIN(TestOperators)
#include "test_operators.moc"
