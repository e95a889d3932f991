// An operator's walkthrough of the real program under a private X server,
// by keyboard and mouse only: a stored format modified, a new one registered
// and one deleted, with the stored rows checked and the screen saved after
// every step.

#include "shell/connection.h"
#include "support/temp_site.h"
#include "support/x_display.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTest>

#include <functional>
#include <memory>

namespace {

const QString kTitle = QStringLiteral("フォーマット情報マスタ保守");
const QSize kFormSize(1008, 692);

int Px(int twips) { return (twips + 7) / 15; }

// A control's rectangle in twips, relative to the form (frame -1) or to one
// of the layout frames of the line screen (0 standard, 1 local).
struct Control {
    int frame;
    int left, top, width, height;
};

// Where the line screen puts its two frames.
const int kFrameLeft[2] = {210, 8310};
constexpr int kFrameTop = 1190;

constexpr Control kHeaderOk{-1, 9120 + 2 * 1470, 420, 1410, 420};
// The buttons between the frames are widened to fill the gap.
constexpr Control kLinkCreate{-1, 6810, 2400, 1500, 450};
constexpr Control kLeave{-1, 6810, 7140, 1500, 450};
constexpr Control kItemNo{0, 1390, 5280, 900, 330};
constexpr Control kItemName{1, 3330, 5280, 3150, 330};

Control List(int frame) { return {frame, 120, 570, 6360, 4200}; }

// Pane buttons in two rows of four: 項目追加, 明細追加, 編集, 上へ移動 / 削除, ...
enum PaneButton { kAdd = 0, kUp = 3, kDelete = 4 };

Control Button(int frame, PaneButton b)
{
    return {frame, 120 + (b % 4) * 1600, 7710 + (b / 4) * 480, 1560, 420};
}

}  // namespace

// Saves the screen and fails the test when the step left a message box open.
#define STEP(...)                                              \
    do {                                                       \
        const QString problem_ = Step(__VA_ARGS__);            \
        QVERIFY2(problem_.isEmpty(), qPrintable(problem_));    \
    } while (0)

class TestWalkthrough : public QObject {
    Q_OBJECT

private:
    XDisplay x_;
    std::unique_ptr<TempSite> site_;
    std::unique_ptr<Connection> db_;
    std::unique_ptr<QProcess> program_;
    QPoint form_;
    QString shots_;

    // ---- the operator's hands ----

    QPoint At(const Control& c) const
    {
        QPoint p = form_ + QPoint(Px(c.left) + Px(c.width) / 2, Px(c.top) + Px(c.height) / 2);
        if (c.frame >= 0)
            p += QPoint(Px(kFrameLeft[c.frame]), Px(kFrameTop));
        return p;
    }

    // The top visible line of a list.
    QPoint TopRow(int frame) const
    {
        const Control list = List(frame);
        return At(list) - QPoint(0, Px(list.height) / 2) + QPoint(0, 8);
    }

    void Keys(const QString& keys, int waitMs = 250)
    {
        x_.Key(keys);
        QTest::qWait(waitMs);
    }

    void Type(const QString& text, int delayMs = 80)
    {
        x_.Type(text, delayMs);
        QTest::qWait(300);
    }

    void Click(const QPoint& p, int count = 1)
    {
        x_.Click(p.x(), p.y(), count);
        QTest::qWait(400);
    }

    // Shows a list line in its pane: a click in the list, Home (or End) and
    // `moves` lines down (or up), then Enter.
    void ShowLine(int frame, int moves, bool fromEnd = false)
    {
        Click(TopRow(frame));
        Keys(QStringLiteral(fromEnd ? "End" : "Home"), 150);
        for (int i = 0; i < moves; ++i)
            Keys(QStringLiteral(fromEnd ? "Up" : "Down"), 100);
        Keys(QStringLiteral("Return"), 400);
    }

    int WindowCount() const { return int(x_.Windows(kTitle).size()); }

    // Waits for a message box, answers it and waits until it is gone.
    bool Answer(const QString& keys)
    {
        if (!QTest::qWaitFor([this] { return WindowCount() >= 2; }, 5000))
            return false;
        QTest::qWait(200);
        x_.Key(keys);
        const bool gone = QTest::qWaitFor([this] { return WindowCount() == 1; }, 10000);
        QTest::qWait(300);
        return gone;
    }

    QString Step(const QString& name, int windows = 1)
    {
        const QString path = QDir(shots_).filePath(name + QStringLiteral(".png"));
        if (!x_.Screenshot(path))
            return QStringLiteral("no screenshot ") + path;
        const int count = WindowCount();
        return count == windows ? QString()
                                : QStringLiteral("%1: %2 windows on the screen, expected %3 (see %4)")
                                      .arg(name).arg(count).arg(windows).arg(path);
    }

    // Types the processing category and the key; each is accepted when full.
    void EnterKey(const char* category, const char* code, const char* bpid)
    {
        Type(QLatin1String(category));
        Type(QLatin1String(code));
        Type(QLatin1String(bpid));
        QTest::qWait(300);
    }

    // Enter through the seven detail settings opens the line screen.
    void EnterDetailSettings()
    {
        for (int i = 0; i < 7; ++i)
            Keys(QStringLiteral("Return"), 300);
        QTest::qWait(400);
    }

    // Esc back to the processing category, Esc again and Yes: the program ends.
    void Close()
    {
        Keys(QStringLiteral("Escape"), 400);
        Keys(QStringLiteral("Escape"), 100);
        QVERIFY2(Answer(QStringLiteral("alt+y")), "no exit confirmation");
        QVERIFY(program_->waitForFinished(10000));
        QCOMPARE(program_->exitStatus(), QProcess::NormalExit);
        QCOMPARE(program_->exitCode(), 0);
    }

    // ---- the stored rows ----

    QList<QStringList> Query(const QString& sql, const QVariantList& params, int columns)
    {
        db_->SetStatement(sql, params);
        ResultSet rs;
        db_->OpenReadOnlyResultset(rs);
        QList<QStringList> rows;
        for (; !rs.AtEnd(); rs.MoveNext()) {
            QStringList row;
            for (int c = 0; c < columns; ++c) {
                const QVariant v = rs.Value(c);
                row << (v.isNull() ? QStringLiteral("<null>") : v.toString());
            }
            rows << row;
        }
        rs.Close();  // never hold a lock the program may need
        return rows;
    }

    QStringList Header(const QString& code, const QString& bpid)
    {
        const auto rows = Query(QStringLiteral("SELECT * FROM FL1902フォーマット情報マスタ"
                                               " WHERE 情報区分コード=? AND BPID=?"),
                                {code, bpid}, 9);
        return rows.isEmpty() ? QStringList() : rows.front();
    }

    // Every column of the key's header and lines.
    QList<QStringList> Dump(const QString& code, const QString& bpid)
    {
        QList<QStringList> rows{Header(code, bpid)};
        rows += Query(QStringLiteral("SELECT * FROM FL1903レコードフォーマット情報マスタ"
                                     " WHERE 情報区分コード=? AND BPID=? ORDER BY 3,4"),
                      {code, bpid}, 16);
        return rows;
    }

    // One layout as "serial|item|link": the item number, or the name of a
    // local line or a group header.
    QStringList Lines(const QString& code, const QString& bpid, const char* type)
    {
        QStringList lines;
        const auto rows = Query(QStringLiteral("SELECT 項目通番,項目№,項目名称,対応項目通番"
                                               " FROM FL1903レコードフォーマット情報マスタ"
                                               " WHERE 情報区分コード=? AND BPID=? AND フォーマット種別=?"
                                               " ORDER BY 項目通番"),
                                {code, bpid, QLatin1String(type)}, 4);
        for (const QStringList& r : rows)
            lines << QStringList{r[0], r[2] == QLatin1String("<null>") ? r[1] : r[2], r[3]}.join(
                QLatin1Char('|'));
        return lines;
    }

    // The first link that its partner does not return, or an empty text.
    QString BrokenLink(const QString& code, const QString& bpid)
    {
        const QStringList standard = Lines(code, bpid, "E");
        const QStringList local = Lines(code, bpid, "L");
        auto check = [](const QStringList& from, const QStringList& to) -> QString {
            for (const QString& line : from) {
                const QStringList f = line.split(QLatin1Char('|'));
                const int link = f[2].toInt();
                if (link > 0 && (link > to.size() || to[link - 1].section(QLatin1Char('|'), 2) != f[0]))
                    return line + QStringLiteral(" -> ") + to.value(link - 1, QStringLiteral("none"));
            }
            return QString();
        };
        const QString a = check(standard, local);
        return a.isEmpty() ? check(local, standard) : a;
    }

    QString OtherFormats(const QString& bpid)
    {
        const auto rows = Query(QStringLiteral("SELECT BPID,COUNT(*) FROM FL1903レコードフォーマット情報マスタ"
                                               " WHERE BPID<>? GROUP BY BPID ORDER BY BPID"),
                                {bpid}, 2);
        QStringList parts;
        for (const QStringList& r : rows)
            parts << r.join(QLatin1Char('='));
        return parts.join(QLatin1Char(' '));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(x_.Ok(), "Xvfb did not start");
        shots_ = qEnvironmentVariable("K450120_SCREENSHOTS", QCoreApplication::applicationDirPath());
        QVERIFY(QDir().mkpath(shots_));
    }

    // A fresh site, the program on it and a second connection for the checks.
    void init()
    {
        site_ = std::make_unique<TempSite>();
        QVERIFY2(site_->Ok(), qPrintable(site_->Error()));
        site_->UseOdbcConfiguration();
        db_ = std::make_unique<Connection>();
        db_->OpenDatabaseConnection(site_->Settings(), QStringLiteral("walk"));
        QProcessEnvironment env = site_->Environment();
        env.insert(QStringLiteral("DISPLAY"), x_.Display());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        program_ = std::make_unique<QProcess>();
        program_->setProcessEnvironment(env);
        program_->start(site_->Program(), {QStringLiteral("OP01")});
        QVERIFY(program_->waitForStarted(5000));
        QVERIFY(x_.WaitForWindow(kTitle, 15000));
        const QList<QRect> windows = x_.Windows(kTitle);
        QCOMPARE(windows.size(), 1);
        QCOMPARE(windows.front().size(), kFormSize);
        form_ = windows.front().topLeft();
        QTest::qWait(400);  // the focus settles in the processing category
    }

    void cleanup()
    {
        if (program_ && program_->state() != QProcess::NotRunning) {
            program_->kill();
            program_->waitForFinished(5000);
        }
        program_.reset();
        db_.reset();
        site_.reset();
    }

    void modifyStoredFormat()
    {
        const QString code = QStringLiteral("0201"), bpid = QStringLiteral("SHIPNT01");
        const auto stored = Dump(code, bpid);
        QCOMPARE(stored.size(), 1 + 27 + 20);

        EnterKey("2", "0201", "SHIPNT01");
        STEP(QStringLiteral("header-screen"));
        QCOMPARE(Dump(code, bpid), stored);

        EnterDetailSettings();
        STEP(QStringLiteral("line-screen"));
        QCOMPARE(Dump(code, bpid), stored);

        // Standard line 1 (item 1) and local line 1 (レコード区分).
        Click(TopRow(0), 2);
        Click(TopRow(1), 2);
        STEP(QStringLiteral("lines-shown"));
        QCOMPARE(Dump(code, bpid), stored);

        // Item 302 below the selected standard line 1.
        Click(At(Button(0, kAdd)));
        Type(QStringLiteral("302"));
        for (int i = 0; i < 3; ++i)
            Keys(QStringLiteral("Return"), 300);
        STEP(QStringLiteral("item-added"));
        QCOMPARE(Dump(code, bpid), stored);

        // Local 作成日 (19 of 20, linked to standard item 3) goes.
        ShowLine(1, 1, true);
        Click(At(Button(1, kDelete)));
        STEP(QStringLiteral("local-deleted"));
        QCOMPARE(Dump(code, bpid), stored);

        // Standard item 402 (now line 9) up above item 411.
        ShowLine(0, 8);
        Click(At(Button(0, kUp)));
        STEP(QStringLiteral("moved-up"));
        QCOMPARE(Dump(code, bpid), stored);

        // Standard item 3 (line 4, unlinked by the deletion) with local 予備 (now last).
        ShowLine(0, 3);
        ShowLine(1, 0, true);
        Click(At(kLinkCreate));
        STEP(QStringLiteral("linked"));
        QCOMPARE(Dump(code, bpid), stored);

        Click(At(kLeave));
        QVERIFY2(Answer(QStringLiteral("alt+y")), "no 更新しますか on 終了");
        QTRY_COMPARE_WITH_TIMEOUT(Lines(code, bpid, "E").size(), 28, 10000);
        STEP(QStringLiteral("lines-saved"));
        const QStringList standard{
            "1|1|0",    "2|302|0",  "3|2|0",    "4|3|19",   "5|4|0",    "6|107|0",
            "7|101|0",  "8|402|3",  "9|411|2",  "10|125|4", "11|121|5", "12|133|6",
            "13|出荷明細|9", "14|406|10", "15|301|11", "16|201|12", "17|202|0", "18|404|14",
            "19|228|15", "20|梱包明細|0", "21|412|0", "22|413|0", "23|227|0", "24|439|0",
            "25|備考明細|17", "26|18|18", "27|414|7", "28|415|8"};
        const QStringList local{
            "1|レコード区分|0", "2|出荷番号|9", "3|出荷日|8", "4|出荷元コード|10",
            "5|納入先コード|11", "6|運送業者コード|12", "7|総梱包数|27", "8|総重量|28",
            "9|出荷明細|13", "10|明細番号|14", "11|注文番号|15", "12|部品番号|16",
            "13|部品名|0", "14|出荷数量|18", "15|単位|19", "16|ロット番号|0",
            "17|備考明細|25", "18|備考|26", "19|予備|4"};
        QCOMPARE(Lines(code, bpid, "E"), standard);
        QCOMPARE(Lines(code, bpid, "L"), local);
        QVERIFY2(BrokenLink(code, bpid).isEmpty(), qPrintable(BrokenLink(code, bpid)));
        // The added line carries the dictionary's attribute and length.
        QCOMPARE(Query(QStringLiteral("SELECT 属性,長さ,レベル番号,変換エラー対処,項目名称"
                                      " FROM FL1903レコードフォーマット情報マスタ WHERE BPID=?"
                                      " AND フォーマット種別='E' AND 項目通番=2"),
                       {bpid}, 5),
                 QList<QStringList>{{"9", "8", "0", "E", "<null>"}});
        QCOMPARE(Header(code, bpid), stored.front());

        Click(At(kHeaderOk));
        QVERIFY2(Answer(QStringLiteral("alt+y")), "no 更新しますか on OK");
        STEP(QStringLiteral("header-saved"));
        QCOMPARE(Header(code, bpid), stored.front());
        QCOMPARE(Lines(code, bpid, "E"), standard);
        QCOMPARE(Lines(code, bpid, "L"), local);
        Close();
    }

    void registerNewFormat()
    {
        const QString code = QStringLiteral("0101"), bpid = QStringLiteral("WALK0001");
        const QList<QStringList> nothing{QStringList()};
        QCOMPARE(Dump(code, bpid), nothing);

        EnterKey("1", "0101", "WALK0001");
        STEP(QStringLiteral("register-key"));
        QCOMPARE(Dump(code, bpid), nothing);

        EnterDetailSettings();
        STEP(QStringLiteral("register-line-screen"));
        QCOMPARE(Dump(code, bpid), nothing);

        // Two standard items: number, Enter, Enter, Enter on 固定項目値.
        const char* const items[] = {"301", "302"};
        for (int i = 0; i < 2; ++i) {
            if (i > 0)
                Click(At(kItemNo));  // the commit left the focus in the local pane
            Type(QLatin1String(items[i]));
            for (int k = 0; k < 3; ++k)
                Keys(QStringLiteral("Return"), 300);
            STEP(QStringLiteral("register-standard-%1").arg(i + 1));
            QCOMPARE(Dump(code, bpid), nothing);
        }

        // Two local items: name, attribute, length, then Enter to the commit.
        Click(At(kItemName));
        Type(QStringLiteral("受注番号"), 150);
        Keys(QStringLiteral("Return"));
        Type(QStringLiteral("x"));  // upper-cased by the field; one character is accepted at once
        Type(QStringLiteral("10"));
        Keys(QStringLiteral("Return"), 300);  // no decimals for X: on to 変換ｴﾗｰ対処
        Keys(QStringLiteral("Return"), 300);
        Keys(QStringLiteral("Return"), 400);
        STEP(QStringLiteral("register-local-1"));
        QCOMPARE(Dump(code, bpid), nothing);

        Click(At(kItemName));
        Type(QStringLiteral("受注数量"), 150);
        Keys(QStringLiteral("Return"));
        Type(QStringLiteral("9"));
        Type(QStringLiteral("8"));
        for (int k = 0; k < 4; ++k)  // 長さ, 小数部長さ, 変換ｴﾗｰ対処, 固定項目値
            Keys(QStringLiteral("Return"), 300);
        STEP(QStringLiteral("register-local-2"));
        QCOMPARE(Dump(code, bpid), nothing);

        Click(At(kLeave));
        QVERIFY2(Answer(QStringLiteral("alt+y")), "no 更新しますか on 終了");
        QTRY_COMPARE_WITH_TIMEOUT(Dump(code, bpid).size(), 1 + 4, 10000);
        STEP(QStringLiteral("register-lines-saved"));
        QCOMPARE(Lines(code, bpid, "E"), (QStringList{"1|301|0", "2|302|0"}));
        QCOMPARE(Lines(code, bpid, "L"), (QStringList{"1|受注番号|0", "2|受注数量|0"}));
        QCOMPARE(Query(QStringLiteral("SELECT 項目位置,属性,長さ,小数部長さ,変換エラー対処"
                                      " FROM FL1903レコードフォーマット情報マスタ WHERE BPID=?"
                                      " AND フォーマット種別='L' ORDER BY 項目通番"),
                       {bpid}, 5),
                 (QList<QStringList>{{"1", "X", "10", "0", "E"}, {"11", "9", "8", "0", "E"}}));
        QCOMPARE(Query(QStringLiteral("SELECT 属性,長さ FROM FL1903レコードフォーマット情報マスタ"
                                      " WHERE BPID=? AND フォーマット種別='E' ORDER BY 項目通番"),
                       {bpid}, 2),
                 (QList<QStringList>{{"X", "15"}, {"9", "8"}}));

        Click(At(kHeaderOk));
        QVERIFY2(Answer(QStringLiteral("alt+y")), "no 更新しますか on OK");
        QTRY_COMPARE_WITH_TIMEOUT(Header(code, bpid).size(), 9, 10000);
        STEP(QStringLiteral("register-header-saved"));
        // The defaults of the detail settings.
        QCOMPARE(Header(code, bpid).join(QLatin1Char('|')),
                 QStringLiteral("0101|WALK0001|11|CII111|M|S|S|T|S"));
        QCOMPARE(Dump(code, bpid).size(), 1 + 4);
        Close();
    }

    void deleteFormat()
    {
        const QString code = QStringLiteral("0401"), bpid = QStringLiteral("INVOIC01");
        const auto stored = Dump(code, bpid);
        QVERIFY(stored.size() > 1);
        const QString others = OtherFormats(bpid);

        EnterKey("9", "0401", "INVOIC01");
        STEP(QStringLiteral("delete-key"));
        QCOMPARE(Dump(code, bpid), stored);

        Click(At(kHeaderOk));
        QVERIFY(QTest::qWaitFor([this] { return WindowCount() == 2; }, 5000));
        STEP(QStringLiteral("delete-confirm"), 2);
        QCOMPARE(Dump(code, bpid), stored);  // nothing goes before the answer

        QVERIFY2(Answer(QStringLiteral("Return")), "削除しますか not answered");
        QTRY_VERIFY_WITH_TIMEOUT(Header(code, bpid).isEmpty(), 10000);
        STEP(QStringLiteral("delete-done"));
        QCOMPARE(Dump(code, bpid), QList<QStringList>{QStringList()});
        QCOMPARE(OtherFormats(bpid), others);
        Close();
    }
};

QTEST_GUILESS_MAIN(TestWalkthrough)
#include "test_walkthrough.moc"
