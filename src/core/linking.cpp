#include "core/linking.h"

#include "core/edit_pane.h"
#include "core/list_rebuild.h"
#include "core/text.h"

namespace {

// The rule of ﾘﾝｸ作成（L) when the shown standard line is not linked.
bool CanLinkShownLines(const FormState& form)
{
    const bool localShown = LeadingNumber(form.lbl_KomokuTubanLocal.text) > 0;
    const bool localLinked = LeadingNumber(form.lbl_TaioKomokuTubanLocal.text) > 0;
    const bool localGroup = TrimBlanks(form.txt_ZokuseiCodeLocal.text) == QLatin1String("M");
    const bool standardGroup = TrimBlanks(form.lbl_ZokuseiCode.text) == QLatin1String("M");
    return localShown && !localLinked && localGroup == standardGroup;
}

}  // namespace

void UpdateLinkButtons(FormState& form)
{
    Control& create = form.ComandBtn[12];
    Control& remove = form.ComandBtn[13];
    if (LeadingNumber(form.lbl_KomokuTuban.text) <= 0)
        return;
    if (LeadingNumber(form.lbl_TaioKomokuTuban.text) > 0) {
        remove.enabled = true;
        create.enabled = false;
        return;
    }
    remove.enabled = false;
    create.enabled = CanLinkShownLines(form);
}

void CreateLink(FormState& form)
{
    if (form.lbl_KomokuTuban.text.isEmpty() || form.lbl_KomokuTubanLocal.text.isEmpty())
        return;
    if (LeadingNumber(form.lbl_TaioKomokuTuban.text) > 0 || !CanLinkShownLines(form))
        return;
    const qint32 s = LeadingInteger(form.lbl_KomokuTuban.text);
    const qint32 l = LeadingInteger(form.lbl_KomokuTubanLocal.text);
    ItemTable& standard = form.Lines.StandardItems;
    ItemTable& local = form.Lines.LocalItems;
    if (s < 1 || s > standard.Count() || l < 1 || l > local.Count())
        return;
    standard[s].LinkedSerialNo = l;
    local[l].LinkedSerialNo = s;
    form.lbl_TaioKomokuTuban.text = form.lbl_KomokuTubanLocal.text;
    form.lbl_TaioKomokuTubanLocal.text = form.lbl_KomokuTuban.text;
    form.ComandBtn[12].enabled = false;
    form.ComandBtn[13].enabled = true;
}

void RemoveLink(FormState& form)
{
    if (form.lbl_KomokuTuban.text.isEmpty())
        return;
    ItemTable& standard = form.Lines.StandardItems;
    ItemTable& local = form.Lines.LocalItems;
    const qint32 s = LeadingInteger(form.lbl_KomokuTuban.text);
    if (s < 1 || s > standard.Count())
        return;
    const qint32 k = standard[s].LinkedSerialNo;
    if (k >= 1 && k <= local.Count())
        local[k].LinkedSerialNo = 0;
    standard[s].LinkedSerialNo = 0;
    form.lbl_TaioKomokuTuban.clear();
    form.ComandBtn[12].enabled = true;
    form.ComandBtn[13].enabled = false;
    ShowItemInPane(form, LeadingInteger(form.lbl_KomokuTubanLocal.text), QStringLiteral("L"));
}

void CopyLinked(ItemTable& standard, ItemTable& local, int count)
{
    local.Clear();
    local.Resize(count);
    for (int i = 1; i <= count && i <= standard.Count(); ++i) {
        standard[i].LinkedSerialNo = standard[i].SerialNo;
        local[i] = standard[i];
        local[i].FormatType = QStringLiteral("L");
        local[i].LinkedSerialNo = standard[i].SerialNo;
        local[i].SerialNo = standard[i].SerialNo;
    }
}

void LinkAll(FormState& form)
{
    CopyLinked(form.Lines.StandardItems, form.Lines.LocalItems, form.Lis_Hyojun.count());
    RebuildItemList(form, QStringLiteral("E"));
    SettleLocalList(form);
}
