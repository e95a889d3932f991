#include "core/moves.h"

#include <algorithm>
#include <limits>

namespace {

enum class Kind { Plain, Header, Member, Other };

Kind KindOf(const FormatItem& line)
{
    if (line.IsGroupHeader())
        return Kind::Header;
    if (line.Level == 0)
        return Kind::Plain;
    if (line.Level > 0)
        return Kind::Member;
    return Kind::Other;
}

bool Linked(const FormatItem& line)
{
    return line.LinkedSerialNo != 0;
}

void Swap(ItemTable& t, int a, int b)
{
    std::swap(t[a], t[b]);
}

// Moves the block of lines [from, to] so that it starts at `at` (at < from),
// the lines at..from-1 following it.
void Rotate(ItemTable& t, int at, int from, int to)
{
    std::vector<FormatItem> lines;
    for (int i = at; i <= to; ++i)
        lines.push_back(t[i]);
    std::rotate(lines.begin(), lines.begin() + (from - at), lines.end());
    for (int i = at; i <= to; ++i)
        t[i] = lines[i - at];
}

// The first position after the members of the group headed at p (lines at
// exactly one level deeper, up to the first line with another level).
int GroupEnd(const ItemTable& t, int p, int n)
{
    const qint64 member = qint64(t[p].Level) + 1;
    int e = p + 1;
    while (e <= n && t[e].Level == member)
        ++e;
    return e;
}

// The line above the level run that ends at p - 1.
int AboveLevelRun(const ItemTable& t, int p)
{
    int h = p - 1;
    while (h >= 1 && t[h].Level == t[p - 1].Level)
        --h;
    return std::max(h, 1);
}

// What became of the moving line m (with line m - 1 above it).
struct Move {
    bool moved = false;
    int movingAt = 0;   // where line m ends up
    int aboveAt = 0;    // where line m - 1 ends up
    bool inPlace = false;  // only levels changed (joining or nesting)
};

Move MoveUp(ItemTable& t, int m, int n)
{
    Move r;
    const FormatItem& line = t[m];
    const FormatItem& above = t[m - 1];
    const Kind k = KindOf(line);
    const Kind a = KindOf(above);
    r.moved = true;
    if (k == Kind::Plain && (a == Kind::Plain || a == Kind::Header)) {
        Swap(t, m, m - 1);
        r.movingAt = m - 1;
        r.aboveAt = m;
    } else if (k == Kind::Plain && a == Kind::Member && !Linked(line)) {
        t[m].Level = above.Level;  // joins the group above
        r.movingAt = m;
        r.aboveAt = m - 1;
        r.inPlace = true;
    } else if (k == Kind::Plain && a == Kind::Member) {
        int g = m - 1;
        while (g >= 1 && !t[g].IsGroupHeader())
            --g;
        g = std::max(g, 1);
        Rotate(t, g, m, m);  // jumps in front of the group
        r.movingAt = g;
        r.aboveAt = m;
    } else if (k == Kind::Header && a == Kind::Plain) {
        const int e = GroupEnd(t, m, n);
        Rotate(t, m - 1, m, e - 1);  // the group up by one, the item after it
        r.movingAt = m - 1;
        r.aboveAt = e - 1;
    } else if (k == Kind::Header && a == Kind::Header) {
        Swap(t, m, m - 1);
        r.movingAt = m - 1;
        r.aboveAt = m;
    } else if (k == Kind::Header && a == Kind::Member && !Linked(line)) {
        // The group nests into the group above, unless a level would leave 32 bits.
        const qint32 old = line.Level;
        const qint64 diff = qint64(above.Level) - old;
        int end = m + 1;
        for (; end <= n && t[end].Level > old; ++end)
            if (qint64(t[end].Level) + diff > std::numeric_limits<qint32>::max())
                return Move{};
        t[m].Level = above.Level;
        for (int j = m + 1; j < end; ++j)
            t[j].Level = qint32(t[j].Level + diff);
        r.movingAt = m;
        r.aboveAt = m - 1;
        r.inPlace = true;
    } else if (k == Kind::Header && a == Kind::Member) {
        const int e = GroupEnd(t, m, n);
        const int h = AboveLevelRun(t, m);
        Rotate(t, h, m, e - 1);  // the group in front of the run and its head
        r.movingAt = h;
        r.aboveAt = e - 1;
    } else if (k == Kind::Member && a == Kind::Header) {
        Swap(t, m, m - 1);
        t[m - 1].Level = t[m - 2].Level;  // leaves the group (position 0 has level 0)
        r.movingAt = m - 1;
        r.aboveAt = m;
    } else if (k == Kind::Member && a == Kind::Member) {
        Swap(t, m, m - 1);
        r.movingAt = m - 1;
        r.aboveAt = m;
    } else {
        r.moved = false;
    }
    return r;
}

}  // namespace

std::optional<int> MoveItemUp(ItemTable& table, int p)
{
    const int n = table.Count();
    if (p < 2 || n == 0 || p > n)
        return std::nullopt;
    const Move r = MoveUp(table, p, n);
    if (!r.moved)
        return std::nullopt;
    return r.movingAt;
}

std::optional<int> MoveItemDown(ItemTable& table, int p)
{
    const int n = table.Count();
    if (p == n || n < 2 || p < 1 || p > n)
        return std::nullopt;
    const bool plainLinkedJump = KindOf(table[p + 1]) == Kind::Plain && Linked(table[p + 1])
        && KindOf(table[p]) == Kind::Member;
    const Move r = MoveUp(table, p + 1, n);
    if (!r.moved)
        return std::nullopt;
    // The shown line's new position, except: when only levels changed, the
    // line below; when a linked item jumped up from below, the line after
    // the shown one.
    if (plainLinkedJump)
        return p + 2;
    return r.inPlace ? p + 1 : r.aboveAt;
}
