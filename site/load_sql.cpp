// Loads SQL files (schema and site data) into an ODBC data source through the
// program's own connection layer, so that both engines see the same statements
// in the same normalised writing. Usage: k450120-loadsql DSN [USER PASSWORD] -- FILE...

#include "store/connection.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

// Splits a script into statements at semicolons outside quotes and drops
// "--" comments.
QStringList SplitStatements(const QString& script)
{
    QStringList statements;
    QString current;
    QChar quote;
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script.at(i);
        if (!quote.isNull()) {
            current += c;
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            current += c;
        } else if (c == QLatin1Char('-') && script.mid(i, 2) == QLatin1String("--")) {
            while (i < script.size() && script.at(i) != QLatin1Char('\n'))
                ++i;
            current += QLatin1Char('\n');
        } else if (c == QLatin1Char(';')) {
            if (!current.trimmed().isEmpty())
                statements.append(current.trimmed());
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.trimmed().isEmpty())
        statements.append(current.trimmed());
    return statements;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const qsizetype separator = args.indexOf(QStringLiteral("--"));
    if (args.isEmpty() || separator < 1) {
        std::fprintf(stderr, "usage: k450120-loadsql DSN [USER PASSWORD] -- FILE...\n");
        return 2;
    }
    EnvironmentSettings settings;
    settings.DbString = args.value(0);
    if (separator >= 3) {
        settings.UserId = args.value(1);
        settings.Password = args.value(2);
    }
    Connection db;
    try {
        db.OpenDatabaseConnection(settings, QStringLiteral("loader"));
        db.BeginTrans();
        for (const QString& path : args.mid(separator + 1)) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                throw SqlError(("cannot read " + path).toStdString());
            for (const QString& statement : SplitStatements(QString::fromUtf8(file.readAll()))) {
                db.SetStatement(statement);
                db.ExecuteStatement();
            }
        }
        db.CommitTrans();
    } catch (const SqlError& e) {
        std::fprintf(stderr, "k450120-loadsql: %s\n", e.what());
        return 1;
    }
    return 0;
}
