#include "support/fault_injector.h"

#include "store/connection.h"

void FaultInjector::Create(const QString& table, const QString& timing, const QString& condition)
{
    const QString name = QStringLiteral("k450120_fault_%1").arg(triggers_.size());
    if (db_.Engine() == SqlEngine::PostgreSQL) {
        db_.SetStatement(QStringLiteral("CREATE FUNCTION %1() RETURNS trigger AS $f$ BEGIN IF %2 THEN "
                                        "RAISE EXCEPTION 'injected fault'; END IF; RETURN NEW; END $f$ LANGUAGE plpgsql")
                             .arg(name, condition.isEmpty() ? QStringLiteral("true") : condition));
        db_.ExecuteStatement();
        db_.SetStatement(QStringLiteral("CREATE TRIGGER %1 %2 ON %3 FOR EACH ROW EXECUTE FUNCTION %1()").arg(name, timing, table));
    } else {
        db_.SetStatement(QStringLiteral("CREATE TRIGGER %1 %2 ON %3 FOR EACH ROW %4 BEGIN SELECT RAISE(ABORT, 'injected fault'); END")
                             .arg(name, timing, table, condition.isEmpty() ? QString() : QStringLiteral("WHEN ") + condition));
    }
    db_.ExecuteStatement();
    triggers_ << name;
}

void FaultInjector::FailInsertsAfter(const QString& table, const QString& bpid, int rows)
{
    Create(table, QStringLiteral("BEFORE INSERT"),
           QStringLiteral("NEW.BPID = '%2' AND (SELECT COUNT(*) FROM %1 WHERE BPID = '%2') >= %3").arg(table, bpid).arg(rows));
}

void FaultInjector::Clear()
{
    // On the server the function goes with its trigger.
    const QString drop = db_.Engine() == SqlEngine::PostgreSQL ? QStringLiteral("DROP FUNCTION IF EXISTS %1() CASCADE")
                                                                : QStringLiteral("DROP TRIGGER IF EXISTS %1");
    for (const QString& name : triggers_) {
        try {
            db_.SetStatement(drop.arg(name));
            db_.ExecuteStatement();
        } catch (const SqlError&) {
            // The connection may already be closed at the end of a test.
        }
    }
    triggers_.clear();
}
