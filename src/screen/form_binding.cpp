#include "screen/form_binding.h"

#include "core/field_discipline.h"
#include "screen/field_edit.h"
#include "screen/item_list_box.h"
#include "screen/twips.h"

#include <QApplication>
#include <QLabel>

namespace {

Twips GeometryOf(const QWidget* w)
{
    return {LeftTwips(w), TopTwips(w), WidthTwips(w), HeightTwips(w)};
}

void SetBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    if (palette.color(QPalette::Base) == colour)
        return;
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
}

}  // namespace

FormBinding::FormBinding(FormState& state, QWidget* form) : state_(state), form_(form)
{
    for (Control* control : state.Controls()) {
        auto* widget = form->findChild<QWidget*>(control->name);
        Q_ASSERT_X(widget, "FormBinding", qPrintable(control->name));
        control->geometry = GeometryOf(widget);
        if (auto* label = qobject_cast<QLabel*>(widget))
            control->text = label->text();
        pairs_.append({control, widget, control->geometry});
        controls_.insert(widget, control);
        if (auto* edit = qobject_cast<FieldEdit*>(widget))
            edit->MaxLength = static_cast<Field*>(control)->MaxLength;
    }
}

Control* FormBinding::ControlOf(const QWidget* widget) const
{
    return controls_.value(widget);
}

QWidget* FormBinding::WidgetOf(const Control* control) const
{
    for (const Pair& pair : pairs_)
        if (pair.control == control)
            return pair.widget;
    return nullptr;
}

Field* FormBinding::FieldOf(const QWidget* widget) const
{
    Control* control = ControlOf(widget);
    return control ? state_.FieldNamed(control->name) : nullptr;
}

void FormBinding::Pull()
{
    for (const Pair& pair : pairs_) {
        if (auto* edit = qobject_cast<FieldEdit*>(pair.widget)) {
            auto* field = static_cast<Field*>(pair.control);
            field->text = edit->text();
            field->cursor = edit->cursorPosition();
            field->selectionStart = edit->hasSelectedText() ? edit->selectionStart() : -1;
            field->selectionLength = edit->selectedText().size();
        } else if (auto* list = qobject_cast<ItemListBox*>(pair.widget)) {
            auto* lines = static_cast<LineList*>(pair.control);
            if (list->count() == lines->rows)
                lines->currentRow = list->currentRow();
        }
    }
}

void FormBinding::PushStates()
{
    for (Pair& pair : pairs_) {
        Control& c = *pair.control;
        QWidget* w = pair.widget;
        if (w->isEnabled() != c.enabled)
            w->setEnabled(c.enabled);
        if (w->isHidden() == c.visible)
            w->setVisible(c.visible);
        if (!(pair.shown == c.geometry)) {
            SetTwipsGeometry(w, c.geometry.left, c.geometry.top, c.geometry.width, c.geometry.height);
            pair.shown = c.geometry;
        }
        if (auto* edit = qobject_cast<FieldEdit*>(w)) {
            auto& field = static_cast<Field&>(c);
            if (edit->text() != field.text)
                edit->setText(field.text);
            if (edit->isReadOnly() != field.locked)
                edit->setReadOnly(field.locked);
            SetBackground(edit, field.focusColour ? TextFocusColor : TextBackColor);
            if (field.caret == CaretRequest::SelectAll) {
                edit->setCursorPosition(0);
                edit->selectAll();
            } else if (field.caret == CaretRequest::End) {
                edit->setCursorPosition(edit->text().size());
            }
            field.caret = CaretRequest::None;
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->text() != c.text)
                label->setText(c.text);
        } else if (auto* list = qobject_cast<ItemListBox*>(w)) {
            const auto& lines = static_cast<const LineList&>(c);
            list->Show();
            if (list->currentRow() != lines.currentRow)
                list->setCurrentRow(lines.currentRow);
        }
    }
}

void FormBinding::Push()
{
    PushStates();
    QWidget* active = WidgetOf(state_.Fields.Active);
    if (active && active->isEnabled() && active->isVisible() && QApplication::focusWidget() != active)
        active->setFocus();
    // The toolkit moves the focus off a field that was disabled; the colour
    // follows it there, as it follows any focus move.
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus != active && focus->window() == form_) {
        if (Control* control = ControlOf(focus)) {
            FocusChanged(state_, control, true);
            PushStates();
        }
    }
}
