#include "core/fake_world.h"

#include "core/command_dispatch.h"
#include "core/field_checks.h"
#include "core/field_discipline.h"
#include "core/header_flow.h"
#include "core/item_edit.h"
#include "core/key_codes.h"
#include "core/list_rebuild.h"
#include "core/screen_mode.h"

#include <functional>

FakeWorld::FakeWorld()
{
    static const char* const kinds[][3] = {
        {"処理区分", "0", "照会"}, {"処理区分", "1", "登録"}, {"処理区分", "2", "修正"}, {"処理区分", "9", "削除"},
        {"様式識別", "11", "CII標準 Ver1.1"}, {"格納モード", "M", "ﾏﾙﾁ"}, {"格納モード", "S", "ｼﾝｸﾞﾙ"}, {"1バイト文字集合", "S", "JIS X 0201"},
        {"2バイト文字集合", "S", "ｼﾌﾄJIS"}, {"2バイト文字集合", "U", "UTF-8"}, {"ローカル形式", "T", "ﾃｷｽﾄ"}, {"XML文字コード", "S", "Shift_JIS"},
        {"XML文字コード", "U", "UTF-8"}, {"変換エラー対処", "E", "ｴﾗｰ"}, {"変換エラー対処", "S", "ｽｷｯﾌﾟ"}, {"変換エラー対処", "W", "警告"},
        {"属性", "9", "数値"}, {"属性", "N", "数値(符号付)"}, {"属性", "X", "英数字"}, {"属性", "K", "漢字"}, {"属性", "M", "ﾏﾙﾁ明細"}};
    for (const auto& k : kinds)
        names[QString::fromUtf8(k[0]) + '/' + QString::fromUtf8(k[1])] = QString::fromUtf8(k[2]);
    static const struct { qint32 no; const char *name, *attribute, *length, *decimals; } dictionary[] = {
        {1, "情報区分コード", "X", "4", "0"}, {3, "データ作成日", "9", "8", "0"}, {7, "送信者ID", "X", "12", "0"},
        {125, "出荷場所コード", "X", "8", "0"}, {301, "発注番号", "X", "15", "0"}, {307, "発注単価", "9", "11", "2"}};
    for (const auto& i : dictionary)
        items[i.no] = {QString::fromUtf8(i.name), i.attribute, i.length, i.decimals};
    const HeaderSettings settings{"11", "CII111", "M", "S", "S", "T", "S"};
    formats["0101|ORDERS01"].header = settings;
    // Lines: type, serial, link, item no, position, name, attribute, length, decimals, multi-detail no, repeat, fixed, conversion, level.
    formats["0101|ODDCODES"] = {HeaderSettings{"99", " V9", " S ", QVariant(), "Z", "T", " "}, {{"E", 0, 0, 1, 0, "", "X", 4, 0, "", 0, "", "Q"}}};
    // Standard 5 and local 5 are groups, standard 6 is in its group; links 2-2, 4-3, 6-4.
    formats["0201|SHIPNT01"] = {settings, {
        {"E", 0, 0, 1, 0, "情報区分コード", "X", 4}, {"E", 0, 2, 7, 0, "送信者ID", "X", 12}, {"E", 0, 0, 3, 0, "データ作成日", "9", 8},
        {"E", 0, 3, 125, 0, "出荷場所コード", "X", 8, 0, "", 0, "", "E"}, {"E", 0, 0, 0, 0, "", "M", 0, 0, "1", 20},
        {"E", 0, 4, 301, 0, "発注番号", "X", 15, 0, "", 0, "", "", 1}, {"L", 0, 0, 0, 0, "レコード区分", "X", 1}, {"L", 0, 2, 0, 0, "送信者", "X", 12},
        {"L", 0, 4, 0, 0, "出荷場所", "X", 8}, {"L", 0, 6, 0, 0, "発注番号", "X", 15}, {"L", 0, 0, 0, 0, "出荷明細", "M", 0, 0, "2", 20}}};
    // A group of 54 members of 4000 repeated 9999 times ends beyond 32 bits.
    StoredFormat& deep = formats["0201|ZDEEP001"] = {settings, {{"L", 0, 0, 0, 0, "深", "M", 0, 0, "1", 9999}}};
    for (int i = 0; i <= 54; ++i)
        deep.lines << FormatItem{"L", 0, 0, 0, 0, "員", "X", 4000, 0, "", 0, "", "", i < 54 ? 1 : 0};
    form.Ask = this;
    form.Look = this;
    form.Store = this;
    qint16 status = 0;
    InitializeScreen(form);
    ResetToKeyEntry(form);
    LoadCategoryList(form, status);
    SetScreenMode(form, "MODE");
    SetFocus(form, form.txt_SyoriKbn);
}

int FakeWorld::ShowMessage(const QString& text, int style, const QString&, const QString& informative)
{
    boxes << Box{text, style, informative};
    const bool asks = (style & 15) != msg::OkOnly;
    if (asks && answers.isEmpty())
        unexpected << text;
    return !asks ? msg::Ok : answers.isEmpty() ? msg::Cancel : answers.takeFirst();
}

SearchChoice FakeWorld::Choose(const char* search)
{
    if (choices.isEmpty())
        unexpected << QLatin1String(search);
    return choices.isEmpty() ? SearchChoice() : choices.takeFirst();
}

QList<QStringList> FakeWorld::SearchRows(CodeSearchKind kind, const QString& filter)
{
    QList<QStringList> rows;
    for (auto i = items.cbegin(); kind == CodeSearchKind::ItemNumber && i != items.cend(); ++i)
        rows << QStringList{QString::number(i.key()), i->name};
    for (auto f = formats.cbegin(); kind == CodeSearchKind::FormatKey && f != formats.cend(); ++f)
        if (f->header && (filter.isEmpty() || f.key().startsWith(filter + '|')))
            rows << f.key().split(QLatin1Char('|'));
    return rows;
}

QString FakeWorld::Row(const FormatItem& l)
{
    QStringList values{l.FormatType};
    for (qint32 n : {l.SerialNo, l.LinkedSerialNo, l.Level, l.ItemNo, l.ItemPosition, l.Length, l.DecimalLength, l.RepeatCount})
        values << QString::number(n);
    return (values + QStringList{l.ItemName, l.Attribute, l.MultiDetailNo, l.FixedValue, l.ConversionError}).join('|');
}

Baseline FakeWorld::Now(const StoredFormat& stored)
{
    Baseline now;
    for (const QVariant& v : stored.header.value_or(HeaderSettings()))
        now.header += stored.header ? (v.isNull() ? QByteArray("<null>") : v.toString().toUtf8()) + '|' : QByteArray();
    for (const FormatItem& line : stored.lines)
        now.lines += Row(line).toUtf8() + '\n';
    return now;
}

StoredFormat FakeWorld::Call(const char* name, const FormatKey& key, const Baseline* expected)
{
    const QString format = key.Code + '|' + key.Bpid;
    calls << (key.Bpid.isNull() ? QLatin1String(name) : QLatin1String(name) + ' ' + format);
    if (failing == QLatin1String(name) + '!') {
        failing.clear();
        throw BadStoredValue{QStringLiteral("ローカル 2行目 レベル番号 1000000000")};
    }
    if (failing == QLatin1String(name) || failing == QLatin1String("*")) {
        failing.clear();
        throw StoreError("injected");
    }
    const Baseline now = Now(formats.value(format));
    if (expected && (now.header != expected->header || now.lines != expected->lines))
        throw LostUpdate();
    return formats.value(format);
}

bool FakeWorld::LoadLines(const FormatKey& key, FormatLines& lines)
{
    const QList<FormatItem> stored = Call("LoadLines", key).lines;
    lines.LoadedTypes.clear();
    for (FormatItem line : stored) {
        ItemTable& table = lines.Table(line.FormatType);
        line.SerialNo = table.Count() + 1;
        table.Insert(line.SerialNo, line);
        if (!lines.LoadedTypes.contains(line.FormatType))
            lines.LoadedTypes << line.FormatType;
    }
    return !stored.isEmpty();
}

Baseline FakeWorld::WriteHeader(const FormatKey& key, const QStringList& settings, const Baseline& expected)
{
    Call("WriteHeader", key, &expected);
    StoredFormat& stored = formats[key.Code + '|' + key.Bpid];
    stored.header = HeaderSettings();
    for (int i = 0; i < 7; ++i)
        (*stored.header)[i] = settings.value(i);
    return Now(stored);
}

Baseline FakeWorld::WriteLines(const FormatKey& key, const FormatLines& lines, int standardCount, int localCount,
                               const Baseline& expected)
{
    Call("WriteLines", key, &expected);
    StoredFormat& stored = formats[key.Code + '|' + key.Bpid];
    stored.lines.removeIf([&](const FormatItem& l) { return lines.LoadedTypes.contains(l.FormatType); });
    for (int p = 1; p <= standardCount; ++p)
        stored.lines << lines.StandardItems[p];
    for (int p = 1; p <= localCount; ++p)
        stored.lines << lines.LocalItems[p];
    return Now(stored);
}

void FakeWorld::DeleteFormat(const FormatKey& key, const Baseline& expected)
{
    if (!Call("DeleteFormat", key, &expected).header)
        throw LostUpdate();
    formats.remove(key.Code + '|' + key.Bpid);
}

void FakeWorld::RemoveOrphanLines(const FormatKey& key)
{
    if (!Call("RemoveOrphanLines", key).header)
        formats.remove(key.Code + '|' + key.Bpid);
}

Baseline FakeWorld::CopyFormat(const FormatKey& source, const FormatKey& target)
{
    const StoredFormat from = formats.value(source.Code + '|' + source.Bpid);
    StoredFormat& to = formats[target.Code + '|' + target.Bpid];
    if (!Call("CopyFormat", target).header)
        to.lines.clear();
    to.header = from.header;
    to.lines += from.lines;
    return Now(to);
}

void FakeWorld::Type(Field& field, const QString& text, int keyCode)
{
    field.text = text;
    field.cursor = text.size();
    field.selectionStart = -1;
    if (keyCode)
        FieldKeyUp(form, field, keyCode, 0);
}

bool FakeWorld::Press(int keyCode, int shift)
{
    NoteKeyDown(form, keyCode, shift);
    return consumed = DispatchFormKey(form, keyCode, shift);
}

Control* FakeWorld::Named(const QString& name)
{
    for (Control* c : form.Controls())
        if (c->name == name)
            return c;
    return nullptr;
}

void FakeWorld::Given(const QString& pairs)
{
    static const QMap<QString, int> keys{{"enter", vk::Return}, {"esc", vk::Escape}, {"f5", vk::F5}, {"up", vk::Up},
        {"down", vk::Down}, {"tab", vk::Tab}, {"pgup", vk::Prior}, {"pgdn", vk::Next}, {"shift", vk::Shift},
        {"ctrl", vk::Control}, {"alt", vk::Menu}, {"win", vk::LWin}};
    for (const QString& pair : pairs.split(';', Qt::SkipEmptyParts)) {
        const QString what = pair.section('=', 0, 0), value = pair.section('=', 1), part = what.section('.', 1);
        const QString keyName = value.section('+', -1);
        const int key = keys.value(keyName, keyName.isEmpty() ? 0 : keyName[0].unicode());
        const int shift = value.startsWith(QLatin1String("alt+")) ? kAltMask : value.startsWith(QLatin1String("ctrl+")) ? kCtrlMask
                        : value.startsWith(QLatin1String("shift+")) ? kShiftMask : 0;
        Control* c = Named(what.section('.', 0, 0));
        Field* f = form.FieldNamed(what.mid(what.startsWith('>') ? 1 : 0).section('.', 0, 0));
        const QStringList words = value.split(' ');
        const bool on = value == QLatin1String("1");
        const int number = value.toInt();
        const SearchChoice::Outcome outcome = value == QLatin1String("esc") ? SearchChoice::Abandoned
                                            : value == QLatin1String("close") ? SearchChoice::Closed : SearchChoice::Chosen;
        const QMap<QString, std::function<void()>> actions{
            {"open", [&] {
                 Given(QStringLiteral("focus=txt_SyoriKbn;type=%1;release=0;focus=txt_JohoKbn;type=%2;key=enter;focus=txt_BPID;"
                                      "type=%3;key=enter;%4").arg(words[0], words[1], words[2], words.size() > 3 ? "click=1" : ""));
                 calls.clear();
             }},
            {"key", [&] { Press(key, shift); }},
            {"type", [&] { Type(*form.Fields.ActiveField(), value); }},
            {"release", [&] { FieldKeyUp(form, *form.Fields.ActiveField(), key, shift); }},
            {"click", [&] { ComandBtnClick(form, value.toInt()); }},
            {"edit", [&] {
                 (value[0] == 'E' ? form.Lis_Hyojun : form.Lis_Local).setCurrentRow(value.mid(1).toInt() - 1);
                 ComandBtnClick(form, value[0] == 'E' ? 6 : 19);
             }},
            {"lock", [&] { LockEditFields(form, value.toInt()); }},
            {"back", [&] { StepBackMode(form); }},
            {"commit", [&] { CommitItem(form, value); }},
            {"clear", [&] { form.Lines.Table(value).Clear(), RebuildItemList(form, value); }},
            {"focus", [&] { FocusChanged(form, Named(value)); }},
            {"toolkit", [&] { FocusChanged(form, Named(value), true); }},
            {"mode", [&] { SetScreenMode(form, value == QLatin1String("HEAD") ? "HEAD" : value == QLatin1String("BODY") ? "BODY" : "MODE"); }},
            {"changed", [&] { formats[value].lines << FormatItem{"E", 9}; }},
            {"fail", [&] { failing = value; }},
            {"unnamed", [&] { names.remove(value); }},
            {"answer", [&] { answers << value.toInt(); }},
            {"choose", [&] { choices << SearchChoice{outcome, value.toInt()}; }},
            {"row", [&] { static_cast<LineList*>(c)->setCurrentRow(value.toInt()); }},
            {"enabled", [&] { c->enabled = on; }}, {"visible", [&] { c->visible = on; }}, {"locked", [&] { f->locked = on; }},
            {"colour", [&] { f->focusColour = on; }}, {"left", [&] { c->geometry.left = number; }},
            {"top", [&] { c->geometry.top = number; }}, {"width", [&] { c->geometry.width = number; }},
            {"height", [&] { c->geometry.height = number; }},
            {"cursor", [&] { f->cursor = value.toInt(), f->selectionStart = -1; }},
            {"select", [&] {
                 f->selectionStart = value.section(',', 0, 0).toInt();
                 f->selectionLength = value.section(',', 1).toInt();
                 f->cursor = f->selectionStart + f->selectionLength;
             }}};
        if (what.startsWith('>')) {
            FocusChanged(form, f);
            Type(*f, value);
            CheckField(form, f->TabIndex, hold = 0);
        } else if (actions.contains(part.isEmpty() ? what : part)) {
            actions[part.isEmpty() ? what : part]();
        } else {
            c->text = value;
        }
    }
}

QString FakeWorld::Get(const QString& what)
{
    static const QMap<QString, QString> messages{{"情報区分ｺｰﾄﾞが入力されていません", "1"}, {"情報区分が登録されていません", "2"},
        {"ＢＰＩＤが入力されていません", "3"}, {"ＢＰＩＤが不正です", "4"}, {"ﾌｫｰﾏｯﾄ情報ﾏｽﾀが登録されていません", "5"},
        {"ﾌｫｰﾏｯﾄ情報ﾏｽﾀが登録されています", "6"}, {"処理区分が入力されていません", "7"}, {"処理区分が登録されていません", "8"},
        {"項目Noが入力されていません", "101"}, {"項目情報ﾏｽﾀが登録されていません", "102"}, {"数値を入力して下さい", "103"},
        {"桁数が長さを超えています", "104"}, {"項目名称が入力されていません", "105"}, {"属性が不正です", "106"},
        {"同じマルチ明細番号が登録されています", "107"}, {"繰返し数が入力されていません", "108"}, {"該当データがありませんでした", "notfound"},
        {"更新しますか", "ask"}, {"更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました", "aborted"}, {"削除しますか", "delete"},
        {"終了してもよろしいですか", "exit"}, {"検索データが有りません", "nodata"}, {"ﾌｫｰﾏｯﾄ情報の読込時にｴﾗｰがありました", "unreadable"},
        {"ﾌｫｰﾏｯﾄ情報に不正な値があります", "bad value"}};
    const QString name = what.section('.', 0, 0), part = what.section('.', 1);
    QStringList shown;
    for (const Box& box : boxes)
        shown << messages.value(box.text, box.text);
    QString buttons, fields;
    for (const Control& button : form.ComandBtn)
        buttons += button.enabled ? '1' : '0';
    for (const Field* field : form.Fields.Fields)
        fields += field->enabled ? '1' : '0';
    const QMap<QString, QString> run{{"mode", form.ScreenMode}, {"focus", form.Fields.Active ? form.Fields.Active->name : ""},
        {"key", form.AcceptedKey.Code + '|' + form.AcceptedKey.Bpid}, {"hold", QString::number(hold)},
        {"consumed", QString::number(consumed)}, {"exit", QString::number(form.ExitConfirmed)}, {"buttons", buttons},
        {"fields", fields}, {"calls", calls.join(',')}, {"msg", shown.join('/')},
        {"box", boxes.isEmpty() ? "" : QString::number(boxes.last().style) + '|' + boxes.last().informative}};
    if (run.contains(what))
        return run[what];
    if (what.startsWith(QLatin1String("stored ")))
        return formats.contains(what.mid(7)) ? QString::number(formats[what.mid(7)].lines.size()) : "none";
    if (name.size() <= 3 && (name[0] == 'E' || name[0] == 'L')) {
        const ItemTable& table = form.Lines.Table(name.left(1));
        const int p = name.mid(1).toInt();
        if (p == 0 || p > table.Count())
            return p == 0 ? QString::number(table.Count()) : "none";
        return part.isEmpty() ? Row(table[p]) : QString::number(table[p].LinkedSerialNo);
    }
    const Control* c = Named(name);
    const Field* f = form.FieldNamed(name);
    const auto* list = name.startsWith(QLatin1String("Lis_")) ? static_cast<const LineList*>(c) : nullptr;
    if (!c)
        return "no " + name;
    const QMap<QString, int> flags{
        {"enabled", c->enabled}, {"visible", c->visible}, {"locked", f && f->locked}, {"colour", f && f->focusColour},
        {"caret", f ? int(f->caret) : -1}, {"selected", f && f->selectionStart == 0 && f->selectionLength == f->text.size()},
        {"rows", list ? list->rows : -1}, {"row", list ? list->currentRow : -1}, {"left", c->geometry.left},
        {"top", c->geometry.top}, {"width", c->geometry.width}};
    return part.isEmpty() ? c->text : QString::number(flags.value(part, -2));
}

QString FakeWorld::State(const QString& pairs)
{
    QStringList now;
    for (const QString& pair : pairs.split(';', Qt::SkipEmptyParts))
        now << pair.section('=', 0, 0) + '=' + Get(pair.section('=', 0, 0));
    return now.join(';');
}

void WorldTest::cleanup()
{
    // Every box taken, nothing asked without an answer, every answer and choice used, the busy cursor back.
    QCOMPARE(w->State("msg=") + w->unexpected.join('/'), QStringLiteral("msg="));
    QCOMPARE(w->answers.size() + w->choices.size() + w->busy, 0);
}
