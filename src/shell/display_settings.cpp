#include "shell/display_settings.h"

#include <QLabel>
#include <QLineEdit>

#include <cmath>
#include <limits>

namespace {

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
    palette.setColor(back, WindowsColor(s.BackColor));
    QFont font = control->font();
    font.setBold(ToFlag(s.FontBold));
    font.setItalic(ToFlag(s.FontItalic));
    // A face the system lacks falls back to the default face.
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
