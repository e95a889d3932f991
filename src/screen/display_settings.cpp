#include "screen/display_settings.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include <iterator>

namespace {

// The system colours of the original platform by index. Those with a role in
// Qt's palette follow the application's palette; Qt has nothing for the
// others, so they keep the platform's classic default scheme, written out here.
struct SystemColour {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;  // NoRole: the classic colour
    QRgb classic;
};

constexpr SystemColour kSystemColours[] = {
    {QPalette::Active, QPalette::NoRole, 0xD4D0C8},     // 0 scroll bar
    {QPalette::Active, QPalette::NoRole, 0x3A6EA5},     // 1 desktop
    {QPalette::Active, QPalette::NoRole, 0x0A246A},     // 2 active title bar
    {QPalette::Active, QPalette::NoRole, 0x808080},     // 3 inactive title bar
    {QPalette::Active, QPalette::NoRole, 0xD4D0C8},     // 4 menu bar
    {QPalette::Active, QPalette::Base, 0},              // 5 window
    {QPalette::Active, QPalette::NoRole, 0x000000},     // 6 window frame
    {QPalette::Active, QPalette::NoRole, 0x000000},     // 7 menu text
    {QPalette::Active, QPalette::Text, 0},              // 8 window text
    {QPalette::Active, QPalette::NoRole, 0xFFFFFF},     // 9 active title text
    {QPalette::Active, QPalette::NoRole, 0xD4D0C8},     // 10 active border
    {QPalette::Active, QPalette::NoRole, 0xD4D0C8},     // 11 inactive border
    {QPalette::Active, QPalette::NoRole, 0x808080},     // 12 application workspace
    {QPalette::Active, QPalette::Highlight, 0},         // 13 highlight
    {QPalette::Active, QPalette::HighlightedText, 0},   // 14 highlight text
    {QPalette::Active, QPalette::Button, 0},            // 15 button face
    {QPalette::Active, QPalette::NoRole, 0x808080},     // 16 button shadow
    {QPalette::Disabled, QPalette::Text, 0},            // 17 grey text
    {QPalette::Active, QPalette::ButtonText, 0},        // 18 button text
    {QPalette::Active, QPalette::NoRole, 0xD4D0C8},     // 19 inactive title text
    {QPalette::Active, QPalette::NoRole, 0xFFFFFF},     // 20 button highlight
    {QPalette::Active, QPalette::NoRole, 0x404040},     // 21 3-D dark shadow
    {QPalette::Active, QPalette::NoRole, 0xD4D0C8},     // 22 3-D light
    {QPalette::Active, QPalette::ToolTipText, 0},       // 23 tool tip text
    {QPalette::Active, QPalette::ToolTipBase, 0},       // 24 tool tip background
};
static_assert(std::size(kSystemColours) == kSystemColourCount);

// Points, fractions allowed; the negated test also refuses "nan".
double ToSize(const QString& text)
{
    bool ok = false;
    const double size = text.trimmed().toDouble(&ok);
    if (!ok || !(size >= 1 && size <= 72))
        throw DisplaySettingError(("font size: " + text).toStdString());
    return size;
}

void Apply(QWidget* control, const LookSettings& s, QPalette::ColorRole back,
           QPalette::ColorRole fore)
{
    QPalette palette = control->palette();
    palette.setColor(back, WindowsColor(s.BackColor));
    QFont font = control->font();
    font.setBold(ToFlag(s.FontBold));
    font.setItalic(ToFlag(s.FontItalic));
    // An empty face is refused; one the system lacks falls back to the default face.
    if (s.FontName.trimmed().isEmpty())
        throw DisplaySettingError("font name empty");
    font.setFamilies({s.FontName});
    font.setPointSizeF(ToSize(s.FontSize));
    font.setStrikeOut(ToFlag(s.FontStrikethru));
    font.setUnderline(ToFlag(s.FontUnderline));
    palette.setColor(fore, WindowsColor(s.ForeColor));
    control->setFont(font);
    control->setPalette(palette);
}

}  // namespace

QColor WindowsColor(double number)
{
    quint32 value = 0;
    if (!ColourValue(number, value) || !NamesColour(value))
        throw DisplaySettingError(("colour: " + QString::number(number, 'f', 0)).toStdString());
    if (value & kSystemColourBit) {
        const SystemColour& c = kSystemColours[value & ~kSystemColourBit];
        if (c.role == QPalette::NoRole)
            return QColor(c.classic);
        return QApplication::palette().color(c.group, c.role);
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

bool ToFlag(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = t.toDouble(&ok);
    if (!ok || (number != 0 && number != 1))
        throw DisplaySettingError(("flag: " + text).toStdString());
    return number == 1;
}

void ApplyDisplaySettings(QWidget* form, const DisplaySettings& d)
{
    double formBack = 0;
    if (!ParseProfileNumber(d.FormBackColor, formBack))
        throw DisplaySettingError(("FormBackColor: " + d.FormBackColor).toStdString());
    QPalette palette = form->palette();
    palette.setColor(QPalette::Window, WindowsColor(formBack));
    form->setPalette(palette);
    form->setAutoFillBackground(true);

    const QList<QWidget*> controls = form->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        if (control->window() != form)
            continue;
        if (qobject_cast<QLineEdit*>(control)) {
            Apply(control, d.Text, QPalette::Base, QPalette::Text);
        } else if (qobject_cast<QLabel*>(control)) {
            const QString prefix = control->objectName().left(4);
            if (prefix == QLatin1String("lbl_") || prefix == QLatin1String("OPR_")) {
                Apply(control, d.Label, QPalette::Window, QPalette::WindowText);
                control->setAutoFillBackground(true);
            } else if (prefix == QLatin1String("tit_")) {
                Apply(control, d.Title, QPalette::Window, QPalette::WindowText);
                control->setAutoFillBackground(true);
            }
        }
    }
}
