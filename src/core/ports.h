#pragma once
// What the form needs of the world, called synchronously from its
// operations: the operator (message boxes, questions, the two searches), the
// lookups (names of codes, the item dictionary, the category file) and the
// store of formats.

#include "core/format_lines.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <optional>
#include <stdexcept>

// Style codes of a message box: buttons 0 OK, 1 OK/Cancel, 3 Yes/No/Cancel,
// 4 Yes/No; icons 16 critical, 32 question, 48 exclamation, 64 information;
// 256/512 make the second/third button the default. Answers below.
namespace msg {
constexpr int OkOnly = 0, OkCancel = 1, YesNoCancel = 3, YesNo = 4;
constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
constexpr int DefaultButton2 = 256, DefaultButton3 = 512;
constexpr int Ok = 1, Cancel = 2, Yes = 6, No = 7;
}

// The application title, shown on every box without a title of its own.
inline constexpr const char* kApplicationTitle = "フォーマット情報マスタ保守";

enum class CodeSearchKind { FormatKey, ItemNumber };

// How a search dialog ended.
struct SearchChoice {
    enum Outcome {
        Chosen,     // `row` was chosen
        Closed,     // left without a choice; what was typed stays
        Abandoned,  // Esc outside the grid: the operator drops what was typed
    };
    Outcome outcome = Closed;
    int row = -1;
};

class Prompts {
public:
    virtual ~Prompts() = default;
    // A modal box; returns the answer code.
    virtual int ShowMessage(const QString& text, int style, const QString& title = QString(),
                            const QString& informative = QString()) = 0;
    // The format key or item search (SEARCH_MSTDB) over rows of two columns.
    virtual SearchChoice ChooseCode(CodeSearchKind kind, const QList<QStringList>& rows) = 0;
    // The category search (G_GRID) over the category file's codes and names.
    virtual SearchChoice ChooseCategory(const QStringList& codes, const QStringList& names) = 0;
    // The busy cursor while the database works.
    virtual void SetBusy(bool busy) = 0;
};

// A failure of the database; the form shows its own message.
class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the database holds for the format is not what this desk was shown:
// another desk changed or deleted it meanwhile.
class LostUpdate : public StoreError {
public:
    LostUpdate() : StoreError("the format has been changed or deleted meanwhile") {}
};

// A stored value outside its column's range, or a position computed from
// the lines that leaves 32 bits: the format cannot be edited.
struct BadStoredValue {
    QString where;  // layout, line, column and value, e.g. "ローカル 2行目 レベル番号 1000000000"
};

// The information categories of the site's category file, untrimmed.
struct InformationCategories {
    QStringList Codes;
    QStringList Names;
    QString Unread;  // why the file was not read; empty when it was
};

struct DictionaryItem {
    QString name;       // データ項目名
    QString attribute;  // 属性
    QString length;     // 長さ
    QString decimals;   // 小数部長さ
};

class Lookups {
public:
    virtual ~Lookups() = default;
    // The 区分名称 of a kind and code; empty when there is none or anything
    // fails. A non-empty excludedCode refuses that code too.
    virtual QString CategoryName(const QString& kind, const QString& code,
                                 const QString& excludedCode = QString()) = 0;
    // The dictionary entry of an item number; false when there is none.
    virtual bool LookupItem(qint32 itemNo, DictionaryItem& item) = 0;
    // The category file read afresh; false (with the reason in Unread) when
    // it cannot be.
    virtual bool ReadCategories(InformationCategories& list) = 0;
    // The rows a code search offers, in order; empty when none or on failure.
    virtual QList<QStringList> SearchRows(CodeSearchKind kind, const QString& filter) = 0;
};

// The stored format as one value per table, to tell another desk's change.
struct Baseline {
    QByteArray header;  // empty: no header row
    QByteArray lines;
};

// The seven detail settings of a header row as stored (null apart from text).
using HeaderSettings = std::array<QVariant, 7>;

class FormatStore {
public:
    virtual ~FormatStore() = default;
    // Every function throws StoreError when the database fails.
    virtual bool FormatExists(const FormatKey& key) = 0;
    virtual Baseline ReadBaseline(const FormatKey& key) = 0;
    virtual std::optional<HeaderSettings> ReadHeader(const FormatKey& key) = 0;
    // Every line of the key into the tables (LoadedTypes set); false when the
    // key has no lines (the tables untouched). Throws BadStoredValue.
    virtual bool LoadLines(const FormatKey& key, FormatLines& lines) = 0;
    // Each write runs in one transaction that first compares the stored
    // format with `expected` (LostUpdate when it differs) and returns the
    // baseline after it.
    virtual Baseline WriteHeader(const FormatKey& key, const QStringList& settings,
                                 const Baseline& expected) = 0;
    // Replaces the rows of the loaded types with the first `standardCount`
    // and `localCount` lines of the tables.
    virtual Baseline WriteLines(const FormatKey& key, const FormatLines& lines, int standardCount,
                                int localCount, const Baseline& expected) = 0;
    // LostUpdate also when the header is gone already.
    virtual void DeleteFormat(const FormatKey& key, const Baseline& expected) = 0;
    // Removes the lines of a key that has no header row.
    virtual void RemoveOrphanLines(const FormatKey& key) = 0;
    // Header and lines of `source` stored under `target` (lines left there
    // without a header first removed).
    virtual Baseline CopyFormat(const FormatKey& source, const FormatKey& target) = 0;
    virtual void Close() = 0;
};
