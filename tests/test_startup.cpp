// The real program started in temporary sites: every fatal start-up failure
// with its message and exit status, and the confirmed exit.

#include "support/temp_site.h"
#include "support/x_display.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString kTitle = QStringLiteral("フォーマット情報マスタ保守");

struct Run {
    int exitCode = -1;
    QString stderrText;
    bool sawWindow = false;
};

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT

private:
    XDisplay x_;

    QProcessEnvironment Env(const TempSite& site) const
    {
        QProcessEnvironment env = site.Environment();
        env.insert(QStringLiteral("DISPLAY"), x_.Display());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        return env;
    }

    // Answers the message box with Return; a key that came before the box
    // had the keyboard (a slow start) is sent again.
    void Dismiss(QProcess& process)
    {
        for (int attempt = 0; attempt < 5; ++attempt) {
            x_.Key(QStringLiteral("Return"));
            if (process.waitForFinished(2000))
                return;
        }
    }

    // Starts the program; when a window appears it answers it with Return
    // (the message box of a fatal failure); returns how the process ended.
    Run RunFailing(const TempSite& site, const QString& program, const QStringList& args = {
                       QStringLiteral("OP01")})
    {
        QProcess process;
        process.setProcessEnvironment(Env(site));
        process.start(program, args);
        Run run;
        if (!process.waitForStarted(5000))
            return run;
        // Generous: the machine may be busy with other tests.
        run.sawWindow = x_.WaitForWindow(kTitle, 30000);
        if (run.sawWindow)
            Dismiss(process);
        if (process.state() != QProcess::NotRunning && !process.waitForFinished(10000)) {
            process.kill();
            process.waitForFinished();
        }
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.stderrText = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(x_.Ok(), "Xvfb did not start");
    }

    void failures_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("status");
        QTest::newRow("non-numeric colour") << "Setting0" << "TextBackColor" << "white"
                                            << "INIﾌｧｲﾙ読込エラー" << 2;
        QTest::newRow("missing colour") << "Setting0" << "LabelForeColor" << QString()
                                        << "INIﾌｧｲﾙ読込エラー" << 2;
        QTest::newRow("MINIMAIZE out of range") << "K450310" << "MINIMAIZE" << "40000"
                                                << "INIﾌｧｲﾙ読込エラー" << 2;
        QTest::newRow("unknown DSN") << "動作環境" << "DBSTRING" << "NO_SUCH_DSN"
                                     << "接続エラー" << 3;
        QTest::newRow("empty TextFontBold") << "Setting0" << "TextFontBold" << ""
                                            << "項目設定エラー" << 4;
        QTest::newRow("empty FormBackColor") << "Setting0" << "FormBackColor" << ""
                                             << "項目設定エラー" << 4;
        QTest::newRow("font size not a number") << "Setting0" << "LabelFontSize" << "big"
                                                << "項目設定エラー" << 4;
    }

    void failures()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, message);
        QFETCH(int, status);
        TempSite site;
        QVERIFY2(site.Ok(), qPrintable(site.Error()));
        site.SetIniValue(section, key, value);
        const Run run = RunFailing(site, site.Program());
        QVERIFY2(run.sawWindow, qPrintable(QStringLiteral("status %1: %2").arg(run.exitCode).arg(run.stderrText)));
        QCOMPARE(run.exitCode, status);
        QVERIFY2(run.stderrText.contains(message), qPrintable(run.stderrText));
    }

    void missingIniFallsThroughToConnectionError()
    {
        TempSite site;
        QVERIFY2(site.Ok(), qPrintable(site.Error()));
        QVERIFY(QFile::remove(site.IniPath()));
        const Run run = RunFailing(site, site.Program());
        QVERIFY2(run.sawWindow, qPrintable(QStringLiteral("status %1: %2").arg(run.exitCode).arg(run.stderrText)));
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.stderrText.contains(QStringLiteral("接続エラー")), qPrintable(run.stderrText));
    }

    void databaseRefusesTheConnection_data()
    {
        // What can go wrong depends on the engine: a file, or a server.
        QTest::addColumn<QByteArray>("odbcFrom");
        QTest::addColumn<QByteArray>("odbcTo");
        QTest::addColumn<QString>("password");
        if (qEnvironmentVariable("K450120_TEST_ENGINE") == QLatin1String("postgresql")) {
            QTest::newRow("wrong password") << QByteArray() << QByteArray() << "wrong";
            QTest::newRow("no server at the port") << QByteArray("Port=") << QByteArray("Port=1") << "";
        } else {
            QTest::newRow("database folder missing") << QByteArray("/data/k450120.db")
                                                     << QByteArray("/no/such/folder/k450120.db") << "";
        }
    }

    void databaseRefusesTheConnection()
    {
        QFETCH(QByteArray, odbcFrom);
        QFETCH(QByteArray, odbcTo);
        QFETCH(QString, password);
        TempSite site;
        QVERIFY2(site.Ok(), qPrintable(site.Error()));
        if (!password.isEmpty())
            site.SetIniValue(QStringLiteral("動作環境"), QStringLiteral("PASSWD"), password);
        if (!odbcFrom.isEmpty()) {
            QFile ini(site.OdbcDir() + QStringLiteral("/odbc.ini"));
            QVERIFY(ini.open(QIODevice::ReadOnly));
            QByteArray text = ini.readAll();
            ini.close();
            // Port=NNNNN becomes Port=1; a path is replaced as a whole.
            if (odbcFrom == "Port=")
                text.replace(QRegularExpression(QStringLiteral("Port=\\d+")).match(QString::fromUtf8(text)).captured(0).toUtf8(), odbcTo);
            else
                text.replace(odbcFrom, odbcTo);
            QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
            ini.write(text);
            ini.close();
        }
        const Run run = RunFailing(site, site.Program());
        QVERIFY2(run.sawWindow, qPrintable(QStringLiteral("status %1: %2").arg(run.exitCode).arg(run.stderrText)));
        QCOMPARE(run.exitCode, 3);
        QVERIFY(run.stderrText.contains(QStringLiteral("接続エラー")));
    }

    void missingCategoryFileEndsSilently()
    {
        TempSite site;
        QVERIFY2(site.Ok(), qPrintable(site.Error()));
        QVERIFY(QFile::remove(site.CategoryFile()));
        QProcess process;
        process.setProcessEnvironment(Env(site));
        process.start(site.Program(), {QStringLiteral("OP01")});
        QVERIFY(process.waitForFinished(15000));
        QCOMPARE(process.exitCode(), 5);
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
        const Run run = RunFailing(site, program);
        QVERIFY2(run.sawWindow, qPrintable(QStringLiteral("status %1: %2").arg(run.exitCode).arg(run.stderrText)));
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.stderrText.contains(QStringLiteral("INIﾌｧｲﾙ読込エラー")));
    }

    void commandLineThatIsNotText()
    {
        TempSite site;
        QVERIFY2(site.Ok(), qPrintable(site.Error()));
        QProcess process;
        process.setProcessEnvironment(Env(site));
        // An argument that is not UTF-8 cannot be an operator code.
        process.setProgram(QStringLiteral("/bin/sh"));
        process.setArguments({QStringLiteral("-c"),
                              QStringLiteral("exec \"$0\" \"$(printf 'OP\\377')\""),
                              site.Program()});
        process.start();
        QVERIFY(x_.WaitForWindow(kTitle, 8000));
        Dismiss(process);
        QVERIFY(process.state() == QProcess::NotRunning || process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 6);
        QVERIFY(QString::fromUtf8(process.readAllStandardError())
                    .contains(QStringLiteral("オペレータ入力エラー")));
    }

    void confirmedExitEndsWithStatusZero()
    {
        TempSite site;
        QVERIFY2(site.Ok(), qPrintable(site.Error()));
        QProcess process;
        process.setProcessEnvironment(Env(site));
        process.start(site.Program(), {QStringLiteral("OP01")});
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
