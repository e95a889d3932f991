#include "core/definition_check.h"

#include "core/item_list.h"
#include "core/text.h"

#include <vector>

namespace {

struct Problems {
    QList<Finding> list;
    bool standard = true;
    int line = 0;

    void Add(const char* column, const QString& text, bool refuses = false)
    {
        list << Finding{LinePlace(standard, line), QString::fromUtf8(column), text, refuses};
    }
};

void CheckLinks(Problems& found, const ItemTable& table, const ItemTable& other)
{
    for (int i = 1; i <= table.Count(); ++i) {
        found.line = i;
        const qint32 partner = table[i].LinkedSerialNo;
        if (partner == 0)
            continue;
        const QString there = LinePlace(!found.standard, partner);
        if (partner < 0 || partner > other.Count()) {
            found.Add("対応項目通番", QStringLiteral("%1: no such line (%2 lines)").arg(partner).arg(other.Count()), true);
            continue;
        }
        const FormatItem& a = table[i];
        const FormatItem& b = other[partner];
        if (b.LinkedSerialNo != i) {
            found.Add("対応項目通番", QStringLiteral("%1: %2 links to %3").arg(partner).arg(there).arg(b.LinkedSerialNo),
                      true);
        } else if (found.standard && a.Attribute != b.Attribute) {
            found.Add("属性", QStringLiteral("\"%1\", linked %2 has \"%3\"").arg(a.Attribute, there, b.Attribute));
        } else if (found.standard && !a.IsGroupHeader() && a.Length != b.Length) {
            found.Add("長さ", QStringLiteral("%1, linked %2 has %3").arg(a.Length).arg(there).arg(b.Length));
        }
    }
}

// A member's parent is the nearest line above with a lower level: it must
// be a group header one level up. A header must have a member below it.
void CheckGroups(Problems& found, const ItemTable& table)
{
    struct Open {
        qint32 level;
        bool header;
    };
    std::vector<Open> chain;
    for (int i = 1; i <= table.Count(); ++i) {
        found.line = i;
        const FormatItem& line = table[i];
        while (!chain.empty() && chain.back().level >= line.Level)
            chain.pop_back();
        if (line.Level > 0 && (chain.empty() || !chain.back().header || chain.back().level != line.Level - 1))
            found.Add("レベル番号", QStringLiteral("%1: a member without its group header").arg(line.Level));
        if (line.IsGroupHeader() && (i == table.Count() || table[i + 1].Level <= line.Level))
            found.Add("属性", QStringLiteral("a group header without members"));
        chain.push_back({line.Level, line.IsGroupHeader()});
    }
}

// The local positions and group lengths as the screen would compute them.
void CheckComputed(Problems& found, const FormatLines& lines)
{
    ItemTable local = lines.LocalItems;
    ItemTable standard = lines.StandardItems;
    const RebuildOutcome outcome = RebuildSettled(local, standard, PaneWatch{});
    if (outcome.outOfRange) {
        found.line = outcome.outOfRange->line;
        found.list << Finding{LinePlace(false, found.line), outcome.outOfRange->column,
                              QStringLiteral("the screen computes %1, beyond 32 bits").arg(outcome.outOfRange->value),
                              true};
        return;
    }
    for (int i = 1; i <= local.Count(); ++i) {
        found.line = i;
        const FormatItem& stored = lines.LocalItems[i];
        const FormatItem& computed = local[i];
        auto compare = [&](const char* column, qint32 have, qint32 want) {
            if (have != want)
                found.Add(column, QStringLiteral("%1, the screen computes %2").arg(have).arg(want));
        };
        compare("項目位置", stored.ItemPosition, computed.ItemPosition);
        compare("長さ", stored.Length, computed.Length);
        compare("小数部長さ", stored.DecimalLength, computed.DecimalLength);
    }
}

// Standard items must be in the dictionary; a local line that carries an
// item number (the bulk link's copy) has the dictionary's sizes.
void CheckDictionary(Problems& found, const ItemTable& table, Lookups& dictionary)
{
    for (int i = 1; i <= table.Count(); ++i) {
        found.line = i;
        const FormatItem& line = table[i];
        DictionaryItem item;
        if (line.IsGroupHeader() || (!found.standard && line.ItemNo == 0))
            continue;
        if (!dictionary.LookupItem(line.ItemNo, item)) {
            found.Add("項目№", QStringLiteral("%1: 項目情報ﾏｽﾀが登録されていません").arg(line.ItemNo));
        } else if (!found.standard) {
            const QString have[] = {line.Attribute, QString::number(line.Length), QString::number(line.DecimalLength)};
            const QString want[] = {item.attribute, QString::number(LeadingInteger(item.length)),
                                    QString::number(LeadingInteger(item.decimals))};
            const char* columns[] = {"属性", "長さ", "小数部長さ"};
            for (int c = 0; c < 3; ++c) {
                if (have[c] != want[c]) {
                    found.Add(columns[c], QStringLiteral("%1, the dictionary's item %2 has %3").arg(have[c]).arg(line.ItemNo).arg(want[c]));
                    break;
                }
            }
        }
    }
}

}  // namespace

QString Finding::Line() const
{
    return column.isEmpty() ? QStringLiteral("%1: %2").arg(place, text)
                            : QStringLiteral("%1: %2: %3").arg(place, column, text);
}

QString LinePlace(bool standard, int line)
{
    return QStringLiteral("%1 line %2").arg(standard ? QStringLiteral("standard") : QStringLiteral("local")).arg(line);
}

QList<Finding> FindDefinitionProblems(const FormatLines& lines, Lookups* dictionary)
{
    Problems found;
    for (const bool standard : {true, false}) {
        found.standard = standard;
        const ItemTable& table = standard ? lines.StandardItems : lines.LocalItems;
        CheckLinks(found, table, standard ? lines.LocalItems : lines.StandardItems);
        CheckGroups(found, table);
        if (dictionary)
            CheckDictionary(found, table, *dictionary);
    }
    found.standard = false;
    CheckComputed(found, lines);
    return found.list;
}
