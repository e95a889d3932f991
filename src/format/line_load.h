#pragma once
// Loading the stored lines of a format into the two tables.

#include "core/format_lines.h"

#include <QList>
#include <QString>

class Connection;
class QCryptographicHash;
class ResultSet;

// A stored value outside its column's range, or a position computed from
// the lines that leaves 32 bits: the format cannot be edited.
struct BadStoredValue {
    QString where;  // layout, line, column and value, e.g. "ローカル 2行目 レベル番号 1000000000"
};

// Reads every line of the key, standard lines completed from the item
// dictionary (name, length, decimal length). A row belongs to a layout when
// its type, trimmed of blanks, is "E" or "L" (null counts as "E"). False when
// the key has no lines; the tables are then untouched. Throws BadStoredValue.
bool LoadLines(Connection& db, const QString& code, const QString& bpid, FormatLines& lines);

// Adds the columns of the current row to a fingerprint (null apart from any text).
void HashRow(const ResultSet& rs, const QList<int>& columns, QCryptographicHash& hash);

// A fingerprint of the stored lines of a key (every column of every row).
QByteArray StoredLinesFingerprint(Connection& db, const QString& code, const QString& bpid);

// Throws BadStoredValue when a position or group length computed from the
// lines would leave 32 bits (the tables are not changed).
void CheckComputedPositions(const FormatLines& lines);
