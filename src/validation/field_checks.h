#pragma once
// The check of every input field of the main form: defaults, lookups,
// messages and the hold flag (0 accepted, 9 refused: the focus stays).

#include <QString>

class F_K450120;

// Runs the check of the field at that tab position, shows its message and
// updates the header buttons.
void CheckField(F_K450120& form, int position, qint16& hold);

// Shows the message of a check message number; nothing for unknown numbers.
void ShowCheckMessage(F_K450120& form, int number);

// The processing category (txt_SyoriKbn); returns the message number.
int CheckProcessingCategory(F_K450120& form, qint16& hold);
