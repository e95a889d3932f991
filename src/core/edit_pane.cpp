#include "core/edit_pane.h"

#include "core/command_dispatch.h"
#include "core/field_discipline.h"
#include "core/header_flow.h"
#include "core/linking.h"
#include "core/text.h"

#include <utility>

namespace {

bool IsStandard(const QString& side) { return side == QLatin1String("E"); }
bool IsLocal(const QString& side) { return side == QLatin1String("L"); }

void FocusIfEnabled(FormState& form, Field& field)
{
    if (form.Frame[0].visible && field.enabled)
        SetFocus(form, field);
}

QString Number(qint32 value)
{
    return QString::number(value);
}

QString NumberOrEmpty(qint32 value)
{
    return value == 0 ? QString() : QString::number(value);
}

// The name of a stored code, looked up when the line has one.
void ShowCategoryName(FormState& form, const char* kind, const QString& code, Control& label)
{
    if (TrimBlanks(code).isEmpty())
        return;
    qint16 hold = 0;
    CheckCategoryCode(form, QString::fromUtf8(kind), code, label, hold);
}

}  // namespace

void ClearEditPane(FormState& form, const QString& side, const QString& kind)
{
    if (!IsStandard(side) && !IsLocal(side))
        return;
    const bool standard = IsStandard(side);
    const bool itemPart = kind == QLatin1String("Z") || kind == QLatin1String("K");
    if (itemPart) {
        if (standard) {
            for (Control* l : {&form.lbl_KomokuNo, &form.lbl_ZokuseiCode, &form.lbl_Zokusei,
                               &form.lbl_Nagasa, &form.lbl_SyosuNagasa})
                l->clear();
            form.txt_KomokuNo.clear();
            FocusIfEnabled(form, form.txt_KomokuNo);
        } else {
            form.lbl_KomokuNoIti.clear();
            form.lbl_ZokuseiCodeLocal.clear();
            for (Field* f : {&form.txt_KomokuMei, &form.txt_ZokuseiCodeLocal,
                             &form.txt_NagasaLocal, &form.txt_SyosuNagasaLocal})
                f->clear();
            FocusIfEnabled(form, form.txt_KomokuMei);
        }
    } else {
        FocusIfEnabled(form, standard ? form.txt_MultiMeisaiBango : form.txt_MultiMeisaiBangoLocal);
    }
    if (standard) {
        for (Control* l : {&form.lbl_KomokuTuban, &form.lbl_TaioKomokuTuban, &form.lbl_LevelBango,
                           &form.lbl_HenkanErrorTaisyo})
            l->clear();
        for (Field* f : {&form.txt_MultiMeisaiBango, &form.txt_Kurikaesisu,
                         &form.txt_HenkanErrorTaisyo, &form.txt_KoteiKomokuTi})
            f->clear();
    } else {
        for (Control* l : {&form.lbl_KomokuTubanLocal, &form.lbl_LevelBangoLocal,
                           &form.lbl_TaioKomokuTubanLocal, &form.lbl_HenkanErrorTaisyoLocal})
            l->clear();
        for (Field* f : {&form.txt_MultiMeisaiBangoLocal, &form.txt_KurikaesisuLocal,
                         &form.txt_HenkanErrorTaisyoLocal, &form.txt_KoteiKomokuTiLocal})
            f->clear();
    }
    UpdateLinkButtons(form);
}

void EnableItemFields(FormState& form, const QString& side, bool enabled)
{
    if (IsStandard(side)) {
        for (Field* f : {&form.txt_KomokuNo, &form.txt_HenkanErrorTaisyo, &form.txt_KoteiKomokuTi})
            f->enabled = enabled;
    } else if (IsLocal(side)) {
        for (Field* f : {&form.txt_KomokuMei, &form.txt_ZokuseiCodeLocal, &form.txt_NagasaLocal,
                         &form.txt_SyosuNagasaLocal, &form.txt_HenkanErrorTaisyoLocal,
                         &form.txt_KoteiKomokuTiLocal})
            f->enabled = enabled;
    }
}

void EnableGroupFields(FormState& form, const QString& side, bool enabled)
{
    if (IsStandard(side)) {
        form.txt_MultiMeisaiBango.enabled = enabled;
        form.txt_Kurikaesisu.enabled = enabled;
    } else if (IsLocal(side)) {
        form.txt_MultiMeisaiBangoLocal.enabled = enabled;
        form.txt_KurikaesisuLocal.enabled = enabled;
    }
}

void ShowItemInPane(FormState& form, qint32 position, const QString& side)
{
    if (position <= 0 || (!IsStandard(side) && !IsLocal(side)))
        return;
    const ItemTable& table = form.Lines.Table(side);
    if (position > table.Count())
        return;
    const FormatItem& line = table[position];
    const bool standard = IsStandard(side);
    // The standard pane shows the item number and the dictionary's name; the
    // local pane the item position and its own name.
    const std::pair<Control*, QString> values[] = {
        {standard ? &form.lbl_KomokuTuban : &form.lbl_KomokuTubanLocal, Number(line.SerialNo)},
        {standard ? &form.lbl_TaioKomokuTuban : &form.lbl_TaioKomokuTubanLocal, NumberOrEmpty(line.LinkedSerialNo)},
        {standard ? &form.lbl_LevelBango : &form.lbl_LevelBangoLocal, Number(line.Level)},
        {standard ? static_cast<Control*>(&form.txt_KomokuNo) : &form.lbl_KomokuNoIti,
         Number(standard ? line.ItemNo : line.ItemPosition)},
        {standard ? &form.lbl_KomokuNo : static_cast<Control*>(&form.txt_KomokuMei), line.ItemName},
        {standard ? &form.lbl_ZokuseiCode : static_cast<Control*>(&form.txt_ZokuseiCodeLocal), line.Attribute},
        {standard ? &form.lbl_Nagasa : static_cast<Control*>(&form.txt_NagasaLocal), NumberOrEmpty(line.Length)},
        {standard ? &form.lbl_SyosuNagasa : static_cast<Control*>(&form.txt_SyosuNagasaLocal),
         NumberOrEmpty(line.DecimalLength)},
        {standard ? &form.txt_MultiMeisaiBango : &form.txt_MultiMeisaiBangoLocal, line.MultiDetailNo},
        {standard ? &form.txt_Kurikaesisu : &form.txt_KurikaesisuLocal, Number(line.RepeatCount)},
        {standard ? &form.txt_HenkanErrorTaisyo : &form.txt_HenkanErrorTaisyoLocal, line.ConversionError},
        {standard ? &form.txt_KoteiKomokuTi : &form.txt_KoteiKomokuTiLocal, line.FixedValue},
    };
    for (const auto& [control, text] : values)
        control->text = text;
    ShowCategoryName(form, "変換エラー対処", line.ConversionError,
                     standard ? form.lbl_HenkanErrorTaisyo : form.lbl_HenkanErrorTaisyoLocal);
    ShowCategoryName(form, "属性", line.Attribute, standard ? form.lbl_Zokusei : form.lbl_ZokuseiCodeLocal);
    LockEditFields(form, 2);
    UpdateLinkButtons(form);
}

void ShowSelectedItem(FormState& form, const QString& side)
{
    const LineList& list = IsStandard(side) ? form.Lis_Hyojun : form.Lis_Local;
    ShowItemInPane(form, list.currentRow + 1, side);
}

void RefreshPane(FormState& form, const QString& side)
{
    ClearEditPane(form, side, QStringLiteral("Z"));
    ShowSelectedItem(form, side);
}

void FocusOtherPane(FormState& form, const QString& fieldName)
{
    if (fieldName == QLatin1String("txt_KoteiKomokuTi") || fieldName == QLatin1String("txt_Kurikaesisu")) {
        SetFocus(form, form.txt_KoteiKomokuTiLocal.enabled ? form.txt_KoteiKomokuTiLocal
                                                             : form.txt_KurikaesisuLocal);
    } else if (fieldName == QLatin1String("txt_KoteiKomokuTiLocal")
               || fieldName == QLatin1String("txt_KurikaesisuLocal")) {
        SetFocus(form, form.txt_KoteiKomokuTi.enabled ? form.txt_KoteiKomokuTi : form.txt_Kurikaesisu);
    }
}
