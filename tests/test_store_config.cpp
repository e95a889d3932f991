// Profile files as the original platform reads them, every value the program
// takes from EDI.ini, and the facts about the machine.

#include "core/shift_jis.h"
#include "store/config.h"
#include "store/profile_file.h"
#include "store/system_profile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const char* const kLooks[] = {"Label", "Text", "Title"};
const char* const kFonts[] = {"FontBold", "FontItalic", "FontName", "FontSize", "FontStrikethru", "FontUnderline"};

// A complete EDI.ini with CRLF ends; each font key holds its own name, a
// changed key its value, a null value drops the key.
QString Ini(const QString& key = QString(), const QString& value = QString())
{
    QStringList lines{"; site", "[動作環境]", "MACHINENAME=SERVER01", "USERID=edi", "PASSWD=secret", "DBSTRING=EDIDB",
                      "[Setting0]", "FormBackColor=&H8000000F&", "LabelBackColor=12632256", "LabelForeColor=0",
                      "TextBackColor=16777215", "TextFocusColor=&H00FFFF", "TextForeColor=255", "TitleBackColor=&H800000",
                      "TitleForeColor=-2147483630"};
    for (const char* look : kLooks)
        for (const char* font : kFonts)
            lines << QStringLiteral("%1%2=%1%2").arg(QLatin1String(look), QLatin1String(font));
    lines << "[K450310]" << "MINIMAIZE=1" << "[PATH]" << "JOHOKUBUN=data/J.TXT";
    for (QString& line : lines)
        if (!key.isEmpty() && line.startsWith(key + QLatin1Char('=')))
            line = value.isNull() ? QString() : key + QLatin1Char('=') + value;
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

// A site: the program folder is PGM/BIN, EDI.ini lies in the root.
class Site {
public:
    QString Root() const { return dir_.path(); }
    QString ProgramFolder() const { return Root() + QStringLiteral("/PGM/BIN"); }
    QString IniPath() const { return Root() + QStringLiteral("/EDI.ini"); }
    // CP932, or UTF-8 after a byte-order mark.
    void Write(const QString& text, bool bom = false) const
    {
        QFile file(IniPath());
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(bom ? "\xEF\xBB\xBF" + text.toUtf8() : ToAnsi(text));
    }
    bool ReadDisplay(DisplaySettings& d, FurtherSettings& f) const
    {
        try {
            ReadDisplaySettings(ProgramFolder(), d, f);
            return true;
        } catch (const ConfigReadError&) {
            return false;
        }
    }

private:
    QTemporaryDir dir_;
};

QString Blanks(int n) { return QString(n, QLatin1Char(' ')); }

}  // namespace

class TestStoreConfig : public QObject {
    Q_OBJECT

private slots:
    void profileValues()
    {
        const struct { const char *file, *value; } rows[] = {
            {"[S]\nK=v", "v"},                                 // no final line end
            {"[s]\nk=7\n", "7"},                               // case-insensitive
            {"  [ S ]  \r\n \t K \t= \t a b \t\r\n", "a b"},  // blanks around
            {"[S]\nK= \" a \" \n", " a "},                      // matching quotes go
            {"[S]\nK='x'\n", "x"}, {"[S]\nK=\"x'\n", "\"x'"}, {"[S]\nK=\"\n", "\""},
            {"[S]\nK=a=b\n", "a=b"},
            {"K=0\n[S]\n;K=1\n  ;K=2\nK=3\n", "3"},            // comments; nothing before a section
            {"[S]\nK=1\nk=2\n", "1"}, {"[S]\nK=\nK=2\n", ""},  // the first wins, even when empty
            {"[A]\nK=1\n[S]\nJ=2\n[B]\nK=3\n", "d"},            // other sections: the default
            {"[S\nK=4\n", "4"},                                 // a section without its bracket
            {"[S]\nK\nKEY=1\nK=2\n", "2"},                      // a line without equals
            {"[S]\nK=ソ表[]\n", "ソ表[]"},  // trail bytes 0x5B, 0x5C, 0x5D are '[', '\' and ']' in ASCII
            {"\xEF\xBB\xBF[S]\nK=ソ表\n", "ソ表"},
        };
        QStringList read, expected;
        for (const auto& r : rows) {
            Site site;
            site.Write(QString::fromUtf8(r.file), QByteArray(r.file).startsWith("\xEF\xBB\xBF"));
            read << TrimAtNull(ProfileFile(site.IniPath()).Buffer(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d"), 256));
            expected << QString::fromUtf8(r.value);
        }
        QCOMPARE(read, expected);
    }

    void profileBuffer()
    {
        const struct { const char* value; int size; QByteArray buffer; } rows[] = {
            {"AB", 8, QByteArray("AB\0     ", 8)}, {"ABCDEFGHIJ", 8, QByteArray("ABCDEFG\0", 8)},
            {"", 4, QByteArray("\0   ", 4)}, {"漢字漢", 6, QByteArray("\x8A\xBF\x8E\x9A\0 ", 6)}};
        for (const auto& r : rows) {
            Site site;
            const QString value = QString::fromUtf8(r.value);
            // A missing file, section or key reads as the default, through the same buffer.
            QCOMPARE(ProfileFile(site.IniPath()).Buffer(QStringLiteral("S"), QStringLiteral("K"), value, r.size), r.buffer);
            site.Write(QStringLiteral("[S]\r\nK=") + value + QStringLiteral("\r\n"));
            const ProfileFile profile(site.IniPath());
            QCOMPARE(profile.Buffer(QStringLiteral("S"), QStringLiteral("K"), QString(), r.size), r.buffer);
            QCOMPARE(profile.Buffer(QStringLiteral("T"), QStringLiteral("K"), value, r.size), r.buffer);
        }
        // Blanks before the NUL stay; without a NUL, or with one first, there is no text.
        QCOMPARE(TrimAtNull(QByteArray(" A \0CD", 6)), QStringLiteral(" A "));
        QCOMPARE(TrimAtNull(QByteArray("AB  ")), QString());
        QCOMPARE(TrimAtNull(QByteArray("\0AB", 3)), QString());
    }

    void siteFiles()
    {
        Site site;
        site.Write(QStringLiteral("[S]\nK=1\n") + QString(1024 * 1024 - 8, QLatin1Char(';')));
        QCOMPARE(ProfileFile(site.IniPath()).Error(), QString());
        QCOMPARE(ReadSiteFile(site.IniPath()).outcome, SiteFile::Read);
        QCOMPARE(ReadSiteFile(site.IniPath(), 1024 * 1024 - 1).reason, QStringLiteral("larger than 1048575 bytes"));
        QCOMPARE(ReadSiteFile(site.Root()).reason, QStringLiteral("not a regular file"));
        QVERIFY(ProfileFile(site.Root()).Error().endsWith(QStringLiteral(": not a regular file")));
        QCOMPARE(ReadSiteFile(site.Root() + QStringLiteral("/none")).outcome, SiteFile::NotOpened);
        // An EDI.ini that cannot be read is an error, not an empty file.
        QVERIFY(QDir(site.Root()).mkpath(QStringLiteral("odd/EDI.ini")));
        QVERIFY_THROWS_EXCEPTION(ConfigReadError, ReadEnvironmentSettings(site.Root() + QStringLiteral("/odd/PGM/BIN")));
    }

    void configFolder()
    {
        QCOMPARE(ConfigFilePath(QStringLiteral("/site/PGM/BIN")), QStringLiteral("/site/EDI.ini"));
        QCOMPARE(ConfigFolder(QStringLiteral("/a/b/c/d")), QStringLiteral("/a/b"));
        QCOMPARE(ConfigFolder(QStringLiteral("/A/B")), QString());
        QCOMPARE(ConfigFolder(QStringLiteral("A/B/C")), QStringLiteral("A"));
        for (const char* folder : {"/A", "A/B", "A", ""})
            QVERIFY_THROWS_EXCEPTION(ConfigReadError, ConfigFilePath(QLatin1String(folder)));
    }

    void numbers()
    {
        QStringList parsed;
        for (const char* text : {" 12 ", "-3.5", "&hff", "&HFF&", "&H8000000F&", "", "12abc", "&H", "&HXYZ", "1,000",
                                 "nan", "-inf", "1e400", "0x10", "  ", "&H-1", "&H 1", "&H0x10"}) {
            double value = 0;
            parsed << (ParseProfileNumber(QString::fromUtf8(text), value) ? QString::number(value, 'f', 1) : QStringLiteral("no"));
        }
        QCOMPARE(parsed, (QStringList{"12.0", "-3.5", "255.0", "255.0", "2147483663.0", "no", "no", "no", "no", "no",
                                      "no", "no", "no", "no", "no", "no", "no", "no"}));
        QStringList colours;
        for (const double number : {0.0, -1.0, -2147483648.0, -2147483649.0, 4294967295.0, 4294967296.0, 0.5}) {
            quint32 value = 7;
            colours << (ColourValue(number, value) ? QString::number(value, 16) : QStringLiteral("no"));
        }
        QCOMPARE(colours, (QStringList{"0", "ffffffff", "80000000", "no", "ffffffff", "no", "0"}));
    }

    void environment()
    {
        Site site;
        QCOMPARE(ReadEnvironmentSettings(site.ProgramFolder()).MachineName, Blanks(50));  // no file
        const QString digits = QStringLiteral("0123456789");
        // 50 characters, padded; the 64-byte buffer keeps 31 kanji (62 bytes) of 40.
        const QList<std::pair<QString, QString>> rows{
            {QStringLiteral("担当ｱ"), QStringLiteral("担当ｱ") + Blanks(47)}, {digits.repeated(7), digits.repeated(5)},
            {QStringLiteral("漢").repeated(40), QStringLiteral("漢").repeated(31) + Blanks(19)},
            {QStringLiteral("' pw '"), QStringLiteral(" pw") + Blanks(47)}, {QString(), Blanks(50)}};
        for (const auto& [value, stored] : rows) {
            site.Write(Ini(QStringLiteral("USERID"), value));
            const EnvironmentSettings s = ReadEnvironmentSettings(site.ProgramFolder());
            QCOMPARE(s.UserId, stored);
            QCOMPARE(s.MachineName + s.Password + s.DbString, QStringLiteral("SERVER01") + Blanks(42) + QStringLiteral("secret")
                                                                + Blanks(44) + QStringLiteral("EDIDB") + Blanks(45));
        }
    }

    void display()
    {
        Site site;
        site.Write(Ini(QStringLiteral("TextFontName"), QStringLiteral("0123456789").repeated(30)));
        DisplaySettings d;
        FurtherSettings f;
        QVERIFY(site.ReadDisplay(d, f));
        QCOMPARE(d.FormBackColor, QStringLiteral("&H8000000F&"));
        QCOMPARE((QList<double>{d.Label.BackColor, d.Label.ForeColor, d.Text.BackColor, d.TextFocusColor,
                                d.Text.ForeColor, d.Title.BackColor, d.Title.ForeColor}),
                 (QList<double>{12632256, 0, 16777215, 65535, 255, 8388608, -2147483630}));
        QStringList fonts, expected;
        for (const LookSettings* l : {&d.Label, &d.Text, &d.Title})
            fonts << l->FontBold << l->FontItalic << l->FontName << l->FontSize << l->FontStrikethru << l->FontUnderline;
        for (const char* look : kLooks)
            for (const char* font : kFonts)
                expected << QLatin1String(look) + QLatin1String(font);
        expected[8] = QStringLiteral("0123456789").repeated(30).left(255);  // a 256-byte buffer
        QCOMPARE(fonts, expected);
        QCOMPARE(f.Minimaize, qint16(1));
        // A colour that is empty, missing, no number, above 0xFFFFFF or with the top bit set but no
        // system colour (0-24), or a MINIMAIZE out of 16 bits, is refused.
        const struct { const char *key, *value; bool ok; } rows[] = {
            {"LabelBackColor", "", false}, {"TextFocusColor", nullptr, false}, {"TitleForeColor", "red", false},
            {"TextBackColor", "&H80000018&", true}, {"TextFocusColor", "&H80000019&", false},
            {"TextBackColor", "&HFFFFFF", true}, {"TextBackColor", "&H1000000", false}, {"LabelForeColor", "-1", false},
            {"TitleBackColor", "4294967296", true},  // beyond 32 bits: refused only when applied
            {"MINIMAIZE", "-32768", true}, {"MINIMAIZE", "&H7FFF", true}, {"MINIMAIZE", "\"5\"", true},
            {"MINIMAIZE", "32767.4", true}, {"MINIMAIZE", "32767.5", false}, {"MINIMAIZE", "-32768.5", true}, {"MINIMAIZE", "-32768.6", false},
            {"MINIMAIZE", "32768", false}, {"MINIMAIZE", "-32769", false}, {"MINIMAIZE", nullptr, false},
        };
        for (const auto& r : rows) {
            site.Write(Ini(QLatin1String(r.key), r.value ? QString::fromUtf8(r.value) : QString()));
            QVERIFY2(site.ReadDisplay(d, f) == r.ok, r.key);
        }
    }

    void categoryFilePath()
    {
        Site site;
        const QString root = site.Root();
        // A relative path lies below the folder of EDI.ini; the key is read into a 64-byte buffer.
        const QList<std::pair<QString, QString>> rows{
            {QStringLiteral("情報区分.TXT"), root + QStringLiteral("/情報区分.TXT")},
            {QString(70, QLatin1Char('x')), root + QLatin1Char('/') + QString(63, QLatin1Char('x'))},
            {QStringLiteral("/srv/edi/J.TXT"), QStringLiteral("/srv/edi/J.TXT")}, {QStringLiteral(""), QString()},
            {QString(), QString()}};
        for (const auto& [value, path] : rows) {
            site.Write(Ini(QStringLiteral("JOHOKUBUN"), value));
            QCOMPARE(ReadCategoryFilePath(site.ProgramFolder()), path);
        }
    }

    // Only the host name has a consumer; the rest is checked against Qt's view of the machine.
    void systemProfile()
    {
        const SystemProfile p = LoadSystemProfile();
        QCOMPARE(p.Machine, QSysInfo::machineHostName());
        QCOMPARE(p.OS.toLower(), QSysInfo::kernelType());
        const QStringList release = QSysInfo::kernelVersion().split(QRegularExpression(QStringLiteral("[.-]")));
        QCOMPARE(p.Ver, release.mid(0, 2).join(QLatin1Char('.')));
        QCOMPARE(cProfile().Build(), release.value(2));
        QVERIFY(cProfile().Domain() != QLatin1String("(none)"));
    }
};

QTEST_GUILESS_MAIN(TestStoreConfig)
#include "test_store_config.moc"
