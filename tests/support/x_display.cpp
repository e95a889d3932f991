#include "support/x_display.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QThread>

XDisplay::XDisplay()
{
    // A display number of this process's own: servers that pick the first
    // free number themselves race when several tests start at once.
    const int base = 100 + int(QCoreApplication::applicationPid() % 3000) * 3;
    for (int number = base; number < base + 3 && display_.isEmpty(); ++number) {
        const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
        const QString lock = QStringLiteral("/tmp/.X%1-lock").arg(number);
        if (QFile::exists(socket) || QFile::exists(lock))
            continue;
        server_.start(QStringLiteral("Xvfb"),
                      {QStringLiteral(":%1").arg(number), QStringLiteral("-screen"),
                       QStringLiteral("0"), QStringLiteral("1024x768x24"),
                       QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                       // Else the server resets whenever its last client
                       // leaves and refuses one that connects meanwhile.
                       QStringLiteral("-noreset")});
        if (!server_.waitForStarted(5000))
            continue;
        QElapsedTimer timer;
        timer.start();
        // The display is ours only when the lock names our server: another
        // test's server may have taken the same number a moment earlier.
        auto ours = [&] {
            QFile file(lock);
            return file.open(QIODevice::ReadOnly)
                && file.readAll().trimmed().toLongLong() == server_.processId();
        };
        while (!(QFile::exists(socket) && ours()) && server_.state() == QProcess::Running
               && timer.elapsed() < 10000)
            QThread::msleep(50);
        if (server_.state() == QProcess::Running && QFile::exists(socket) && ours()) {
            display_ = QStringLiteral(":%1").arg(number);
        } else {
            server_.kill();
            server_.waitForFinished(2000);
        }
    }
}

XDisplay::~XDisplay()
{
    server_.terminate();
    server_.waitForFinished(3000);
}

QString XDisplay::RunTool(const QString& program, const QStringList& args, int timeoutMs,
                          int* exitCode) const
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    tool.setProcessEnvironment(env);
    tool.start(program, args);
    const bool finished = tool.waitForFinished(timeoutMs);
    if (exitCode)
        *exitCode = finished && tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

QString XDisplay::RunXdotool(const QStringList& args, int timeoutMs) const
{
    return RunTool(QStringLiteral("xdotool"), args, timeoutMs);
}

bool XDisplay::HasWindow(const QString& title) const
{
    const QString pattern = QLatin1Char('^') + title + QLatin1Char('$');
    return !RunXdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                        QStringLiteral("--name"), pattern})
                .isEmpty();
}

bool XDisplay::WaitForWindow(const QString& title, int timeoutMs) const
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        if (HasWindow(title))
            return true;
        QThread::msleep(100);
    }
    return false;
}

void XDisplay::Key(const QString& keys) const
{
    RunXdotool({QStringLiteral("key"), keys});
}

void XDisplay::Type(const QString& text, int delayMs) const
{
    // Enough time for every key and its delay, and some to spare.
    const int timeoutMs = 5000 + int(text.size()) * (delayMs + 50);
    RunXdotool({QStringLiteral("type"), QStringLiteral("--delay"), QString::number(delayMs),
                QStringLiteral("--"), text},
               timeoutMs);
}

void XDisplay::Click(int x, int y, int count) const
{
    RunXdotool({QStringLiteral("mousemove"), QString::number(x), QString::number(y),
                QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(count),
                QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")});
}

QList<QRect> XDisplay::Windows(const QString& title) const
{
    const QString pattern = QLatin1Char('^') + title + QLatin1Char('$');
    const QString ids = RunXdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                    QStringLiteral("--name"), pattern});
    QList<QRect> windows;
    for (const QString& id : ids.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        // --shell prints X=, Y=, WIDTH= and HEIGHT= lines.
        const QString shell = RunXdotool({QStringLiteral("getwindowgeometry"),
                                          QStringLiteral("--shell"), id.trimmed()});
        QHash<QString, int> values;
        for (const QString& line : shell.split(QLatin1Char('\n'))) {
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (eq > 0)
                values.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed().toInt());
        }
        if (values.contains(QStringLiteral("WIDTH")))
            windows.append(QRect(values.value(QStringLiteral("X")), values.value(QStringLiteral("Y")),
                                 values.value(QStringLiteral("WIDTH")),
                                 values.value(QStringLiteral("HEIGHT"))));
    }
    return windows;
}

bool XDisplay::Screenshot(const QString& path) const
{
    int exitCode = -1;
    RunTool(QStringLiteral("import"),
            {QStringLiteral("-display"), display_, QStringLiteral("-window"), QStringLiteral("root"),
             path},
            20000, &exitCode);
    return exitCode == 0;
}
