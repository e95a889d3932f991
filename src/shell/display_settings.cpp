#include "shell/display_settings.h"

#include <QLabel>
#include <QLineEdit>

#include <cmath>
#include <limits>

namespace {

struct LookSettings {
    double back;
    const QString& bold;
    const QString& italic;
    const QString& name;
    const QString& size;
    const QString& strike;
    const QString& underline;
    double fore;
};

double ToSize(const QString& text)
{
    bool ok = false;
    const double size = text.trimmed().toDouble(&ok);
    if (!ok || size <= 0)
        throw DisplaySettingError(("font size: " + text).toStdString());
    return size;
}

void Apply(QWidget* control, const LookSettings& s, QPalette::ColorRole back,
           QPalette::ColorRole fore)
{
    QPalette palette = control->palette();
    palette.setColor(back, WindowsColor(s.back));
    QFont font = control->font();
    font.setBold(ToFlag(s.bold));
    font.setItalic(ToFlag(s.italic));
    // A face the system lacks falls back to the default face.
    font.setFamilies({s.name});
    font.setPointSizeF(ToSize(s.size));
    font.setStrikeOut(ToFlag(s.strike));
    font.setUnderline(ToFlag(s.underline));
    palette.setColor(fore, WindowsColor(s.fore));
    control->setFont(font);
    control->setPalette(palette);
}

}  // namespace

QColor WindowsColor(double number)
{
    if (!std::isfinite(number) || number < std::numeric_limits<qint32>::min()
        || number > std::numeric_limits<quint32>::max())
        throw DisplaySettingError("colour out of range");
    const quint32 value = static_cast<quint32>(static_cast<qint64>(number));
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
    if (!ok)
        throw DisplaySettingError(("flag: " + text).toStdString());
    return number != 0;
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

    const LookSettings text{d.TextBackColor, d.TextFontBold, d.TextFontItalic,
                            d.TextFontName, d.TextFontSize, d.TextFontStrikethru,
                            d.TextFontUnderline, d.TextForeColor};
    const LookSettings label{d.LabelBackColor, d.LabelFontBold, d.LabelFontItalic,
                             d.LabelFontName, d.LabelFontSize, d.LabelFontStrikethru,
                             d.LabelFontUnderline, d.LabelForeColor};
    const LookSettings title{d.TitleBackColor, d.TitleFontBold, d.TitleFontItalic,
                             d.TitleFontName, d.TitleFontSize, d.TitleFontStrikethru,
                             d.TitleFontUnderline, d.TitleForeColor};
    const QList<QWidget*> controls = form->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        if (control->window() != form)
            continue;
        if (qobject_cast<QLineEdit*>(control)) {
            Apply(control, text, QPalette::Base, QPalette::Text);
        } else if (qobject_cast<QLabel*>(control)) {
            const QString prefix = control->objectName().left(4);
            if (prefix == QLatin1String("lbl_") || prefix == QLatin1String("OPR_")) {
                Apply(control, label, QPalette::Window, QPalette::WindowText);
                control->setAutoFillBackground(true);
            } else if (prefix == QLatin1String("tit_")) {
                Apply(control, title, QPalette::Window, QPalette::WindowText);
                control->setAutoFillBackground(true);
            }
        }
    }
}
