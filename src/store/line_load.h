#pragma once
// Loading the stored lines of a format into the two tables.

#include "core/ports.h"

#include <QList>
#include <QString>

class Connection;
class QCryptographicHash;
class ResultSet;

// Reads every line of the key, standard lines completed from the item
// dictionary (name, length, decimal length). A row belongs to a layout when
// its type, trimmed of blanks, is "E" or "L" (null counts as "E"). False when
// the key has no lines; the tables are then untouched. Throws BadStoredValue,
// and SqlError when the database fails.
bool LoadLines(Connection& db, const QString& code, const QString& bpid, FormatLines& lines);

// Adds the columns of the current row to a fingerprint (null apart from any text).
void HashRow(const ResultSet& rs, const QList<int>& columns, QCryptographicHash& hash);

// A fingerprint of the stored lines of a key (every column of every row).
QByteArray StoredLinesFingerprint(Connection& db, const QString& code, const QString& bpid);
