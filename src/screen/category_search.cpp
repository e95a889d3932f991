#include "screen/category_search.h"

#include "screen/dialogs.h"
#include "screen/search_dialog.h"
#include "screen/twips.h"

#include <QHeaderView>
#include <QTableWidget>

namespace {

constexpr int kDialogWidth = 4600;
constexpr int kGridLeft = 150;
constexpr int kGridWidth = 4300;
constexpr int kGridHeight = 4200;
constexpr int kRowHeight = 360;

enum Column { kKeyColumn = 0, kCodeColumn = 1, kNameColumn = 2 };

class CategorySearchDialog : public SearchDialog {
public:
    explicit CategorySearchDialog(QWidget* parent)
        : SearchDialog(parent, QStringLiteral("G_GRID"), QStringLiteral("情報区分検索"),
                       QStringLiteral("MSFLEXGRID"), 3)
    {
        grid_->setHorizontalHeaderLabels(
            {QString(), QStringLiteral("情報区分ｺｰﾄﾞ"), QStringLiteral("情報区分名")});
        grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        grid_->verticalHeader()->setMinimumSectionSize(ToPixels(kRowHeight));
        grid_->verticalHeader()->setDefaultSectionSize(ToPixels(kRowHeight));
        grid_->setColumnWidth(kCodeColumn, ToPixels(1350));
        grid_->setColumnWidth(kNameColumn, ToPixels(2500));
        // The first column only carries the row markers of the fixed column.
        grid_->setColumnHidden(kKeyColumn, true);
        SetTwipsGeometry(grid_, kGridLeft, kSearchGridTop, kGridWidth, kGridHeight);

        ArrangeButtons(kDialogWidth, kSearchGridTop + kGridHeight, 450);
    }

    void Fill(const QStringList& codes, const QStringList& names)
    {
        grid_->setRowCount(codes.size());
        for (int i = 0; i < codes.size(); ++i) {
            grid_->setItem(i, kKeyColumn, new QTableWidgetItem());
            grid_->setItem(i, kCodeColumn, new QTableWidgetItem(codes[i]));
            grid_->setItem(i, kNameColumn, new QTableWidgetItem(names.value(i)));
        }
        if (grid_->rowCount() > 0) {
            grid_->setCurrentCell(0, kCodeColumn);
            grid_->selectRow(0);
        }
        grid_->setFocus();
    }

protected:
    // Esc in the list only backs out; the code typed so far stays.
    void EscapeInGrid() override { done(Rejected); }
};

}  // namespace

SearchChoice ChooseCategory(QWidget* parent, const QStringList& codes, const QStringList& names)
{
    CategorySearchDialog dialog(parent);
    dialog.Fill(codes, names);
    ExecModal(dialog);
    return dialog.Choice();
}
