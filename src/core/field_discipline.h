#pragma once
// The field discipline of the main form: the field table with its groups,
// entering and leaving fields (focus colours), the character filter, the
// automatic advance of a full field and the Enter/arrow ring.

#include "core/form_state.h"

// Empties every input field and "lbl_" label and counts the fields.
void ClearScreen(FormState& form);

// Registers the fields in tab order and records the markers from the control
// names; the groups follow the positions of the key fields.
void BuildFieldTable(FormState& form);

// Enables exactly the fields of one group.
void SetGroupEnabled(FormState& form, const QString& group);

// Whether the toolkit would give the control the focus.
bool CanFocus(const Control& control);

// Focuses a control as the toolkit would: nothing when it cannot take it.
void SetFocus(FormState& form, Control& control);

// The focus has come to `now` (an operator's move, or one of the toolkit's
// own): the field left and the one entered change colour. With keepActive
// the active control stays where it was (the toolkit moved the focus off a
// field that was disabled).
void FocusChanged(FormState& form, Control* now, bool keepActive = false);

void EnterField(Field& field);
void LeaveField(Field& field);
void SelectAllText(Field& field);

// Every key pressed on the form, before anything handles it.
void NoteKeyDown(FormState& form, int keyCode, int shift);

// The character to insert for one typed into the field, 0 to reject it.
char32_t FilterKey(Field& field, char32_t key);

// A key released in a field (its text and caret copied): the automatic
// advance of a field typed full.
void FieldKeyUp(FormState& form, Field& field, int keyCode, int shift);

void MoveToNextField(FormState& form);
void MoveToPreviousField(FormState& form);

// Cuts the field's text to its byte limit.
void FormatFieldText(Field& field);
