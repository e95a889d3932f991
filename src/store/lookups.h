#pragma once
// The lookups of the form on the site's database and files: names of
// category codes, the item dictionary, the category file and the rows of
// the code search.

#include "core/ports.h"

#include <QHash>

#include <optional>
#include <utility>

class Connection;

class SiteLookups : public Lookups {
public:
    SiteLookups(Connection& db, QString programFolder) : db_(db), programFolder_(std::move(programFolder)) {}

    QString CategoryName(const QString& kind, const QString& code,
                         const QString& excludedCode = QString()) override;
    bool LookupItem(qint32 itemNo, DictionaryItem& item) override;
    bool ReadCategories(InformationCategories& list) override;
    QList<QStringList> SearchRows(CodeSearchKind kind, const QString& filter) override;

protected:
    Connection& db_;

private:
    const QString programFolder_;
};

// The site's lookups remembered for a run that reads many formats at once
// (the exchange tool): the dictionary and the categories do not change
// under it, and one statement per line would dominate its time.
class RememberingLookups : public SiteLookups {
public:
    using SiteLookups::SiteLookups;

    QString CategoryName(const QString& kind, const QString& code,
                         const QString& excludedCode = QString()) override;
    bool LookupItem(qint32 itemNo, DictionaryItem& item) override;
    bool ReadCategories(InformationCategories& list) override;

private:
    QHash<QString, QString> names_;
    std::optional<QHash<qint32, DictionaryItem>> dictionary_;
    std::optional<InformationCategories> categories_;
};

// A number as the operator typed it, whatever type the driver hands back
// ("12", never "12.0").
QString CellText(const QVariant& value);
