#pragma once
// Makes database statements fail on demand, inside the database itself (a trigger that raises an error), so that
// the program meets a real driver error in the middle of its work.

#include <QStringList>

class Connection;

class FaultInjector {
public:
    explicit FaultInjector(Connection& db) : db_(db) {}
    ~FaultInjector() { Clear(); }
    // Inserts into the table fail once it already holds `rows` rows of the BPID.
    void FailInsertsAfter(const QString& table, const QString& bpid, int rows);
    // Every delete from / update of the table fails.
    void FailDeletes(const QString& table) { Create(table, QStringLiteral("BEFORE DELETE"), QString()); }
    void FailUpdates(const QString& table) { Create(table, QStringLiteral("BEFORE UPDATE"), QString()); }
    // Removes every injected fault.
    void Clear();

private:
    // A trigger that raises an error when the condition holds (always when empty).
    void Create(const QString& table, const QString& timing, const QString& condition);
    Connection& db_;
    QStringList triggers_;
};
