// Colours and fonts of the display settings applied by control kind and name.

#include "shell/display_settings.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

LookSettings Look(double back, double fore, const char* bold, const char* italic,
                  const char* size, const char* strike, const char* underline)
{
    LookSettings l;
    l.BackColor = back;
    l.ForeColor = fore;
    l.FontBold = QLatin1String(bold);
    l.FontItalic = QLatin1String(italic);
    l.FontName = QStringLiteral("Noto Sans CJK JP");
    l.FontSize = QLatin1String(size);
    l.FontStrikethru = QLatin1String(strike);
    l.FontUnderline = QLatin1String(underline);
    return l;
}

DisplaySettings Valid()
{
    DisplaySettings d;
    d.FormBackColor = QStringLiteral("15790320");
    // Colours in the original's BGR order: 0x0000FF is red.
    d.Label = Look(0x0000FF, 0x00FF00, "True", "false", "9.5", "0", "-1");
    d.Text = Look(0xFFFFFF, 0x800000, "FALSE", "TRUE", "11", "False", "False");
    d.TextFocusColor = 0xCCFFFF;
    d.Title = Look(0x123456, 0, "1", "0", "12", "True", "0");
    return d;
}

}  // namespace

class TestDisplaySettings : public QObject {
    Q_OBJECT

private slots:
    void colourNumbers()
    {
        QCOMPARE(WindowsColor(0x0000FF), QColor(255, 0, 0));
        QCOMPARE(WindowsColor(0xFF0000), QColor(0, 0, 255));
        QCOMPARE(WindowsColor(15790320), QColor(240, 240, 240));
        QVERIFY_THROWS_EXCEPTION(DisplaySettingError, WindowsColor(1e12));
    }

    void flags()
    {
        QVERIFY(ToFlag(QStringLiteral("True")));
        QVERIFY(ToFlag(QStringLiteral("-1")));
        QVERIFY(!ToFlag(QStringLiteral("FALSE")));
        QVERIFY(!ToFlag(QStringLiteral("0")));
        QVERIFY_THROWS_EXCEPTION(DisplaySettingError, ToFlag(QString()));
        QVERIFY_THROWS_EXCEPTION(DisplaySettingError, ToFlag(QStringLiteral("yes")));
    }

    void appliedByKindAndPrefix()
    {
        QWidget form;
        auto* text = new QLineEdit(&form);
        text->setObjectName(QStringLiteral("txt_A"));
        auto* value = new QLabel(&form);
        value->setObjectName(QStringLiteral("lbl_B"));
        auto* operatorLabel = new QLabel(&form);
        operatorLabel->setObjectName(QStringLiteral("OPR_C"));
        auto* title = new QLabel(&form);
        title->setObjectName(QStringLiteral("tit_D"));
        auto* capitals = new QLabel(&form);
        capitals->setObjectName(QStringLiteral("LBL_E"));
        auto* caption = new QLabel(&form);
        caption->setObjectName(QStringLiteral("Label1"));
        auto* button = new QPushButton(&form);
        button->setObjectName(QStringLiteral("lbl_NotALabel"));
        const QFont designed = caption->font();

        ApplyDisplaySettings(&form, Valid());

        QCOMPARE(form.palette().color(QPalette::Window), QColor(240, 240, 240));
        QCOMPARE(text->palette().color(QPalette::Base), QColor(255, 255, 255));
        QCOMPARE(text->palette().color(QPalette::Text), QColor(0, 0, 128));
        QVERIFY(text->font().italic());
        QVERIFY(!text->font().bold());
        QCOMPARE(text->font().pointSizeF(), 11.0);
        for (QLabel* label : {value, operatorLabel}) {
            QCOMPARE(label->palette().color(QPalette::Window), QColor(255, 0, 0));
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 255, 0));
            QVERIFY(label->autoFillBackground());
            QVERIFY(label->font().bold());
            QVERIFY(label->font().underline());
            QCOMPARE(label->font().pointSizeF(), 9.5);
        }
        QCOMPARE(title->palette().color(QPalette::Window), QColor(0x56, 0x34, 0x12));
        QVERIFY(title->font().strikeOut());
        // Prefixes are compared exactly; other controls keep their look.
        QVERIFY(!capitals->autoFillBackground());
        QCOMPARE(caption->font(), designed);
        QVERIFY(!button->font().bold());
    }

    void unusableValues_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("empty FormBackColor") << "FormBackColor" << "";
        QTest::newRow("FormBackColor not a number") << "FormBackColor" << "grey";
        QTest::newRow("empty TextFontBold") << "TextFontBold" << "";
        QTest::newRow("TextFontSize not a number") << "TextFontSize" << "large";
        QTest::newRow("LabelFontItalic neither flag nor number") << "LabelFontItalic" << "maybe";
    }

    void unusableValues()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        DisplaySettings d = Valid();
        if (key == QLatin1String("FormBackColor"))
            d.FormBackColor = value;
        else if (key == QLatin1String("TextFontBold"))
            d.Text.FontBold = value;
        else if (key == QLatin1String("TextFontSize"))
            d.Text.FontSize = value;
        else
            d.Label.FontItalic = value;
        QWidget form;
        (new QLineEdit(&form))->setObjectName(QStringLiteral("txt_A"));
        (new QLabel(&form))->setObjectName(QStringLiteral("lbl_B"));
        QVERIFY_THROWS_EXCEPTION(DisplaySettingError, ApplyDisplaySettings(&form, d));
    }
};

QTEST_MAIN(TestDisplaySettings)
#include "test_display_settings.moc"
