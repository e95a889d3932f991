#include "core/shift_jis.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

namespace {
constexpr const char* kCodePage = "windows-31j";

bool IsDoubleByte(char32_t c)
{
    // Everything outside ASCII and half-width katakana takes two bytes.
    return !(c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F));
}

// One converter each for the whole run: opening one looks the code page up
// by name, which costs more than converting a short value.
// Stateless: no call carries anything over to the next.
QStringEncoder& Encoder()
{
    static QStringEncoder encoder(kCodePage, QStringConverter::Flag::Stateless);
    return encoder;
}

QStringDecoder& Decoder()
{
    static QStringDecoder decoder(kCodePage, QStringConverter::Flag::Stateless);
    return decoder;
}

bool IsAscii(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

// The code page bytes of the text when it converts there and back unchanged.
// A character outside the code page comes back as the replacement character,
// which itself is outside it (the encoder's error flag cannot tell: it never
// clears once set).
std::optional<QByteArray> AnsiBytes(const QString& text)
{
    if (text.contains(QChar::ReplacementCharacter))
        return std::nullopt;
    QByteArray bytes = Encoder().encode(text);
    if (FromAnsi(bytes) != text)
        return std::nullopt;
    return bytes;
}
}  // namespace

QByteArray ToAnsi(const QString& text)
{
    return Encoder().encode(text);
}

QString FromAnsi(const QByteArray& bytes)
{
    return Decoder().decode(bytes);
}

bool IsAnsiText(const QString& text)
{
    return IsAscii(text) || AnsiBytes(text).has_value();
}

int ByteLength(const QString& text)
{
    if (IsAscii(text))
        return text.size();
    if (const std::optional<QByteArray> bytes = AnsiBytes(text))
        return bytes->size();
    // Per character, not per UTF-16 unit: a surrogate pair is one character.
    return int(text.toUcs4().size()) * 2;
}

int AnsiByteLength(const QVariant& value)
{
    if (value.isNull())
        return 0;
    return ByteLength(value.toString());
}

QString CutToBytes(const QString& text, int maxBytes)
{
    int bytes = 0;
    int end = 0;
    while (end < text.size()) {
        const QChar c = text.at(end);
        const bool pair = c.isHighSurrogate() && end + 1 < text.size();
        const int width = pair || IsDoubleByte(c.unicode()) ? 2 : 1;  // no pair is in the code page
        if (bytes + width > maxBytes)
            break;
        bytes += width;
        end += pair ? 2 : 1;
    }
    return text.left(end);
}
