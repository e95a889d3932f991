#include "shell/sql_dialect.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>

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

QString LockClause(SqlEngine engine)
{
    return engine == SqlEngine::PostgreSQL ? QStringLiteral(" FOR UPDATE") : QString();
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
