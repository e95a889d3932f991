#pragma once
// The check of every input field of the main form: defaults, lookups,
// messages and the hold flag (0 accepted, 9 refused: the focus stays; -1:
// accepted and the key handling ends here).

#include <QString>

#include "core/form_state.h"

// Runs the check of the field at that tab position as the operator finished
// it (Enter or a full field), shows its message and updates the header buttons.
void CheckField(FormState& form, int position, qint16& hold);

// Shows the message of a check message number; nothing for unknown numbers.
void ShowCheckMessage(FormState& form, int number);

// The checks of the header fields; each returns its message number.
int CheckProcessingCategory(FormState& form, qint16& hold);
int CheckInformationCategory(FormState& form, qint16& hold);

// All seven detail settings before an update; stops at the first refusal
// (its field goes to `refused` when given).
qint16 CheckDetailSettings(FormState& form, Field** refused = nullptr);
