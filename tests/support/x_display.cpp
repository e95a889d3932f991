#include "support/x_display.h"

#include <QElapsedTimer>
#include <QThread>

XDisplay::XDisplay()
{
    server_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                           QStringLiteral("-screen"), QStringLiteral("0"),
                                           QStringLiteral("1024x768x24"),
                                           QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!server_.waitForStarted(5000))
        return;
    QElapsedTimer timer;
    timer.start();
    QByteArray out;
    while (!out.contains('\n') && timer.elapsed() < 10000) {
        server_.waitForReadyRead(500);
        out += server_.readAllStandardOutput();
    }
    const QByteArray number = out.trimmed();
    if (!number.isEmpty())
        display_ = QStringLiteral(":") + QString::fromLatin1(number);
}

XDisplay::~XDisplay()
{
    server_.terminate();
    server_.waitForFinished(3000);
}

QString XDisplay::RunXdotool(const QStringList& args) const
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral("xdotool"), args);
    tool.waitForFinished(5000);
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
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
