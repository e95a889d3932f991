#pragma once
// The list box of one layout: a view over the layout's table that formats a
// line's text only when the line is painted, so that a rebuild of thousands
// of lines costs a model reset instead of one list item per line.

#include "core/form_state.h"

#include <QAbstractListModel>
#include <QListView>

class ItemListModel : public QAbstractListModel {
    Q_OBJECT
public:
    ItemListModel(const LineList& list, QObject* parent);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Shows the rows of the list as it is now: row r is table position r + 1.
    void Refill();

private:
    const LineList& list_;
    int rows_ = 0;  // the list's rows at the last refill
};

// The list box of a line list of the form's state.
class ItemListBox : public QListView {
    Q_OBJECT
public:
    ItemListBox(const LineList& list, QWidget* parent);
    int count() const;
    int currentRow() const;
    // Selects the row (or nothing when out of range) without showing it anywhere.
    void setCurrentRow(int row);
    QString text(int row) const;
    // Shows the list's rows as the state has them now, when it was filled
    // since the last time.
    void Show();

signals:
    // A double click anywhere in the list, below its last line too.
    void DblClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const LineList& list_;
    ItemListModel* model_;
    quint64 revision_ = 0;
};
