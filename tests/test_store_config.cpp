// Profile files as the original platform reads them and every value the program takes from EDI.ini.

#include "core/shift_jis.h"
#include "store/config.h"
#include "store/profile_file.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestStoreConfig : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;  // the site: the program folder is PGM/BIN, EDI.ini lies in the root
    const QString program_ = dir_.filePath(QStringLiteral("PGM/BIN")), ini_ = dir_.filePath(QStringLiteral("EDI.ini"));

    // CP932 (UTF-8 after a byte-order mark), CRLF ends.
    void Write(const QString& text) const
    {
        QFile file(ini_);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(text.startsWith(QChar(0xFEFF)) ? text.toUtf8() : ToAnsi(QString(text).replace('\n', "\r\n")));
    }
    // The site's EDI.ini with one key set, or dropped for a null value.
    void WriteSite(const QString& key, const QString& value) const
    {
        QFile file(QStringLiteral(K450120_SOURCE_DIR "/site/EDI.ini.in"));
        QStringList lines = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split('\n') : QStringList();
        for (QString& line : lines)
            if (line.startsWith(key + '='))
                line = value.isNull() ? QString() : key + '=' + value;
        Write(lines.join('\n'));
    }

private slots:
    void profileValues()
    {
        const std::pair<const char*, const char*> rows[] = {
            {"[S]\nK=v", "v"}, {"[s]\nk=7\n", "7"}, {"  [ S ]  \n \t K \t= \t a b \t\n", "a b"}, {"[S]\nK= \" a \" \n", " a "},
            {"[S]\nK='x'\n", "x"}, {"[S]\nK=\"\"\n", ""}, {"[S]\nK=\"x'\n", "\"x'"}, {"[S]\nK=\"\n", "\""},
            {"[S]\nK=a=b\n", "a=b"}, {"K=0\n[S]\n;K=1\n  ;K=2\nK=3\n", "3"},  // nothing before a section; comments
            {"[S]\nK=1\nk=2\n", "1"}, {"[S]\nK=\nK=2\n", ""}, {"[A]\nK=1\n[S]\nJ=2\n[B]\nK=3\n", "d"}, {"[S\nK=4\n", "4"},
            {"[S]\nK\nKEY=1\nK=2\n", "2"}, {"[S]\nK=ソ表[]\n", "ソ表[]"},  // trail bytes 0x5B-0x5D: '[', '\' and ']' in ASCII
            {"\xEF\xBB\xBF[S]\nK=ソ表\n", "ソ表"}};
        for (const auto& [file, value] : rows) {
            Write(QString::fromUtf8(file));
            QCOMPARE(TrimAtNull(ProfileFile(ini_).Buffer("S", "K", "d", 256)), QString::fromUtf8(value));
        }
        // As it lands in a caller's buffer: cut without splitting a kanji, a NUL, then blanks.
        Write(QStringLiteral("[S]\nK=漢字漢"));
        QCOMPARE(ProfileFile(ini_).Buffer("S", "K", QString(), 6), QByteArray("\x8A\xBF\x8E\x9A\0 ", 6));
        QCOMPARE(TrimAtNull(QByteArray(" A \0CD", 6)) + TrimAtNull("AB  "), QStringLiteral(" A "));
    }

    // EDI.ini lies two levels above the program's folder. Environment values: 50 characters, padded; the
    // 64-byte buffer keeps 31 kanji (62 bytes) of 40. The category file: below the folder of EDI.ini when relative.
    void environmentAndCategoryFile()
    {
        for (const char* folder : {"/A", "A/B", ""})
            QVERIFY_THROWS_EXCEPTION(ConfigReadError, ConfigFilePath(QLatin1String(folder)));
        QCOMPARE(ConfigFilePath(QStringLiteral("A/B/C")) + ConfigFolder(QStringLiteral("/A/B")), QStringLiteral("A/EDI.ini"));
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("odd/EDI.ini")));  // unreadable: an error, not an empty file
        QVERIFY_THROWS_EXCEPTION(ConfigReadError, ReadEnvironmentSettings(dir_.filePath(QStringLiteral("odd/PGM/BIN"))));
        const QString blanks(50, ' '), kanji = QStringLiteral("漢").repeated(40), root = dir_.path();
        const struct { const char* key; QString value, read; } rows[] = {
            {"USERID", "担当ｱ", "担当ｱ" + blanks.left(47)}, {"USERID", QString(70, 'd'), QString(50, 'd')},
            {"USERID", kanji, kanji.left(31) + blanks.left(19)}, {"USERID", {}, blanks}, {"JOHOKUBUN", "", ""},
            {"JOHOKUBUN", "情報区分.TXT", root + "/情報区分.TXT"},
            {"JOHOKUBUN", QString(70, 'x'), root + '/' + QString(63, 'x')}, {"JOHOKUBUN", "/srv/J.TXT", "/srv/J.TXT"}};
        for (const auto& r : rows) {
            WriteSite(QLatin1String(r.key), r.value);
            QCOMPARE(*r.key == 'U' ? ReadEnvironmentSettings(program_).UserId : ReadCategoryFilePath(program_), r.read);
        }
        const EnvironmentSettings s = ReadEnvironmentSettings(program_);
        QCOMPARE(s.MachineName.trimmed() + s.Password + s.DbString,
                 "@MACHINE@@PASSWORD@" + blanks.left(40) + "@DSN@" + blanks.left(45));
    }

    // A colour that is empty, missing, no number, above 0xFFFFFF or with the top bit set but no system colour
    // (0-24), or a MINIMAIZE out of 16 bits, is refused; a colour beyond 32 bits only when it is applied.
    void display()
    {
        const struct { const char *key, *value; bool ok; } rows[] = {
            {"TextBackColor", "&hff&", true}, {"TitleBackColor", "&H-1", false}, {"TitleBackColor", "1,0", false},
            {"LabelBackColor", "", false}, {"TextFocusColor", nullptr, false}, {"TitleForeColor", "red", false},
            {"TextBackColor", "&H80000018&", true}, {"TextFocusColor", "&H80000019&", false}, {"LabelForeColor", "-1", false},
            {"TextBackColor", "&HFFFFFF", true}, {"TextBackColor", "&H1000000", false}, {"TitleBackColor", "4294967296", true},
            {"MINIMAIZE", "1e400", false}, {"MINIMAIZE", nullptr, false}, {"MINIMAIZE", "-32768.5", true},
            {"MINIMAIZE", "-32768.6", false}, {"MINIMAIZE", "32767.4", true}, {"MINIMAIZE", "32767.5", false}};
        DisplaySettings d;  // values of the site's EDI.ini once the rows are done
        FurtherSettings f;
        for (const auto& r : rows) {
            WriteSite(QLatin1String(r.key), r.value ? QString::fromUtf8(r.value) : QString());
            if (r.ok)
                QVERIFY_THROWS_NO_EXCEPTION(ReadDisplaySettings(program_, d, f));
            else
                QVERIFY_THROWS_EXCEPTION(ConfigReadError, ReadDisplaySettings(program_, d, f));
        }
        WriteSite(QStringLiteral("MODE"), QStringLiteral("1"));
        ReadDisplaySettings(program_, d, f);
        const QList<double> colours{d.Label.BackColor, d.Label.ForeColor, d.Text.BackColor, d.TextFocusColor, d.Text.ForeColor,
                                    d.Title.BackColor, d.Title.ForeColor};
        QCOMPARE(colours, (QList<double>{15794175, 8388608, 16777215, 13434879, 0, 8388608, 16777215}));
        QCOMPARE(d.FormBackColor + d.Label.FontBold + d.Text.FontItalic + d.Text.FontSize + d.Title.FontBold + d.Title.FontName
                     + f.EdiOutFil + QString::number(f.Minimaize) + QString::number(f.DebugMode),
                 QStringLiteral("15790320FalseFalse10TrueNoto Sans CJK JPEDI/OUT01"));
    }
};

QTEST_GUILESS_MAIN(TestStoreConfig)
#include "test_store_config.moc"
