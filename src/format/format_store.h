#pragma once
// Writing, deleting and copying formats in the database.

class F_K450120;

// Removes the stored lines of the key in txt_JohoKbn / txt_BPID when no
// header row is stored for it (a new key that was abandoned).
void RemoveOrphanLines(F_K450120& form);

// Shows the update-abort message.
void ShowUpdateAborted(F_K450120& form);
