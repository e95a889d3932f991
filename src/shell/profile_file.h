#pragma once
// Reading of Windows-style profile files (".ini") as the original platform's
// profile reader does it: CP932 text, case-insensitive sections and keys, the
// first match wins, blanks around names and values ignored, a value enclosed in
// matching quotes loses them, a missing file, section or key reads as the
// default. Hand-written because no library on the target reads CP932 profile
// files with these rules (QSettings' IniFormat escapes and decodes differently).

#include <QByteArray>
#include <QString>

// The reader's result as it lands in a caller's buffer of bufferSize bytes:
// the value (cut to bufferSize - 1 bytes) followed by a NUL, the rest blanks.
QByteArray ReadProfileBuffer(const QString& section, const QString& key,
                             const QString& defaultValue, int bufferSize, const QString& path);

// The text before the first NUL of a buffer; empty when the NUL is the first
// byte or when there is no NUL at all.
QString TrimAtNull(const QByteArray& buffer);
