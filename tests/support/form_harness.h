#pragma once
// The answerer of the form's boxes; the database helpers of the tests; another desk writing to the same database
// from a process of its own.

#include "screen/main_form.h"
#include "support/temp_site.h"

#include <QMessageBox>
#include <QProcess>
#include <QPointer>
#include <QTimer>

#include <functional>

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
    const QStringList& Texts() const { return texts_; }
    const QStringList& Dialogs() const { return dialogs_; }  // the names of the dialogs met
private:
    void Poll();
    QList<QMessageBox::StandardButton> answers_;
    QList<SeenBox> seen_;
    QStringList texts_, dialogs_;
    QHash<QString, std::function<void(QDialog*)>> acts_;
    QPointer<QDialog> handled_;
    QTimer timer_;
};
