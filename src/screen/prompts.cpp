#include "screen/prompts.h"

#include "screen/category_search.h"
#include "screen/code_search.h"
#include "screen/dialogs.h"

#include <QApplication>

int DialogPrompts::ShowMessage(const QString& text, int style, const QString& title,
                               const QString& informative)
{
    beforeShow_();
    return ::ShowMessage(parent_, text, style, title, informative);
}

SearchChoice DialogPrompts::ChooseCode(CodeSearchKind kind, const QList<QStringList>& rows)
{
    beforeShow_();
    return ::ChooseCode(parent_, kind, rows);
}

SearchChoice DialogPrompts::ChooseCategory(const QStringList& codes, const QStringList& names)
{
    beforeShow_();
    return ::ChooseCategory(parent_, codes, names);
}

void DialogPrompts::SetBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}
