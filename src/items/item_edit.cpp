#include "items/item_edit.h"

#include "app/main_form.h"
#include "items/command_dispatch.h"
#include "items/edit_pane.h"
#include "shell/category_lookup.h"

#include <QLabel>
#include <QListWidget>

namespace {

bool IsSide(const QString& side)
{
    return side == QLatin1String("E") || side == QLatin1String("L");
}

}  // namespace

void PrepareItemAdd(F_K450120& form, const QString& side)
{
    if (!IsSide(side))
        return;
    form.Lines.EditKind = QStringLiteral("KOMOKU");
    ClearEditPane(form, side, QStringLiteral("K"));
    EnableItemFields(form, side, true);
    EnableGroupFields(form, side, false);
    (side == QLatin1String("E") ? form.txt_KomokuNo : form.txt_KomokuMei)->setFocus();
    LockEditFields(form, 0);
}

void PrepareGroupAdd(F_K450120& form, const QString& side)
{
    if (!IsSide(side))
        return;
    const bool standard = side == QLatin1String("E");
    form.Lines.EditKind = QStringLiteral("MEISAI");
    EnableItemFields(form, side, false);
    ClearEditPane(form, side, QStringLiteral("Z"));
    EnableGroupFields(form, side, true);
    QLabel* nameLabel = standard ? form.lbl_Zokusei : form.lbl_ZokuseiCodeLocal;
    if (standard)
        form.lbl_ZokuseiCode->setText(QStringLiteral("M"));
    else
        form.txt_ZokuseiCodeLocal->setText(QStringLiteral("M"));
    qint16 hold = 0;
    CheckCategoryCode(&form, form.Db, QStringLiteral("属性"), QStringLiteral("M"), nameLabel, hold);
    (standard ? form.txt_MultiMeisaiBango : form.txt_MultiMeisaiBangoLocal)->setFocus();
    LockEditFields(form, 0);
}

void BeginEdit(F_K450120& form, const QString& side)
{
    if (!IsSide(side))
        return;
    const QListWidget* list = side == QLatin1String("E") ? form.Lis_Hyojun : form.Lis_Local;
    const int position = list->currentRow() + 1;
    const ItemTable& table = form.Lines.Table(side);
    // Without a selection the empty slot 0 counts as an item line.
    if (position <= table.Count() && table[position].IsGroupHeader())
        PrepareGroupAdd(form, side);
    else
        PrepareItemAdd(form, side);
}
