// Which typed characters each input class lets through, and how letters change.

#include "core/input_filter.h"

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
        // Only the classes the form gives its fields: 2 free text, 2U upper case, 3 digits.
        const struct { const char *cls, *text; char32_t key, result; } rows[] = {
            // Editing keys pass every class.
            {"3", "", 8, 8}, {"3", "", 13, 13}, {"2U", "AB", 8, 8},
            {"2", "", U',', 0}, {"2", "", U'"', 0}, {"2", "", U'\'', 0}, {"2", "", U'a', U'a'}, {"2", "", U'漢', U'漢'},
            {"2", "", U'，', U'，'}, {"2U", "", U'a', U'A'}, {"2U", "", U'z', U'Z'}, {"2U", "", U',', 0},
            {"2U", "", U'ａ', U'ａ'}, {"3", "", U'0', U'0'}, {"3", "", U'9', U'9'}, {"3", "", U'a', 0},
            {"3", "", U'-', 0}, {"3", "", U'.', 0}, {"3", "", 22, 0}, {"3", "", 9, 0}, {"3", "", U'１', 0},
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
