// The line load reads the dictionary joined to the lines in one statement;
// on random formats it must give the same tables as reading the lines and
// looking each standard item up on its own, as the item number check does.

#include "store/lookups.h"
#include "store/line_load.h"
#include "core/text.h"
#include "support/form_harness.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

constexpr int kFirstItem = 995000;
constexpr int kDictionarySize = 150;

QString Text(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString();
}

// Reads the rows in stored order and completes each standard item by its own
// dictionary lookup.
FormatLines LiteralLoad(Connection& db, const QString& code, const QString& bpid)
{
    FormatLines lines;
    db.SetStatement(QStringLiteral("SELECT * FROM FL1903レコードフォーマット情報マスタ WHERE 情報区分コード=? "
                                   "AND BPID=? ORDER BY フォーマット種別,項目通番"),
                    {code, bpid});
    ResultSet rs;
    db.OpenReadOnlyResultset(rs);
    auto value = [&rs](const char* column) { return rs.Value(QString::fromUtf8(column)); };
    auto number = [&](const char* column) {
        const QVariant v = value(column);
        return v.isNull() ? 0 : LeadingInteger(v.toString());
    };
    QString current;
    int counter = 0;
    for (; !rs.AtEnd(); rs.MoveNext()) {
        const QString type = TrimBlanks(Text(value("フォーマット種別")));
        if (type != current) {
            counter = 0;
            current = type;
        }
        if (type != QLatin1String("E") && type != QLatin1String("L"))
            continue;
        ItemTable& table = type == QLatin1String("E") ? lines.StandardItems : lines.LocalItems;
        table.Resize(++counter);
        FormatItem& item = table[counter];
        item.FormatType = Text(value("フォーマット種別"));
        item.SerialNo = number("項目通番");
        item.LinkedSerialNo = number("対応項目通番");
        item.Level = number("レベル番号");
        item.ItemNo = number("項目№");
        item.ItemPosition = number("項目位置");
        item.Attribute = Text(value("属性"));
        item.MultiDetailNo = Text(value("マルチ明細番号"));
        item.RepeatCount = number("繰返し数");
        item.FixedValue = Text(value("固定項目値"));
        item.ConversionError = Text(value("変換エラー対処"));
        if (type == QLatin1String("L")) {
            item.ItemName = Text(value("項目名称"));
            item.Length = number("長さ");
            item.DecimalLength = number("小数部長さ");
        } else if (item.Attribute == QLatin1String("M")) {
            item.ItemName = Text(value("項目名称"));
        } else {
            DictionaryItem entry;
            SiteLookups(db, QString()).LookupItem(item.ItemNo, entry);
            item.ItemName = entry.name;
            item.Length = LeadingInteger(entry.length);
            item.DecimalLength = LeadingInteger(entry.decimals);
        }
    }
    return lines;
}

QStringList Dump(const ItemTable& table)
{
    QStringList rows;
    for (int i = 1; i <= table.Count(); ++i) {
        const FormatItem& t = table[i];
        QStringList f{t.FormatType, t.ItemName, t.Attribute, t.MultiDetailNo, t.FixedValue, t.ConversionError};
        for (const qint32 n : {t.SerialNo, t.LinkedSerialNo, t.ItemNo, t.ItemPosition, t.Length,
                               t.DecimalLength, t.RepeatCount, t.Level})
            f.append(QString::number(n));
        rows.append(f.join(QLatin1Char('|')));
    }
    return rows;
}

}  // namespace

class TestLoadEquivalence : public QObject {
    Q_OBJECT

private:
    TempSite site_;
    Connection db_;

private slots:
    void initTestCase()
    {
        const QString error = OpenSiteDatabase(site_, db_);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        // A dictionary with gaps, null names and null lengths.
        QRandomGenerator random(7);
        db_.BeginTrans();
        for (int i = 0; i < kDictionarySize; ++i) {
            if (random.bounded(5) == 0)
                continue;
            const QVariant name = random.bounded(10) == 0 ? QVariant() : QVariant(QStringLiteral("辞書%1").arg(i));
            const QVariant length = random.bounded(10) == 0 ? QVariant() : QVariant(1 + random.bounded(40));
            const QVariant decimals = random.bounded(3) == 0 ? QVariant() : QVariant(random.bounded(4));
            Execute(db_, QStringLiteral("INSERT INTO FL1901項目情報マスタ VALUES (?,?,?,?,?)"),
                    {kFirstItem + i, name, QStringLiteral("9"), length, decimals});
        }
        db_.CommitTrans();
    }

    void cleanupTestCase()
    {
        Execute(db_, QStringLiteral("DELETE FROM FL1903レコードフォーマット情報マスタ WHERE BPID LIKE 'TESTEQ%'"));
        Execute(db_, QStringLiteral("DELETE FROM FL1901項目情報マスタ WHERE 項目No>=?"), {kFirstItem});
    }

    void joinedLoadEqualsLineByLineLookups_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 2u, 3u, 4u})
            QTest::addRow("seed %u", seed) << seed;
    }

    void joinedLoadEqualsLineByLineLookups()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        const QString code = QStringLiteral("EQ%1").arg(seed);
        const QString bpid = QStringLiteral("TESTEQ%1").arg(seed);
        auto maybe = [&random](const QVariant& v) { return random.bounded(8) == 0 ? QVariant() : v; };
        db_.BeginTrans();
        for (const char* type : {"E", "L", "F"}) {
            int serial = 0;
            const int count = 20 + random.bounded(120);
            for (int i = 0; i < count; ++i) {
                serial += 1 + (random.bounded(6) == 0 ? random.bounded(4) : 0);  // gaps
                const bool header = random.bounded(10) == 0;
                // Item numbers in the dictionary, in its gaps, and beyond it.
                const int itemNo = kFirstItem + random.bounded(kDictionarySize + 20);
                QVariantList row{code, bpid, QString::fromLatin1(type), serial,
                                 maybe(random.bounded(20)), maybe(random.bounded(4)), maybe(itemNo),
                                 maybe(random.bounded(500)), maybe(QStringLiteral("自前%1").arg(i)),
                                 header ? QVariant(QStringLiteral("M")) : maybe(QStringLiteral("X")),
                                 maybe(random.bounded(99)), maybe(random.bounded(3)),
                                 maybe(QString::number(random.bounded(9))), maybe(random.bounded(5)),
                                 maybe(QStringLiteral("固定")), maybe(QStringLiteral("E"))};
                Execute(db_, QStringLiteral("INSERT INTO FL1903レコードフォーマット情報マスタ VALUES "
                                            "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                        row);
            }
        }
        db_.CommitTrans();

        FormatLines fast;
        QVERIFY(LoadLines(db_, code, bpid, fast));
        const FormatLines literal = LiteralLoad(db_, code, bpid);
        QVERIFY(literal.StandardItems.Count() >= 20 && literal.LocalItems.Count() >= 20);
        QCOMPARE(Dump(fast.StandardItems), Dump(literal.StandardItems));
        QCOMPARE(Dump(fast.LocalItems), Dump(literal.LocalItems));
    }
};

QTEST_MAIN(TestLoadEquivalence)
#include "test_load_equivalence.moc"
