#pragma once
// What a format's lines say about their own consistency, whatever wrote
// them: links, groups, computed positions and the item dictionary. The
// exchange tool's import and check report these.

#include "core/format_lines.h"
#include "core/ports.h"

#include <QList>
#include <QString>

// One thing found in a format: where ("standard line 3", "header", "key"),
// the column, and what is wrong.
struct Finding {
    QString place;
    QString column;
    QString text;
    bool refuses = false;  // no desk could have stored it: an import refuses it

    // "place: column: text", the column left out when there is none.
    QString Line() const;
};

// "standard line N" or "local line N".
QString LinePlace(bool standard, int line);

// Every problem of the lines, layout by layout, line by line: links out of
// range or not symmetric (refusing), linked lines whose attribute or length
// differ, members without their group header, group headers without members,
// positions or group lengths that differ from what the screen computes, and,
// with a dictionary, items it does not hold and local copies of items whose
// attribute and sizes are not its own.
QList<Finding> FindDefinitionProblems(const FormatLines& lines, Lookups* dictionary = nullptr);
