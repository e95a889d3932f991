#pragma once
// Identifiers of the tables are written in more than one way by the program's
// statements (half-width or full-width katakana, ASCII or full-width digits).
// Every statement, the schema included, passes through NormalizeSql so that
// all writings reach one table or column.

#include <QString>

// Outside quoted literals: half-width katakana become full-width (with voiced
// marks composed), full-width digits and Latin letters become ASCII, and a word
// that begins with a digit but holds non-ASCII letters (1バイト文字集合) is
// double-quoted, because SQL identifiers cannot begin with a digit.
QString NormalizeSql(const QString& statement);

// The same mapping for one bare identifier, without quoting (for comparing
// column names read back from a driver).
QString NormalizeIdentifier(const QString& name);
