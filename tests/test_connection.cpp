// The connection layer and the category lookup against the real database
// drivers in a temporary site.

#include "shell/category_lookup.h"
#include "support/form_harness.h"
#include "support/message_box_answerer.h"

#include <QLabel>
#include <QSqlField>
#include <QSqlRecord>
#include <QTest>

class TestConnection : public QObject {
    Q_OBJECT

private:
    TempSite site_;
    Connection db_;

    void Run(const QString& sql, const QVariantList& params = {})
    {
        db_.SetStatement(sql, params);
        db_.ExecuteStatement();
    }
    int Count(const QString& table) { return QueryRows(db_, QStringLiteral("SELECT COUNT(*) FROM ") + table).value(0).toInt(); }

private slots:
    void initTestCase()
    {
        QVERIFY2(site_.Ok(), qPrintable(site_.Error()));
        site_.UseOdbcConfiguration();
        db_.OpenDatabaseConnection(site_.Settings(), QStringLiteral("test-host"));
        QVERIFY(db_.IsOpen());
    }

    void connecting()
    {
        EnvironmentSettings s;
        s.DbString = QStringLiteral("  EDIDB   ");
        s.UserId = QStringLiteral(" edi ");
        s.Password = QStringLiteral("pw  ");
        QCOMPARE(BuildConnectString(s), QStringLiteral("DSN=EDIDB;UID=edi;PWD=pw;"));
        QCOMPARE(db_.ConnectString, BuildConnectString(site_.Settings()));
        // An unknown name, or an empty one (never some default data source), fails.
        for (const char* dsn : {"NO_SUCH_DSN", "   "}) {
            s = site_.Settings();
            s.DbString = QLatin1String(dsn);
            Connection other;
            QVERIFY_THROWS_EXCEPTION(SqlError, other.OpenDatabaseConnection(s, QStringLiteral("h")));
            QVERIFY(!other.IsOpen());
        }
    }

    void resultStatusAndColumns()
    {
        ResultSet rs;
        db_.SetStatement(QStringLiteral("SELECT 区分名称 FROM 区分マスタ WHERE 区分= ?"), {QStringLiteral("no such kind")});
        db_.OpenReadOnlyResultset(rs);
        QCOMPARE(db_.ResultStatus, QStringLiteral("9"));
        QVERIFY(rs.AtEnd());
        QVERIFY_THROWS_EXCEPTION(SqlError, rs.Value(0));

        db_.SetStatement(QStringLiteral("SELECT 区分ｺｰﾄﾞ, 区分名称 FROM 区分マスタ WHERE 区分= ? ORDER BY 区分コード"),
                         {QStringLiteral("処理区分")});
        db_.OpenReadOnlyResultset(rs);
        QCOMPARE(db_.ResultStatus, QStringLiteral("0"));
        QStringList codes;
        for (; !rs.AtEnd(); rs.MoveNext())
            codes << rs.Value(QStringLiteral("区分コード")).toString();  // the other writing of the name
        QCOMPARE(codes, (QStringList{"0", "1", "2", "9"}));
        // A statement without a result set leaves the status of the last open.
        Run(QStringLiteral("UPDATE 区分マスタ SET 区分名称 = 区分名称 WHERE 区分= ?"), {QStringLiteral("no such kind")});
        QCOMPARE(db_.ResultStatus, QStringLiteral("0"));
        QVERIFY_THROWS_EXCEPTION(SqlError, rs.Value(QStringLiteral("no_such_column")));

        QSqlRecord record;
        record.append(QSqlField(QStringLiteral("bpid") + QChar(0) + QStringLiteral("garbage")));
        record.append(QSqlField(QStringLiteral("FL1903レコードフォーマット情報マスタ.項目№")));
        QCOMPARE(ColumnIndex(record, QStringLiteral("BPID")), 0);
        QCOMPARE(ColumnIndex(record, QStringLiteral("項目№")), 1);
        QCOMPARE(ColumnIndex(record, QStringLiteral("項目No")), -1);
    }

    void valuesAndIdentifiers()
    {
        db_.BeginTrans();
        // Both writings of a digit-first column reach one column.
        Run(QStringLiteral("INSERT INTO FL1902フォーマット情報マスタ (情報区分コード,BPID,１バイト文字集合,2バイト文字集合)"
                           " VALUES (?,?,?,?)"),
            {QStringLiteral("T1"), QStringLiteral("WIDTHS01"), QStringLiteral("A"), QStringLiteral("J")});
        QCOMPARE(QueryRows(db_, QStringLiteral("SELECT 1バイト文字集合, ２バイト文字集合 FROM FL1902フォーマット情報マスタ"
                                               " WHERE BPID='WIDTHS01'")),
                 QStringList{QStringLiteral("A|J")});
        // Values are bound, never pasted into the statement.
        const QStringList keys{QStringLiteral("O'Brien"), QStringLiteral("a;DROP TABLE x"), QStringLiteral("50%_")};
        for (const QString& key : keys)
            Run(QStringLiteral("INSERT INTO FL1902フォーマット情報マスタ (情報区分コード,BPID) VALUES ('Q',?)"), {key});
        for (const QString& key : keys)
            QCOMPARE(QueryRows(db_, QStringLiteral("SELECT BPID FROM FL1902フォーマット情報マスタ WHERE 情報区分コード='Q' AND BPID=?"),
                               {key}),
                     QStringList{key});
        db_.RollbackTrans();
        QCOMPARE(QueryRows(db_, QStringLiteral("SELECT BPID FROM FL1902フォーマット情報マスタ WHERE 情報区分コード IN ('Q','T1')")),
                 QStringList());
    }

    void transactions()
    {
        const int before = Count(QStringLiteral("区分マスタ"));
        auto insert = [this](const QString& code) {
            Run(QStringLiteral("INSERT INTO 区分マスタ (区分,区分コード,区分名称) VALUES ('試験',?,'名称')"), {code});
        };
        db_.BeginTrans();
        insert(QStringLiteral("R"));
        QCOMPARE(Count(QStringLiteral("区分マスタ")), before + 1);
        db_.RollbackTrans();
        QCOMPARE(Count(QStringLiteral("区分マスタ")), before);
        db_.BeginTrans();
        insert(QStringLiteral("C"));
        db_.CommitTrans();
        QCOMPARE(Count(QStringLiteral("区分マスタ")), before + 1);
        // A failing statement (duplicate key) reaches the caller.
        db_.BeginTrans();
        QVERIFY_THROWS_EXCEPTION(SqlError, insert(QStringLiteral("C")));
        db_.RollbackTrans();
        QCOMPARE(Count(QStringLiteral("区分マスタ")), before + 1);
    }

    void categoryLookup_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("excluded");
        QTest::addColumn<QString>("name");
        QTest::newRow("known code") << "処理区分" << "2" << "" << "修正";
        QTest::newRow("unknown code") << "処理区分" << "5" << "" << "";
        QTest::newRow("empty code") << "属性" << "" << "" << "";
        QTest::newRow("code of another kind") << "属性" << "E" << "" << "";
        QTest::newRow("trailing blank kept") << "処理区分" << "1 " << "" << "";
        QTest::newRow("excluded code refused") << "変換エラー対処" << "S" << "S" << "";
        QTest::newRow("other code with exclusion") << "変換エラー対処" << "W" << "S" << "警告";
        QTest::newRow("attribute M excluded") << "属性" << "M" << "M" << "";
        QTest::newRow("attribute M without exclusion") << "属性" << "M" << "" << "ﾏﾙﾁ明細";
        QTest::newRow("apostrophe in code") << "属性" << "X' OR 'a'='a" << "" << "";
    }

    void categoryLookup()
    {
        QFETCH(QString, kind);
        QFETCH(QString, code);
        QFETCH(QString, excluded);
        QFETCH(QString, name);
        QCOMPARE(LookupCategoryName(db_, kind, code, excluded), name);
        Connection closed;  // a broken connection finds nothing
        QCOMPARE(LookupCategoryName(closed, kind, code, excluded), QString());
    }

    void checkCategoryCode()
    {
        QLabel label(QStringLiteral("old"));
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
        QCOMPARE(box.text, kNotFound);
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box.title, QStringLiteral("フォーマット情報マスタ保守"));
    }
};

QTEST_MAIN(TestConnection)
#include "test_connection.moc"
