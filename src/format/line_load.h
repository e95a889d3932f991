#pragma once
// Loading the stored lines of a format into the two tables.

#include "format/format_lines.h"

#include <QString>

class Connection;

// Reads every line of the key, standard lines completed from the item
// dictionary (name, length, decimal length). False when the key has no lines;
// the tables are then untouched.
bool LoadLines(Connection& db, const QString& code, const QString& bpid, FormatLines& lines);

// A fingerprint of the stored lines of a key (every column of every row).
QByteArray StoredLinesFingerprint(Connection& db, const QString& code, const QString& bpid);

// The whole number of a column value: the leading number of its text, 0 for null.
qint32 WholeNumber(const QVariant& value);
