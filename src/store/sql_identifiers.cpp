#include "store/sql_identifiers.h"

namespace {

// Full-width forms of U+FF61..U+FF9F. Not NFKC: that would also turn
// "№" into "No" and full-width parentheses into SQL parentheses.
constexpr char16_t kFullWidthKana[] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7,
    0x30A9, 0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8,
    0x30AA, 0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB,
    0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD,
    0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1,
    0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF,
    0x30F3, 0x309B, 0x309C};

constexpr char16_t kVoicedMark = 0xFF9E;
constexpr char16_t kSemiVoicedMark = 0xFF9F;

bool TakesVoicedMark(char16_t k)
{
    return (k >= 0x30AB && k <= 0x30C8 && k != 0x30C3) || (k >= 0x30CF && k <= 0x30DB);
}

bool TakesSemiVoicedMark(char16_t k)
{
    return k >= 0x30CF && k <= 0x30DB;
}

// Maps the characters of text outside quotes.
QString MapWidths(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= 0xFF61 && c <= 0xFF9F) {
            char16_t full = kFullWidthKana[c - 0xFF61];
            const char16_t next = i + 1 < text.size() ? text.at(i + 1).unicode() : 0;
            if (next == kVoicedMark && full == 0x30A6) {
                full = 0x30F4;  // ヴ
                ++i;
            } else if (next == kVoicedMark && TakesVoicedMark(full)) {
                full += 1;
                ++i;
            } else if (next == kSemiVoicedMark && TakesSemiVoicedMark(full)) {
                full += 2;
                ++i;
            }
            out += QChar(full);
        } else if ((c >= 0xFF10 && c <= 0xFF19) || (c >= 0xFF21 && c <= 0xFF3A)
                   || (c >= 0xFF41 && c <= 0xFF5A)) {
            out += QChar(char16_t(c - 0xFEE0));
        } else {
            out += QChar(c);
        }
    }
    return out;
}

bool IsWordChar(QChar c)
{
    return c.unicode() >= 0x80 || c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Quotes the words that begin with an ASCII digit and hold non-ASCII letters.
QString QuoteDigitWords(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    qsizetype i = 0;
    while (i < text.size()) {
        if (!IsWordChar(text.at(i))) {
            out += text.at(i++);
            continue;
        }
        const qsizetype start = i;
        bool nonAscii = false;
        while (i < text.size() && IsWordChar(text.at(i))) {
            nonAscii = nonAscii || text.at(i).unicode() >= 0x80;
            ++i;
        }
        const QString word = text.mid(start, i - start);
        const bool digitFirst = word.at(0) >= QLatin1Char('0') && word.at(0) <= QLatin1Char('9');
        out += (digitFirst && nonAscii) ? QLatin1Char('"') + word + QLatin1Char('"') : word;
    }
    return out;
}

}  // namespace

QString NormalizeSql(const QString& statement)
{
    QString out;
    out.reserve(statement.size() + 8);
    qsizetype i = 0;
    while (i < statement.size()) {
        const QChar c = statement.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // Copy a quoted literal or identifier unchanged ('' is an escaped quote).
            qsizetype end = i + 1;
            while (end < statement.size()) {
                if (statement.at(end) == c) {
                    if (end + 1 < statement.size() && statement.at(end + 1) == c) {
                        end += 2;
                        continue;
                    }
                    break;
                }
                ++end;
            }
            out += statement.mid(i, end + 1 - i);
            i = end + 1;
            continue;
        }
        qsizetype end = i;
        while (end < statement.size() && statement.at(end) != QLatin1Char('\'')
               && statement.at(end) != QLatin1Char('"'))
            ++end;
        out += QuoteDigitWords(MapWidths(statement.mid(i, end - i)));
        i = end;
    }
    return out;
}

QString NormalizeIdentifier(const QString& name)
{
    return MapWidths(name);
}
