// An operator's walkthrough of the real program under a private X server,
// by keyboard and mouse only: a stored format modified, a new one registered
// and one deleted, with the stored rows checked and the screen saved after
// every step.

#include "support/form_harness.h"
#include "support/x_display.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTest>

#include <memory>

namespace {

const QString kTitle = QStringLiteral("フォーマット情報マスタ保守");
const QSize kFormSize(1008, 692);

const char* const kKey = "情報区分コード=? AND BPID=?";

int Px(int twips) { return (twips + 7) / 15; }

// A control's rectangle in twips, relative to the form (frame -1) or to one
// of the layout frames of the line screen (0 standard, 1 local).
struct Spot { int frame, left, top, width, height; };

// Where the line screen puts its two frames.
const int kFrameLeft[2] = {210, 8310};
constexpr int kFrameTop = 1190;

constexpr Spot kHeaderOk{-1, 9120 + 2 * 1470, 420, 1410, 420};
// The buttons between the frames are widened to fill the gap.
constexpr Spot kLinkCreate{-1, 6810, 2400, 1500, 450};
constexpr Spot kLeave{-1, 6810, 7140, 1500, 450};
constexpr Spot kItemNo{0, 1390, 5280, 900, 330};
constexpr Spot kItemName{1, 3330, 5280, 3150, 330};

Spot List(int frame) { return {frame, 120, 570, 6360, 4200}; }

// Pane buttons in two rows of four: 項目追加, 明細追加, 編集, 上へ移動 / 削除, ...
enum PaneButton { kAdd = 0, kUp = 3, kDelete = 4 };

Spot Button(int frame, PaneButton b) { return {frame, 120 + b % 4 * 1600, 7710 + b / 4 * 480, 1560, 420}; }

}  // namespace

// One step's screenshot and checks; see Step().
#define STEP(...) QVERIFY2(Step(__VA_ARGS__), qPrintable(problem_))

class TestWalkthrough : public QObject {
    Q_OBJECT

private:
    XDisplay x_;
    // Every site lives to the end: unixODBC of this process trips over the
    // configuration of a deleted site ("Data source name not found").
    std::unique_ptr<TempSite> site_;
    std::unique_ptr<Connection> db_;
    std::unique_ptr<QProcess> program_;
    QPoint form_;
    QString shots_;
    QString code_, bpid_;  // the key of the road
    QString problem_;      // what the last step found wrong

    // ---- the operator's hands ----

    QPoint At(const Spot& c) const
    {
        QPoint p = form_ + QPoint(Px(c.left) + Px(c.width) / 2, Px(c.top) + Px(c.height) / 2);
        if (c.frame >= 0)
            p += QPoint(Px(kFrameLeft[c.frame]), Px(kFrameTop));
        return p;
    }

    // The top visible line of a list.
    QPoint TopRow(int frame) const
    {
        const Spot list = List(frame);
        return At(list) - QPoint(0, Px(list.height) / 2) + QPoint(0, 8);
    }

    // Each action waits a moment for the program to follow.
    void Keys(const QString& keys, int waitMs = 250) { x_.Key(keys); QTest::qWait(waitMs); }
    void Type(const QString& text, int delayMs = 80) { x_.Type(text, delayMs); QTest::qWait(300); }
    void Click(const QPoint& p, int count = 1) { x_.Click(p.x(), p.y(), count); QTest::qWait(400); }

    // Shows a list line in its pane: a click in the list, Home (or End) and
    // `moves` lines down (or up), then Enter.
    void ShowLine(int frame, int moves, bool fromEnd = false)
    {
        Click(TopRow(frame));
        Keys(QLatin1String(fromEnd ? "End" : "Home"), 150);
        for (int i = 0; i < moves; ++i)
            Keys(QLatin1String(fromEnd ? "Up" : "Down"), 100);
        Keys(QStringLiteral("Return"), 400);
    }

    int WindowCount() const { return int(x_.Windows(kTitle).size()); }

    // Waits for a message box, answers it and waits until it is gone (with
    // the form, when the answer ends the program).
    bool Answer(const QString& keys)
    {
        if (!QTest::qWaitFor([this] { return WindowCount() >= 2; }, 5000))
            return false;
        QTest::qWait(200);
        x_.Key(keys);
        const bool gone = QTest::qWaitFor([this] { return WindowCount() < 2; }, 10000);
        QTest::qWait(300);
        return gone;
    }

    // Saves the screen as <name>.png; false (with problem_) when other than
    // `windows` windows are open, or the key's stored rows are not `rows` (if given).
    bool Step(const char* name, const QStringList& rows = {}, int windows = 1)
    {
        const QString path = QDir(shots_).filePath(QLatin1String(name) + QStringLiteral(".png"));
        const int count = WindowCount();
        const QStringList stored = rows.isEmpty() ? rows : Dump();
        if (!x_.Screenshot(path))
            problem_ = QStringLiteral("no screenshot ") + path;
        else if (count != windows)
            problem_ = QStringLiteral("%1: %2 windows open, expected %3").arg(name).arg(count).arg(windows);
        else if (stored != rows)
            problem_ = QStringLiteral("%1: stored rows\n%2\nexpected\n%3")
                           .arg(name, stored.join(QLatin1Char('\n')), rows.join(QLatin1Char('\n')));
        else
            problem_.clear();
        return problem_.isEmpty();
    }

    // Types the processing category and the road's key; each is accepted when full.
    void EnterKey(const char* category)
    {
        Type(QLatin1String(category));
        Type(code_);
        Type(bpid_);
        QTest::qWait(300);
    }

    // A standard item: its number, Enter, Enter, and Enter on 固定項目値 commits.
    void AddStandard(const char* item)
    {
        Type(QLatin1String(item));
        Enter(3);
    }

    // A local item from 項目名称 on: the attribute (one character) is accepted
    // at once; Enter on the length and on to the commit.
    void AddLocal(const QString& name, const char* attribute, const char* length, int enters)
    {
        Click(At(kItemName));
        Type(name, 150);
        Enter(1);
        Type(QLatin1String(attribute));
        Type(QLatin1String(length));
        Enter(enters);
    }

    void Enter(int times)
    {
        for (int i = 0; i < times; ++i)
            Keys(QStringLiteral("Return"), 300);
    }

    // A click on 終了 or OK and Yes to 更新しますか.
    bool Save(const Spot& button)
    {
        Click(At(button));
        return Answer(QStringLiteral("alt+y"));
    }

    // Esc back to the processing category, Esc again and Yes: the program ends.
    void Close()
    {
        Keys(QStringLiteral("Escape"), 400);
        Keys(QStringLiteral("Escape"), 100);
        QVERIFY2(Answer(QStringLiteral("alt+y")), "no exit confirmation");
        QTRY_COMPARE_WITH_TIMEOUT(program_->state(), QProcess::NotRunning, 10000);
        QCOMPARE(program_->exitStatus(), QProcess::NormalExit);
        QCOMPARE(program_->exitCode(), 0);
    }

    // ---- the stored rows ----

    // The rows of the header table or the lines table that match `where`.
    QStringList Rows(bool lines, const char* where, const QVariantList& params)
    {
        return QueryRows(*db_, QStringLiteral("SELECT * FROM %1 WHERE %2 ORDER BY 1,2%3")
                                   .arg(lines ? QStringLiteral("FL1903レコードフォーマット情報マスタ")
                                              : QStringLiteral("FL1902フォーマット情報マスタ"),
                                        QString::fromUtf8(where), lines ? QStringLiteral(",3,4") : QString()),
                         params);
    }

    QString Header() { return Rows(false, kKey, {code_, bpid_}).value(0); }
    // The key's header (empty when absent) and lines, every column.
    QStringList Dump() { return QStringList{Header()} + Rows(true, kKey, {code_, bpid_}); }
    QStringList Others() { return Rows(false, "BPID<>?", {bpid_}) + Rows(true, "BPID<>?", {bpid_}); }

    // One layout as "serial|item|link": the name of a local line or a group
    // header, else the item number.
    QStringList Lines(const char* type)
    {
        return QueryRows(*db_, QStringLiteral("SELECT 項目通番,COALESCE(項目名称,CAST(項目№ AS VARCHAR(10))),"
                                              "対応項目通番 FROM FL1903レコードフォーマット情報マスタ"
                                              " WHERE 情報区分コード=? AND BPID=? AND フォーマット種別=? ORDER BY 項目通番"),
                         {code_, bpid_, QLatin1String(type)});
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(x_.Ok(), "Xvfb did not start");
        shots_ = qEnvironmentVariable("K450120_SCREENSHOTS", QCoreApplication::applicationDirPath());
        QVERIFY(QDir().mkpath(shots_));
        // One site for every road (each road has its own keys): the ODBC
        // layer of this process reads its configuration once.
        site_ = std::make_unique<TempSite>();
        QVERIFY2(site_->Ok(), qPrintable(site_->Error()));
        site_->UseOdbcConfiguration();
    }

    // The program on the site and a second connection for the checks.
    void init()
    {
        const TempSite& site = *site_;
        db_ = std::make_unique<Connection>();
        db_->OpenDatabaseConnection(site.Settings(), QStringLiteral("walk"));
        QProcessEnvironment env = site.Environment();
        env.insert(QStringLiteral("DISPLAY"), x_.Display());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        program_ = std::make_unique<QProcess>();
        program_->setProcessEnvironment(env);
        program_->start(site.Program(), {QStringLiteral("OP01")});
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
        program_.reset();  // kills a program that a failed step left running
        db_.reset();
    }

    void cleanupTestCase() { site_.reset(); }

    void modifyStoredFormat()
    {
        code_ = QStringLiteral("0201");
        bpid_ = QStringLiteral("SHIPNT01");
        const QStringList stored = Dump();
        QCOMPARE(stored.size(), 1 + 27 + 20);

        EnterKey("2");
        STEP("header-screen", stored);

        Enter(7);  // through the detail settings to the line screen
        STEP("line-screen", stored);

        // Standard line 1 (item 1) and local line 1 (レコード区分).
        Click(TopRow(0), 2);
        Click(TopRow(1), 2);
        STEP("lines-shown", stored);

        // Item 302 below the selected standard line 1.
        Click(At(Button(0, kAdd)));
        AddStandard("302");
        STEP("item-added", stored);

        // Local 作成日 (19 of 20, linked to standard item 3) goes.
        ShowLine(1, 1, true);
        Click(At(Button(1, kDelete)));
        STEP("local-deleted", stored);

        // Standard item 402 (now line 9) up above item 411.
        ShowLine(0, 8);
        Click(At(Button(0, kUp)));
        STEP("moved-up", stored);

        // Standard item 3 (line 4, unlinked by the deletion) with local 予備 (now last).
        ShowLine(0, 3);
        ShowLine(1, 0, true);
        Click(At(kLinkCreate));
        STEP("linked", stored);

        QVERIFY2(Save(kLeave), "no 更新しますか on 終了");
        QTRY_COMPARE_WITH_TIMEOUT(Lines("E").size(), 28, 10000);
        STEP("lines-saved");
        // 302 added as line 2, 402 above 411, item 3 linked with local 予備 (19), and
        // every link renumbered on both layouts.
        const QStringList standard{
            "1|1|0", "2|302|0", "3|2|0", "4|3|19", "5|4|0", "6|107|0", "7|101|0", "8|402|3",
            "9|411|2", "10|125|4", "11|121|5", "12|133|6", "13|出荷明細|9", "14|406|10",
            "15|301|11", "16|201|12", "17|202|0", "18|404|14", "19|228|15", "20|梱包明細|0",
            "21|412|0", "22|413|0", "23|227|0", "24|439|0", "25|備考明細|17", "26|18|18",
            "27|414|7", "28|415|8"};
        // 作成日 gone; each link the mirror of the standard one.
        const QStringList local{
            "1|レコード区分|0", "2|出荷番号|9", "3|出荷日|8", "4|出荷元コード|10",
            "5|納入先コード|11", "6|運送業者コード|12", "7|総梱包数|27", "8|総重量|28",
            "9|出荷明細|13", "10|明細番号|14", "11|注文番号|15", "12|部品番号|16", "13|部品名|0",
            "14|出荷数量|18", "15|単位|19", "16|ロット番号|0", "17|備考明細|25", "18|備考|26",
            "19|予備|4"};
        QCOMPARE(Lines("E"), standard);
        QCOMPARE(Lines("L"), local);
        // The added line with the dictionary's attribute and length; the header as it was.
        QCOMPARE(Rows(true, "BPID=? AND フォーマット種別='E' AND 項目通番=2", {bpid_}).value(0),
                 QStringLiteral("0201|SHIPNT01|E|2|0|0|302|<null>|<null>|9|8|0|0|0||E"));
        const QStringList saved = Dump();
        QCOMPARE(saved.front(), stored.front());

        QVERIFY2(Save(kHeaderOk), "no 更新しますか on OK");
        STEP("header-saved", saved);
        Close();
    }

    void registerNewFormat()
    {
        code_ = QStringLiteral("0101");
        bpid_ = QStringLiteral("WALK0001");
        const QStringList nothing{QString()};
        QCOMPARE(Dump(), nothing);

        EnterKey("1");
        STEP("register-key", nothing);

        Enter(7);  // through the detail settings to the line screen
        STEP("register-line-screen", nothing);

        AddStandard("301");
        STEP("register-standard-1", nothing);
        Click(At(kItemNo));  // the commit left the focus in the local pane
        AddStandard("302");
        STEP("register-standard-2", nothing);

        // The field upper-cases x; an X item has no decimals to pass.
        AddLocal(QStringLiteral("受注番号"), "x", "10", 3);
        STEP("register-local-1", nothing);
        AddLocal(QStringLiteral("受注数量"), "9", "8", 4);
        STEP("register-local-2", nothing);

        QVERIFY2(Save(kLeave), "no 更新しますか on 終了");
        QTRY_COMPARE_WITH_TIMEOUT(Dump().size(), 1 + 4, 10000);
        STEP("register-lines-saved");
        const QStringList lines{"0101|WALK0001|E|1|0|0|301|<null>|<null>|X|15|0|0|0||E",
                                "0101|WALK0001|E|2|0|0|302|<null>|<null>|9|8|0|0|0||E",
                                "0101|WALK0001|L|1|0|0|0|1|受注番号|X|10|0||0||E",
                                "0101|WALK0001|L|2|0|0|0|11|受注数量|9|8|0||0||E"};
        QCOMPARE(Dump().mid(1), lines);

        QVERIFY2(Save(kHeaderOk), "no 更新しますか on OK");
        QTRY_VERIFY_WITH_TIMEOUT(!Header().isEmpty(), 10000);
        // The header with the defaults of the detail settings, the lines as saved.
        STEP("register-header-saved", QStringList{"0101|WALK0001|11|CII111|M|S|S|T|S"} + lines);
        Close();
    }

    void deleteFormat()
    {
        code_ = QStringLiteral("0401");
        bpid_ = QStringLiteral("INVOIC01");
        const QStringList stored = Dump();
        QVERIFY(stored.size() > 1);
        const QStringList others = Others();

        EnterKey("9");
        STEP("delete-key", stored);

        Click(At(kHeaderOk));
        QVERIFY(QTest::qWaitFor([this] { return WindowCount() == 2; }, 5000));
        STEP("delete-confirm", stored, 2);  // nothing goes before the answer

        QVERIFY2(Answer(QStringLiteral("Return")), "削除しますか not answered");
        QTRY_VERIFY_WITH_TIMEOUT(Header().isEmpty(), 10000);
        STEP("delete-done", QStringList{QString()});
        QCOMPARE(Others(), others);
        Close();
    }
};

QTEST_GUILESS_MAIN(TestWalkthrough)
#include "test_walkthrough.moc"
