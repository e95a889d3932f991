#pragma once
// The screen modes ("MODE", "HEAD", "BODY": which field group is enabled).

#include "core/form_state.h"


// Empties the screen, builds the field table (mode "MODE") and enables its group.
void InitializeScreen(FormState& form);

// "HEAD" becomes "MODE", "BODY" becomes "HEAD"; then the group is enabled.
void StepBackMode(FormState& form);

// Sets the mode and enables its field group.
void SetScreenMode(FormState& form, const char* mode);

// Switches between the header screen (false) and the line screen (true):
// frames, key row, buttons 12 to 16, program id and field groups. Showing
// the line screen loads the lines of the key fields; while it is shown it
// does nothing, so that no edit is replaced by the stored lines. Leaving it
// puts the key of its lines back into the key fields.
void SwitchLayout(FormState& form, bool detail);

// On the line screen: the lines of the key in the key fields replace the
// ones shown, both panes ready for a new item.
void ShowLinesOfKey(FormState& form);

// The key of the lines shown back in the key fields, with its name.
void RestoreLinesKey(FormState& form);
