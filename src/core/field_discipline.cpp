#include "core/field_discipline.h"

#include "core/field_checks.h"
#include "core/header_flow.h"
#include "core/input_filter.h"
#include "core/key_codes.h"
#include "core/shift_jis.h"

void ClearScreen(FormState& form)
{
    form.Fields.FieldCount = 0;
    for (Control* control : form.Controls()) {
        if (Field* field = form.FieldNamed(control->name)) {
            ++form.Fields.FieldCount;
            field->clear();
        } else if (control->name.trimmed().startsWith(QLatin1String("lbl_"))) {
            control->clear();
        }
    }
}

void BuildFieldTable(FormState& form)
{
    FieldTable& t = form.Fields;
    t.Fields = form.InputFields();
    t.FieldGroup.clear();
    for (int i = 0; i < static_cast<int>(t.Fields.size()); ++i) {
        const QString& name = t.Fields[i]->name;
        if (name == QLatin1String("txt_SyoriKbn"))
            t.HeadStart = i + 1;
        else if (name == QLatin1String("txt_BPID"))
            t.BodyStart = i + 1;
        else if (name == QLatin1String("txt_KomokuNo"))
            t.StandardPaneStart = i;
        else if (name == QLatin1String("txt_KoteiKomokuTi"))
            t.StandardPaneEnd = i;
        else if (name == QLatin1String("txt_KoteiKomokuTiLocal"))
            t.LastFieldPos = i;
    }
    for (int i = 0; i < static_cast<int>(t.Fields.size()); ++i) {
        t.Fields[i]->TabIndex = i;
        t.FieldGroup.append(i < t.HeadStart   ? QStringLiteral("MODE")
                            : i < t.BodyStart ? QStringLiteral("HEAD")
                                              : QStringLiteral("BODY"));
    }
}

void SetGroupEnabled(FormState& form, const QString& group)
{
    FieldTable& t = form.Fields;
    for (int i = 0; i < static_cast<int>(t.Fields.size()); ++i)
        t.Fields[i]->enabled = t.FieldGroup[i] == group;
}

bool CanFocus(const Control& control)
{
    return control.enabled && control.Shown();
}

void SetFocus(FormState& form, Control& control)
{
    if (CanFocus(control))
        FocusChanged(form, &control);
}

// The fields are entered and left when the focus goes from one control to
// another, whoever moves it; a box opening and closing moves nothing.
void FocusChanged(FormState& form, Control* now, bool keepActive)
{
    FieldTable& t = form.Fields;
    if (!now)
        return;
    if (!keepActive)
        t.Active = now;
    if (now == t.Entered)
        return;
    if (t.Entered)
        LeaveField(*t.Entered);
    t.Entered = nullptr;
    for (Field* field : t.Fields)
        if (field == now)
            t.Entered = field;
    if (t.Entered) {
        EnterField(*t.Entered);
        if (t.Entered == &form.txt_SyoriKbn)
            UpdateHeaderButtons(form, t.Entered->name, 0);
    }
}

void EnterField(Field& field)
{
    field.focusColour = true;
    SelectAllText(field);
}

void LeaveField(Field& field)
{
    field.focusColour = false;
}

void SelectAllText(Field& field)
{
    if (field.text.isEmpty())
        return;
    field.caret = CaretRequest::SelectAll;
    field.cursor = field.text.size();
    field.selectionStart = 0;
    field.selectionLength = field.text.size();
}

void NoteKeyDown(FormState& form, int keyCode, int shift)
{
    if (shift & (kAltMask | kCtrlMask))
        form.Fields.ChordKeys.insert(keyCode);
    else
        form.Fields.ChordKeys.remove(keyCode);  // released elsewhere, in a dialog say
}

char32_t FilterKey(Field& field, char32_t key)
{
    return FilterKeyInput(key, field.inputClass, field.text);
}

namespace {

bool CanTakeFocus(const Field* field)
{
    return CanFocus(*field) && !field->locked;
}

// Automatic advance: a field typed full is checked and left.
void AutoAdvance(FormState& form, int keyCode, int shift)
{
    FieldTable& t = form.Fields;
    Field* field = t.ActiveField();
    // Releasing Alt or the Windows key ends a shortcut, not the typing of a field.
    if (shift != 0 || keyCode == vk::Up || keyCode == vk::Down || keyCode == vk::Return
        || keyCode == vk::Escape || keyCode == vk::Shift || keyCode == vk::Control
        || keyCode == vk::Menu || keyCode == vk::LWin || !field
        || field->TabIndex == t.FieldCount - 1)
        return;
    const int maxLength = field->MaxLength;
    const bool selected = field->selectionStart >= 0 && field->selectionLength > 0;
    const int selStart = selected ? field->selectionStart : field->cursor;
    const int selLength = selected ? field->selectionLength : 0;
    const int length = field->text.size();

    if (AnsiByteLength(field->text) > maxLength) {
        field->text = CutToBytes(field->text, maxLength);
        field->caret = CaretRequest::End;
    }
    const bool full = maxLength == length
        && (selStart == maxLength || selLength == maxLength
            || (selLength == 1 && selStart + selLength == maxLength));
    if (!full)
        return;
    qint16 hold = 0;
    CheckField(form, field->TabIndex, hold);
    if (hold == -1)
        return;  // the check has placed the focus itself
    if (hold != 9)
        MoveToNextField(form);
    else
        SelectAllText(*field);
}

}  // namespace

void FieldKeyUp(FormState& form, Field& field, int keyCode, int shift)
{
    if (form.Fields.ChordKeys.remove(keyCode))
        return;
    if (field.enabled)
        AutoAdvance(form, keyCode, shift);
}

void MoveToNextField(FormState& form)
{
    FieldTable& t = form.Fields;
    const Field* active = t.ActiveField();
    const int current = active ? active->TabIndex : t.FieldCount;
    int start = current + 1;
    if (start == t.FieldCount)
        start = 0;
    if (start > t.FieldCount - 1)
        return;
    Field* target = nullptr;
    for (int k = 0; k < t.FieldCount && !target; ++k) {
        const int pos = (start + k) % t.FieldCount;
        if (pos == current || CanTakeFocus(t.Fields[pos]))
            target = t.Fields[pos];
    }
    if (target)
        SetFocus(form, *target);
}

void MoveToPreviousField(FormState& form)
{
    FieldTable& t = form.Fields;
    Field* active = t.ActiveField();
    if (!active)
        return;
    int start = active->TabIndex - 1;
    if (start == -1)
        start = t.FieldCount - 1;
    for (int pos = start; pos >= 0; --pos) {
        if (!CanTakeFocus(t.Fields[pos]))
            continue;
        const bool wholeOrEmpty = active->text.isEmpty()
            || (active->selectionStart >= 0 && active->selectionLength == active->text.size());
        if (wholeOrEmpty)
            SetFocus(form, *t.Fields[pos]);
        return;
    }
}

void FormatFieldText(Field& field)
{
    const QString cut = FromAnsi(ToAnsi(CutToBytes(field.text, field.MaxLength)));
    if (cut != field.text)
        field.text = cut;
}
