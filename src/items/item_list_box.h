#pragma once
// The list box of one layout: a view over the layout's table that formats a
// line's text only when the line is painted, so that a rebuild of thousands
// of lines costs a model reset instead of one list item per line.

#include "core/format_lines.h"

#include <QAbstractListModel>
#include <QListView>

class ItemListModel : public QAbstractListModel {
    Q_OBJECT
public:
    ItemListModel(const ItemTable& table, bool local, QObject* parent);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Shows the table as it is now: row r is table position r + 1.
    void Refill();
    void Clear();

private:
    const ItemTable& table_;
    const bool local_;
    int rows_ = 0;  // the table's count at the last refill
};

// The operations the form needs of a list box, named as on a list widget.
class ItemListBox : public QListView {
    Q_OBJECT
public:
    ItemListBox(const ItemTable& table, bool local, QWidget* parent);
    int count() const;
    int currentRow() const;
    // Selects the row (or nothing when out of range) without showing it anywhere.
    void setCurrentRow(int row);
    QString text(int row) const;
    void clear();
    // Shows the table's current lines; the selection is gone afterwards.
    void Refill();

signals:
    // A double click anywhere in the list, below its last line too.
    void DblClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ItemListModel* model_;
};
