// The site's lookups on the real drivers: category names, the item
// dictionary, the category file and the rows of the code search.

#include "core/shift_jis.h"
#include "store/lookups.h"
#include "support/form_harness.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestStoreLookups : public QObject {
    Q_OBJECT

private:
    TempSite site_;
    Connection db_, closed_;
    QString folder_;
    SiteLookups lookups_{db_, folder_};
    SiteLookups broken_{closed_, folder_};

private slots:
    void initTestCase()
    {
        const QString error = OpenSiteDatabase(site_, db_);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        folder_ = site_.ProgramFolder();
        for (const char* key : {"'0101','AAA01'", "'0050','ZZZ01'", "'0101','ZZZ02'"})
            Execute(db_, QStringLiteral("INSERT INTO FL1902フォーマット情報マスタ (情報区分コード,BPID) VALUES (%1)").arg(QLatin1String(key)));
    }

    void categoryName_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("excluded");
        QTest::addColumn<QString>("name");
        QTest::newRow("known code") << "処理区分" << "2" << "" << "修正";
        QTest::newRow("empty code") << "属性" << "" << "" << "";
        QTest::newRow("code of another kind") << "属性" << "E" << "" << "";
        QTest::newRow("trailing blank kept") << "処理区分" << "1 " << "" << "";
        QTest::newRow("excluded code refused") << "変換エラー対処" << "S" << "S" << "";
        QTest::newRow("other code with exclusion") << "変換エラー対処" << "W" << "S" << "警告";
        QTest::newRow("apostrophe in code") << "属性" << "X' OR 'a'='a" << "" << "";
    }

    void categoryName()
    {
        QFETCH(QString, kind);
        QFETCH(QString, code);
        QFETCH(QString, excluded);
        QFETCH(QString, name);
        QCOMPARE(lookups_.CategoryName(kind, code, excluded), name);
        QCOMPARE(broken_.CategoryName(kind, code, excluded), QString());
    }

    void lookupItem()
    {
        Execute(db_, QStringLiteral("INSERT INTO FL1901項目情報マスタ VALUES (990010,NULL,NULL,NULL,NULL)"));
        const std::pair<int, const char*> rows[] = {
            {1, "情報区分コード|X|4|0"}, {306, "発注数量|9|10|3"}, {990010, "|||"}, {999999, "no"}, {-1, "no"}};
        for (const auto& [itemNo, expected] : rows) {
            DictionaryItem item{QStringLiteral("前"), QStringLiteral("前"), QStringLiteral("前"), QStringLiteral("前")};
            const bool found = lookups_.LookupItem(itemNo, item);
            const QStringList texts{item.name, item.attribute, item.length, item.decimals};
            QCOMPARE(found ? texts.join(QLatin1Char('|')) : QStringLiteral("no"), QString::fromUtf8(expected));
            QVERIFY(broken_.LookupItem(itemNo, item) == false);
        }
    }

    void readCategories_data()
    {
        QTest::addColumn<QString>("path");        // JOHOKUBUN; the file written there unless <none>
        QTest::addColumn<QByteArray>("content");  // CP932
        QTest::addColumn<QString>("read");        // codes;names, or the reason it was not read
        const QByteArray mib(1024 * 1024, 'A');
        QTest::newRow("lines, CRLF or LF") << "data/J.TXT" << ToAnsi(QStringLiteral("0101発注\r\n99  試験 \n")) << "0101,99  ;発注,試験 ";
        QTest::newRow("one line without its end") << "data/J.TXT" << QByteArray("0101") << "0101;";
        QTest::newRow("empty") << "data/J.TXT" << QByteArray() << ";";
        QTest::newRow("only a line end") << "data/J.TXT" << QByteArray("\n") << ";";
        QTest::newRow("an empty line inside") << "data/J.TXT" << QByteArray("AB\n\nCD\n") << "AB,,CD;,,";
        QTest::newRow("name cut at 20 characters") << "data/J.TXT" << ToAnsi(QStringLiteral("0101") + QString(25, QChar(0x3042)))
                                                   << "0101;" + QString(20, QChar(0x3042));
        QTest::newRow("absolute path") << (site_.Root() + "/data/K.TXT") << QByteArray("0102X") << "0102;X";
        QTest::newRow("1 MiB") << "data/J.TXT" << mib << "AAAA;" + QString(20, QLatin1Char('A'));
        QTest::newRow("beyond 1 MiB") << "data/J.TXT" << mib + 'A' << "larger than 1048576 bytes";
        QTest::newRow("a folder") << "data" << QByteArray("<none>") << "not a regular file";
        QTest::newRow("missing") << "data/NONE.TXT" << QByteArray("<none>") << "does not exist";
        QTest::newRow("no key") << "" << QByteArray("<none>") << "no information-category file configured";
    }

    void readCategories()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, content);
        QFETCH(QString, read);
        site_.SetIniValue(QStringLiteral("PATH"), QStringLiteral("JOHOKUBUN"), path);
        if (content != "<none>") {
            QFile file(QDir(site_.Root()).filePath(path));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(content);
        }
        InformationCategories list;
        list.Codes = QStringList{QStringLiteral("前")};
        const bool ok = lookups_.ReadCategories(list);
        QCOMPARE(ok ? list.Codes.join(QLatin1Char(',')) + QLatin1Char(';') + list.Names.join(QLatin1Char(','))
                    : list.Unread.section(QStringLiteral(": "), -1),
                 read);
        QCOMPARE(ok, list.Unread.isEmpty());
        QCOMPARE(list.Codes.size(), ok ? list.Names.size() : 0);
    }

    void categoriesOfTheSite()
    {
        site_.SetIniValue(QStringLiteral("PATH"), QStringLiteral("JOHOKUBUN"), QStringLiteral("data/JOHOKUBUN.TXT"));
        InformationCategories list;
        QVERIFY(lookups_.ReadCategories(list));
        QCOMPARE(list.Codes.size(), 16);
        QCOMPARE(QStringList({list.Codes.front(), list.Names.front(), list.Codes.back(), list.Names.back()}),
                 (QStringList{"0101", "発注", "99  ", "テスト用区分"}));
        // A program folder without two levels above it has no EDI.ini.
        const QString shallow = QStringLiteral("/BIN");
        QVERIFY(!SiteLookups(db_, shallow).ReadCategories(list));
        QCOMPARE(list.Unread, QStringLiteral("no information-category file configured"));
    }

    void searchRows_data()
    {
        QTest::addColumn<bool>("items");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("rows");  // for items: the first rows, by number
        QTest::newRow("keys, all, in order") << false << ""
            << QStringList{"0050|ZZZ01", "0101|AAA01", "0101|ORDERS01", "0101|ZZZ02", "0201|SHIPNT01", "0401|INVOIC01"};
        QTest::newRow("keys of one code") << false << "0101" << QStringList{"0101|AAA01", "0101|ORDERS01", "0101|ZZZ02"};
        QTest::newRow("keys of no code") << false << "9999" << QStringList();
        QTest::newRow("a quote in the filter") << false << "0101' OR '1'='1" << QStringList();
        QTest::newRow("items") << true << "" << QStringList{"1|情報区分コード", "2|データ処理No", "3|データ作成日"};
        QTest::newRow("items ignore the filter") << true << "0101" << QStringList{"1|情報区分コード", "2|データ処理No", "3|データ作成日"};
    }

    void searchRows()
    {
        QFETCH(bool, items);
        QFETCH(QString, filter);
        QFETCH(QStringList, rows);
        const CodeSearchKind kind = items ? CodeSearchKind::ItemNumber : CodeSearchKind::FormatKey;
        QStringList found;
        for (const QStringList& row : lookups_.SearchRows(kind, filter))
            found << row.join(QLatin1Char('|'));
        QVERIFY(broken_.SearchRows(kind, filter).isEmpty());
        if (!items) {
            QCOMPARE(found, rows);
            return;
        }
        // Every dictionary item, its number as typed ("12", never "12.0").
        QCOMPARE(QString::number(found.size()), QueryRows(db_, QStringLiteral("SELECT COUNT(*) FROM FL1901項目情報マスタ")).value(0));
        std::sort(found.begin(), found.end(), [](const QString& a, const QString& b) {
            return a.section(QLatin1Char('|'), 0, 0).toInt() < b.section(QLatin1Char('|'), 0, 0).toInt();
        });
        QCOMPARE(found.mid(0, 3), rows);
        QVERIFY(found.filter(QRegularExpression(QStringLiteral("^[1-9][0-9]*\\|"))).size() == found.size());
    }

    void cellText()
    {
        const std::pair<QVariant, const char*> rows[] = {
            {12.0, "12"}, {-3.0, "-3"}, {12.5, "12.5"}, {0.1 + 0.2, "0.3"}, {2.0f, "2"}, {999999999999999.0, "999999999999999"},
            {1e15, "1e+15"}, {-1e15, "-1e+15"}, {12, "12"}, {QStringLiteral("12.0"), "12.0"},
            {QVariant(QMetaType(QMetaType::Double)), ""}};
        for (const auto& [value, text] : rows)
            QCOMPARE(CellText(value), QString::fromUtf8(text));
    }
};

QTEST_GUILESS_MAIN(TestStoreLookups)
#include "test_store_lookups.moc"
