#include "store/connection.h"

#include "core/text.h"
#include "store/sql_identifiers.h"

#include <QAtomicInt>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <langinfo.h>
#include <utility>

namespace {

constexpr int kLoginTimeoutSeconds = 120;

// unixODBC converts text with the process's LC_CTYPE: Japanese statements
// fail under a non-UTF-8 locale.
void EnsureUtf8Ctype()
{
    // The code set's canonical name, however the locale spells it.
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");
}

SqlError MakeError(const QString& what, const QString& reason)
{
    return SqlError((what + QStringLiteral(": ") + reason).toStdString());
}

// Callers turn the error into a message of their own or an empty result, so
// the reason also goes to standard error.
SqlError ReportedError(const QString& what, const QString& reason)
{
    ReportDatabaseError(what, reason);
    return MakeError(what, reason);
}

// Hands the logon values to Qt's ODBC driver so that none of them can add
// attributes to the connect string it builds: the password in braces where
// the driver takes them off, a value holding ";", "{" or "}" refused where
// it would not.
void SetLogon(QSqlDatabase& db, const EnvironmentSettings& s)
{
    const QString dsn = TrimBlanks(s.DbString);
    const QString user = TrimBlanks(s.UserId);
    QString password = TrimBlanks(s.Password);
    const bool braced = PasswordInBraces(dsn);
    const QRegularExpression separators(QStringLiteral("[;{}]"));
    const std::pair<const char*, QString> values[] = {
        {"DBSTRING", dsn}, {"USERID", user}, {"PASSWD", braced ? QString() : password}};
    for (const auto& [key, value] : values) {
        if (value.contains(separators))
            throw SqlError(std::string(key) + " holds \";\", \"{\" or \"}\", which the data source's"
                                              " ODBC driver would split into further attributes");
    }
    // Qt's ODBC driver opens a name holding ".dsn" as a file DSN, and puts
    // "DSN=" in front only of a name without "DRIVER=" or "SERVER=".
    if (dsn.contains(QLatin1String(".dsn"), Qt::CaseInsensitive))
        throw SqlError("DBSTRING holds \".dsn\", which would name a file DSN");
    const bool verbatim = dsn.contains(QLatin1String("DRIVER="), Qt::CaseInsensitive)
        || dsn.contains(QLatin1String("SERVER="), Qt::CaseInsensitive);
    db.setDatabaseName(verbatim ? QStringLiteral("DSN=") + dsn : dsn);
    // Appended as ";UID=" and ";PWD=" without any check of their content.
    db.setUserName(user);
    db.setPassword(braced ? QLatin1Char('{') + password.replace(QLatin1Char('}'), QStringLiteral("}}")) + QLatin1Char('}')
                          : password);
}

}  // namespace

void ReportDatabaseError(const QString& what, const QString& reason)
{
    const QString line = QStringLiteral("k450120: ") + what + QStringLiteral(": ") + reason;
    std::fprintf(stderr, "%s\n", line.simplified().toUtf8().constData());
    std::fflush(stderr);
}

void ResultSet::MoveNext()
{
    atEnd_ = !(query_ && query_->next());
}

QVariant ResultSet::Value(const QString& column) const
{
    if (!query_ || atEnd_)
        throw ReportedError(column, QStringLiteral("no current row"));
    return query_->value(IndexOf(column));
}

int ResultSet::IndexOf(const QString& column) const
{
    const int index = query_ ? ColumnIndex(query_->record(), column) : -1;
    if (index < 0)
        throw ReportedError(column, QStringLiteral("no such column"));
    return index;
}

QVariant ResultSet::Value(int column) const
{
    if (!query_ || atEnd_)
        throw ReportedError(QStringLiteral("column %1").arg(column), QStringLiteral("no current row"));
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
    SetLogon(db, settings);
    db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(kLoginTimeoutSeconds));
    if (!Open())
        throw MakeError(QStringLiteral("connect"), db.lastError().text());
}

bool Connection::Open()
{
    QSqlDatabase db = Database();
    if (!db.open())
        return false;
    engine_ = EngineOf(db);
    if (!ApplyStatementTimeout().isValid())
        return true;
    db.close();
    return false;
}

QSqlError Connection::ApplyStatementTimeout()
{
    const QString statement = StatementTimeoutSql(engine_, statementTimeout_);
    QSqlQuery query(Database());
    if (!statement.isEmpty())
        query.exec(statement);
    return query.lastError();
}

void Connection::SetStatementTimeout(int seconds)
{
    statementTimeout_ = seconds;
    if (!IsOpen())
        return;
    const QSqlError error = ApplyStatementTimeout();
    if (error.isValid())
        throw ReportedError(QStringLiteral("statement time-out"), error.text());
}

void Connection::CloseDatabaseConnection()
{
    kept_.reset();
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

QSqlQuery Connection::Run(bool keep)
{
    // A connection that a failed reconnect left closed prepares nothing and
    // reports no error: it is reopened first (the server may be back).
    if (!IsOpen())
        Reconnect();
    QSqlQuery query = RunOnce(keep);
    if (query.lastError().isValid() && Reconnect())
        query = RunOnce(keep);
    if (query.lastError().isValid())
        throw ReportedError(SqlText, query.lastError().text());
    if (!query.isActive())
        throw ReportedError(SqlText, QStringLiteral("the connection is closed"));
    return query;
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
    kept_.reset();
    db.close();
    return Open();
}

QSqlQuery Connection::RunOnce(bool keep)
{
    // The rows of a write run one statement again and again: it is prepared
    // once and kept (by ExecuteStatement) until another statement comes.
    const bool again = keep && kept_ && keptText_ == SqlText;
    QSqlQuery query = again ? std::move(*kept_) : QSqlQuery(Database());
    kept_.reset();
    if (!again) {
        query.setForwardOnly(true);
        if (!query.prepare(NormalizeSql(SqlText)))
            return query;
    }
    for (int i = 0; i < SqlParams.size(); ++i) {
        const QVariant& value = SqlParams[i];
        // Qt SQL binds a null QString (an empty text box) as SQL NULL; the
        // operator's empty text is an empty string. A null variant stays NULL.
        if (value.typeId() == QMetaType::QString && !value.isNull() && value.toString().isNull())
            query.bindValue(i, QStringLiteral(""));
        else
            query.bindValue(i, value);
    }
    query.exec();
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
    QSqlQuery query = Run(true);
    query.finish();
    kept_.emplace(std::move(query));
    keptText_ = SqlText;
}

void Connection::BeginTrans()
{
    // Nothing of the write has been sent yet, so a connection that broke
    // since its last statement (the server restarted) can be opened again.
    Reconnect();
    if (!Database().transaction())
        throw ReportedError(QStringLiteral("begin"), Database().lastError().text());
    inTransaction_ = true;
}

void Connection::CommitTrans()
{
    inTransaction_ = false;
    if (!Database().commit())
        throw ReportedError(QStringLiteral("commit"), Database().lastError().text());
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
        throw ReportedError(QStringLiteral("rollback"), error.text());
}
