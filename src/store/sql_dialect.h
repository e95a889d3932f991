#pragma once
// Where the database engines differ, said in one place.

#include <QString>

class QSqlDatabase;

enum class SqlEngine { SQLite, PostgreSQL, Other };

// The engine behind an open ODBC connection.
SqlEngine EngineOf(const QSqlDatabase& db);

// Whether the ODBC driver of a data source, as the ODBC configuration names
// it, takes a connect-string password in braces ("{p;w}}d}") as one value;
// others (the SQLite one) split at every ";". Known before connecting.
bool PasswordInBraces(const QString& dsn);

// The clause that locks the rows a SELECT reads until the transaction ends
// (empty where a write transaction locks the whole database anyway).
QString LockClause(SqlEngine engine);

// The statement, run after each connect, that bounds how long one statement
// may take: on PostgreSQL any statement, on SQLite a wait for a lock. Empty
// where the ODBC layer's own defaults apply.
QString StatementTimeoutSql(SqlEngine engine, int seconds);
