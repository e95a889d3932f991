#pragma once
// The measured parts of the benchmark; each returns its rows of the table.

#include "support.h"

#include "core/format_lines.h"

#include <QString>

#include <vector>

class Connection;

namespace bench {

struct Options {
    int runs = 11;
    bool verbose = false;
    QString programFolder;  // the site's PGM/BIN
    QString self;           // this program, for the probes in child processes
};

// a. LoadLines against one plain forward-only SELECT of the same rows.
std::vector<Row> LoadPart(Connection& db, const Options& options);

// b. The local rebuild with settling and the list fill against formatting
// the list texts once.
std::vector<Row> RebuildPart(Connection& db, const Options& options);

// c. Editing operations on the 10,000-line format on a real form.
std::vector<Row> EditPart(const Options& options);

// d. Start-up to the focused header screen against a minimal window.
std::vector<Row> StartupPart(const Options& options);

// e. Resident memory of the 10,000-line format on a form.
std::vector<Row> MemoryPart(const Options& options);

// f. Export and import of the 10,000-line format against the same rows read
// or written raw.
std::vector<Row> ExchangePart(Connection& db, const Options& options);

// The list texts of a local table formatted directly (the raw limit).
QStringList RawListTexts(const ItemTable& table);

// Child-process probes: print their figures on stdout, return the exit status.
int ProbeStartup(const QString& kind, const QString& programFolder, double mainEntryMs);
int ProbeMemory(const QString& programFolder);

// The Qt set-up of the program's entry point (translations and font).
void SetUpLikeTheProgram();

}  // namespace bench
