#include "search/category_search.h"

#include "format/information_categories.h"
#include "search/search_dialog.h"
#include "shell/config.h"
#include "shell/control_text.h"
#include "shell/dialogs.h"
#include "core/text.h"
#include "shell/twips.h"

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
    CategorySearchDialog(QWidget* parent, QWidget* codeTarget, QWidget* nameTarget)
        : SearchDialog(parent, QStringLiteral("G_GRID"), QStringLiteral("情報区分検索"),
                       QStringLiteral("MSFLEXGRID"), 3),
          codeTarget_(codeTarget),
          nameTarget_(nameTarget)
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

    void Fill(const InformationCategories& list)
    {
        grid_->setRowCount(list.Codes.size());
        for (int i = 0; i < list.Codes.size(); ++i) {
            grid_->setItem(i, kKeyColumn, new QTableWidgetItem());
            grid_->setItem(i, kCodeColumn, new QTableWidgetItem(list.Codes[i]));
            grid_->setItem(i, kNameColumn, new QTableWidgetItem(list.Names.value(i)));
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

    // Esc that no control took: the operator drops the code altogether.
    void Escape() override
    {
        if (codeTarget_)
            SetControlText(codeTarget_, QString());
        done(Rejected);
    }

    void Choose() override
    {
        // An empty list has nothing to take; the dialog stays for 中止 or Esc.
        const int row = grid_->currentRow();
        if (row < 0 || row >= grid_->rowCount())
            return;
        if (codeTarget_)
            SetControlText(codeTarget_, TrimBlanks(grid_->item(row, kCodeColumn)->text()));
        if (nameTarget_)
            SetControlText(nameTarget_, TrimBlanks(grid_->item(row, kNameColumn)->text()));
        done(Accepted);
    }

private:
    QWidget* codeTarget_;
    QWidget* nameTarget_;
};

}  // namespace

void OpenCategorySearch(QWidget* parent, const QString& programFolder, QWidget* codeTarget,
                        QWidget* nameTarget, qint16& status)
{
    QString path;
    try {
        path = ReadCategoryFilePath(programFolder);
    } catch (const ConfigReadError&) {
        path.clear();
    }
    InformationCategories list;
    if (!ReadInformationCategories(path, list)) {
        status = 9;
        return;
    }
    CategorySearchDialog dialog(parent, codeTarget, nameTarget);
    dialog.Fill(list);
    ExecModal(dialog);
}
