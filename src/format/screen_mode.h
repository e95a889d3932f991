#pragma once
// The screen modes ("MODE", "HEAD", "BODY": which field group is enabled).

class F_K450120;

// Empties the screen, builds the field table (mode "MODE") and enables its group.
void InitializeScreen(F_K450120& form);

// "HEAD" becomes "MODE", "BODY" becomes "HEAD"; then the group is enabled.
void StepBackMode(F_K450120& form);

// Sets the mode and enables its field group.
void SetScreenMode(F_K450120& form, const char* mode);

// Switches between the header screen (false) and the line screen (true):
// frames, key row, buttons 12 to 16, program id and field groups.
void SwitchLayout(F_K450120& form, bool detail);
