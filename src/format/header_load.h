#pragma once
// Loading a stored format header into the detail-setting fields.

#include <QString>

class F_K450120;
class ResultSet;

// Reads the FL1902 row of the key and shows its detail settings; nothing
// changes when there is no row.
void LoadHeader(F_K450120& form, const QString& code, const QString& bpid);

// Fills the seven detail-setting fields and their name labels from a row.
void ShowDetailSettings(F_K450120& form, const ResultSet& row);
