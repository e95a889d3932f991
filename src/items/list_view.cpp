#include "items/list_view.h"

#include "app/main_form.h"
#include "core/item_list.h"
#include "items/item_list_box.h"
#include "core/text.h"

#include <QLabel>

namespace {

void Fill(ItemListBox* list, qint32 reselect)
{
    list->Refill();
    const int n = list->count();
    if (n > reselect - 1)
        list->setCurrentRow(reselect - 1);
    else if (n == reselect - 1)
        list->setCurrentRow(reselect - 2);
}

void Rebuild(F_K450120& form, bool local, bool settle)
{
    QLabel* hereSerial = local ? form.lbl_KomokuTubanLocal : form.lbl_KomokuTuban;
    QLabel* otherSerial = local ? form.lbl_KomokuTuban : form.lbl_KomokuTubanLocal;
    QLabel* otherLink = local ? form.lbl_TaioKomokuTuban : form.lbl_TaioKomokuTubanLocal;
    const PaneWatch watch{LeadingInteger(hereSerial->text()), LeadingInteger(otherSerial->text())};
    ItemTable& table = local ? form.Lines.LocalItems : form.Lines.StandardItems;
    ItemTable& other = local ? form.Lines.StandardItems : form.Lines.LocalItems;
    const RebuildOutcome outcome =
        settle ? RebuildSettled(table, other, watch) : RebuildPass(table, other, local, watch);
    if (outcome.herePosition)
        form.lbl_KomokuNoIti->setText(QString::number(*outcome.herePosition));
    if (outcome.otherLink)
        otherLink->setText(QString::number(*outcome.otherLink));
    Fill(local ? form.Lis_Local : form.Lis_Hyojun, form.Lines.ReselectPosition);
}

}  // namespace

void RebuildItemList(F_K450120& form, const QString& side)
{
    if (side == QLatin1String("E") || side == QLatin1String("L"))
        Rebuild(form, side == QLatin1String("L"), false);
}

void SettleLocalList(F_K450120& form)
{
    Rebuild(form, true, true);
}
