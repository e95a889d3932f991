// Profile-file reading and every value the program takes from EDI.ini.

#include "shell/config.h"
#include "shell/profile_file.h"
#include "shell/shift_jis.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

struct IniEntry {
    QString section;
    QString key;
    QString value;
};

// A complete, valid EDI.ini; each value is the one the tests expect by default.
QList<IniEntry> DefaultIni()
{
    const QString env = QStringLiteral("動作環境");
    const QString s0 = QStringLiteral("Setting0");
    const QString path = QStringLiteral("PATH");
    return {
        {env, QStringLiteral("MACHINENAME"), QStringLiteral("SERVER01")},
        {env, QStringLiteral("USERID"), QStringLiteral("edi")},
        {env, QStringLiteral("PASSWD"), QStringLiteral("secret")},
        {env, QStringLiteral("DBSTRING"), QStringLiteral("EDIDB")},
        {s0, QStringLiteral("FormBackColor"), QStringLiteral("&H8000000F&")},
        {s0, QStringLiteral("LabelBackColor"), QStringLiteral("12632256")},
        {s0, QStringLiteral("LabelFontBold"), QStringLiteral("True")},
        {s0, QStringLiteral("LabelFontItalic"), QStringLiteral("False")},
        {s0, QStringLiteral("LabelFontName"), QStringLiteral("ＭＳ ゴシック")},
        {s0, QStringLiteral("LabelFontSize"), QStringLiteral("9")},
        {s0, QStringLiteral("LabelFontStrikethru"), QStringLiteral("False")},
        {s0, QStringLiteral("LabelFontUnderline"), QStringLiteral("False")},
        {s0, QStringLiteral("LabelForeColor"), QStringLiteral("0")},
        {s0, QStringLiteral("TextBackColor"), QStringLiteral("16777215")},
        {s0, QStringLiteral("TextFocusColor"), QStringLiteral("&H00FFFF")},
        {s0, QStringLiteral("TextFontBold"), QStringLiteral("False")},
        {s0, QStringLiteral("TextFontItalic"), QStringLiteral("True")},
        {s0, QStringLiteral("TextFontName"), QStringLiteral("ＭＳ 明朝")},
        {s0, QStringLiteral("TextFontSize"), QStringLiteral("10.5")},
        {s0, QStringLiteral("TextFontStrikethru"), QStringLiteral("False")},
        {s0, QStringLiteral("TextFontUnderline"), QStringLiteral("True")},
        {s0, QStringLiteral("TextForeColor"), QStringLiteral("255")},
        {s0, QStringLiteral("TitleBackColor"), QStringLiteral("&H800000")},
        {s0, QStringLiteral("TitleFontBold"), QStringLiteral("True")},
        {s0, QStringLiteral("TitleFontItalic"), QStringLiteral("False")},
        {s0, QStringLiteral("TitleFontName"), QStringLiteral("Arial")},
        {s0, QStringLiteral("TitleFontSize"), QStringLiteral("12")},
        {s0, QStringLiteral("TitleFontStrikethru"), QStringLiteral("True")},
        {s0, QStringLiteral("TitleFontUnderline"), QStringLiteral("False")},
        {s0, QStringLiteral("TitleForeColor"), QStringLiteral("-1")},
        {QStringLiteral("K450310"), QStringLiteral("MINIMAIZE"), QStringLiteral("1")},
        {path, QStringLiteral("QVB100_PATH"), QStringLiteral("C:\\QVB\\BIN")},
        {path, QStringLiteral("EDIINFIL"), QStringLiteral("受信.DAT")},
        {path, QStringLiteral("EDIOUTFIL"), QStringLiteral("送信.DAT")},
        {path, QStringLiteral("MGSTPATH"), QStringLiteral("MGST")},
        {path, QStringLiteral("OLD_FILE"), QStringLiteral("OLD.DAT")},
        {path, QStringLiteral("JOHOKUBUN"), QStringLiteral("data/JOHOKUBUN.TXT")},
        {QStringLiteral("デバッグ"), QStringLiteral("MODE"), QStringLiteral("1")},
    };
}

// The default file with one key changed; a null value drops the key's line.
QByteArray IniBytes(const QString& key = QString(), const QString& value = QString())
{
    QString text = QStringLiteral("; site configuration\r\n");
    QString section;
    for (IniEntry e : DefaultIni()) {
        if (e.section != section) {
            section = e.section;
            text += QStringLiteral("\r\n[%1]\r\n").arg(section);
        }
        if (e.key == key) {
            if (value.isNull())
                continue;
            e.value = value;
        }
        text += e.key + QLatin1Char('=') + e.value + QStringLiteral("\r\n");
    }
    return ToAnsi(text);
}

class Site {
public:
    Site() { QVERIFY(dir_.isValid()); }
    QString Root() const { return dir_.path(); }
    QString ProgramFolder() const { return Root() + QStringLiteral("/PGM/BIN"); }
    QString IniPath() const { return Root() + QStringLiteral("/EDI.ini"); }
    void Write(const QByteArray& bytes) const
    {
        QFile file(IniPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

private:
    QTemporaryDir dir_;
};

QString Blanks(int n)
{
    return QString(n, QLatin1Char(' '));
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
    void trimAtNull_data();
    void trimAtNull();
    void configFolder_data();
    void configFolder();
    void configFolderTooShallow_data();
    void configFolderTooShallow();
    void parseNumber_data();
    void parseNumber();
    void environment();
    void environmentValues_data();
    void environmentValues();
    void environmentWithoutFile();
    void display();
    void displayLongValue();
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
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    const QString s = QStringLiteral("S");
    const QString k = QStringLiteral("K");
    QTest::newRow("plain") << QByteArray("[S]\nK=v\n") << s << k << QStringLiteral("v");
    QTest::newRow("crlf") << QByteArray("[S]\r\nK=v\r\n") << s << k << QStringLiteral("v");
    QTest::newRow("no final line end") << QByteArray("[S]\nK=v") << s << k << QStringLiteral("v");
    QTest::newRow("case-insensitive names") << QByteArray("[setting0]\nformbackcolor=7\n")
                                            << QStringLiteral("Setting0")
                                            << QStringLiteral("FormBackColor")
                                            << QStringLiteral("7");
    QTest::newRow("blanks around names and value")
        << QByteArray("  [ S ]  \r\n \t K \t= \t a b \t\r\n") << s << k << QStringLiteral("a b");
    QTest::newRow("double quotes") << QByteArray("[S]\nK= \" a \" \n") << s << k
                                   << QStringLiteral(" a ");
    QTest::newRow("single quotes") << QByteArray("[S]\nK='x'\n") << s << k << QStringLiteral("x");
    QTest::newRow("mismatched quotes") << QByteArray("[S]\nK=\"x'\n") << s << k
                                       << QStringLiteral("\"x'");
    QTest::newRow("lone quote") << QByteArray("[S]\nK=\"\n") << s << k << QStringLiteral("\"");
    QTest::newRow("inner quotes") << QByteArray("[S]\nK=a\"b\"\n") << s << k
                                  << QStringLiteral("a\"b\"");
    QTest::newRow("equals in value") << QByteArray("[S]\nK=a=b\n") << s << k
                                     << QStringLiteral("a=b");
    QTest::newRow("comment") << QByteArray("[S]\n;K=1\n  ;K=2\nK=3\n") << s << k
                             << QStringLiteral("3");
    QTest::newRow("first occurrence wins") << QByteArray("[S]\nK=1\nk=2\n") << s << k
                                           << QStringLiteral("1");
    QTest::newRow("empty value") << QByteArray("[S]\nK=\nK=2\n") << s << k << QString();
    QTest::newRow("other section") << QByteArray("[A]\nK=1\n[S]\nJ=2\n[B]\nK=3\n") << s << k
                                   << QString();
    QTest::newRow("section after") << QByteArray("[A]\nK=1\n[S]\nK=2\n") << s << k
                                   << QStringLiteral("2");
    QTest::newRow("missing section") << QByteArray("[A]\nK=1\n") << s << k << QString();
    QTest::newRow("line without equals") << QByteArray("[S]\nK\nK=1\n") << s << k
                                         << QStringLiteral("1");
    QTest::newRow("prefix of key") << QByteArray("[S]\nKEY=1\nK=2\n") << s << k
                                   << QStringLiteral("2");
    QTest::newRow("japanese section and value")
        << ToAnsi(QStringLiteral("[動作環境]\r\nUSERID=担当者ｱ\r\n"))
        << QStringLiteral("動作環境") << QStringLiteral("USERID") << QStringLiteral("担当者ｱ");
    // Trail bytes 0x5B, 0x5C and 0x5D are '[', '\' and ']' in ASCII.
    QTest::newRow("trail bytes like brackets")
        << ToAnsi(QStringLiteral("[表示]\nK=ソ表[]\n")) << QStringLiteral("表示") << k
        << QStringLiteral("ソ表[]");
}

void TestConfig::profileValue()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    Site site;
    site.Write(file);
    const QByteArray buffer = ReadProfileBuffer(section, key, QString(), 256, site.IniPath());
    QCOMPARE(buffer.size(), 256);
    QCOMPARE(TrimAtNull(buffer), value);
}

void TestConfig::profileDefault()
{
    Site site;
    const QString def = QStringLiteral("既定");
    QCOMPARE(TrimAtNull(ReadProfileBuffer(QStringLiteral("S"), QStringLiteral("K"), def, 16,
                                          site.IniPath())),
             def);
    site.Write("[S]\nK=\nJ=1\n");
    // A key present with an empty value does not fall back to the default.
    QCOMPARE(TrimAtNull(ReadProfileBuffer(QStringLiteral("S"), QStringLiteral("K"), def, 16,
                                          site.IniPath())),
             QString());
    QCOMPARE(TrimAtNull(ReadProfileBuffer(QStringLiteral("S"), QStringLiteral("X"), def, 16,
                                          site.IniPath())),
             def);
    QCOMPARE(TrimAtNull(ReadProfileBuffer(QStringLiteral("T"), QStringLiteral("K"), def, 16,
                                          site.IniPath())),
             def);
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
    QTest::newRow("half-width kana") << QStringLiteral("ｱｲｳ") << 3 << QByteArray("\xB1\xB2\0", 3);
}

void TestConfig::profileBuffer()
{
    QFETCH(QString, value);
    QFETCH(int, bufferSize);
    QFETCH(QByteArray, buffer);
    Site site;
    site.Write(ToAnsi(QStringLiteral("[S]\r\nK=") + value + QStringLiteral("\r\n")));
    QCOMPARE(ReadProfileBuffer(QStringLiteral("S"), QStringLiteral("K"), QString(), bufferSize,
                               site.IniPath()),
             buffer);
    // The default goes through the same buffer.
    QCOMPARE(ReadProfileBuffer(QStringLiteral("S"), QStringLiteral("X"), value, bufferSize,
                               site.IniPath()),
             buffer);
}

void TestConfig::trimAtNull_data()
{
    QTest::addColumn<QByteArray>("buffer");
    QTest::addColumn<QString>("text");
    QTest::newRow("before nul") << QByteArray("AB\0CD", 5) << QStringLiteral("AB");
    QTest::newRow("nul first") << QByteArray("\0AB", 3) << QString();
    QTest::newRow("no nul") << QByteArray("AB  ") << QString();
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("cp932") << QByteArray("\x8A\xBF\x8E\x9A\0 ", 6) << QStringLiteral("漢字");
    QTest::newRow("blanks kept") << QByteArray(" A \0", 4) << QStringLiteral(" A ");
}

void TestConfig::trimAtNull()
{
    QFETCH(QByteArray, buffer);
    QFETCH(QString, text);
    QCOMPARE(TrimAtNull(buffer), text);
}

void TestConfig::configFolder_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<QString>("folder");
    QTest::newRow("site") << QStringLiteral("/site/PGM/BIN") << QStringLiteral("/site");
    QTest::newRow("deep") << QStringLiteral("/a/b/c/d") << QStringLiteral("/a/b");
    QTest::newRow("root") << QStringLiteral("/A/B") << QString();
    QTest::newRow("relative") << QStringLiteral("x/A/B") << QStringLiteral("x");
}

void TestConfig::configFolder()
{
    QFETCH(QString, programFolder);
    QFETCH(QString, folder);
    QCOMPARE(ConfigFolder(programFolder), folder);
    QCOMPARE(ConfigFilePath(programFolder), folder + QStringLiteral("/EDI.ini"));
}

void TestConfig::configFolderTooShallow_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::newRow("one separator") << QStringLiteral("/A");
    QTest::newRow("relative one separator") << QStringLiteral("A/B");
    QTest::newRow("no separator") << QStringLiteral("A");
    QTest::newRow("empty") << QString();
}

void TestConfig::configFolderTooShallow()
{
    QFETCH(QString, programFolder);
    QVERIFY_THROWS_EXCEPTION(ConfigReadError, ConfigFolder(programFolder));
    QVERIFY_THROWS_EXCEPTION(ConfigReadError, ConfigFilePath(programFolder));
    QVERIFY_THROWS_EXCEPTION(ConfigReadError, ReadEnvironmentSettings(programFolder));
}

void TestConfig::parseNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << QStringLiteral("12632256") << true << 12632256.0;
    QTest::newRow("blanks") << QStringLiteral(" 12 ") << true << 12.0;
    QTest::newRow("negative fraction") << QStringLiteral("-3.5") << true << -3.5;
    QTest::newRow("hex") << QStringLiteral("&H00FF00") << true << 65280.0;
    QTest::newRow("hex lower case") << QStringLiteral("&hff") << true << 255.0;
    QTest::newRow("hex long suffix") << QStringLiteral("&HFF&") << true << 255.0;
    QTest::newRow("system colour") << QStringLiteral("&H8000000F&") << true << 2147483663.0;
    QTest::newRow("empty") << QString() << false << 0.0;
    QTest::newRow("word") << QStringLiteral("abc") << false << 0.0;
    QTest::newRow("trailing letters") << QStringLiteral("12abc") << false << 0.0;
    QTest::newRow("hex prefix only") << QStringLiteral("&H") << false << 0.0;
    QTest::newRow("bad hex digits") << QStringLiteral("&HXYZ") << false << 0.0;
    QTest::newRow("group separator") << QStringLiteral("1,000") << false << 0.0;
    QTest::newRow("not a number") << QStringLiteral("nan") << false << 0.0;
    QTest::newRow("infinity") << QStringLiteral("inf") << false << 0.0;
    QTest::newRow("negative infinity") << QStringLiteral("-inf") << false << 0.0;
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

void TestConfig::environment()
{
    Site site;
    site.Write(IniBytes());
    const EnvironmentSettings s = ReadEnvironmentSettings(site.ProgramFolder());
    QCOMPARE(s.MachineName, QStringLiteral("SERVER01") + Blanks(42));
    QCOMPARE(s.UserId, QStringLiteral("edi") + Blanks(47));
    QCOMPARE(s.Password, QStringLiteral("secret") + Blanks(44));
    QCOMPARE(s.DbString, QStringLiteral("EDIDB") + Blanks(45));
}

void TestConfig::environmentValues_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("stored");
    const QString digits = QStringLiteral("0123456789");
    QTest::newRow("60 characters") << digits.repeated(6) << digits.repeated(5);
    QTest::newRow("70 bytes") << digits.repeated(7) << digits.repeated(5);
    // 40 kanji are 80 bytes: cut to 31 kanji (62 bytes) first, then padded.
    QTest::newRow("40 kanji") << QStringLiteral("漢").repeated(40)
                              << QStringLiteral("漢").repeated(31) + Blanks(19);
    QTest::newRow("kana and kanji") << QStringLiteral("担当ｱ") << QStringLiteral("担当ｱ") + Blanks(47);
    QTest::newRow("quoted") << QStringLiteral("' pw '") << QStringLiteral(" pw") + Blanks(47);
    QTest::newRow("empty") << QString(QLatin1String("")) << Blanks(50);
    QTest::newRow("missing") << QString() << Blanks(50);
}

void TestConfig::environmentValues()
{
    QFETCH(QString, value);
    QFETCH(QString, stored);
    Site site;
    site.Write(IniBytes(QStringLiteral("USERID"), value));
    const EnvironmentSettings s = ReadEnvironmentSettings(site.ProgramFolder());
    QCOMPARE(s.UserId, stored);
    QCOMPARE(s.UserId.size(), 50);
    QCOMPARE(s.MachineName, QStringLiteral("SERVER01") + Blanks(42));
}

void TestConfig::environmentWithoutFile()
{
    Site site;
    const EnvironmentSettings s = ReadEnvironmentSettings(site.ProgramFolder());
    QCOMPARE(s.MachineName, Blanks(50));
    QCOMPARE(s.UserId, Blanks(50));
    QCOMPARE(s.Password, Blanks(50));
    QCOMPARE(s.DbString, Blanks(50));
}

void TestConfig::display()
{
    Site site;
    site.Write(IniBytes());
    DisplaySettings d;
    FurtherSettings f;
    ReadDisplaySettings(site.ProgramFolder(), d, f);
    QCOMPARE(d.FormBackColor, QStringLiteral("&H8000000F&"));
    QCOMPARE(d.LabelBackColor, 12632256.0);
    QCOMPARE(d.LabelFontBold, QStringLiteral("True"));
    QCOMPARE(d.LabelFontItalic, QStringLiteral("False"));
    QCOMPARE(d.LabelFontName, QStringLiteral("ＭＳ ゴシック"));
    QCOMPARE(d.LabelFontSize, QStringLiteral("9"));
    QCOMPARE(d.LabelForeColor, 0.0);
    QCOMPARE(d.TextBackColor, 16777215.0);
    QCOMPARE(d.TextFocusColor, 65535.0);
    QCOMPARE(d.TextFontItalic, QStringLiteral("True"));
    QCOMPARE(d.TextFontName, QStringLiteral("ＭＳ 明朝"));
    QCOMPARE(d.TextFontSize, QStringLiteral("10.5"));
    QCOMPARE(d.TextFontUnderline, QStringLiteral("True"));
    QCOMPARE(d.TextForeColor, 255.0);
    QCOMPARE(d.TitleBackColor, 8388608.0);
    QCOMPARE(d.TitleFontName, QStringLiteral("Arial"));
    QCOMPARE(d.TitleFontSize, QStringLiteral("12"));
    QCOMPARE(d.TitleFontStrikethru, QStringLiteral("True"));
    QCOMPARE(d.TitleForeColor, -1.0);
    QCOMPARE(f.Minimaize, qint16(1));
    QCOMPARE(f.Qvb100Path, QStringLiteral("C:\\QVB\\BIN"));
    QCOMPARE(f.EdiInFil, QStringLiteral("受信.DAT"));
    QCOMPARE(f.EdiOutFil, QStringLiteral("送信.DAT"));
    QCOMPARE(f.MgstPath, QStringLiteral("MGST"));
    QCOMPARE(f.OldFile, QStringLiteral("OLD.DAT"));
    QVERIFY(f.DebugMode);
}

void TestConfig::displayLongValue()
{
    Site site;
    const QString digits = QStringLiteral("0123456789");
    site.Write(IniBytes(QStringLiteral("TextFontName"), digits.repeated(30)));
    DisplaySettings d;
    FurtherSettings f;
    ReadDisplaySettings(site.ProgramFolder(), d, f);
    QCOMPARE(d.TextFontName, digits.repeated(30).left(255));
}

void TestConfig::displayBadNumber_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    const char* keys[] = {"LabelBackColor", "LabelForeColor", "TextBackColor", "TextFocusColor",
                          "TextForeColor",  "TitleBackColor", "TitleForeColor"};
    for (const char* key : keys) {
        const QString k = QLatin1String(key);
        QTest::addRow("%s empty", key) << k << QString(QLatin1String(""));
        QTest::addRow("%s missing", key) << k << QString();
        QTest::addRow("%s word", key) << k << QStringLiteral("red");
    }
}

void TestConfig::displayBadNumber()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    Site site;
    site.Write(IniBytes(key, value));
    DisplaySettings d;
    FurtherSettings f;
    QVERIFY_THROWS_EXCEPTION(ConfigReadError, ReadDisplaySettings(site.ProgramFolder(), d, f));
}

void TestConfig::minimaize_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("stored");
    QTest::newRow("zero") << QStringLiteral("0") << true << 0;
    QTest::newRow("lowest") << QStringLiteral("-32768") << true << -32768;
    QTest::newRow("highest") << QStringLiteral("32767") << true << 32767;
    QTest::newRow("hex") << QStringLiteral("&H10") << true << 16;
    QTest::newRow("quoted") << QStringLiteral("\"5\"") << true << 5;
    QTest::newRow("too high") << QStringLiteral("40000") << false << 0;
    QTest::newRow("just above") << QStringLiteral("32768") << false << 0;
    QTest::newRow("just below") << QStringLiteral("-32769") << false << 0;
    QTest::newRow("empty") << QString(QLatin1String("")) << false << 0;
    QTest::newRow("missing") << QString() << false << 0;
    QTest::newRow("word") << QStringLiteral("abc") << false << 0;
    QTest::newRow("not a number") << QStringLiteral("nan") << false << 0;
    QTest::newRow("infinity") << QStringLiteral("-inf") << false << 0;
}

void TestConfig::minimaize()
{
    QFETCH(QString, value);
    QFETCH(bool, ok);
    QFETCH(int, stored);
    Site site;
    site.Write(IniBytes(QStringLiteral("MINIMAIZE"), value));
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
    QTest::newRow("leading zero") << QStringLiteral("01") << false;
    QTest::newRow("two") << QStringLiteral("2") << false;
    QTest::newRow("zero") << QStringLiteral("0") << false;
    QTest::newRow("true") << QStringLiteral("True") << false;
    QTest::newRow("empty") << QString(QLatin1String("")) << false;
    QTest::newRow("missing") << QString() << false;
}

void TestConfig::debugMode()
{
    QFETCH(QString, value);
    QFETCH(bool, debug);
    Site site;
    site.Write(IniBytes(QStringLiteral("MODE"), value));
    DisplaySettings d;
    FurtherSettings f;
    f.DebugMode = !debug;
    ReadDisplaySettings(site.ProgramFolder(), d, f);
    QCOMPARE(f.DebugMode, debug);
}

void TestConfig::categoryFilePath_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("relativeToRoot");
    QTest::addColumn<QString>("path");
    QTest::newRow("relative") << QStringLiteral("data/JOHOKUBUN.TXT")
                              << QStringLiteral("/data/JOHOKUBUN.TXT") << QString();
    QTest::newRow("relative japanese") << QStringLiteral("情報区分.TXT")
                                       << QStringLiteral("/情報区分.TXT") << QString();
    QTest::newRow("absolute") << QStringLiteral("/srv/edi/JOHOKUBUN.TXT") << QString()
                              << QStringLiteral("/srv/edi/JOHOKUBUN.TXT");
    // The key is read into a 64-byte buffer.
    QTest::newRow("long") << QString(70, QLatin1Char('x'))
                          << QLatin1Char('/') + QString(63, QLatin1Char('x')) << QString();
    QTest::newRow("empty") << QString(QLatin1String("")) << QString() << QString();
    QTest::newRow("missing") << QString() << QString() << QString();
}

void TestConfig::categoryFilePath()
{
    QFETCH(QString, value);
    QFETCH(QString, relativeToRoot);
    QFETCH(QString, path);
    Site site;
    site.Write(IniBytes(QStringLiteral("JOHOKUBUN"), value));
    const QString expected = relativeToRoot.isEmpty() ? path : site.Root() + relativeToRoot;
    QCOMPARE(ReadCategoryFilePath(site.ProgramFolder()), expected);
}

QTEST_GUILESS_MAIN(TestConfig)
#include "test_config.moc"
