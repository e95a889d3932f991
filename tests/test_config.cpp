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

    void Write(const QString& text) const
    {
        QFile file(IniPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ToAnsi(text));
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
    void profileValue_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("value");
        const struct { const char *name, *file, *value; } rows[] = {
            {"no final line end", "[S]\nK=v", "v"},
            {"case-insensitive", "[s]\nk=7\n", "7"},
            {"blanks around", "  [ S ]  \r\n \t K \t= \t a b \t\r\n", "a b"},
            {"double quotes", "[S]\nK= \" a \" \n", " a "},
            {"mismatched quotes", "[S]\nK=\"x'\n", "\"x'"},
            {"equals in value", "[S]\nK=a=b\n", "a=b"},
            {"comments", "[S]\n;K=1\n  ;K=2\nK=3\n", "3"},
            {"first wins", "[S]\nK=1\nk=2\n", "1"},
            {"empty value first", "[S]\nK=\nK=2\n", ""},
            {"other sections: the default", "[A]\nK=1\n[S]\nJ=2\n[B]\nK=3\n", "d"},
            {"line without equals", "[S]\nK\nKEY=1\nK=2\n", "2"},
            // Trail bytes 0x5B, 0x5C and 0x5D are '[', '\' and ']' in ASCII.
            {"trail bytes", "[S]\nK=ソ表[]\n", "ソ表[]"},
        };
        for (const auto& r : rows)
            QTest::newRow(r.name) << QString::fromUtf8(r.file) << QString::fromUtf8(r.value);
    }

    void profileValue()
    {
        QFETCH(QString, file);
        QFETCH(QString, value);
        Site site;
        site.Write(file);
        const QString path = site.IniPath();
        QCOMPARE(TrimAtNull(ReadProfileBuffer(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d"), 256, path)),
                 value);
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
        QCOMPARE(ReadProfileBuffer(QStringLiteral("S"), QStringLiteral("K"), value, bufferSize, path), buffer);
        site.Write(QStringLiteral("[S]\r\nK=") + value + QStringLiteral("\r\n"));
        QCOMPARE(ReadProfileBuffer(QStringLiteral("S"), QStringLiteral("K"), QString(), bufferSize, path), buffer);
        QCOMPARE(ReadProfileBuffer(QStringLiteral("T"), QStringLiteral("K"), value, bufferSize, path), buffer);
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

    void parseNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        const struct { const char* text; bool ok; double value; } rows[] = {
            {" 12 ", true, 12}, {"-3.5", true, -3.5}, {"&hff", true, 255}, {"&HFF&", true, 255},
            {"&H8000000F&", true, 2147483663.0}, {"", false, 0}, {"12abc", false, 0}, {"&H", false, 0},
            {"&HXYZ", false, 0}, {"1,000", false, 0}, {"nan", false, 0}, {"-inf", false, 0},
        };
        for (const auto& r : rows)
            QTest::addRow("'%s'", r.text) << QString::fromUtf8(r.text) << r.ok << r.value;
    }

    void parseNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        double parsed = 0;
        QCOMPARE(ParseProfileNumber(text, parsed), ok);
        if (ok)
            QCOMPARE(parsed, value);
    }

    void environment_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("stored");
        const QString digits = QStringLiteral("0123456789");
        QTest::newRow("short") << QStringLiteral("担当ｱ") << QStringLiteral("担当ｱ") + Blanks(47);
        QTest::newRow("70 bytes") << digits.repeated(7) << digits.repeated(5);
        // 40 kanji are 80 bytes: the reader keeps 31 of them (62 bytes).
        QTest::newRow("40 kanji") << QStringLiteral("漢").repeated(40) << QStringLiteral("漢").repeated(31) + Blanks(19);
        QTest::newRow("quoted") << QStringLiteral("' pw '") << QStringLiteral(" pw") + Blanks(47);
        QTest::newRow("missing") << QString() << Blanks(50);
    }

    void environment()
    {
        QFETCH(QString, value);
        QFETCH(QString, stored);
        Site site;
        QCOMPARE(ReadEnvironmentSettings(site.ProgramFolder()).MachineName, Blanks(50));  // no file
        site.WriteIni(QStringLiteral("USERID"), value);
        const EnvironmentSettings s = ReadEnvironmentSettings(site.ProgramFolder());
        QCOMPARE(s.UserId, stored);
        QCOMPARE(s.MachineName, QStringLiteral("SERVER01") + Blanks(42));
        QCOMPARE(s.Password, QStringLiteral("secret") + Blanks(44));
        QCOMPARE(s.DbString, QStringLiteral("EDIDB") + Blanks(45));
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
                 (QList<double>{12632256, 0, 16777215, 65535, 255, 8388608, -1}));
        QCOMPARE(d.Label.FontName, QStringLiteral("ＭＳ ゴシック"));
        QCOMPARE(d.Text.FontName, longName.left(255));
        QCOMPARE(d.Text.FontSize, QStringLiteral("10.5"));
        QCOMPARE(d.Title.FontStrikethru, QStringLiteral("True"));
        QCOMPARE(f.Minimaize, qint16(1));
        QCOMPARE((QStringList{f.Qvb100Path, f.EdiInFil, f.EdiOutFil, f.OldFile}),
                 (QStringList{"C:\\QVB\\BIN", "受信.DAT", "", "OLD.DAT"}));
        QVERIFY(f.DebugMode);
    }

    void displayValue_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("stored");  // MINIMAIZE, or MODE as 0 or 1
        const struct { const char *key, *value; bool ok; int stored; } rows[] = {
            {"LabelBackColor", "", false, 0}, {"TextFocusColor", nullptr, false, 0}, {"TitleForeColor", "red", false, 0},
            {"MINIMAIZE", "-32768", true, -32768}, {"MINIMAIZE", "32767", true, 32767}, {"MINIMAIZE", "&H10", true, 16},
            {"MINIMAIZE", "\"5\"", true, 5}, {"MINIMAIZE", "32768", false, 0}, {"MINIMAIZE", "-32769", false, 0},
            {"MINIMAIZE", "", false, 0}, {"MINIMAIZE", "nan", false, 0}, {"MINIMAIZE", nullptr, false, 0},
            {"MODE", "  1 ", true, 1}, {"MODE", "01", true, 0}, {"MODE", "True", true, 0}, {"MODE", nullptr, true, 0},
        };
        for (const auto& r : rows)
            QTest::addRow("%s '%s'", r.key, r.value ? r.value : "missing")
                << QString::fromLatin1(r.key) << (r.value ? QString::fromUtf8(r.value) : QString()) << r.ok << r.stored;
    }

    void displayValue()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(bool, ok);
        QFETCH(int, stored);
        Site site;
        site.WriteIni(key, value);
        DisplaySettings d;
        FurtherSettings f;
        f.DebugMode = stored == 0;
        QCOMPARE(site.ReadDisplay(d, f), ok);
        if (ok)
            QCOMPARE(key == QLatin1String("MODE") ? int(f.DebugMode) : int(f.Minimaize), stored);
    }

    void categoryFilePath_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("underRoot");
        QTest::addColumn<QString>("path");
        QTest::newRow("relative") << QStringLiteral("情報区分.TXT") << QStringLiteral("/情報区分.TXT") << QString();
        // The key is read into a 64-byte buffer.
        QTest::newRow("long") << QString(70, QLatin1Char('x')) << QLatin1Char('/') + QString(63, QLatin1Char('x')) << QString();
        QTest::newRow("absolute") << QStringLiteral("/srv/edi/J.TXT") << QString() << QStringLiteral("/srv/edi/J.TXT");
        QTest::newRow("empty") << QStringLiteral("") << QString() << QString();
        QTest::newRow("missing") << QString() << QString() << QString();
    }

    void categoryFilePath()
    {
        QFETCH(QString, value);
        QFETCH(QString, underRoot);
        QFETCH(QString, path);
        Site site;
        site.WriteIni(QStringLiteral("JOHOKUBUN"), value);
        QCOMPARE(ReadCategoryFilePath(site.ProgramFolder()), underRoot.isEmpty() ? path : site.Root() + underRoot);
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "test_config.moc"
