#pragma once
// The one database connection of a run, the statement to run next (SqlText,
// with its bound values) and the outcome of the last open (ResultStatus).

#include "core/ports.h"
#include "store/config.h"
#include "store/sql_dialect.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <memory>
#include <optional>
#include <stdexcept>

class SqlError : public StoreError {
public:
    using StoreError::StoreError;
};

// A result set opened by one of the Open routines; the caller reads it and
// closes it. Columns are read by name.
class ResultSet {
public:
    bool AtEnd() const { return atEnd_; }
    void MoveNext();
    // The column of the current row, found by name (case-insensitive, either
    // writing of katakana and digits); throws SqlError for an unknown column.
    QVariant Value(const QString& column) const;
    QVariant Value(int column) const;
    // The index of a column found by name as above; throws SqlError when absent.
    int IndexOf(const QString& column) const;
    int ColumnCount() const;
    void Close();

private:
    friend class Connection;
    std::unique_ptr<QSqlQuery> query_;
    bool atEnd_ = true;
};

// Index of a column in a record by name: the driver's name is cut at a NUL
// (the SQLite ODBC driver leaves garbage behind it), both names are
// normalised and compared case-insensitively. -1 when absent.
int ColumnIndex(const QSqlRecord& record, const QString& name);

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    QString ConnectString;
    // The statement to run next; values of the operator are '?' placeholders
    // bound from SqlParams, never pasted into the text.
    QString SqlText;
    QVariantList SqlParams;
    // "9" after an open without rows, "0" after one with rows.
    QString ResultStatus;

    // Builds ConnectString and opens the connection; throws SqlError.
    void OpenDatabaseConnection(const EnvironmentSettings& settings, const QString& machineName);
    void CloseDatabaseConnection();
    bool IsOpen() const;

    // Sets SqlText and its bound values in one step.
    void SetStatement(const QString& text, const QVariantList& params = {});

    void OpenReadOnlyResultset(ResultSet& result);
    // The grid data of the code search; same data source and credentials.
    void OpenSearchRecordset(ResultSet& result);
    void ExecuteStatement();

    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();

    // How long one statement may run (on SQLite: wait for a lock), now and
    // after every reconnect; 300 seconds unless changed. Throws SqlError.
    void SetStatementTimeout(int seconds);

    QSqlDatabase Database() const;
    // The engine behind the connection (known once it is open).
    SqlEngine Engine() const { return engine_; }

private:
    // Runs SqlText, once more after a reconnect; throws SqlError, reported.
    // With keep, the statement kept prepared by the last run of the same
    // text is run again.
    QSqlQuery Run(bool keep = false);
    // The query, failed when its lastError() is valid.
    QSqlQuery RunOnce(bool keep);
    // Opens the connection with the statement time-out; false when that fails.
    bool Open();
    // The error of setting the time-out; not valid when it is set.
    QSqlError ApplyStatementTimeout();
    // When the connection itself is broken (the server restarted), opens it
    // again; never inside a transaction, whose statements are lost with the
    // connection. True when reopened.
    bool Reconnect();
    QString name_;
    std::optional<QSqlQuery> kept_;
    QString keptText_;
    bool inTransaction_ = false;
    SqlEngine engine_ = SqlEngine::Other;
    int statementTimeout_ = 300;
};

// "DSN=" + dsn + ";UID=" + user + ";PWD=" + password + ";", each value trimmed of blanks.
QString BuildConnectString(const EnvironmentSettings& settings);

// One line on standard error for a database failure that the screen turns
// into a message of its own or an empty result: what failed, and why.
void ReportDatabaseError(const QString& what, const QString& reason);
