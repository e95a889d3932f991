#pragma once
// The header entry flow: the information-category list, the resets to key
// entry and the enabling of 複写（C) and 詳細設定( I ).

#include <QString>

class F_K450120;

// Reads the information-category file named in EDI.ini; status 9 when it does
// not exist (nothing is read), otherwise status unchanged.
void LoadCategoryList(F_K450120& form, qint16& status);

// Empties the key and the detail settings (and the pane fields but the last).
void ClearHeaderFields(F_K450120& form);

// Back to key entry after a finished or abandoned key: category "1" when
// empty, its check, both header buttons disabled, mode "HEAD".
void ResetToKeyEntry(F_K450120& form);

// Enables 複写（C) and 詳細設定( I ) after a field check or when the
// processing category gets the focus.
void UpdateHeaderButtons(F_K450120& form, const QString& controlName, qint16 hold);
