#include "app/startup.h"

#include "core/field_discipline.h"
#include "core/header_flow.h"
#include "core/screen_mode.h"
#include "core/text.h"
#include "screen/dialogs.h"
#include "screen/display_settings.h"
#include "screen/main_form.h"

#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QStringDecoder>

#include <cstdio>

namespace {

// A fatal start-up failure: its message (none for a silent end) and status.
struct StartupFailure {
    QString message;
    int status;
    QString detail;
};

struct SignOn {
    QString result;
    QString operatorCode;
    QString operatorName;
};

void InitializeShell(F_K450120& form)
{
    try {
        form.Environment = ReadEnvironmentSettings(form.ProgramFolder);
    } catch (const ConfigReadError& e) {
        throw StartupFailure{QStringLiteral("INIﾌｧｲﾙ読込エラー"), exit_status::ConfigFile, e.what()};
    }
    form.Profile = LoadSystemProfile();
    try {
        form.Db.OpenDatabaseConnection(form.Environment, form.Profile.Machine);
    } catch (const SqlError& e) {
        throw StartupFailure{QStringLiteral("接続エラー"), exit_status::Connection, e.what()};
    }
    try {
        ReadDisplaySettings(form.ProgramFolder, form.Display, form.Further);
    } catch (const ConfigReadError& e) {
        throw StartupFailure{QStringLiteral("INIﾌｧｲﾙ読込エラー"), exit_status::ConfigFile, e.what()};
    }
    try {
        ApplyDisplaySettings(&form, form.Display);
        form.Binding().TextBackColor = WindowsColor(form.Display.Text.BackColor);
        form.Binding().TextFocusColor = WindowsColor(form.Display.TextFocusColor);
    } catch (const DisplaySettingError& e) {
        throw StartupFailure{QStringLiteral("項目設定エラー"), exit_status::DisplaySetting, e.what()};
    }
}

void FillLabels(FormState& form, const SignOn& signOn)
{
    form.PGID.text = QStringLiteral("G4502001");
    form.OP_CD.text = signOn.operatorCode;
    form.OP_NM.text = signOn.operatorName;
    form.HIDUKE.text = QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
}

// The command line arrives as bytes; one that is not text in the locale's
// encoding cannot be an operator code.
SignOn SignOnFromCommandLine(const QByteArray& commandLine)
{
    QStringDecoder decoder(QStringDecoder::System);
    const QString text = decoder.decode(commandLine);
    if (decoder.hasError())
        throw StartupFailure{QStringLiteral("オペレータ入力エラー"), exit_status::Operator,
                             QStringLiteral("command line is not valid text")};
    SignOn signOn;
    signOn.result = QStringLiteral("00");
    signOn.operatorCode = TrimBlanks(text);
    return signOn;
}

}  // namespace

int StartUp(F_K450120& form, const QByteArray& commandLine)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        InitializeShell(form);
        qint16 status = 0;
        form.Run([&](FormState& s) {
            InitializeScreen(s);
            ResetToKeyEntry(s);
            FillLabels(s, SignOn());
            LoadCategoryList(s, status);
        });
        if (status == 9)
            throw StartupFailure{QString(), exit_status::CategoryFile, form.State.Categories.Unread};
        QApplication::restoreOverrideCursor();
        form.show();
        CenterForm(&form);
        const SignOn signOn = SignOnFromCommandLine(commandLine);
        form.activateWindow();
        form.Run([&](FormState& s) {
            SetScreenMode(s, "MODE");
            FillLabels(s, signOn);
            SetFocus(s, s.txt_SyoriKbn);
        });
    } catch (const StartupFailure& failure) {
        QApplication::restoreOverrideCursor();
        // Also on stderr, for whoever started the program from a terminal.
        std::fprintf(stderr, "k450120: %s%s%s\n", failure.message.toUtf8().constData(),
                     failure.message.isEmpty() ? "" : ": ", failure.detail.toUtf8().constData());
        if (!failure.message.isEmpty())
            ShowMessage(&form, failure.message, msg::OkOnly);
        return failure.status;
    }
    return 0;
}

int Main(const QByteArray& commandLine, const QString& programFolder)
{
    F_K450120 form(programFolder);
    if (const int failure = StartUp(form, commandLine))
        return failure;
    const int status = QApplication::exec();
    return form.State.ExitConfirmed ? 0 : status;
}
