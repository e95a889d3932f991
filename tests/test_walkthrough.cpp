// The real program on a private X server. Each kind of fatal start-up failure, in sites of their own. And an
// operator's session by keyboard and mouse only: a stored format modified with moves and a link, new ones
// registered and copied, one looked at and one deleted; the stored rows checked while each box asks and after its
// answer, the screen saved at every box.

#include "support/form_harness.h"
#include "support/x_display.h"

#include <QCoreApplication>
#include <QDir>

#include <sys/stat.h>

namespace {
const QString kTitle = QStringLiteral("フォーマット情報マスタ保守");
// Where to click, in twips of the form; the pane buttons are 0 項目追加, 3 上へ移動, 4 削除 of a frame (0 standard, 1 local).
const int kFrameLeft[] = {210, 8310};
const QPoint kHeaderOk(12765, 630), kLinkCreate(7560, 2625), kLeave(7560, 7365), kItemNo(2050, 6635), kItemName(13210, 6635);
QPoint Button(int frame, int b) { return {kFrameLeft[frame] + 900 + b % 4 * 1600, 9110 + b / 4 * 480}; }
QPoint TopRow(int frame) { return {kFrameLeft[frame] + 3300, 1880}; }
}  // namespace

class TestWalkthrough : public QObject {
    Q_OBJECT

    XDisplay x_;
    // One site for every road (each has keys of its own): this process's ODBC layer reads its configuration once.
    // One session of the program for them all, each road ending in the processing category.
    TempSite site_;
    Connection db_;  // for the checks
    QProcess program_;
    QString form_, shots_, bpid_;

    void Click(QPoint twips, int count = 1) { x_.Click(form_, twips / 15, count); }
    void Enters(int count) { x_.Key(QStringList(count, QStringLiteral("Return")).join(QLatin1Char(' '))); }
    // A list line shown in its pane (0 the first, -1 the last): a click in the list, Home and Down (End and Up), Enter.
    void ShowLine(int frame, int line)
    {
        Click(TopRow(frame));
        const QStringList moves(line < 0 ? -line - 1 : line, QLatin1String(line < 0 ? "Up" : "Down"));
        x_.Key((QStringList{QLatin1String(line < 0 ? "End" : "Home")} + moves + QStringList{"Return"}).join(QLatin1Char(' ')));
    }
    // The box that a click opens: the screen saved, nothing written before the answer, the answer, the keyboard back.
    void Answer(QPoint button, const QString& shot, const QString& keys = QStringLiteral("alt+y"))
    {
        const QStringList before = StoredFormat(db_, bpid_);
        Click(button);
        QVERIFY2(!x_.WaitForFocus(kTitle, form_).isEmpty(), qPrintable(shot));
        x_.Screenshot(QDir(shots_).filePath(shot + QStringLiteral(".png")));
        QCOMPARE(StoredFormat(db_, bpid_), before);
        x_.Key(keys);
        QTRY_COMPARE(x_.Focus(), form_);
    }
    // One layout as "serial|item|link" (the name of a local line or a group header, else the item number).
    QString Lines(const char* type)
    {
        return QueryRows(db_, QStringLiteral("SELECT 項目通番,COALESCE(項目名称,CAST(項目№ AS VARCHAR(10))),対応項目通番 FROM FL1903"
                                              "レコードフォーマット情報マスタ WHERE BPID=? AND フォーマット種別=? ORDER BY 項目通番"),
                         {bpid_, QLatin1String(type)}).join(QLatin1Char(' '));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(x_.Ok(), "Xvfb did not start");
        shots_ = qEnvironmentVariable("K450120_SCREENSHOTS", QCoreApplication::applicationDirPath());
        QVERIFY(QDir().mkpath(shots_));
        QCOMPARE(OpenSiteDatabase(site_, db_), QString());
    }

    // A missing category file shows no box.
    void startupFailures()
    {
        // What is changed: "section/key" of EDI.ini and its value, a site file replaced by nothing or a FIFO,
        // or the operator code (not UTF-8); the exit status, the message.
        const struct { const char *change, *value; int status; const char* message; } rows[] = {
            {"Setting0/TextBackColor", "white", 2, "INIﾌｧｲﾙ読込エラー"}, {"EDI.ini", "fifo", 2, "INIﾌｧｲﾙ読込エラー"},
            {"EDI.ini", "missing", 3, "接続エラー"},  // without EDI.ini it is the connection that fails
            {"動作環境/DBSTRING", "NO_SUCH_DSN", 3, "接続エラー"}, {"Setting0/TextFontName", "", 4, "項目設定エラー"},
            {"JOHOKUBUN", "missing", 5, "does not exist"}, {"JOHOKUBUN", "fifo", 5, "not a regular file"},
            {"operator", "OP\\377", 6, "オペレータ入力エラー"}};
        for (const auto& row : rows) {
            const QString change = QString::fromUtf8(row.change), value = QString::fromUtf8(row.value);
            TempSite site;
            QVERIFY2(site.Ok(), qPrintable(site.Error()));
            const QString file = change == QLatin1String("EDI.ini") ? site.IniPath() : site.CategoryFile();
            if (change.contains(QLatin1Char('/')))
                site.SetIniValue(change.section(QLatin1Char('/'), 0, 0), change.section(QLatin1Char('/'), 1), value);
            else if (change != QLatin1String("operator"))
                QVERIFY(QFile::remove(file) && (value == QLatin1String("missing") || mkfifo(QFile::encodeName(file), 0600) == 0));
            QProcess process;  // the shell hands over an argument that is not UTF-8
            const QString code = change == QLatin1String("operator") ? value : QStringLiteral("OP01");
            x_.Launch(process, site.Environment(), QStringLiteral("/bin/sh"),
                      {QStringLiteral("-c"), QStringLiteral("exec \"$0\" \"$(printf '%1')\"").arg(code), site.Program()});
            if (row.status != 5) {  // the box: a form shown is not activated before the sign-on
                QVERIFY2(!x_.WaitForFocus(kTitle).isEmpty(), row.change);
                x_.Key(QStringLiteral("Return"));
            }
            QVERIFY2(process.waitForFinished(30000), row.change);
            const QString errors = QString::fromUtf8(process.readAllStandardError());
            QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == row.status, qPrintable(errors));
            QVERIFY2(errors.contains(QString::fromUtf8(row.message)), qPrintable(errors));
        }
    }

    void modifyStoredFormat()
    {
        x_.Launch(program_, site_.Environment(), site_.Program());
        form_ = x_.WaitForFocus(kTitle);
        bpid_ = QStringLiteral("SHIPNT01");
        const QString header = StoredFormat(db_, bpid_).front();
        x_.Type(QStringLiteral("20201SHIPNT01"));  // each field full moves on
        Enters(7);                                  // through the detail settings to the line screen
        Click(TopRow(0), 2);                        // standard line 1 shown: item 302 goes below it
        Click(Button(0, 0));
        x_.Type(QStringLiteral("302"));
        Enters(3);
        ShowLine(1, -2);  // local 作成日 (19 of 20, linked to standard item 3) goes
        Click(Button(1, 4));
        ShowLine(0, 8);  // standard item 402 (now line 9) up above item 411
        Click(Button(0, 3));
        ShowLine(0, 3);  // standard item 3 (line 4, unlinked by the deletion) linked with local 予備 (now last)
        ShowLine(1, -1);
        Click(kLinkCreate);
        Answer(kLeave, QStringLiteral("modify-lines"));
        // Every link renumbered on both layouts, each the mirror of the other.
        QTRY_COMPARE(Lines("E"), QStringLiteral("1|1|0 2|302|0 3|2|0 4|3|19 5|4|0 6|107|0 7|101|0 8|402|3 9|411|2 10|125|4 11|121|5 "
                                                "12|133|6 13|出荷明細|9 14|406|10 15|301|11 16|201|12 17|202|0 18|404|14 19|228|15 "
                                                "20|梱包明細|0 21|412|0 22|413|0 23|227|0 24|439|0 25|備考明細|17 26|18|18 27|414|7 28|415|8"));
        QCOMPARE(Lines("L"), QStringLiteral("1|レコード区分|0 2|出荷番号|9 3|出荷日|8 4|出荷元コード|10 5|納入先コード|11 6|運送業者コード|12 "
                                            "7|総梱包数|27 8|総重量|28 9|出荷明細|13 10|明細番号|14 11|注文番号|15 12|部品番号|16 13|部品名|0 "
                                            "14|出荷数量|18 15|単位|19 16|ロット番号|0 17|備考明細|25 18|備考|26 19|予備|4"));
        // The added line with the dictionary's attribute and length; the header as it was.
        QVERIFY(StoredFormat(db_, bpid_).contains(QStringLiteral("0201|SHIPNT01|E|2|0|0|302|<null>|<null>|9|8|0|0|0||E")));
        Answer(kHeaderOk, QStringLiteral("modify-header"));
        QCOMPARE(StoredFormat(db_, bpid_).front(), header);
        x_.Key(QStringLiteral("Escape"));  // the written key's information category: one field back
    }

    // Then 複写 copies the format chosen in the search (its first row: ORDERS01) at once, under another new key.
    void registerAndCopy()
    {
        bpid_ = QStringLiteral("WALK0001");
        x_.Type(QStringLiteral("10101WALK0001"));
        Enters(7);
        x_.Type(QStringLiteral("301"));
        Enters(3);
        Click(kItemNo);  // the commit left the focus in the local pane
        x_.Type(QStringLiteral("302"));
        Enters(3);
        // Name, attribute (one character: accepted at once; x upper-cased), length; an X item has no decimals.
        Click(kItemName);
        x_.Type(QStringLiteral("R;--%_\\"));
        x_.Key(QStringLiteral("Return x 1 0 Return Return Return"));
        Click(kItemName);
        x_.Type(QStringLiteral("QTY"));
        x_.Key(QStringLiteral("Return 9 8 Return Return Return Return"));
        Answer(kLeave, QStringLiteral("register-lines"));
        const QStringList lines{"0101|WALK0001|E|1|0|0|301|<null>|<null>|X|15|0|0|0||E", "0101|WALK0001|E|2|0|0|302|<null>|<null>|9|8|0|0|0||E",
                                "0101|WALK0001|L|1|0|0|0|1|R;--%_\\|X|10|0||0||E", "0101|WALK0001|L|2|0|0|0|11|QTY|9|8|0||0||E"};
        QTRY_COMPARE(StoredFormat(db_, bpid_), lines);
        Answer(kHeaderOk, QStringLiteral("register-header"));
        // The header with the defaults of the detail settings.
        QTRY_COMPARE(StoredFormat(db_, bpid_), QStringList{"0101|WALK0001|11|CII111|M|S|S|T|S"} + lines);
        bpid_ = QStringLiteral("COPY0001");
        const QStringList copy = StoredFormat(db_, QStringLiteral("ORDERS01")).replaceInStrings("|ORDERS01|", "|COPY0001|");
        QCOMPARE(copy.size(), 1 + 29);
        x_.Type(QStringLiteral("0101COPY0001"));
        x_.Key(QStringLiteral("alt+c"));
        QVERIFY(!x_.WaitForFocus(QStringLiteral("□□ 検索 □□")).isEmpty());
        x_.Key(QStringLiteral("Return"));
        QTRY_COMPARE(StoredFormat(db_, bpid_), copy);
        Answer(kHeaderOk, QStringLiteral("copy-header"));
        QCOMPARE(StoredFormat(db_, bpid_), copy);
        x_.Key(QStringLiteral("Escape"));
    }

    // 照会 shows the lines (one Esc leaves them), nothing there asks or writes; then 削除 of another format. Esc back
    // to the processing category, Esc and Yes: the program ends with status 0.
    void inquiryAndDelete()
    {
        const QStringList stored = StoredFormat(db_, QStringLiteral("ORDERS01"));
        x_.Type(QStringLiteral("00101ORDERS01"));
        x_.Key(QStringLiteral("alt+i"));
        ShowLine(1, 2);
        Click(kItemName);
        x_.Type(QStringLiteral("NEW"));
        x_.Key(QStringLiteral("alt+d"));
        Click(Button(1, 4));
        x_.Key(QStringLiteral("Escape Escape"));
        bpid_ = QStringLiteral("INVOIC01");
        x_.Type(QStringLiteral("90401INVOIC01"));
        Answer(kHeaderOk, QStringLiteral("delete"), QStringLiteral("Return"));  // 削除しますか: OK
        QTRY_COMPARE(StoredFormat(db_, bpid_), QStringList());
        QCOMPARE(StoredFormat(db_, QStringLiteral("ORDERS01")), stored);  // the inquiry's keys came before
        x_.Key(QStringLiteral("Escape Escape"));
        QVERIFY(!x_.WaitForFocus(kTitle, form_).isEmpty());
        x_.Key(QStringLiteral("alt+y"));
        QVERIFY(program_.waitForFinished(10000));
        QCOMPARE(QList<int>({program_.exitStatus(), program_.exitCode()}), QList<int>({QProcess::NormalExit, 0}));
    }

};

QTEST_GUILESS_MAIN(TestWalkthrough)
#include "test_walkthrough.moc"
