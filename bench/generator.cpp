#include "generator.h"

#include "core/item_list.h"
#include "store/config.h"
#include "store/connection.h"
#include "core/shift_jis.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <numeric>
#include <random>

namespace bench {

QString CategoryCode()
{
    return QStringLiteral("9001");
}

QString CategoryName()
{
    return QStringLiteral("ベンチマーク用");
}

const std::vector<BenchFormat>& Formats()
{
    static const std::vector<BenchFormat> formats{{QStringLiteral("BENCH3K0"), 3000},
                                                  {QStringLiteral("BENCH10K"), 10000}};
    return formats;
}

namespace {

using Rng = std::mt19937;

int Uniform(Rng& rng, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(rng);
}

bool Chance(Rng& rng, double p)
{
    return std::uniform_real_distribution<double>(0.0, 1.0)(rng) < p;
}

struct Kind {
    const char* word;
    const char* attribute;
    int minLength, maxLength;
    int maxDecimals;       // 0: never decimals
    double decimalChance;  // share of the entries of this kind with decimals
};

// Item kinds with the lengths such items usually have.
const Kind kKinds[] = {
    {"番号", "X", 6, 20, 0, 0},  {"コード", "X", 2, 13, 0, 0}, {"区分", "X", 1, 2, 0, 0},
    {"日付", "9", 8, 8, 0, 0},   {"時刻", "9", 6, 6, 0, 0},    {"数量", "N", 7, 13, 3, 0.5},
    {"金額", "N", 11, 15, 2, 0.3}, {"単価", "9", 9, 13, 4, 0.8}, {"率", "9", 5, 7, 2, 1.0},
    {"名称", "K", 10, 30, 0, 0}, {"備考", "K", 20, 40, 0, 0},
};

const char* const kSubjects[] = {"発注", "出荷", "請求", "在庫", "納品", "検収", "支払",
                                 "見積", "所要", "受領", "返品", "内示", "梱包", "運送"};

// "S" is refused by the screen's check of the code; the bench stores only what a desk could.
const char* const kErrorActions[] = {"E", "E", "E", "E", "W", "Z"};

// The shape of a layout: which lines are group headers and every line's level.
struct Shape {
    bool header = false;
    qint32 level = 0;
};

std::vector<Shape> MakeShape(int n, Rng& rng)
{
    const int wanted = n / 10;
    std::vector<Shape> shape(n + 1);
    int depth = 0;
    int made = 0;
    bool afterHeader = false;
    for (int i = 1; i <= n; ++i) {
        // A group ends now and then, never before its first member.
        if (!afterHeader && depth > 0 && Chance(rng, 0.08))
            depth -= Chance(rng, 0.25) ? std::min(depth, 2) : 1;
        // The last line cannot open a group; a header directly below a header
        // at level 2 would need members at level 4.
        const bool allowed = i < n && !(afterHeader && depth >= 3);
        const int openings = n - i;  // lines i..n-1 may still open a group
        const bool header = allowed && made < wanted
            && (wanted - made >= openings || Chance(rng, double(wanted - made) / openings));
        if (header && depth >= 3)
            depth = Uniform(rng, 0, 2);
        shape[i].header = header;
        shape[i].level = depth;
        afterHeader = header;
        if (header) {
            ++made;
            ++depth;
        }
    }
    return shape;
}

// k of the positions, in order.
std::vector<int> Pick(std::vector<int> positions, int k, Rng& rng)
{
    std::shuffle(positions.begin(), positions.end(), rng);
    positions.resize(std::min<size_t>(positions.size(), size_t(k)));
    std::sort(positions.begin(), positions.end());
    return positions;
}

}  // namespace

std::vector<DictEntry> MakeDictionary()
{
    Rng rng(1901);
    std::vector<DictEntry> dictionary;
    dictionary.reserve(kDictionarySize);
    const int kinds = int(std::size(kKinds));
    const int subjects = int(std::size(kSubjects));
    for (int i = 0; i < kDictionarySize; ++i) {
        const Kind& kind = kKinds[Uniform(rng, 0, kinds - 1)];
        DictEntry e;
        e.no = kFirstItemNo + i;
        e.name = QString::fromUtf8(kSubjects[Uniform(rng, 0, subjects - 1)])
            + QString::fromUtf8(kind.word) + QString::number(e.no);
        e.attribute = QString::fromLatin1(kind.attribute);
        e.length = Uniform(rng, kind.minLength, kind.maxLength);
        if (e.attribute == QLatin1String("K"))
            e.length += e.length % 2;  // double-byte text: an even number of bytes
        if (kind.maxDecimals > 0 && Chance(rng, kind.decimalChance))
            e.decimals = Uniform(rng, 1, std::min(kind.maxDecimals, e.length - 1));
        dictionary.push_back(e);
    }
    return dictionary;
}

FormatLines MakeFormat(const std::vector<DictEntry>& dictionary, int n, quint32 seed)
{
    Rng rng(seed);
    const std::vector<Shape> standardShape = MakeShape(n, rng);
    const std::vector<Shape> localShape = MakeShape(n, rng);
    const int last = int(dictionary.size()) - 1;

    FormatLines lines;
    ItemTable& standard = lines.StandardItems;
    ItemTable& local = lines.LocalItems;
    standard.Resize(n);
    local.Resize(n);
    int standardGroups = 0;
    int localGroups = 0;
    for (int i = 1; i <= n; ++i) {
        FormatItem& s = standard[i];
        s.FormatType = QStringLiteral("E");
        s.SerialNo = i;
        s.Level = standardShape[i].level;
        s.ConversionError = QString::fromLatin1(kErrorActions[Uniform(rng, 0, 5)]);
        if (standardShape[i].header) {
            ++standardGroups;
            s.Attribute = QStringLiteral("M");
            s.ItemName = QStringLiteral("明細グループ") + QString::number(standardGroups);
            s.MultiDetailNo = QString::number(standardGroups);
            s.RepeatCount = Uniform(rng, 1, 5);
        } else {
            const DictEntry& e = dictionary[Uniform(rng, 0, last)];
            s.ItemNo = e.no;
            s.ItemName = e.name;
            s.Attribute = e.attribute;
            s.Length = e.length;
            s.DecimalLength = e.decimals;
            s.MultiDetailNo = QStringLiteral("0");
        }
        FormatItem& l = local[i];
        l.FormatType = QStringLiteral("L");
        l.SerialNo = i;
        l.Level = localShape[i].level;
        l.ConversionError = QStringLiteral("E");
        if (localShape[i].header) {
            ++localGroups;
            l.Attribute = QStringLiteral("M");
            l.ItemName = QStringLiteral("自社明細") + QString::number(localGroups);
            l.MultiDetailNo = QString::number(localGroups);
            l.RepeatCount = Uniform(rng, 1, 5);
        } else {
            // Unlinked local items carry a name and a layout of their own.
            const DictEntry& e = dictionary[Uniform(rng, 0, last)];
            l.ItemName = QStringLiteral("自社") + e.name;
            l.Attribute = e.attribute;
            l.Length = e.length;
            l.DecimalLength = e.decimals;
            l.MultiDetailNo = QStringLiteral("0");
        }
    }

    // Half of each layout linked, headers with headers and items with items,
    // pairs in order so that the two layouts run side by side.
    auto positions = [n](const std::vector<Shape>& shape, bool header) {
        std::vector<int> p;
        for (int i = 1; i <= n; ++i)
            if (shape[i].header == header)
                p.push_back(i);
        return p;
    };
    const int headerPairs = std::min(standardGroups, localGroups) / 2;
    const int itemPairs = n / 2 - headerPairs;
    for (const bool header : {true, false}) {
        const int k = header ? headerPairs : itemPairs;
        const std::vector<int> s = Pick(positions(standardShape, header), k, rng);
        const std::vector<int> l = Pick(positions(localShape, header), k, rng);
        for (size_t j = 0; j < s.size() && j < l.size(); ++j) {
            standard[s[j]].LinkedSerialNo = l[j];
            local[l[j]].LinkedSerialNo = s[j];
            if (!header) {
                // A linked local item maps its standard item one to one.
                const FormatItem& from = standard[s[j]];
                FormatItem& to = local[l[j]];
                to.ItemNo = from.ItemNo;
                to.ItemName = from.ItemName;
                to.Attribute = from.Attribute;
                to.Length = from.Length;
                to.DecimalLength = from.DecimalLength;
            }
        }
    }
    // Standard names and lengths come from the dictionary when loaded; the
    // stored row keeps the dictionary's attribute and lengths like the demo.
    RebuildSettled(local, standard, PaneWatch{});
    RebuildPass(standard, local, false, PaneWatch{});
    return lines;
}

QString DescribeFormat(const FormatLines& lines)
{
    QStringList parts;
    for (const bool standard : {true, false}) {
        const ItemTable& t = standard ? lines.StandardItems : lines.LocalItems;
        const ItemTable& other = standard ? lines.LocalItems : lines.StandardItems;
        int headers = 0, linked = 0, maxLevel = 0;
        for (int i = 1; i <= t.Count(); ++i) {
            const FormatItem& line = t[i];
            maxLevel = std::max(maxLevel, int(line.Level));
            if (line.IsGroupHeader()) {
                ++headers;
                if (i == t.Count() || t[i + 1].Level != line.Level + 1 || line.RepeatCount <= 0)
                    return QStringLiteral("group header %1 without members").arg(i);
            }
            const qint32 k = line.LinkedSerialNo;
            if (k > 0) {
                ++linked;
                if (k > other.Count() || other[k].LinkedSerialNo != i
                    || other[k].IsGroupHeader() != line.IsGroupHeader())
                    return QStringLiteral("link of line %1 not symmetric").arg(i);
            }
        }
        parts << QStringLiteral("%1 %2 lines, %3 group headers, levels 0-%4, %5 linked")
                     .arg(standard ? QStringLiteral("E") : QStringLiteral("L"))
                     .arg(t.Count())
                     .arg(headers)
                     .arg(maxLevel)
                     .arg(linked);
    }
    return parts.join(QStringLiteral("; "));
}

namespace {

const char* const kInsertLine =
    "INSERT INTO FL1903レコードフォーマット情報マスタ (情報区分コード,BPID,フォーマット種別,項目通番,"
    "対応項目通番,レベル番号,項目№,項目位置,項目名称,属性,長さ,小数部長さ,マルチ明細番号,繰返し数,"
    "固定項目値,変換エラー対処) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";

QVariant NullText()
{
    return QVariant(QMetaType(QMetaType::QString));
}

QVariant NullInt()
{
    return QVariant(QMetaType(QMetaType::Int));
}

// As the program's own save writes a line.
void InsertTable(Connection& db, const QString& bpid, const ItemTable& table, bool standard)
{
    const QString statement = QString::fromUtf8(kInsertLine);
    for (int p = 1; p <= table.Count(); ++p) {
        const FormatItem& line = table[p];
        QVariantList values{CategoryCode(), bpid, standard ? QStringLiteral("E") : QStringLiteral("L")};
        values << line.SerialNo << line.LinkedSerialNo << line.Level << line.ItemNo
               << (standard ? NullInt() : QVariant(line.ItemPosition))
               << ((!standard || line.IsGroupHeader()) ? QVariant(line.ItemName) : NullText())
               << line.Attribute << line.Length << line.DecimalLength << line.MultiDetailNo
               << line.RepeatCount << line.FixedValue << line.ConversionError;
        db.SetStatement(statement, values);
        db.ExecuteStatement();
    }
}

}  // namespace

GenerationSummary WriteBenchData(Connection& db)
{
    QElapsedTimer timer;
    timer.start();
    GenerationSummary summary;
    const std::vector<DictEntry> dictionary = MakeDictionary();
    db.BeginTrans();
    try {
        for (const BenchFormat& f : Formats()) {
            db.SetStatement(QStringLiteral("DELETE FROM FL1903レコードフォーマット情報マスタ"
                                           " WHERE 情報区分コード=? AND BPID=?"),
                            {CategoryCode(), f.bpid});
            db.ExecuteStatement();
            db.SetStatement(QStringLiteral("DELETE FROM FL1902フォーマット情報マスタ"
                                           " WHERE 情報区分コード=? AND BPID=?"),
                            {CategoryCode(), f.bpid});
            db.ExecuteStatement();
        }
        db.SetStatement(QStringLiteral("DELETE FROM FL1901項目情報マスタ WHERE 項目No BETWEEN ? AND ?"),
                        {kFirstItemNo, kFirstItemNo + kDictionarySize - 1});
        db.ExecuteStatement();

        const QString insertItem = QStringLiteral(
            "INSERT INTO FL1901項目情報マスタ (項目No,データ項目名,属性,長さ,小数部長さ) VALUES (?,?,?,?,?)");
        for (const DictEntry& e : dictionary) {
            db.SetStatement(insertItem, {e.no, e.name, e.attribute, e.length, e.decimals});
            db.ExecuteStatement();
        }
        summary.dictionaryItems = int(dictionary.size());

        quint32 seed = 1903;
        for (const BenchFormat& f : Formats()) {
            db.SetStatement(QStringLiteral(
                                "INSERT INTO FL1902フォーマット情報マスタ (情報区分コード,BPID,様式識別,"
                                "シンタックスIDバージョン,格納モード,1バイト文字集合,2バイト文字集合,"
                                "ローカル形式,XML文字コード) VALUES (?,?,?,?,?,?,?,?,?)"),
                            {CategoryCode(), f.bpid, QStringLiteral("11"), QStringLiteral("CII111"),
                             QStringLiteral("M"), QStringLiteral("S"), QStringLiteral("S"),
                             QStringLiteral("F"), QStringLiteral("S")});
            db.ExecuteStatement();
            const FormatLines lines = MakeFormat(dictionary, f.linesPerLayout, seed++);
            summary.shapes << f.bpid + QStringLiteral(": ") + DescribeFormat(lines);
            InsertTable(db, f.bpid, lines.StandardItems, true);
            InsertTable(db, f.bpid, lines.LocalItems, false);
            summary.lineRows += lines.StandardItems.Count() + lines.LocalItems.Count();
            ++summary.formats;
        }
        db.CommitTrans();
    } catch (const SqlError&) {
        try {
            db.RollbackTrans();
        } catch (const SqlError&) {
        }
        throw;
    }
    summary.seconds = timer.nsecsElapsed() / 1e9;
    return summary;
}

bool EnsureBenchCategory(const QString& programFolder, QString& error)
{
    QString path;
    try {
        path = ReadCategoryFilePath(programFolder);
    } catch (const ConfigReadError& e) {
        error = QString::fromUtf8(e.what());
        return false;
    }
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadWrite)) {
        error = QStringLiteral("cannot open the category file ") + path;
        return false;
    }
    QByteArray content = file.readAll();
    const QByteArray code = ToAnsi(CategoryCode());
    for (const QByteArray& line : content.split('\n'))
        if (line.startsWith(code))
            return true;
    const QByteArray eol = content.contains("\r\n") ? QByteArray("\r\n") : QByteArray("\n");
    QByteArray add;
    if (!content.isEmpty() && !content.endsWith('\n'))
        add += eol;
    add += ToAnsi(CategoryCode() + CategoryName()) + eol;
    if (file.write(add) != add.size()) {
        error = QStringLiteral("cannot write the category file ") + path;
        return false;
    }
    return true;
}

}  // namespace bench
