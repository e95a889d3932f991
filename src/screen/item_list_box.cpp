#include "screen/item_list_box.h"

#include "core/item_list.h"

#include <QMouseEvent>

ItemListModel::ItemListModel(const LineList& list, QObject* parent)
    : QAbstractListModel(parent), list_(list)
{
}

int ItemListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

QVariant ItemListModel::data(const QModelIndex& index, int role) const
{
    // The table may have changed since the last refill while a message box
    // keeps the event loop running; rows past its end show nothing.
    const int position = index.row() + 1;
    if (role != Qt::DisplayRole || !index.isValid() || position > list_.table.Count())
        return {};
    return ListText(list_.table[position], list_.local);
}

void ItemListModel::Refill()
{
    beginResetModel();
    rows_ = list_.rows;
    endResetModel();
}

ItemListBox::ItemListBox(const LineList& list, QWidget* parent)
    : QListView(parent), list_(list), model_(new ItemListModel(list, this))
{
    setModel(model_);
    setUniformItemSizes(true);
    setEditTriggers(NoEditTriggers);
}

int ItemListBox::count() const
{
    return model_->rowCount();
}

int ItemListBox::currentRow() const
{
    return currentIndex().row();
}

void ItemListBox::setCurrentRow(int row)
{
    selectionModel()->setCurrentIndex(model_->index(row), QItemSelectionModel::ClearAndSelect);
}

QString ItemListBox::text(int row) const
{
    return model_->index(row).data().toString();
}

void ItemListBox::Show()
{
    if (revision_ == list_.revision)
        return;
    revision_ = list_.revision;
    model_->Refill();
}

void ItemListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit DblClick();
}
