// Colours and fonts of the display settings applied by control kind and name.
// Unusable values end the start-up (test_walkthrough); the site's colours: test_screen.

#include "screen/display_settings.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestDisplaySettings : public QObject {
    Q_OBJECT

    static LookSettings Look(double back, double fore, const char* bold, const char* italic, const char* size,
                             const char* strike, const char* underline)
    {
        return {back, QLatin1String(bold), QLatin1String(italic), QStringLiteral("Noto Sans CJK JP"),
                QLatin1String(size), QLatin1String(strike), QLatin1String(underline), fore};
    }
    template <typename T>
    static T* Add(QWidget* form, const char* name)
    {
        auto* w = new T(form);
        w->setObjectName(QLatin1String(name));
        return w;
    }

private slots:
    void appliedByKindAndPrefix()
    {
        DisplaySettings d;
        d.FormBackColor = QStringLiteral("15790320");
        // Colours in the original's BGR order: 0x0000FF is red.
        d.Label = Look(0x0000FF, 0x00FF00, "True", "false", "9.5", "0", "1");
        d.Text = Look(0xFFFFCC, 0x800000, "FALSE", "TRUE", "11", "False", "False");
        d.Title = Look(0x123456, 0, "1", "0", "12", "True", "0");
        QWidget form;
        auto* text = Add<QLineEdit>(&form, "txt_A");
        QLabel* values[] = {Add<QLabel>(&form, "lbl_B"), Add<QLabel>(&form, "OPR_C")};
        auto* title = Add<QLabel>(&form, "tit_D");
        auto* capitals = Add<QLabel>(&form, "LBL_E");
        auto* caption = Add<QLabel>(&form, "Label1");
        auto* button = Add<QPushButton>(&form, "lbl_NotALabel");
        const QFont designed = caption->font();

        ApplyDisplaySettings(&form, d);

        QCOMPARE(form.palette().color(QPalette::Window), QColor(240, 240, 240));
        QCOMPARE(text->palette().color(QPalette::Base), QColor(204, 255, 255));
        QCOMPARE(text->palette().color(QPalette::Text), QColor(0, 0, 128));
        QVERIFY(text->font().italic() && !text->font().bold());
        QCOMPARE(text->font().pointSizeF(), 11.0);
        for (QLabel* label : values) {
            QCOMPARE(label->palette().color(QPalette::Window), QColor(255, 0, 0));
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 255, 0));
            QVERIFY(label->autoFillBackground() && label->font().bold() && label->font().underline());
            QCOMPARE(label->font().pointSizeF(), 9.5);
        }
        QCOMPARE(title->palette().color(QPalette::Window), QColor(0x56, 0x34, 0x12));
        QVERIFY(title->font().strikeOut());
        // Prefixes are compared exactly; other controls keep their look.
        QVERIFY(!capitals->autoFillBackground());
        QCOMPARE(caption->font(), designed);
        QVERIFY(!button->font().bold());
    }

    // System colours follow the application's palette where it has the role; a number naming no colour is refused.
    void systemColours()
    {
        const QPalette p = QApplication::palette();
        const struct { const char* name; double number; QColor colour; } rows[] = {
            {"button face, &H8000000F&", 2147483663.0, p.color(QPalette::Button)},
            {"window, negative decimal", -2147483643.0, p.color(QPalette::Base)},
            {"grey text", -2147483631.0, p.color(QPalette::Disabled, QPalette::Text)},
            {"tool tip background", -2147483624.0, p.color(QPalette::ToolTipBase)},
            {"no role: button shadow", -2147483632.0, QColor(128, 128, 128)},
            {"scroll bar, the lowest number", -2147483648.0, QColor(212, 208, 200)},
            {"beyond the last index", -2147483623.0, QColor()}, {"above 0xFFFFFF", 16777216.0, QColor()},
            {"-1", -1.0, QColor()}, {"below 32 bits", -2147483649.0, QColor()}};
        for (const auto& row : rows) {
            try {
                QVERIFY2(WindowsColor(row.number) == row.colour && row.colour.isValid(), row.name);
            } catch (const DisplaySettingError&) {
                QVERIFY2(!row.colour.isValid(), row.name);
            }
        }
    }
};

QTEST_MAIN(TestDisplaySettings)
#include "test_display_settings.moc"
