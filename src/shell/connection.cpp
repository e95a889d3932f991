#include "shell/connection.h"

#include "shell/sql_identifiers.h"
#include "shell/text.h"

#include <QAtomicInt>
#include <QSqlError>
#include <QSqlRecord>

#include <clocale>
#include <cstring>

namespace {

constexpr int kLoginTimeoutSeconds = 120;

// unixODBC converts text with the process's LC_CTYPE: Japanese statements
// fail under a non-UTF-8 locale.
void EnsureUtf8Ctype()
{
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    const bool utf8 = current
        && (std::strstr(current, "UTF-8") || std::strstr(current, "utf8")
            || std::strstr(current, "UTF8") || std::strstr(current, "utf-8"));
    if (!utf8)
        std::setlocale(LC_CTYPE, "C.UTF-8");
}

SqlError MakeError(const QString& what, const QSqlError& error)
{
    return SqlError((what + QStringLiteral(": ") + error.text()).toStdString());
}

}  // namespace

void ResultSet::MoveNext()
{
    atEnd_ = !(query_ && query_->next());
}

QVariant ResultSet::Value(const QString& column) const
{
    if (!query_ || atEnd_)
        throw SqlError("no current row");
    return query_->value(IndexOf(column));
}

int ResultSet::IndexOf(const QString& column) const
{
    const int index = query_ ? ColumnIndex(query_->record(), column) : -1;
    if (index < 0)
        throw SqlError(("no column " + column).toStdString());
    return index;
}

QVariant ResultSet::Value(int column) const
{
    if (!query_ || atEnd_)
        throw SqlError("no current row");
    return query_->value(column);
}

int ResultSet::ColumnCount() const
{
    return query_ ? query_->record().count() : 0;
}

void ResultSet::Close()
{
    query_.reset();
    atEnd_ = true;
}

int ColumnIndex(const QSqlRecord& record, const QString& name)
{
    const QString wanted = NormalizeIdentifier(name);
    for (int i = 0; i < record.count(); ++i) {
        QString field = record.fieldName(i);
        const qsizetype nul = field.indexOf(QChar(0));
        if (nul >= 0)
            field.truncate(nul);
        // A qualified name (table.column) matches its column part.
        const qsizetype dot = field.lastIndexOf(QLatin1Char('.'));
        if (dot >= 0)
            field = field.mid(dot + 1);
        if (NormalizeIdentifier(field).compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString BuildConnectString(const EnvironmentSettings& s)
{
    return QStringLiteral("DSN=") + TrimBlanks(s.DbString) + QStringLiteral(";UID=")
        + TrimBlanks(s.UserId) + QStringLiteral(";PWD=") + TrimBlanks(s.Password)
        + QStringLiteral(";");
}

Connection::Connection()
{
    static QAtomicInt counter;
    name_ = QStringLiteral("k450120-%1").arg(counter.fetchAndAddRelaxed(1));
}

Connection::~Connection()
{
    CloseDatabaseConnection();
    if (QSqlDatabase::contains(name_))
        QSqlDatabase::removeDatabase(name_);
}

void Connection::OpenDatabaseConnection(const EnvironmentSettings& settings,
                                        const QString& machineName)
{
    EnsureUtf8Ctype();
    ConnectString = BuildConnectString(settings);
    // unixODBC would fall back to a default data source; a site must name one.
    if (TrimBlanks(settings.DbString).isEmpty())
        throw SqlError("no data source name (DBSTRING) configured");
    // The machine name labels the connection like the original's environment.
    name_ += QLatin1Char('@') + machineName;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name_);
    // Qt's ODBC driver puts "DSN=" in front itself.
    db.setDatabaseName(ConnectString.mid(4));
    db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(kLoginTimeoutSeconds));
    if (!Open())
        throw MakeError(QStringLiteral("connect"), db.lastError());
}

bool Connection::Open()
{
    QSqlDatabase db = Database();
    if (!db.open())
        return false;
    engine_ = EngineOf(db);
    if (ApplyStatementTimeout())
        return true;
    db.close();
    return false;
}

bool Connection::ApplyStatementTimeout()
{
    const QString statement = StatementTimeoutSql(engine_, statementTimeout_);
    QSqlQuery query(Database());
    return statement.isEmpty() || query.exec(statement);
}

void Connection::SetStatementTimeout(int seconds)
{
    statementTimeout_ = seconds;
    if (IsOpen() && !ApplyStatementTimeout())
        throw SqlError("cannot set the statement time-out");
}

void Connection::CloseDatabaseConnection()
{
    if (QSqlDatabase::contains(name_)) {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        if (db.isOpen())
            db.close();
    }
}

bool Connection::IsOpen() const
{
    return QSqlDatabase::contains(name_) && QSqlDatabase::database(name_, false).isOpen();
}

QSqlDatabase Connection::Database() const
{
    return QSqlDatabase::database(name_, false);
}

void Connection::SetStatement(const QString& text, const QVariantList& params)
{
    SqlText = text;
    SqlParams = params;
}

QSqlQuery Connection::Run()
{
    try {
        return RunOnce();
    } catch (const SqlError&) {
        if (!Reconnect())
            throw;
    }
    return RunOnce();
}

bool Connection::Reconnect()
{
    if (inTransaction_ || !QSqlDatabase::contains(name_))
        return false;
    QSqlDatabase db = Database();
    {
        QSqlQuery probe(db);
        if (db.isOpen() && probe.exec(QStringLiteral("SELECT 1")))
            return false;  // the connection works
    }
    db.close();
    return Open();
}

QSqlQuery Connection::RunOnce()
{
    QSqlQuery query(Database());
    query.setForwardOnly(true);
    if (!query.prepare(NormalizeSql(SqlText)))
        throw MakeError(SqlText, query.lastError());
    for (const QVariant& value : SqlParams) {
        // Qt SQL binds a null QString (an empty text box) as SQL NULL; the
        // operator's empty text is an empty string. A null variant stays NULL.
        if (value.typeId() == QMetaType::QString && !value.isNull() && value.toString().isNull())
            query.addBindValue(QStringLiteral(""));
        else
            query.addBindValue(value);
    }
    if (!query.exec())
        throw MakeError(SqlText, query.lastError());
    return query;
}

void Connection::OpenReadOnlyResultset(ResultSet& result)
{
    result.Close();
    result.query_ = std::make_unique<QSqlQuery>(Run());
    result.MoveNext();
    ResultStatus = result.AtEnd() ? QStringLiteral("9") : QStringLiteral("0");
}

void Connection::OpenSearchRecordset(ResultSet& result)
{
    OpenReadOnlyResultset(result);
}

void Connection::ExecuteStatement()
{
    Run();
}

void Connection::BeginTrans()
{
    // Nothing of the write has been sent yet, so a connection that broke
    // since its last statement (the server restarted) can be opened again.
    Reconnect();
    if (!Database().transaction())
        throw MakeError(QStringLiteral("begin"), Database().lastError());
    inTransaction_ = true;
}

void Connection::CommitTrans()
{
    inTransaction_ = false;
    if (!Database().commit())
        throw MakeError(QStringLiteral("commit"), Database().lastError());
}

void Connection::RollbackTrans()
{
    inTransaction_ = false;
    const bool rolledBack = Database().rollback();
    const QSqlError error = Database().lastError();
    // The write may have failed because the connection broke (the server
    // drops the transaction with it; psqlODBC still reports the rollback as
    // done): open it again now, running nothing of the write again.
    Reconnect();
    if (!rolledBack)
        throw MakeError(QStringLiteral("rollback"), error);
}
