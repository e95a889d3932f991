#pragma once
// Small text conversions shared by every check and display: blank trimming
// and the lenient numeric reading of typed values.

#include <QString>

// Removes blanks (U+0020 only) on both sides.
QString TrimBlanks(const QString& text);

// True when the trimmed text is a plain decimal number (sign, digits,
// optional fraction and exponent).
bool IsNumeric(const QString& text);

// The leading numeric part of the text (after leading blanks), 0 when it has none.
double LeadingNumber(const QString& text);

// LeadingNumber rounded towards zero into a 32-bit integer (saturating).
qint32 LeadingInteger(const QString& text);
