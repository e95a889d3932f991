#pragma once
// The main form started in-process on a temporary site and the answerer of its boxes; the database helpers of
// the tests; another desk writing to the same database from a process of its own.

#include "screen/item_list_box.h"
#include "screen/main_form.h"
#include "support/temp_site.h"

#include <QMessageBox>
#include <QProcess>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>

inline const QString kAskUpdate = QStringLiteral("更新しますか");
inline const QString kAborted = QStringLiteral("更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました");
inline const QString kNotFound = QStringLiteral("該当データがありませんでした");
inline int ListCount(ItemListBox* list) { return list->count(); }
inline void SelectListRow(ItemListBox* list, int row) { list->setCurrentRow(row); }

// Points this process's ODBC layer at the site and opens its database; what failed, empty when it worked.
QString OpenSiteDatabase(TempSite& site, Connection& db);
// Runs a statement that returns no rows.
inline void Execute(Connection& db, const QString& sql, const QVariantList& params = {})
{
    db.SetStatement(sql, params);
    db.ExecuteStatement();
}
// Every row of a statement as "value|value|...", NULL as <null>.
QStringList QueryRows(Connection& db, const QString& sql, const QVariantList& params = {});
// A format's header row and its lines in layout order, every column.
QStringList StoredFormat(Connection& db, const QString& bpid);
// Another desk: a separate process that runs the statements in one transaction.
QProcess* StartOtherDesk(const TempSite& site, const QString& sql, QObject* parent);
// Runs it to its end; false (with its errors logged) when it failed.
bool RunOtherDesk(const TempSite& site, const QString& sql, QObject* parent);

struct SeenBox {
    QString title, text, informative;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
};

// Answers the boxes and dialogs of an operation once they have the keyboard, recording what each box said.
class MessageBoxAnswerer : public QObject {
public:
    // The n-th box is answered with answers[n] (QMessageBox::Escape: the Esc key), later ones with their default button.
    explicit MessageBoxAnswerer(QList<QMessageBox::StandardButton> answers = {}) : answers_(std::move(answers))
    {
        connect(&timer_, &QTimer::timeout, this, &MessageBoxAnswerer::Poll);
        timer_.start(5);
    }
    std::function<void(QMessageBox*)> OnBox;  // runs on each box before it is answered
    // Acts on each dialog of that name; a dialog without an action is rejected.
    void OnDialog(const QString& name, std::function<void(QDialog*)> act) { acts_.insert(name, std::move(act)); }
    const QList<SeenBox>& Seen() const { return seen_; }
    QStringList Texts() const
    {
        QStringList texts;
        for (const SeenBox& box : seen_)
            texts << box.text;
        return texts;
    }
    const QStringList& Dialogs() const { return dialogs_; }  // the names of the dialogs met
private:
    void Poll();
    QList<QMessageBox::StandardButton> answers_;
    QList<SeenBox> seen_;
    QStringList dialogs_;
    QHash<QString, std::function<void(QDialog*)>> acts_;
    QPointer<QDialog> handled_;
    QTimer timer_;
};

// One site for the whole run (the ODBC layer reads its configuration once per process) and a fresh form for each test.
class FormHarness {
public:
    TempSite& Site() { return site_; }
    F_K450120& F() { return *form_; }
    // For initTestCase: the site is usable and this process's ODBC layer reads it.
    bool UseSite()
    {
        if (site_.Ok())
            site_.UseOdbcConfiguration();
        return site_.Ok();
    }
    // The form started for the command line and active.
    bool Start(const QByteArray& commandLine = "OP01");
    void Stop() { form_.reset(); }
    // Processing category typed, information category and BPID (where given) entered; the texts of the boxes shown.
    QStringList EnterKey(const QString& category, const QString& code, const QString& bpid);
    // EnterKey, then 詳細設定 opens the line screen; true when it is shown.
    bool OpenLines(const QString& category, const QString& code, const QString& bpid);
    // Clicks a command button; its boxes are answered in turn (then with their default button); the texts they showed.
    QStringList Click(int button, const QList<QMessageBox::StandardButton>& answers = {});

private:
    TempSite site_;
    std::unique_ptr<F_K450120> form_;
};

// The base of the form tests: the site for the run and a started form for each test function.
class FormTest : public QObject {
    Q_OBJECT

protected:
    FormHarness h_;
    F_K450120& F() { return h_.F(); }

private slots:
    void initTestCase() { QVERIFY2(h_.UseSite(), qPrintable(h_.Site().Error())); }
    void init() { QVERIFY(h_.Start()); }
    void cleanup() { h_.Stop(); }
};
