#include "store/lookups.h"

#include "store/config.h"
#include "store/connection.h"
#include "store/information_categories.h"

#include <cmath>

namespace {

QString Text(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString();
}

}  // namespace

QString SiteLookups::CategoryName(const QString& kind, const QString& code, const QString& excludedCode)
{
    QString text = QStringLiteral("SELECT 区分名称 FROM 区分マスタ WHERE 区分= ? AND 区分ｺｰﾄﾞ= ?");
    QVariantList params{kind, code};
    if (!excludedCode.isEmpty()) {
        text += QStringLiteral(" AND  区分コード<> ?");
        params << excludedCode;
    }
    db_.SetStatement(text, params);
    ResultSet result;
    try {
        db_.OpenReadOnlyResultset(result);
        QString name;
        if (!result.AtEnd()) {
            const QVariant value = result.Value(QStringLiteral("区分名称"));
            if (value.isNull())
                ReportDatabaseError(kind + QLatin1Char(' ') + code, QStringLiteral("区分名称 without value"));
            name = value.toString();
        }
        return name;
    } catch (const SqlError&) {
        return QString();
    }
}

bool SiteLookups::LookupItem(qint32 itemNo, DictionaryItem& item)
{
    db_.SetStatement(QStringLiteral("select FL1901項目情報マスタ.データ項目名,属性,長さ,小数部長さ"
                                    " from FL1901項目情報マスタ where 項目No=?"),
                     {itemNo});
    try {
        ResultSet rs;
        db_.OpenReadOnlyResultset(rs);
        if (rs.AtEnd())
            return false;
        item.name = Text(rs.Value(0));
        item.attribute = Text(rs.Value(1));
        item.length = Text(rs.Value(2));
        item.decimals = Text(rs.Value(3));
        return true;
    } catch (const SqlError&) {
        return false;
    }
}

bool SiteLookups::ReadCategories(InformationCategories& list)
{
    QString path;
    try {
        path = ReadCategoryFilePath(programFolder_);
    } catch (const ConfigReadError&) {
        // No path: the list reads as a missing file.
    }
    return ReadInformationCategories(path, list);
}

QString CellText(const QVariant& value)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (std::abs(d) < 1e15 && d == static_cast<double>(static_cast<qint64>(d)))
            return QString::number(static_cast<qint64>(d));
        return QString::number(d, 'g', 15);
    }
    default:
        return value.toString();
    }
}

QList<QStringList> SiteLookups::SearchRows(CodeSearchKind kind, const QString& filter)
{
    QString statement;
    QVariantList params;
    if (kind == CodeSearchKind::ItemNumber) {
        statement = QStringLiteral("SELECT 項目No,データ項目名 FROM FL1901項目情報マスタ");
    } else {
        statement = QStringLiteral("SELECT DISTINCT 情報区分コード,BPID FROM FL1902フォーマット情報マスタ");
        if (!filter.isEmpty()) {
            statement += QStringLiteral(" WHERE 情報区分コード=?");
            params << filter;
        }
        statement += QStringLiteral(" order by 情報区分コード,BPID");
    }
    QList<QStringList> rows;
    ResultSet rs;
    try {
        db_.SetStatement(statement, params);
        db_.OpenSearchRecordset(rs);
        if (db_.ResultStatus == QStringLiteral("9"))
            return {};
        for (; !rs.AtEnd(); rs.MoveNext())
            rows.append({CellText(rs.Value(0)), CellText(rs.Value(1))});
    } catch (const SqlError&) {
        return {};
    }
    return rows;
}

QString RememberingLookups::CategoryName(const QString& kind, const QString& code, const QString& excludedCode)
{
    const QString key = kind + QChar(0) + code + QChar(0) + excludedCode;
    auto it = names_.constFind(key);
    if (it == names_.constEnd())
        it = names_.insert(key, SiteLookups::CategoryName(kind, code, excludedCode));
    return *it;
}

bool RememberingLookups::LookupItem(qint32 itemNo, DictionaryItem& item)
{
    // The whole dictionary in one statement: a large format names thousands
    // of items, and one statement each would dominate the run.
    if (!dictionary_) {
        dictionary_.emplace();
        db_.SetStatement(QStringLiteral("select 項目No,データ項目名,属性,長さ,小数部長さ from FL1901項目情報マスタ"));
        try {
            ResultSet rs;
            for (db_.OpenReadOnlyResultset(rs); !rs.AtEnd(); rs.MoveNext())
                dictionary_->insert(rs.Value(0).toInt(),
                                    {Text(rs.Value(1)), Text(rs.Value(2)), Text(rs.Value(3)), Text(rs.Value(4))});
        } catch (const SqlError&) {
            dictionary_.reset();
            return SiteLookups::LookupItem(itemNo, item);
        }
    }
    const auto it = dictionary_->constFind(itemNo);
    if (it == dictionary_->constEnd())
        return false;
    item = *it;
    return true;
}

bool RememberingLookups::ReadCategories(InformationCategories& list)
{
    if (!categories_) {
        InformationCategories read;
        if (!SiteLookups::ReadCategories(read)) {
            list = read;
            return false;
        }
        categories_ = read;
    }
    list = *categories_;
    return true;
}
