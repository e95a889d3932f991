#pragma once
// A complete site in a temporary folder, made by site/make-site, with helpers to change its EDI.ini and to run
// the real program in it.

#include "store/config.h"

#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

class TempSite {
public:
    TempSite();
    bool Ok() const { return error_.isEmpty(); }
    QString Error() const { return error_; }
    QString Root() const { return dir_.path(); }
    QString ProgramFolder() const { return Root() + QStringLiteral("/PGM/BIN"); }
    QString Program() const { return ProgramFolder() + QStringLiteral("/k450120"); }
    QString OdbcDir() const { return Root() + QStringLiteral("/odbc"); }
    QString IniPath() const { return Root() + QStringLiteral("/EDI.ini"); }
    QString CategoryFile() const { return Root() + QStringLiteral("/data/JOHOKUBUN.TXT"); }
    // Sets a key of EDI.ini (CP932); a null value removes the key's line.
    void SetIniValue(const QString& section, const QString& key, const QString& value);
    // Makes this process's ODBC layer read the site's configuration.
    void UseOdbcConfiguration() const { qputenv("ODBCSYSINI", OdbcDir().toLocal8Bit()); }
    QProcessEnvironment Environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ODBCSYSINI"), OdbcDir());
        return env;
    }
    // The logon values of the site's EDI.ini.
    EnvironmentSettings Settings() const { return ReadEnvironmentSettings(ProgramFolder()); }

private:
    QTemporaryDir dir_;
    QString error_;
};
