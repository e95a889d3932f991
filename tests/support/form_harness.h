#pragma once
// The main form started in-process on a temporary site, as the form tests
// drive it; the only place that knows the class of the two line lists; and
// another desk writing to the same database from a process of its own.

#include "screen/main_form.h"
#include "screen/item_list_box.h"
#include "support/temp_site.h"

#include <QMessageBox>
#include <QTest>

#include <memory>

class QProcess;

inline const QString kAskUpdate = QStringLiteral("更新しますか");
inline const QString kAborted = QStringLiteral("更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました");
inline const QString kNotFound = QStringLiteral("該当データがありませんでした");

// Types character by character: QTest::keyClicks aborts on non-Latin-1 text.
void Type(QWidget* w, const QString& text);
// Enter in a widget; the texts of the message boxes it showed.
QStringList PressEnter(QWidget* w);
// The texts of labels and fields, to compare a pane at once.
QStringList Texts(std::initializer_list<const QObject*> widgets);

// Every test reaches the line lists (Lis_Hyojun, Lis_Local) through these
// functions only, so that a change of their class touches this file and its
// .cpp alone.
int ListCount(QAbstractItemView* list);
QString ListRowText(QAbstractItemView* list, int row);
QStringList ListTexts(QAbstractItemView* list);
int ListCurrentRow(QAbstractItemView* list);
void SelectListRow(QAbstractItemView* list, int row);
// A key pressed with the focus in the list.
void PressOnList(QAbstractItemView* list, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Enter on a line with the focus in the list.
void EnterOnListRow(QAbstractItemView* list, int row);
// The events of a real double click on a line: QTest's double click alone has no press.
void DoubleClickListRow(QAbstractItemView* list, int row);

// Points this process's ODBC layer at the site and opens its database; what
// failed, empty when it worked.
QString OpenSiteDatabase(TempSite& site, Connection& db);
// Runs a statement that returns no rows.
void Execute(Connection& db, const QString& sql, const QVariantList& params = {});
// Every row of a statement as "value|value|...", NULL as <null>.
QStringList QueryRows(Connection& db, const QString& sql, const QVariantList& params = {});
// A format's header row and its lines in layout order, every column.
QStringList StoredFormat(Connection& db, const QString& bpid);
// Each link of one layout has its mirror in the other.
bool LinksSymmetric(const FormatLines& lines);

// Another desk: a separate process that runs the statements in one transaction.
QProcess* StartOtherDesk(const TempSite& site, const QString& sql, QObject* parent);
// Runs it to its end; false (with its errors logged) when it failed.
bool RunOtherDesk(const TempSite& site, const QString& sql, QObject* parent);

// One site for the whole run (the ODBC layer reads its configuration once
// per process) and a fresh form for each test function.
class FormHarness {
public:
    TempSite& Site() { return site_; }
    F_K450120& F() { return *form_; }

    // For initTestCase: the site is usable and this process's ODBC layer reads it.
    bool UseSite();
    // The form started for the command line and active.
    bool Start(const QByteArray& commandLine = "OP01");
    void Stop() { form_.reset(); }

    // Processing category typed, information category and BPID entered; the
    // texts of the boxes shown on the way.
    QStringList EnterKey(const QString& category, const QString& code, const QString& bpid);
    // EnterKey, then 詳細設定 opens the line screen; true when it is shown.
    bool OpenLines(const QString& category, const QString& code, const QString& bpid);
    // Clicks a command button; its boxes are answered in turn (then with their
    // default button); the texts they showed.
    QStringList Click(int button, const QList<QMessageBox::StandardButton>& answers = {});

private:
    TempSite site_;
    std::unique_ptr<F_K450120> form_;
};

// The base of the form tests: the site for the run and a started form for
// each test function; a test class may bring an init() of its own.
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
