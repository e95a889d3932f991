#pragma once
// The format store on the site's database: header and lines of a format read,
// written, deleted and copied, every write one transaction that first checks
// that no other desk changed the format since this desk read it.

#include "core/ports.h"

class Connection;

class SqlFormatStore : public FormatStore {
public:
    explicit SqlFormatStore(Connection& db) : db_(db) {}

    bool FormatExists(const FormatKey& key) override;
    Baseline ReadBaseline(const FormatKey& key) override;
    std::optional<HeaderSettings> ReadHeader(const FormatKey& key) override;
    bool LoadLines(const FormatKey& key, FormatLines& lines) override;
    Baseline WriteHeader(const FormatKey& key, const QStringList& settings,
                         const Baseline& expected) override;
    Baseline WriteLines(const FormatKey& key, const FormatLines& lines, int standardCount,
                        int localCount, const Baseline& expected) override;
    void DeleteFormat(const FormatKey& key, const Baseline& expected) override;
    void RemoveOrphanLines(const FormatKey& key) override;
    Baseline CopyFormat(const FormatKey& source, const FormatKey& target) override;
    void Close() override;

private:
    // The stored format; with `lock`, its header row stays locked until the
    // transaction ends, so that desks writing the same format take turns.
    Baseline Read(const FormatKey& key, bool lock);
    // Throws LostUpdate when the stored format is not `expected`.
    Baseline CheckUnchanged(const FormatKey& key, const Baseline& expected);
    // Runs `write` in one transaction, rolled back on any failure (rethrown).
    template <typename Write>
    void InTransaction(Write write);
    void DeleteLines(const FormatKey& key);
    void DeleteLoadedLines(const FormatKey& key, const QVariantList& types);
    void InsertLines(const FormatKey& key, const ItemTable& table, int count, bool standard);

    Connection& db_;
};
