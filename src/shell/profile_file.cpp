#include "shell/profile_file.h"

#include "shell/shift_jis.h"

#include <QFile>

namespace {

QString StripQuotes(const QString& value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

// Windows treats blanks and tabs around names and values as insignificant.
QString TrimSpace(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (begin < end && blank(text.at(begin)))
        ++begin;
    while (end > begin && blank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

bool FindValue(const QString& section, const QString& key, const QString& path, QString& value)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString text = FromAnsi(file.readAll());
    bool inSection = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = TrimSpace(line);
        if (trimmed.startsWith(QLatin1Char('['))) {
            const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
            const QString name = TrimSpace(trimmed.mid(1, close < 0 ? -1 : close - 1));
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection || trimmed.startsWith(QLatin1Char(';')))
            continue;
        const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        if (TrimSpace(trimmed.left(eq)).compare(key, Qt::CaseInsensitive) == 0) {
            value = StripQuotes(TrimSpace(trimmed.mid(eq + 1)));
            return true;
        }
    }
    return false;
}

}  // namespace

QByteArray ReadProfileBuffer(const QString& section, const QString& key,
                             const QString& defaultValue, int bufferSize, const QString& path)
{
    QString value;
    if (!FindValue(section, key, path, value))
        value = defaultValue;
    const QByteArray bytes = ToAnsi(CutToBytes(value, bufferSize - 1));
    QByteArray buffer(bufferSize, ' ');
    buffer.replace(0, bytes.size(), bytes);
    buffer[bytes.size()] = '\0';
    return buffer;
}

QString TrimAtNull(const QByteArray& buffer)
{
    const qsizetype nul = buffer.indexOf('\0');
    if (nul <= 0)
        return QString();
    return FromAnsi(buffer.left(nul));
}
