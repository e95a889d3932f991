#include "items/edit_pane.h"

#include "app/main_form.h"
#include "items/linking.h"

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
