#pragma once
// A private X server (Xvfb) for running programs as an operator would, with
// xdotool for the operator's keys and mouse.

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTest>

#include <csignal>
#include <sys/prctl.h>

class XDisplay {
public:
    // Displays 140 to 159 are this suite's; a number is ours when its lock names our server (a live server there
    // makes ours end, a stale lock it takes over). The server ends with this process, however that ends;
    // -noreset: else it resets whenever its last client leaves.
    XDisplay()
    {
        server_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        for (int number = 140; number < 160; ++number) {
            const QString lock = QStringLiteral("/tmp/.X%1-lock").arg(number), socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
            server_.start(QStringLiteral("Xvfb"), {QStringLiteral(":%1").arg(number), QStringLiteral("-screen"), QStringLiteral("0"),
                                                   QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                                   QStringLiteral("-noreset")});
            auto ours = [&] {
                QFile file(lock);
                return QFile::exists(socket) && file.open(QIODevice::ReadOnly)
                    && file.readAll().trimmed().toLongLong() == server_.processId();
            };
            if (server_.waitForStarted(5000) && QTest::qWaitFor([&] { return ours() || server_.state() != QProcess::Running; }, 10000)
                && ours()) {
                display_ = QStringLiteral(":%1").arg(number);
                break;
            }
            server_.kill();
            server_.waitForFinished(2000);
        }
    }
    ~XDisplay()
    {
        server_.terminate();
        server_.waitForFinished(3000);
    }
    bool Ok() const { return !display_.isEmpty(); }
    QString Display() const { return display_; }
    // Starts a program on this display.
    void Launch(QProcess& process, QProcessEnvironment env, const QString& program, const QStringList& args = {"OP01"}) const
    {
        env.insert(QStringLiteral("DISPLAY"), display_);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        process.setProcessEnvironment(env);
        process.start(program, args);
    }
    QString Focus() const { return Run({"getwindowfocus"}); }  // the window with the keyboard
    // Waits until a visible window of that exact title other than `except` has the keyboard; its id, or empty.
    QString WaitForFocus(const QString& title, const QString& except = {}) const
    {
        const QStringList search{"search", "--onlyvisible", "--name", QLatin1Char('^') + title + QLatin1Char('$')};
        QString focus;
        const auto windows = [&] { return Run(search).split(QLatin1Char('\n'), Qt::SkipEmptyParts); };
        const bool found = QTest::qWaitFor([&] { return (focus = Focus()) != except && windows().contains(focus); }, 15000);
        return found ? focus : QString();
    }
    // Keys in xdotool's notation, blank-separated ("Return alt+y"); ASCII text; clicks at a point of a window.
    void Key(const QString& keys) const { Run(QStringList{"key", "--delay", "20"} + keys.split(QLatin1Char(' '))); }
    void Type(const QString& text) const { Run({"type", "--", text}); }
    void Click(const QString& window, QPoint at, int count = 1) const
    {
        Run({"mousemove", "--window", window, QString::number(at.x()), QString::number(at.y()), "click", "--repeat",
             QString::number(count), "--delay", "80", "1"});
    }
    // Saves the whole screen as an image (PNG by the name).
    void Screenshot(const QString& path) const { Run({"-display", display_, "-window", "root", path}, "import"); }

private:
    QString Run(const QStringList& args, const QString& program = "xdotool") const
    {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        tool.setProcessEnvironment(env);
        tool.start(program, args);
        const bool ok = tool.waitForFinished(30000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
        return ok ? QString::fromUtf8(tool.readAllStandardOutput()).trimmed() : QString();
    }
    QProcess server_;
    QString display_;
};
