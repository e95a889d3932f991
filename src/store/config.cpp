#include "store/config.h"

#include "store/profile_file.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace {

constexpr int kEnvironmentBuffer = 64;
constexpr int kDefaultBuffer = 256;
constexpr int kEnvironmentFieldLength = 50;

// EDI.ini, read once by each reading procedure.
ProfileFile OpenConfigFile(const QString& path)
{
    ProfileFile profile(path);
    if (!profile.Error().isEmpty())
        throw ConfigReadError(profile.Error().toStdString());
    return profile;
}

QString ReadKey(const ProfileFile& profile, const QString& section, const QString& key, int bufferSize)
{
    return TrimAtNull(profile.Buffer(section, key, QString(), bufferSize));
}

QString FixedLength(const QString& value, int length)
{
    return value.left(length).leftJustified(length, QLatin1Char(' '));
}

double ToNumber(const QString& key, const QString& text)
{
    double value = 0;
    if (!ParseProfileNumber(text, value))
        throw ConfigReadError(QStringLiteral("%1: not a number: '%2'").arg(key, text).toStdString());
    return value;
}

// A colour number: 0x00BBGGRR or a system colour. One beyond 32 bits is
// refused only when it is applied.
double ToColour(const QString& key, const QString& text)
{
    const double number = ToNumber(key, text);
    quint32 value = 0;
    if (ColourValue(number, value) && !NamesColour(value))
        throw ConfigReadError(QStringLiteral("%1: no colour: '%2'").arg(key, text).toStdString());
    return number;
}

}  // namespace

bool ColourValue(double number, quint32& value)
{
    if (!std::isfinite(number) || number < std::numeric_limits<qint32>::min()
        || number > std::numeric_limits<quint32>::max())
        return false;
    value = static_cast<quint32>(static_cast<qint64>(number));
    return true;
}

bool ParseProfileNumber(const QString& text, double& value)
{
    const QString t = text.trimmed();
    bool ok = false;
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        QString digits = t.mid(2);
        if (digits.endsWith(QLatin1Char('&')))
            digits.chop(1);
        // toLongLong would also take blanks, a sign or "0x" after "&H".
        const bool hex = std::all_of(digits.cbegin(), digits.cend(),
                                     [](QChar c) { return c.unicode() < 128 && std::isxdigit(c.unicode()); });
        value = static_cast<double>(digits.toLongLong(&ok, 16));
        ok = ok && hex;
    } else {
        value = t.toDouble(&ok);
    }
    // toDouble accepts "nan" and "inf", which are no numbers in a profile file.
    return ok && std::isfinite(value);
}

QString ProgramFolder()
{
    const QString named = qEnvironmentVariable("K450120_PROGRAM_FOLDER");
    return named.isEmpty() ? QCoreApplication::applicationDirPath() : named;
}

QString ConfigFolder(const QString& programFolder)
{
    const QString path = QDir::fromNativeSeparators(programFolder);
    const qsizetype last = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype secondLast = last > 0 ? path.lastIndexOf(QLatin1Char('/'), last - 1) : -1;
    if (last < 0 || secondLast < 0)
        throw ConfigReadError("program folder has fewer than two levels above it");
    return path.left(secondLast);
}

QString ConfigFilePath(const QString& programFolder)
{
    return ConfigFolder(programFolder) + QStringLiteral("/EDI.ini");
}

EnvironmentSettings ReadEnvironmentSettings(const QString& programFolder)
{
    const ProfileFile file = OpenConfigFile(ConfigFilePath(programFolder));
    const QString section = QStringLiteral("動作環境");
    auto read = [&](const char* key) {
        return FixedLength(ReadKey(file, section, QLatin1String(key), kEnvironmentBuffer),
                           kEnvironmentFieldLength);
    };
    EnvironmentSettings s;
    s.MachineName = read("MACHINENAME");
    s.UserId = read("USERID");
    s.Password = read("PASSWD");
    s.DbString = read("DBSTRING");
    return s;
}

void ReadDisplaySettings(const QString& programFolder, DisplaySettings& d, FurtherSettings& f)
{
    const ProfileFile file = OpenConfigFile(ConfigFilePath(programFolder));
    auto text = [&](const char* section, const QString& key) {
        return ReadKey(file, QString::fromUtf8(section), key, kDefaultBuffer);
    };
    auto colour = [&](const QString& key) { return ToColour(key, text("Setting0", key)); };
    auto look = [&](const QString& kind, LookSettings& l) {
        l.BackColor = colour(kind + QStringLiteral("BackColor"));
        l.FontBold = text("Setting0", kind + QStringLiteral("FontBold"));
        l.FontItalic = text("Setting0", kind + QStringLiteral("FontItalic"));
        l.FontName = text("Setting0", kind + QStringLiteral("FontName"));
        l.FontSize = text("Setting0", kind + QStringLiteral("FontSize"));
        l.FontStrikethru = text("Setting0", kind + QStringLiteral("FontStrikethru"));
        l.FontUnderline = text("Setting0", kind + QStringLiteral("FontUnderline"));
        l.ForeColor = colour(kind + QStringLiteral("ForeColor"));
    };
    d.FormBackColor = text("Setting0", QStringLiteral("FormBackColor"));
    look(QStringLiteral("Label"), d.Label);
    look(QStringLiteral("Text"), d.Text);
    d.TextFocusColor = colour(QStringLiteral("TextFocusColor"));
    look(QStringLiteral("Title"), d.Title);

    const double minimaize = ToNumber(QStringLiteral("MINIMAIZE"), text("K450310", QStringLiteral("MINIMAIZE")));
    if (minimaize < std::numeric_limits<qint16>::min() - 0.5
        || minimaize >= std::numeric_limits<qint16>::max() + 0.5)
        throw ConfigReadError("MINIMAIZE out of range");
    f.Minimaize = static_cast<qint16>(qRound(minimaize));
    f.Qvb100Path = text("PATH", QStringLiteral("QVB100_PATH"));
    f.EdiInFil = text("PATH", QStringLiteral("EDIINFIL"));
    f.EdiOutFil = text("PATH", QStringLiteral("EDIOUTFIL"));
    f.MgstPath = text("PATH", QStringLiteral("MGSTPATH"));
    f.OldFile = text("PATH", QStringLiteral("OLD_FILE"));
    f.DebugMode = text("デバッグ", QStringLiteral("MODE")) == QLatin1String("1");
}

QString ReadCategoryFilePath(const QString& programFolder)
{
    const QString folder = ConfigFolder(programFolder);
    const QString value = ReadKey(OpenConfigFile(ConfigFilePath(programFolder)), QStringLiteral("PATH"),
                                  QStringLiteral("JOHOKUBUN"), kEnvironmentBuffer);
    if (value.isEmpty())
        return value;
    return QDir(folder.isEmpty() ? QStringLiteral("/") : folder).filePath(value);
}
