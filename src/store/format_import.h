#pragma once
// An exchange document stored exactly as written.

#include "core/format_document.h"

class Connection;

// INSERT INTO table (the key columns, then `count` columns) VALUES (?, ...).
QString DocumentInsert(const char* table, const DocumentColumn* columns, int count);

// Stores the document within the caller's transaction: the key's header row
// is locked first (desks writing the format wait for the end of the
// transaction), every row under the key is deleted (lines left without a
// header included) and the document's rows are inserted. False, with
// nothing written, when a header is stored under the key and `replace` is
// not given. Throws SqlError.
bool StoreDocument(Connection& db, const FormatDocument& document, bool replace);
