#include "core/input_filter.h"

namespace {

bool IsDigit(char32_t k)
{
    return k >= U'0' && k <= U'9';
}

// Accepts digits, the characters of `extra`, and each character of `once`
// only while the text does not hold it yet.
char32_t DigitsAnd(char32_t k, const QString& text, const char* extra, const char* once)
{
    if (IsDigit(k))
        return k;
    for (const char* c = once; *c; ++c)
        if (k == char32_t(*c))
            return text.contains(QLatin1Char(*c)) ? 0 : k;
    for (const char* c = extra; *c; ++c)
        if (k == char32_t(*c))
            return k;
    return 0;
}

}  // namespace

char32_t FilterKeyInput(char32_t k, QString& fieldClass, const QString& text)
{
    if (k == 8 || k == 13)
        return k;
    if (fieldClass.isEmpty())
        fieldClass = QStringLiteral("2");
    const QChar first = fieldClass.front();
    if (first == QLatin1Char('1'))
        return k;
    if (first == QLatin1Char('2')) {
        if (k == U',' || k == U'"' || k == U'\'')
            return 0;
        if (fieldClass.endsWith(QLatin1Char('U')) && k >= U'a' && k <= U'z')
            return k - U'a' + U'A';
        if (fieldClass.endsWith(QLatin1Char('L')) && k >= U'A' && k <= U'Z')
            return k - U'A' + U'a';
        return k;
    }
    static const struct {
        const char* cls;
        const char* extra;
        const char* once;
    } rules[] = {
        {"3", "", ""},     {"4", "", "-"},    {"5", "", "."},   {"6", ",", ""},
        {"7", "", "-."},   {"8", ",", "-"},   {"9", ",", "."},  {"A", ",", "-."},
        {"B", "/", ""},    {"C", ":", ""},    {"D", "/:", ""},
    };
    for (const auto& rule : rules)
        if (fieldClass == QLatin1String(rule.cls))
            return DigitsAnd(k, text, rule.extra, rule.once);
    return k;
}
