// Loading the stored lines of a format into the two tables on the real
// drivers: layouts and types, the dictionary, refused values, the fingerprint.

#include "core/text.h"
#include "store/format_store.h"
#include "store/line_load.h"
#include "store/lookups.h"
#include "support/form_harness.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QTest>

namespace {

constexpr int kFirstItem = 995000;  // the random dictionary's numbers
const QByteArray kNoRows = QCryptographicHash::hash({}, QCryptographicHash::Sha1);

QStringList Rows(const ItemTable& table)
{
    QStringList rows;
    for (int i = 1; i <= table.Count(); ++i) {
        const FormatItem& t = table[i];
        QStringList f{t.FormatType, t.ItemName, t.Attribute, t.MultiDetailNo, t.FixedValue, t.ConversionError};
        for (const qint32 n : {t.SerialNo, t.LinkedSerialNo, t.Level, t.ItemNo, t.ItemPosition, t.Length, t.DecimalLength, t.RepeatCount})
            f << QString::number(n);
        rows << f.join(QLatin1Char('|'));
    }
    return rows;
}

}  // namespace

class TestStoreLoad : public QObject {
    Q_OBJECT

private:
    TempSite site_;
    Connection db_;
    SqlFormatStore store_{db_};
    int keys_ = 0;

    FormatKey NewKey() { return {QStringLiteral("T"), QStringLiteral("TESTLD%1").arg(++keys_)}; }
    // One line; the columns after 項目通番 in table order, missing ones null.
    void Insert(const FormatKey& key, const QVariant& type, int serial, QVariantList rest = {})
    {
        rest.resize(12);
        Execute(db_, QStringLiteral("INSERT INTO FL1903レコードフォーマット情報マスタ VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                QVariantList{key.Code, key.Bpid, type, serial} + rest);
    }
    void AddItem(int itemNo, const QVariant& name, const QVariant& length, const QVariant& decimals)
    {
        Execute(db_, QStringLiteral("INSERT INTO FL1901項目情報マスタ VALUES (?,?,'9',?,?)"), {itemNo, name, length, decimals});
    }

private slots:
    void initTestCase()
    {
        const QString error = OpenSiteDatabase(site_, db_);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        AddItem(990001, QStringLiteral("試験数量"), 12, 3);
        AddItem(990002, QStringLiteral("過大"), 5000, 0);
        // A random dictionary with gaps, null names and null lengths.
        QRandomGenerator random(7);
        auto maybe = [&random](int odds, const QVariant& v) { return random.bounded(odds) == 0 ? QVariant() : v; };
        for (int i = 0; i < 150; ++i)
            if (random.bounded(5) != 0)
                AddItem(kFirstItem + i, maybe(10, QStringLiteral("辞書%1").arg(i)), maybe(10, 1 + random.bounded(40)),
                        maybe(3, random.bounded(4)));
    }

    void keyWithoutLinesLeavesTheTables()
    {
        for (const char* code : {"9999", "0201' OR '1'='1"}) {
            FormatLines lines;
            lines.StandardItems.Resize(2);
            lines.StandardItems[2].ItemName = QStringLiteral("残す");
            lines.LoadedTypes = {QStringLiteral("E")};
            QVERIFY(!store_.LoadLines({QLatin1String(code), QStringLiteral("SHIPNT01")}, lines));
            QCOMPARE(Rows(lines.StandardItems).join(QLatin1Char(',')), QStringLiteral("||||||0|0|0|0|0|0|0|0,|残す|||||0|0|0|0|0|0|0|0"));
            QCOMPARE(lines.LocalItems.Count() + lines.LoadedTypes.size(), 0);
            QCOMPARE(lines.StoredLines, kNoRows);
        }
    }

    // Rows belong to a layout by their type trimmed; within it they are
    // numbered in stored order, gaps closed. Standard items take name and
    // lengths from the dictionary, a group header its own name.
    void layoutsTypesAndDictionary()
    {
        const FormatKey key = NewKey();
        // The server cuts the trailing blank of a type to the column's one character.
        const bool cut = db_.Engine() == SqlEngine::PostgreSQL;
        const QString e = cut ? QStringLiteral("E") : QStringLiteral("E "), l = cut ? QStringLiteral("L") : QStringLiteral("L ");
        for (const char* other : {"e", "X", ""})
            Insert(key, QLatin1String(other), 1, {0, 1000000000});  // refused, were it loaded
        Insert(key, "E", 5, {0, 0, 990001, 77, "自前", "9", 99, 4});
        Insert(key, "E", 1, {0, 0, 990001, QVariant(), "見出し", "M", 30, 2, "1", 5});
        Insert(key, "E", 2, {0, 1, 999999, 5, "自前", "X", 8, 1, QVariant(), 0, "固定", "W"});
        Insert(key, "E ", 6);
        Insert(key, "L", 7);
        Insert(key, "L", 3, {2, 0, 990001, 20, "ローカル", "9", 6, 1, "2"});
        Insert(key, "L ", 9, {1});
        FormatLines lines;
        QVERIFY(store_.LoadLines(key, lines));
        QCOMPARE(Rows(lines.StandardItems),
                 (QStringList{"E|見出し|M|1|||1|0|0|990001|0|0|0|5", "E||X||固定|W|2|0|1|999999|5|0|0|0",
                              "E|試験数量|9||||5|0|0|990001|77|12|3|0", e + "||||||6|0|0|0|0|0|0|0"}));
        QCOMPARE(Rows(lines.LocalItems), (QStringList{"L|ローカル|9|2|||3|2|0|990001|20|6|1|0", "L||||||7|0|0|0|0|0|0|0",
                                                      l + "||||||9|1|0|0|0|0|0|0"}));
        QCOMPARE(lines.LoadedTypes, cut ? (QVariantList{"E", "L"}) : (QVariantList{"E", "E ", "L", "L "}));
    }

    // Rows whose type is null and read first load no line. The column takes
    // nulls only in a copy without constraints, dropped with the transaction.
    void nullTypes()
    {
        const FormatKey key = NewKey();
        db_.BeginTrans();
        Execute(db_, QStringLiteral("ALTER TABLE FL1903レコードフォーマット情報マスタ RENAME TO FL1903_full"));
        Execute(db_, QStringLiteral("CREATE TABLE FL1903レコードフォーマット情報マスタ AS SELECT * FROM FL1903_full WHERE 1=0"));
        for (int serial : {1, 2})
            Insert(key, QVariant(QMetaType(QMetaType::QString)), serial, {0, 0, 990001});
        FormatLines lines;
        lines.LoadedTypes = {QStringLiteral("E")};
        const bool loaded = store_.LoadLines(key, lines);
        const QByteArray stored = StoredLinesFingerprint(db_, key.Code, key.Bpid);
        db_.RollbackTrans();
        QVERIFY(loaded);
        QCOMPARE(lines.StandardItems.Count() + lines.LocalItems.Count() + lines.LoadedTypes.size(), 0);
        QCOMPARE(lines.StoredLines, stored);
        QVERIFY(stored != kNoRows);
    }

    // Lines "E" 1, "L" 1 and "L" 2 (a group header), then members; one value planted.
    void refusedValues()
    {
        const QString a = QStringLiteral("あ");  // two bytes
        const struct { bool standard; int column; QVariant value; int members; const char* refusal; } rows[] = {
            {false, 1, 1000000000, 0, "ローカル 2行目 レベル番号 1000000000"}, {true, 1, -1, 0, "標準 1行目 レベル番号 -1"},
            {true, 1, 2, 0, "標準 1行目 レベル番号 2"},  // beyond its own layout's one line
            {false, 0, 2, 0, "ローカル 2行目 対応項目通番 2"}, {true, 0, -1, 0, "標準 1行目 対応項目通番 -1"},
            {false, 2, 1000000, 0, "ローカル 2行目 項目№ 1000000"}, {false, 6, 4001, 0, "ローカル 2行目 長さ 4001"},
            {false, 7, -1, 0, "ローカル 2行目 小数部長さ -1"}, {true, 2, 990002, 0, "標準 1行目 長さ 5000"},  // from the dictionary
            {false, 9, 10000, 0, "ローカル 2行目 繰返し数 10000"}, {false, 4, a.repeated(31), 0, "ローカル 2行目 項目名称 62バイト"},
            {true, 5, a, 0, "標準 1行目 属性 2バイト"}, {false, 8, a.repeated(6), 0, "ローカル 2行目 マルチ明細番号 12バイト"},
            {true, 10, a.repeated(51), 0, "標準 1行目 固定項目値 102バイト"}, {false, 11, a.repeated(6), 0, "ローカル 2行目 変換エラー対処 12バイト"},
            {false, 9, 9999, 60, "ローカル 63行目 項目位置 2399760005"}};  // 60 × 4000 × 9999 after position 5
        for (const auto& r : rows) {
            const FormatKey key = NewKey();
            QVariantList first{0, 0, 0, 0, QVariant(), "X"}, header{0, 0, 0, 0, "群", "M", 0, 0, "1", 1};
            first.resize(12);
            header.resize(12);
            (r.standard ? first : header)[r.column] = r.value;
            Insert(key, "E", 1, first);
            Insert(key, "L", 1, {0, 0, 0, 0, "前", "X", 4});
            Insert(key, "L", 2, header);
            for (int i = 0; i <= r.members; ++i)
                Insert(key, "L", 3 + i, {0, i < r.members ? 1 : 0, 0, 0, "員", "X", 4000});
            FormatLines lines;
            try {
                store_.LoadLines(key, lines);
                QFAIL(r.refusal);
            } catch (const BadStoredValue& bad) {
                QCOMPARE(bad.where, QString::fromUtf8(r.refusal));
            }
        }
    }

    // On random lines with gaps and nulls, the one joined statement gives what
    // looking each standard item up on its own gives.
    void joinedLoadEqualsLineByLineLookups()
    {
        SiteLookups lookups(db_, site_.ProgramFolder());
        auto text = [](const QVariant& v) { return v.isNull() ? QString() : v.toString(); };
        for (quint32 seed : {1u, 2u, 3u}) {
            QRandomGenerator random(seed);
            auto maybe = [&random](const QVariant& v) { return random.bounded(8) == 0 ? QVariant() : v; };
            const FormatKey key = NewKey();
            QStringList expected[2];
            db_.BeginTrans();
            for (const char type : {'E', 'L', 'F'}) {
                ItemTable table;
                for (int i = 0, serial = 0, count = 20 + random.bounded(120); i < count; ++i) {
                    serial += 1 + (random.bounded(6) == 0 ? random.bounded(4) : 0);
                    const bool header = random.bounded(10) == 0;
                    const QVariantList v{maybe(random.bounded(20)), maybe(random.bounded(4)),
                                         maybe(kFirstItem + random.bounded(170)), maybe(random.bounded(500)),
                                         maybe(QStringLiteral("自前%1").arg(i)), header ? QVariant("M") : maybe("X"),
                                         maybe(random.bounded(99)), maybe(random.bounded(3)), maybe(QString::number(random.bounded(9))),
                                         maybe(random.bounded(5)), maybe("固定"), maybe("E")};
                    Insert(key, QString(QLatin1Char(type)), serial, v);
                    FormatItem t{QString(QLatin1Char(type)), serial, v[0].toInt(), v[2].toInt(), v[3].toInt(), text(v[4]), text(v[5]),
                                 v[6].toInt(), v[7].toInt(), text(v[8]), v[9].toInt(), text(v[10]), text(v[11]), v[1].toInt()};
                    DictionaryItem entry;  // empty when the item is unknown
                    if (type == 'E' && !header)
                        lookups.LookupItem(t.ItemNo, entry);
                    if (type == 'E') {
                        t.ItemName = header ? t.ItemName : entry.name;
                        t.Length = header ? 0 : LeadingInteger(entry.length);
                        t.DecimalLength = header ? 0 : LeadingInteger(entry.decimals);
                    }
                    table.Insert(i + 1, t);
                }
                if (type != 'F')
                    expected[type == 'L'] = Rows(table);
            }
            db_.CommitTrans();
            FormatLines lines;
            QVERIFY(store_.LoadLines(key, lines));
            QCOMPARE(Rows(lines.StandardItems), expected[0]);
            QCOMPARE(Rows(lines.LocalItems), expected[1]);
        }
    }

    // The fingerprint of a load is the store's baseline of the lines, and
    // changes with any one stored value.
    void fingerprint()
    {
        for (const char* change : {"UPDATE %1 SET 繰返し数=1 WHERE BPID=? AND フォーマット種別='E'",
                                   "UPDATE %1 SET 変換エラー対処=NULL WHERE BPID=? AND フォーマット種別='E'",  // empty to null
                                   "UPDATE %1 SET 固定項目値='a', 変換エラー対処='b' WHERE BPID=? AND フォーマット種別='E'",
                                   "INSERT INTO %1 (情報区分コード,BPID,フォーマット種別,項目通番) VALUES ('T',?,'X',1)",
                                   "DELETE FROM %1 WHERE BPID=? AND フォーマット種別='L'"}) {
            const FormatKey key = NewKey();
            Insert(key, "E", 1, {0, 0, 990001, 0, QVariant(), "X", 0, 0, "0", 0, "ab", ""});
            Insert(key, "L", 1, {0, 0, 0, 1, "名"});
            FormatLines before, after;
            QVERIFY(store_.LoadLines(key, before));
            QCOMPARE(before.StoredLines, store_.ReadBaseline(key).lines);
            Execute(db_, QString::fromUtf8(change).arg(QStringLiteral("FL1903レコードフォーマット情報マスタ")), {key.Bpid});
            QVERIFY(store_.LoadLines(key, after));
            QCOMPARE(after.StoredLines, store_.ReadBaseline(key).lines);
            QVERIFY2(after.StoredLines != before.StoredLines, change);
        }
    }
};

QTEST_GUILESS_MAIN(TestStoreLoad)
#include "test_store_load.moc"
