// Import and check of format documents by the real tool on the site's database: what the screen refuses is refused
// and writes nothing, doubtful definitions are imported and reported, exports of imports are byte-identical.

#include "core/item_list.h"
#include "core/linking.h"
#include "store/format_export.h"
#include "support/store_test.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

class TestStoreImport : public StoreTest {
    Q_OBJECT
    QTemporaryDir dir_;
    QMap<QString, QByteArray> demo_;  // file name -> the demo site's export

    QString Write(const QString& name, const QByteArray& text)
    {
        QFile file(dir_.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return file.fileName();
    }
    // The demo export of SHIPNT01 with `from` replaced by `to` in its one line that holds `marker`.
    QByteArray Changed(const QByteArrayList& edits)
    {
        QByteArray text = demo_["0201_SHIPNT01.json"];
        for (qsizetype e = 0; e + 2 < edits.size(); e += 3) {
            const qsizetype at = text.indexOf(edits[e]), start = text.lastIndexOf('\n', at) + 1;
            const qsizetype end = text.indexOf('\n', at), from = text.indexOf(edits[e + 1], start);
            if (at < 0 || from < 0 || from > end || text.indexOf(edits[e], at + 1) >= 0)
                qFatal("edit %s not found once", edits[e].constData());
            text.replace(from, edits[e + 1].size(), edits[e + 2]);
        }
        return text;
    }
    QByteArray Exported(const QString& code, const QString& bpid)
    {
        QByteArray out;
        return Tool({"export", code, bpid}, &out) == 0 ? out : QByteArray("(export failed)");
    }

private slots:
    void initTestCase()
    {
        StoreTest::initTestCase();
        QCOMPARE(Tool({"export", "--all", dir_.path()}), 0);
        for (const QString& name : QDir(dir_.path()).entryList(QDir::Files)) {
            QFile file(dir_.filePath(name));
            file.open(QIODevice::ReadOnly);
            demo_[name] = file.readAll();
        }
        QCOMPARE(demo_.size(), 3);
    }

    // One row per refusal of the screen's checks, ranges and links: status 1, the place named, nothing written.
    void refusals_data()
    {
        QTest::addColumn<QByteArrayList>("edits");  // marker, from, to
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, QByteArrayList edits, const char* message) {
            QTest::newRow(name) << edits << QString::fromUtf8(message);
        };
        const QByteArray e1 = "\"E\", \"項目通番\": 1,", e4 = "\"E\", \"項目通番\": 4,", e12 = "\"E\", \"項目通番\": 12,";
        const QByteArray l20 = "\"L\", \"項目通番\": 20,";
        row("unknown item", {e4, "\"項目№\": 4", "\"項目№\": 999"}, "standard line 4: 項目№: 999: 項目情報ﾏｽﾀが登録されていません");
        row("defaulted code", {e4, "\"W\"", "\"\""}, "standard line 4: 変換エラー対処: \"\": the screen makes it \"E\"");
        row("excluded code", {e4, "\"W\"", "\"S\""}, "standard line 4: 変換エラー対処: \"S\": 該当データがありませんでした");
        row("fixed too long", {e1, "\"0201\"", "\"02011\""}, "standard line 1: 固定項目値: \"02011\": 桁数が長さを超えています");
        row("fixed not numeric", {"\"E\", \"項目通番\": 3,", "\"固定項目値\": \"\"", "\"固定項目値\": \"1a\""},
            "standard line 3: 固定項目値: \"1a\": 数値を入力して下さい");
        row("repeat 32", {e12, "20", "32"}, "standard line 12: 繰返し数: 32: refused");
        row("repeat 0", {e12, "\"繰返し数\": 20", "\"繰返し数\": 0"}, "standard line 12: 繰返し数: 0: 繰返し数が入力されていません");
        row("same group number", {"\"E\", \"項目通番\": 19,", "\"2\"", "\"1\""},
            "standard line 19: マルチ明細番号: \"1\": 同じマルチ明細番号が登録されています (line 12)");
        row("no name", {l20, "\"予備\"", "\"\""}, "local line 20: 項目名称: \"\": 項目名称が入力されていません");
        row("unknown attribute", {l20, "\"X\"", "\"Q\""}, "local line 20: 属性: \"Q\": 該当データがありませんでした");
        row("digits", {l20, "\"X\", \"長さ\": 20", "\"9\", \"長さ\": 31"}, "local line 20: 長さ: 31: 桁数が長さを超えています");
        row("decimals of text", {l20, "\"小数部長さ\": 0", "\"小数部長さ\": 2"}, "local line 20: 小数部長さ: 2: the screen makes it \"0\"");
        row("length range", {l20, "20, \"小数部長さ\"", "4001, \"小数部長さ\""}, "local line 20: 長さ: 4001: out of range");
        row("level range", {l20, "\"レベル番号\": 0", "\"レベル番号\": 21"}, "local line 20: レベル番号: 21: out of range");
        row("serial", {l20, "20,", "21,"}, "local line 20: 項目通番: 21: the screen numbers this line 20");
        row("type", {l20, "\"L\"", "\"Z\""}, "line 47: フォーマット種別: \"Z\": neither \"E\" nor \"L\"");
        row("one-sided link", {e1, "\"対応項目通番\": 0", "\"対応項目通番\": 20"}, "standard line 1: 対応項目通番: 20: local line 20 links to 0");
        row("category", {"\"key\"", "\"0201\"", "\"0999\""}, "key: 情報区分コード: \"0999\": 情報区分が登録されていません");
        row("short BPID", {"\"key\"", "SHIPNT01", "SHIPNT1"}, "key: BPID: \"SHIPNT1\": ＢＰＩＤが不正です");
        row("lower case", {"\"key\"", "SHIPNT01", "shipnt01"}, "key: BPID: \"s\" is typed as \"S\"");
        row("defaulted setting", {"\"header\"", "\"11\"", "\"\""}, "header: 様式識別: \"\": the screen stores \"11\"");
        row("unknown setting", {"\"header\"", "\"M\"", "\"Z\""}, "header: 格納モード: \"Z\": 該当データがありませんでした");
        row("control character", {"\"header\"", "CII111", "CII\\t1"}, "header: シンタックスIDバージョン: \"CII\t1\" cannot be typed into its field");
        row("no header", {"\"header\"", "{\"様式識別\": \"11\", \"シンタックスIDバージョン\": \"CII111\", \"格納モード\": \"M\", "
                          "\"1バイト文字集合\": \"S\", \"2バイト文字集合\": \"S\", \"ローカル形式\": \"F\", \"XML文字コード\": \"U\"}", "null"},
            "header: missing: the screen stores a header with every format");
        row("truncated", {"\"key\"", "}", ""}, "document: invalid JSON");
    }
    void refusals()
    {
        QFETCH(QByteArrayList, edits);
        QFETCH(QString, message);
        const QString file = Write("edited.json", Changed(edits));
        QByteArray err;
        QCOMPARE(Tool({"import", "--replace", file}, nullptr, &err), 1);
        QVERIFY2(QString::fromUtf8(err).contains(file + ": " + message), err.constData());
        QCOMPARE(Exported("0201", "SHIPNT01"), demo_["0201_SHIPNT01.json"]);
    }

    // All files in one transaction: stored keys, a refused file and a dry run write nothing; the exports of
    // imports are the imported files; an import under --replace makes an open desk's next write fail.
    void runs()
    {
        const QStringList all{dir_.filePath("0101_ORDERS01.json"), dir_.filePath("0201_SHIPNT01.json"),
                              dir_.filePath("0401_INVOIC01.json")};
        QByteArray out, err;
        QCOMPARE(Tool(QStringList{"import"} + all, &out, &err), 1);
        QVERIFY2(err.contains("0101_ORDERS01.json: key: 0101 ORDERS01 is stored already (--replace replaces it)"), err);
        for (const char* table : {"FL1902フォーマット情報マスタ", "FL1903レコードフォーマット情報マスタ"})
            Execute(db_, QStringLiteral("DELETE FROM %1").arg(QString::fromUtf8(table)));
        QCOMPARE(Tool(QStringList{"import"} + all, &out), 0);
        QCOMPARE(out.count('\n'), 4);
        for (const QString& name : demo_.keys())
            QCOMPARE(Exported(name.left(4), name.mid(5, 8)), demo_[name]);

        const FormatKey key{"0201", "SHIPNT01"};
        const Baseline desk = store_.ReadBaseline(key);
        const QString good = Write("good.json", Changed({"\"header\"", "\"F\"", "\"T\""}));
        const QString bad = Write("bad.json", QByteArray(demo_["0101_ORDERS01.json"]).replace("\"項目№\": 1,", "\"項目№\": 999,"));
        QCOMPARE(Tool({"import", "--replace", good, bad}), 1);
        QCOMPARE(Tool({"import", "--replace", "--dry-run", good}, &out), 0);
        QCOMPARE(out, QByteArray(good.toUtf8() + ": 0201 SHIPNT01, 47 lines\ndry run: 1 file checked, nothing written\n"));
        QCOMPARE(Tool({"import", "--replace", good, Write("again.json", Changed({}))}, nullptr, &err), 1);
        QVERIFY2(err.contains("again.json: key: 0201 SHIPNT01 is in " + good.toUtf8() + " too"), err);
        QCOMPARE(Exported("0201", "SHIPNT01"), demo_["0201_SHIPNT01.json"]);
        QCOMPARE(Tool({"import", "--replace", good}), 0);
        QCOMPARE(Exported("0201", "SHIPNT01"), Changed({"\"header\"", "\"F\"", "\"T\""}));
        QVERIFY_THROWS_EXCEPTION(LostUpdate, store_.WriteHeader(key, {"11", "CII111", "M", "S", "S", "F", "U"}, desk));
        QCOMPARE(Tool({"import", "--replace", dir_.filePath("missing.json")}, nullptr, &err), 1);
        QCOMPARE(Tool({"import", dir_.path()}, nullptr, &err), 1);
        QVERIFY2(err.startsWith(("k450120-format: " + dir_.path() + ": ").toUtf8()), err);
        QCOMPARE(Tool({"import", Write("array.json", "[1]")}, nullptr, &err), 1);
        QVERIFY2(err.contains("array.json: document: an object is required"), err);
    }

    // What a desk can store but is doubtful is imported as written with a warning, and check reports the same.
    void doubtful()
    {
        const QByteArray text = Changed({"\"L\", \"項目通番\": 18,", "\"レベル番号\": 1", "\"レベル番号\": 0",  // group 17 empty
                                         "\"E\", \"項目通番\": 4,", "\"レベル番号\": 0", "\"レベル番号\": 1",  // no header
                                         "\"L\", \"項目通番\": 19,", "\"長さ\": 8", "\"長さ\": 9"});     // a copy's length
        QByteArray out, err;
        QCOMPARE(Tool({"import", "--replace", Write("doubtful.json", text)}, nullptr, &err), 0);
        QCOMPARE(Exported("0201", "SHIPNT01"), text);
        const QString found = "standard line 3: 長さ: 8, linked local line 19 has 9\n"
                              "standard line 4: レベル番号: 1: a member without its group header\n"
                              "local line 17: 属性: a group header without members\n"
                              "local line 19: 長さ: 9, the dictionary's item 3 has 8\n"
                              "local line 17: 長さ: 40, the screen computes 0\n"
                              "local line 19: 項目位置: 2445, the screen computes 2365\n"
                              "local line 20: 項目位置: 2453, the screen computes 2374\n";
        QCOMPARE(QString::fromUtf8(err), QString(found).replace(QRegularExpression("^", QRegularExpression::MultilineOption),
                                                                 dir_.filePath("doubtful.json") + ": warning: "));
        Execute(db_, "DELETE FROM FL1901項目情報マスタ WHERE 項目No=4");
        QCOMPARE(Tool({"check", "--all"}, &out), 1);
        QCOMPARE(QString::fromUtf8(out),
                 QString(found).replace("header\n", "header\nstandard line 4: 項目№: 4: 項目情報ﾏｽﾀが登録されていません\n")
                     .replace(QRegularExpression("^(?=.)", QRegularExpression::MultilineOption), "0201 SHIPNT01: "));
        QCOMPARE(Tool({"check", "0401", "INVOIC01"}, &out), 0);
        QCOMPARE(Tool({"check", "0401", "INVOIC02"}), 1);
        QCOMPARE(Tool({"check", "0401"}), 2);
    }

    // Formats that the screen's own write stored (a linked copy of random dictionary items, groups between them):
    // export, import into the emptied database, export again: the same bytes.
    void randomRoundTrip()
    {
        const QStringList items = QueryRows(db_, "SELECT 項目No, 属性, 長さ, 小数部長さ FROM FL1901項目情報マスタ");
        QRandomGenerator random(7);
        for (int f = 0; f < 3; ++f) {
            FormatLines lines;
            const int n = 1 + random.bounded(40);
            lines.StandardItems.Resize(n);
            for (int i = 1, groups = 0; i <= n; ++i) {
                FormatItem& line = lines.StandardItems[i];
                line.FormatType = "E";
                line.ConversionError = "E";
                line.Level = i > 1 && (lines.StandardItems[i - 1].IsGroupHeader() || lines.StandardItems[i - 1].Level);
                if (random.bounded(8) == 0 && i < n && !(i > 1 && lines.StandardItems[i - 1].IsGroupHeader())) {
                    std::tie(line.Attribute, line.MultiDetailNo, line.RepeatCount, line.Level) =
                        std::tuple(QString("M"), QString::number(++groups), 1 + random.bounded(31), 0);
                } else {  // as the item number check fills the pane from the dictionary
                    const QStringList item = items[random.bounded(items.size())].split('|');
                    std::tie(line.ItemNo, line.Attribute, line.Length, line.DecimalLength) =
                        std::tuple(item[0].toInt(), item[1], item[2].toInt(), item[3].toInt());
                }
            }
            CopyLinked(lines.StandardItems, lines.LocalItems, n);
            RebuildPass(lines.StandardItems, lines.LocalItems, false, {});
            RebuildSettled(lines.LocalItems, lines.StandardItems, {});
            const FormatKey key{"0201", QStringLiteral("RANDOM%1").arg(f, 2, 10, QLatin1Char('0'))};
            store_.WriteHeader(key, {"11", "CII111", "M", "S", "S", "T", "S"}, store_.ReadBaseline(key));
            store_.WriteLines(key, lines, n, n, store_.ReadBaseline(key));
            const QByteArray first = Exported(key.Code, key.Bpid);
            Execute(db_, "DELETE FROM FL1903レコードフォーマット情報マスタ WHERE BPID=?", {key.Bpid});
            QByteArray out, err;
            const int status = Tool({"import", "--replace", Write("random.json", first)}, &out, &err);
            QVERIFY2(status == 0 && err.isEmpty(), err);
            QCOMPARE(Exported(key.Code, key.Bpid), first);
        }
    }
};

QTEST_GUILESS_MAIN(TestStoreImport)
#include "test_store_import.moc"
