#include "shell/category_lookup.h"

#include "shell/connection.h"
#include "shell/dialogs.h"

#include <QLabel>

QString LookupCategoryName(Connection& db, const QString& kind, const QString& code,
                           const QString& excludedCode)
{
    QString text = QStringLiteral("SELECT 区分名称 FROM 区分マスタ WHERE 区分= ? AND 区分ｺｰﾄﾞ= ?");
    QVariantList params{kind, code};
    if (!excludedCode.isEmpty()) {
        text += QStringLiteral(" AND  区分コード<> ?");
        params << excludedCode;
    }
    db.SetStatement(text, params);
    ResultSet result;
    try {
        db.OpenReadOnlyResultset(result);
        QString name;
        if (!result.AtEnd()) {
            const QVariant value = result.Value(QStringLiteral("区分名称"));
            if (value.isNull())
                ReportDatabaseError(kind + QLatin1Char(' ') + code, QStringLiteral("区分名称 without value"));
            name = value.toString();
        }
        result.Close();
        return name;
    } catch (const SqlError&) {
        return QString();
    }
}

void CheckCategoryCode(QWidget* parent, Connection& db, const QString& kind, const QString& code,
                       QLabel* nameLabel, qint16& hold, const QString& excludedCode)
{
    const QString name = LookupCategoryName(db, kind, code, excludedCode);
    if (!name.isEmpty()) {
        nameLabel->setText(name);
        return;
    }
    nameLabel->clear();
    hold = 9;
    ShowMessage(parent, QStringLiteral("該当データがありませんでした"), msg::OkOnly);
}
