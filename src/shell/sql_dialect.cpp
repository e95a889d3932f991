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
