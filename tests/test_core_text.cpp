// Byte measures in code page 932, the lenient numeric reading of typed text
// and which typed characters each input class lets through.

#include "core/input_filter.h"
#include "core/shift_jis.h"
#include "core/text.h"

#include <QtTest>

#include <limits>

class TestText : public QObject {
    Q_OBJECT

private slots:
    void ansiConversion()
    {
        // Trail byte 0x5C is a backslash in ASCII; it must stay part of the kanji.
        const QString text = QStringLiteral("Aｱ漢表ソ①");
        const QByteArray bytes("A\xB1\x8A\xBF\x95\x5C\x83\x5C\x87\x40");
        QCOMPARE(ToAnsi(text), bytes);
        QCOMPARE(FromAnsi(bytes), text);
        QVERIFY(IsAnsiText(text) && IsAnsiText(QStringLiteral("?")));
        QVERIFY(!IsAnsiText(QStringLiteral("A한")) && !IsAnsiText(QStringLiteral("𠮷野家")) && !IsAnsiText(QStringLiteral("\u0080")));
        // A lead byte cut off at the end is not carried over to the next text.
        FromAnsi(QByteArray("\x8A"));
        QCOMPARE(FromAnsi(QByteArray("A")), QStringLiteral("A"));
        QCOMPARE(AnsiByteLength(QVariant()), 0);
        QCOMPARE(AnsiByteLength(QVariant(QMetaType::fromType<QString>())), 0);
    }

    void bytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("maxBytes");
        QTest::addColumn<QString>("cut");
        const struct { const char* text; int bytes, maxBytes; const char* cut; } rows[] = {
            {"", 0, 3, ""},           {"ABCDE", 5, 3, "ABC"},  {"ABC", 3, 0, ""},
            {"漢字", 4, 3, "漢"},     {"漢字", 4, 4, "漢字"},  {"A漢", 3, 2, "A"},
            {"ｺｰﾄﾞ", 4, 2, "ｺｰ"},  {"｡ﾟ", 2, 1, "｡"},  {"ﾟ｡", 2, 1, "ﾟ"},    {"Aカｱ", 4, 3, "Aカ"},
            // Outside the code page every character counts two bytes, ASCII included.
            {"A한", 4, 2, "A"},       {"😀A", 4, 2, "😀"},    {"A😀", 4, 2, "A"},
            {"𠮷野家", 6, 4, "𠮷野"}, {"A\xEF\xBF\xBD", 4, 2, "A"},
        };
        for (const auto& r : rows)
            QTest::addRow("'%s' %d", r.text, r.maxBytes) << QString::fromUtf8(r.text) << r.bytes << r.maxBytes
                                                         << QString::fromUtf8(r.cut);
    }

    void bytes()
    {
        QFETCH(QString, text);
        QFETCH(int, bytes);
        QFETCH(int, maxBytes);
        QFETCH(QString, cut);
        QCOMPARE(ByteLength(text), bytes);
        QCOMPARE(AnsiByteLength(QVariant(text)), bytes);
        QCOMPARE(CutToBytes(text, maxBytes), cut);
    }

    void isNumeric()
    {
        for (const char* t : {"12", " 12 ", "-3", "+3", "1.5", ".5", "5.", "1e3"})
            QVERIFY2(IsNumeric(QString::fromUtf8(t)), t);
        for (const char* t : {"", "   ", "1a", "1,000", "-", ".", "1.2.3", "1 2", "1e", "１２"})
            QVERIFY2(!IsNumeric(QString::fromUtf8(t)), t);
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::addColumn<qint32>("integer");
        const qint32 max = std::numeric_limits<qint32>::max();
        const qint32 min = std::numeric_limits<qint32>::min();
        const struct { const char* text; double number; qint32 integer; } rows[] = {
            {"12abc", 12, 12}, {"", 0, 0}, {"-3.9x", -3.9, -3}, {".25", 0.25, 0}, {"1e3x", 1000, 1000},
            {"2e", 2, 2}, {"1.2.3", 1.2, 1}, {"1,000", 1, 1}, {"x12", 0, 0}, {"１２", 0, 0}, {"03 区分", 3, 3},
            {"2147483647", 2147483647.0, max}, {"99999999999", 99999999999.0, max}, {"-99999999999", -99999999999.0, min},
        };
        for (const auto& r : rows)
            QTest::addRow("'%s'", r.text) << QString::fromUtf8(r.text) << r.number << r.integer;
    }

    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, number);
        QFETCH(qint32, integer);
        QCOMPARE(LeadingNumber(text), number);
        QCOMPARE(LeadingInteger(text), integer);
    }

    void filter_data()
    {
        QTest::addColumn<QString>("fieldClass");
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("key");
        QTest::addColumn<uint>("result");
        // Only the classes the form gives its fields: 2 free text, 2U upper case, 3 digits; none is free text.
        const struct { const char *cls, *text; char32_t key, result; } rows[] = {
            // Editing keys pass every class.
            {"3", "", 8, 8}, {"3", "", 13, 13}, {"2U", "AB", 8, 8},
            {"2", "", U',', 0}, {"2", "", U'"', 0}, {"2", "", U'\'', 0}, {"2", "", U'a', U'a'}, {"2", "", U'漢', U'漢'},
            {"2", "", U'，', U'，'}, {"2U", "", U'a', U'A'}, {"2U", "", U'z', U'Z'}, {"2U", "", U',', 0},
            {"2U", "", U'ａ', U'ａ'}, {"3", "", U'0', U'0'}, {"3", "", U'9', U'9'}, {"3", "", U'a', 0},
            {"3", "", U'-', 0}, {"3", "", U'.', 0}, {"3", "", 22, 0}, {"3", "", 9, 0}, {"3", "", U'１', 0},
            {"", "", U',', 0}, {"", "", U'\'', 0}, {"", "", U'a', U'a'},
        };
        for (const auto& r : rows)
            QTest::addRow("%s '%s' %u", r.cls, r.text, uint(r.key))
                << QString::fromUtf8(r.cls) << QString::fromUtf8(r.text) << uint(r.key) << uint(r.result);
    }

    void filter()
    {
        QFETCH(QString, fieldClass);
        QFETCH(QString, text);
        QFETCH(uint, key);
        QFETCH(uint, result);
        const QString original = fieldClass;
        QCOMPARE(uint(FilterKeyInput(char32_t(key), fieldClass, text)), result);
        QCOMPARE(fieldClass, original.isEmpty() ? QStringLiteral("2") : original);
    }
};

QTEST_APPLESS_MAIN(TestText)
#include "test_core_text.moc"
