#include "shell/control_text.h"

#include <QLabel>
#include <QLineEdit>

QString ControlText(const QWidget* control)
{
    if (const auto* box = qobject_cast<const QLineEdit*>(control))
        return box->text();
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    return QString();
}

void SetControlText(QWidget* control, const QString& text)
{
    if (auto* box = qobject_cast<QLineEdit*>(control))
        box->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
}
