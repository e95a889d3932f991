#pragma once
// Message boxes in the style codes of the original platform, modal dialogs
// and centring a form.

#include "core/ports.h"

class QDialog;
class QWidget;

// Shows a modal box, with a second, informative text when one is given, and
// returns the answer code.
int ShowMessage(QWidget* parent, const QString& text, int style,
                const QString& title = QString(), const QString& informative = QString());

// Runs a modal dialog and hands the keyboard back to its parent's window.
int ExecModal(QDialog& dialog);

void CenterForm(QWidget* form);
