#include "support/fault_injector.h"

#include "shell/connection.h"

FaultInjector::~FaultInjector()
{
    Clear();
}

void FaultInjector::Create(const QString& name, const QString& body)
{
    db_.SetStatement(QStringLiteral("CREATE TRIGGER %1 %2").arg(name, body));
    db_.ExecuteStatement();
    triggers_ << name;
}

void FaultInjector::FailInsertsAfter(const QString& table, const QString& bpid, int rows)
{
    Create(QStringLiteral("k450120_fault_%1").arg(triggers_.size()),
           QStringLiteral("BEFORE INSERT ON %1 FOR EACH ROW WHEN NEW.BPID = '%2' AND "
                          "(SELECT COUNT(*) FROM %1 WHERE BPID = '%2') >= %3 "
                          "BEGIN SELECT RAISE(ABORT, 'injected fault'); END")
               .arg(table, bpid)
               .arg(rows));
}

void FaultInjector::FailDeletes(const QString& table)
{
    Create(QStringLiteral("k450120_fault_%1").arg(triggers_.size()),
           QStringLiteral("BEFORE DELETE ON %1 BEGIN SELECT RAISE(ABORT, 'injected fault'); END")
               .arg(table));
}

void FaultInjector::FailUpdates(const QString& table)
{
    Create(QStringLiteral("k450120_fault_%1").arg(triggers_.size()),
           QStringLiteral("BEFORE UPDATE ON %1 BEGIN SELECT RAISE(ABORT, 'injected fault'); END")
               .arg(table));
}

void FaultInjector::Clear()
{
    for (const QString& name : triggers_) {
        db_.SetStatement(QStringLiteral("DROP TRIGGER IF EXISTS ") + name);
        try {
            db_.ExecuteStatement();
        } catch (const SqlError&) {
            // The connection may already be closed at the end of a test.
        }
    }
    triggers_.clear();
}
