#include "search/search_controls.h"

#include "shell/twips.h"

#include <QDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

namespace {

constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 495;
constexpr int kGap = 180;

QPushButton* MakeButton(QDialog* dialog, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, dialog);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

QTableWidget* MakeSearchGrid(QDialog* dialog, const QString& name, int columns)
{
    auto* grid = new QTableWidget(0, columns, dialog);
    grid->setObjectName(name);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->installEventFilter(dialog);
    return grid;
}

SearchButtons MakeSearchButtons(QDialog* dialog, QTableWidget* grid, std::function<void()> choose)
{
    const SearchButtons buttons{MakeButton(dialog, QStringLiteral("SELECT"), QStringLiteral("選択")),
                                MakeButton(dialog, QStringLiteral("STOP"), QStringLiteral("中止"))};
    QObject::connect(buttons.select, &QPushButton::clicked, dialog, choose);
    QObject::connect(buttons.stop, &QPushButton::clicked, dialog, &QDialog::reject);
    QObject::connect(grid, &QAbstractItemView::doubleClicked, dialog,
                     [choose](const QModelIndex& index) {
                         if (index.isValid())
                             choose();
                     });
    return buttons;
}

void ArrangeSearchButtons(QDialog* dialog, const SearchButtons& buttons, int dialogWidth,
                          int gridBottom, int spacing)
{
    const int top = gridBottom + kGap;
    const int left = (dialogWidth - 2 * kButtonWidth - spacing) / 2;
    SetTwipsGeometry(buttons.select, left, top, kButtonWidth, kButtonHeight);
    SetTwipsGeometry(buttons.stop, left + kButtonWidth + spacing, top, kButtonWidth, kButtonHeight);
    dialog->setFixedSize(ToPixels(dialogWidth), ToPixels(top + kButtonHeight + kGap));
}
