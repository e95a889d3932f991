#include "format/header_load.h"

#include "app/main_form.h"
#include "format/line_load.h"
#include "shell/category_lookup.h"
#include "shell/connection.h"
#include "core/text.h"

#include <QCryptographicHash>
#include <QLabel>

namespace {

// A stored setting without a usable value is shown empty and not looked up.
bool HasValue(const QVariant& value)
{
    return !value.isNull() && !TrimBlanks(value.toString()).isEmpty();
}

void OpenHeader(Connection& db, const QString& code, const QString& bpid, ResultSet& row,
                bool lock = false)
{
    db.SetStatement(QStringLiteral("SELECT FL1902フォーマット情報マスタ.*  ")
                        + QStringLiteral(" FROM FL1902フォーマット情報マスタ ")
                        + QStringLiteral(" WHERE FL1902フォーマット情報マスタ.情報区分コード=?")
                        + QStringLiteral(" AND FL1902フォーマット情報マスタ.BPID=?")
                        + (lock ? LockClause(db.Engine()) : QString()),
                    {code, bpid});
    db.OpenReadOnlyResultset(row);
}

}  // namespace

void LoadHeader(F_K450120& form, const QString& code, const QString& bpid)
{
    ResultSet row;
    OpenHeader(form.Db, code, bpid, row);
    if (!row.AtEnd())
        ShowDetailSettings(form, row);
    row.Close();
}

void ShowDetailSettings(F_K450120& form, const ResultSet& row)
{
    struct Setting {
        const char* column;
        FieldEdit* field;
        QLabel* label;  // nullptr: shown without a lookup
        bool trimmed;
    };
    const Setting settings[] = {
        {"様式識別", form.txt_Yosikisyubetu, form.lbl_Yosikisyubetu, false},
        {"シンタックスIDバージョン", form.txt_SintaxID, nullptr, false},
        {"格納モード", form.txt_KakunoMode, form.lbl_KakunoMode, true},
        {"1バイト文字集合", form.txt_1ByteMijiSyugo, form.lbl_1ByteMijiSyugo, false},
        {"2バイト文字集合", form.txt_2ByteMijiSyugo, form.lbl_2ByteMijiSyugo, false},
        {"ローカル形式", form.txt_LocalKeishiki, form.lbl_LocalKeishiki, false},
        {"XML文字コード", form.txt_XMLmojiCode, form.lbl_XMLmojiCode, false},
    };
    for (const Setting& s : settings) {
        const QString column = QString::fromUtf8(s.column);
        const QVariant value = row.Value(column);
        const QString text = value.isNull() ? QString() : value.toString();
        s.field->setText(s.trimmed ? TrimBlanks(text) : text);
        if (s.label && HasValue(value)) {
            qint16 hold = 0;
            CheckCategoryCode(&form, form.Db, column, s.field->text(), s.label, hold);
        }
    }
}

QByteArray StoredHeaderFingerprint(Connection& db, const QString& code, const QString& bpid, bool lock)
{
    ResultSet row;
    OpenHeader(db, code, bpid, row, lock);
    if (row.AtEnd())
        return {};
    QList<int> columns;
    for (int c = 0; c < row.ColumnCount(); ++c)
        columns << c;
    QCryptographicHash hash(QCryptographicHash::Sha1);
    HashRow(row, columns, hash);
    row.Close();
    return hash.result();
}
