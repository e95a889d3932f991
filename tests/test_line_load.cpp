// Loading the stored lines of a format into the two tables, against the real
// SQLite ODBC driver in a temporary site.

#include "format/line_load.h"
#include "items/item_list.h"
#include "shell/connection.h"
#include "support/temp_site.h"

#include <QTest>

namespace {

const char* const kRecords = "FL1903レコードフォーマット情報マスタ";
const qint32 kDictItem = 990001;  // a dictionary entry of our own, with decimals

}  // namespace

class TestLineLoad : public QObject {
    Q_OBJECT

private:
    TempSite site_;
    Connection db_;

    void Exec(const QString& sql, const QVariantList& params = {})
    {
        db_.SetStatement(sql, params);
        db_.ExecuteStatement();
    }

    // One line under a test key; the columns after 項目通番 in table order,
    // missing ones null.
    void Insert(const QString& code, const QString& bpid, const QString& type, int serial,
                QVariantList rest = {})
    {
        while (rest.size() < 12)
            rest.append(QVariant());
        Exec(QStringLiteral("INSERT INTO ") + QString::fromUtf8(kRecords)
                 + QStringLiteral(" VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
             QVariantList{code, bpid, type, serial} + rest);
    }

    int Count(const QString& code, const QString& bpid, const QString& type)
    {
        db_.SetStatement(QStringLiteral("SELECT COUNT(*) AS n FROM ") + QString::fromUtf8(kRecords)
                             + QStringLiteral(" WHERE 情報区分コード=? AND BPID=? AND フォーマット種別=?"),
                         {code, bpid, type});
        ResultSet rs;
        db_.OpenReadOnlyResultset(rs);
        const int n = rs.Value(QStringLiteral("n")).toInt();
        rs.Close();
        return n;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(site_.Ok(), qPrintable(site_.Error()));
        site_.UseOdbcConfiguration();
        db_.OpenDatabaseConnection(site_.Settings(), QStringLiteral("test-host"));
        QVERIFY(db_.IsOpen());
        Exec(QStringLiteral("INSERT INTO FL1901項目情報マスタ VALUES (?,?,?,?,?)"),
             {kDictItem, QStringLiteral("試験数量"), QStringLiteral("9"), 12, 3});
    }

    void cleanup()
    {
        Exec(QStringLiteral("DELETE FROM ") + QString::fromUtf8(kRecords)
             + QStringLiteral(" WHERE BPID LIKE 'TEST%'"));
    }

    void demoFormat()
    {
        const QString code = QStringLiteral("0201"), bpid = QStringLiteral("SHIPNT01");
        FormatLines lines;
        QVERIFY(LoadLines(db_, code, bpid, lines));
        QCOMPARE(lines.StandardItems.Count(), Count(code, bpid, QStringLiteral("E")));
        QCOMPARE(lines.LocalItems.Count(), Count(code, bpid, QStringLiteral("L")));

        db_.SetStatement(
            QStringLiteral("SELECT r.項目通番 AS s, r.属性 AS a, r.項目名称 AS n, d.データ項目名 AS dn,"
                           " d.長さ AS dl, d.小数部長さ AS dd FROM ")
                + QString::fromUtf8(kRecords)
                + QStringLiteral(" r LEFT JOIN FL1901項目情報マスタ d ON d.項目No=r.項目№"
                                 " WHERE r.情報区分コード=? AND r.BPID=? AND r.フォーマット種別='E'"
                                 " ORDER BY r.項目通番"),
            {code, bpid});
        ResultSet rs;
        int i = 0, headers = 0;
        for (db_.OpenReadOnlyResultset(rs); !rs.AtEnd(); rs.MoveNext()) {
            const FormatItem& t = lines.StandardItems[++i];
            QCOMPARE(t.SerialNo, rs.Value(QStringLiteral("s")).toInt());
            if (rs.Value(QStringLiteral("a")).toString() == QLatin1String("M")) {
                ++headers;
                QCOMPARE(t.ItemName, rs.Value(QStringLiteral("n")).toString());
                QCOMPARE(t.Length, 0);
                QCOMPARE(t.DecimalLength, 0);
            } else {
                QCOMPARE(t.ItemName, rs.Value(QStringLiteral("dn")).toString());
                QCOMPARE(t.Length, rs.Value(QStringLiteral("dl")).toInt());
                QCOMPARE(t.DecimalLength, rs.Value(QStringLiteral("dd")).toInt());
            }
        }
        rs.Close();
        QCOMPARE(i, lines.StandardItems.Count());
        QVERIFY(headers > 0);

        db_.SetStatement(QStringLiteral("SELECT * FROM ") + QString::fromUtf8(kRecords)
                             + QStringLiteral(" WHERE 情報区分コード=? AND BPID=? AND フォーマット種別='L'"
                                              " ORDER BY 項目通番"),
                         {code, bpid});
        auto v = [&rs](const char* name) { return rs.Value(QString::fromUtf8(name)); };
        i = 0;
        for (db_.OpenReadOnlyResultset(rs); !rs.AtEnd(); rs.MoveNext()) {
            const FormatItem& t = lines.LocalItems[++i];
            QCOMPARE(t.FormatType, QStringLiteral("L"));
            QCOMPARE(t.SerialNo, v("項目通番").toInt());
            QCOMPARE(t.LinkedSerialNo, v("対応項目通番").toInt());
            QCOMPARE(t.Level, v("レベル番号").toInt());
            QCOMPARE(t.ItemNo, v("項目№").toInt());
            QCOMPARE(t.ItemPosition, v("項目位置").toInt());
            QCOMPARE(t.ItemName, v("項目名称").toString());
            QCOMPARE(t.Attribute, v("属性").toString());
            QCOMPARE(t.Length, v("長さ").toInt());
            QCOMPARE(t.DecimalLength, v("小数部長さ").toInt());
            QCOMPARE(t.MultiDetailNo, v("マルチ明細番号").toString());
            QCOMPARE(t.RepeatCount, v("繰返し数").toInt());
            QCOMPARE(t.FixedValue, v("固定項目値").toString());
            QCOMPARE(t.ConversionError, v("変換エラー対処").toString());
        }
        rs.Close();
        QCOMPARE(i, lines.LocalItems.Count());
    }

    void keyWithoutLines_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("unknown") << QStringLiteral("9999");
        QTest::newRow("quote is data") << QStringLiteral("0201' OR '1'='1");
    }

    void keyWithoutLines()
    {
        QFETCH(QString, code);
        FormatLines lines;
        lines.StandardItems.Resize(2);
        lines.StandardItems[2].ItemName = QStringLiteral("残す");
        lines.LocalItems.Resize(1);
        QVERIFY(!LoadLines(db_, code, QStringLiteral("SHIPNT01"), lines));
        QCOMPARE(lines.StandardItems.Count(), 2);
        QCOMPARE(lines.StandardItems[2].ItemName, QStringLiteral("残す"));
        QCOMPARE(lines.LocalItems.Count(), 1);
    }

    void gapsAndOtherTypes()
    {
        const QString code = QStringLiteral("T'1"), bpid = QStringLiteral("TEST'GAPS");
        for (const int serial : {5, 1, 2})
            Insert(code, bpid, QStringLiteral("E"), serial, {0, 0, serial * 100});
        for (const char* other : {"A", "F", "Z"})
            Insert(code, bpid, QString::fromLatin1(other), 1, {0, 0, 9});
        Insert(code, bpid, QStringLiteral("L"), 4, {0, 0, 0, 1, QStringLiteral("ローカル")});

        FormatLines lines;
        QVERIFY(LoadLines(db_, code, bpid, lines));
        QCOMPARE(lines.StandardItems.Count(), 3);
        QCOMPARE(lines.LocalItems.Count(), 1);
        QCOMPARE(lines.LocalItems[1].ItemName, QStringLiteral("ローカル"));
        const int stored[] = {1, 2, 5};
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(lines.StandardItems[i].SerialNo, stored[i - 1]);
            QCOMPARE(lines.StandardItems[i].ItemNo, stored[i - 1] * 100);
        }
        RebuildPass(lines.StandardItems, lines.LocalItems, false, PaneWatch{});
        QCOMPARE(lines.StandardItems[3].SerialNo, 3);
    }

    void dictionaryWinsForStandardItems()
    {
        const QString code = QStringLiteral("T2"), bpid = QStringLiteral("TESTDICT");
        const QString own = QStringLiteral("自前");
        // The header names a dictionary item too: it must keep its own name.
        Insert(code, bpid, QStringLiteral("E"), 1,
               {0, 0, kDictItem, QVariant(), QStringLiteral("見出し"), QStringLiteral("M"), 30, 2,
                QStringLiteral("1"), 5});
        Insert(code, bpid, QStringLiteral("E"), 2, {0, 1, kDictItem, 77, own, QStringLiteral("9"), 99, 4});
        Insert(code, bpid, QStringLiteral("E"), 3, {0, 1, 999999, 5, own, QStringLiteral("X"), 8, 1});
        Insert(code, bpid, QStringLiteral("L"), 1, {2, 0, kDictItem, 9, own, QStringLiteral("9"), 6, 1});

        FormatLines lines;
        QVERIFY(LoadLines(db_, code, bpid, lines));
        const FormatItem& header = lines.StandardItems[1];
        QCOMPARE(header.ItemName, QStringLiteral("見出し"));
        QCOMPARE(header.Length, 0);
        QCOMPARE(header.DecimalLength, 0);
        QCOMPARE(header.MultiDetailNo, QStringLiteral("1"));
        QCOMPARE(header.RepeatCount, 5);
        const FormatItem& known = lines.StandardItems[2];
        QCOMPARE(known.ItemName, QStringLiteral("試験数量"));
        QCOMPARE(known.Length, 12);
        QCOMPARE(known.DecimalLength, 3);
        QCOMPARE(known.ItemPosition, 77);
        const FormatItem& unknown = lines.StandardItems[3];
        QCOMPARE(unknown.ItemName, QString());
        QCOMPARE(unknown.Length, 0);
        QCOMPARE(unknown.DecimalLength, 0);
        const FormatItem& local = lines.LocalItems[1];
        QCOMPARE(local.ItemName, own);
        QCOMPARE(local.Length, 6);
        QCOMPARE(local.DecimalLength, 1);
        QCOMPARE(local.ItemPosition, 9);
        QCOMPARE(local.LinkedSerialNo, 2);
    }

    void nullColumns()
    {
        const QString code = QStringLiteral("T3"), bpid = QStringLiteral("TESTNULL");
        Insert(code, bpid, QStringLiteral("E"), 1);
        Insert(code, bpid, QStringLiteral("L"), 1);
        FormatLines lines;
        QVERIFY(LoadLines(db_, code, bpid, lines));
        for (const FormatItem* t : {&lines.StandardItems[1], &lines.LocalItems[1]}) {
            QCOMPARE(t->SerialNo, 1);
            QVERIFY(t->ItemName.isEmpty() && t->Attribute.isEmpty() && t->MultiDetailNo.isEmpty()
                    && t->FixedValue.isEmpty() && t->ConversionError.isEmpty());
            QCOMPARE(QList<qint32>({t->LinkedSerialNo, t->Level, t->ItemNo, t->ItemPosition,
                                    t->Length, t->DecimalLength, t->RepeatCount}),
                     QList<qint32>(7, 0));
        }
    }

    void onlyLocalLines()
    {
        const QString code = QStringLiteral("T4"), bpid = QStringLiteral("TESTLOCAL");
        Insert(code, bpid, QStringLiteral("L"), 7, {0, 0, 0, 40});
        Insert(code, bpid, QStringLiteral("L"), 3, {0, 0, 0, 20});
        FormatLines lines;
        QVERIFY(LoadLines(db_, code, bpid, lines));
        QCOMPARE(lines.StandardItems.Count(), 0);
        QCOMPARE(lines.LocalItems.Count(), 2);
        QCOMPARE(lines.LocalItems[1].SerialNo, 3);
        QCOMPARE(lines.LocalItems[2].ItemPosition, 40);
    }
};

QTEST_MAIN(TestLineLoad)
#include "test_line_load.moc"
