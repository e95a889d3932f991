#pragma once
// The form's world in memory for the core tests: the operator answering from a script, lookup tables and a store of
// formats with the lost-update check, in one object that records what the form asked; the form started on it as
// app/startup.cpp starts it; and the state set and read by name.

#include "core/form_state.h"

#include <QMap>
#include <QObject>
#include <QTest>

#include <memory>

// Scenarios for "open=": keyed in, and the line screen shown.
inline const QString kNew = QStringLiteral("open=1 0101 NEWKEY01;"), kLines = QStringLiteral("open=1 0101 NEWKEY01 lines;"),
                     kShipping = QStringLiteral("open=2 0201 SHIPNT01 lines;");

struct Box { QString text; int style; QString informative; };
// Both layouts' lines in layout order.
struct StoredFormat { std::optional<HeaderSettings> header; QList<FormatItem> lines; };

class FakeWorld : public Prompts, public Lookups, public FormatStore {
public:
    QList<Box> boxes;             // shown and not yet taken by the test
    QList<int> answers;           // of the boxes that ask, in order
    QList<SearchChoice> choices;  // of the searches, in order
    QStringList unexpected;       // questions and searches without an answer
    int busy = 0;                 // SetBusy(true) less SetBusy(false)
    QMap<QString, QString> names;         // 区分名称 by "kind/code"
    QMap<qint32, DictionaryItem> items;
    QMap<QString, StoredFormat> formats;  // by "code|bpid", untrimmed
    QStringList calls;                    // of the store: "WriteLines 0201|SHIPNT01", ...
    QString failing;  // the next store call of this name throws StoreError ("*": any; "name!": BadStoredValue)
    FormState form;
    bool consumed = false;  // by the last key pressed
    qint16 hold = 0;        // of the last check

    FakeWorld();

    int ShowMessage(const QString& text, int style, const QString&, const QString& informative) override;
    SearchChoice ChooseCode(CodeSearchKind, const QList<QStringList>&) override { return Choose("SEARCH_MSTDB"); }
    SearchChoice ChooseCategory(const QStringList&, const QStringList&) override { return Choose("G_GRID"); }
    void SetBusy(bool on) override { busy += on ? 1 : -1; }

    QString CategoryName(const QString& kind, const QString& code, const QString& excluded) override
    {
        return code == excluded ? QString() : names.value(kind + '/' + code);
    }
    bool LookupItem(qint32 itemNo, DictionaryItem& item) override
    {
        item = items.value(itemNo, item);
        return items.contains(itemNo);
    }
    // The category file; it pads two-character codes.
    bool ReadCategories(InformationCategories& list) override
    {
        list = {{"0101", "0201", "0401", "99  "}, {"発注", "出荷案内", "請求", "テスト用"}, {}};
        return true;
    }
    QList<QStringList> SearchRows(CodeSearchKind kind, const QString& filter) override;

    static QString Row(const FormatItem& line);  // a line as a row
    bool FormatExists(const FormatKey& key) override { return Call("FormatExists", key).header.has_value(); }
    Baseline ReadBaseline(const FormatKey& key) override { return Now(Call("ReadBaseline", key)); }
    std::optional<HeaderSettings> ReadHeader(const FormatKey& key) override { return Call("ReadHeader", key).header; }
    bool LoadLines(const FormatKey& key, FormatLines& lines) override;
    Baseline WriteHeader(const FormatKey& key, const QStringList& settings, const Baseline& expected) override;
    Baseline WriteLines(const FormatKey& key, const FormatLines& lines, int standardCount, int localCount,
                        const Baseline& expected) override;
    void DeleteFormat(const FormatKey& key, const Baseline& expected) override;
    void RemoveOrphanLines(const FormatKey& key) override;
    Baseline CopyFormat(const FormatKey& source, const FormatKey& target) override;
    void Close() override { Call("Close", {}); }

    // Pairs "what=value;..." done in order: a control's text; .enabled .visible .left .top .width .height; of a field
    // .locked .colour (0/1) .cursor .select (start,length); of a list .row; "open" a scenario ("category code bpid
    // [lines]", its store calls forgotten), ">field" its check on the value, "key" pressed on the form (A, alt+A,
    // ctrl+tab, esc, f5, pgup...), "type" into the focused field, "release" a key there, "click" a button, "edit" a
    // line (E3: selected, 編集), "lock", "focus", "toolkit" (its own focus move), "mode", "back" (a mode), "commit" a
    // pane's line (E, L), "clear" a layout (E, L); "fail" the next store call of that name, "changed" a format another
    // desk changed, "unnamed" a category code (kind/code) gone from the master, "answer", "choose" (a row, esc or
    // close).
    void Given(const QString& pairs);
    // The same pairs as they are now: as above, .caret .selected .rows; "mode", "focus", "key" (accepted), "hold",
    // "consumed", "exit", "buttons", "fields" (enabled, 0/1 each), "calls", "msg" (the boxes shown, by number or name),
    // "box" (style|informative of the last), "stored code|bpid" (its line count), "E"/"L" (line count), "E3" (a line as
    // a row), "E3.link".
    QString State(const QString& pairs);

private:
    // Typed to the end of the field; released when a key is given.
    void Type(Field& field, const QString& text, int keyCode = 0);
    bool Press(int keyCode, int shift = 0);
    SearchChoice Choose(const char* search);
    // Records the call; throws the injected failure, or LostUpdate when `expected` differs from what is stored.
    StoredFormat Call(const char* name, const FormatKey& key, const Baseline* expected = nullptr);
    static Baseline Now(const StoredFormat& stored);
    Control* Named(const QString& name);
    QString Get(const QString& what);
};

// A fresh world for each test function; a row's boxes are taken when it names them ("msg"); every box shown must be
// taken, every answer used.
class WorldTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<FakeWorld> w;
    FormState& F() { return w->form; }
    void Expect(const QString& state) { QCOMPARE(w->State(state), state.split(';', Qt::SkipEmptyParts).join(';')); }
    // A row of a table: what is done, what is then expected.
    static void Columns() { QTest::addColumn<QString>("given"); QTest::addColumn<QString>("after"); }
    static QTestData& row(const char* name) { return QTest::newRow(name); }
    void Run() { QFETCH(QString, given); QFETCH(QString, after); Run(given, after); }
    void Run(const QString& given, const QString& after)
    {
        w->Given(given);
        Expect(after);
        if (after.contains(QLatin1String("msg=")))
            w->boxes.clear();
    }

private slots:
    void init() { w = std::make_unique<FakeWorld>(); }
    void cleanup();
};
