// Profile-file reading and every value the program takes from EDI.ini.

#include "shell/config.h"
#include "shell/profile_file.h"
#include "shell/shift_jis.h"

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
TitleForeColor=-1
[K450310]
MINIMAIZE=1
[PATH]
QVB100_PATH=C:\QVB\BIN
EDIINFIL=受信.DAT
EDIOUTFIL=送信.DAT
MGSTPATH=MGST
OLD_FILE=OLD.DAT
JOHOKUBUN=data/JOHOKUBUN.TXT
[デバッグ]
MODE=1
)";

// A temporary site: the program folder is PGM/BIN, EDI.ini lies in the root.
class Site {
public:
    QString Root() const { return dir_.path(); }
    QString ProgramFolder() const { return Root() + QStringLiteral("/PGM/BIN"); }
    QString IniPath() const { return Root() + QStringLiteral("/EDI.ini"); }

    void Write(const QByteArray& bytes) const
    {
        QFile file(IniPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    // The complete file in CP932 with CRLF ends and one key changed; a null
    // value drops the key.
    void WriteIni(const QString& key = QString(), const QString& value = QString()) const
    {
        QString text = QString::fromUtf8(kIni);
        if (!key.isEmpty()) {
            const QRegularExpression line(QStringLiteral("^%1=.*\\n").arg(key),
                                          QRegularExpression::MultilineOption);
            QVERIFY(text.contains(line));
            const QString replacement = key + QLatin1Char('=') + value + QLatin1Char('\n');
            text.replace(line, value.isNull() ? QString() : replacement);
        }
        Write(ToAnsi(text.replace(QLatin1Char('\n'), QLatin1String("\r\n"))));
    }

private:
    QTemporaryDir dir_;
};

QString Blanks(int n)
{
    return QString(n, QLatin1Char(' '));
}

QString Read(const Site& site, const QString& key, int bufferSize = 256)
{
    return TrimAtNull(
        ReadProfileBuffer(QStringLiteral("S"), key, QString(), bufferSize, site.IniPath()));
}

}  // namespace

class TestConfig : public QObject {
    Q_OBJECT

private slots:
    void profileValue_data();
    void profileValue();
    void profileDefault();
    void profileBuffer_data();
    void profileBuffer();
    void trimAtNull();
    void configFolder_data();
    void configFolder();
    void parseNumber_data();
    void parseNumber();
    void environment_data();
    void environment();
    void display();
    void displayBadNumber_data();
    void displayBadNumber();
    void minimaize_data();
    void minimaize();
    void debugMode_data();
    void debugMode();
    void categoryFilePath_data();
    void categoryFilePath();
};

void TestConfig::profileValue_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("value");
    const struct {
        const char* name;
        const char* file;
        const char* value;
    } rows[] = {
        {"lf", "[S]\nK=v\n", "v"},
        {"no final line end", "[S]\nK=v", "v"},
        {"case-insensitive", "[s]\nk=7\n", "7"},
        {"blanks around", "  [ S ]  \r\n \t K \t= \t a b \t\r\n", "a b"},
        {"double quotes", "[S]\nK= \" a \" \n", " a "},
        {"single quotes", "[S]\nK='x'\n", "x"},
        {"mismatched quotes", "[S]\nK=\"x'\n", "\"x'"},
        {"lone quote", "[S]\nK=\"\n", "\""},
        {"inner quotes", "[S]\nK=a\"b\"\n", "a\"b\""},
        {"equals in value", "[S]\nK=a=b\n", "a=b"},
        {"comments", "[S]\n;K=1\n  ;K=2\nK=3\n", "3"},
        {"first wins", "[S]\nK=1\nk=2\n", "1"},
        {"empty value first", "[S]\nK=\nK=2\n", ""},
        {"other sections", "[A]\nK=1\n[S]\nJ=2\n[B]\nK=3\n", ""},
        {"later section", "[A]\nK=1\n[S]\nK=2\n", "2"},
        {"line without equals", "[S]\nK\nKEY=1\nK=2\n", "2"},
        {"japanese value", "[S]\r\nK=担当者ｱ\r\n", "担当者ｱ"},
        // Trail bytes 0x5B, 0x5C and 0x5D are '[', '\' and ']' in ASCII.
        {"trail bytes", "[S]\nK=ソ表[]\n", "ソ表[]"},
    };
    for (const auto& r : rows)
        QTest::newRow(r.name) << QString::fromUtf8(r.file) << QString::fromUtf8(r.value);
}

void TestConfig::profileValue()
{
    QFETCH(QString, file);
    QFETCH(QString, value);
    Site site;
    site.Write(ToAnsi(file));
    QCOMPARE(Read(site, QStringLiteral("K")), value);
}

void TestConfig::profileDefault()
{
    Site site;
    const QString def = QStringLiteral("既定");
    auto read = [&](const char* section, const char* key) {
        return TrimAtNull(ReadProfileBuffer(QLatin1String(section), QLatin1String(key), def, 16,
                                            site.IniPath()));
    };
    QCOMPARE(read("S", "K"), def);
    site.Write("[S]\nK=\n");
    QCOMPARE(read("S", "K"), QString());
    QCOMPARE(read("S", "X"), def);
    QCOMPARE(read("T", "K"), def);
}

void TestConfig::profileBuffer_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("bufferSize");
    QTest::addColumn<QByteArray>("buffer");
    QTest::newRow("short") << QStringLiteral("AB") << 8 << QByteArray("AB\0     ", 8);
    QTest::newRow("exact") << QStringLiteral("ABCDEFG") << 8 << QByteArray("ABCDEFG\0", 8);
    QTest::newRow("cut") << QStringLiteral("ABCDEFGHIJ") << 8 << QByteArray("ABCDEFG\0", 8);
    QTest::newRow("empty") << QString() << 4 << QByteArray("\0   ", 4);
    QTest::newRow("kanji not split") << QStringLiteral("漢字漢") << 6
                                     << QByteArray("\x8A\xBF\x8E\x9A\0 ", 6);
}

void TestConfig::profileBuffer()
{
    QFETCH(QString, value);
    QFETCH(int, bufferSize);
    QFETCH(QByteArray, buffer);
    Site site;
    site.Write(ToAnsi(QStringLiteral("[S]\r\nK=") + value + QStringLiteral("\r\n")));
    const QString path = site.IniPath();
    QCOMPARE(ReadProfileBuffer(QStringLiteral("S"), QStringLiteral("K"), QString(), bufferSize,
                               path),
             buffer);
    // A default goes through the same buffer.
    QCOMPARE(ReadProfileBuffer(QStringLiteral("S"), QStringLiteral("X"), value, bufferSize, path),
             buffer);
}

void TestConfig::trimAtNull()
{
    QCOMPARE(TrimAtNull(QByteArray(" A \0CD", 6)), QStringLiteral(" A "));
    QCOMPARE(TrimAtNull(QByteArray("\x8A\xBF\x8E\x9A\0 ", 6)), QStringLiteral("漢字"));
    QCOMPARE(TrimAtNull(QByteArray("\0AB", 3)), QString());
    QCOMPARE(TrimAtNull(QByteArray("AB  ")), QString());
    QCOMPARE(TrimAtNull(QByteArray()), QString());
}

void TestConfig::configFolder_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("folder");
    QTest::newRow("site") << QStringLiteral("/site/PGM/BIN") << true << QStringLiteral("/site");
    QTest::newRow("deep") << QStringLiteral("/a/b/c/d") << true << QStringLiteral("/a/b");
    QTest::newRow("root") << QStringLiteral("/A/B") << true << QString();
    QTest::newRow("one separator") << QStringLiteral("/A") << false << QString();
    QTest::newRow("relative one separator") << QStringLiteral("A/B") << false << QString();
    QTest::newRow("no separator") << QStringLiteral("A") << false << QString();
}

void TestConfig::configFolder()
{
    QFETCH(QString, programFolder);
    QFETCH(bool, ok);
    QFETCH(QString, folder);
    if (!ok) {
        QVERIFY_THROWS_EXCEPTION(ConfigReadError, ConfigFilePath(programFolder));
        QVERIFY_THROWS_EXCEPTION(ConfigReadError, ReadEnvironmentSettings(programFolder));
        return;
    }
    QCOMPARE(ConfigFolder(programFolder), folder);
    QCOMPARE(ConfigFilePath(programFolder), folder + QStringLiteral("/EDI.ini"));
}

void TestConfig::parseNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    const struct {
        const char* text;
        bool ok;
        double value;
    } rows[] = {
        {"12632256", true, 12632256}, {" 12 ", true, 12},   {"-3.5", true, -3.5},
        {"&H00FF00", true, 65280},    {"&hff", true, 255},  {"&HFF&", true, 255},
        {"&H8000000F&", true, 2147483663.0},
        {"", false, 0},    {"abc", false, 0},     {"12abc", false, 0}, {"&H", false, 0},
        {"&HXYZ", false, 0}, {"1,000", false, 0}, {"nan", false, 0},   {"inf", false, 0},
        {"-inf", false, 0},
    };
    for (const auto& r : rows)
        QTest::addRow("'%s'", r.text) << QString::fromUtf8(r.text) << r.ok << r.value;
}

void TestConfig::parseNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    double parsed = 0;
    QCOMPARE(ParseProfileNumber(text, parsed), ok);
    if (ok)
        QCOMPARE(parsed, value);
}

void TestConfig::environment_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("stored");
    const QString digits = QStringLiteral("0123456789");
    QTest::newRow("short") << QStringLiteral("担当ｱ") << QStringLiteral("担当ｱ") + Blanks(47);
    QTest::newRow("60 characters") << digits.repeated(6) << digits.repeated(5);
    QTest::newRow("70 bytes") << digits.repeated(7) << digits.repeated(5);
    // 40 kanji are 80 bytes: the reader keeps 31 of them (62 bytes).
    QTest::newRow("40 kanji") << QStringLiteral("漢").repeated(40)
                              << QStringLiteral("漢").repeated(31) + Blanks(19);
    QTest::newRow("quoted") << QStringLiteral("' pw '") << QStringLiteral(" pw") + Blanks(47);
    QTest::newRow("missing") << QString() << Blanks(50);
}

void TestConfig::environment()
{
    QFETCH(QString, value);
    QFETCH(QString, stored);
    Site site;
    const EnvironmentSettings none = ReadEnvironmentSettings(site.ProgramFolder());
    QCOMPARE(none.MachineName, Blanks(50));
    QCOMPARE(none.UserId, Blanks(50));

    site.WriteIni(QStringLiteral("USERID"), value);
    const EnvironmentSettings s = ReadEnvironmentSettings(site.ProgramFolder());
    QCOMPARE(s.UserId, stored);
    QCOMPARE(s.MachineName, QStringLiteral("SERVER01") + Blanks(42));
    QCOMPARE(s.Password, QStringLiteral("secret") + Blanks(44));
    QCOMPARE(s.DbString, QStringLiteral("EDIDB") + Blanks(45));
}

void TestConfig::display()
{
    Site site;
    const QString longName = QStringLiteral("0123456789").repeated(30);
    site.WriteIni(QStringLiteral("TextFontName"), longName);
    DisplaySettings d;
    FurtherSettings f;
    ReadDisplaySettings(site.ProgramFolder(), d, f);
    QCOMPARE(d.FormBackColor, QStringLiteral("&H8000000F&"));
    QCOMPARE(d.Label.BackColor, 12632256.0);
    QCOMPARE(d.Label.FontName, QStringLiteral("ＭＳ ゴシック"));
    QCOMPARE(d.Label.ForeColor, 0.0);
    QCOMPARE(d.Text.BackColor, 16777215.0);
    QCOMPARE(d.TextFocusColor, 65535.0);
    QCOMPARE(d.Text.FontName, longName.left(255));
    QCOMPARE(d.Text.FontSize, QStringLiteral("10.5"));
    QCOMPARE(d.Text.ForeColor, 255.0);
    QCOMPARE(d.Title.BackColor, 8388608.0);
    QCOMPARE(d.Title.FontStrikethru, QStringLiteral("True"));
    QCOMPARE(d.Title.ForeColor, -1.0);
    QCOMPARE(f.Minimaize, qint16(1));
    QCOMPARE(f.Qvb100Path, QStringLiteral("C:\\QVB\\BIN"));
    QCOMPARE(f.EdiInFil, QStringLiteral("受信.DAT"));
    QCOMPARE(f.EdiOutFil, QStringLiteral("送信.DAT"));
    QCOMPARE(f.MgstPath, QStringLiteral("MGST"));
    QCOMPARE(f.OldFile, QStringLiteral("OLD.DAT"));
    QVERIFY(f.DebugMode);
}

void TestConfig::displayBadNumber_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    const char* keys[] = {"LabelBackColor", "LabelForeColor", "TextBackColor", "TextFocusColor",
                          "TextForeColor",  "TitleBackColor", "TitleForeColor"};
    for (const char* key : keys) {
        QTest::addRow("%s empty", key) << QString::fromLatin1(key) << QStringLiteral("");
        QTest::addRow("%s missing", key) << QString::fromLatin1(key) << QString();
        QTest::addRow("%s word", key) << QString::fromLatin1(key) << QStringLiteral("red");
    }
}

void TestConfig::displayBadNumber()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    Site site;
    site.WriteIni(key, value);
    DisplaySettings d;
    FurtherSettings f;
    QVERIFY_THROWS_EXCEPTION(ConfigReadError, ReadDisplaySettings(site.ProgramFolder(), d, f));
}

void TestConfig::minimaize_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("stored");
    const struct {
        const char* value;
        bool ok;
        int stored;
    } rows[] = {
        {"0", true, 0},      {"-32768", true, -32768}, {"32767", true, 32767},
        {"&H10", true, 16},  {"\"5\"", true, 5},       {"40000", false, 0},
        {"32768", false, 0}, {"-32769", false, 0},     {"", false, 0},
        {"abc", false, 0},   {"nan", false, 0},        {"-inf", false, 0},
    };
    for (const auto& r : rows)
        QTest::addRow("'%s'", r.value) << QString::fromUtf8(r.value) << r.ok << r.stored;
    QTest::newRow("missing") << QString() << false << 0;
}

void TestConfig::minimaize()
{
    QFETCH(QString, value);
    QFETCH(bool, ok);
    QFETCH(int, stored);
    Site site;
    site.WriteIni(QStringLiteral("MINIMAIZE"), value);
    DisplaySettings d;
    FurtherSettings f;
    if (!ok) {
        QVERIFY_THROWS_EXCEPTION(ConfigReadError, ReadDisplaySettings(site.ProgramFolder(), d, f));
        return;
    }
    ReadDisplaySettings(site.ProgramFolder(), d, f);
    QCOMPARE(int(f.Minimaize), stored);
}

void TestConfig::debugMode_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("debug");
    QTest::newRow("one") << QStringLiteral("1") << true;
    QTest::newRow("one with blanks") << QStringLiteral("  1 ") << true;
    const char* off[] = {"01", "2", "0", "True", ""};
    for (const char* v : off)
        QTest::addRow("'%s'", v) << QString::fromLatin1(v) << false;
    QTest::newRow("missing") << QString() << false;
}

void TestConfig::debugMode()
{
    QFETCH(QString, value);
    QFETCH(bool, debug);
    Site site;
    site.WriteIni(QStringLiteral("MODE"), value);
    DisplaySettings d;
    FurtherSettings f;
    f.DebugMode = !debug;
    ReadDisplaySettings(site.ProgramFolder(), d, f);
    QCOMPARE(f.DebugMode, debug);
}

void TestConfig::categoryFilePath_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("underRoot");
    QTest::addColumn<QString>("path");
    QTest::newRow("relative") << QStringLiteral("data/JOHOKUBUN.TXT")
                              << QStringLiteral("/data/JOHOKUBUN.TXT") << QString();
    QTest::newRow("japanese") << QStringLiteral("情報区分.TXT") << QStringLiteral("/情報区分.TXT")
                              << QString();
    // The key is read into a 64-byte buffer.
    QTest::newRow("long") << QString(70, QLatin1Char('x'))
                          << QLatin1Char('/') + QString(63, QLatin1Char('x')) << QString();
    QTest::newRow("absolute") << QStringLiteral("/srv/edi/J.TXT") << QString()
                              << QStringLiteral("/srv/edi/J.TXT");
    QTest::newRow("empty") << QStringLiteral("") << QString() << QString();
    QTest::newRow("missing") << QString() << QString() << QString();
}

void TestConfig::categoryFilePath()
{
    QFETCH(QString, value);
    QFETCH(QString, underRoot);
    QFETCH(QString, path);
    Site site;
    site.WriteIni(QStringLiteral("JOHOKUBUN"), value);
    QCOMPARE(ReadCategoryFilePath(site.ProgramFolder()),
             underRoot.isEmpty() ? path : site.Root() + underRoot);
}

QTEST_GUILESS_MAIN(TestConfig)
#include "test_config.moc"
