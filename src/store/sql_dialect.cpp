#include "store/sql_dialect.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>

#include <odbcinst.h>

namespace {

// A key of a section of odbc.ini or odbcinst.ini, looked up as the driver
// manager looks it up when it connects.
QString OdbcProfileValue(const QString& section, const char* key, const char* file)
{
    char value[1024] = {};
    SQLGetPrivateProfileString(section.toUtf8().constData(), key, "", value, sizeof value, file);
    return QString::fromUtf8(value);
}

}  // namespace

SqlEngine EngineOf(const QSqlDatabase& db)
{
    if (!db.isOpen())
        return SqlEngine::Other;
    if (db.driver()->dbmsType() == QSqlDriver::PostgreSQL)
        return SqlEngine::PostgreSQL;
    QSqlQuery probe(db);
    if (probe.exec(QStringLiteral("SELECT sqlite_version()")))
        return SqlEngine::SQLite;
    return SqlEngine::Other;
}

bool PasswordInBraces(const QString& dsn)
{
    QString driver = OdbcProfileValue(dsn, "Driver", "ODBC.INI");
    // The data source names its driver by a section of odbcinst.ini or by its library.
    if (!driver.contains(QLatin1Char('/')))
        driver = OdbcProfileValue(driver, "Driver", "ODBCINST.INI");
    // psqlODBC; it takes the braces off the password only (measured with
    // 13.02: a user or data source name keeps them).
    return QFileInfo(driver).fileName().startsWith(QLatin1String("psqlodbc"));
}

QString LockClause(SqlEngine engine)
{
    return engine == SqlEngine::PostgreSQL ? QStringLiteral(" FOR UPDATE") : QString();
}

QString NonIntegerCondition(SqlEngine engine, const QStringList& columns)
{
    if (engine != SqlEngine::SQLite)
        return QString();
    QStringList tests;
    for (const QString& column : columns)
        tests << QStringLiteral("typeof(%1) NOT IN ('integer','null')").arg(column);
    return tests.join(QStringLiteral(" OR "));
}

QString StatementTimeoutSql(SqlEngine engine, int seconds)
{
    switch (engine) {
    case SqlEngine::PostgreSQL:
        // A session setting rather than the ODBC query time-out: Qt's ODBC
        // driver sets no statement attributes, and the session setting
        // covers every statement, those Qt runs itself included.
        return QStringLiteral("SET statement_timeout = %1").arg(seconds * 1000);
    case SqlEngine::SQLite:
        // Its ODBC driver ignores the query time-out; the busy time-out set
        // here replaces the DSN's "Timeout".
        return QStringLiteral("PRAGMA busy_timeout = %1").arg(seconds * 1000);
    case SqlEngine::Other:
        break;
    }
    return QString();
}
