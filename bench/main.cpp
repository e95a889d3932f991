// k450120-bench: large formats measured side by side with raw limits.
//
//   k450120-bench [--runs N] [--site DIR] [--parts abcdef] [--no-generate]
//                 [--generate-only] [--keep-site] [--verbose]
//   k450120-bench --dsn NAME [--user U --password P] [--runs N] [--no-generate]
//
// Without --site a site is made in a temporary folder with site/make-site.

#include "generator.h"
#include "parts.h"
#include "support.h"

#include "store/config.h"
#include "store/connection.h"
#include "core/text.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QThread>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

using namespace bench;

void Log(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

// The offscreen platform warns on every shown top-level window; nothing to act on.
QtMessageHandler defaultHandler = nullptr;

void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.contains(QLatin1String("does not support propagateSizeHints")))
        return;
    defaultHandler(type, context, text);
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: k450120-bench [--runs N] [--site DIR] [--parts abcdef] [--no-generate]\n"
                 "                     [--generate-only] [--keep-site] [--verbose]\n"
                 "       k450120-bench --dsn NAME [--user U --password P] [--runs N] [--no-generate]\n");
    return 2;
}

QString CpuModel()
{
    QFile cpu(QStringLiteral("/proc/cpuinfo"));
    if (cpu.open(QIODevice::ReadOnly))
        for (const QByteArray& line : cpu.readAll().split('\n'))
            if (line.startsWith("model name"))
                return QString::fromUtf8(line.mid(line.indexOf(':') + 1).trimmed());
    return QStringLiteral("unknown CPU");
}

void MakeSite(const QString& dir)
{
    QProcess make;
    make.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    make.start(QStringLiteral(K450120_SOURCE_DIR "/site/make-site"),
               {dir, QStringLiteral(K450120_BUILD_DIR)});
    if (!make.waitForFinished(300000) || make.exitStatus() != QProcess::NormalExit || make.exitCode() != 0)
        throw BenchError(QStringLiteral("site/make-site failed"));
}

void Generate(Connection& db)
{
    Log(QStringLiteral("generating the bench data (dictionary %1 items, formats %2 and %3 lines per layout)")
            .arg(kDictionarySize)
            .arg(Formats().front().linesPerLayout)
            .arg(Formats().back().linesPerLayout));
    const GenerationSummary s = WriteBenchData(db);
    Log(QStringLiteral("  %1 dictionary items, %2 formats, %3 line rows in %4 s")
            .arg(s.dictionaryItems)
            .arg(s.formats)
            .arg(s.lineRows)
            .arg(s.seconds, 0, 'f', 1));
    for (const QString& shape : s.shapes)
        Log(QStringLiteral("  ") + shape);
}

void PrintHeading(const Options& o, const QString& source)
{
    std::printf("k450120-bench: %s build, Qt %s, %s, %d cores, QPA offscreen\n", K450120_BUILD_TYPE,
                qVersion(), CpuModel().toUtf8().constData(), QThread::idealThreadCount());
    QFile load(QStringLiteral("/proc/loadavg"));
    const QByteArray loadAverage =
        load.open(QIODevice::ReadOnly) ? load.readAll().split(' ').mid(0, 3).join(' ') : QByteArray("?");
    std::printf("data: %s; every figure is the median of %d runs (after one warm-up run); "
                "load average at the end: %s\n\n",
                source.toUtf8().constData(), o.runs, loadAverage.constData());
}

}  // namespace

int main(int argc, char* argv[])
{
    const double entry = NowMs();
    // The widget parts run without a display, the same way on every machine.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    defaultHandler = qInstallMessageHandler(FilterMessages);

    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);

    if (args.value(0) == QLatin1String("--probe-startup") || args.value(0) == QLatin1String("--probe-memory")) {
        QApplication app(argc, argv);
        SetUpLikeTheProgram();
        if (args.value(0) == QLatin1String("--probe-startup"))
            return ProbeStartup(args.value(1), args.value(2), entry);
        return ProbeMemory(args.value(1));
    }

    Options o;
    QString siteDir, dsn, user, password;
    QString parts = QStringLiteral("abcdef");
    bool generate = true, generateOnly = false, keepSite = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&]() -> QString {
            if (i + 1 >= args.size())
                throw BenchError(a + QStringLiteral(" needs a value"));
            return args[++i];
        };
        try {
            if (a == QLatin1String("--runs"))
                o.runs = value().toInt();
            else if (a == QLatin1String("--site"))
                siteDir = value();
            else if (a == QLatin1String("--dsn"))
                dsn = value();
            else if (a == QLatin1String("--user"))
                user = value();
            else if (a == QLatin1String("--password"))
                password = value();
            else if (a == QLatin1String("--parts"))
                parts = value();
            else if (a == QLatin1String("--no-generate"))
                generate = false;
            else if (a == QLatin1String("--generate-only"))
                generateOnly = true;
            else if (a == QLatin1String("--keep-site"))
                keepSite = true;
            else if (a == QLatin1String("--verbose"))
                o.verbose = true;
            else
                return Usage();
        } catch (const BenchError&) {
            return Usage();
        }
    }
    if (o.runs < 1)
        return Usage();

    QApplication app(argc, argv);
    SetUpLikeTheProgram();
    o.self = QCoreApplication::applicationFilePath();

    try {
        if (!dsn.isEmpty()) {
            // Another data source: the schema is loaded there already.
            EnvironmentSettings settings;
            settings.DbString = dsn;
            settings.UserId = user;
            settings.Password = password;
            Connection db;
            db.OpenDatabaseConnection(settings, QStringLiteral("bench"));
            if (generate)
                Generate(db);
            if (generateOnly)
                return 0;
            const std::vector<Row> rows = LoadPart(db, o);
            PrintHeading(o, QStringLiteral("ODBC data source ") + dsn);
            PrintTable(rows);
            return 0;
        }

        std::optional<QTemporaryDir> temporary;
        if (siteDir.isEmpty()) {
            temporary.emplace();
            if (!temporary->isValid())
                throw BenchError(QStringLiteral("no temporary folder"));
            temporary->setAutoRemove(!keepSite);
            siteDir = temporary->path();
            Log(QStringLiteral("making a site in ") + siteDir);
            MakeSite(siteDir);
        }
        siteDir = QDir(siteDir).absolutePath();
        qputenv("ODBCSYSINI", QFile::encodeName(siteDir + QStringLiteral("/odbc")));
        o.programFolder = siteDir + QStringLiteral("/PGM/BIN");

        QString error;
        if (!EnsureBenchCategory(o.programFolder, error))
            throw BenchError(error);
        Connection db;
        db.OpenDatabaseConnection(ReadEnvironmentSettings(o.programFolder), QStringLiteral("bench"));
        if (generate)
            Generate(db);
        if (generateOnly)
            return 0;

        std::vector<Row> rows;
        auto add = [&rows](std::vector<Row> part) {
            for (Row& r : part)
                rows.push_back(std::move(r));
        };
        if (parts.contains(QLatin1Char('a')))
            add(LoadPart(db, o));
        if (parts.contains(QLatin1Char('b')))
            add(RebuildPart(db, o));
        if (parts.contains(QLatin1Char('c')))
            add(EditPart(o));
        if (parts.contains(QLatin1Char('d')))
            add(StartupPart(o));
        if (parts.contains(QLatin1Char('e')))
            add(MemoryPart(o));
        if (parts.contains(QLatin1Char('f')))
            add(ExchangePart(db, o));
        PrintHeading(o, temporary ? QStringLiteral("a new site made by site/make-site (embedded SQLite "
                                                   "through the site's ODBC data source)")
                                  : QStringLiteral("the given site, through its ODBC data source ")
                                        + TrimBlanks(ReadEnvironmentSettings(o.programFolder).DbString));
        PrintTable(rows);
        if (keepSite)
            Log(QStringLiteral("site kept in ") + siteDir);
        return 0;
    } catch (const std::exception& e) {
        Log(QStringLiteral("k450120-bench: ") + QString::fromUtf8(e.what()));
        return 1;
    }
}
