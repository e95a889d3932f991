// d. start-up and e. memory; the child-process probes behind them.

#include "parts.h"

#include "generator.h"

#include "screen/main_form.h"
#include "app/startup.h"
#include "store/config.h"
#include "store/connection.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QTranslator>
#include <QVBoxLayout>

#include <cstdio>

namespace bench {

namespace {

void Log(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

// A minimal Qt Widgets window, shown and focused as StartUp shows the form.
std::unique_ptr<QWidget> MinimalWindow()
{
    auto window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window.get());
    auto* edit = new QLineEdit(window.get());
    layout->addWidget(edit);
    window->show();
    window->activateWindow();
    edit->setFocus();
    WaitShown(*window);
    return window;
}

struct ProbeRun {
    double launchToShownMs = 0;  // measured by this process
    QStringList figures;         // printed by the probe
};

// Runs this program as a probe; the time from launching it to its first line
// of output covers exec, loading and everything up to the shown window.
ProbeRun RunProbe(const Options& o, const QStringList& arguments)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::SeparateChannels);
    const double start = NowMs();
    child.start(o.self, arguments);
    if (!child.waitForStarted(30000))
        throw BenchError(QStringLiteral("probe did not start"));
    QByteArray line;
    while (!line.contains('\n')) {
        if (!child.waitForReadyRead(60000))
            throw BenchError(QStringLiteral("probe %1 failed: %2")
                                 .arg(arguments.join(QLatin1Char(' ')),
                                      QString::fromLocal8Bit(child.readAllStandardError())));
        line += child.readAllStandardOutput();
    }
    ProbeRun run;
    run.launchToShownMs = NowMs() - start;
    child.waitForFinished(60000);
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        throw BenchError(QStringLiteral("probe %1 failed: %2")
                             .arg(arguments.join(QLatin1Char(' ')),
                                  QString::fromLocal8Bit(child.readAllStandardError())));
    run.figures = QString::fromLatin1(line).trimmed().split(QLatin1Char(' '));
    return run;
}

double Median(std::vector<double> v)
{
    Sample s;
    s.ms = std::move(v);
    return s.Median();
}

}  // namespace

void SetUpLikeTheProgram()
{
    static QTranslator translator;
    if (translator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPointSize(9);
    QApplication::setFont(font);
}

std::vector<Row> StartupPart(const Options& o)
{
    std::vector<Row> rows;
    Log(QStringLiteral("d. start-up"));
    ModalGuard guard;

    // In this process: fonts, plugins and the ODBC driver are already loaded.
    std::unique_ptr<F_K450120> form;
    std::unique_ptr<QWidget> window;
    Sample formWarm, minimalWarm;
    for (int r = -1; r < o.runs; ++r) {
        form.reset();
        window.reset();
        Flush();
        double start = NowMs();
        form = StartForm(o.programFolder);
        const double formMs = NowMs() - start;
        guard.Check(QStringLiteral("start-up"));
        form.reset();
        Flush();
        start = NowMs();
        window = MinimalWindow();
        const double minimalMs = NowMs() - start;
        if (r >= 0) {
            formWarm.ms.push_back(formMs);
            minimalWarm.ms.push_back(minimalMs);
        }
    }
    window.reset();
    Flush();
    rows.push_back({QStringLiteral("d"),
                    QStringLiteral("start-up again in the same process (warm): F_K450120 + StartUp until "
                                   "shown, active and painted (raw: minimal window)"),
                    QStringLiteral("—"), Ms(formWarm.Median()), Ms(minimalWarm.Median()),
                    Ratio(formWarm.Median(), minimalWarm.Median()), QStringLiteral("≤ 1.5× minimal window"),
                    Verdict(formWarm.Median() <= 1.5 * minimalWarm.Median())});

    // New processes: the first window of a process loads fonts, styles, the
    // platform plugin's resources and (for the form) the ODBC driver.
    std::vector<double> formLaunch, minimalLaunch, formFirst, minimalFirst;
    for (int r = -1; r < o.runs; ++r) {
        const ProbeRun f = RunProbe(o, {QStringLiteral("--probe-startup"), QStringLiteral("form"), o.programFolder});
        const ProbeRun m = RunProbe(o, {QStringLiteral("--probe-startup"), QStringLiteral("minimal"), o.programFolder});
        if (r >= 0) {
            formLaunch.push_back(f.launchToShownMs);
            minimalLaunch.push_back(m.launchToShownMs);
            formFirst.push_back(f.figures.value(1).toDouble());
            minimalFirst.push_back(m.figures.value(1).toDouble());
        }
    }
    if (o.verbose) {
        std::vector<double> construct, startUp, connect;
        for (int r = 0; r < o.runs; ++r) {
            const ProbeRun f = RunProbe(o, {QStringLiteral("--probe-startup"), QStringLiteral("form"), o.programFolder});
            const ProbeRun c = RunProbe(o, {QStringLiteral("--probe-startup"), QStringLiteral("connect"), o.programFolder});
            construct.push_back(f.figures.value(2).toDouble());
            startUp.push_back(f.figures.value(3).toDouble());
            connect.push_back(c.figures.value(1).toDouble());
        }
        Log(QStringLiteral("  first window of a process: F_K450120 constructed in %1, StartUp %2; "
                           "first ODBC connection of a process alone %3")
                .arg(Ms(Median(construct)), Ms(Median(startUp)), Ms(Median(connect))));
    }
    const double fl = Median(formLaunch), ml = Median(minimalLaunch);
    const double ff = Median(formFirst), mf = Median(minimalFirst);
    rows.insert(rows.begin(),
                {QStringLiteral("d"),
                 QStringLiteral("start-up, first window of a new process: F_K450120 + StartUp until shown, "
                                "active and painted (raw: minimal window the same way); QApplication made before"),
                 QStringLiteral("—"), Ms(ff), Ms(mf), Ratio(ff, mf), QStringLiteral("≤ 1.5× minimal window"),
                 Verdict(ff <= 1.5 * mf)});
    rows.insert(rows.begin() + 1,
                {QStringLiteral("d"),
                 QStringLiteral("start-up of a whole new process: launch to the focused, painted header screen "
                                "(raw: the same for a minimal window)"),
                 QStringLiteral("—"), Ms(fl), Ms(ml), Ratio(fl, ml), QStringLiteral("≤ 1.5× minimal window"),
                 Verdict(fl <= 1.5 * ml)});
    return rows;
}

std::vector<Row> MemoryPart(const Options& o)
{
    const BenchFormat& f = Formats().back();
    Log(QStringLiteral("e. memory of %1").arg(f.bpid));
    std::vector<double> growth, empty;
    for (int r = 0; r < o.runs; ++r) {
        const ProbeRun run = RunProbe(o, {QStringLiteral("--probe-memory"), o.programFolder});
        const double before = run.figures.value(0).toDouble();
        const double after = run.figures.value(1).toDouble();
        if (before <= 0 || after <= 0)
            throw BenchError(QStringLiteral("memory probe printed nothing usable"));
        empty.push_back(before / 1024.0);
        growth.push_back((after - before) / 1024.0);
    }
    const double g = Median(growth);
    const double e = Median(empty);
    auto mb = [](double v) { return QString::number(v, 'f', 1) + QStringLiteral(" MB"); };
    return {{QStringLiteral("e"),
             QStringLiteral("resident set growth: 10,000-line format opened on the form (tables and both "
                            "lists, laid out and painted) vs the empty header screen (raw column: RSS of "
                            "the empty program)"),
             QLocale(QLocale::English).toString(f.linesPerLayout), mb(g), mb(e), QStringLiteral("—"),
             QStringLiteral("≤ 50 MB above the empty program"), Verdict(g <= 50)}};
}

int ProbeStartup(const QString& kind, const QString& programFolder, double mainEntryMs)
{
    try {
        ModalGuard guard;
        const double start = NowMs();
        std::unique_ptr<QWidget> shown;
        double constructed = start, started = start;
        if (kind == QLatin1String("form")) {
            // StartForm in steps, for the breakdown.
            auto form = std::make_unique<F_K450120>(programFolder);
            constructed = NowMs();
            if (StartUp(*form, QByteArrayLiteral("BENCH")) != 0)
                throw BenchError(QStringLiteral("start-up failed"));
            started = NowMs();
            WaitShown(*form);
            shown = std::move(form);
        } else if (kind == QLatin1String("connect")) {
            // Only the first ODBC connection of a process (driver manager and driver loaded).
            Connection db;
            db.OpenDatabaseConnection(ReadEnvironmentSettings(programFolder), QStringLiteral("probe"));
        } else {
            shown = MinimalWindow();
        }
        const double end = NowMs();
        guard.Check(QStringLiteral("start-up probe"));
        // main() to shown, the window alone, its construction, StartUp.
        std::printf("%.3f %.3f %.3f %.3f\n", end - mainEntryMs, end - start, constructed - start,
                    started - constructed);
        std::fflush(stdout);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}

int ProbeMemory(const QString& programFolder)
{
    try {
        ModalGuard guard;
        auto form = StartForm(programFolder);
        Flush();
        const long before = ResidentKb();
        const BenchFormat& f = Formats().back();
        OpenLineScreen(*form, f.bpid, f.linesPerLayout);
        Flush();
        guard.Check(QStringLiteral("memory probe"));
        const long after = ResidentKb();
        std::printf("%ld %ld\n", before, after);
        std::fflush(stdout);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}

}  // namespace bench
