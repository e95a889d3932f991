// Loading stored lines into the two tables on the real drivers: types, dictionary, refused values, fingerprint.

#include "support/store_test.h"

#include <QCryptographicHash>

namespace {

const QByteArray kNoRows = QCryptographicHash::hash({}, QCryptographicHash::Sha1);

QStringList Rows(const ItemTable& table)
{
    QStringList rows;
    for (int i = 1; i <= table.Count(); ++i) {
        const FormatItem& t = table[i];
        rows << QStringList{t.FormatType, t.ItemName, t.Attribute, t.MultiDetailNo, t.FixedValue, t.ConversionError}.join('|');
        for (const qint32 n :
             {t.SerialNo, t.LinkedSerialNo, t.Level, t.ItemNo, t.ItemPosition, t.Length, t.DecimalLength, t.RepeatCount})
            rows.last() += '|' + QString::number(n);
    }
    return rows;
}

}  // namespace

class TestStoreLoad : public StoreTest {
    Q_OBJECT

    // One line; the columns after 項目通番 in table order, missing ones null.
    void Insert(const FormatKey& key, const QVariant& type, int serial, QVariantList rest = {})
    {
        rest.resize(12);
        Execute(db_, QStringLiteral("INSERT INTO FL1903レコードフォーマット情報マスタ VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                QVariantList{key.Code, key.Bpid, type, serial} + rest);
    }

private slots:
    void initTestCase()
    {
        StoreTest::initTestCase();
        const QList<QVariantList> items{{990001, "試験数量", 12, 3}, {990002, "過大", 5000, 0}};
        for (const QVariantList& item : items)
            Execute(db_, QStringLiteral("INSERT INTO FL1901項目情報マスタ VALUES (?,?,'9',?,?)"), item);
    }

    // Layout by type trimmed, stored order with gaps closed; standard items named by the dictionary, groups by themselves.
    void layoutsTypesAndDictionary()
    {
        const FormatKey key = NewKey();
        FormatLines lines;  // a key without lines leaves the tables alone
        lines.StandardItems.Resize(1);
        lines.LoadedTypes = {QStringLiteral("E")};
        QVERIFY(!store_.LoadLines({QStringLiteral("' OR ''='"), key.Bpid}, lines) && !store_.LoadLines(key, lines));
        QCOMPARE(Rows(lines.StandardItems).size() + lines.LocalItems.Count() + lines.LoadedTypes.size(), 1);
        // The server cuts the trailing blank of a type to the column's one character.
        const bool cut = db_.Engine() == SqlEngine::PostgreSQL;
        const QString e = cut ? "E" : "E ", l = cut ? "L" : "L ";
        for (const char* other : {"e", "X", ""})
            Insert(key, QLatin1String(other), 1, {0, 1000000000});  // refused, were it loaded
        Insert(key, "E", 5, {0, 0, 990001, 77, "自前", "9", 99, 4});
        Insert(key, "E", 1, {0, 0, 990001, QVariant(), "見出し", "M", 30, 2, "1", 5});
        Insert(key, "E", 2, {0, 1, 999999, 5, "自前", "X", 8, 1, QVariant(), 0, "固定", "W"});
        Insert(key, "E ", 6);
        Insert(key, "L", 7);
        Insert(key, "L", 3, {2, 0, 990001, 20, "ローカル", "9", 6, 1, "2"});
        Insert(key, "L ", 9, {1});
        QVERIFY(store_.LoadLines(key, lines));
        QCOMPARE(Rows(lines.StandardItems), (QStringList{"E|見出し|M|1|||1|0|0|990001|0|0|0|5", "E||X||固定|W|2|0|1|999999|5|0|0|0",
                                                         "E|試験数量|9||||5|0|0|990001|77|12|3|0", e + "||||||6|0|0|0|0|0|0|0"}));
        QCOMPARE(Rows(lines.LocalItems), (QStringList{"L|ローカル|9|2|||3|2|0|990001|20|6|1|0", "L||||||7|0|0|0|0|0|0|0",
                                                      l + "||||||9|1|0|0|0|0|0|0"}));
        QCOMPARE(lines.LoadedTypes, cut ? (QVariantList{"E", "L"}) : (QVariantList{"E", "E ", "L", "L "}));
        // The fingerprint of a load is the store's baseline of the lines and changes with any one stored value.
        QByteArray previous = kNoRows;
        for (const char* change : {"", "UPDATE %1 SET 固定項目値='固定W', 変換エラー対処='' WHERE BPID=? AND 項目通番=2",
                                   "UPDATE %1 SET 変換エラー対処=NULL WHERE BPID=? AND 項目通番=2", "UPDATE %1 SET 繰返し数=1 WHERE BPID=?",
                                   "DELETE FROM %1 WHERE BPID=? AND フォーマット種別='e'",
                                   "INSERT INTO %1 (情報区分コード,BPID,フォーマット種別,項目通番) VALUES ('0201',?,'X',2)"}) {
            if (*change)
                Execute(db_, QString::fromUtf8(change).arg(QStringLiteral("FL1903レコードフォーマット情報マスタ")), {key.Bpid});
            QVERIFY(store_.LoadLines(key, lines));
            QCOMPARE(lines.StoredLines, store_.ReadBaseline(key).lines);
            QVERIFY2(lines.StoredLines != previous, change);
            previous = lines.StoredLines;
        }
    }

    // Lines "E" 1, "L" 1 and "L" 2 (a group header), then members; one value planted.
    void refusedValues()
    {
        const QString a = QStringLiteral("あ");  // two bytes
        const struct { bool standard; int column; QVariant value; int members; const char* refusal; } rows[] = {
            {false, 1, 1000000000, 0, "ローカル 2行目 レベル番号 1000000000"}, {true, 1, -1, 0, "標準 1行目 レベル番号 -1"},
            {true, 1, 2, 0, "標準 1行目 レベル番号 2"}, {false, 0, 2, 0, "ローカル 2行目 対応項目通番 2"},
            {true, 0, -1, 0, "標準 1行目 対応項目通番 -1"}, {false, 2, 1000000, 0, "ローカル 2行目 項目№ 1000000"},
            {false, 6, 4001, 0, "ローカル 2行目 長さ 4001"}, {false, 7, -1, 0, "ローカル 2行目 小数部長さ -1"},
            {true, 2, 990002, 0, "標準 1行目 長さ 5000"}, {false, 9, 10000, 0, "ローカル 2行目 繰返し数 10000"},
            {false, 4, a.repeated(31), 0, "ローカル 2行目 項目名称 62バイト"}, {true, 5, a, 0, "標準 1行目 属性 2バイト"},
            {false, 8, a.repeated(6), 0, "ローカル 2行目 マルチ明細番号 12バイト"}, {true, 10, a.repeated(51), 0, "標準 1行目 固定項目値 102バイト"},
            {false, 11, a.repeated(6), 0, "ローカル 2行目 変換エラー対処 12バイト"},
            {false, 9, 9999, 60, "ローカル 63行目 項目位置 2399760005"}};  // 60 × 4000 × 9999 after position 5
        for (const auto& r : rows) {
            const FormatKey key = NewKey();
            QVariantList first{0, 0, 0, 0, {}, "X", {}, {}, {}, {}, {}, {}}, header{0, 0, 0, 0, "群", "M", 0, 0, "1", 1, {}, {}};
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
};

QTEST_GUILESS_MAIN(TestStoreLoad)
#include "test_store_load.moc"
