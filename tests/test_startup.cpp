// The real program started in temporary sites: every fatal start-up failure
// with its message and exit status, and the confirmed exit.

#include "support/temp_site.h"
#include "support/x_display.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <sys/stat.h>

namespace {

const QString kTitle = QStringLiteral("フォーマット情報マスタ保守");

bool OnPostgreSql()
{
    return qEnvironmentVariable("K450120_TEST_ENGINE") == QLatin1String("postgresql");
}

// Replaces a match of the pattern in the site's odbc.ini.
bool EditOdbcIni(const TempSite& site, const QString& pattern, const QString& replacement)
{
    QFile ini(site.OdbcDir() + QStringLiteral("/odbc.ini"));
    if (!ini.open(QIODevice::ReadOnly))
        return false;
    QString text = QString::fromUtf8(ini.readAll());
    ini.close();
    text.replace(QRegularExpression(pattern), replacement);
    return ini.open(QIODevice::WriteOnly | QIODevice::Truncate) && ini.write(text.toUtf8()) > 0;
}

// Puts something else in place of a site file: nothing, a FIFO, a link to a
// device, or the file grown beyond 1 MiB.
bool ReplaceFile(const QString& path, const QString& by)
{
    if (by == QLatin1String("large")) {
        QFile file(path);
        return file.open(QIODevice::Append) && file.write("\r\n;" + QByteArray(1 << 20, 'x')) > 0;
    }
    if (!QFile::remove(path))
        return false;
    if (by == QLatin1String("fifo"))
        return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    return by == QLatin1String("missing") || QFile::link(by, path);
}

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT

private:
    XDisplay x_;

    void Start(QProcess& process, const TempSite& site, const QString& program, const QStringList& args = {})
    {
        QProcessEnvironment env = site.Environment();
        env.insert(QStringLiteral("DISPLAY"), x_.Display());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        process.setProcessEnvironment(env);
        process.start(program, args.isEmpty() ? QStringList{QStringLiteral("OP01")} : args);
    }

    // Waits (generously: the machine may be busy) for the message box of a
    // fatal failure or the end; answers the box with Return, sent again when it
    // came before the box had the keyboard. "box <status>" or "no box <status>"
    // (-1: crashed or killed), the process's errors in errors_.
    QString RunFailing(QProcess& process)
    {
        if (!process.waitForStarted(5000))
            return QStringLiteral("did not start");
        bool sawWindow = false;
        QElapsedTimer clock;
        clock.start();
        while (process.state() != QProcess::NotRunning && clock.elapsed() < 30000 && !(sawWindow = x_.HasWindow(kTitle)))
            process.waitForFinished(200);
        for (int attempt = 0; sawWindow && attempt < 5 && process.state() != QProcess::NotRunning; ++attempt) {
            x_.Key(QStringLiteral("Return"));
            process.waitForFinished(2000);
        }
        if (process.state() != QProcess::NotRunning && !process.waitForFinished(10000)) {
            process.kill();
            process.waitForFinished();
        }
        errors_ = QString::fromUtf8(process.readAllStandardError());
        const int status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return (sawWindow ? QStringLiteral("box %1") : QStringLiteral("no box %1")).arg(status);
    }

    QString errors_;

private slots:
    void initTestCase() { QVERIFY2(x_.Ok(), "Xvfb did not start"); }

    void failures_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QString>("message");
        QTest::newRow("non-numeric colour") << "Setting0" << "TextBackColor" << "white" << "box 2" << "INIﾌｧｲﾙ読込エラー";
        QTest::newRow("missing colour") << "Setting0" << "LabelForeColor" << QString() << "box 2" << "INIﾌｧｲﾙ読込エラー";
        QTest::newRow("MINIMAIZE out of range") << "K450310" << "MINIMAIZE" << "40000" << "box 2" << "INIﾌｧｲﾙ読込エラー";
        QTest::newRow("unknown DSN") << "動作環境" << "DBSTRING" << "NO_SUCH_DSN" << "box 3" << "接続エラー";
        QTest::newRow("empty TextFontBold") << "Setting0" << "TextFontBold" << "" << "box 4" << "項目設定エラー";
        QTest::newRow("empty TextFontName") << "Setting0" << "TextFontName" << "" << "box 4" << "項目設定エラー";
        QTest::newRow("empty LabelFontName") << "Setting0" << "LabelFontName" << "" << "box 4" << "項目設定エラー";
        QTest::newRow("empty FormBackColor") << "Setting0" << "FormBackColor" << "" << "box 4" << "項目設定エラー";
        QTest::newRow("font size not a number") << "Setting0" << "LabelFontSize" << "big" << "box 4" << "項目設定エラー";
        QTest::newRow("font size infinite") << "Setting0" << "TextFontSize" << "inf" << "box 4" << "項目設定エラー";
        QTest::newRow("flag neither 0 nor 1") << "Setting0" << "LabelFontBold" << "2" << "box 4" << "項目設定エラー";
        // Without EDI.ini the connection is what fails; an EDI.ini that cannot be read is refused.
        QTest::newRow("EDI.ini missing") << "EDI.ini" << "missing" << "" << "box 3" << "接続エラー";
        QTest::newRow("EDI.ini over 1 MiB") << "EDI.ini" << "large" << "" << "box 2" << "INIﾌｧｲﾙ読込エラー";
        QTest::newRow("EDI.ini a FIFO") << "EDI.ini" << "fifo" << "" << "box 2" << "INIﾌｧｲﾙ読込エラー";
        // What can go wrong with the database depends on the engine: a file, or a server.
        if (OnPostgreSql()) {
            QTest::newRow("wrong password") << "動作環境" << "PASSWD" << "wrong" << "box 3" << "接続エラー";
            QTest::newRow("no server at the port") << "odbc.ini" << "Port=\\d+" << "Port=1" << "box 3" << "接続エラー";
        } else {
            QTest::newRow("database folder missing") << "odbc.ini" << "/data/k450120.db" << "/no/such/k450120.db"
                                                     << "box 3" << "接続エラー";
        }
        // No value of EDI.ini adds attributes of its own to the connect string.
        if (OnPostgreSql()) {
            QTest::newRow("password adding a database") << "動作環境" << "PASSWD"
                << qEnvironmentVariable("K450120_PG_PASSWORD") + QStringLiteral(";Database=postgres") << "box 3" << "接続エラー";
        } else {
            QTest::newRow("password adding a database") << "動作環境" << "PASSWD" << "edi;Database=:memory:" << "box 3" << "接続エラー";
            QTest::newRow("DSN naming a driver") << "動作環境" << "DBSTRING" << "DRIVER=SQLite3" << "box 3" << "接続エラー";
        }
        // No readable information-category file: status 5 without any message, the reason on stderr.
        QTest::newRow("category file missing") << "JOHOKUBUN" << "missing" << "" << "no box 5" << "does not exist";
        QTest::newRow("category file a FIFO") << "JOHOKUBUN" << "fifo" << "" << "no box 5" << "not a regular file";
        QTest::newRow("category file /dev/zero") << "JOHOKUBUN" << "/dev/zero" << "" << "no box 5"
                                                 << "not a regular file";
        QTest::newRow("category file over 1 MiB") << "JOHOKUBUN" << "large" << "" << "no box 5" << "larger than";
    }

    void failures()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, outcome);
        QFETCH(QString, message);
        TempSite site;
        QVERIFY2(site.Ok(), qPrintable(site.Error()));
        if (section == QLatin1String("EDI.ini"))
            QVERIFY(ReplaceFile(site.IniPath(), key));
        else if (section == QLatin1String("JOHOKUBUN"))
            QVERIFY(ReplaceFile(site.CategoryFile(), key));
        else if (section == QLatin1String("odbc.ini"))
            QVERIFY(EditOdbcIni(site, key, value));
        else
            site.SetIniValue(section, key, value);
        QProcess process;
        Start(process, site, site.Program());
        const QString result = RunFailing(process);
        QVERIFY2(result == outcome, qPrintable(result + QStringLiteral(", errors: ") + errors_));
        QVERIFY2(errors_.contains(message), qPrintable(errors_));
        QVERIFY(!x_.HasWindow(kTitle));
    }

    void programFolderWithoutTwoLevelsAbove()
    {
        // The program must sit in a folder directly below the root.
        QTemporaryDir top(QStringLiteral("/k450120-test-XXXXXX"));
        if (!top.isValid())
            QSKIP("cannot create a folder below the root");
        TempSite site;
        QVERIFY2(site.Ok(), qPrintable(site.Error()));
        const QString program = top.path() + QStringLiteral("/k450120");
        QVERIFY(QFile::copy(site.Program(), program));
        QFile::setPermissions(program, QFile::permissions(site.Program()));
        QProcess process;
        Start(process, site, program);
        QCOMPARE(RunFailing(process), QStringLiteral("box 2"));
        QVERIFY2(errors_.contains(QStringLiteral("INIﾌｧｲﾙ読込エラー")), qPrintable(errors_));
    }

    void commandLineThatIsNotText()
    {
        TempSite site;
        QVERIFY2(site.Ok(), qPrintable(site.Error()));
        // An argument that is not UTF-8 cannot be an operator code.
        QProcess process;
        Start(process, site, QStringLiteral("/bin/sh"),
              {QStringLiteral("-c"), QStringLiteral("exec \"$0\" \"$(printf 'OP\\377')\""), site.Program()});
        QCOMPARE(RunFailing(process), QStringLiteral("box 6"));
        QVERIFY2(errors_.contains(QStringLiteral("オペレータ入力エラー")), qPrintable(errors_));
    }

    void confirmedExitEndsWithStatusZero()
    {
        TempSite site;
        QVERIFY2(site.Ok(), qPrintable(site.Error()));
        QProcess process;
        Start(process, site, site.Program());
        QVERIFY(x_.WaitForWindow(kTitle, 30000));
        QTest::qWait(300);
        // Esc on processing-category entry asks to end; No keeps the program.
        x_.Key(QStringLiteral("Escape"));
        QTest::qWait(500);
        x_.Key(QStringLiteral("alt+n"));
        QVERIFY(!process.waitForFinished(1000));
        QCOMPARE(process.state(), QProcess::Running);
        x_.Key(QStringLiteral("Escape"));
        QTest::qWait(500);
        x_.Key(QStringLiteral("alt+y"));
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
