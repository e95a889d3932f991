#include "validation/field_checks.h"

#include "app/main_form.h"
#include "format/header_flow.h"
#include "format/screen_mode.h"
#include "items/command_dispatch.h"
#include "shell/category_lookup.h"
#include "shell/dialogs.h"
#include "shell/text.h"

#include <QLabel>

namespace {

// Check message numbers.
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

}  // namespace

void ShowCheckMessage(F_K450120& form, int number)
{
    if (const char* text = MessageText(number))
        ShowMessage(&form, QString::fromUtf8(text), msg::OkOnly | msg::Exclamation);
}

int CheckProcessingCategory(F_K450120& form, qint16& hold)
{
    hold = 9;
    const QString code = TrimBlanks(form.txt_SyoriKbn->text());
    if (code.isEmpty())
        return 7;
    const QString name = LookupCategoryName(form.Db, QStringLiteral("処理区分"), code);
    form.lbl_SyoriKbn->setText(name);
    if (name.isEmpty())
        return 8;
    hold = 0;
    SetScreenMode(form, "HEAD");
    LockEditFields(form, 0);
    return kNoMessage;
}

void CheckField(F_K450120& form, int position, qint16& hold)
{
    if (position < 0 || position >= form.Fields.Fields.size())
        return;
    FormatFieldText(form.Fields, position);
    const QString name = form.Fields.Fields[position]->objectName();
    int number = kNoMessage;
    if (name == QLatin1String("txt_SyoriKbn"))
        number = CheckProcessingCategory(form, hold);
    ShowCheckMessage(form, number);
    UpdateHeaderButtons(form, name, hold);
}
