#pragma once
// Links between the lines of the two layouts.

class F_K450120;

// Enables ﾘﾝｸ作成（L) and ﾘﾝｸ解除（C) from what the two panes show.
void UpdateLinkButtons(F_K450120& form);
