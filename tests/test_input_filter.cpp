// Which typed characters each input class lets through, and how letters change.

#include "shell/input_filter.h"

#include <QtTest>

class TestInputFilter : public QObject {
    Q_OBJECT

private slots:
    void filter_data()
    {
        QTest::addColumn<QString>("fieldClass");
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("key");
        QTest::addColumn<uint>("result");
        const struct { const char *cls, *text; char32_t key, result; } rows[] = {
            // Editing keys pass every class.
            {"3", "", 8, 8}, {"3", "", 13, 13}, {"4", "-1", 8, 8},
            {"1", "", U',', U','}, {"1", "", U'\'', U'\''}, {"1U", "", U'a', U'a'},
            {"2", "", U',', 0}, {"2", "", U'"', 0}, {"2", "", U'\'', 0}, {"2", "", U'漢', U'漢'}, {"2", "", U'，', U'，'},
            {"2U", "", U'a', U'A'}, {"2U", "", U',', 0}, {"2U", "", U'ａ', U'ａ'}, {"2L", "", U'Z', U'z'},
            {"3", "", U'9', U'9'}, {"3", "", U'a', 0}, {"3", "", U'-', 0}, {"3", "", 22, 0}, {"3", "", 9, 0},
            {"3", "", U'１', 0},
            {"4", "12", U'-', U'-'}, {"4", "-12", U'-', 0}, {"4", "1-2", U'-', 0}, {"4", "", U'.', 0},
            {"5", "12", U'.', U'.'}, {"5", "1.2", U'.', 0}, {"5", "", U'-', 0}, {"5", "", U',', 0},
            {"6", "1,000", U',', U','}, {"6", "", U'.', 0}, {"6", "", U'-', 0},
            {"7", "1.2", U'-', U'-'}, {"7", "1-2", U'.', U'.'}, {"7", "-1.2", U'-', 0}, {"7", "-1.2", U'.', 0},
            {"8", "-1,000", U',', U','}, {"8", "1,000", U'-', U'-'}, {"8", "1-2", U'-', 0}, {"8", "", U'.', 0},
            {"9", "1,000.5", U',', U','}, {"9", "1,000", U'.', U'.'}, {"9", "1.2", U'.', 0}, {"9", "", U'-', 0},
            {"A", "-1.2", U',', U','}, {"A", "1.2", U'-', U'-'}, {"A", "-1.2", U'-', 0}, {"A", "", U'x', 0},
            {"B", "2024/01", U'/', U'/'}, {"B", "", U':', 0}, {"C", "12:30", U':', U':'}, {"C", "", U'/', 0},
            {"D", "", U'/', U'/'}, {"D", "", U':', U':'}, {"D", "", U'.', 0}, {"D", "", U'4', U'4'},
            // Classes the program does not define accept everything.
            {"Z", "", U',', U','}, {"0", "", U'a', U'a'},
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
        QCOMPARE(fieldClass, original);
    }

    void emptyClassBecomesFreeText()
    {
        for (const auto& [key, result] : {std::pair<char32_t, char32_t>{U',', 0}, {U'\'', 0}, {U'a', U'a'}}) {
            QString fieldClass;
            QCOMPARE(uint(FilterKeyInput(key, fieldClass, QString())), uint(result));
            QCOMPARE(fieldClass, QStringLiteral("2"));
        }
    }
};

QTEST_GUILESS_MAIN(TestInputFilter)
#include "test_input_filter.moc"
