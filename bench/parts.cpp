#include "parts.h"

#include "generator.h"

#include "screen/main_form.h"
#include "store/line_load.h"
#include "core/command_dispatch.h"
#include "core/edit_pane.h"
#include "core/item_edit.h"
#include "core/item_list.h"
#include "screen/item_list_box.h"
#include "core/linking.h"
#include "core/list_rebuild.h"
#include "store/connection.h"
#include "store/sql_identifiers.h"

#include <QLocale>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>

#include <cstdio>

namespace bench {

namespace {

void Log(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

void Detail(const Options& o, const QString& what, const Sample& s)
{
    if (o.verbose)
        Log(QStringLiteral("  %1: median %2, min %3, max %4 (%5 runs)")
                .arg(what, Ms(s.Median()), Ms(s.Min()), Ms(s.Max()))
                .arg(s.ms.size()));
}

QString Lines(int n)
{
    return QLocale(QLocale::English).toString(n);
}

// ---------------------------------------------------------------- a. load

const char* const kRecords = "FL1903レコードフォーマット情報マスタ";
const char* const kDictionary = "FL1901項目情報マスタ";

// The raw limit: every column LoadLines may use, same join, key and order.
QString RawStatement()
{
    const QString r = QString::fromUtf8(kRecords) + QLatin1Char('.');
    const QString d = QString::fromUtf8(kDictionary) + QLatin1Char('.');
    QStringList columns;
    for (const char* c : {"フォーマット種別", "項目通番", "対応項目通番", "レベル番号", "項目№", "項目位置",
                          "項目名称", "属性", "長さ", "小数部長さ", "マルチ明細番号", "繰返し数",
                          "固定項目値", "変換エラー対処"})
        columns << r + QString::fromUtf8(c);
    for (const char* c : {"データ項目名", "長さ", "小数部長さ"})
        columns << d + QString::fromUtf8(c);
    return QStringLiteral("SELECT ") + columns.join(QLatin1Char(',')) + QStringLiteral(" FROM ")
        + QString::fromUtf8(kRecords) + QStringLiteral(" LEFT JOIN ") + QString::fromUtf8(kDictionary)
        + QStringLiteral(" ON ") + d + QStringLiteral("項目No=") + r + QStringLiteral("項目№ WHERE ") + r
        + QStringLiteral("情報区分コード=? AND ") + r + QStringLiteral("BPID=? ORDER BY ") + r
        + QStringLiteral("フォーマット種別,") + r + QStringLiteral("項目通番");
}

int RawSelect(Connection& db, const QString& sql, const QString& bpid, std::vector<QVariant>& values)
{
    QSqlQuery query(db.Database());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw BenchError(QStringLiteral("raw select: prepare failed"));
    query.addBindValue(CategoryCode());
    query.addBindValue(bpid);
    if (!query.exec())
        throw BenchError(QStringLiteral("raw select: exec failed"));
    const int columns = query.record().count();
    int rows = 0;
    while (query.next()) {
        for (int c = 0; c < columns; ++c)
            values.push_back(query.value(c));
        ++rows;
    }
    return rows;
}

}  // namespace

std::vector<Row> LoadPart(Connection& db, const Options& o)
{
    std::vector<Row> rows;
    const QString sql = NormalizeSql(RawStatement());
    for (const BenchFormat& f : Formats()) {
        Log(QStringLiteral("a. line load %1").arg(f.bpid));
        Sample program, raw;
        for (int r = -1; r < o.runs; ++r) {
            {
                FormatLines lines;
                const double start = NowMs();
                const bool loaded = LoadLines(db, CategoryCode(), f.bpid, lines);
                const double elapsed = NowMs() - start;
                if (!loaded || lines.StandardItems.Count() != f.linesPerLayout
                    || lines.LocalItems.Count() != f.linesPerLayout)
                    throw BenchError(QStringLiteral("LoadLines of %1 read %2 / %3 lines")
                                         .arg(f.bpid)
                                         .arg(lines.StandardItems.Count())
                                         .arg(lines.LocalItems.Count()));
                if (r >= 0)
                    program.ms.push_back(elapsed);
            }
            {
                std::vector<QVariant> values;
                const double start = NowMs();
                const int read = RawSelect(db, sql, f.bpid, values);
                const double elapsed = NowMs() - start;
                if (read != 2 * f.linesPerLayout)
                    throw BenchError(QStringLiteral("raw select of %1 read %2 rows").arg(f.bpid).arg(read));
                if (r >= 0)
                    raw.ms.push_back(elapsed);
            }
        }
        Detail(o, QStringLiteral("LoadLines"), program);
        Detail(o, QStringLiteral("raw SELECT"), raw);
        const double ratio = program.Median() / raw.Median();
        rows.push_back({QStringLiteral("a"), QStringLiteral("line load, both layouts (LoadLines)"),
                        Lines(f.linesPerLayout), Ms(program.Median()), Ms(raw.Median()),
                        Ratio(program.Median(), raw.Median()), QStringLiteral("≤ 2× raw"),
                        Verdict(ratio <= 2.0)});
    }
    return rows;
}

// ---------------------------------------------------------------- b. rebuild

QStringList RawListTexts(const ItemTable& table)
{
    static const QString caption = QStringLiteral("マルチ明細 No.");
    QStringList texts;
    texts.reserve(table.Count());
    char16_t digits[24];
    for (int i = 1; i <= table.Count(); ++i) {
        const FormatItem& item = table[i];
        const qint64 number = item.ItemPosition;
        quint64 v = number < 0 ? quint64(-number) : quint64(number);
        int nd = 0;
        do {
            digits[nd++] = char16_t(u'0' + v % 10);
            v /= 10;
        } while (v);
        const int width = qMax(nd, 6) + (number < 0 ? 1 : 0);
        const int indent = qMax(0, item.Level) * 3;
        const bool header = item.IsGroupHeader();
        const qsizetype nameLength =
            header ? caption.size() + item.MultiDetailNo.size() : item.ItemName.size();
        QString text(indent + width + 2 + nameLength, Qt::Uninitialized);
        char16_t* out = reinterpret_cast<char16_t*>(text.data());
        for (int k = 0; k < indent; ++k)
            *out++ = u' ';
        if (number < 0)
            *out++ = u'-';
        for (int k = nd; k < 6; ++k)
            *out++ = u'0';
        while (nd > 0)
            *out++ = digits[--nd];
        *out++ = u' ';
        *out++ = u' ';
        auto copy = [&out](const QString& s) {
            std::copy(s.utf16(), s.utf16() + s.size(), out);
            out += s.size();
        };
        if (header) {
            copy(caption);
            copy(item.MultiDetailNo);
        } else {
            copy(item.ItemName);
        }
        texts.append(std::move(text));
    }
    return texts;
}

namespace {

// The local table with every group length forgotten, as after edits that
// the settling passes must carry up through the nesting.
ItemTable StaleGroups(const ItemTable& table)
{
    ItemTable stale = table;
    for (int i = 1; i <= stale.Count(); ++i)
        if (stale[i].IsGroupHeader())
            stale[i].Length = 0;
    return stale;
}

void RequireSettled(const ItemTable& got, const ItemTable& expected, const QString& what)
{
    if (got.Count() != expected.Count())
        throw BenchError(what + QStringLiteral(": line count changed"));
    for (int i = 1; i <= got.Count(); ++i)
        if (got[i].ItemPosition != expected[i].ItemPosition || got[i].Length != expected[i].Length)
            throw BenchError(what + QStringLiteral(": line %1 not settled").arg(i));
}

}  // namespace

std::vector<Row> RebuildPart(Connection& db, const Options& o)
{
    std::vector<Row> rows;
    ModalGuard guard;
    for (const BenchFormat& f : Formats()) {
        Log(QStringLiteral("b. rebuild %1").arg(f.bpid));
        FormatLines loaded;
        if (!LoadLines(db, CategoryCode(), f.bpid, loaded))
            throw BenchError(QStringLiteral("no lines for ") + f.bpid);
        const ItemTable settled = loaded.LocalItems;
        const ItemTable stale = StaleGroups(settled);
        const QStringList expected = ListTexts(settled, true);
        if (RawListTexts(settled) != expected)
            throw BenchError(QStringLiteral("raw formatting differs from ListTexts"));

        QStringList texts;
        const Sample raw = Measure(o.runs, [&] { texts = QStringList(); },
                                   [&] { texts = RawListTexts(settled); },
                                   [&] {
                                       if (texts.size() != f.linesPerLayout)
                                           throw BenchError(QStringLiteral("raw formatting"));
                                   });
        Detail(o, QStringLiteral("raw formatting"), raw);

        ItemTable local, standard;
        auto pure = [&](const ItemTable& input, const QString& label) {
            const Sample s = Measure(
                o.runs,
                [&] {
                    local = input;
                    standard = loaded.StandardItems;
                    texts = QStringList();
                },
                [&] {
                    RebuildSettled(local, standard, PaneWatch{});
                    texts = ListTexts(local, true);
                },
                [&] {
                    RequireSettled(local, settled, label);
                    if (texts != expected)
                        throw BenchError(label + QStringLiteral(": list texts differ"));
                });
            Detail(o, label, s);
            rows.push_back({QStringLiteral("b"), label, Lines(f.linesPerLayout), Ms(s.Median()),
                            Ms(raw.Median()), Ratio(s.Median(), raw.Median()),
                            QStringLiteral("≤ 3× raw formatting"),
                            Verdict(s.Median() <= 3 * raw.Median())});
        };
        if (o.verbose) {
            // What the rebuild row is made of.
            Detail(o, QStringLiteral("RebuildSettled alone, settled input"),
                   Measure(o.runs, [&] { local = settled; standard = loaded.StandardItems; },
                           [&] { RebuildSettled(local, standard, PaneWatch{}); }));
            Detail(o, QStringLiteral("RebuildSettled alone, group lengths stale"),
                   Measure(o.runs, [&] { local = stale; standard = loaded.StandardItems; },
                           [&] { RebuildSettled(local, standard, PaneWatch{}); }));
            Detail(o, QStringLiteral("ListTexts alone"),
                   Measure(o.runs, [&] { texts = QStringList(); },
                           [&] { texts = ListTexts(settled, true); }));
        }
        pure(settled, QStringLiteral("RebuildSettled + ListTexts, settled input"));
        pure(stale, QStringLiteral("RebuildSettled + ListTexts, group lengths stale"));

        // The real list fill on a form showing this format.
        auto form = StartForm(o.programFolder);
        OpenLineScreen(*form, f.bpid, f.linesPerLayout);
        guard.Check(QStringLiteral("open ") + f.bpid);
        F_K450120& F = *form;
        auto onForm = [&](const ItemTable& input, const QString& label, bool painted) {
            const Sample s = Measure(
                o.runs,
                [&] {
                    F.State.Lines.LocalItems = input;
                    Flush();
                },
                [&] {
                    F.Run([&](FormState& s_) { return SettleLocalList(s_); });
                    if (painted)
                        Flush();
                },
                [&] {
                    Flush();
                    guard.Check(label);
                    RequireSettled(F.State.Lines.LocalItems, settled, label);
                    if (F.Lis_Local->count() != f.linesPerLayout
                        || F.Lis_Local->text(f.linesPerLayout - 1) != expected.last())
                        throw BenchError(label + QStringLiteral(": list not filled"));
                });
            Detail(o, label, s);
            // The raw limit paints nothing: the painted figure is shown, not judged.
            rows.push_back({QStringLiteral("b"), label, Lines(f.linesPerLayout), Ms(s.Median()),
                            Ms(raw.Median()), Ratio(s.Median(), raw.Median()),
                            painted ? QStringLiteral("—") : QStringLiteral("≤ 3× raw formatting"),
                            painted ? QStringLiteral("—") : Verdict(s.Median() <= 3 * raw.Median())});
        };
        onForm(settled, QStringLiteral("SettleLocalList on the form (fills the list), settled input"), false);
        onForm(stale, QStringLiteral("SettleLocalList on the form (fills the list), group lengths stale"), false);
        onForm(stale, QStringLiteral("… the same until the list is laid out and painted"), true);
        form.reset();
        Flush();
    }
    return rows;
}

// ---------------------------------------------------------------- c. editing

namespace {

struct Op {
    QString name;
    std::function<void()> prepare;  // untimed, after the reset
    std::function<void()> run;      // timed
    std::function<void()> check;    // untimed
};

bool Member(const FormatItem& line, int level)
{
    return !line.IsGroupHeader() && line.Level == level;
}

// A member at `level` between two members of the same level, from the middle
// of the table on; character attributes when `text` (its length may grow).
int FindMember(const ItemTable& t, int level, bool text)
{
    const int n = t.Count();
    for (int start : {n / 2, 2})
        for (int p = start; p < n; ++p)
            if (Member(t[p - 1], level) && Member(t[p], level) && Member(t[p + 1], level)
                && (!text || t[p].Attribute == QLatin1String("X") || t[p].Attribute == QLatin1String("K")))
                return p;
    throw BenchError(QStringLiteral("no member line at level %1").arg(level));
}

int FindUnlinkedItem(const ItemTable& t)
{
    for (int p = t.Count() / 2; p <= t.Count(); ++p)
        if (!t[p].IsGroupHeader() && t[p].LinkedSerialNo == 0)
            return p;
    throw BenchError(QStringLiteral("no unlinked item line"));
}

// The nearest group header above p.
int HeaderAbove(const ItemTable& t, int p)
{
    while (p >= 1 && !t[p].IsGroupHeader())
        --p;
    return p;
}

void Require(bool condition, const QString& what)
{
    if (!condition)
        throw BenchError(what);
}

}  // namespace

std::vector<Row> EditPart(const Options& o)
{
    const BenchFormat& f = Formats().back();
    const int n = f.linesPerLayout;
    Log(QStringLiteral("c. editing operations on %1").arg(f.bpid));
    ModalGuard guard;
    auto form = StartForm(o.programFolder);
    OpenLineScreen(*form, f.bpid, n);
    guard.Check(QStringLiteral("open ") + f.bpid);
    F_K450120& F = *form;
    const QString E = QStringLiteral("E");
    const QString L = QStringLiteral("L");
    const FormatLines snapshot = F.State.Lines;
    const ItemTable& S0 = snapshot.StandardItems;
    const ItemTable& L0 = snapshot.LocalItems;

    // Back to the line screen as opened: tables, lists and empty panes.
    auto reset = [&] {
        F.State.Lines = snapshot;
        F.State.Lines.ReselectPosition = 0;
        F.Run([&](FormState& s_) { return ClearEditPane(s_, E, QStringLiteral("Z")); });
        F.Run([&](FormState& s_) { return ClearEditPane(s_, L, QStringLiteral("Z")); });
        F.Run([&](FormState& s_) { return RebuildItemList(s_, E); });
        F.Run([&](FormState& s_) { return RebuildItemList(s_, L); });
        F.Run([&](FormState& s_) { return PrepareItemAdd(s_, L); });
        F.Run([&](FormState& s_) { return PrepareItemAdd(s_, E); });
    };

    // Deep lines: inserting, editing or deleting there changes three nested
    // group lengths, so the settling runs its full number of passes.
    const int pe = FindMember(S0, 3, false);
    const int pl = FindMember(L0, 3, true);
    const int groupOfPl = HeaderAbove(L0, pl);
    const int se = FindUnlinkedItem(S0);
    const int sl = FindUnlinkedItem(L0);
    const qint32 newItemNo = kFirstItemNo + 4321;
    const QString newName = QStringLiteral("ベンチ追加項目");
    bool committed = false;

    std::vector<Op> ops;
    ops.push_back({QStringLiteral("commit of a new standard line (CommitPaneEntry E)"),
                   [&] {
                       F.Lis_Hyojun->setCurrentRow(pe - 1);
                       F.Run([&](FormState& s_) { return PrepareItemAdd(s_, E); });
                       F.txt_KomokuNo->setText(QString::number(newItemNo));
                   },
                   [&] { committed = F.Run([&](FormState& s_) { return CommitPaneEntry(s_, E); }); },
                   [&] {
                       Require(committed && F.State.Lines.StandardItems.Count() == n + 1
                                   && F.State.Lines.StandardItems[pe + 1].ItemNo == newItemNo
                                   && F.Lis_Hyojun->count() == n + 1,
                               QStringLiteral("standard commit"));
                   }});
    ops.push_back({QStringLiteral("commit of a new local line in a depth-3 group (CommitPaneEntry L)"),
                   [&] {
                       F.Lis_Local->setCurrentRow(pl - 1);
                       F.Run([&](FormState& s_) { return PrepareItemAdd(s_, L); });
                       F.txt_KomokuMei->setText(newName);
                       F.txt_ZokuseiCodeLocal->setText(QStringLiteral("X"));
                       F.txt_NagasaLocal->setText(QStringLiteral("10"));
                       F.txt_SyosuNagasaLocal->setText(QStringLiteral("0"));
                       F.txt_HenkanErrorTaisyoLocal->setText(QStringLiteral("E"));
                   },
                   [&] { committed = F.Run([&](FormState& s_) { return CommitPaneEntry(s_, L); }); },
                   [&] {
                       const ItemTable& t = F.State.Lines.LocalItems;
                       Require(committed && t.Count() == n + 1 && t[pl + 1].ItemName == newName
                                   && t[pl + 1].Level == 3 && F.Lis_Local->count() == n + 1
                                   && t[groupOfPl].Length == L0[groupOfPl].Length + 10,
                               QStringLiteral("local commit"));
                   }});
    ops.push_back({QStringLiteral("commit of an edited local line in a depth-3 group (修正 then CommitPaneEntry L)"),
                   [&] {
                       F.Lis_Local->setCurrentRow(pl - 1);
                       F.Run([&](FormState& s_) { return ComandBtnClick(s_, 19); });  // 修正: BeginEdit, RefreshPane, unlock
                       F.txt_NagasaLocal->setText(QString::number(L0[pl].Length + 5));
                   },
                   [&] { committed = F.Run([&](FormState& s_) { return CommitPaneEntry(s_, L); }); },
                   [&] {
                       const ItemTable& t = F.State.Lines.LocalItems;
                       Require(committed && t.Count() == n && t[pl].Length == L0[pl].Length + 5
                                   && t[groupOfPl].Length == L0[groupOfPl].Length + 5,
                               QStringLiteral("local edit"));
                   }});
    for (const QString& side : {E, L}) {
        const int p = side == E ? pe : pl;
        ItemListBox* list = side == E ? F.Lis_Hyojun : F.Lis_Local;
        const ItemTable& before = side == E ? S0 : L0;
        auto same = [](const FormatItem& a, const FormatItem& b) {
            return a.ItemNo == b.ItemNo && a.ItemName == b.ItemName && a.Length == b.Length;
        };
        auto show = [&F, list, p, side] {
            list->setCurrentRow(p - 1);
            F.Run([&](FormState& s_) { return ShowItemInPane(s_, p, side); });
        };
        ops.push_back({QStringLiteral("delete (DeleteSelectedItem %1)").arg(side), show,
                       [&F, side] { F.Run([&](FormState& s_) { return DeleteSelectedItem(s_, side); }); },
                       [&F, list, side, n, p, &before, same] {
                           const ItemTable& t = F.State.Lines.Table(side);
                           Require(t.Count() == n - 1 && list->count() == n - 1 && same(t[p], before[p + 1]),
                                   QStringLiteral("delete ") + side);
                       }});
        ops.push_back({QStringLiteral("move up (MoveShownItemUp %1)").arg(side), show,
                       [&F, side] { F.Run([&](FormState& s_) { return MoveShownItemUp(s_, side); }); },
                       [&F, side, p, &before, same] {
                           const ItemTable& t = F.State.Lines.Table(side);
                           Require(same(t[p - 1], before[p]) && same(t[p], before[p - 1])
                                       && F.State.Lines.ReselectPosition == p - 1,
                                   QStringLiteral("move up ") + side);
                       }});
        ops.push_back({QStringLiteral("move down (MoveShownItemDown %1)").arg(side), show,
                       [&F, side] { F.Run([&](FormState& s_) { return MoveShownItemDown(s_, side); }); },
                       [&F, side, p, &before, same] {
                           const ItemTable& t = F.State.Lines.Table(side);
                           Require(same(t[p + 1], before[p]) && same(t[p], before[p + 1])
                                       && F.State.Lines.ReselectPosition == p + 1,
                                   QStringLiteral("move down ") + side);
                       }});
    }
    ops.push_back({QStringLiteral("link the shown lines (CreateLink)"),
                   [&] {
                       F.Run([&](FormState& s_) { return ShowItemInPane(s_, se, E); });
                       F.Run([&](FormState& s_) { return ShowItemInPane(s_, sl, L); });
                       Require(F.ComandBtn[12]->isEnabled(), QStringLiteral("ﾘﾝｸ作成 not enabled"));
                   },
                   [&] { F.Run([&](FormState& s_) { return CreateLink(s_); }); },
                   [&] {
                       Require(F.State.Lines.StandardItems[se].LinkedSerialNo == sl
                                   && F.State.Lines.LocalItems[sl].LinkedSerialNo == se,
                               QStringLiteral("CreateLink"));
                   }});
    ops.push_back({QStringLiteral("一括ﾘﾝｸ（M) (LinkAll)"), [] {}, [&] { F.Run([&](FormState& s_) { return LinkAll(s_); }); },
                   [&] {
                       const ItemTable& s = F.State.Lines.StandardItems;
                       const ItemTable& l = F.State.Lines.LocalItems;
                       bool linked = l.Count() == n && F.Lis_Local->count() == n;
                       for (int i = 1; linked && i <= n; ++i)
                           linked = s[i].LinkedSerialNo == i && l[i].LinkedSerialNo == i;
                       Require(linked, QStringLiteral("LinkAll"));
                   }});

    if (o.verbose) {
        // What every operation contains: the rebuild of its side with the list fill.
        reset();
        Flush();
        Detail(o, QStringLiteral("RebuildItemList E alone on the form"),
               Measure(o.runs, Flush, [&] { F.Run([&](FormState& s_) { return RebuildItemList(s_, E); }); }));
        Detail(o, QStringLiteral("SettleLocalList alone on the form"),
               Measure(o.runs, Flush, [&] { F.Run([&](FormState& s_) { return SettleLocalList(s_); }); }));
        Detail(o, QStringLiteral("Refill alone on the form's local list"),
               Measure(o.runs, Flush, [&] {
                   F.State.Lis_Local.Refill();
                   F.Lis_Local->Show();
               }));
    }

    std::vector<Row> rows;
    for (const Op& op : ops) {
        Sample call, shown;
        for (int r = -1; r < o.runs; ++r) {
            reset();
            op.prepare();
            Flush();
            guard.Check(op.name + QStringLiteral(" (prepare)"));
            const double start = NowMs();
            op.run();
            const double returned = NowMs();
            Flush();
            const double painted = NowMs();
            guard.Check(op.name);
            op.check();
            if (r >= 0) {
                call.ms.push_back(returned - start);
                shown.ms.push_back(painted - start);
            }
        }
        Detail(o, op.name, call);
        Detail(o, op.name + QStringLiteral(" until painted"), shown);
        rows.push_back({QStringLiteral("c"), op.name, Lines(n), Ms(call.Median()), QStringLiteral("—"),
                        QStringLiteral("—"), QStringLiteral("≤ 16 ms"), Verdict(call.Median() <= 16)});
        rows.push_back({QStringLiteral("c"), QStringLiteral("… the same until the lists are laid out and painted"),
                        Lines(n), Ms(shown.Median()), QStringLiteral("—"), QStringLiteral("—"),
                        QStringLiteral("≤ 16 ms"), Verdict(shown.Median() <= 16)});
    }
    return rows;
}

}  // namespace bench
