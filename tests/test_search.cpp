// The two search dialogs, driven as an operator would while they run modally:
// the code search against the sample database of a temporary site, the
// information-category search against the site's category file.

#include "search/category_search.h"
#include "search/code_search.h"
#include "shell/connection.h"
#include "shell/shift_jis.h"
#include "support/message_box_answerer.h"
#include "support/modal_driver.h"
#include "support/temp_site.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

QTableWidget* GridOf(QDialog* d, const char* name)
{
    return d->findChild<QTableWidget*>(QString::fromLatin1(name));
}

void Click(QDialog* d, const char* button)
{
    d->findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

// Each row as "column|column" over the given columns.
QStringList Rows(const QTableWidget* g, int fromColumn)
{
    QStringList rows;
    for (int r = 0; r < g->rowCount(); ++r) {
        QStringList cells;
        for (int c = fromColumn; c < g->columnCount(); ++c)
            cells << g->item(r, c)->text();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList Headings(const QTableWidget* g, int fromColumn)
{
    QStringList headings;
    for (int c = fromColumn; c < g->columnCount(); ++c)
        headings << g->horizontalHeaderItem(c)->text();
    return headings;
}

// The events of a real double click: QTest's double click alone has no press.
void DoubleClickRow(QTableWidget* g, int row)
{
    const QPoint at = g->visualRect(g->model()->index(row, g->columnCount() - 1)).center();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(g->viewport(), Qt::LeftButton, {}, at);
}

// Changes made inside are undone at the end of the scope.
class Scratch {
public:
    explicit Scratch(Connection& db) : db_(db) { db_.BeginTrans(); }
    ~Scratch()
    {
        try {
            db_.RollbackTrans();
        } catch (const SqlError&) {
        }
    }
    void Run(const QString& sql, const QVariantList& params = {})
    {
        db_.SetStatement(sql, params);
        db_.ExecuteStatement();
    }

private:
    Connection& db_;
};

const QString kNoData = QStringLiteral("検索データが有りません");

}  // namespace

class TestSearch : public QObject {
    Q_OBJECT

private:
    TempSite site_;
    Connection db_;
    QByteArray categoryFile_;
    QByteArray ini_;

    static QByteArray ReadAll(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void WriteAll(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    void WriteCategories(const QStringList& lines)
    {
        WriteAll(site_.CategoryFile(), ToAnsi(lines.join(QStringLiteral("\r\n"))));
    }

    // The search is expected to give the no-data box and no dialog.
    void ExpectNoData(const std::function<void()>& search)
    {
        MessageBoxAnswerer answerer;
        ModalDriver driver(QStringLiteral("SEARCH_MSTDB"), [](QDialog* d) { d->reject(); });
        search();
        QVERIFY(!driver.Seen());
        QCOMPARE(answerer.Seen().size(), 1);
        const SeenBox& box = answerer.Seen().front();
        QCOMPARE(box.text, kNoData);
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(site_.Ok(), qPrintable(site_.Error()));
        site_.UseOdbcConfiguration();
        db_.OpenDatabaseConnection(site_.Settings(), QStringLiteral("test-host"));
        categoryFile_ = ReadAll(site_.CategoryFile());
        ini_ = ReadAll(site_.IniPath());
        QVERIFY(!categoryFile_.isEmpty() && !ini_.isEmpty());
    }

    void cleanup()
    {
        WriteAll(site_.CategoryFile(), categoryFile_);
        WriteAll(site_.IniPath(), ini_);
    }

    void formatKeysOfOneCategory()
    {
        Scratch scratch(db_);
        const QString sql = QStringLiteral(
            "INSERT INTO FL1902フォーマット情報マスタ (情報区分コード,BPID) VALUES (?,?)");
        scratch.Run(sql, {QStringLiteral("0101"), QStringLiteral("ORDERS03")});
        scratch.Run(sql, {QStringLiteral("0101"), QStringLiteral("ORDERS02  ")});
        scratch.Run(sql, {QStringLiteral("0201"), QStringLiteral("ORDERS00")});

        QLineEdit category(QStringLiteral("0101"));
        QLabel bpid(QStringLiteral("old"));
        QString title;
        QStringList rows, headings;
        QList<int> sizes;
        int current = -1;
        ModalDriver driver(QStringLiteral("SEARCH_MSTDB"), [&](QDialog* d) {
            QTableWidget* g = GridOf(d, "GRID");
            title = d->windowTitle();
            rows = Rows(g, 0);
            headings = Headings(g, 0);
            sizes = {g->columnWidth(0), g->columnWidth(1), g->width(), d->width()};
            current = g->selectionModel()->isRowSelected(0, {}) ? g->currentRow() : -1;
            g->setCurrentCell(1, 1);
            Click(d, "SELECT");
        });
        OpenCodeSearch(nullptr, db_, CodeSearchKind::FormatKey, &category, nullptr, &bpid);

        QVERIFY(driver.Seen());
        QCOMPARE(title, QStringLiteral("□□ 検索 □□"));
        QCOMPARE(headings, (QStringList{"情報区分コード", "BPID"}));
        QCOMPARE(rows, (QStringList{"0101|ORDERS01", "0101|ORDERS02  ", "0101|ORDERS03"}));
        QCOMPARE(sizes, (QList<int>{167, 200, 367, 413}));
        QCOMPARE(current, 0);
        QCOMPARE(bpid.text(), QStringLiteral("ORDERS02"));
        QCOMPARE(category.text(), QStringLiteral("0101"));
        QCOMPARE(db_.SqlParams, (QVariantList{QStringLiteral("0101")}));
    }

    void allFormatKeysInKeyOrder()
    {
        Scratch scratch(db_);
        const QString sql = QStringLiteral(
            "INSERT INTO FL1902フォーマット情報マスタ (情報区分コード,BPID) VALUES (?,?)");
        scratch.Run(sql, {QStringLiteral("0301"), QStringLiteral("B")});
        scratch.Run(sql, {QStringLiteral("0001"), QStringLiteral("Z")});
        scratch.Run(sql, {QStringLiteral("0301"), QStringLiteral("A")});

        QLineEdit category, first;
        QLabel bpid;
        QStringList rows;
        ModalDriver driver(QStringLiteral("SEARCH_MSTDB"), [&](QDialog* d) {
            QTableWidget* g = GridOf(d, "GRID");
            rows = Rows(g, 0);
            g->setCurrentCell(4, 0);
            QTest::keyClick(g, Qt::Key_Return);
        });
        OpenCodeSearch(nullptr, db_, CodeSearchKind::FormatKey, &first, &category, &bpid);

        QVERIFY(driver.Seen());
        QCOMPARE(rows, (QStringList{"0001|Z", "0101|ORDERS01", "0201|SHIPNT01", "0301|A",
                                    "0301|B", "0401|INVOIC01"}));
        QCOMPARE(category.text(), QStringLiteral("0301"));
        QCOMPARE(bpid.text(), QStringLiteral("B"));
        QCOMPARE(first.text(), QString());
        QVERIFY(db_.SqlParams.isEmpty());
    }

    void nothingToShow()
    {
        QLineEdit filter(QStringLiteral("0101' OR '1'='1")), second(QStringLiteral("s"));
        QLabel third(QStringLiteral("t"));
        ExpectNoData([&] {
            OpenCodeSearch(nullptr, db_, CodeSearchKind::FormatKey, &filter, &second, &third);
        });
        QCOMPARE(filter.text(), QStringLiteral("0101' OR '1'='1"));
        QCOMPARE(second.text() + third.text(), QStringLiteral("st"));

        {
            Scratch scratch(db_);
            scratch.Run(QStringLiteral("DELETE FROM FL1901項目情報マスタ"));
            ExpectNoData([&] {
                OpenCodeSearch(nullptr, db_, CodeSearchKind::ItemNumber, &filter, &second, &third);
            });
        }
        QCOMPARE(second.text() + third.text(), QStringLiteral("st"));

        // A failing database reads as an empty one.
        Connection closed;
        ExpectNoData([&] {
            OpenCodeSearch(nullptr, closed, CodeSearchKind::ItemNumber, &filter, &second, &third);
        });
    }

    void itemDictionary()
    {
        db_.SetStatement(QStringLiteral("SELECT COUNT(*) AS n FROM FL1901項目情報マスタ"));
        ResultSet rs;
        db_.OpenReadOnlyResultset(rs);
        const int count = rs.Value(QStringLiteral("n")).toInt();
        rs.Close();

        QLineEdit first(QStringLiteral("keep")), number;
        QLabel name;
        QStringList rows, headings;
        QList<int> sizes;
        ModalDriver driver(QStringLiteral("SEARCH_MSTDB"), [&](QDialog* d) {
            QTableWidget* g = GridOf(d, "GRID");
            rows = Rows(g, 0);
            headings = Headings(g, 0);
            sizes = {g->columnWidth(0), g->columnWidth(1), g->width(), d->width()};
            DoubleClickRow(g, 1);
        });
        OpenCodeSearch(nullptr, db_, CodeSearchKind::ItemNumber, &first, &number, &name);

        QVERIFY(driver.Seen());
        QCOMPARE(rows.size(), count);
        QVERIFY(count > 200);
        QCOMPARE(rows.front(), QStringLiteral("1|情報区分コード"));
        const QRegularExpression plain(QStringLiteral("^\\d+\\|"));
        for (const QString& row : rows)
            QVERIFY2(plain.match(row).hasMatch(), qPrintable(row));
        QCOMPARE(headings, (QStringList{"項目No", "データ項目名"}));
        QCOMPARE(sizes, (QList<int>{133, 200, 337, 413}));
        QCOMPARE(number.text(), QStringLiteral("2"));
        QCOMPARE(name.text(), QStringLiteral("データ処理No"));
        QCOMPARE(first.text(), QStringLiteral("keep"));
    }

    void storedBlanksAreTrimmed()
    {
        Scratch scratch(db_);
        scratch.Run(QStringLiteral("INSERT INTO FL1901項目情報マスタ (項目No,データ項目名) VALUES (0,?)"),
                    {QStringLiteral("  空白付きの項目  ")});
        QLineEdit number;
        QLabel name;
        QString shown;
        ModalDriver driver(QStringLiteral("SEARCH_MSTDB"), [&](QDialog* d) {
            // The statement has no order: find the row wherever the engine put it.
            QTableWidget* grid = GridOf(d, "GRID");
            const int row = grid->findItems(QStringLiteral("0"), Qt::MatchExactly).front()->row();
            shown = grid->item(row, 1)->text();
            grid->setCurrentCell(row, 0);
            Click(d, "SELECT");
        });
        OpenCodeSearch(nullptr, db_, CodeSearchKind::ItemNumber, nullptr, &number, &name);
        QCOMPARE(shown, QStringLiteral("  空白付きの項目  "));
        QCOMPARE(number.text(), QStringLiteral("0"));
        QCOMPARE(name.text(), QStringLiteral("空白付きの項目"));
    }

    void leavingTheCodeSearch_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("filterAfter");
        QTest::newRow("Esc in the grid") << "esc-grid" << "";
        QTest::newRow("Esc on a button") << "esc-button" << "";
        QTest::newRow("中止") << "stop" << "0101";
    }

    void leavingTheCodeSearch()
    {
        QFETCH(QString, action);
        QFETCH(QString, filterAfter);
        QLineEdit filter(QStringLiteral("0101")), second(QStringLiteral("s"));
        QLabel third(QStringLiteral("t"));
        bool closed = false;
        ModalDriver driver(QStringLiteral("SEARCH_MSTDB"), [&](QDialog* d) {
            if (action == QLatin1String("esc-grid")) {
                QTest::keyClick(GridOf(d, "GRID"), Qt::Key_Escape);
            } else if (action == QLatin1String("esc-button")) {
                auto* stop = d->findChild<QPushButton*>(QStringLiteral("STOP"));
                stop->setFocus();
                QTest::keyClick(stop, Qt::Key_Escape);
            } else {
                Click(d, "STOP");
            }
            closed = !d->isVisible();
        });
        OpenCodeSearch(nullptr, db_, CodeSearchKind::FormatKey, &filter, &second, &third);
        QVERIFY(driver.Seen());
        QVERIFY(closed);
        QCOMPARE(filter.text(), filterAfter);
        QCOMPARE(second.text() + third.text(), QStringLiteral("st"));
    }

    void categoryList()
    {
        QLineEdit code;
        QLabel name;
        qint16 status = 5;
        QString title;
        QStringList rows, headings;
        QList<int> sizes;
        bool firstRowSelected = false;
        ModalDriver driver(QStringLiteral("G_GRID"), [&](QDialog* d) {
            QTableWidget* g = GridOf(d, "MSFLEXGRID");
            title = d->windowTitle();
            rows = Rows(g, 1);
            headings = Headings(g, 1);
            sizes = {g->columnWidth(0), g->columnWidth(1), g->columnWidth(2), g->rowHeight(0),
                     g->width(), d->width()};
            firstRowSelected = g->currentRow() == 0 && g->selectionModel()->isRowSelected(0, {})
                && g->selectionModel()->selectedRows().size() == 1;
            g->setCurrentCell(15, 1);
            QTest::keyClick(g, Qt::Key_Enter);
        });
        OpenCategorySearch(nullptr, site_.ProgramFolder(), &code, &name, status);

        QVERIFY(driver.Seen());
        QCOMPARE(title, QStringLiteral("情報区分検索"));
        QCOMPARE(headings, (QStringList{"情報区分ｺｰﾄﾞ", "情報区分名"}));
        QCOMPARE(sizes, (QList<int>{0, 90, 167, 24, 287, 307}));
        QVERIFY(firstRowSelected);
        QCOMPARE(rows.size(), 16);
        QCOMPARE(rows.front(), QStringLiteral("0101|発注"));
        QCOMPARE(rows[1], QStringLiteral("0102|発注変更"));
        QCOMPARE(rows.back(), QStringLiteral("99  |テスト用区分"));
        QCOMPARE(code.text(), QStringLiteral("99"));
        QCOMPARE(name.text(), QStringLiteral("テスト用区分"));
        QCOMPARE(status, qint16(5));
    }

    void categoryLinesOfOddLength()
    {
        const QString wide = QStringLiteral("全角").repeated(10);
        WriteCategories({QStringLiteral("A001") + wide, QStringLiteral("05")});
        QLineEdit code;
        QLabel name;
        qint16 status = 0;
        QStringList rows;
        ModalDriver whole(QStringLiteral("G_GRID"), [&](QDialog* d) {
            rows = Rows(GridOf(d, "MSFLEXGRID"), 1);
            Click(d, "SELECT");
        });
        OpenCategorySearch(nullptr, site_.ProgramFolder(), &code, &name, status);
        QCOMPARE(rows, (QStringList{QStringLiteral("A001|") + wide, "05|"}));
        QCOMPARE(code.text(), QStringLiteral("A001"));
        QCOMPARE(name.text(), wide);

        ModalDriver shortLine(QStringLiteral("G_GRID"), [&](QDialog* d) {
            DoubleClickRow(GridOf(d, "MSFLEXGRID"), 1);
        });
        OpenCategorySearch(nullptr, site_.ProgramFolder(), &code, &name, status);
        QVERIFY(shortLine.Seen());
        QCOMPARE(code.text(), QStringLiteral("05"));
        QCOMPARE(name.text(), QString());
        QCOMPARE(status, qint16(0));
    }

    void categoryFileMissing()
    {
        QLineEdit code(QStringLiteral("c"));
        QLabel name(QStringLiteral("n"));
        MessageBoxAnswerer answerer;
        ModalDriver driver(QStringLiteral("G_GRID"), [](QDialog* d) { d->reject(); });
        const auto search = [&](const QString& folder) {
            qint16 status = 0;
            OpenCategorySearch(nullptr, folder, &code, &name, status);
            return status;
        };

        QVERIFY(QFile::remove(site_.CategoryFile()));
        QCOMPARE(search(site_.ProgramFolder()), qint16(9));
        WriteAll(site_.CategoryFile(), categoryFile_);
        site_.SetIniValue(QStringLiteral("PATH"), QStringLiteral("JOHOKUBUN"), QString());
        QCOMPARE(search(site_.ProgramFolder()), qint16(9));
        // No EDI.ini can be located from a folder without two parents.
        QCOMPARE(search(QStringLiteral("BIN")), qint16(9));

        QVERIFY(!driver.Seen());
        QVERIFY(answerer.Seen().isEmpty());
        QCOMPARE(code.text() + name.text(), QStringLiteral("cn"));
    }

    void leavingTheCategorySearch_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("codeAfter");
        QTest::newRow("Esc in the grid") << "esc-grid" << "c";
        QTest::newRow("Esc on a button") << "esc-button" << "";
        QTest::newRow("中止") << "stop" << "c";
    }

    void leavingTheCategorySearch()
    {
        QFETCH(QString, action);
        QFETCH(QString, codeAfter);
        QLineEdit code(QStringLiteral("c"));
        QLabel name(QStringLiteral("n"));
        qint16 status = 0;
        bool closed = false;
        ModalDriver driver(QStringLiteral("G_GRID"), [&](QDialog* d) {
            if (action == QLatin1String("esc-grid")) {
                QTest::keyClick(GridOf(d, "MSFLEXGRID"), Qt::Key_Escape);
            } else if (action == QLatin1String("esc-button")) {
                auto* select = d->findChild<QPushButton*>(QStringLiteral("SELECT"));
                select->setFocus();
                QTest::keyClick(select, Qt::Key_Escape);
            } else {
                Click(d, "STOP");
            }
            closed = !d->isVisible();
        });
        OpenCategorySearch(nullptr, site_.ProgramFolder(), &code, &name, status);
        QVERIFY(driver.Seen());
        QVERIFY(closed);
        QCOMPARE(code.text(), codeAfter);
        QCOMPARE(name.text(), QStringLiteral("n"));
    }

    void emptyCategoryFile()
    {
        WriteAll(site_.CategoryFile(), QByteArray());
        QLineEdit code(QStringLiteral("c"));
        QLabel name(QStringLiteral("n"));
        qint16 status = 0;
        int rowCount = -1;
        QStringList headings;
        bool openAfterSelect = false;
        ModalDriver driver(QStringLiteral("G_GRID"), [&](QDialog* d) {
            QTableWidget* g = GridOf(d, "MSFLEXGRID");
            rowCount = g->rowCount();
            headings = Headings(g, 1);
            Click(d, "SELECT");
            openAfterSelect = d->isVisible();
            Click(d, "STOP");
        });
        OpenCategorySearch(nullptr, site_.ProgramFolder(), &code, &name, status);
        QVERIFY(driver.Seen());
        QCOMPARE(rowCount, 0);
        QCOMPARE(headings, (QStringList{"情報区分ｺｰﾄﾞ", "情報区分名"}));
        QVERIFY(openAfterSelect);
        QCOMPARE(code.text() + name.text(), QStringLiteral("cn"));
        QCOMPARE(status, qint16(0));
    }
};

QTEST_MAIN(TestSearch)
#include "test_search.moc"
