#include "support/temp_site.h"

#include "core/shift_jis.h"

#include <QFile>
#include <QProcess>

TempSite::TempSite()
{
    // K450120_TEST_ENGINE=postgresql makes the site on the test server (K450120_PG_*) instead of a SQLite file.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("K450120_ENGINE"), env.value(QStringLiteral("K450120_TEST_ENGINE"), QStringLiteral("sqlite")));
    QProcess make;
    make.setProcessEnvironment(env);
    make.start(QStringLiteral(K450120_SOURCE_DIR "/site/make-site"), {dir_.path(), QStringLiteral(K450120_BUILD_DIR)});
    if (!dir_.isValid() || !make.waitForFinished(60000) || make.exitStatus() != QProcess::NormalExit || make.exitCode() != 0)
        error_ = QStringLiteral("make-site failed: ") + QString::fromLocal8Bit(make.readAllStandardError());
}

void TempSite::SetIniValue(const QString& section, const QString& key, const QString& value)
{
    QFile file(IniPath());
    QStringList lines = file.open(QIODevice::ReadOnly) ? FromAnsi(file.readAll()).split(QLatin1Char('\n')) : QStringList();
    file.close();
    // The key's line goes; the new one follows the section's header.
    qsizetype header = -1;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inSection = line == QLatin1Char('[') + section + QLatin1Char(']');
        if (inSection && header < 0)
            header = i;
        else if (inSection && line.section(QLatin1Char('='), 0, 0).trimmed() == key)
            lines.removeAt(i--);
    }
    if (header < 0) {
        header = lines.size();
        lines << QLatin1Char('[') + section + QLatin1Char(']');
    }
    if (!value.isNull())
        lines.insert(header + 1, key + QLatin1Char('=') + value);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(ToAnsi(lines.join(QLatin1Char('\n'))));
}
