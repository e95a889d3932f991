#pragma once
// Texts measured and cut in bytes of the ANSI code page of the original
// platform (Shift-JIS, Windows code page 932).

#include <QByteArray>
#include <QString>
#include <QVariant>

QByteArray ToAnsi(const QString& text);
QString FromAnsi(const QByteArray& bytes);

// True when every character of the text exists in code page 932.
bool IsAnsiText(const QString& text);

// Shift-JIS byte count; 2 bytes per character when the text is not ANSI.
int ByteLength(const QString& text);

// Shift-JIS byte count of a value; 0 for a null value.
int AnsiByteLength(const QVariant& value);

// The longest leading part of the text that fits in maxBytes bytes. A
// double-byte character that would straddle the limit is dropped whole.
QString CutToBytes(const QString& text, int maxBytes);
