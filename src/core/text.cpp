#include "core/text.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

QString TrimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

bool IsNumeric(const QString& text)
{
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    return number.match(text.trimmed()).hasMatch();
}

double LeadingNumber(const QString& text)
{
    static const QRegularExpression leading(
        QStringLiteral("^\\s*([+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?)"));
    const QRegularExpressionMatch m = leading.match(text);
    return m.hasMatch() ? m.captured(1).toDouble() : 0.0;
}

qint32 LeadingInteger(const QString& text)
{
    const double value = std::trunc(LeadingNumber(text));
    if (value >= std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    if (value <= std::numeric_limits<qint32>::min())
        return std::numeric_limits<qint32>::min();
    return static_cast<qint32>(value);
}
