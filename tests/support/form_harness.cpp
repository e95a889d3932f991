#include "support/form_harness.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTest>

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
        + QueryRows(db, QStringLiteral("SELECT * FROM FL1903レコードフォーマット情報マスタ WHERE BPID=? ORDER BY フォーマット種別,項目通番"),
                    {bpid});
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
                   {s.DbString.trimmed(), s.UserId.trimmed(), s.Password.trimmed(), QStringLiteral("--"), script->fileName()});
    return process;
}

bool RunOtherDesk(const TempSite& site, const QString& sql, QObject* parent)
{
    QProcess* process = StartOtherDesk(site, sql, parent);
    const bool ok = process->waitForFinished(30000) && process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    if (!ok)
        qWarning("other desk: %s", process->readAllStandardError().constData());
    return ok;
}

void MessageBoxAnswerer::Poll()
{
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || dialog == handled_ || !dialog->isActiveWindow())
        return;
    handled_ = dialog;
    auto* box = qobject_cast<QMessageBox*>(dialog);
    if (!box) {
        dialogs_ << dialog->objectName();
        acts_.value(dialog->objectName(), [](QDialog* unknown) { unknown->reject(); })(dialog);
        return;
    }
    if (OnBox)
        OnBox(box);
    const auto fallback = box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton;
    seen_.append({box->windowTitle(), box->text(), box->informativeText(), box->icon(), box->standardButtons(), fallback});
    texts_ << box->text();
    const QMessageBox::StandardButton answer = answers_.value(seen_.size() - 1, fallback);
    if (answer == QMessageBox::Escape)
        QTest::keyClick(box, Qt::Key_Escape);
    else if (QAbstractButton* button = box->button(answer))
        button->click();
    else
        box->reject();
}
