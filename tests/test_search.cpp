// The two search dialogs, driven as an operator would while they run modally:
// the code search against the sample database of a temporary site, the
// information-category search against the site's category file.

#include "search/category_search.h"
#include "search/code_search.h"
#include "core/shift_jis.h"
#include "support/form_harness.h"
#include "support/message_box_answerer.h"
#include "support/modal_driver.h"

#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <sys/stat.h>

namespace {

const QString kCodes = QStringLiteral("SEARCH_MSTDB");
const QString kCategories = QStringLiteral("G_GRID");

QTableWidget* Grid(QDialog* d)
{
    return d->findChild<QTableWidget*>(d->objectName() == kCodes ? QStringLiteral("GRID") : QStringLiteral("MSFLEXGRID"));
}

void Click(QDialog* d, const char* button)
{
    d->findChild<QPushButton*>(QLatin1String(button))->click();
}

// Each row, and the headings, as "column|column"; the category grid's first column is hidden.
QStringList Rows(QDialog* d)
{
    const QTableWidget* g = Grid(d);
    const int from = d->objectName() == kCodes ? 0 : 1;
    QStringList rows, headings;
    for (int c = from; c < g->columnCount(); ++c)
        headings << g->horizontalHeaderItem(c)->text();
    rows << headings.join(QLatin1Char('|'));
    for (int r = 0; r < g->rowCount(); ++r) {
        QStringList cells;
        for (int c = from; c < g->columnCount(); ++c)
            cells << g->item(r, c)->text();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

// The events of a real double click: QTest's double click alone has no press.
void DoubleClickRow(QTableWidget* g, int row)
{
    const QPoint at = g->visualRect(g->model()->index(row, g->columnCount() - 1)).center();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(g->viewport(), Qt::LeftButton, {}, at);
}

// Changes made inside are undone at the end of the scope, also when a check failed.
struct Scratch {
    explicit Scratch(Connection& db) : db(db) { db.BeginTrans(); }
    ~Scratch()
    {
        try {
            db.RollbackTrans();
        } catch (const SqlError&) {
        }
    }
    Connection& db;
};

QString Joined(std::initializer_list<const QLineEdit*> edits)
{
    QStringList texts;
    for (const QLineEdit* e : edits)
        texts << e->text();
    return texts.join(QLatin1Char('|'));
}

}  // namespace

class TestSearch : public QObject {
    Q_OBJECT

private:
    TempSite site_;
    Connection db_;
    QByteArray categoryFile_, ini_;

    static void WriteAll(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    void AddKeys(const QList<QVariantList>& keys)
    {
        for (const QVariantList& key : keys)
            Execute(db_, QStringLiteral("INSERT INTO FL1902フォーマット情報マスタ (情報区分コード,BPID) VALUES (?,?)"), key);
    }
    qint16 Categories(QLineEdit* code, QLineEdit* name, qint16 status = 0, const QString& folder = QString())
    {
        OpenCategorySearch(nullptr, folder.isEmpty() ? site_.ProgramFolder() : folder, code, name, status);
        return status;
    }

    // The search is expected to give the no-data box and no dialog.
    void ExpectNoData(const std::function<void()>& search)
    {
        MessageBoxAnswerer answerer;
        ModalDriver driver(kCodes, [](QDialog* d) { d->reject(); });
        search();
        QVERIFY(!driver.Seen());
        QCOMPARE(answerer.Seen().size(), 1);
        QCOMPARE(answerer.Seen().front().text, QStringLiteral("検索データが有りません"));
        QCOMPARE(answerer.Seen().front().icon, QMessageBox::NoIcon);
        QCOMPARE(answerer.Seen().front().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

private slots:
    void initTestCase()
    {
        const QString error = OpenSiteDatabase(site_, db_);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QFile category(site_.CategoryFile()), ini(site_.IniPath());
        QVERIFY(category.open(QIODevice::ReadOnly) && ini.open(QIODevice::ReadOnly));
        categoryFile_ = category.readAll();
        ini_ = ini.readAll();
    }

    void cleanup()
    {
        WriteAll(site_.CategoryFile(), categoryFile_);
        WriteAll(site_.IniPath(), ini_);
    }

    void formatKeys()
    {
        Scratch scratch(db_);
        AddKeys({{"0101", "ORDERS03"}, {"0101", "ORDERS02  "}, {"0201", "ORDERS00"}, {"0301", "B"}, {"0001", "Z"}});
        QLineEdit category(QStringLiteral("0101")), first, bpid(QStringLiteral("old"));
        QString title;
        QStringList rows;
        int current = -1;
        // The typed category filters; the chosen BPID comes trimmed.
        ModalDriver one(kCodes, [&](QDialog* d) {
            title = d->windowTitle();
            rows = Rows(d);
            current = Grid(d)->selectionModel()->isRowSelected(0, {}) ? Grid(d)->currentRow() : -1;
            Grid(d)->setCurrentCell(1, 1);
            Click(d, "SELECT");
        });
        OpenCodeSearch(nullptr, db_, CodeSearchKind::FormatKey, &category, nullptr, &bpid);
        QVERIFY(one.Seen());
        QCOMPARE(title, QStringLiteral("□□ 検索 □□"));
        QCOMPARE(rows, (QStringList{"情報区分コード|BPID", "0101|ORDERS01", "0101|ORDERS02  ", "0101|ORDERS03"}));
        QCOMPARE(current, 0);
        QCOMPARE(Joined({&category, &bpid}), QStringLiteral("0101|ORDERS02"));
        QCOMPARE(db_.SqlParams, (QVariantList{QStringLiteral("0101")}));

        // No category: every key in key order; Return takes the row to both targets.
        ModalDriver all(kCodes, [&](QDialog* d) {
            rows = Rows(d);
            Grid(d)->setCurrentCell(6, 0);
            QTest::keyClick(Grid(d), Qt::Key_Return);
        });
        OpenCodeSearch(nullptr, db_, CodeSearchKind::FormatKey, &first, &category, &bpid);
        QVERIFY(all.Seen());
        QCOMPARE(rows.mid(1), (QStringList{"0001|Z", "0101|ORDERS01", "0101|ORDERS02  ", "0101|ORDERS03", "0201|ORDERS00",
                                           "0201|SHIPNT01", "0301|B", "0401|INVOIC01"}));
        QCOMPARE(Joined({&first, &category, &bpid}), QStringLiteral("|0301|B"));
        QVERIFY(db_.SqlParams.isEmpty());
    }

    void itemDictionary()
    {
        const int count = QueryRows(db_, QStringLiteral("SELECT COUNT(*) FROM FL1901項目情報マスタ")).value(0).toInt();
        Scratch scratch(db_);
        Execute(db_, QStringLiteral("INSERT INTO FL1901項目情報マスタ (項目No,データ項目名) VALUES (0,?)"), {QStringLiteral("  空白付き  ")});
        QLineEdit first(QStringLiteral("keep")), number, name;
        QStringList rows;
        int blanks = -1;
        ModalDriver driver(kCodes, [&](QDialog* d) {
            rows = Rows(d);
            // The statement has no order: find the row wherever the engine put it.
            blanks = Grid(d)->findItems(QStringLiteral("0"), Qt::MatchExactly).front()->row();
            DoubleClickRow(Grid(d), blanks);
        });
        OpenCodeSearch(nullptr, db_, CodeSearchKind::ItemNumber, &first, &number, &name);
        QVERIFY(driver.Seen());
        QCOMPARE(rows.size(), 1 + count + 1);
        QVERIFY(count > 200);
        QCOMPARE(rows.front(), QStringLiteral("項目No|データ項目名"));
        QCOMPARE(rows[1 + blanks], QStringLiteral("0|  空白付き  "));
        QCOMPARE(Joined({&first, &number, &name}), QStringLiteral("keep|0|空白付き"));
    }

    void nothingToShow()
    {
        QLineEdit filter(QStringLiteral("0101' OR '1'='1")), second(QStringLiteral("s")), third(QStringLiteral("t"));
        ExpectNoData([&] { OpenCodeSearch(nullptr, db_, CodeSearchKind::FormatKey, &filter, &second, &third); });
        {
            Scratch scratch(db_);
            Execute(db_, QStringLiteral("DELETE FROM FL1901項目情報マスタ"));
            ExpectNoData([&] { OpenCodeSearch(nullptr, db_, CodeSearchKind::ItemNumber, &filter, &second, &third); });
        }
        // A failing database reads as an empty one.
        Connection closed;
        ExpectNoData([&] { OpenCodeSearch(nullptr, closed, CodeSearchKind::ItemNumber, &filter, &second, &third); });
        QCOMPARE(Joined({&filter, &second, &third}), QStringLiteral("0101' OR '1'='1|s|t"));
    }

    void leaving_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("firstAfter");
        // Esc in the code search empties the filter; Esc on 選択 of the category search the code.
        QTest::newRow("code search, Esc in the grid") << kCodes << "esc-grid" << "";
        QTest::newRow("code search, 中止") << kCodes << "STOP" << "0101";
        QTest::newRow("category search, Esc in the grid") << kCategories << "esc-grid" << "0101";
        QTest::newRow("category search, Esc on 選択") << kCategories << "esc-SELECT" << "";
    }

    void leaving()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, action);
        QFETCH(QString, firstAfter);
        QLineEdit first(QStringLiteral("0101")), second(QStringLiteral("s")), third(QStringLiteral("t"));
        bool closed = false;
        ModalDriver driver(dialog, [&](QDialog* d) {
            if (action == QLatin1String("esc-grid")) {
                QTest::keyClick(Grid(d), Qt::Key_Escape);
            } else if (action.startsWith(QLatin1String("esc-"))) {
                auto* button = d->findChild<QPushButton*>(action.mid(4));
                button->setFocus();
                QTest::keyClick(button, Qt::Key_Escape);
            } else {
                Click(d, "STOP");
            }
            closed = !d->isVisible();
        });
        if (dialog == kCodes)
            OpenCodeSearch(nullptr, db_, CodeSearchKind::FormatKey, &first, &second, &third);
        else
            QCOMPARE(Categories(&first, &second), qint16(0));
        QVERIFY(driver.Seen() && closed);
        QCOMPARE(Joined({&first, &second, &third}), firstAfter + QStringLiteral("|s|t"));
    }

    void categoryList()
    {
        QLineEdit code, name;
        QString title;
        QStringList rows;
        bool firstRowSelected = false;
        ModalDriver driver(kCategories, [&](QDialog* d) {
            QTableWidget* g = Grid(d);
            title = d->windowTitle();
            rows = Rows(d);
            firstRowSelected = g->currentRow() == 0 && g->selectionModel()->selectedRows().size() == 1
                && g->selectionModel()->isRowSelected(0, {});
            QVERIFY(g->isColumnHidden(0) || g->columnWidth(0) == 0);
            g->setCurrentCell(15, 1);
            QTest::keyClick(g, Qt::Key_Enter);
        });
        QCOMPARE(Categories(&code, &name, 5), qint16(5));
        QVERIFY(driver.Seen());
        QCOMPARE(title, QStringLiteral("情報区分検索"));
        QVERIFY(firstRowSelected);
        QCOMPARE(rows.size(), 1 + 16);
        QCOMPARE(rows.mid(0, 3), (QStringList{"情報区分ｺｰﾄﾞ|情報区分名", "0101|発注", "0102|発注変更"}));
        QCOMPARE(rows.back(), QStringLiteral("99  |テスト用区分"));
        QCOMPARE(Joined({&code, &name}), QStringLiteral("99|テスト用区分"));
    }

    void categoryFileContents()
    {
        const QString wide = QStringLiteral("全角").repeated(10);
        WriteAll(site_.CategoryFile(), ToAnsi(QStringLiteral("A001") + wide + QStringLiteral("\r\n05")));
        QLineEdit code, name;
        QStringList rows;
        ModalDriver whole(kCategories, [&](QDialog* d) {
            rows = Rows(d);
            Click(d, "SELECT");
        });
        Categories(&code, &name);
        QCOMPARE(rows.mid(1), (QStringList{QStringLiteral("A001|") + wide, "05|"}));
        QCOMPARE(Joined({&code, &name}), QStringLiteral("A001|") + wide);
        // A line too short for a name; a double click chooses it.
        ModalDriver shortLine(kCategories, [&](QDialog* d) { DoubleClickRow(Grid(d), 1); });
        QCOMPARE(Categories(&code, &name), qint16(0));
        QVERIFY(shortLine.Seen());
        QCOMPARE(Joined({&code, &name}), QStringLiteral("05|"));

        // An empty file: an empty grid where 選択 does nothing.
        WriteAll(site_.CategoryFile(), QByteArray());
        bool openAfterSelect = false;
        ModalDriver empty(kCategories, [&](QDialog* d) {
            rows = Rows(d);
            Click(d, "SELECT");
            openAfterSelect = d->isVisible();
            Click(d, "STOP");
        });
        QCOMPARE(Categories(&code, &name), qint16(0));
        QCOMPARE(rows, QStringList{QStringLiteral("情報区分ｺｰﾄﾞ|情報区分名")});
        QVERIFY(openAfterSelect);
        QCOMPARE(Joined({&code, &name}), QStringLiteral("05|"));
    }

    void categoryFileMissing()
    {
        QLineEdit code(QStringLiteral("c")), name(QStringLiteral("n"));
        MessageBoxAnswerer answerer;
        ModalDriver driver(kCategories, [](QDialog* d) { d->reject(); });
        QVERIFY(QFile::remove(site_.CategoryFile()));
        QCOMPARE(Categories(&code, &name), qint16(9));
        // A FIFO in its place is no file to read either.
        QCOMPARE(mkfifo(QFile::encodeName(site_.CategoryFile()).constData(), 0600), 0);
        QCOMPARE(Categories(&code, &name), qint16(9));
        QVERIFY(QFile::remove(site_.CategoryFile()));
        WriteAll(site_.CategoryFile(), categoryFile_);
        site_.SetIniValue(QStringLiteral("PATH"), QStringLiteral("JOHOKUBUN"), QString());
        QCOMPARE(Categories(&code, &name), qint16(9));
        // No EDI.ini can be located from a folder without two parents.
        QCOMPARE(Categories(&code, &name, 0, QStringLiteral("BIN")), qint16(9));
        QVERIFY(!driver.Seen());
        QVERIFY(answerer.Seen().isEmpty());
        QCOMPARE(Joined({&code, &name}), QStringLiteral("c|n"));
    }
};

QTEST_MAIN(TestSearch)
#include "test_search.moc"
