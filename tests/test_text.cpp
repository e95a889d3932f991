// Byte measures in code page 932 and the lenient numeric reading of typed text.

#include "shell/shift_jis.h"
#include "shell/text.h"

#include <QtTest>

#include <limits>

class TestText : public QObject {
    Q_OBJECT

private slots:
    void ansiConversion();
    void byteLength_data();
    void byteLength();
    void cutToBytes_data();
    void cutToBytes();
    void trimOrDefault_data();
    void trimOrDefault();
    void isNumeric_data();
    void isNumeric();
    void leadingNumber_data();
    void leadingNumber();
};

void TestText::ansiConversion()
{
    // Trail byte 0x5C is a backslash in ASCII; it must stay part of the kanji.
    const QString text = QStringLiteral("Aｱ漢表ソ①");
    const QByteArray bytes("A\xB1\x8A\xBF\x95\x5C\x83\x5C\x87\x40");
    QCOMPARE(ToAnsi(text), bytes);
    QCOMPARE(FromAnsi(bytes), text);
    QVERIFY(IsAnsiText(text));
    QVERIFY(IsAnsiText(QStringLiteral("?")));
    QVERIFY(!IsAnsiText(QStringLiteral("A한")));
    QVERIFY(!IsAnsiText(QStringLiteral("𠮷野家")));
}

void TestText::byteLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bytes");
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("ascii") << QStringLiteral("ABC") << 3;
    QTest::newRow("two kanji") << QStringLiteral("漢字") << 4;
    QTest::newRow("half-width kana") << QStringLiteral("ｺｰﾄﾞ") << 4;
    QTest::newRow("mixed") << QStringLiteral("Aカｱ") << 4;
    // Outside the code page every character counts two bytes, ASCII included.
    QTest::newRow("hangul with ascii") << QStringLiteral("A한") << 4;
    QTest::newRow("emoji is one character") << QStringLiteral("😀") << 2;
    QTest::newRow("non-BMP kanji in text") << QStringLiteral("𠮷野家") << 6;
}

void TestText::byteLength()
{
    QFETCH(QString, text);
    QFETCH(int, bytes);
    QCOMPARE(ByteLength(text), bytes);
    QCOMPARE(AnsiByteLength(QVariant(text)), bytes);
    QCOMPARE(AnsiByteLength(QVariant()), 0);
    QCOMPARE(AnsiByteLength(QVariant(QMetaType::fromType<QString>())), 0);
}

void TestText::cutToBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maxBytes");
    QTest::addColumn<QString>("cut");
    QTest::newRow("ascii") << QStringLiteral("ABCDE") << 3 << QStringLiteral("ABC");
    QTest::newRow("fits") << QStringLiteral("ABC") << 10 << QStringLiteral("ABC");
    QTest::newRow("zero") << QStringLiteral("ABC") << 0 << QString();
    QTest::newRow("kanji straddles") << QStringLiteral("漢字") << 3 << QStringLiteral("漢");
    QTest::newRow("kanji exact") << QStringLiteral("漢字") << 4 << QStringLiteral("漢字");
    QTest::newRow("kanji after ascii") << QStringLiteral("A漢") << 2 << QStringLiteral("A");
    QTest::newRow("half-width kana") << QStringLiteral("ｱｲｳ") << 2 << QStringLiteral("ｱｲ");
    QTest::newRow("surrogate pair whole") << QStringLiteral("😀A") << 2 << QStringLiteral("😀");
    QTest::newRow("surrogate pair not split") << QStringLiteral("A😀") << 2 << QStringLiteral("A");
}

void TestText::cutToBytes()
{
    QFETCH(QString, text);
    QFETCH(int, maxBytes);
    QFETCH(QString, cut);
    QCOMPARE(CutToBytes(text, maxBytes), cut);
}

void TestText::trimOrDefault_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("result");
    QTest::newRow("null") << QVariant() << QStringLiteral("DEF");
    QTest::newRow("database null") << QVariant(QMetaType::fromType<QString>())
                                   << QStringLiteral("DEF");
    QTest::newRow("empty is not null") << QVariant(QString(QLatin1String(""))) << QString();
    QTest::newRow("all blanks") << QVariant(QStringLiteral("   ")) << QString();
    QTest::newRow("blanks") << QVariant(QStringLiteral("  a b  ")) << QStringLiteral("a b");
    // Only U+0020 is a blank; tabs and the ideographic space are kept.
    QTest::newRow("tabs kept") << QVariant(QStringLiteral("\t a \t")) << QStringLiteral("\t a \t");
    QTest::newRow("ideographic space") << QVariant(QStringLiteral("　漢 ")) << QStringLiteral("　漢");
    QTest::newRow("number") << QVariant(42) << QStringLiteral("42");
}

void TestText::trimOrDefault()
{
    QFETCH(QVariant, value);
    QFETCH(QString, result);
    QCOMPARE(TrimOrDefault(value, QStringLiteral("DEF")), result);
}

void TestText::isNumeric_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    const char* yes[] = {"12", " 12 ", "-3", "+3", "1.5", ".5", "5.", "1e3"};
    const char* no[] = {"", "   ", "1a", "1,000", "-", ".", "1.2.3", "1 2", "1e", "１２"};
    for (const char* t : yes)
        QTest::addRow("'%s'", t) << QString::fromUtf8(t) << true;
    for (const char* t : no)
        QTest::addRow("'%s'", t) << QString::fromUtf8(t) << false;
}

void TestText::isNumeric()
{
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QCOMPARE(IsNumeric(text), numeric);
}

void TestText::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::addColumn<qint32>("integer");
    const qint32 max = std::numeric_limits<qint32>::max();
    const qint32 min = std::numeric_limits<qint32>::min();
    const struct {
        const char* text;
        double number;
        qint32 integer;
    } rows[] = {
        {"12abc", 12, 12},     {"abc", 0, 0},          {"", 0, 0},
        {" 7", 7, 7},          {"3.5kg", 3.5, 3},      {"-3.9x", -3.9, -3},
        {".25", 0.25, 0},      {"1e3x", 1000, 1000},   {"2e", 2, 2},
        {"1.2.3", 1.2, 1},     {"1,000", 1, 1},        {"x12", 0, 0},
        {"１２", 0, 0},        {"03 区分", 3, 3},
        {"2147483647", 2147483647.0, max},             {"-2147483648", -2147483648.0, min},
        {"99999999999", 99999999999.0, max},           {"-99999999999", -99999999999.0, min},
    };
    for (const auto& r : rows)
        QTest::addRow("'%s'", r.text) << QString::fromUtf8(r.text) << r.number << r.integer;
}

void TestText::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    QFETCH(qint32, integer);
    QCOMPARE(LeadingNumber(text), number);
    QCOMPARE(LeadingInteger(text), integer);
}

QTEST_GUILESS_MAIN(TestText)
#include "test_text.moc"
