#include "screen/code_search.h"

#include "screen/dialogs.h"
#include "screen/search_dialog.h"
#include "screen/twips.h"

#include <QTableWidget>

namespace {

constexpr int kDialogWidth = 6200;
constexpr int kGridHeight = 4000;

struct Layout {
    // Headings are the column names as the statement writes them.
    QStringList headings;
    int columnWidths[2];
    int gridWidth;
};

Layout LayoutFor(CodeSearchKind kind)
{
    if (kind == CodeSearchKind::ItemNumber)
        return {{QStringLiteral("項目No"), QStringLiteral("データ項目名")}, {2000, 3000}, 5050};
    return {{QStringLiteral("情報区分コード"), QStringLiteral("BPID")}, {2500, 3000}, 5500};
}

class CodeSearchDialog : public SearchDialog {
public:
    explicit CodeSearchDialog(QWidget* parent)
        : SearchDialog(parent, QStringLiteral("SEARCH_MSTDB"), QStringLiteral("□□ 検索 □□"),
                       QStringLiteral("GRID"), 2)
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
};

}  // namespace

SearchChoice ChooseCode(QWidget* parent, CodeSearchKind kind, const QList<QStringList>& rows)
{
    const Layout layout = LayoutFor(kind);
    CodeSearchDialog dialog(parent);
    QTableWidget* grid = dialog.Grid();
    grid->setHorizontalHeaderLabels(layout.headings);
    grid->setRowCount(rows.size());
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < 2; ++c)
            grid->setItem(r, c, new QTableWidgetItem(rows[r].value(c)));
    dialog.Arrange(layout);
    grid->setCurrentCell(0, 0);
    grid->selectRow(0);
    grid->setFocus();
    ExecModal(dialog);
    return dialog.Choice();
}
