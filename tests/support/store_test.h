#pragma once
// The base of the store tests: a temporary site with its database open, and the format store on it.

#include "store/format_store.h"
#include "support/form_harness.h"

#include <QTest>

class StoreTest : public QObject {
    Q_OBJECT

protected:
    TempSite site_;
    Connection db_;
    SqlFormatStore store_{db_};
    int keys_ = 0;

    FormatKey NewKey() { return {QStringLiteral("0201"), QStringLiteral("TESTK%1").arg(++keys_)}; }

protected slots:
    void initTestCase()
    {
        const QString error = OpenSiteDatabase(site_, db_);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }
    // The form's end: closing the store closes its connection; a read after it opens it again, which a commit
    // must allow (no transaction left open).
    void cleanupTestCase()
    {
        store_.RemoveOrphanLines(NewKey());
        store_.Close();
        QVERIFY(!db_.IsOpen());
        QCOMPARE(QueryRows(db_, QStringLiteral("SELECT 1")), QStringList{"1"});
    }
};
