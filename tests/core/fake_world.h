#pragma once
// The form's world in memory for the core tests: an operator answering from a
// script, lookup tables and a store of formats with the lost-update check,
// each recording what the form asked. FakeWorld is a form started on them.

#include "core/form_state.h"

#include <QMap>
#include <QObject>

#include <memory>
#include <optional>

struct Box {
    QString text;
    int style = 0;
    QString informative;
};

class FakePrompts : public Prompts {
public:
    QList<Box> boxes;             // shown and not yet taken by the test
    QList<int> answers;           // for the boxes that ask, in order
    QList<SearchChoice> choices;  // for the searches, in order
    QStringList unexpected;       // questions and searches nobody answered
    int busy = 0;                 // SetBusy(true) less SetBusy(false)

    int ShowMessage(const QString& text, int style, const QString&, const QString& informative) override
    {
        boxes << Box{text, style, informative};
        return (style & 15) == msg::OkOnly ? msg::Ok : Next(answers, text, msg::Cancel);
    }
    SearchChoice ChooseCode(CodeSearchKind, const QList<QStringList>&) override
    {
        return Next(choices, QStringLiteral("SEARCH_MSTDB"), SearchChoice());
    }
    SearchChoice ChooseCategory(const QStringList&, const QStringList&) override
    {
        return Next(choices, QStringLiteral("G_GRID"), SearchChoice());
    }
    void SetBusy(bool on) override { busy += on ? 1 : -1; }
    QStringList Take();  // the texts of the boxes shown since the last call

private:
    template <typename T>
    T Next(QList<T>& script, const QString& what, T otherwise)
    {
        if (script.isEmpty())
            unexpected << what;
        return script.isEmpty() ? otherwise : script.takeFirst();
    }
};

struct StoredFormat {
    std::optional<HeaderSettings> header;
    QList<FormatItem> lines;  // both layouts, in layout order
};

class FakeStore : public FormatStore {
public:
    QMap<QString, StoredFormat> formats;  // by "code|bpid", untrimmed
    QStringList calls;                    // "WriteLines 0201|SHIPNT01", ...
    QString failing;  // the next call of this name throws StoreError ("*": any)

    static QString Name(const FormatKey& key) { return key.Code + '|' + key.Bpid; }
    static QString Row(const FormatItem& line);  // a line as a row
    QStringList Rows(const QString& key) const;
    Baseline Now(const FormatKey& key) const;

    bool FormatExists(const FormatKey& key) override
    {
        Call("FormatExists", key);
        return formats.value(Name(key)).header.has_value();
    }
    Baseline ReadBaseline(const FormatKey& key) override
    {
        Call("ReadBaseline", key);
        return Now(key);
    }
    std::optional<HeaderSettings> ReadHeader(const FormatKey& key) override
    {
        Call("ReadHeader", key);
        return formats.value(Name(key)).header;
    }
    bool LoadLines(const FormatKey& key, FormatLines& lines) override;
    Baseline WriteHeader(const FormatKey& key, const QStringList& settings, const Baseline& expected) override;
    Baseline WriteLines(const FormatKey& key, const FormatLines& lines, int standardCount, int localCount,
                        const Baseline& expected) override;
    void DeleteFormat(const FormatKey& key, const Baseline& expected) override
    {
        Call("DeleteFormat", key, &expected);
        if (!formats.remove(Name(key)))
            throw LostUpdate();
    }
    void RemoveOrphanLines(const FormatKey& key) override
    {
        Call("RemoveOrphanLines", key);
        if (!formats.value(Name(key)).header)
            formats.remove(Name(key));
    }
    Baseline CopyFormat(const FormatKey& source, const FormatKey& target) override;
    void Close() override { Call("Close", {}); }

private:
    // Records the call; throws the injected failure, or LostUpdate when
    // `expected` is given and differs from what is stored.
    void Call(const char* name, const FormatKey& key, const Baseline* expected = nullptr);
};

class FakeLookups : public Lookups {
public:
    QMap<QString, QString> names;  // by "kind/code"
    QMap<qint32, DictionaryItem> items;
    InformationCategories categories;
    bool categoryFileMissing = false;
    const FakeStore* store = nullptr;  // its headers are the format keys searched

    QString CategoryName(const QString& kind, const QString& code, const QString& excludedCode) override
    {
        return code == excludedCode ? QString() : names.value(kind + '/' + code);
    }
    bool LookupItem(qint32 itemNo, DictionaryItem& item) override
    {
        item = items.value(itemNo, item);
        return items.contains(itemNo);
    }
    bool ReadCategories(InformationCategories& list) override
    {
        list = categoryFileMissing ? InformationCategories{{}, {}, QStringLiteral("missing")} : categories;
        return !categoryFileMissing;
    }
    QList<QStringList> SearchRows(CodeSearchKind kind, const QString& filter) override;
};

FormatItem Line(const char* type, qint32 itemNo, const char* name, const char* attribute, qint32 length,
                qint32 link, qint32 level = 0, const char* multi = "", qint32 repeat = 0);

// The sample site in memory and the form started on it as app/startup.cpp
// starts it: category 1 preset, mode MODE, the focus in the category.
struct FakeWorld {
    FakePrompts ask;
    FakeLookups look;
    FakeStore store;
    FormState form;

    FakeWorld();
    bool consumed = false;  // by the last key pressed

    // "category code bpid" keyed in, "... lines" and the line screen opened;
    // anything else: as started.
    void Open(const QString& scenario);
    // The field focused by the operator, its text typed over, its check run.
    qint16 Check(Field& field, const QString& text);
    // The same with Enter pressed instead.
    void Enter(Field& field, const QString& text);
    // Typed to the end of the field and released: the automatic advance.
    void Type(Field& field, const QString& text, int keyCode = 'A');
    // A key pressed on the form (the preview and the dispatch).
    bool Press(int keyCode, int shift = 0);
    // Processing category typed, code and BPID entered; the boxes shown.
    QStringList KeyIn(const QString& category, const QString& code, const QString& bpid);
    // Selects a line (1-based) of a side and opens it with 編集.
    void Edit(const QString& side, int position);
    QString Focus() const { return form.Fields.Active ? form.Fields.Active->name : QString(); }

    // State by name: a control's text, or "name.enabled" (.visible, .locked,
    // .colour, .selected, .caret; .rows and .row of a list); "mode", "focus", "key"
    // (accepted), "consumed", "exit", "calls" (of the store), "box" (style
    // and informative text of the last), "stored code|bpid" (its line count);
    // "E"/"L" (line count), "E3" (a line as a row), "E3.link".
    QString Get(const QString& what);
    QStringList Get(const QStringList& pairs);  // "what=value" as they are now
    // "what=value": a text, .enabled/.locked/.visible/.colour (0/1), .cursor,
    // .select (start,length), .row of a list, "E3.link"; ">field" checks the field with the value, "click" a
    // button, "focus" a control, "mode"; "fail" the failing store call,
    // "changed" a format another desk changed, "answer" the next answer,
    // "choose" the next search row (esc, close).
    void Given(const QStringList& pairs);
    Control* Named(const QString& name);
};

QStringList Texts(std::initializer_list<const Control*> controls);

// A fresh world for each test function; every box shown must have been
// taken and every scripted answer used.
class WorldTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<FakeWorld> w;
    FormState& F() { return w->form; }

private slots:
    void init() { w = std::make_unique<FakeWorld>(); }
    void cleanup();
};
