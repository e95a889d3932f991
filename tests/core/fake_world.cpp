#include "core/fake_world.h"

#include "core/command_dispatch.h"
#include "core/field_discipline.h"
#include "core/header_flow.h"
#include "core/key_codes.h"
#include "core/field_checks.h"
#include "core/screen_mode.h"

#include <QTest>

QStringList FakePrompts::Take()
{
    QStringList texts;
    for (const Box& box : boxes)
        texts << box.text;
    boxes.clear();
    return texts;
}

QString FakeStore::Row(const FormatItem& l)
{
    QStringList values{l.FormatType};
    for (qint32 n : {l.SerialNo, l.LinkedSerialNo, l.Level, l.ItemNo, l.ItemPosition, l.Length,
                     l.DecimalLength, l.RepeatCount})
        values << QString::number(n);
    return (values + QStringList{l.ItemName, l.Attribute, l.MultiDetailNo, l.FixedValue, l.ConversionError})
        .join(QLatin1Char('|'));
}

QStringList FakeStore::Rows(const QString& key) const
{
    QStringList rows;
    for (const FormatItem& line : formats.value(key).lines)
        rows << Row(line);
    return rows;
}

Baseline FakeStore::Now(const FormatKey& key) const
{
    Baseline now;
    if (const auto& header = formats.value(Name(key)).header)
        for (const QVariant& v : *header)
            now.header += (v.isNull() ? QByteArray("<null>") : v.toString().toUtf8()) + '|';
    now.lines = Rows(Name(key)).join(QLatin1Char('\n')).toUtf8();
    return now;
}

void FakeStore::Call(const char* name, const FormatKey& key, const Baseline* expected)
{
    calls << (key.Bpid.isNull() ? QLatin1String(name) : QLatin1String(name) + ' ' + Name(key));
    if (failing == QLatin1String(name) || failing == QLatin1String("*")) {
        failing.clear();
        throw StoreError("injected");
    }
    if (expected && (Now(key).header != expected->header || Now(key).lines != expected->lines))
        throw LostUpdate();
}

bool FakeStore::LoadLines(const FormatKey& key, FormatLines& lines)
{
    Call("LoadLines", key);
    const QList<FormatItem> stored = formats.value(Name(key)).lines;
    if (stored.isEmpty())
        return false;
    lines.LoadedTypes.clear();
    for (FormatItem line : stored) {
        ItemTable& table = lines.Table(line.FormatType);
        line.SerialNo = table.Count() + 1;
        table.Insert(line.SerialNo, line);
        if (!lines.LoadedTypes.contains(line.FormatType))
            lines.LoadedTypes << line.FormatType;
    }
    return true;
}

Baseline FakeStore::WriteHeader(const FormatKey& key, const QStringList& settings, const Baseline& expected)
{
    Call("WriteHeader", key, &expected);
    HeaderSettings header;
    for (int i = 0; i < 7; ++i)
        header[i] = settings.value(i);
    formats[Name(key)].header = header;
    return Now(key);
}

Baseline FakeStore::WriteLines(const FormatKey& key, const FormatLines& lines, int standardCount, int localCount,
                               const Baseline& expected)
{
    Call("WriteLines", key, &expected);
    QList<FormatItem>& stored = formats[Name(key)].lines;
    stored.removeIf([&](const FormatItem& l) { return lines.LoadedTypes.contains(l.FormatType); });
    for (int p = 1; p <= standardCount; ++p)
        stored << lines.StandardItems[p];
    for (int p = 1; p <= localCount; ++p)
        stored << lines.LocalItems[p];
    return Now(key);
}

Baseline FakeStore::CopyFormat(const FormatKey& source, const FormatKey& target)
{
    Call("CopyFormat", target);
    const StoredFormat from = formats.value(Name(source));
    StoredFormat& to = formats[Name(target)];
    if (!to.header)
        to.lines.clear();
    to.header = from.header;
    to.lines += from.lines;
    return Now(target);
}

QList<QStringList> FakeLookups::SearchRows(CodeSearchKind kind, const QString& filter)
{
    QList<QStringList> rows;
    for (auto i = items.cbegin(); kind == CodeSearchKind::ItemNumber && i != items.cend(); ++i)
        rows << QStringList{QString::number(i.key()), i->name};
    for (auto f = store->formats.cbegin(); kind == CodeSearchKind::FormatKey && f != store->formats.cend(); ++f)
        if (f->header && (filter.isEmpty() || f.key().startsWith(filter + '|')))
            rows << f.key().split(QLatin1Char('|'));
    return rows;
}

FormatItem Line(const char* type, qint32 itemNo, const char* name, const char* attribute, qint32 length,
                qint32 link, qint32 level, const char* multi, qint32 repeat)
{
    FormatItem l;
    l.FormatType = QLatin1String(type);
    l.ItemNo = itemNo;
    l.ItemName = QString::fromUtf8(name);
    l.Attribute = QLatin1String(attribute);
    l.Length = length;
    l.LinkedSerialNo = link;
    l.Level = level;
    l.MultiDetailNo = QLatin1String(multi);
    l.RepeatCount = repeat;
    l.ConversionError = QStringLiteral("E");
    return l;
}

FakeWorld::FakeWorld()
{
    static const char* const names[][3] = {
        {"処理区分", "0", "照会"}, {"処理区分", "1", "登録"}, {"処理区分", "2", "修正"}, {"処理区分", "9", "削除"},
        {"様式識別", "10", "CII標準 Ver1.0"}, {"様式識別", "11", "CII標準 Ver1.1"}, {"様式識別", "20", "EIAJ"},
        {"格納モード", "M", "ﾏﾙﾁ"}, {"格納モード", "S", "ｼﾝｸﾞﾙ"}, {"1バイト文字集合", "S", "JIS X 0201"},
        {"2バイト文字集合", "S", "ｼﾌﾄJIS"}, {"2バイト文字集合", "U", "UTF-8"}, {"ローカル形式", "T", "ﾃｷｽﾄ"},
        {"XML文字コード", "S", "Shift_JIS"}, {"XML文字コード", "U", "UTF-8"}, {"変換エラー対処", "E", "ｴﾗｰ"},
        {"変換エラー対処", "S", "ｽｷｯﾌﾟ"}, {"変換エラー対処", "W", "警告"}, {"属性", "9", "数値"},
        {"属性", "N", "数値(符号付)"}, {"属性", "X", "英数字"}, {"属性", "K", "漢字"}, {"属性", "M", "ﾏﾙﾁ明細"}};
    for (const auto& n : names)
        look.names[QString::fromUtf8(n[0]) + '/' + QString::fromUtf8(n[1])] = QString::fromUtf8(n[2]);
    static const struct { qint32 no; const char *name, *attribute, *length, *decimals; } items[] = {
        {1, "情報区分コード", "X", "4", "0"}, {3, "データ作成日", "9", "8", "0"}, {7, "送信者ID", "X", "12", "0"},
        {125, "出荷場所コード", "X", "8", "0"}, {301, "発注番号", "X", "15", "0"}, {307, "発注単価", "9", "11", "2"}};
    for (const auto& i : items)
        look.items[i.no] = {QString::fromUtf8(i.name), i.attribute, i.length, i.decimals};
    // The category file pads two-character codes.
    look.categories = {{"0101", "0201", "0401", "99  "}, {"発注", "出荷案内", "請求", "テスト用"}, {}};
    look.store = &store;
    const HeaderSettings settings{"11", "CII111", "M", "S", "S", "T", "S"};
    store.formats[QStringLiteral("0101|ORDERS01")].header = settings;
    // Standard 5 and local 5 are the groups; links 2-2, 4-3, 6-4.
    store.formats[QStringLiteral("0201|SHIPNT01")] = {settings, {
        Line("E", 1, "情報区分コード", "X", 4, 0), Line("E", 7, "送信者ID", "X", 12, 2),
        Line("E", 3, "データ作成日", "9", 8, 0), Line("E", 125, "出荷場所コード", "X", 8, 3),
        Line("E", 0, "", "M", 0, 0, 0, "1", 20), Line("E", 301, "発注番号", "X", 15, 4, 1),
        Line("L", 0, "レコード区分", "X", 1, 0), Line("L", 0, "送信者", "X", 12, 2),
        Line("L", 0, "出荷場所", "X", 8, 4), Line("L", 0, "発注番号", "X", 15, 6),
        Line("L", 0, "出荷明細", "M", 0, 0, 0, "2", 20)}};
    store.formats[QStringLiteral("0101|ORPHAN01")].lines = {Line("E", 1, "情報区分コード", "X", 4, 0)};
    form.Ask = &ask;
    form.Look = &look;
    form.Store = &store;
    qint16 status = 0;
    InitializeScreen(form);
    ResetToKeyEntry(form);
    LoadCategoryList(form, status);
    SetScreenMode(form, "MODE");
    SetFocus(form, form.txt_SyoriKbn);
}

void FakeWorld::Open(const QString& scenario)
{
    const QStringList words = scenario.split(QLatin1Char(' '));
    if (words.size() >= 3)
        KeyIn(words[0], words[1], words[2]);
    if (words.size() == 4)
        ComandBtnClick(form, 1);
}

qint16 FakeWorld::Check(Field& field, const QString& text)
{
    FocusChanged(form, &field);
    field.text = text;
    field.cursor = text.size();
    field.selectionStart = -1;
    qint16 hold = 0;
    CheckField(form, field.TabIndex, hold);
    return hold;
}

void FakeWorld::Enter(Field& field, const QString& text)
{
    if (CanFocus(field))
        FocusChanged(form, &field);
    field.text = text;
    field.cursor = text.size();
    field.selectionStart = -1;
    Press(vk::Return);
}

void FakeWorld::Type(Field& field, const QString& text, int keyCode)
{
    field.text = text;
    field.cursor = text.size();
    field.selectionStart = -1;
    FieldKeyUp(form, field, keyCode, 0);
}

bool FakeWorld::Press(int keyCode, int shift)
{
    NoteKeyDown(form, keyCode, shift);
    return consumed = DispatchFormKey(form, keyCode, shift);
}

QStringList FakeWorld::KeyIn(const QString& category, const QString& code, const QString& bpid)
{
    FocusChanged(form, &form.txt_SyoriKbn);
    Type(form.txt_SyoriKbn, category, '0');
    Enter(form.txt_JohoKbn, code);
    Enter(form.txt_BPID, bpid);
    return ask.Take();
}

void FakeWorld::Edit(const QString& side, int position)
{
    const bool standard = side == QLatin1String("E");
    (standard ? form.Lis_Hyojun : form.Lis_Local).setCurrentRow(position - 1);
    ComandBtnClick(form, standard ? 6 : 19);
}

QStringList Texts(std::initializer_list<const Control*> controls)
{
    QStringList texts;
    for (const Control* c : controls)
        texts << c->text;
    return texts;
}

Control* FakeWorld::Named(const QString& name)
{
    for (Control* c : form.Controls())
        if (c->name == name)
            return c;
    return nullptr;
}

QString FakeWorld::Get(const QString& what)
{
    const QString name = what.section(QLatin1Char('.'), 0, 0), part = what.section(QLatin1Char('.'), 1);
    if (what == QLatin1String("mode"))
        return form.ScreenMode;
    if (what == QLatin1String("focus"))
        return Focus();
    if (what == QLatin1String("key"))
        return FakeStore::Name(form.AcceptedKey);
    if (what == QLatin1String("consumed"))
        return QString::number(consumed);
    if (what == QLatin1String("calls"))
        return store.calls.join(QLatin1Char(','));
    if (what == QLatin1String("exit"))
        return QString::number(form.ExitConfirmed);
    if (what == QLatin1String("box"))
        return ask.boxes.isEmpty() ? QString() : QString::number(ask.boxes.last().style) + '|' + ask.boxes.last().informative;
    if (what.startsWith(QLatin1String("stored ")))
        return store.formats.contains(what.mid(7)) ? QString::number(store.Rows(what.mid(7)).size()) : "none";
    if (name.size() <= 3 && (what.front() == QLatin1Char('E') || what.front() == QLatin1Char('L'))) {
        const ItemTable& table = form.Lines.Table(what.left(1));
        const int p = name.mid(1).toInt();
        if (p == 0 || p > table.Count())
            return p == 0 ? QString::number(table.Count()) : "none";
        return part.isEmpty() ? FakeStore::Row(table[p]) : QString::number(table[p].LinkedSerialNo);
    }
    Control* c = Named(name);
    Field* f = form.FieldNamed(name);
    const auto* list = name.startsWith(QLatin1String("Lis_")) ? static_cast<LineList*>(c) : nullptr;
    const QMap<QString, int> flags{{"enabled", c ? c->enabled : -1}, {"visible", c ? c->visible : -1},
                                   {"locked", f ? f->locked : -1}, {"colour", f ? f->focusColour : -1},
                                   {"caret", f ? int(f->caret) : -1},
                                   {"selected", f ? f->selectionStart == 0 && f->selectionLength == f->text.size() : -1},
                                   {"rows", list ? list->rows : -1}, {"row", list ? list->currentRow : -1}};
    if (!c)
        return QStringLiteral("no ") + name;
    return part.isEmpty() ? c->text : QString::number(flags.value(part, -2));
}

QStringList FakeWorld::Get(const QStringList& pairs)
{
    QStringList now;
    for (const QString& pair : pairs)
        now << pair.section(QLatin1Char('='), 0, 0) + '=' + Get(pair.section(QLatin1Char('='), 0, 0));
    return now;
}

void FakeWorld::Given(const QStringList& pairs)
{
    for (const QString& pair : pairs) {
        const QString what = pair.section(QLatin1Char('='), 0, 0), value = pair.section(QLatin1Char('='), 1);
        const QString name = what.section(QLatin1Char('.'), 0, 0), part = what.section(QLatin1Char('.'), 1);
        if (what.startsWith(QLatin1Char('>')))
            Check(*form.FieldNamed(what.mid(1)), value);
        else if (what == QLatin1String("click"))
            ComandBtnClick(form, value.toInt());
        else if (what == QLatin1String("focus"))
            FocusChanged(form, Named(value));
        else if (what == QLatin1String("mode"))
            SetScreenMode(form, value == QLatin1String("HEAD") ? "HEAD" : value == QLatin1String("BODY") ? "BODY" : "MODE");
        else if (what == QLatin1String("changed"))  // another desk's edit
            store.formats[value].lines << Line("E", 9, "", "X", 1, 0);
        else if (what == QLatin1String("fail"))
            store.failing = value;
        else if (what == QLatin1String("answer"))
            ask.answers << value.toInt();
        else if (what == QLatin1String("choose"))
            ask.choices << SearchChoice{value == QLatin1String("esc") ? SearchChoice::Abandoned
                                        : value == QLatin1String("close") ? SearchChoice::Closed
                                                                          : SearchChoice::Chosen, value.toInt()};
        else if (part == QLatin1String("enabled"))
            Named(name)->enabled = value == QLatin1String("1");
        else if (part == QLatin1String("row"))
            static_cast<LineList*>(Named(name))->setCurrentRow(value.toInt());
        else if (part == QLatin1String("visible"))
            Named(name)->visible = value == QLatin1String("1");
        else if (part == QLatin1String("cursor") || part == QLatin1String("select")) {
            Field* f = form.FieldNamed(name);
            f->selectionStart = part == QLatin1String("select") ? value.section(QLatin1Char(','), 0, 0).toInt() : -1;
            f->selectionLength = value.section(QLatin1Char(','), 1).toInt();
            f->cursor = part == QLatin1String("cursor") ? value.toInt() : f->selectionStart + f->selectionLength;
        } else if (part == QLatin1String("colour"))
            form.FieldNamed(name)->focusColour = value == QLatin1String("1");
        else if (part == QLatin1String("link"))
            form.Lines.Table(name.left(1))[name.mid(1).toInt()].LinkedSerialNo = value.toInt();
        else if (part == QLatin1String("locked"))
            form.FieldNamed(name)->locked = value == QLatin1String("1");
        else
            Named(what)->text = value;
    }
}

void WorldTest::cleanup()
{
    QCOMPARE(w->ask.unexpected, QStringList());
    QCOMPARE(w->ask.Take(), QStringList());
    QCOMPARE(w->ask.answers, QList<int>());
    QCOMPARE(w->ask.choices.size(), 0);
    QCOMPARE(w->ask.busy, 0);
}
