#pragma once
// The header entry flow: the information-category list, the resets to key
// entry, the detail settings of a stored header and the enabling of
// 複写（C) and 詳細設定( I ).

#include "core/form_state.h"

// Reads the information-category file named in EDI.ini; status 9 when it does
// not exist (nothing is read), otherwise status unchanged.
void LoadCategoryList(FormState& form, qint16& status);

// Empties the key and the detail settings (and the pane fields but the last).
void ClearHeaderFields(FormState& form);

// Back to key entry after a finished or abandoned key: category "1" when
// empty, its check, both header buttons disabled, mode "HEAD".
void ResetToKeyEntry(FormState& form);

// Enables 複写（C) and 詳細設定( I ) after a field check or when the
// processing category gets the focus.
void UpdateHeaderButtons(FormState& form, const QString& controlName, qint16 hold);

// Reads the header row of the key and shows its detail settings; nothing
// changes when there is none. Throws StoreError.
void LoadHeader(FormState& form, const FormatKey& key);

// Shows the name of a code in the label, or empties the label, sets hold to
// 9 and shows "該当データがありませんでした" when the code is unknown.
void CheckCategoryCode(FormState& form, const QString& kind, const QString& code,
                       Control& nameLabel, qint16& hold, const QString& excludedCode = QString());

// Asks "終了してもよろしいですか". Yes closes the connection and returns false
// (the program ends); No resets the field backgrounds and returns true.
bool ConfirmExit(FormState& form);
