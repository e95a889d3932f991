#pragma once
// The commands of the main form: the 25 buttons, the form-level keys and
// shortcuts, and the locking of fields and buttons by processing category.

#include <QString>

#include "core/form_state.h"

// Runs the operation of command button `index` (0 to 24).
void ComandBtnClick(FormState& form, int index);

// The form's key-down handler (the form previews every key). True when the
// key has been handled and must not reach the focused control.
bool DispatchFormKey(FormState& form, int keyCode, int shift);

// Locks the editable fields and enables the buttons by processing category;
// any flag above 0 locks every field.
void LockEditFields(FormState& form, int flag);

// "E" while the focus is in the standard pane, "L" in the local pane, else empty.
QString ActiveSide(const FormState& form);
