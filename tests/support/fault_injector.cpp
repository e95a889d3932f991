#include "support/fault_injector.h"

#include "store/connection.h"

FaultInjector::~FaultInjector()
{
    Clear();
}

void FaultInjector::Create(const QString& table, const QString& timing, const QString& condition)
{
    const QString name = QStringLiteral("k450120_fault_%1").arg(triggers_.size());
    if (db_.Engine() == SqlEngine::PostgreSQL) {
        db_.SetStatement(QStringLiteral(
            "CREATE FUNCTION %1() RETURNS trigger AS $f$ BEGIN IF %2 THEN "
            "RAISE EXCEPTION 'injected fault'; END IF; RETURN NEW; END $f$ LANGUAGE plpgsql")
                             .arg(name, condition.isEmpty() ? QStringLiteral("true") : condition));
        db_.ExecuteStatement();
        db_.SetStatement(QStringLiteral("CREATE TRIGGER %1 %2 ON %3 FOR EACH ROW EXECUTE FUNCTION %1()")
                             .arg(name, timing, table));
    } else {
        db_.SetStatement(QStringLiteral("CREATE TRIGGER %1 %2 ON %3 FOR EACH ROW %4 "
                                        "BEGIN SELECT RAISE(ABORT, 'injected fault'); END")
                             .arg(name, timing, table,
                                  condition.isEmpty() ? QString() : QStringLiteral("WHEN ") + condition));
    }
    db_.ExecuteStatement();
    triggers_ << name + QLatin1Char('|') + table;
}

void FaultInjector::FailInsertsAfter(const QString& table, const QString& bpid, int rows)
{
    Create(table, QStringLiteral("BEFORE INSERT"),
           QStringLiteral("NEW.BPID = '%2' AND (SELECT COUNT(*) FROM %1 WHERE BPID = '%2') >= %3")
               .arg(table, bpid)
               .arg(rows));
}

void FaultInjector::FailDeletes(const QString& table)
{
    Create(table, QStringLiteral("BEFORE DELETE"), QString());
}

void FaultInjector::FailUpdates(const QString& table)
{
    Create(table, QStringLiteral("BEFORE UPDATE"), QString());
}

void FaultInjector::Clear()
{
    for (const QString& entry : triggers_) {
        const QString name = entry.section(QLatin1Char('|'), 0, 0);
        const QString table = entry.section(QLatin1Char('|'), 1);
        QStringList statements{QStringLiteral("DROP TRIGGER IF EXISTS ") + name};
        if (db_.Engine() == SqlEngine::PostgreSQL) {
            statements = {QStringLiteral("DROP TRIGGER IF EXISTS %1 ON %2").arg(name, table),
                          QStringLiteral("DROP FUNCTION IF EXISTS %1()").arg(name)};
        }
        for (const QString& statement : statements) {
            db_.SetStatement(statement);
            try {
                db_.ExecuteStatement();
            } catch (const SqlError&) {
                // The connection may already be closed at the end of a test.
            }
        }
    }
    triggers_.clear();
}
