#include "items/item_list_box.h"

#include "core/item_list.h"

#include <QMouseEvent>

ItemListModel::ItemListModel(const ItemTable& table, bool local, QObject* parent)
    : QAbstractListModel(parent), table_(table), local_(local)
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
    if (role != Qt::DisplayRole || !index.isValid() || position > table_.Count())
        return {};
    return ListText(table_[position], local_);
}

void ItemListModel::Refill()
{
    beginResetModel();
    rows_ = table_.Count();
    endResetModel();
}

void ItemListModel::Clear()
{
    beginResetModel();
    rows_ = 0;
    endResetModel();
}

ItemListBox::ItemListBox(const ItemTable& table, bool local, QWidget* parent)
    : QListView(parent), model_(new ItemListModel(table, local, this))
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

void ItemListBox::clear()
{
    model_->Clear();
}

void ItemListBox::Refill()
{
    model_->Refill();
}

void ItemListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit DblClick();
}
