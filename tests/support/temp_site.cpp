#include "support/temp_site.h"

#include "core/shift_jis.h"

#include <QFile>
#include <QProcess>

TempSite::TempSite()
{
    if (!dir_.isValid()) {
        error_ = QStringLiteral("no temporary folder");
        return;
    }
    // K450120_TEST_ENGINE=postgresql makes the site on the test server
    // (K450120_PG_* of the environment) instead of an embedded SQLite file.
    QProcess make;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("K450120_ENGINE"),
               env.value(QStringLiteral("K450120_TEST_ENGINE"), QStringLiteral("sqlite")));
    make.setProcessEnvironment(env);
    make.start(QStringLiteral(K450120_SOURCE_DIR "/site/make-site"),
               {dir_.path(), QStringLiteral(K450120_BUILD_DIR)});
    if (!make.waitForFinished(60000) || make.exitStatus() != QProcess::NormalExit
        || make.exitCode() != 0)
        error_ = QStringLiteral("make-site failed: ") + QString::fromLocal8Bit(make.readAllStandardError());
}

void TempSite::SetIniValue(const QString& section, const QString& key, const QString& value)
{
    QFile file(IniPath());
    QStringList lines;
    if (file.open(QIODevice::ReadOnly)) {
        lines = FromAnsi(file.readAll()).split(QLatin1Char('\n'));
        file.close();
    }
    QString current;
    bool done = false;
    for (int i = 0; i < lines.size() && !done; ++i) {
        const QString line = lines[i].trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            if (current == section) {
                if (!value.isNull())
                    lines.insert(i, key + QLatin1Char('=') + value);
                done = true;
            }
            current = line.mid(1, line.indexOf(QLatin1Char(']')) - 1);
        } else if (current == section && line.section(QLatin1Char('='), 0, 0).trimmed() == key) {
            if (value.isNull())
                lines.removeAt(i);
            else
                lines[i] = key + QLatin1Char('=') + value;
            done = true;
        }
    }
    if (!done && !value.isNull()) {
        if (current != section)
            lines << QLatin1Char('[') + section + QLatin1Char(']');
        lines << key + QLatin1Char('=') + value;
    }
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(ToAnsi(lines.join(QLatin1Char('\n'))));
}

void TempSite::UseOdbcConfiguration() const
{
    qputenv("ODBCSYSINI", OdbcDir().toLocal8Bit());
}

QProcessEnvironment TempSite::Environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ODBCSYSINI"), OdbcDir());
    return env;
}

EnvironmentSettings TempSite::Settings() const
{
    return ReadEnvironmentSettings(ProgramFolder());
}
