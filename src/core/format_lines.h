#pragma once
// The lines of the format being edited: one record per line and one table per
// layout. Plain values, no widgets, so that the editing logic is fast and
// testable on its own.

#include <QByteArray>
#include <QString>
#include <QVariantList>

#include <vector>

// One line of either layout ("E" standard, "L" local).
struct FormatItem {
    QString FormatType;        // フォーマット種別
    qint32 SerialNo = 0;       // 項目通番: the line's position in its layout
    qint32 LinkedSerialNo = 0; // 対応項目通番: the partner's position, 0 = not linked
    qint32 ItemNo = 0;         // 項目№
    qint32 ItemPosition = 0;   // 項目位置
    QString ItemName;          // 項目名称
    QString Attribute;         // 属性; "M" marks a group header
    qint32 Length = 0;         // 長さ
    qint32 DecimalLength = 0;  // 小数部長さ
    QString MultiDetailNo;     // マルチ明細番号
    qint32 RepeatCount = 0;    // 繰返し数
    QString FixedValue;        // 固定項目値
    QString ConversionError;   // 変換エラー対処
    qint32 Level = 0;          // レベル番号

    bool IsGroupHeader() const { return Attribute == QLatin1String("M"); }
};

// A layout: lines at positions 1..Count(); position 0 exists and never holds
// a line, so that a link or position of 0 can index it harmlessly. Any other
// position outside the table throws std::out_of_range: a fault, never a
// silent read or write of other memory.
class ItemTable {
public:
    ItemTable() : lines_(1) {}
    int Count() const { return static_cast<int>(lines_.size()) - 1; }
    FormatItem& operator[](int position) { return lines_.at(position); }
    const FormatItem& operator[](int position) const { return lines_.at(position); }
    // Grows or shrinks to positions 0..count, keeping the contents.
    void Resize(int count) { lines_.resize(count + 1); }
    void Clear() { lines_.assign(1, FormatItem()); }
    // Puts a line at position p (1..Count()+1), moving the lines behind it down.
    void Insert(int p, const FormatItem& item) { lines_.insert(lines_.begin() + p, item); }
    // Removes the line at position p, moving the lines behind it up.
    void Remove(int p) { lines_.erase(lines_.begin() + p); }

private:
    std::vector<FormatItem> lines_;
};

// A format's key as typed: 情報区分コード and BPID.
struct FormatKey {
    QString Code;
    QString Bpid;

    bool operator==(const FormatKey& other) const { return Code == other.Code && Bpid == other.Bpid; }
    bool operator!=(const FormatKey& other) const { return !(*this == other); }
};

// Everything the line screen edits.
struct FormatLines {
    // The key the lines were loaded for: they are written under it, whatever
    // the key fields show meanwhile.
    FormatKey Key;
    ItemTable StandardItems;
    ItemTable LocalItems;
    // Table position that the next list rebuild selects; 0 selects nothing.
    qint32 ReselectPosition = 0;
    // "KOMOKU" or "MEISAI": what the panes were last prepared for.
    QString EditKind;
    // A fingerprint of the stored lines as this desk last read or wrote them
    // (at the key check, when the line screen opened, after its own writes),
    // so that a write can tell that another desk changed them meanwhile.
    QByteArray StoredLines;
    // The stored format types (exactly as stored, null included) of the rows
    // the line screen loaded: the line write replaces those rows and no other.
    QVariantList LoadedTypes;

    ItemTable& Table(const QString& side)
    {
        return side == QLatin1String("E") ? StandardItems : LocalItems;
    }
};
