#include "screen/search_dialog.h"

#include "screen/twips.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>

namespace {

constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 495;
constexpr int kGap = 180;

// Enter in the grid presses no button by default.
QPushButton* MakeButton(QDialog* dialog, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, dialog);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

SearchDialog::SearchDialog(QWidget* parent, const QString& name, const QString& title,
                           const QString& gridName, int columns)
    : QDialog(parent),
      grid_(new QTableWidget(0, columns, this)),
      select_(MakeButton(this, QStringLiteral("SELECT"), QStringLiteral("選択"))),
      stop_(MakeButton(this, QStringLiteral("STOP"), QStringLiteral("中止")))
{
    setObjectName(name);
    setWindowTitle(title);
    grid_->setObjectName(gridName);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->hide();
    grid_->installEventFilter(this);
    connect(select_, &QPushButton::clicked, this, [this] { Choose(); });
    connect(stop_, &QPushButton::clicked, this, &QDialog::reject);
    connect(grid_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            Choose();
    });
}

void SearchDialog::Choose()
{
    const int row = grid_->currentRow();
    if (row < 0 || row >= grid_->rowCount())
        return;
    choice_ = {SearchChoice::Chosen, row};
    done(Accepted);
}

void SearchDialog::Escape()
{
    choice_ = {SearchChoice::Abandoned, -1};
    done(Rejected);
}

void SearchDialog::ArrangeButtons(int dialogWidth, int gridBottom, int spacing)
{
    const int top = gridBottom + kGap;
    const int left = (dialogWidth - 2 * kButtonWidth - spacing) / 2;
    SetTwipsGeometry(select_, left, top, kButtonWidth, kButtonHeight);
    SetTwipsGeometry(stop_, left + kButtonWidth + spacing, top, kButtonWidth, kButtonHeight);
    setFixedSize(ToPixels(dialogWidth), ToPixels(top + kButtonHeight + kGap));
}

bool SearchDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // The view would emit activated and pass the key on to the dialog's
        // default button; here Enter means "take this row".
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Choose();
            return true;
        }
        if (key == Qt::Key_Escape) {
            EscapeInGrid();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void SearchDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Escape();
        return;
    }
    QDialog::keyPressEvent(event);
}
