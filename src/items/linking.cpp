#include "items/linking.h"

#include "app/main_form.h"
#include "items/edit_pane.h"
#include "items/item_list_box.h"
#include "items/list_view.h"
#include "core/text.h"

#include <QLabel>
#include <QPushButton>

namespace {

// The rule of ﾘﾝｸ作成（L) when the shown standard line is not linked.
bool CanLinkShownLines(const F_K450120& form)
{
    const bool localShown = LeadingNumber(form.lbl_KomokuTubanLocal->text()) > 0;
    const bool localLinked = LeadingNumber(form.lbl_TaioKomokuTubanLocal->text()) > 0;
    const bool localGroup = TrimBlanks(form.txt_ZokuseiCodeLocal->text()) == QLatin1String("M");
    const bool standardGroup = TrimBlanks(form.lbl_ZokuseiCode->text()) == QLatin1String("M");
    return localShown && !localLinked && localGroup == standardGroup;
}

}  // namespace

void UpdateLinkButtons(F_K450120& form)
{
    QPushButton* create = form.ComandBtn[12];
    QPushButton* remove = form.ComandBtn[13];
    if (LeadingNumber(form.lbl_KomokuTuban->text()) <= 0)
        return;
    if (LeadingNumber(form.lbl_TaioKomokuTuban->text()) > 0) {
        remove->setEnabled(true);
        create->setEnabled(false);
        return;
    }
    remove->setEnabled(false);
    create->setEnabled(CanLinkShownLines(form));
}

void CreateLink(F_K450120& form)
{
    if (form.lbl_KomokuTuban->text().isEmpty() || form.lbl_KomokuTubanLocal->text().isEmpty())
        return;
    if (LeadingNumber(form.lbl_TaioKomokuTuban->text()) > 0 || !CanLinkShownLines(form))
        return;
    const qint32 s = LeadingInteger(form.lbl_KomokuTuban->text());
    const qint32 l = LeadingInteger(form.lbl_KomokuTubanLocal->text());
    ItemTable& standard = form.Lines.StandardItems;
    ItemTable& local = form.Lines.LocalItems;
    if (s < 1 || s > standard.Count() || l < 1 || l > local.Count())
        return;
    standard[s].LinkedSerialNo = l;
    local[l].LinkedSerialNo = s;
    form.lbl_TaioKomokuTuban->setText(form.lbl_KomokuTubanLocal->text());
    form.lbl_TaioKomokuTubanLocal->setText(form.lbl_KomokuTuban->text());
    form.ComandBtn[12]->setEnabled(false);
    form.ComandBtn[13]->setEnabled(true);
}

void RemoveLink(F_K450120& form)
{
    if (form.lbl_KomokuTuban->text().isEmpty())
        return;
    ItemTable& standard = form.Lines.StandardItems;
    ItemTable& local = form.Lines.LocalItems;
    const qint32 s = LeadingInteger(form.lbl_KomokuTuban->text());
    if (s < 1 || s > standard.Count())
        return;
    const qint32 k = standard[s].LinkedSerialNo;
    if (k >= 1 && k <= local.Count())
        local[k].LinkedSerialNo = 0;
    standard[s].LinkedSerialNo = 0;
    form.lbl_TaioKomokuTuban->clear();
    form.ComandBtn[12]->setEnabled(true);
    form.ComandBtn[13]->setEnabled(false);
    ShowItemInPane(form, LeadingInteger(form.lbl_KomokuTubanLocal->text()), QStringLiteral("L"));
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

void LinkAll(F_K450120& form)
{
    CopyLinked(form.Lines.StandardItems, form.Lines.LocalItems, form.Lis_Hyojun->count());
    RebuildItemList(form, QStringLiteral("E"));
    SettleLocalList(form);
}
