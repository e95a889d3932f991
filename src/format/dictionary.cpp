#include "format/dictionary.h"

#include "shell/connection.h"

namespace {

QString Text(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString();
}

}  // namespace

bool LookupItem(Connection& db, qint32 itemNo, DictionaryItem& item)
{
    db.SetStatement(QStringLiteral("select FL1901項目情報マスタ.データ項目名,属性,長さ,小数部長さ"
                                   " from FL1901項目情報マスタ where 項目No=?"),
                    {itemNo});
    try {
        ResultSet rs;
        db.OpenReadOnlyResultset(rs);
        if (rs.AtEnd())
            return false;
        item.name = Text(rs.Value(0));
        item.attribute = Text(rs.Value(1));
        item.length = Text(rs.Value(2));
        item.decimals = Text(rs.Value(3));
        rs.Close();
        return true;
    } catch (const SqlError&) {
        return false;
    }
}
