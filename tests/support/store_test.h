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

    // Runs the exchange tool installed in the site: its exit status (-1 when it did not end), its standard
    // output and error.
    int Tool(const QStringList& args, QByteArray* out = nullptr, QByteArray* err = nullptr)
    {
        QProcess tool;
        tool.setProcessEnvironment(site_.Environment());
        tool.start(site_.ProgramFolder() + QStringLiteral("/k450120-format"), args);
        const bool ended = tool.waitForFinished(120000) && tool.exitStatus() == QProcess::NormalExit;
        for (auto [to, from] : {std::pair{out, &QProcess::readAllStandardOutput}, {err, &QProcess::readAllStandardError}})
            if (to)
                *to = (tool.*from)();
        return ended ? tool.exitCode() : -1;
    }

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
