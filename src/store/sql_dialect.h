#pragma once
// Where the database engines differ, said in one place.

#include <QString>
#include <QStringList>

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

// A condition true for a row whose named integer columns hold anything but
// a whole number or NULL (SQLite keeps whatever was written; its driver hands
// such a value over as another number or NULL). Empty where the engine's
// integer columns hold nothing else.
QString NonIntegerCondition(SqlEngine engine, const QStringList& columns);

// The statement, run after each connect, that bounds how long one statement
// may take: on PostgreSQL any statement, on SQLite a wait for a lock. Empty
// where the ODBC layer's own defaults apply.
QString StatementTimeoutSql(SqlEngine engine, int seconds);
