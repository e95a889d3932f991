#include "core/field_checks.h"

#include "core/command_dispatch.h"
#include "core/field_discipline.h"
#include "core/format_flow.h"
#include "core/header_flow.h"
#include "core/pane_checks.h"
#include "core/screen_mode.h"
#include "core/text.h"

namespace {

constexpr int kNoMessage = -1;

const char* MessageText(int number)
{
    switch (number) {
    case 1: return "情報区分ｺｰﾄﾞが入力されていません";
    case 2: return "情報区分が登録されていません";
    case 3: return "ＢＰＩＤが入力されていません";
    case 4: return "ＢＰＩＤが不正です";
    case 5: return "ﾌｫｰﾏｯﾄ情報ﾏｽﾀが登録されていません";
    case 6: return "ﾌｫｰﾏｯﾄ情報ﾏｽﾀが登録されています";
    case 7: return "処理区分が入力されていません";
    case 8: return "処理区分が登録されていません";
    case 101: return "項目Noが入力されていません";
    case 102: return "項目情報ﾏｽﾀが登録されていません";
    case 103: return "数値を入力して下さい";
    case 104: return "桁数が長さを超えています";
    case 105: return "項目名称が入力されていません";
    case 106: return "属性が不正です";
    case 107: return "同じマルチ明細番号が登録されています";
    case 108: return "繰返し数が入力されていません";
    default: return nullptr;
    }
}

bool IsEmpty(const Field& field)
{
    return TrimBlanks(field.text).isEmpty();
}

// Why the key in the key fields cannot be used in the processing category
// (a message number), 0 when it can. A key passes only as a whole: its
// category code may have been refused and left as it was.
int KeyRefusal(FormState& form)
{
    const QString bpid = TrimBlanks(form.txt_BPID.text);
    if (bpid.isEmpty())
        return 3;
    if (bpid.size() < 8)
        return 4;
    qint16 codeHold = 0;
    const int codeMessage = CheckInformationCategory(form, codeHold);
    if (codeHold != 0)
        return codeMessage;
    // The key as typed, untrimmed.
    bool stored = false;
    try {
        stored = form.Store->FormatExists({form.txt_JohoKbn.text, form.txt_BPID.text});
    } catch (const StoreError&) {
        stored = false;
    }
    const qint32 category = LeadingInteger(form.txt_SyoriKbn.text);
    if ((category == 0 || category == 2 || category == 9) && !stored)
        return 5;
    if (category == 1 && stored)
        return 6;
    return 0;
}

int CheckBpid(FormState& form, qint16& hold)
{
    hold = 0;
    // On the line screen the lists hold the lines being edited: no check
    // empties them, and another key's lines come only after asking.
    const bool onLines = form.Frame[0].visible;
    if (!onLines) {
        form.Lis_Hyojun.Clear();
        form.Lis_Local.Clear();
    }
    if (const int refusal = KeyRefusal(form)) {
        hold = 9;
        if (!onLines) {
            form.AcceptedKey = {};
            if (refusal == 3 || refusal == 4)
                ClearHeaderFields(form);
        }
        return refusal;
    }
    const FormatKey key{form.txt_JohoKbn.text, form.txt_BPID.text};
    if (onLines && key == form.Lines.Key) {
        hold = -1;
        SetFocus(form, form.txt_KomokuNo);
        return kNoMessage;
    }
    if (onLines && AskToWriteLines(form) == msg::Cancel) {
        RestoreLinesKey(form);
        hold = 9;
        return kNoMessage;
    }
    form.AcceptedKey = key;
    // What later writes compare the stored format with.
    try {
        const Baseline stored = form.Store->ReadBaseline(key);
        form.StoredHeader = stored.header;
        form.Lines.StoredLines = stored.lines;
    } catch (const StoreError&) {
        // Unknown: every write then meets a difference and is refused.
        form.StoredHeader = form.Lines.StoredLines = QByteArrayLiteral("unread");
    }
    const qint32 category = LeadingInteger(form.txt_SyoriKbn.text);
    if (category == 0 || category == 2 || category == 9) {
        try {
            LoadHeader(form, key);
        } catch (const StoreError&) {
            // The key exists; a header that cannot be read shows nothing.
        }
    }
    if (onLines) {
        ShowLinesOfKey(form);
        hold = -1;
    } else if (category == 1 || category == 2) {
        SetScreenMode(form, "BODY");
    }
    return kNoMessage;
}

// A detail setting: its default when empty, then its category lookup.
void CheckSetting(FormState& form, Field& field, const QString& defaultText,
                  const char* kind, Control* label, qint16& hold)
{
    if (IsEmpty(field))
        field.text = defaultText;
    if (kind)
        CheckCategoryCode(form, QString::fromUtf8(kind), field.text, *label, hold);
}

QString StorageModeDefault(const FormState& form)
{
    const QString form_id = form.txt_Yosikisyubetu.text;
    if (form_id == QLatin1String("11") || form_id == QLatin1String("20"))
        return QStringLiteral("M");
    if (form_id == QLatin1String("10"))
        return QStringLiteral("S");
    return QString();
}

// The check of one detail setting by its field; false for other fields.
bool CheckDetailSetting(FormState& form, Field* field, qint16& hold)
{
    if (field == &form.txt_Yosikisyubetu)
        CheckSetting(form, *field, QStringLiteral("11"), "様式識別", &form.lbl_Yosikisyubetu, hold);
    else if (field == &form.txt_SintaxID)
        CheckSetting(form, *field, QStringLiteral("CII111"), nullptr, nullptr, hold);
    else if (field == &form.txt_KakunoMode)
        CheckSetting(form, *field, StorageModeDefault(form), "格納モード", &form.lbl_KakunoMode, hold);
    else if (field == &form.txt_1ByteMijiSyugo)
        CheckSetting(form, *field, QStringLiteral("S"), "1バイト文字集合", &form.lbl_1ByteMijiSyugo, hold);
    else if (field == &form.txt_2ByteMijiSyugo)
        CheckSetting(form, *field, QStringLiteral("S"), "2バイト文字集合", &form.lbl_2ByteMijiSyugo, hold);
    else if (field == &form.txt_LocalKeishiki)
        CheckSetting(form, *field, QStringLiteral("T"), "ローカル形式", &form.lbl_LocalKeishiki, hold);
    else if (field == &form.txt_XMLmojiCode)
        CheckSetting(form, *field, form.txt_2ByteMijiSyugo.text, "XML文字コード",
                     &form.lbl_XMLmojiCode, hold);
    else
        return false;
    return true;
}

}  // namespace

void ShowCheckMessage(FormState& form, int number)
{
    if (const char* text = MessageText(number))
        form.Ask->ShowMessage(QString::fromUtf8(text), msg::OkOnly | msg::Exclamation);
}

int CheckProcessingCategory(FormState& form, qint16& hold)
{
    hold = 9;
    const QString code = TrimBlanks(form.txt_SyoriKbn.text);
    if (code.isEmpty())
        return 7;
    const QString name = form.Look->CategoryName(QStringLiteral("処理区分"), code);
    form.lbl_SyoriKbn.text = name;
    if (name.isEmpty())
        return 8;
    hold = 0;
    form.AcceptedKey = {};
    SetScreenMode(form, "HEAD");
    LockEditFields(form, 0);
    return kNoMessage;
}

int CheckInformationCategory(FormState& form, qint16& hold)
{
    hold = 9;
    const QString code = TrimBlanks(form.txt_JohoKbn.text);
    if (code.isEmpty())
        return 1;
    const qsizetype index = form.Categories.Codes.indexOf(code);
    if (index < 0) {
        form.lbl_JohoKbn.clear();
        return 2;
    }
    form.lbl_JohoKbn.text = form.Categories.Names[index];
    hold = 0;
    return kNoMessage;
}

qint16 CheckDetailSettings(FormState& form, Field** refused)
{
    qint16 hold = 0;
    for (Field* field : {&form.txt_Yosikisyubetu, &form.txt_KakunoMode, &form.txt_1ByteMijiSyugo,
                         &form.txt_2ByteMijiSyugo, &form.txt_LocalKeishiki, &form.txt_SintaxID,
                         &form.txt_XMLmojiCode}) {
        CheckDetailSetting(form, field, hold);
        if (hold != 0) {
            if (refused)
                *refused = field;
            break;
        }
    }
    return hold;
}

void CheckField(FormState& form, int position, qint16& hold)
{
    if (position < 0 || position >= static_cast<int>(form.Fields.Fields.size()))
        return;
    Field* field = form.Fields.Fields[position];
    FormatFieldText(*field);
    int number = kNoMessage;
    if (field == &form.txt_SyoriKbn) {
        number = CheckProcessingCategory(form, hold);
    } else if (field == &form.txt_JohoKbn) {
        number = CheckInformationCategory(form, hold);
    } else if (field == &form.txt_BPID) {
        number = CheckBpid(form, hold);
    } else {
        bool paneField = false;
        number = CheckPaneField(form, field, hold, true, paneField);
        // An accepted XML character code opens the line screen, which puts
        // the focus in the first item field; the key handling ends there.
        if (!paneField && CheckDetailSetting(form, field, hold) && field == &form.txt_XMLmojiCode
            && hold == 0) {
            SwitchLayout(form, true);
            hold = -1;
        }
    }
    ShowCheckMessage(form, number);
    UpdateHeaderButtons(form, field->name, hold);
}
