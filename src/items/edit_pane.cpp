#include "items/edit_pane.h"

#include "app/main_form.h"
#include "items/command_dispatch.h"
#include "items/item_list_box.h"
#include "items/linking.h"
#include "shell/category_lookup.h"
#include "shell/text.h"

#include <QGroupBox>
#include <QLabel>

namespace {

bool IsStandard(const QString& side) { return side == QLatin1String("E"); }
bool IsLocal(const QString& side) { return side == QLatin1String("L"); }

void FocusIfEnabled(F_K450120& form, QWidget* field)
{
    if (form.Frame[0]->isVisible() && field->isEnabled())
        field->setFocus();
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
void ShowCategoryName(F_K450120& form, const char* kind, const QString& code, QLabel* label)
{
    if (TrimBlanks(code).isEmpty())
        return;
    qint16 hold = 0;
    CheckCategoryCode(&form, form.Db, QString::fromUtf8(kind), code, label, hold);
}

}  // namespace

void ClearEditPane(F_K450120& form, const QString& side, const QString& kind)
{
    if (!IsStandard(side) && !IsLocal(side))
        return;
    const bool standard = IsStandard(side);
    const bool itemPart = kind == QLatin1String("Z") || kind == QLatin1String("K");
    if (itemPart) {
        if (standard) {
            for (QLabel* l : {form.lbl_KomokuNo, form.lbl_ZokuseiCode, form.lbl_Zokusei,
                              form.lbl_Nagasa, form.lbl_SyosuNagasa})
                l->clear();
            form.txt_KomokuNo->clear();
            FocusIfEnabled(form, form.txt_KomokuNo);
        } else {
            form.lbl_KomokuNoIti->clear();
            form.lbl_ZokuseiCodeLocal->clear();
            for (FieldEdit* f : {form.txt_KomokuMei, form.txt_ZokuseiCodeLocal,
                                 form.txt_NagasaLocal, form.txt_SyosuNagasaLocal})
                f->clear();
            FocusIfEnabled(form, form.txt_KomokuMei);
        }
    } else {
        FocusIfEnabled(form, standard ? form.txt_MultiMeisaiBango : form.txt_MultiMeisaiBangoLocal);
    }
    if (standard) {
        for (QLabel* l : {form.lbl_KomokuTuban, form.lbl_TaioKomokuTuban, form.lbl_LevelBango,
                          form.lbl_HenkanErrorTaisyo})
            l->clear();
        for (FieldEdit* f : {form.txt_MultiMeisaiBango, form.txt_Kurikaesisu,
                             form.txt_HenkanErrorTaisyo, form.txt_KoteiKomokuTi})
            f->clear();
    } else {
        for (QLabel* l : {form.lbl_KomokuTubanLocal, form.lbl_LevelBangoLocal,
                          form.lbl_TaioKomokuTubanLocal, form.lbl_HenkanErrorTaisyoLocal})
            l->clear();
        for (FieldEdit* f : {form.txt_MultiMeisaiBangoLocal, form.txt_KurikaesisuLocal,
                             form.txt_HenkanErrorTaisyoLocal, form.txt_KoteiKomokuTiLocal})
            f->clear();
    }
    UpdateLinkButtons(form);
}

void EnableItemFields(F_K450120& form, const QString& side, bool enabled)
{
    if (IsStandard(side)) {
        for (FieldEdit* f : {form.txt_KomokuNo, form.txt_HenkanErrorTaisyo, form.txt_KoteiKomokuTi})
            f->setEnabled(enabled);
    } else if (IsLocal(side)) {
        for (FieldEdit* f : {form.txt_KomokuMei, form.txt_ZokuseiCodeLocal, form.txt_NagasaLocal,
                             form.txt_SyosuNagasaLocal, form.txt_HenkanErrorTaisyoLocal,
                             form.txt_KoteiKomokuTiLocal})
            f->setEnabled(enabled);
    }
}

void EnableGroupFields(F_K450120& form, const QString& side, bool enabled)
{
    FieldEdit* number = nullptr;
    if (IsStandard(side)) {
        form.txt_MultiMeisaiBango->setEnabled(enabled);
        form.txt_Kurikaesisu->setEnabled(enabled);
        number = form.txt_MultiMeisaiBango;
    } else if (IsLocal(side)) {
        form.txt_MultiMeisaiBangoLocal->setEnabled(enabled);
        form.txt_KurikaesisuLocal->setEnabled(enabled);
        number = form.txt_MultiMeisaiBangoLocal;
    }
    if (number && enabled)
        number->setFocus();
}

void ShowItemInPane(F_K450120& form, qint32 position, const QString& side)
{
    if (position <= 0 || (!IsStandard(side) && !IsLocal(side)))
        return;
    const ItemTable& table = form.Lines.Table(side);
    if (position > table.Count())
        return;
    const FormatItem& line = table[position];
    if (IsStandard(side)) {
        form.lbl_KomokuTuban->setText(Number(line.SerialNo));
        form.lbl_TaioKomokuTuban->setText(NumberOrEmpty(line.LinkedSerialNo));
        form.lbl_LevelBango->setText(Number(line.Level));
        form.txt_KomokuNo->setText(Number(line.ItemNo));
        form.lbl_KomokuNo->setText(line.ItemName);
        form.lbl_ZokuseiCode->setText(line.Attribute);
        form.lbl_Nagasa->setText(NumberOrEmpty(line.Length));
        form.lbl_SyosuNagasa->setText(NumberOrEmpty(line.DecimalLength));
        form.txt_MultiMeisaiBango->setText(line.MultiDetailNo);
        form.txt_Kurikaesisu->setText(Number(line.RepeatCount));
        form.txt_HenkanErrorTaisyo->setText(line.ConversionError);
        form.txt_KoteiKomokuTi->setText(line.FixedValue);
        ShowCategoryName(form, "変換エラー対処", line.ConversionError, form.lbl_HenkanErrorTaisyo);
        ShowCategoryName(form, "属性", line.Attribute, form.lbl_Zokusei);
    } else {
        form.lbl_KomokuTubanLocal->setText(Number(line.SerialNo));
        form.lbl_TaioKomokuTubanLocal->setText(NumberOrEmpty(line.LinkedSerialNo));
        form.lbl_LevelBangoLocal->setText(Number(line.Level));
        form.lbl_KomokuNoIti->setText(Number(line.ItemPosition));
        form.txt_KomokuMei->setText(line.ItemName);
        form.txt_ZokuseiCodeLocal->setText(line.Attribute);
        form.txt_NagasaLocal->setText(NumberOrEmpty(line.Length));
        form.txt_SyosuNagasaLocal->setText(NumberOrEmpty(line.DecimalLength));
        form.txt_MultiMeisaiBangoLocal->setText(line.MultiDetailNo);
        form.txt_KurikaesisuLocal->setText(Number(line.RepeatCount));
        form.txt_HenkanErrorTaisyoLocal->setText(line.ConversionError);
        form.txt_KoteiKomokuTiLocal->setText(line.FixedValue);
        ShowCategoryName(form, "変換エラー対処", line.ConversionError, form.lbl_HenkanErrorTaisyoLocal);
        ShowCategoryName(form, "属性", line.Attribute, form.lbl_ZokuseiCodeLocal);
    }
    LockEditFields(form, 2);
    UpdateLinkButtons(form);
}

void ShowSelectedItem(F_K450120& form, const QString& side)
{
    const ItemListBox* list = IsStandard(side) ? form.Lis_Hyojun : form.Lis_Local;
    ShowItemInPane(form, list->currentRow() + 1, side);
}

void RefreshPane(F_K450120& form, const QString& side)
{
    ClearEditPane(form, side, QStringLiteral("Z"));
    ShowSelectedItem(form, side);
}

void FocusOtherPane(F_K450120& form, const QString& fieldName)
{
    if (fieldName == QLatin1String("txt_KoteiKomokuTi") || fieldName == QLatin1String("txt_Kurikaesisu")) {
        (form.txt_KoteiKomokuTiLocal->isEnabled() ? form.txt_KoteiKomokuTiLocal
                                                  : form.txt_KurikaesisuLocal)->setFocus();
    } else if (fieldName == QLatin1String("txt_KoteiKomokuTiLocal")
               || fieldName == QLatin1String("txt_KurikaesisuLocal")) {
        (form.txt_KoteiKomokuTi->isEnabled() ? form.txt_KoteiKomokuTi : form.txt_Kurikaesisu)->setFocus();
    }
}
