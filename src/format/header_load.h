#pragma once
// Loading a stored format header into the detail-setting fields.

#include <QByteArray>
#include <QString>

class Connection;
class F_K450120;
class ResultSet;

// Reads the FL1902 row of the key and shows its detail settings; nothing
// changes when there is no row.
void LoadHeader(F_K450120& form, const QString& code, const QString& bpid);

// Fills the seven detail-setting fields and their name labels from a row.
void ShowDetailSettings(F_K450120& form, const ResultSet& row);

// The stored header row of the key as one value to compare with a later
// reading: empty when there is none. With `lock`, the row stays locked until
// the transaction ends, so that desks writing the same format take turns.
QByteArray StoredHeaderFingerprint(Connection& db, const QString& code, const QString& bpid,
                                   bool lock = false);
