// The site's lookups on the real drivers, and on a broken connection, where they find nothing.

#include "core/shift_jis.h"
#include "store/lookups.h"
#include "store/profile_file.h"
#include "support/store_test.h"

#include <cstdio>

class TestStoreLookups : public StoreTest {
    Q_OBJECT

    Connection closed_;
    SiteLookups lookups_{db_, site_.ProgramFolder()}, broken_{closed_, site_.ProgramFolder()};

    QStringList Search(SiteLookups& lookups, const char* filter, CodeSearchKind kind = CodeSearchKind::FormatKey)
    {
        QStringList found;
        for (const QStringList& row : lookups.SearchRows(kind, QLatin1String(filter)))
            found << row.join('|');
        return found;
    }

private slots:
    void initTestCase()
    {
        StoreTest::initTestCase();
        Execute(db_, QStringLiteral("INSERT INTO FL1902フォーマット情報マスタ (情報区分コード,BPID) "
                                    "VALUES ('0101','AAA01'), ('0050','ZZZ01'), ('0101','ZZZ02')"));
        Execute(db_, QStringLiteral("INSERT INTO FL1901項目情報マスタ VALUES (990010,NULL,NULL,NULL,NULL)"));
    }

    void namesItemsAndSearches()
    {
        const QList<QStringList> names{{"処理区分", "2", "", "修正"}, {"属性", "", "", ""}, {"属性", "E", "", ""},
                                       {"処理区分", "1 ", "", ""}, {"変換エラー対処", "S", "S", ""},
                                       {"変換エラー対処", "W", "S", "警告"}, {"属性", "X' OR 'a'='a", "", ""}};
        for (const QStringList& r : names)
            QCOMPARE(lookups_.CategoryName(r[0], r[1], r[2]) + broken_.CategoryName(r[0], r[1], r[2]), r[3]);
        // A failed lookup finds nothing but tells why on standard error (a file from here on); so does a nameless code.
        Execute(db_, QStringLiteral("INSERT INTO 区分マスタ (区分,区分コード) VALUES ('属性','Z')"));
        QFile reports(site_.Root() + QStringLiteral("/stderr.txt"));
        QVERIFY(std::freopen(qPrintable(reports.fileName()), "w", stderr) && reports.open(QIODevice::ReadOnly));
        broken_.CategoryName(QStringLiteral("属性"), QStringLiteral("Z"));
        QVERIFY(reports.readAll().startsWith("k450120: SELECT 区分名称 FROM"));
        lookups_.CategoryName(QStringLiteral("属性"), QStringLiteral("Z"));
        QCOMPARE(reports.readAll(), "k450120: 属性 Z: 区分名称 without value\n");
        const std::pair<int, const char*> items[] = {{1, "情報区分コード|X|4|0"}, {306, "発注数量|9|10|3"}, {990010, "|||"}, {-1, ""}};
        for (const auto& [itemNo, expected] : items) {
            DictionaryItem item;
            QVERIFY(lookups_.LookupItem(itemNo, item) == (*expected != 0) && !broken_.LookupItem(itemNo, item));
            QCOMPARE(*expected ? (QStringList{item.name, item.attribute, item.length, item.decimals}.join('|')) : "", expected);
        }
        const std::pair<const char*, QStringList> keys[] = {
            {"", {"0050|ZZZ01", "0101|AAA01", "0101|ORDERS01", "0101|ZZZ02", "0201|SHIPNT01", "0401|INVOIC01"}},
            {"0101", {"0101|AAA01", "0101|ORDERS01", "0101|ZZZ02"}}, {"9999", {}}, {"0101' OR '1'='1", {}}};
        for (const auto& [filter, expected] : keys)
            QCOMPARE(Search(lookups_, filter) + Search(broken_, filter), expected);
        // Every dictionary item whatever the filter, its number as typed ("12", never "12.0").
        const CodeSearchKind byNumber = CodeSearchKind::ItemNumber;
        const QStringList all = Search(lookups_, "0101", byNumber);
        QCOMPARE(all + Search(broken_, "", byNumber), Search(lookups_, "", byNumber));
        QCOMPARE(QString::number(all.filter(QRegularExpression(QStringLiteral("^[1-9][0-9]*\\|"))).size()),
                 QueryRows(db_, QStringLiteral("SELECT COUNT(*) FROM FL1901項目情報マスタ")).value(0));
        const std::pair<QVariant, const char*> cells[] = {
            {12.0, "12"}, {-3.0, "-3"}, {12.5, "12.5"}, {0.1 + 0.2, "0.3"}, {2.0f, "2"}, {999999999999999.0, "999999999999999"},
            {1e15, "1e+15"}, {-1e15, "-1e+15"}, {"12.0", "12.0"}, {QVariant(QMetaType(QMetaType::Double)), ""}};
        for (const auto& [value, text] : cells)
            QCOMPARE(CellText(value), QString::fromUtf8(text));
    }

    // The file that EDI.ini names, read afresh: codes and names untrimmed, or why not.
    void readCategories()
    {
        const QByteArray mib(1024 * 1024, 'A');
        const struct { QString path; QByteArray content; QString read; } rows[] = {
            {"data/J.TXT", ToAnsi(QStringLiteral("0101発注\r\n99  試験 \n")), "0101,99  ;発注,試験 "}, {"data/J.TXT", "0101", "0101;"},
            {"data/J.TXT", "", ";"}, {"data/J.TXT", "\n", ";"}, {"data/J.TXT", "AB\n\nCD\n", "AB,,CD;,,"},
            {"data/J.TXT", ToAnsi("0101" + QString(25, QChar(0x3042))), "0101;" + QString(20, QChar(0x3042))},
            {site_.Root() + "/data/J.TXT", mib, "AAAA;" + QString(20, 'A')}, {"data", {}, "not a regular file"},
            {"data/J.TXT", mib + 'A', "larger than 1048576 bytes"}, {"data/NONE.TXT", {}, "does not exist"},
            {"", {}, "no information-category file configured"}};
        for (const auto& r : rows) {
            site_.SetIniValue(QStringLiteral("PATH"), QStringLiteral("JOHOKUBUN"), r.path);
            QFile file(site_.Root() + QStringLiteral("/data/J.TXT"));
            if (r.path.endsWith(QLatin1String("J.TXT")))
                QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(r.content) >= 0);
            file.close();
            InformationCategories list{{QStringLiteral("前")}, {}, {}};
            const bool ok = lookups_.ReadCategories(list);
            QCOMPARE(ok ? list.Codes.join(',') + ';' + list.Names.join(',') : list.Unread.section(": ", -1), r.read);
            QVERIFY(ok == list.Unread.isEmpty() && list.Codes.size() == list.Names.size());
        }
        QCOMPARE(ReadSiteFile(site_.Root() + QStringLiteral("/data/J.TXT"), 1024 * 1024 + 1).content, mib + 'A');
    }
};

QTEST_GUILESS_MAIN(TestStoreLookups)
#include "test_store_lookups.moc"
