#pragma once
// Stored formats as exchange documents: every stored value as it is (no
// trimming, NULL kept, lines of every type), and the list of stored keys.

#include "core/format_document.h"

#include <QList>
#include <QString>

class Connection;

// A key stored in the header table, the line table or both.
struct StoredFormatKey {
    QString Code;
    QString Bpid;
    bool HasHeader = false;
    qint64 Lines = 0;
};

// The stored keys in the order of their texts (the same on every engine),
// all of them or those of one category. Throws SqlError.
QList<StoredFormatKey> ListStoredFormats(Connection& db, const QString& category = QString());

// The format as stored, its lines ordered by type, then serial. False when
// neither a header nor a line is stored under the key. Throws SqlError, and
// StoreError for a number column that holds no whole number.
bool ReadStoredDocument(Connection& db, const QString& code, const QString& bpid, FormatDocument& document);
