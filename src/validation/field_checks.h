#pragma once
// The check of every input field of the main form: defaults, lookups,
// messages and the hold flag (0 accepted, 9 refused: the focus stays; -1:
// accepted and the key handling ends here).

#include <QString>

class F_K450120;

// Runs the check of the field at that tab position as the operator finished
// it (Enter or a full field), shows its message and updates the header buttons.
void CheckField(F_K450120& form, int position, qint16& hold);

// Shows the message of a check message number; nothing for unknown numbers.
void ShowCheckMessage(F_K450120& form, int number);

// The checks of the header fields; each returns its message number.
int CheckProcessingCategory(F_K450120& form, qint16& hold);
int CheckInformationCategory(F_K450120& form, qint16& hold);

// All seven detail settings before an update; stops at the first refusal.
qint16 CheckDetailSettings(F_K450120& form);
