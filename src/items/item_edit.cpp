#include "items/item_edit.h"

#include "app/main_form.h"
#include "items/command_dispatch.h"
#include "items/edit_pane.h"
#include "items/item_list_box.h"
#include "items/item_ops.h"
#include "items/list_view.h"
#include "core/moves.h"
#include "shell/category_lookup.h"
#include "core/text.h"
#include "validation/pane_checks.h"

#include <QLabel>

namespace {

bool IsSide(const QString& side)
{
    return side == QLatin1String("E") || side == QLatin1String("L");
}

void RebuildSide(F_K450120& form, const QString& side)
{
    if (side == QLatin1String("L"))
        SettleLocalList(form);
    else
        RebuildItemList(form, side);
}

// Empty text counts as 0.
qint32 Whole(const QString& text)
{
    return LeadingInteger(text);
}

FormatItem StandardRecord(const F_K450120& form)
{
    FormatItem r;
    r.FormatType = QStringLiteral("E");
    r.LinkedSerialNo = Whole(form.lbl_TaioKomokuTuban->text());
    r.ItemNo = Whole(form.txt_KomokuNo->text());
    r.ItemName = form.lbl_KomokuNo->text();
    r.Attribute = form.lbl_ZokuseiCode->text();
    r.Length = Whole(form.lbl_Nagasa->text());
    r.DecimalLength = Whole(form.lbl_SyosuNagasa->text());
    r.MultiDetailNo = form.txt_MultiMeisaiBango->text();
    r.RepeatCount = Whole(form.txt_Kurikaesisu->text());
    r.ConversionError = form.txt_HenkanErrorTaisyo->text();
    r.FixedValue = form.txt_KoteiKomokuTi->text();
    return r;
}

FormatItem LocalRecord(const F_K450120& form)
{
    FormatItem r;
    r.FormatType = QStringLiteral("L");
    r.LinkedSerialNo = Whole(form.lbl_TaioKomokuTubanLocal->text());
    r.ItemPosition = Whole(form.lbl_KomokuNoIti->text());
    r.ItemName = form.txt_KomokuMei->text();
    r.Attribute = form.txt_ZokuseiCodeLocal->text();
    r.Length = Whole(form.txt_NagasaLocal->text());
    r.DecimalLength = Whole(form.txt_SyosuNagasaLocal->text());
    r.MultiDetailNo = form.txt_MultiMeisaiBangoLocal->text();
    r.RepeatCount = Whole(form.txt_KurikaesisuLocal->text());
    r.ConversionError = form.txt_HenkanErrorTaisyoLocal->text();
    r.FixedValue = form.txt_KoteiKomokuTiLocal->text();
    return r;
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
    const ItemListBox* list = side == QLatin1String("E") ? form.Lis_Hyojun : form.Lis_Local;
    const int position = list->currentRow() + 1;
    const ItemTable& table = form.Lines.Table(side);
    // Without a selection the empty slot 0 counts as an item line.
    if (position <= table.Count() && table[position].IsGroupHeader())
        PrepareGroupAdd(form, side);
    else
        PrepareItemAdd(form, side);
}

bool CommitItem(F_K450120& form, const QString& side)
{
    const bool standard = side == QLatin1String("E");
    ItemTable& table = form.Lines.Table(side);
    const ItemListBox* list = standard ? form.Lis_Hyojun : form.Lis_Local;
    PaneState pane;
    pane.serialNo = Whole((standard ? form.lbl_KomokuTuban : form.lbl_KomokuTubanLocal)->text());
    pane.levelNo = Whole((standard ? form.lbl_LevelBango : form.lbl_LevelBangoLocal)->text());
    pane.selectedRow = list->currentRow();
    const bool isNew = pane.serialNo == 0;
    const int p = CommitPosition(table, pane);
    if (!standard && isNew && TrimBlanks(form.txt_KomokuMei->text()).isEmpty())
        return false;
    FormatItem record = standard ? StandardRecord(form) : LocalRecord(form);
    record.SerialNo = p;
    record.Level = ComputeLevel(table, p, record, form.Lines.EditKind, pane);
    PlaceLine(table, p, record, isNew);
    form.Lines.ReselectPosition = p;
    return true;
}

bool CommitPaneEntry(F_K450120& form, const QString& side)
{
    if (!IsSide(side) || CheckItemFields(form, side) != 0)
        return false;
    if (CommitItem(form, side))
        RebuildSide(form, side);
    ClearEditPane(form, side, QStringLiteral("Z"));
    PrepareItemAdd(form, side);
    return true;
}

void DeleteSelectedItem(F_K450120& form, const QString& side)
{
    if (!IsSide(side))
        return;
    const bool standard = side == QLatin1String("E");
    const qint32 k = Whole((standard ? form.lbl_KomokuTuban : form.lbl_KomokuTubanLocal)->text());
    const ItemListBox* list = standard ? form.Lis_Hyojun : form.Lis_Local;
    if (k == 0 || list->count() == 0)
        return;
    RemoveItem(form.Lines.Table(side), form.Lines.Table(standard ? QStringLiteral("L") : QStringLiteral("E")), k);
    form.Lines.ReselectPosition = k;
    RebuildSide(form, side);
    ClearEditPane(form, side, QStringLiteral("Z"));
}

namespace {

template <typename MoveFn>
void MoveShownItem(F_K450120& form, const QString& side, MoveFn move, bool selectExplicitly)
{
    if (!IsSide(side))
        return;
    const bool standard = side == QLatin1String("E");
    const qint32 p = Whole((standard ? form.lbl_KomokuTuban : form.lbl_KomokuTubanLocal)->text());
    if (const std::optional<int> reselect = move(form.Lines.Table(side), p))
        form.Lines.ReselectPosition = *reselect;
    RebuildSide(form, side);
    if (selectExplicitly)
        (standard ? form.Lis_Hyojun : form.Lis_Local)->setCurrentRow(form.Lines.ReselectPosition - 1);
    ShowItemInPane(form, form.Lines.ReselectPosition, side);
}

}  // namespace

void MoveShownItemUp(F_K450120& form, const QString& side)
{
    MoveShownItem(form, side, MoveItemUp, true);
}

void MoveShownItemDown(F_K450120& form, const QString& side)
{
    MoveShownItem(form, side, MoveItemDown, false);
}
