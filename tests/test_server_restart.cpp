// The database server stops while the program is open and comes back: the
// statements in between fail with their messages, nothing is lost or
// half-written, and the program goes on after the restart.

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

class TestServerRestart : public QObject {
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

    void serverStopsAndComesBack()
    {
        const QString dir = qEnvironmentVariable("K450120_PG_DIR");
        QVERIFY2(OnPostgreSql() && !dir.isEmpty(), "needs the test server (K450120_PG_DIR)");
        auto cluster = [&dir](const char* command) {
            return QProcess::execute(QStringLiteral(K450120_SOURCE_DIR "/scripts/pg-cluster"),
                                     {QString::fromLatin1(command), dir});
        };
        Open(QStringLiteral("2"), QStringLiteral("0201"), QStringLiteral("SHIPNT01"), true);
        const QStringList stored = Format(QStringLiteral("SHIPNT01"));
        F().Lines.LocalItems.Remove(1);
        SettleLocalList(F());
        QCOMPARE(cluster("halt"), 0);
        {
            MessageBoxAnswerer answerer({QMessageBox::Yes});
            F().ComandBtn[16]->click();
            QCOMPARE(answerer.Texts(), (QStringList{QStringLiteral("更新しますか"), kAborted}));
            // A lookup while the server is away finds nothing.
            F().Lis_Hyojun->setCurrentRow(0);
            F().ComandBtn[6]->click();
            QVERIFY(answerer.Texts().contains(QStringLiteral("該当データがありませんでした")));
        }
        QCOMPARE(cluster("resume"), 0);
        QVERIFY(F().Frame[0]->isVisible());
        QCOMPARE(Format(QStringLiteral("SHIPNT01")), stored);  // nothing lost or half-written
        MessageBoxAnswerer answerer({QMessageBox::Yes});
        F().ComandBtn[16]->click();
        QCOMPARE(answerer.Texts(), QStringList{QStringLiteral("更新しますか")});
        QCOMPARE(Rows(QStringLiteral("SELECT COUNT(*) FROM FL1903レコードフォーマット情報マスタ "
                                     "WHERE BPID='SHIPNT01' AND フォーマット種別='L'")),
                 QStringList{QStringLiteral("19")});
    }

};

QTEST_MAIN(TestServerRestart)
#include "test_server_restart.moc"
