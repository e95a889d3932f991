// Profile-file reading and every value the program takes from EDI.ini.

#include "store/config.h"
#include "store/profile_file.h"
#include "core/shift_jis.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A complete, valid EDI.ini.
const char* const kIni = R"(; site configuration
[動作環境]
MACHINENAME=SERVER01
USERID=edi
PASSWD=secret
DBSTRING=EDIDB
[Setting0]
FormBackColor=&H8000000F&
LabelBackColor=12632256
LabelFontBold=True
LabelFontItalic=False
LabelFontName=ＭＳ ゴシック
LabelFontSize=9
LabelFontStrikethru=False
LabelFontUnderline=False
LabelForeColor=0
TextBackColor=16777215
TextFocusColor=&H00FFFF
TextFontBold=False
TextFontItalic=True
TextFontName=ＭＳ 明朝
TextFontSize=10.5
TextFontStrikethru=False
TextFontUnderline=True
TextForeColor=255
TitleBackColor=&H800000
TitleFontBold=True
TitleFontItalic=False
TitleFontName=Arial
TitleFontSize=12
TitleFontStrikethru=True
TitleFontUnderline=False
TitleForeColor=-2147483630
[K450310]
MINIMAIZE=1
[PATH]
JOHOKUBUN=data/JOHOKUBUN.TXT
)";

// A temporary site: the program folder is PGM/BIN, EDI.ini lies in the root.
class Site {
public:
    QString Root() const { return dir_.path(); }
    QString ProgramFolder() const { return Root() + QStringLiteral("/PGM/BIN"); }
    QString IniPath() const { return Root() + QStringLiteral("/EDI.ini"); }

    // CP932, or UTF-8 after a byte-order mark.
    void Write(const QString& text, bool bom = false) const
    {
        QFile file(IniPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bom ? "\xEF\xBB\xBF" + text.toUtf8() : ToAnsi(text));
    }

    // The complete file with CRLF ends and one key changed; a null value drops the key.
    void WriteIni(const QString& key, const QString& value) const
    {
        QString text = QString::fromUtf8(kIni);
        const QRegularExpression line(QStringLiteral("^%1=.*\\n").arg(key), QRegularExpression::MultilineOption);
        QVERIFY(text.contains(line));
        text.replace(line, value.isNull() ? QString() : key + QLatin1Char('=') + value + QLatin1Char('\n'));
        Write(text.replace(QLatin1Char('\n'), QLatin1String("\r\n")));
    }

    // Reads the display settings; false when they were refused.
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

class TestConfig : public QObject {
    Q_OBJECT

private slots:
    void profileValues()
    {
        const struct { const char *file, *value; } rows[] = {
            {"[S]\nK=v", "v"},                                   // no final line end
            {"[s]\nk=7\n", "7"},                                 // case-insensitive
            {"  [ S ]  \r\n \t K \t= \t a b \t\r\n", "a b"},    // blanks around
            {"[S]\nK= \" a \" \n", " a "},                        // matching quotes go
            {"[S]\nK=\"x'\n", "\"x'"},                             // mismatched ones stay
            {"[S]\nK=a=b\n", "a=b"},
            {"[S]\n;K=1\n  ;K=2\nK=3\n", "3"},                    // comments
            {"[S]\nK=1\nk=2\n", "1"},                             // the first wins
            {"[S]\nK=\nK=2\n", ""},                               // even when empty
            {"[A]\nK=1\n[S]\nJ=2\n[B]\nK=3\n", "d"},              // other sections: the default
            {"[S]\nK\nKEY=1\nK=2\n", "2"},                        // a line without equals
            {"[S]\nK=ソ表[]\n", "ソ表[]"},  // trail bytes 0x5B, 0x5C, 0x5D are '[', '\' and ']' in ASCII
            {"\xEF\xBB\xBF[S]\nK=ソ表\n", "ソ表"},                 // UTF-8 after a byte-order mark
        };
        QStringList read, expected;
        for (const auto& r : rows) {
            Site site;
            site.Write(QString::fromUtf8(r.file), QByteArray(r.file).startsWith("\xEF\xBB\xBF"));
            read << TrimAtNull(ProfileFile(site.IniPath()).Buffer(QStringLiteral("S"), QStringLiteral("K"),
                                                                  QStringLiteral("d"), 256));
            expected << QString::fromUtf8(r.value);
        }
        QCOMPARE(read, expected);
    }

    void profileBuffer_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("bufferSize");
        QTest::addColumn<QByteArray>("buffer");
        QTest::newRow("short") << QStringLiteral("AB") << 8 << QByteArray("AB\0     ", 8);
        QTest::newRow("cut") << QStringLiteral("ABCDEFGHIJ") << 8 << QByteArray("ABCDEFG\0", 8);
        QTest::newRow("empty") << QString() << 4 << QByteArray("\0   ", 4);
        QTest::newRow("kanji not split") << QStringLiteral("漢字漢") << 6 << QByteArray("\x8A\xBF\x8E\x9A\0 ", 6);
    }

    void profileBuffer()
    {
        QFETCH(QString, value);
        QFETCH(int, bufferSize);
        QFETCH(QByteArray, buffer);
        Site site;
        const QString path = site.IniPath();
        // A missing file, section or key reads as the default, through the same buffer.
        QCOMPARE(ProfileFile(path).Buffer(QStringLiteral("S"), QStringLiteral("K"), value, bufferSize), buffer);
        site.Write(QStringLiteral("[S]\r\nK=") + value + QStringLiteral("\r\n"));
        const ProfileFile profile(path);
        QCOMPARE(profile.Buffer(QStringLiteral("S"), QStringLiteral("K"), QString(), bufferSize), buffer);
        QCOMPARE(profile.Buffer(QStringLiteral("T"), QStringLiteral("K"), value, bufferSize), buffer);
        // Blanks before the NUL stay; without a NUL there is no text.
        QCOMPARE(TrimAtNull(QByteArray(" A \0CD", 6)), QStringLiteral(" A "));
        QCOMPARE(TrimAtNull(QByteArray("AB  ")), QString());
    }

    void configFolder()
    {
        QCOMPARE(ConfigFilePath(QStringLiteral("/site/PGM/BIN")), QStringLiteral("/site/EDI.ini"));
        QCOMPARE(ConfigFolder(QStringLiteral("/a/b/c/d")), QStringLiteral("/a/b"));
        QCOMPARE(ConfigFolder(QStringLiteral("/A/B")), QString());
        for (const char* folder : {"/A", "A/B", "A"}) {
            QVERIFY_THROWS_EXCEPTION(ConfigReadError, ConfigFilePath(QLatin1String(folder)));
            QVERIFY_THROWS_EXCEPTION(ConfigReadError, ReadEnvironmentSettings(QLatin1String(folder)));
        }
    }

    void numbers()
    {
        QStringList parsed;
        for (const char* text : {" 12 ", "-3.5", "&hff", "&HFF&", "&H8000000F&", "", "12abc", "&H", "&HXYZ", "1,000",
                                 "nan", "-inf", "1e400", "0x10", "  ", "&H-1", "&H 1", "&H0x10"}) {
            double value = 0;
            parsed << (ParseProfileNumber(QString::fromUtf8(text), value) ? QString::number(value, 'f', 1)
                                                                         : QStringLiteral("no"));
        }
        QCOMPARE(parsed, (QStringList{"12.0", "-3.5", "255.0", "255.0", "2147483663.0", "no", "no", "no", "no", "no",
                                      "no", "no", "no", "no", "no", "no", "no", "no"}));
    }

    void environment()
    {
        Site site;
        QCOMPARE(ReadEnvironmentSettings(site.ProgramFolder()).MachineName, Blanks(50));  // no file
        const QString digits = QStringLiteral("0123456789");
        // 50 bytes, padded; 40 kanji are 80 bytes: the reader keeps 31 of them (62 bytes).
        const QList<std::pair<QString, QString>> rows{
            {QStringLiteral("担当ｱ"), QStringLiteral("担当ｱ") + Blanks(47)},
            {digits.repeated(7), digits.repeated(5)},
            {QStringLiteral("漢").repeated(40), QStringLiteral("漢").repeated(31) + Blanks(19)},
            {QStringLiteral("' pw '"), QStringLiteral(" pw") + Blanks(47)},
            {QString(), Blanks(50)}};
        for (const auto& [value, stored] : rows) {
            site.WriteIni(QStringLiteral("USERID"), value);
            const EnvironmentSettings s = ReadEnvironmentSettings(site.ProgramFolder());
            QCOMPARE(s.UserId, stored);
            QCOMPARE(s.MachineName + s.Password + s.DbString,
                     QStringLiteral("SERVER01") + Blanks(42) + QStringLiteral("secret") + Blanks(44)
                         + QStringLiteral("EDIDB") + Blanks(45));
        }
    }

    void display()
    {
        Site site;
        const QString longName = QStringLiteral("0123456789").repeated(30);
        site.WriteIni(QStringLiteral("TextFontName"), longName);
        DisplaySettings d;
        FurtherSettings f;
        QVERIFY(site.ReadDisplay(d, f));
        QCOMPARE(d.FormBackColor, QStringLiteral("&H8000000F&"));
        QCOMPARE((QList<double>{d.Label.BackColor, d.Label.ForeColor, d.Text.BackColor, d.TextFocusColor,
                                d.Text.ForeColor, d.Title.BackColor, d.Title.ForeColor}),
                 (QList<double>{12632256, 0, 16777215, 65535, 255, 8388608, -2147483630}));
        QCOMPARE((QStringList{d.Label.FontName, d.Text.FontName, d.Text.FontSize, d.Title.FontStrikethru}),
                 (QStringList{"ＭＳ ゴシック", longName.left(255), "10.5", "True"}));
        QCOMPARE(f.Minimaize, qint16(1));
        // A colour that is empty, missing, no number, above 0xFFFFFF or with the top bit set but no
        // system colour (0-24), or a MINIMAIZE out of 16 bits, is refused.
        const struct { const char *key, *value; bool ok; } rows[] = {
            {"LabelBackColor", "", false}, {"TextFocusColor", nullptr, false}, {"TitleForeColor", "red", false},
            {"TextBackColor", "&H80000018&", true}, {"TextFocusColor", "&H80000019&", false},
            {"TextBackColor", "&H1000000", false},
            {"LabelForeColor", "-1", false},
            {"MINIMAIZE", "-32768", true}, {"MINIMAIZE", "&H7FFF", true}, {"MINIMAIZE", "\"5\"", true},
            {"MINIMAIZE", "32768", false}, {"MINIMAIZE", "-32769", false}, {"MINIMAIZE", nullptr, false},
        };
        for (const auto& r : rows) {
            site.WriteIni(QLatin1String(r.key), r.value ? QString::fromUtf8(r.value) : QString());
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
            {QStringLiteral("/srv/edi/J.TXT"), QStringLiteral("/srv/edi/J.TXT")},
            {QStringLiteral(""), QString()},
            {QString(), QString()}};
        for (const auto& [value, path] : rows) {
            site.WriteIni(QStringLiteral("JOHOKUBUN"), value);
            QCOMPARE(ReadCategoryFilePath(site.ProgramFolder()), path);
        }
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "test_config.moc"
