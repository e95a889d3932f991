#include "support/form_harness.h"

#include "app/startup.h"
#include "support/message_box_answerer.h"

#include <QGroupBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTest>

void Type(QWidget* w, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::KeyAction::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QStringList PressEnter(QWidget* w)
{
    MessageBoxAnswerer answerer;
    QTest::keyClick(w, Qt::Key_Return);
    return answerer.Texts();
}

QStringList Texts(std::initializer_list<const QObject*> widgets)
{
    QStringList texts;
    for (const QObject* w : widgets)
        texts << w->property("text").toString();
    return texts;
}

// Only the functions below know the class of the line lists.
static ItemListBox* Box(QAbstractItemView* list)
{
    auto* box = qobject_cast<ItemListBox*>(list);
    if (!box)
        qFatal("%s is no ItemListBox", list ? qPrintable(list->objectName()) : "a null list");
    return box;
}

int ListCount(QAbstractItemView* list)
{
    return Box(list)->count();
}

QString ListRowText(QAbstractItemView* list, int row)
{
    return Box(list)->text(row);
}

QStringList ListTexts(QAbstractItemView* list)
{
    QStringList texts;
    for (int row = 0; row < ListCount(list); ++row)
        texts << ListRowText(list, row);
    return texts;
}

int ListCurrentRow(QAbstractItemView* list)
{
    return Box(list)->currentRow();
}

void SelectListRow(QAbstractItemView* list, int row)
{
    Box(list)->setCurrentRow(row);
}

void PressOnList(QAbstractItemView* list, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    list->setFocus();
    QTest::keyClick(list, key, modifiers);
}

void EnterOnListRow(QAbstractItemView* list, int row)
{
    SelectListRow(list, row);
    PressOnList(list, Qt::Key_Return);
}

void DoubleClickListRow(QAbstractItemView* list, int row)
{
    const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
}

QString OpenSiteDatabase(TempSite& site, Connection& db)
{
    if (!site.Ok())
        return site.Error();
    site.UseOdbcConfiguration();
    try {
        db.OpenDatabaseConnection(site.Settings(), QStringLiteral("test-host"));
    } catch (const SqlError& e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

void Execute(Connection& db, const QString& sql, const QVariantList& params)
{
    db.SetStatement(sql, params);
    db.ExecuteStatement();
}

QStringList QueryRows(Connection& db, const QString& sql, const QVariantList& params)
{
    db.SetStatement(sql, params);
    ResultSet rs;
    db.OpenReadOnlyResultset(rs);
    QStringList rows;
    for (; !rs.AtEnd(); rs.MoveNext()) {
        QStringList values;
        for (int c = 0; c < rs.ColumnCount(); ++c)
            values << (rs.Value(c).isNull() ? QStringLiteral("<null>") : rs.Value(c).toString());
        rows << values.join(QLatin1Char('|'));
    }
    rs.Close();  // never hold a lock that the program may need
    return rows;
}

QStringList StoredFormat(Connection& db, const QString& bpid)
{
    return QueryRows(db, QStringLiteral("SELECT * FROM FL1902フォーマット情報マスタ WHERE BPID=?"), {bpid})
        + QueryRows(db, QStringLiteral("SELECT * FROM FL1903レコードフォーマット情報マスタ WHERE BPID=?"
                                       " ORDER BY フォーマット種別,項目通番"), {bpid});
}

bool LinksSymmetric(const FormatLines& lines)
{
    const ItemTable& e = lines.StandardItems;
    const ItemTable& l = lines.LocalItems;
    for (int i = 1; i <= e.Count(); ++i)
        if (e[i].LinkedSerialNo > 0 && l[e[i].LinkedSerialNo].LinkedSerialNo != i)
            return false;
    for (int i = 1; i <= l.Count(); ++i)
        if (l[i].LinkedSerialNo > 0 && e[l[i].LinkedSerialNo].LinkedSerialNo != i)
            return false;
    return true;
}

QProcess* StartOtherDesk(const TempSite& site, const QString& sql, QObject* parent)
{
    auto* script = new QTemporaryFile(parent);
    script->open();
    script->write(sql.toUtf8());
    script->flush();
    auto* process = new QProcess(parent);
    process->setProcessEnvironment(site.Environment());
    const EnvironmentSettings s = site.Settings();
    process->start(QStringLiteral(K450120_BUILD_DIR "/site/k450120-loadsql"),
                   {s.DbString.trimmed(), s.UserId.trimmed(), s.Password.trimmed(),
                    QStringLiteral("--"), script->fileName()});
    return process;
}

bool RunOtherDesk(const TempSite& site, const QString& sql, QObject* parent)
{
    QProcess* process = StartOtherDesk(site, sql, parent);
    const bool ok = process->waitForFinished(30000) && process->exitStatus() == QProcess::NormalExit
        && process->exitCode() == 0;
    if (!ok)
        qWarning("other desk: %s", process->readAllStandardError().constData());
    return ok;
}

bool FormHarness::UseSite()
{
    if (site_.Ok())
        site_.UseOdbcConfiguration();
    return site_.Ok();
}

bool FormHarness::Start(const QByteArray& commandLine)
{
    form_.reset();  // one form at a time, as in the program
    form_ = std::make_unique<F_K450120>();
    form_->ProgramFolder = site_.ProgramFolder();
    return StartUp(*form_, commandLine) == 0 && QTest::qWaitForWindowActive(form_.get());
}

QStringList FormHarness::EnterKey(const QString& category, const QString& code, const QString& bpid)
{
    MessageBoxAnswerer answerer;
    Type(F().txt_SyoriKbn, category);
    F().txt_JohoKbn->setText(code);
    QTest::keyClick(F().txt_JohoKbn, Qt::Key_Return);
    F().txt_BPID->setText(bpid);
    QTest::keyClick(F().txt_BPID, Qt::Key_Return);
    return answerer.Texts();
}

bool FormHarness::OpenLines(const QString& category, const QString& code, const QString& bpid)
{
    EnterKey(category, code, bpid);
    F().ComandBtn[1]->click();
    return F().Frame[0]->isVisible();
}

QStringList FormHarness::Click(int button, const QList<QMessageBox::StandardButton>& answers)
{
    MessageBoxAnswerer answerer(answers);
    F().ComandBtn[button]->click();
    return answerer.Texts();
}
