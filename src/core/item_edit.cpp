#include "core/item_edit.h"

#include "core/command_dispatch.h"
#include "core/edit_pane.h"
#include "core/field_discipline.h"
#include "core/header_flow.h"
#include "core/item_ops.h"
#include "core/list_rebuild.h"
#include "core/moves.h"
#include "core/pane_checks.h"
#include "core/text.h"

namespace {

bool IsSide(const QString& side)
{
    return side == QLatin1String("E") || side == QLatin1String("L");
}

void RebuildSide(FormState& form, const QString& side)
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

FormatItem StandardRecord(const FormState& form)
{
    FormatItem r;
    r.FormatType = QStringLiteral("E");
    r.LinkedSerialNo = Whole(form.lbl_TaioKomokuTuban.text);
    r.ItemNo = Whole(form.txt_KomokuNo.text);
    r.ItemName = form.lbl_KomokuNo.text;
    r.Attribute = form.lbl_ZokuseiCode.text;
    r.Length = Whole(form.lbl_Nagasa.text);
    r.DecimalLength = Whole(form.lbl_SyosuNagasa.text);
    r.MultiDetailNo = form.txt_MultiMeisaiBango.text;
    r.RepeatCount = Whole(form.txt_Kurikaesisu.text);
    r.ConversionError = form.txt_HenkanErrorTaisyo.text;
    r.FixedValue = form.txt_KoteiKomokuTi.text;
    return r;
}

FormatItem LocalRecord(const FormState& form)
{
    FormatItem r;
    r.FormatType = QStringLiteral("L");
    r.LinkedSerialNo = Whole(form.lbl_TaioKomokuTubanLocal.text);
    r.ItemPosition = Whole(form.lbl_KomokuNoIti.text);
    r.ItemName = form.txt_KomokuMei.text;
    r.Attribute = form.txt_ZokuseiCodeLocal.text;
    r.Length = Whole(form.txt_NagasaLocal.text);
    r.DecimalLength = Whole(form.txt_SyosuNagasaLocal.text);
    r.MultiDetailNo = form.txt_MultiMeisaiBangoLocal.text;
    r.RepeatCount = Whole(form.txt_KurikaesisuLocal.text);
    r.ConversionError = form.txt_HenkanErrorTaisyoLocal.text;
    r.FixedValue = form.txt_KoteiKomokuTiLocal.text;
    return r;
}

}  // namespace

FormatItem PaneRecord(const FormState& form, const QString& side)
{
    return side == QLatin1String("E") ? StandardRecord(form) : LocalRecord(form);
}

void PrepareItemAdd(FormState& form, const QString& side)
{
    if (!IsSide(side))
        return;
    form.Lines.EditKind = QStringLiteral("KOMOKU");
    ClearEditPane(form, side, QStringLiteral("K"));
    EnableItemFields(form, side, true);
    EnableGroupFields(form, side, false);
    SetFocus(form, side == QLatin1String("E") ? form.txt_KomokuNo : form.txt_KomokuMei);
    LockEditFields(form, 0);
}

void PrepareGroupAdd(FormState& form, const QString& side)
{
    if (!IsSide(side))
        return;
    const bool standard = side == QLatin1String("E");
    form.Lines.EditKind = QStringLiteral("MEISAI");
    EnableItemFields(form, side, false);
    ClearEditPane(form, side, QStringLiteral("Z"));
    EnableGroupFields(form, side, true);
    Control& nameLabel = standard ? form.lbl_Zokusei : form.lbl_ZokuseiCodeLocal;
    if (standard)
        form.lbl_ZokuseiCode.text = QStringLiteral("M");
    else
        form.txt_ZokuseiCodeLocal.text = QStringLiteral("M");
    qint16 hold = 0;
    CheckCategoryCode(form, QStringLiteral("属性"), QStringLiteral("M"), nameLabel, hold);
    SetFocus(form, standard ? form.txt_MultiMeisaiBango : form.txt_MultiMeisaiBangoLocal);
    LockEditFields(form, 0);
}

void BeginEdit(FormState& form, const QString& side)
{
    if (!IsSide(side))
        return;
    const LineList& list = side == QLatin1String("E") ? form.Lis_Hyojun : form.Lis_Local;
    const int position = list.currentRow + 1;
    const ItemTable& table = form.Lines.Table(side);
    // Without a selection the empty slot 0 counts as an item line.
    if (position <= table.Count() && table[position].IsGroupHeader())
        PrepareGroupAdd(form, side);
    else
        PrepareItemAdd(form, side);
}

bool CommitItem(FormState& form, const QString& side)
{
    const bool standard = side == QLatin1String("E");
    ItemTable& table = form.Lines.Table(side);
    const LineList& list = standard ? form.Lis_Hyojun : form.Lis_Local;
    PaneState pane;
    pane.serialNo = Whole((standard ? form.lbl_KomokuTuban : form.lbl_KomokuTubanLocal).text);
    pane.levelNo = Whole((standard ? form.lbl_LevelBango : form.lbl_LevelBangoLocal).text);
    pane.selectedRow = list.currentRow;
    const bool isNew = pane.serialNo == 0;
    const int p = CommitPosition(table, pane);
    if (!standard && isNew && TrimBlanks(form.txt_KomokuMei.text).isEmpty())
        return false;
    FormatItem record = PaneRecord(form, side);
    record.SerialNo = p;
    record.Level = ComputeLevel(table, p, record, form.Lines.EditKind, pane);
    PlaceLine(table, p, record, isNew);
    form.Lines.ReselectPosition = p;
    return true;
}

bool CommitPaneEntry(FormState& form, const QString& side)
{
    if (!IsSide(side) || CheckItemFields(form, side) != 0)
        return false;
    if (CommitItem(form, side))
        RebuildSide(form, side);
    ClearEditPane(form, side, QStringLiteral("Z"));
    PrepareItemAdd(form, side);
    return true;
}

void DeleteSelectedItem(FormState& form, const QString& side)
{
    if (!IsSide(side))
        return;
    const bool standard = side == QLatin1String("E");
    const qint32 k = Whole((standard ? form.lbl_KomokuTuban : form.lbl_KomokuTubanLocal).text);
    const LineList& list = standard ? form.Lis_Hyojun : form.Lis_Local;
    if (k == 0 || list.count() == 0)
        return;
    RemoveItem(form.Lines.Table(side), form.Lines.Table(standard ? QStringLiteral("L") : QStringLiteral("E")), k);
    form.Lines.ReselectPosition = k;
    RebuildSide(form, side);
    ClearEditPane(form, side, QStringLiteral("Z"));
}

namespace {

template <typename MoveFn>
void MoveShownItem(FormState& form, const QString& side, MoveFn move, bool selectExplicitly)
{
    if (!IsSide(side))
        return;
    const bool standard = side == QLatin1String("E");
    const qint32 p = Whole((standard ? form.lbl_KomokuTuban : form.lbl_KomokuTubanLocal).text);
    if (const std::optional<int> reselect = move(form.Lines.Table(side), p))
        form.Lines.ReselectPosition = *reselect;
    RebuildSide(form, side);
    if (selectExplicitly)
        (standard ? form.Lis_Hyojun : form.Lis_Local).setCurrentRow(form.Lines.ReselectPosition - 1);
    ShowItemInPane(form, form.Lines.ReselectPosition, side);
}

}  // namespace

void MoveShownItemUp(FormState& form, const QString& side)
{
    MoveShownItem(form, side, MoveItemUp, true);
}

void MoveShownItemDown(FormState& form, const QString& side)
{
    MoveShownItem(form, side, MoveItemDown, false);
}
