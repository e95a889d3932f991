// Format documents: the JSON shape, its reader's refusals, and the export of stored formats by the real tool.

#include "core/shift_jis.h"
#include "store/format_export.h"
#include "support/store_test.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// One line: the fourteen columns from フォーマット種別 on.
QVariantList Line(QVariantList values)
{
    values.resize(14);
    return values;
}

FormatDocument Hostile()
{
    FormatDocument d{QStringLiteral("0201"), QStringLiteral(" a/b %ü "), true, {" 11 ", QVariant(), "", "ｶﾅ", "\"\\", "\t", QVariant()}, {}};
    d.Lines = {Line({"E", 1, QVariant(), -1, 2147483647, 0, QString("名称 \n\x01"), "X", 4, 0, "  ", 0, "固定 ", QVariant()}),
               Line({"E", 2, qint64(-2147483648LL)}), Line({"X", 1, 1, 1, 1, 1, "", "9", 8, 2, "1", 3, "", "E"})};
    return d;
}

// The documents of the demo site as site/data/formats.sql writes them (every column, in table order).
QMap<QString, FormatDocument> DemoDocuments()
{
    QFile sql(QStringLiteral(K450120_SOURCE_DIR "/site/data/formats.sql"));
    sql.open(QIODevice::ReadOnly);
    const QRegularExpression insert(QStringLiteral("^INSERT INTO (FL190[23]).* VALUES \\((.*)\\);$"));
    const QRegularExpression value(QStringLiteral("\\s*('(?:[^']|'')*'|NULL|-?\\d+)\\s*(,|$)"));
    QMap<QString, FormatDocument> documents;
    for (const QString& text : QString::fromUtf8(sql.readAll()).split('\n')) {
        const QRegularExpressionMatch m = insert.match(text);
        QVariantList row;
        for (auto it = value.globalMatch(m.captured(2)); m.hasMatch() && it.hasNext();) {
            const QString v = it.next().captured(1);
            row << (v == "NULL" ? QVariant() : v.startsWith('\'') ? QVariant(v.mid(1).chopped(1).replace("''", "'")) : QVariant(v.toLongLong()));
        }
        if (row.isEmpty())
            continue;
        FormatDocument& d = documents[row[0].toString() + '_' + row[1].toString() + ".json"];
        std::tie(d.Code, d.Bpid) = std::tuple(row[0].toString(), row[1].toString());
        const bool header = m.captured(1) == "FL1902";
        d.HasHeader = d.HasHeader || header;
        (header ? d.Header : d.Lines.emplaceBack()) = row.mid(2);
    }
    for (FormatDocument& d : documents)
        std::sort(d.Lines.begin(), d.Lines.end(), [](const QVariantList& a, const QVariantList& b) {
            return a[0] != b[0] ? a[0].toString() < b[0].toString() : a[1].toLongLong() < b[1].toLongLong();
        });
    return documents;
}

}  // namespace

class TestStoreExchange : public StoreTest {
    Q_OBJECT
    QTemporaryDir down_;
private slots:
    // The layout is fixed, and what is written reads back to the same values and the same bytes.
    void roundTrip()
    {
        const FormatDocument small{"01", "B", false, {}, {Line({"L", 3, QVariant(), 1, QVariant(), 7})}};
        QCOMPARE(WriteFormatDocument(small),
                 QByteArray("{\n  \"shape\": \"k450120-format\",\n  \"version\": 1,\n  \"key\": {\"情報区分コード\": \"01\", \"BPID\": \"B\"},\n"
                            "  \"header\": null,\n  \"lines\": [\n    {\"フォーマット種別\": \"L\", \"項目通番\": 3, \"対応項目通番\": null, "
                            "\"レベル番号\": 1, \"項目№\": null, \"項目位置\": 7, \"項目名称\": null, \"属性\": null, \"長さ\": null, "
                            "\"小数部長さ\": null, \"マルチ明細番号\": null, \"繰返し数\": null, \"固定項目値\": null, \"変換エラー対処\": null}\n  ]\n}\n"));
        for (const FormatDocument& d : {Hostile(), FormatDocument{"", "", true, QVariantList(7), {}}}) {
            const QByteArray text = WriteFormatDocument(d);
            FormatDocument back;
            QString error;
            QVERIFY2(ReadFormatDocument(text, back, error), qPrintable(error));
            QCOMPARE(WriteFormatDocument(back), text);
            QCOMPARE(std::tie(back.Code, back.Bpid, back.HasHeader, back.Header), std::tie(d.Code, d.Bpid, d.HasHeader, d.Header));
            QCOMPARE(back.Lines, d.Lines);
        }
    }

    // One row per refusal: a change of a valid document and the start of the message.
    void refusals_data()
    {
        QTest::addColumn<QByteArrayList>("change");  // from, to, the start of the message
        const auto row = [](const char* name, const char* from, const char* to, const char* message) {
            QTest::newRow(name) << QByteArrayList{from, to, message};
        };
        row("truncated", "\n  ]\n}\n", "\n  ]\n", "document: invalid JSON at byte");
        row("not UTF-8", "ｶﾅ", "\xff", "document: not UTF-8 text");
        row("shape", "\"k450120-format\"", "\"other\"", "document: shape: \"k450120-format\" is required");
        row("version", "\"version\": 1", "\"version\": 2", "document: version: only 1 is supported");
        row("unknown member", "\"version\": 1,", "\"version\": 1, \"extra\": 0,", "document: extra: unknown column");
        row("lines no array", "\"lines\": [", "\"lines\": 0, \"x\": [", "document: lines: an array is required");
        row("key null", "\"BPID\": \" a/b %ü \"", "\"BPID\": null", "key: BPID: null where a value is required");
        row("missing key column", "\"BPID\": \" a/b %ü \"", "\"bpid\": \"x\"", "key: BPID: missing");
        row("header text as number", "\"様式識別\": \" 11 \"", "\"様式識別\": 11", "header: 様式識別: a text is required");
        row("header not object", "\"header\": {", "\"header\": [], \"h\": {", "header: an object is required");
        row("type null", "{\"フォーマット種別\": \"X\"", "{\"フォーマット種別\": null", "line 3: フォーマット種別: null where a value is required");
        row("text as number", "\"長さ\": 8", "\"長さ\": \"8\"", "line 3: 長さ: a whole number is required");
        row("fraction", "\"長さ\": 8", "\"長さ\": 8.5", "line 3: 長さ: 8.5 is not a whole number");
        row("beyond 32 bits", "\"長さ\": 8", "\"長さ\": 2147483648", "line 3: 長さ: 2147483648 is outside 32 bits");
        row("below 32 bits", "\"長さ\": 8", "\"長さ\": -2147483649", "line 3: 長さ: -2147483649 is outside 32 bits");
        row("serial null", "\"項目通番\": 2", "\"項目通番\": null", "line 2: 項目通番: null where a value is required");
        row("unknown column", "\"変換エラー対処\": \"E\"", "\"変換エラー対処\": \"E\", \"x\": 1", "line 3: x: unknown column");
        row("missing column", "\"変換エラー対処\": \"E\"", "\"変換エラー\": \"E\"", "line 3: 変換エラー対処: missing");
        row("not an object", "{\n  \"shape\"", "[{\n  \"shape\"", "document: invalid JSON");
        row("line not object", "\n    {\"フォーマット種別\": \"X\"", "\n    7, {\"フォーマット種別\": \"X\"", "line 3: an object is required");
    }
    void refusals()
    {
        QFETCH(QByteArrayList, change);
        QByteArray text = WriteFormatDocument(Hostile());
        QVERIFY(text.contains(change[0]));
        text.replace(text.indexOf(change[0]), change[0].size(), change[1]);
        FormatDocument d;
        QString error;
        QVERIFY(!ReadFormatDocument(text, d, error));
        QVERIFY2(error.startsWith(QString::fromUtf8(change[2])), qPrintable(error));
    }
    // Each demo format exported by the real tool on this engine as site/data writes it, so byte-identical
    // on both engines; the list counts every line.
    void demoExports()
    {
        const QMap<QString, FormatDocument> demo = DemoDocuments();
        QTemporaryDir dir;
        QCOMPARE(Tool({"export", "--all", dir.path()}), 0);
        QCOMPARE(Tool({"export", "0401", "INVOIC01", "-o", dir.filePath("0401_INVOIC01.json")}), 0);  // read below
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), demo.keys());
        QString listed;
        for (auto it = demo.begin(); it != demo.end(); ++it) {
            QFile file(dir.filePath(it.key()));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), WriteFormatDocument(*it));
            listed += QStringLiteral("%1\t%2\t%3 lines\n").arg(it->Code, it->Bpid).arg(it->Lines.size());
        }
        QByteArray out;
        QCOMPARE(Tool({"list"}, &out), 0);
        QCOMPARE(QString::fromUtf8(out), listed);
        // On a terminal the run shows its progress on standard error.
        QProcess terminal;
        terminal.setProcessEnvironment(site_.Environment());
        terminal.start("script", {"-qec", site_.ProgramFolder() + "/k450120-format export --all " + dir.path(), "/dev/null"});
        QVERIFY(terminal.waitForFinished(60000));
        QCOMPARE(terminal.readAllStandardOutput(), QByteArray("\r1/3 formats\r2/3 formats\r3/3 formats\r\n"));
        // Output that cannot be written whole is a failed run.
        QProcess full;
        full.setProcessEnvironment(site_.Environment());
        full.setStandardOutputFile("/dev/full");
        full.start(site_.ProgramFolder() + "/k450120-format", {"list"});
        QVERIFY(full.waitForFinished(60000));
        QCOMPARE(full.exitCode(), 1);
    }

    // Blanks, NULLs, control characters and a type of neither layout, stored out of order, come out as stored;
    // lines without a header too.
    void hostileRowsExactly()
    {
        FormatDocument d = Hostile();
        Execute(db_, "INSERT INTO FL1902フォーマット情報マスタ VALUES (?,?,?,?,?,?,?,?,?)", QVariantList{d.Code, d.Bpid} + d.Header);
        for (qsizetype i = d.Lines.size() - 1; i >= 0; --i)
            Execute(db_, "INSERT INTO FL1903レコードフォーマット情報マスタ VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                    QVariantList{d.Code, d.Bpid} + d.Lines[i]);
        QTemporaryDir dir;
        QCOMPARE(Tool({"export", "--all", dir.path()}), 0);
        QFile file(dir.filePath("0201_%20a%2Fb%20%25%C3%BC%20.json"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), WriteFormatDocument(d));
        Execute(db_, "DELETE FROM FL1902フォーマット情報マスタ WHERE BPID=?", {d.Bpid});
        d.HasHeader = false;
        QByteArray out;
        QCOMPARE(Tool({"export", d.Code, d.Bpid}, &out), 0);
        QCOMPARE(out, WriteFormatDocument(d));
        QCOMPARE(Tool({"list", "0201"}, &out), 0);
        QCOMPARE(out, QByteArray("0201\t a/b %ü \t3 lines\tno header\n0201\tSHIPNT01\t47 lines\n"));
        // A number column holding a fraction (SQLite keeps it): refused, named, nothing written.
        Execute(db_, "UPDATE FL1903レコードフォーマット情報マスタ SET 長さ=1.5 WHERE BPID=? AND 項目通番=2", {d.Bpid});
        QByteArray err;
        QCOMPARE(Tool({"export", d.Code, d.Bpid}, &out, &err), db_.Engine() == SqlEngine::SQLite ? 1 : 0);
        QVERIFY2(db_.Engine() != SqlEngine::SQLite || err.contains("line 2: 長さ: stored value \"1.5\" is not a whole number"), err);
        // Keys that meet in one file name: nothing is written.
        Execute(db_, "INSERT INTO FL1903レコードフォーマット情報マスタ (情報区分コード,BPID,フォーマット種別,項目通番) "
                     "VALUES ('A_B','C','E',1), ('A','B_C','E',1)");
        QTemporaryDir meet;
        QCOMPARE(Tool({"export", "--all", meet.path()}), 1);
        QVERIFY(QDir(meet.path()).isEmpty());
    }

    // A site for installed programs: launchers that name the site's folders to the programs wherever they live,
    // and a menu entry whose command survives a hostile folder name.
    void installedSite()
    {
        QTemporaryDir root;
        QDir(root.path()).mkpath("lib");
        for (const char* program : {"/src/k450120", "/src/k450120-format", "/site/k450120-loadsql"})
            QVERIFY(QFile::link(K450120_BUILD_DIR + QString(program), root.filePath("lib/") + QFileInfo(program).fileName()));
        const QString site = root.filePath("si\"te $x`%");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("ODBCSYSINI");
        env.remove("XDG_DATA_HOME");
        env.insert("HOME", root.path());
        QProcess tool, make;
        tool.setProcessEnvironment(env);
        env.insert("K450120_LIBEXEC", root.filePath("lib"));
        make.setProcessEnvironment(env);
        make.start(K450120_SOURCE_DIR "/site/make-site", {site, "--menu"});
        QVERIFY(make.waitForFinished(120000) && make.exitCode() == 0);
        tool.start(site + "/PGM/BIN/k450120-format", {"list", "0401"});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.readAllStandardOutput(), QByteArray("0401\tINVOIC01\t12 lines\n"));
        const QStringList entries = QDir(root.filePath(".local/share/applications")).entryList(QDir::Files);
        QCOMPARE(entries.size(), 1);
        QFile entry(root.filePath(".local/share/applications/") + entries[0]);
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(entry.readAll());
        QVERIFY2(text.contains("\nName=フォーマット情報マスタ保守 (si\"te $x`%)\n"), qPrintable(text));
        QVERIFY2(text.contains("\nExec=\"" + root.path() + "/si\\\\\"te \\\\$x\\\\`%%/PGM/BIN/k450120\"\nIcon=k450120\n"), qPrintable(text));
    }

    // Exit status and output of the command line: 2 for usage and connection errors, 1 for no such format.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");  // the start of standard output, or of standard error on a failure
        const QString invoice = QStringLiteral("0401\tINVOIC01\t12 lines\n");
        // A site whose data source does not exist.
        QDir(down_.path()).mkpath("PGM/BIN");
        QFile ini(down_.filePath("EDI.ini"));
        if (ini.open(QIODevice::WriteOnly))
            ini.write(ToAnsi(QStringLiteral("[動作環境]\r\nDBSTRING=NOSUCH\r\n")));
        QTest::newRow("category") << QStringList{"list", "0401"} << 0 << invoice;
        QTest::newRow("--site") << QStringList{"--site", site_.Root(), "list", "0401"} << 0 << invoice;
        QTest::newRow("--site without EDI.ini") << QStringList{"--site", site_.Root() + "/data", "list"} << 2
                                                << "k450120-format: connection: no data source name";
        QTest::newRow("data source down") << QStringList{"--site", down_.path(), "list"} << 2 << "k450120-format: connection: connect: ";
        QTest::newRow("help") << QStringList{"--help"} << 0 << "usage: k450120-format [--site DIR] COMMAND\n";
        QTest::newRow("no command") << QStringList{} << 2 << "usage: k450120-format";
        QTest::newRow("unknown command") << QStringList{"merge"} << 2 << "k450120-format: unknown command \"merge\"";
        QTest::newRow("import of nothing") << QStringList{"import", "--replace"} << 2 << "k450120-format: import takes";
        QTest::newRow("import option") << QStringList{"import", "--force", "x.json"} << 2 << "k450120-format: import: unknown";
        QTest::newRow("export of one") << QStringList{"export", "0101"} << 2 << "k450120-format: export takes";
        QTest::newRow("-o without file") << QStringList{"export", "0101", "ORDERS01", "-o"} << 2 << "k450120-format: -o takes";
        QTest::newRow("no such format") << QStringList{"export", "0101", "ORDERS01 "} << 1 << "k450120-format: no format";
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, output);
        QByteArray out, err;
        QCOMPARE(Tool(args, &out, &err), status);
        QVERIFY2(QString::fromUtf8(status ? err : out).startsWith(output) && (status == 0 || out.isEmpty()), (out + err).constData());
    }
};

QTEST_GUILESS_MAIN(TestStoreExchange)
#include "test_store_exchange.moc"
