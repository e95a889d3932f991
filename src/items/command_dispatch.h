#pragma once
// The form-level keys and the locking of fields and buttons by processing
// category.

#include <QString>

class F_K450120;

// The form's key-down handler (the form previews every key). True when the
// key has been handled and must not reach the focused control.
bool DispatchFormKey(F_K450120& form, int keyCode, int shift);

// Locks the editable fields and enables the buttons by processing category;
// any flag above 0 locks every field.
void LockEditFields(F_K450120& form, int flag);
