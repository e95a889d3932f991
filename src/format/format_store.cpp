#include "format/format_store.h"

#include "app/main_form.h"
#include "shell/dialogs.h"

void ShowUpdateAborted(F_K450120& form)
{
    ShowMessage(&form, QStringLiteral("更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました"), msg::OkOnly);
}

void RemoveOrphanLines(F_K450120& form)
{
    const QVariantList key{form.txt_JohoKbn->text(), form.txt_BPID->text()};
    try {
        form.Db.SetStatement(QStringLiteral("SELECT FL1902フォーマット情報マスタ.* ")
                                 + QStringLiteral(" FROM FL1902フォーマット情報マスタ ")
                                 + QStringLiteral(" WHERE FL1902フォーマット情報マスタ.情報区分コード=?")
                                 + QStringLiteral(" AND FL1902フォーマット情報マスタ.BPID=?"),
                             key);
        ResultSet rs;
        form.Db.OpenReadOnlyResultset(rs);
        rs.Close();
        if (form.Db.ResultStatus != QLatin1String("9"))
            return;
        form.Db.SetStatement(QStringLiteral("delete from FL1903レコードフォーマット情報マスタ")
                                 + QStringLiteral(" WHERE FL1903レコードフォーマット情報マスタ.情報区分コード=?")
                                 + QStringLiteral(" AND FL1903レコードフォーマット情報マスタ.BPID=?"),
                             key);
        form.Db.ExecuteStatement();
    } catch (const SqlError&) {
        ShowUpdateAborted(form);
    }
}
