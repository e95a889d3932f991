#include "search/code_search.h"

#include "search/search_dialog.h"
#include "shell/connection.h"
#include "shell/control_text.h"
#include "shell/dialogs.h"
#include "core/text.h"
#include "shell/twips.h"

#include <QTableWidget>

#include <cmath>

namespace {

constexpr int kDialogWidth = 6200;
constexpr int kGridHeight = 4000;

struct Layout {
    QString statement;
    QVariantList params;
    // Headings are the column names as the statement writes them.
    QStringList headings;
    int columnWidths[2];
    int gridWidth;
};

Layout LayoutFor(CodeSearchKind kind, const QWidget* firstTarget)
{
    if (kind == CodeSearchKind::ItemNumber)
        return {QStringLiteral("SELECT 項目No,データ項目名 FROM FL1901項目情報マスタ"), {},
                {QStringLiteral("項目No"), QStringLiteral("データ項目名")}, {2000, 3000}, 5050};
    Layout layout{QStringLiteral("SELECT DISTINCT 情報区分コード,BPID FROM FL1902フォーマット情報マスタ"),
                  {}, {QStringLiteral("情報区分コード"), QStringLiteral("BPID")}, {2500, 3000}, 5500};
    const QString filter = ControlText(firstTarget);
    if (!filter.isEmpty()) {
        layout.statement += QStringLiteral(" WHERE 情報区分コード=?");
        layout.params << filter;
    }
    layout.statement += QStringLiteral(" order by 情報区分コード,BPID");
    return layout;
}

// Drivers hand numbers back as integers, doubles or text; an item number
// must read as the operator typed it, never as "12.0".
QString CellText(const QVariant& value)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (std::abs(d) < 1e15 && d == static_cast<double>(static_cast<qint64>(d)))
            return QString::number(static_cast<qint64>(d));
        return QString::number(d, 'g', 15);
    }
    default:
        return value.toString();
    }
}

class CodeSearchDialog : public SearchDialog {
public:
    CodeSearchDialog(QWidget* parent, CodeSearchKind kind, QWidget* first, QWidget* second,
                     QWidget* third)
        : SearchDialog(parent, QStringLiteral("SEARCH_MSTDB"), QStringLiteral("□□ 検索 □□"),
                       QStringLiteral("GRID"), 2),
          kind_(kind),
          first_(first),
          second_(second),
          third_(third)
    {
    }

    QTableWidget* Grid() const { return grid_; }

    void Arrange(const Layout& layout)
    {
        const int gridLeft = (kDialogWidth - layout.gridWidth) / 2;
        SetTwipsGeometry(grid_, gridLeft, kSearchGridTop, layout.gridWidth, kGridHeight);
        for (int c = 0; c < 2; ++c)
            grid_->setColumnWidth(c, ToPixels(layout.columnWidths[c]));
        ArrangeButtons(kDialogWidth, kSearchGridTop + kGridHeight, 600);
    }

protected:
    // Esc abandons the search including its filter, so the caller starts over.
    void EscapeInGrid() override { Escape(); }
    void Escape() override
    {
        if (first_)
            SetControlText(first_, QString());
        done(Rejected);
    }

    void Choose() override
    {
        const int row = grid_->currentRow();
        if (row < 0)
            return;
        const auto cell = [this, row](int column) {
            const QTableWidgetItem* item = grid_->item(row, column);
            return item ? TrimBlanks(item->text()) : QString();
        };
        if (kind_ == CodeSearchKind::FormatKey) {
            if (third_)
                SetControlText(third_, cell(1));
            if (second_)
                SetControlText(second_, cell(0));
        } else {
            if (second_)
                SetControlText(second_, cell(0));
            if (third_)
                SetControlText(third_, cell(1));
        }
        done(Accepted);
    }

private:
    CodeSearchKind kind_;
    QWidget* first_;
    QWidget* second_;
    QWidget* third_;
};

// Reads the whole result into the grid; false when there is nothing to show.
bool Fill(Connection& db, const Layout& layout, QTableWidget* grid)
{
    ResultSet rs;
    try {
        db.SetStatement(layout.statement, layout.params);
        db.OpenSearchRecordset(rs);
        if (db.ResultStatus == QStringLiteral("9"))
            return false;
        for (; !rs.AtEnd(); rs.MoveNext()) {
            const int row = grid->rowCount();
            grid->insertRow(row);
            for (int c = 0; c < 2; ++c)
                grid->setItem(row, c, new QTableWidgetItem(CellText(rs.Value(c))));
        }
        rs.Close();
    } catch (const SqlError&) {
        rs.Close();
        return false;
    }
    return grid->rowCount() > 0;
}

}  // namespace

void OpenCodeSearch(QWidget* parent, Connection& db, CodeSearchKind kind, QWidget* firstTarget,
                    QWidget* secondTarget, QWidget* thirdTarget)
{
    const Layout layout = LayoutFor(kind, firstTarget);
    CodeSearchDialog dialog(parent, kind, firstTarget, secondTarget, thirdTarget);
    QTableWidget* grid = dialog.Grid();
    grid->setHorizontalHeaderLabels(layout.headings);
    if (!Fill(db, layout, grid)) {
        ShowMessage(parent, QStringLiteral("検索データが有りません"), msg::OkOnly);
        return;
    }
    dialog.Arrange(layout);
    grid->setCurrentCell(0, 0);
    grid->selectRow(0);
    grid->setFocus();
    ExecModal(dialog);
}
