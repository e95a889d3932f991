// k450120-format: format definitions of a site as exchange documents, from the
// command line, without a display.

#include "core/document_check.h"
#include "core/format_document.h"
#include "store/config.h"
#include "store/connection.h"
#include "store/format_export.h"
#include "store/format_import.h"
#include "store/format_store.h"
#include "store/lookups.h"
#include "store/system_profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

const char* const kHelp =
    "usage: k450120-format [--site DIR] COMMAND\n"
    "\n"
    "Works on the site whose EDI.ini lies two folders above the program, or on\n"
    "the site in DIR. Documents are UTF-8 JSON, one per format (see the README).\n"
    "\n"
    "  list [CATEGORY]                 the stored keys with their line counts\n"
    "      k450120-format list 0101\n"
    "  export CATEGORY BPID [-o FILE]  one format's document, on standard output\n"
    "                                  or in FILE\n"
    "      k450120-format export 0101 ORDERS01 -o orders.json\n"
    "  export --all DIR                every format into DIR as <category>_<BPID>.json,\n"
    "                                  other characters than A-Z a-z 0-9 - _\n"
    "                                  percent-encoded\n"
    "      k450120-format --site /srv/edi export --all formats\n"
    "  import FILE... [--replace] [--dry-run]\n"
    "                                  stores the documents exactly as written, all\n"
    "                                  of them or none: each is first held against\n"
    "                                  the screen's checks, and a stored key is\n"
    "                                  refused unless --replace; --dry-run checks\n"
    "                                  and writes nothing. Doubtful definitions are\n"
    "                                  imported with a warning.\n"
    "      k450120-format --site /srv/edi-test import formats/*.json --replace\n"
    "  check [CATEGORY BPID | --all]   reports problems of stored formats: links,\n"
    "                                  groups, positions, the item dictionary\n"
    "      k450120-format check 0101 ORDERS01\n"
    "\n"
    "Long runs show their progress on standard error when it is a terminal.\n"
    "Exit status: 0 done (check: nothing to report), 1 a format refused, not\n"
    "found or reported, 2 a usage or connection error.\n";

enum Status { kDone = 0, kFailed = 1, kUsage = 2 };

struct Failure {
    QString message;
    int status;
};

void Print(FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().constData(), stream);
}

[[noreturn]] void Fail(const QString& message, int status)
{
    throw Failure{message, status};
}

// "\r3/120 formats" on a terminal; the end of the line once done.
class Progress {
public:
    Progress(qsizetype total, const char* what) : total_(total), what_(what), shown_(isatty(fileno(stderr))) {}
    ~Progress()
    {
        if (shown_ && done_ > 0)
            Print(stderr, QStringLiteral("\n"));
    }
    void Step()
    {
        ++done_;
        if (shown_)
            Print(stderr, QStringLiteral("\r%1/%2 %3").arg(done_).arg(total_).arg(QLatin1String(what_)));
    }

private:
    qsizetype total_;
    qsizetype done_ = 0;
    const char* what_;
    bool shown_;
};

// The part of a file name for a key text: UTF-8, only A-Z a-z 0-9 - _ as they are.
QString FileNamePart(const QString& text)
{
    return QString::fromLatin1(text.toUtf8().toPercentEncoding(QByteArray(), ".~"));
}

void WriteFile(const QString& path, const QByteArray& data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        Fail(path + QStringLiteral(": ") + file.errorString(), kFailed);
}

QByteArray Export(Connection& db, const QString& code, const QString& bpid)
{
    FormatDocument document;
    if (!ReadStoredDocument(db, code, bpid, document))
        Fail(QStringLiteral("no format is stored under %1 %2").arg(code, bpid), kFailed);
    return WriteFormatDocument(document);
}

int List(Connection& db, const QStringList& args)
{
    if (args.size() > 1)
        Fail(QStringLiteral("list takes at most a category"), kUsage);
    for (const StoredFormatKey& key : ListStoredFormats(db, args.value(0)))
        Print(stdout, QStringLiteral("%1\t%2\t%3 lines%4\n")
                          .arg(key.Code, key.Bpid)
                          .arg(key.Lines)
                          .arg(key.HasHeader ? QString() : QStringLiteral("\tno header")));
    return kDone;
}

int ExportAll(Connection& db, const QString& folder)
{
    if (!QDir().mkpath(folder))
        Fail(folder + QStringLiteral(": cannot make the folder"), kFailed);
    const QList<StoredFormatKey> keys = ListStoredFormats(db);
    // Two keys can meet in one name ("A_B" "C" and "A" "B_C"): refused before anything is written, so that
    // no file of this run replaces another.
    QStringList names;
    for (const StoredFormatKey& key : keys) {
        names << FileNamePart(key.Code) + QLatin1Char('_') + FileNamePart(key.Bpid) + QStringLiteral(".json");
        if (const qsizetype first = names.indexOf(names.last()); first < names.size() - 1)
            Fail(QStringLiteral("%1 %2 and %3 %4 would both be written to %5; nothing written")
                     .arg(keys[first].Code, keys[first].Bpid, key.Code, key.Bpid, names.last()), kFailed);
    }
    Progress progress(keys.size(), "formats");
    for (qsizetype i = 0; i < keys.size(); ++i) {
        WriteFile(folder + QLatin1Char('/') + names[i], Export(db, keys[i].Code, keys[i].Bpid));
        progress.Step();
    }
    return kDone;
}

int ExportCommand(Connection& db, QStringList args)
{
    if (args.value(0) == QLatin1String("--all")) {
        if (args.size() != 2)
            Fail(QStringLiteral("export --all takes a folder"), kUsage);
        return ExportAll(db, args[1]);
    }
    QString output;
    const qsizetype o = args.indexOf(QStringLiteral("-o"));
    if (o >= 0) {
        if (o + 1 >= args.size())
            Fail(QStringLiteral("-o takes a file"), kUsage);
        output = args[o + 1];
        args.remove(o, 2);
    }
    if (args.size() != 2)
        Fail(QStringLiteral("export takes a category and a BPID"), kUsage);
    const QByteArray document = Export(db, args[0], args[1]);
    if (!output.isNull())
        WriteFile(output, document);
    else
        std::fwrite(document.constData(), 1, document.size(), stdout);  // checked at the end of the run
    return kDone;
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        Fail(path + QStringLiteral(": ") + file.errorString(), kFailed);
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        Fail(path + QStringLiteral(": ") + file.errorString(), kFailed);
    return data;
}

QString Files(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 file") : QStringLiteral("%1 files").arg(count);
}

// Every file checked and stored in the caller's transaction; one line for
// each file stored.
QStringList ImportFiles(Connection& db, Lookups& lookups, const QStringList& files, bool replace)
{
    DocumentChecker checker(lookups);
    QHash<QPair<QString, QString>, QString> seen;  // key -> file
    QStringList stored;
    Progress progress(files.size(), "files");
    for (const QString& path : files) {
        FormatDocument document;
        QString error;
        if (!ReadFormatDocument(ReadFile(path), document, error))
            Fail(path + QStringLiteral(": ") + error, kFailed);
        const DocumentChecker::Verdict verdict = checker.Check(document);
        for (const Finding& warning : verdict.warnings)
            Print(stderr, QStringLiteral("%1: warning: %2\n").arg(path, warning.Line()));
        if (verdict.refusal)
            Fail(path + QStringLiteral(": ") + verdict.refusal->Line(), kFailed);
        const QPair<QString, QString> key{document.Code, document.Bpid};
        if (seen.contains(key))
            Fail(QStringLiteral("%1: key: %2 %3 is in %4 too").arg(path, key.first, key.second, seen[key]), kFailed);
        seen.insert(key, path);
        if (!StoreDocument(db, document, replace))
            Fail(QStringLiteral("%1: key: %2 %3 is stored already (--replace replaces it)")
                     .arg(path, key.first, key.second), kFailed);
        stored << QStringLiteral("%1: %2 %3, %4 lines\n").arg(path, key.first, key.second).arg(document.Lines.size());
        progress.Step();
    }
    return stored;
}

// All files in one transaction, rolled back at the first refusal or
// failure (and after a dry run), so that a run writes all or nothing.
int ImportCommand(Connection& db, Lookups& lookups, QStringList args)
{
    const bool replace = args.removeAll(QStringLiteral("--replace")) > 0;
    const bool dryRun = args.removeAll(QStringLiteral("--dry-run")) > 0;
    if (args.isEmpty())
        Fail(QStringLiteral("import takes one or more files"), kUsage);
    for (const QString& arg : args)
        if (arg.startsWith(QLatin1String("--")))
            Fail(QStringLiteral("import: unknown option %1").arg(arg), kUsage);
    const auto rollback = [&db] {
        try {
            db.RollbackTrans();
        } catch (const SqlError&) {
            // The connection is gone; the server drops the transaction.
        }
    };
    db.BeginTrans();
    QStringList stored;
    try {
        stored = ImportFiles(db, lookups, args, replace);
    } catch (const Failure& failure) {
        rollback();
        Fail(failure.message + QStringLiteral(" (nothing imported)"), failure.status);
    } catch (...) {
        rollback();
        throw;
    }
    if (dryRun)
        rollback();
    else
        db.CommitTrans();
    Print(stdout, stored.join(QString()));
    Print(stdout, dryRun ? QStringLiteral("dry run: %1 checked, nothing written\n").arg(Files(args.size()))
                         : QStringLiteral("%1 imported\n").arg(Files(args.size())));
    return kDone;
}

// The problems of one stored format, as the screen would load it.
QStringList CheckStored(Connection& db, Lookups& lookups, const StoredFormatKey& key)
{
    QStringList problems;
    if (!key.HasHeader)
        problems << QStringLiteral("header: missing: lines stored without a header");
    SqlFormatStore store(db);
    FormatLines lines;
    try {
        store.LoadLines({key.Code, key.Bpid}, lines);
    } catch (const BadStoredValue& bad) {
        return problems << QStringLiteral("the screen cannot open it: ") + bad.where;
    }
    for (const Finding& finding : FindDefinitionProblems(lines, &lookups))
        problems << finding.Line();
    return problems;
}

int CheckCommand(Connection& db, Lookups& lookups, const QStringList& args)
{
    QList<StoredFormatKey> keys;
    if (args.isEmpty() || args == QStringList{QStringLiteral("--all")}) {
        keys = ListStoredFormats(db);
    } else if (args.size() == 2) {
        for (const StoredFormatKey& key : ListStoredFormats(db, args[0]))
            if (key.Bpid == args[1])
                keys << key;
        if (keys.isEmpty())
            Fail(QStringLiteral("no format is stored under %1 %2").arg(args[0], args[1]), kFailed);
    } else {
        Fail(QStringLiteral("check takes a category and a BPID, or --all"), kUsage);
    }
    int reported = 0;
    Progress progress(keys.size(), "formats");
    for (const StoredFormatKey& key : keys) {
        for (const QString& problem : CheckStored(db, lookups, key)) {
            Print(stdout, QStringLiteral("%1 %2: %3\n").arg(key.Code, key.Bpid, problem));
            ++reported;
        }
        progress.Step();
    }
    return reported ? kFailed : kDone;
}

void Connect(Connection& db, const QString& programFolder)
{
    try {
        db.OpenDatabaseConnection(ReadEnvironmentSettings(programFolder), LoadSystemProfile().Machine);
    } catch (const ConfigReadError& e) {
        Fail(QStringLiteral("EDI.ini: ") + QString::fromUtf8(e.what()), kUsage);
    } catch (const SqlError& e) {
        Fail(QStringLiteral("connection: ") + QString::fromUtf8(e.what()), kUsage);
    }
}

int Run(QStringList args)
{
    if (args.isEmpty() || args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        Print(args.isEmpty() ? stderr : stdout, QString::fromUtf8(kHelp));
        return args.isEmpty() ? kUsage : kDone;
    }
    QString programFolder = ProgramFolder();
    const qsizetype site = args.indexOf(QStringLiteral("--site"));
    if (site >= 0) {
        if (site + 1 >= args.size())
            Fail(QStringLiteral("--site takes a folder"), kUsage);
        // The program folder of that site, whose EDI.ini lies two levels up;
        // the site's own ODBC configuration unless another one is named.
        const QString root = QDir(args[site + 1]).absolutePath();
        programFolder = root + QStringLiteral("/PGM/BIN");
        if (qEnvironmentVariableIsEmpty("ODBCSYSINI") && QFileInfo::exists(root + QStringLiteral("/odbc/odbc.ini")))
            qputenv("ODBCSYSINI", QFile::encodeName(root + QStringLiteral("/odbc")));
        args.remove(site, 2);
    }
    const QString command = args.value(0);
    const QStringList commands{QStringLiteral("list"), QStringLiteral("export"), QStringLiteral("import"),
                               QStringLiteral("check")};
    if (!commands.contains(command))
        Fail(QStringLiteral("unknown command \"%1\" (see --help)").arg(command), kUsage);
    Connection db;
    Connect(db, programFolder);
    RememberingLookups lookups(db, programFolder);
    const QStringList rest = args.mid(1);
    const int status = command == QLatin1String("list")     ? List(db, rest)
        : command == QLatin1String("export")                ? ExportCommand(db, rest)
        : command == QLatin1String("import")                ? ImportCommand(db, lookups, rest)
                                                            : CheckCommand(db, lookups, rest);
    db.CloseDatabaseConnection();
    return status;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    int status = kDone;
    try {
        status = Run(app.arguments().mid(1));
    } catch (const Failure& failure) {
        Print(stderr, QStringLiteral("k450120-format: %1\n").arg(failure.message));
        status = failure.status;
    } catch (const SqlError& e) {
        Print(stderr, QStringLiteral("k450120-format: database: %1\n").arg(QString::fromUtf8(e.what())));
        status = kUsage;
    } catch (const StoreError& e) {
        Print(stderr, QStringLiteral("k450120-format: %1\n").arg(QString::fromUtf8(e.what())));
        status = kFailed;
    }
    // Whatever a run printed must have reached its reader (a full disk, a closed pipe).
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        Print(stderr, QStringLiteral("k450120-format: standard output: write failed\n"));
        status = std::max(status, int(kFailed));
    }
    return status;
}
