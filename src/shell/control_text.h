#pragma once
// The text of a control whatever its kind: the text of a text box, the caption
// of a label (labels also carry values, as hidden carriers and search targets).

#include <QString>

class QWidget;

QString ControlText(const QWidget* control);
void SetControlText(QWidget* control, const QString& text);
