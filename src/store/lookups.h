#pragma once
// The lookups of the form on the site's database and files: names of
// category codes, the item dictionary, the category file and the rows of
// the code search.

#include "core/ports.h"

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

private:
    Connection& db_;
    const QString programFolder_;
};

// A number as the operator typed it, whatever type the driver hands back
// ("12", never "12.0").
QString CellText(const QVariant& value);
