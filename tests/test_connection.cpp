// The connection layer and the category lookup against the real SQLite ODBC
// driver in a temporary site.

#include "shell/category_lookup.h"
#include "shell/connection.h"
#include "support/message_box_answerer.h"
#include "support/temp_site.h"

#include <QLabel>
#include <QSqlField>
#include <QSqlRecord>
#include <QTest>

class TestConnection : public QObject {
    Q_OBJECT

private:
    TempSite site_;
    Connection db_;

    int CountRows(const QString& table)
    {
        db_.SetStatement(QStringLiteral("SELECT COUNT(*) AS n FROM ") + table);
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
    }

    void connectString()
    {
        EnvironmentSettings s;
        s.DbString = QStringLiteral("  EDIDB   ");
        s.UserId = QStringLiteral(" edi ");
        s.Password = QStringLiteral("pw  ");
        QCOMPARE(BuildConnectString(s), QStringLiteral("DSN=EDIDB;UID=edi;PWD=pw;"));
        QCOMPARE(BuildConnectString(EnvironmentSettings{}), QStringLiteral("DSN=;UID=;PWD=;"));
        QCOMPARE(db_.ConnectString, BuildConnectString(site_.Settings()));
        QVERIFY(db_.ConnectString.startsWith(QLatin1String("DSN=K450120;UID=")));
    }

    void unknownDataSourceFails()
    {
        EnvironmentSettings s = site_.Settings();
        s.DbString = QStringLiteral("NO_SUCH_DSN");
        Connection other;
        QVERIFY_THROWS_EXCEPTION(SqlError, other.OpenDatabaseConnection(s, QStringLiteral("h")));
        QVERIFY(!other.IsOpen());
        // An empty name never opens some default data source.
        s.DbString = QStringLiteral("   ");
        Connection unnamed;
        QVERIFY_THROWS_EXCEPTION(SqlError, unnamed.OpenDatabaseConnection(s, QStringLiteral("h")));
        QVERIFY(!unnamed.IsOpen());
    }

    void resultStatus()
    {
        ResultSet rs;
        db_.SetStatement(QStringLiteral("SELECT 区分名称 FROM 区分マスタ WHERE 区分= ?"),
                         {QStringLiteral("no such kind")});
        db_.OpenReadOnlyResultset(rs);
        QCOMPARE(db_.ResultStatus, QStringLiteral("9"));
        QVERIFY(rs.AtEnd());
        QVERIFY_THROWS_EXCEPTION(SqlError, rs.Value(0));

        db_.SetStatement(QStringLiteral("SELECT 区分ｺｰﾄﾞ, 区分名称 FROM 区分マスタ WHERE 区分= ?"
                                        " ORDER BY 区分コード"),
                         {QStringLiteral("処理区分")});
        db_.OpenReadOnlyResultset(rs);
        QCOMPARE(db_.ResultStatus, QStringLiteral("0"));
        QCOMPARE(rs.Value(QStringLiteral("区分コード")).toString(), QStringLiteral("0"));
        QStringList codes;
        for (; !rs.AtEnd(); rs.MoveNext())
            codes << rs.Value(QStringLiteral("区分ｺｰﾄﾞ")).toString();
        QCOMPARE(codes, (QStringList{"0", "1", "2", "9"}));

        // A statement without a result set leaves the status of the last open.
        db_.SetStatement(QStringLiteral("UPDATE 区分マスタ SET 区分名称 = 区分名称 WHERE 区分= ?"),
                         {QStringLiteral("no such kind")});
        db_.ExecuteStatement();
        QCOMPARE(db_.ResultStatus, QStringLiteral("0"));
        QVERIFY_THROWS_EXCEPTION(SqlError, rs.Value(QStringLiteral("no_such_column")));
    }

    void columnsByName()
    {
        QSqlRecord record;
        record.append(QSqlField(QStringLiteral("bpid") + QChar(0) + QStringLiteral("garbage")));
        record.append(QSqlField(QStringLiteral("区分コード")));
        record.append(QSqlField(QStringLiteral("FL1903レコードフォーマット情報マスタ.項目№")));
        QCOMPARE(ColumnIndex(record, QStringLiteral("BPID")), 0);
        QCOMPARE(ColumnIndex(record, QStringLiteral("区分ｺｰﾄﾞ")), 1);
        QCOMPARE(ColumnIndex(record, QStringLiteral("項目№")), 2);
        QCOMPARE(ColumnIndex(record, QStringLiteral("項目No")), -1);
    }

    void bothWritingsOfIdentifiersReachOneColumn()
    {
        db_.BeginTrans();
        db_.SetStatement(QStringLiteral(
            "INSERT INTO FL1902フォーマット情報マスタ (情報区分コード,BPID,１バイト文字集合,2バイト文字集合)"
            " VALUES (?,?,?,?)"),
            {QStringLiteral("T1"), QStringLiteral("WIDTHS01"), QStringLiteral("A"), QStringLiteral("J")});
        db_.ExecuteStatement();
        ResultSet rs;
        db_.SetStatement(QStringLiteral("SELECT FL1902フォーマット情報マスタ.* FROM FL1902フォーマット情報マスタ"
                                        " WHERE 情報区分コード=? AND BPID=?"),
                         {QStringLiteral("T1"), QStringLiteral("WIDTHS01")});
        db_.OpenReadOnlyResultset(rs);
        QCOMPARE(rs.Value(QStringLiteral("1バイト文字集合")).toString(), QStringLiteral("A"));
        QCOMPARE(rs.Value(QStringLiteral("２バイト文字集合")).toString(), QStringLiteral("J"));
        rs.Close();
        db_.RollbackTrans();
    }

    void valuesAreBoundNotPasted()
    {
        const QStringList keys{QStringLiteral("O'Brien"), QStringLiteral("a;DROP TABLE x"),
                               QStringLiteral("50%_"), QStringLiteral("発注'変更")};
        db_.BeginTrans();
        for (const QString& key : keys) {
            db_.SetStatement(QStringLiteral("INSERT INTO FL1902フォーマット情報マスタ (情報区分コード,BPID) VALUES (?,?)"),
                             {QStringLiteral("Q"), key});
            db_.ExecuteStatement();
        }
        for (const QString& key : keys) {
            ResultSet rs;
            db_.SetStatement(QStringLiteral("SELECT BPID FROM FL1902フォーマット情報マスタ WHERE 情報区分コード=? AND BPID=?"),
                             {QStringLiteral("Q"), key});
            db_.OpenReadOnlyResultset(rs);
            QCOMPARE(db_.ResultStatus, QStringLiteral("0"));
            QCOMPARE(rs.Value(QStringLiteral("bpid")).toString(), key);
        }
        db_.RollbackTrans();
    }

    void transactions()
    {
        const int before = CountRows(QStringLiteral("区分マスタ"));
        auto insert = [this](const QString& code) {
            db_.SetStatement(QStringLiteral("INSERT INTO 区分マスタ (区分,区分コード,区分名称) VALUES (?,?,?)"),
                             {QStringLiteral("試験"), code, QStringLiteral("名称")});
            db_.ExecuteStatement();
        };
        db_.BeginTrans();
        insert(QStringLiteral("R"));
        QCOMPARE(CountRows(QStringLiteral("区分マスタ")), before + 1);
        db_.RollbackTrans();
        QCOMPARE(CountRows(QStringLiteral("区分マスタ")), before);

        db_.BeginTrans();
        insert(QStringLiteral("C"));
        db_.CommitTrans();
        QCOMPARE(CountRows(QStringLiteral("区分マスタ")), before + 1);
        // A failing statement (duplicate key) reaches the caller.
        db_.BeginTrans();
        QVERIFY_THROWS_EXCEPTION(SqlError, insert(QStringLiteral("C")));
        db_.RollbackTrans();
        QCOMPARE(CountRows(QStringLiteral("区分マスタ")), before + 1);
    }

    void categoryLookup_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("excluded");
        QTest::addColumn<bool>("found");
        QTest::newRow("known code") << "処理区分" << "1" << "" << true;
        QTest::newRow("unknown code") << "処理区分" << "5" << "" << false;
        QTest::newRow("empty code") << "属性" << "" << "" << false;
        QTest::newRow("code of another kind") << "属性" << "E" << "" << false;
        QTest::newRow("trailing blank kept") << "処理区分" << "1 " << "" << false;
        QTest::newRow("excluded code refused") << "変換エラー対処" << "S" << "S" << false;
        QTest::newRow("other code with exclusion") << "変換エラー対処" << "E" << "S" << true;
        QTest::newRow("attribute M excluded") << "属性" << "M" << "M" << false;
        QTest::newRow("attribute M without exclusion") << "属性" << "M" << "" << true;
        QTest::newRow("apostrophe in code") << "属性" << "X' OR 'a'='a" << "" << false;
    }

    void categoryLookup()
    {
        QFETCH(QString, kind);
        QFETCH(QString, code);
        QFETCH(QString, excluded);
        QFETCH(bool, found);
        QCOMPARE(!LookupCategoryName(db_, kind, code, excluded).isEmpty(), found);
    }

    void categoryNameText()
    {
        QCOMPARE(LookupCategoryName(db_, QStringLiteral("処理区分"), QStringLiteral("2")),
                 QStringLiteral("修正"));
    }

    void lookupOnABrokenConnectionIsEmpty()
    {
        Connection closed;
        QCOMPARE(LookupCategoryName(closed, QStringLiteral("処理区分"), QStringLiteral("1")), QString());
    }

    void checkCategoryCode()
    {
        QLabel label;
        label.setText(QStringLiteral("old"));
        qint16 hold = 9;
        {
            MessageBoxAnswerer answerer;
            CheckCategoryCode(nullptr, db_, QStringLiteral("処理区分"), QStringLiteral("9"), &label, hold);
            QVERIFY(answerer.Seen().isEmpty());
        }
        QCOMPARE(label.text(), QStringLiteral("削除"));
        QCOMPARE(hold, qint16(9));  // a found name leaves the flag as it was

        hold = 0;
        MessageBoxAnswerer answerer;
        CheckCategoryCode(nullptr, db_, QStringLiteral("処理区分"), QStringLiteral("7"), &label, hold);
        QCOMPARE(hold, qint16(9));
        QCOMPARE(label.text(), QString());
        QCOMPARE(answerer.Seen().size(), 1);
        const SeenBox box = answerer.Seen().front();
        QCOMPARE(box.text, QStringLiteral("該当データがありませんでした"));
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box.title, QStringLiteral("フォーマット情報マスタ保守"));
    }
};

QTEST_MAIN(TestConnection)
#include "test_connection.moc"
