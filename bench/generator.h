#pragma once
// Large formats for the benchmark: a dictionary of 20,000 items and two
// formats (3,000 and 10,000 lines per layout) under keys of their own, written
// through the program's Connection in one transaction.

#include "core/format_lines.h"

#include <QString>
#include <QStringList>

#include <vector>

class Connection;

namespace bench {

// Kept clear of the demo dictionary (numbers below 1,000).
constexpr qint32 kFirstItemNo = 10001;
constexpr int kDictionarySize = 20000;

QString CategoryCode();   // 情報区分コード of every bench format
QString CategoryName();

struct BenchFormat {
    QString bpid;
    int linesPerLayout;
};
const std::vector<BenchFormat>& Formats();

struct DictEntry {
    qint32 no = 0;
    QString name;
    QString attribute;
    qint32 length = 0;
    qint32 decimals = 0;
};

std::vector<DictEntry> MakeDictionary();

// Both layouts of one format: 10% group headers nested up to three deep,
// half of the lines of each layout linked to a line of the same kind in the
// other; positions, group lengths and serial numbers settled by the program's
// own rebuild, so that what is stored is what the program would store.
FormatLines MakeFormat(const std::vector<DictEntry>& dictionary, int linesPerLayout, quint32 seed);

// Counts of a format's layouts, or what is wrong with their shape or links.
QString DescribeFormat(const FormatLines& lines);

struct GenerationSummary {
    int dictionaryItems = 0;
    int formats = 0;
    int lineRows = 0;
    double seconds = 0;
    QStringList shapes;  // DescribeFormat of each format
};

// Replaces the bench keys and the bench dictionary range in the data source.
// Throws SqlError; on failure nothing is left behind (rollback).
GenerationSummary WriteBenchData(Connection& db);

// The operator's key check accepts only categories of the site's category
// file: adds the bench category when it is missing. False with a message
// when the file cannot be read or written.
bool EnsureBenchCategory(const QString& programFolder, QString& error);

}  // namespace bench
