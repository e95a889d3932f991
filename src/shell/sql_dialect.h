#pragma once
// Where the database engines differ, said in one place.

#include <QString>

class QSqlDatabase;

enum class SqlEngine { SQLite, PostgreSQL, Other };

// The engine behind an open ODBC connection.
SqlEngine EngineOf(const QSqlDatabase& db);

// The clause that locks the rows a SELECT reads until the transaction ends
// (empty where a write transaction locks the whole database anyway).
QString LockClause(SqlEngine engine);

// The statement, run after each connect, that bounds how long one statement
// may take: on PostgreSQL any statement, on SQLite a wait for a lock. Empty
// where the ODBC layer's own defaults apply.
QString StatementTimeoutSql(SqlEngine engine, int seconds);
