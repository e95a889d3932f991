// k450120-format: format definitions of a site as exchange documents, from the
// command line, without a display.

#include "core/format_document.h"
#include "store/config.h"
#include "store/connection.h"
#include "store/format_export.h"
#include "store/system_profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

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
    "\n"
    "Exit status: 0 done, 1 a format could not be exported, 2 a usage or\n"
    "connection error.\n";

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
    const bool progress = isatty(fileno(stderr));
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const StoredFormatKey& key = keys[i];
        WriteFile(folder + QLatin1Char('/') + names[i], Export(db, key.Code, key.Bpid));
        if (progress)
            Print(stderr, QStringLiteral("\r%1/%2 formats").arg(i + 1).arg(keys.size()));
    }
    if (progress)
        Print(stderr, QStringLiteral("\n"));
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
    else if (std::fwrite(document.constData(), 1, document.size(), stdout) != size_t(document.size()))
        Fail(QStringLiteral("standard output: write failed"), kFailed);
    return kDone;
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
    QString programFolder = QCoreApplication::applicationDirPath();
    const qsizetype site = args.indexOf(QStringLiteral("--site"));
    if (site >= 0) {
        if (site + 1 >= args.size())
            Fail(QStringLiteral("--site takes a folder"), kUsage);
        // The program folder of that site, whose EDI.ini lies two levels up.
        programFolder = QDir(args[site + 1]).absolutePath() + QStringLiteral("/PGM/BIN");
        args.remove(site, 2);
    }
    const QString command = args.value(0);
    if (command != QLatin1String("list") && command != QLatin1String("export"))
        Fail(QStringLiteral("unknown command \"%1\" (see --help)").arg(command), kUsage);
    Connection db;
    Connect(db, programFolder);
    const QStringList rest = args.mid(1);
    const int status = command == QLatin1String("list") ? List(db, rest) : ExportCommand(db, rest);
    db.CloseDatabaseConnection();
    return status;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    try {
        return Run(app.arguments().mid(1));
    } catch (const Failure& failure) {
        Print(stderr, QStringLiteral("k450120-format: %1\n").arg(failure.message));
        return failure.status;
    } catch (const SqlError& e) {
        Print(stderr, QStringLiteral("k450120-format: database: %1\n").arg(QString::fromUtf8(e.what())));
        return kUsage;
    } catch (const StoreError& e) {
        Print(stderr, QStringLiteral("k450120-format: %1\n").arg(QString::fromUtf8(e.what())));
        return kFailed;
    }
}
