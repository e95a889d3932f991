#include "search/search_controls.h"

#include <QDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

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

QPushButton* MakeSearchButton(QDialog* dialog, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, dialog);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    button->setAutoDefault(false);
    return button;
}
