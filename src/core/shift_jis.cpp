#include "core/shift_jis.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr const char* kCodePage = "windows-31j";

bool IsDoubleByte(char32_t c)
{
    // Everything outside ASCII and half-width katakana takes two bytes.
    return !(c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F));
}
}  // namespace

QByteArray ToAnsi(const QString& text)
{
    QStringEncoder encoder(kCodePage);
    return encoder.encode(text);
}

QString FromAnsi(const QByteArray& bytes)
{
    QStringDecoder decoder(kCodePage);
    return decoder.decode(bytes);
}

bool IsAnsiText(const QString& text)
{
    QStringEncoder encoder(kCodePage, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    return !encoder.hasError() && FromAnsi(bytes) == text;
}

int ByteLength(const QString& text)
{
    if (IsAnsiText(text))
        return ToAnsi(text).size();
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
        const char32_t code = pair ? QChar::surrogateToUcs4(c, text.at(end + 1)) : c.unicode();
        const int width = IsDoubleByte(code) ? 2 : 1;
        if (bytes + width > maxBytes)
            break;
        bytes += width;
        end += pair ? 2 : 1;
    }
    return text.left(end);
}
