#include "core/list_rebuild.h"

#include "core/item_list.h"
#include "core/text.h"

namespace {

void Fill(LineList& list, qint32 reselect)
{
    list.Refill();
    const int n = list.count();
    if (n > reselect - 1)
        list.setCurrentRow(reselect - 1);
    else if (n == reselect - 1)
        list.setCurrentRow(reselect - 2);
}

void Rebuild(FormState& form, bool local, bool settle)
{
    const Control& hereSerial = local ? form.lbl_KomokuTubanLocal : form.lbl_KomokuTuban;
    const Control& otherSerial = local ? form.lbl_KomokuTuban : form.lbl_KomokuTubanLocal;
    Control& otherLink = local ? form.lbl_TaioKomokuTuban : form.lbl_TaioKomokuTubanLocal;
    const PaneWatch watch{LeadingInteger(hereSerial.text), LeadingInteger(otherSerial.text)};
    ItemTable& table = local ? form.Lines.LocalItems : form.Lines.StandardItems;
    ItemTable& other = local ? form.Lines.StandardItems : form.Lines.LocalItems;
    const RebuildOutcome outcome =
        settle ? RebuildSettled(table, other, watch) : RebuildPass(table, other, local, watch);
    if (outcome.herePosition)
        form.lbl_KomokuNoIti.text = QString::number(*outcome.herePosition);
    if (outcome.otherLink)
        otherLink.text = QString::number(*outcome.otherLink);
    Fill(local ? form.Lis_Local : form.Lis_Hyojun, form.Lines.ReselectPosition);
}

}  // namespace

void RebuildItemList(FormState& form, const QString& side)
{
    if (side == QLatin1String("E") || side == QLatin1String("L"))
        Rebuild(form, side == QLatin1String("L"), false);
}

void SettleLocalList(FormState& form)
{
    Rebuild(form, true, true);
}
