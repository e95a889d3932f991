#pragma once
// The binding of the form's state to its widgets: each control of the state
// paired with the widget of the same name. Before an operation the
// operator's edits (texts, carets, list selections) go into the state; after
// it the state goes into the widgets: texts, enabled, locked and visible
// states, positions, focus colours, carets, list rows and selections, focus.

#include "core/form_state.h"

#include <QColor>
#include <QHash>
#include <QList>

class QWidget;

class FormBinding {
public:
    // Pairs every control of the state with the widget of its name under
    // `form` and takes the widgets' positions as the controls' own.
    FormBinding(FormState& state, QWidget* form);

    // Widget -> state: field texts and carets, list selections.
    void Pull();
    // State -> widgets. Afterwards the toolkit's focus is the state's active
    // control, or, where that cannot take it, what the toolkit chose instead
    // (the state then follows: the field entered changes, the active control stays).
    void Push();

    Control* ControlOf(const QWidget* widget) const;
    QWidget* WidgetOf(const Control* control) const;
    Field* FieldOf(const QWidget* widget) const;

    QColor TextBackColor = Qt::white;
    QColor TextFocusColor = Qt::white;

private:
    void PushStates();

    struct Pair {
        Control* control;
        QWidget* widget;
        Twips shown;  // the geometry last given to the widget
    };
    FormState& state_;
    QWidget* form_;
    QList<Pair> pairs_;
    QHash<const QWidget*, Control*> controls_;
};
