#include "store/profile_file.h"

#include "core/shift_jis.h"

#include <QFile>
#include <QFileInfo>

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

QString Decode(const QByteArray& content)
{
    static const QByteArray bom("\xEF\xBB\xBF");
    if (content.startsWith(bom))
        return QString::fromUtf8(content.mid(bom.size()));
    return FromAnsi(content);
}

}  // namespace

SiteFile ReadSiteFile(const QString& path, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {SiteFile::NotOpened, {}, QStringLiteral("does not exist")};
    if (!info.isFile())
        return {SiteFile::Refused, {}, QStringLiteral("not a regular file")};
    const QString tooLarge = QStringLiteral("larger than %1 bytes").arg(maxBytes);
    if (info.size() > maxBytes)
        return {SiteFile::Refused, {}, tooLarge};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {SiteFile::NotOpened, {}, file.errorString()};
    // Bounded again: the file may grow after it was measured.
    QByteArray content = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {SiteFile::Refused, {}, file.errorString()};
    if (content.size() > maxBytes)
        return {SiteFile::Refused, {}, tooLarge};
    return {SiteFile::Read, content, {}};
}

ProfileFile::ProfileFile(const QString& path)
{
    const SiteFile file = ReadSiteFile(path);
    if (file.outcome == SiteFile::Refused)
        error_ = path + QStringLiteral(": ") + file.reason;
    if (file.outcome != SiteFile::Read)
        return;
    QString section;
    bool inSection = false;  // no key counts before the first section
    const QStringList lines = Decode(file.content).split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = TrimSpace(line);
        if (trimmed.startsWith(QLatin1Char('['))) {
            const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
            section = TrimSpace(trimmed.mid(1, close < 0 ? -1 : close - 1));
            inSection = true;
            continue;
        }
        if (!inSection || trimmed.startsWith(QLatin1Char(';')))
            continue;
        const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
        if (eq >= 0)
            entries_.append({section, TrimSpace(trimmed.left(eq)), StripQuotes(TrimSpace(trimmed.mid(eq + 1)))});
    }
}

QByteArray ProfileFile::Buffer(const QString& section, const QString& key, const QString& defaultValue,
                               int bufferSize) const
{
    QString value = defaultValue;
    for (const Entry& e : entries_) {
        if (e.section.compare(section, Qt::CaseInsensitive) == 0 && e.key.compare(key, Qt::CaseInsensitive) == 0) {
            value = e.value;
            break;
        }
    }
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
