#pragma once
// The form's prompts as real modal boxes and dialogs on the form.

#include "core/ports.h"

#include <functional>

class QWidget;

class DialogPrompts : public Prompts {
public:
    // `beforeShow` runs before each box or dialog, so that the form behind
    // it shows the state of the operation that asks.
    DialogPrompts(QWidget* parent, std::function<void()> beforeShow)
        : parent_(parent), beforeShow_(std::move(beforeShow))
    {
    }

    int ShowMessage(const QString& text, int style, const QString& title = QString(),
                    const QString& informative = QString()) override;
    SearchChoice ChooseCode(CodeSearchKind kind, const QList<QStringList>& rows) override;
    SearchChoice ChooseCategory(const QStringList& codes, const QStringList& names) override;
    void SetBusy(bool busy) override;

private:
    QWidget* parent_;
    std::function<void()> beforeShow_;
};
