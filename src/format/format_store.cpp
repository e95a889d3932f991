#include "format/format_store.h"

#include "app/main_form.h"
#include "format/header_flow.h"
#include "format/header_load.h"
#include "format/line_load.h"
#include "format/screen_mode.h"
#include "items/item_list_box.h"
#include "search/code_search.h"
#include "shell/dialogs.h"
#include "core/text.h"
#include "validation/field_checks.h"

#include <QGroupBox>
#include <QLabel>

namespace {

const char* const kHeaderKey = " WHERE FL1902フォーマット情報マスタ.情報区分コード=?"
                               " AND FL1902フォーマット情報マスタ.BPID=?";
const char* const kLinesKey = " WHERE FL1903レコードフォーマット情報マスタ.情報区分コード=?"
                              " AND FL1903レコードフォーマット情報マスタ.BPID=?";

QString Sql(const char* a, const char* b = "")
{
    return QString::fromUtf8(a) + QString::fromUtf8(b);
}

// What the database holds for the format is not what this screen was shown:
// another desk changed or deleted it meanwhile.
class LostUpdate : public SqlError {
public:
    LostUpdate() : SqlError("the format has been changed or deleted meanwhile") {}
};

// The lost update says how to see what the other desk stored.
void ShowUpdateAborted(F_K450120& form, bool lostUpdate)
{
    ShowMessage(&form, QStringLiteral("更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました"), msg::OkOnly,
                QString(),
                lostUpdate ? QStringLiteral("他の端末でこのフォーマットが変更または削除されています。"
                                            "キーを入力し直すと登録内容が表示されます。")
                           : QString());
}

// Runs the statements of `write` in one transaction; on any failure rolls
// back, tells the operator and returns false.
template <typename Write>
bool InTransaction(F_K450120& form, Write write)
{
    bool done = false;
    bool lostUpdate = false;
    {
        BusyCursor busy;
        bool begun = false;
        try {
            form.Db.BeginTrans();
            begun = true;
            write();
            form.Db.CommitTrans();
            done = true;
        } catch (const SqlError& e) {
            lostUpdate = dynamic_cast<const LostUpdate*>(&e) != nullptr;
            if (begun) {
                try {
                    form.Db.RollbackTrans();
                } catch (const SqlError&) {
                    // The connection is gone; the server drops the transaction.
                }
            }
        }
    }
    if (!done)
        ShowUpdateAborted(form, lostUpdate);
    return done;
}

QVariantList Key(const F_K450120& form)
{
    return {form.txt_JohoKbn->text(), form.txt_BPID->text()};
}

// Nothing is written under a key that the key check has not accepted (a key
// typed over without Enter, or one never checked).
bool KeyAccepted(const F_K450120& form, const FormatKey& key)
{
    return !form.AcceptedKey.Bpid.isEmpty() && key == form.AcceptedKey;
}

bool TypedKeyAccepted(const F_K450120& form)
{
    return KeyAccepted(form, {form.txt_JohoKbn->text(), form.txt_BPID->text()});
}

// The stored format as one value per table: its header row (locked until the
// transaction ends, so that desks writing the same format take turns) and
// its lines.
struct Baseline {
    QByteArray header;
    QByteArray lines;
};

Baseline ReadBaseline(F_K450120& form, const QVariantList& key)
{
    const QString code = key[0].toString();
    const QString bpid = key[1].toString();
    return {StoredHeaderFingerprint(form.Db, code, bpid, true),
            StoredLinesFingerprint(form.Db, code, bpid)};
}

// Another desk changed or deleted the format since this desk read it.
Baseline CheckUnchanged(F_K450120& form, const QVariantList& key)
{
    const Baseline now = ReadBaseline(form, key);
    if (now.header != form.StoredHeader || now.lines != form.Lines.StoredLines)
        throw LostUpdate();
    return now;
}

void DeleteLines(F_K450120& form, const QVariantList& key)
{
    form.Db.SetStatement(Sql("delete from FL1903レコードフォーマット情報マスタ", kLinesKey), key);
    form.Db.ExecuteStatement();
}

// Deletes the rows of the key that the line screen loaded (by their stored
// format types); rows it did not show stay as they are.
void DeleteLoadedLines(F_K450120& form, const QVariantList& key)
{
    QStringList marks;
    QVariantList values = key;
    bool null = false;
    for (const QVariant& type : form.Lines.LoadedTypes) {
        if (type.isNull()) {
            null = true;
        } else {
            marks << QStringLiteral("?");
            values << type;
        }
    }
    QStringList alternatives;
    if (!marks.isEmpty())
        alternatives << QStringLiteral("FL1903レコードフォーマット情報マスタ.フォーマット種別 IN (%1)")
                            .arg(marks.join(QLatin1Char(',')));
    if (null)
        alternatives << QStringLiteral("FL1903レコードフォーマット情報マスタ.フォーマット種別 IS NULL");
    if (alternatives.isEmpty())
        return;
    form.Db.SetStatement(Sql("delete from FL1903レコードフォーマット情報マスタ", kLinesKey)
                             + QStringLiteral(" AND (%1)").arg(alternatives.join(QStringLiteral(" OR "))),
                         values);
    form.Db.ExecuteStatement();
}

QVariant OrNull(const QString& text, bool present)
{
    return present ? QVariant(text) : QVariant(QMetaType(QMetaType::QString));
}

void InsertLines(F_K450120& form, const QVariantList& key, const ItemTable& table, int count,
                 bool standard)
{
    const QString statement = QStringLiteral(
        "INSERT INTO FL1903レコードフォーマット情報マスタ (情報区分コード,BPID,フォーマット種別,項目通番,"
        "対応項目通番,レベル番号,項目№,項目位置,項目名称,属性,長さ,小数部長さ,マルチ明細番号,繰返し数,"
        "固定項目値,変換エラー対処) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    for (int p = 1; p <= count && p <= table.Count(); ++p) {
        const FormatItem& line = table[p];
        QString multi = line.MultiDetailNo;
        if (standard && multi.isEmpty())
            multi = QStringLiteral("0");
        QVariantList values = key;
        values << (standard ? QStringLiteral("E") : QStringLiteral("L")) << line.SerialNo
               << line.LinkedSerialNo << line.Level << line.ItemNo
               << (standard ? QVariant(QMetaType(QMetaType::Int)) : QVariant(line.ItemPosition))
               << OrNull(line.ItemName, !standard || line.IsGroupHeader()) << line.Attribute
               << line.Length << line.DecimalLength << multi << line.RepeatCount
               << line.FixedValue << line.ConversionError;
        form.Db.SetStatement(statement, values);
        form.Db.ExecuteStatement();
    }
}

void BackToHeaderEntry(F_K450120& form)
{
    SwitchLayout(form, false);
    ClearHeaderFields(form);
    ResetToKeyEntry(form);
}

}  // namespace

void WriteHeader(F_K450120& form, qint16& error)
{
    if (!TypedKeyAccepted(form)) {
        error = 9;
        ShowUpdateAborted(form, false);
        return;
    }
    const QVariantList key = Key(form);
    const QVariantList settings{form.txt_Yosikisyubetu->text(), form.txt_SintaxID->text(),
                                form.txt_KakunoMode->text(), form.txt_1ByteMijiSyugo->text(),
                                form.txt_2ByteMijiSyugo->text(), form.txt_LocalKeishiki->text(),
                                form.txt_XMLmojiCode->text()};
    Baseline after;
    const bool written = InTransaction(form, [&] {
        if (!CheckUnchanged(form, key).header.isEmpty()) {
            form.Db.SetStatement(
                Sql("UPDATE FL1902フォーマット情報マスタ SET 様式識別=?,シンタックスIDバージョン=?,"
                    "格納モード=?,1バイト文字集合=?,2バイト文字集合=?,ローカル形式=?,XML文字コード=?",
                    kHeaderKey),
                settings + key);
        } else {
            form.Db.SetStatement(
                QStringLiteral("INSERT INTO FL1902フォーマット情報マスタ (情報区分コード,BPID,様式識別,"
                               "シンタックスIDバージョン,格納モード,1バイト文字集合,2バイト文字集合,"
                               "ローカル形式,XML文字コード) VALUES (?,?,?,?,?,?,?,?,?)"),
                key + settings);
        }
        form.Db.ExecuteStatement();
        after = ReadBaseline(form, key);
    });
    if (written) {
        form.StoredHeader = after.header;
        form.Lines.StoredLines = after.lines;
    } else {
        error = 9;
    }
}

bool WriteLines(F_K450120& form)
{
    // The lines belong to the key they were loaded for.
    const FormatKey& lines = form.Lines.Key;
    if (!KeyAccepted(form, lines)) {
        ShowUpdateAborted(form, false);
        return false;
    }
    // Positions beyond 32 bits are never written (edits can lead there:
    // deeply nested groups with large repeat counts).
    try {
        CheckComputedPositions(form.Lines);
    } catch (const BadStoredValue& bad) {
        ShowMessage(&form, QStringLiteral("ﾌｫｰﾏｯﾄ情報に不正な値があります"), msg::OkOnly, QString(), bad.where);
        return false;
    }
    const QVariantList key{lines.Code, lines.Bpid};
    Baseline after;
    const bool written = InTransaction(form, [&] {
        CheckUnchanged(form, key);
        DeleteLoadedLines(form, key);
        // As many lines as each list shows.
        InsertLines(form, key, form.Lines.StandardItems, form.Lis_Hyojun->count(), true);
        InsertLines(form, key, form.Lines.LocalItems, form.Lis_Local->count(), false);
        after = ReadBaseline(form, key);
    });
    if (written) {
        form.StoredHeader = after.header;
        form.Lines.StoredLines = after.lines;
        form.Lines.LoadedTypes = {QStringLiteral("E"), QStringLiteral("L")};
    }
    return written;
}

void DeleteFormat(F_K450120& form, qint16& error)
{
    if (!TypedKeyAccepted(form)) {
        error = 9;
        ShowUpdateAborted(form, false);
        return;
    }
    const QVariantList key = Key(form);
    const bool deleted = InTransaction(form, [&] {
        // Gone already, or changed since it was shown: another desk's doing.
        if (CheckUnchanged(form, key).header.isEmpty())
            throw LostUpdate();
        form.Db.SetStatement(Sql("delete from FL1902フォーマット情報マスタ", kHeaderKey), key);
        form.Db.ExecuteStatement();
        DeleteLines(form, key);
    });
    if (deleted)
        form.StoredHeader.clear();
    else
        error = 9;
}

void RemoveOrphanLines(F_K450120& form)
{
    const QVariantList key = Key(form);
    InTransaction(form, [&] {
        if (ReadBaseline(form, key).header.isEmpty())
            DeleteLines(form, key);
    });
}

int UpdateOrDelete(F_K450120& form)
{
    if (CheckDetailSettings(form) == 9)
        return 9;
    const QString category = form.txt_SyoriKbn->text();
    const qint32 value = LeadingInteger(category);
    int answer = 0;
    if (value == 1 || value == 2) {
        answer = ShowMessage(&form, QStringLiteral("更新しますか"), msg::YesNoCancel | msg::Exclamation);
        if (answer == msg::Yes) {
            qint16 error = 0;
            WriteHeader(form, error);
            if (error == 9)
                return 9;  // the screen keeps what the operator typed
        } else if (answer == msg::No) {
            RemoveOrphanLines(form);
            form.Fields.ClearScreen(&form);
            ResetToKeyEntry(form);
        }
    } else if (value == 9) {
        answer = ShowMessage(&form, QStringLiteral("削除しますか"), msg::OkCancel | msg::Exclamation);
        if (answer == msg::Ok) {
            qint16 error = 0;
            DeleteFormat(form, error);
            if (error == 9)
                return 9;
        }
        if (form.Frame[0]->isVisible())
            SwitchLayout(form, false);
        ClearHeaderFields(form);
        ResetToKeyEntry(form);
    } else {
        return 0;
    }
    form.txt_SyoriKbn->setText(category);
    return answer;
}

void ConfirmHeaderCommand(F_K450120& form)
{
    if (TrimBlanks(form.txt_BPID->text()).isEmpty() || TrimBlanks(form.txt_JohoKbn->text()).isEmpty()
        || TrimBlanks(form.txt_SyoriKbn->text()) == QLatin1String("0"))
        return;
    if (LeadingInteger(form.txt_SyoriKbn->text()) == 9) {
        UpdateOrDelete(form);
        form.txt_JohoKbn->setFocus();
        return;
    }
    switch (UpdateOrDelete(form)) {
    case msg::Yes:
        BackToHeaderEntry(form);
        form.txt_JohoKbn->setFocus();
        break;
    case msg::No:
        BackToHeaderEntry(form);
        (form.Frame[0]->isVisible() ? form.txt_KomokuNo : form.txt_JohoKbn)->setFocus();
        break;
    case msg::Cancel:
        if (form.Frame[0]->isVisible())
            form.txt_KomokuNo->setFocus();
        else if (form.txt_Yosikisyubetu->isEnabled())
            form.txt_Yosikisyubetu->setFocus();
        break;
    default:
        break;
    }
}

void CopyFormat(F_K450120& form)
{
    SetScreenMode(form, "BODY");
    if (LeadingInteger(form.txt_SyoriKbn->text()) != 1)
        return;
    if (!TypedKeyAccepted(form)) {
        ShowUpdateAborted(form, false);
        return;
    }
    form.Dummy2->clear();
    OpenCodeSearch(&form, form.Db, CodeSearchKind::FormatKey, form.Dummy2, form.Dummy2,
                   form.lbl_DummyLabel);
    const QVariantList source{form.Dummy2->text(), form.lbl_DummyLabel->text()};
    try {
        LoadHeader(form, source[0].toString(), source[1].toString());
    } catch (const SqlError&) {
        ShowUpdateAborted(form, false);
        return;
    }
    form.Fields.SetGroupEnabled(form.ScreenMode);
    form.txt_Yosikisyubetu->setFocus();
    form.Fields.EnterField(form.txt_Yosikisyubetu);

    const QVariantList target = Key(form);
    Baseline after;
    const bool copied = InTransaction(form, [&] {
        // Lines left behind under the new key without a header would mix in.
        if (ReadBaseline(form, target).header.isEmpty())
            DeleteLines(form, target);
        form.Db.SetStatement(
            Sql("INSERT INTO FL1902フォーマット情報マスタ ( 情報区分コード,BPID,様式識別,"
                "シンタックスIDバージョン,格納モード,１バイト文字集合,２バイト文字集合,ローカル形式,"
                "XML文字コード)  SELECT ?,?,FL1902フォーマット情報マスタ.様式識別"
                ",FL1902フォーマット情報マスタ.シンタックスIDバージョン"
                ",FL1902フォーマット情報マスタ.格納モード"
                ",FL1902フォーマット情報マスタ.１バイト文字集合"
                ",FL1902フォーマット情報マスタ.２バイト文字集合"
                ",FL1902フォーマット情報マスタ.ローカル形式"
                ",FL1902フォーマット情報マスタ.XML文字コード FROM FL1902フォーマット情報マスタ ",
                kHeaderKey),
            target + source);
        form.Db.ExecuteStatement();
        form.Db.SetStatement(
            Sql("INSERT INTO FL1903レコードフォーマット情報マスタ ( 情報区分コード,BPID,フォーマット種別,"
                "項目通番,対応項目通番,レベル番号,項目№,項目位置,項目名称,属性,長さ,小数部長さ,"
                "マルチ明細番号,繰返し数,固定項目値,変換エラー対処)  SELECT ?,?"
                ",FL1903レコードフォーマット情報マスタ.フォーマット種別"
                ",FL1903レコードフォーマット情報マスタ.項目通番"
                ",FL1903レコードフォーマット情報マスタ.対応項目通番"
                ",FL1903レコードフォーマット情報マスタ.レベル番号"
                ",FL1903レコードフォーマット情報マスタ.項目№"
                ",FL1903レコードフォーマット情報マスタ.項目位置"
                ",FL1903レコードフォーマット情報マスタ.項目名称"
                ",FL1903レコードフォーマット情報マスタ.属性"
                ",FL1903レコードフォーマット情報マスタ.長さ"
                ",FL1903レコードフォーマット情報マスタ.小数部長さ"
                ",FL1903レコードフォーマット情報マスタ.マルチ明細番号"
                ",FL1903レコードフォーマット情報マスタ.繰返し数"
                ",FL1903レコードフォーマット情報マスタ.固定項目値"
                ",FL1903レコードフォーマット情報マスタ.変換エラー対処"
                " FROM FL1903レコードフォーマット情報マスタ ",
                kLinesKey),
            target + source);
        form.Db.ExecuteStatement();
        after = ReadBaseline(form, target);
    });
    if (copied) {
        form.StoredHeader = after.header;
        form.Lines.StoredLines = after.lines;
    }
}

int AskToWriteLines(F_K450120& form)
{
    const qint32 category = LeadingInteger(form.txt_SyoriKbn->text());
    if (category != 1 && category != 2)
        return msg::No;
    const int answer = ShowMessage(&form, QStringLiteral("更新しますか"), msg::YesNoCancel | msg::Exclamation);
    // A failed write keeps the line screen with every edit.
    if (answer == msg::Yes && !WriteLines(form))
        return msg::Cancel;
    return answer;
}

int LeaveLineScreen(F_K450120& form)
{
    const qint32 category = LeadingInteger(form.txt_SyoriKbn->text());
    if (category != 1 && category != 2) {
        SwitchLayout(form, false);
        SetScreenMode(form, "HEAD");
        return msg::No;
    }
    const int answer = AskToWriteLines(form);
    if (answer == msg::Cancel)
        return answer;
    SwitchLayout(form, false);
    SetScreenMode(form, "BODY");
    form.txt_Yosikisyubetu->setFocus();
    return answer;
}
