#include "core/searches.h"

#include "core/messages.h"
#include "core/text.h"

void OpenCodeSearch(FormState& form, CodeSearchKind kind, Control* filter, Control* first,
                    Control* second)
{
    const QString filterText =
        kind == CodeSearchKind::FormatKey && filter ? filter->text : QString();
    const QList<QStringList> rows = form.Look->SearchRows(kind, filterText);
    if (rows.isEmpty()) {
        form.Ask->ShowMessage(message::NothingToSearch, msg::OkOnly);
        return;
    }
    const SearchChoice choice = form.Ask->ChooseCode(kind, rows);
    if (choice.outcome == SearchChoice::Abandoned && filter)
        filter->clear();
    if (choice.outcome != SearchChoice::Chosen || choice.row < 0 || choice.row >= rows.size())
        return;
    const QStringList& row = rows[choice.row];
    if (second)
        second->text = TrimBlanks(row.value(1));
    if (first)
        first->text = TrimBlanks(row.value(0));
}

void OpenCategorySearch(FormState& form, Control& code, Control& name, qint16& status)
{
    InformationCategories list;
    if (!form.Look->ReadCategories(list)) {
        status = 9;
        return;
    }
    const SearchChoice choice = form.Ask->ChooseCategory(list.Codes, list.Names);
    if (choice.outcome == SearchChoice::Abandoned)
        code.clear();
    if (choice.outcome != SearchChoice::Chosen || choice.row < 0 || choice.row >= list.Codes.size())
        return;
    code.text = TrimBlanks(list.Codes[choice.row]);
    name.text = TrimBlanks(list.Names.value(choice.row));
}
