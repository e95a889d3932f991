#include "items/command_dispatch.h"

#include "app/main_form.h"
#include "format/header_flow.h"
#include "format/screen_mode.h"
#include "shell/key_codes.h"
#include "shell/text.h"
#include "validation/field_checks.h"

#include <QApplication>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

namespace {

bool ListHasFocus(const F_K450120& form)
{
    const QWidget* focus = form.Fields.ActiveControl();
    return focus == form.Lis_Hyojun || focus == form.Lis_Local;
}

void EnterKey(F_K450120& form)
{
    qint16 hold = 0;
    CheckField(form, form.Fields.ActivePosition(), hold);
    if (hold == 9) {
        if (FieldEdit* field = form.Fields.ActiveField())
            FieldTable::SelectAllText(field);
        return;
    }
    if (hold == -1)
        return;
    form.Fields.MoveToNextField(vk::Return);
}

void EscapeKey(F_K450120& form)
{
    if (form.ScreenMode == QLatin1String("MODE")) {
        form.close();
        return;
    }
    if (form.ScreenMode == QLatin1String("HEAD")) {
        StepBackMode(form);
        const QString category = TrimBlanks(form.txt_SyoriKbn->text());
        if (category == QLatin1String("0") || category == QLatin1String("1")
            || category == QLatin1String("2") || category == QLatin1String("9"))
            ClearHeaderFields(form);
        form.txt_SyoriKbn->setFocus();
    }
}

}  // namespace

bool DispatchFormKey(F_K450120& form, int keyCode, int /*shift*/)
{
    switch (keyCode) {
    case vk::Return:
        if (!ListHasFocus(form))
            EnterKey(form);
        return true;
    case vk::Escape:
        EscapeKey(form);
        return true;
    case vk::Up:
        if (ListHasFocus(form))
            return false;
        form.Fields.MoveToPreviousField(keyCode);
        return true;
    case vk::Down:
        if (ListHasFocus(form))
            return false;
        form.Fields.MoveToNextField(keyCode);
        return true;
    default:
        return false;
    }
}

void LockEditFields(F_K450120& form, int flag)
{
    const qint32 category = LeadingInteger(form.txt_SyoriKbn->text());
    const bool viewOnly = category == 0 || category == 9;
    const bool locked = viewOnly || flag > 0;
    for (FieldEdit* field :
         {form.txt_Yosikisyubetu, form.txt_SintaxID, form.txt_KakunoMode, form.txt_1ByteMijiSyugo,
          form.txt_2ByteMijiSyugo, form.txt_LocalKeishiki, form.txt_XMLmojiCode,
          form.txt_KomokuNo, form.txt_MultiMeisaiBango, form.txt_Kurikaesisu,
          form.txt_HenkanErrorTaisyo, form.txt_KoteiKomokuTi, form.txt_KomokuMei,
          form.txt_ZokuseiCodeLocal, form.txt_NagasaLocal, form.txt_SyosuNagasaLocal,
          form.txt_MultiMeisaiBangoLocal, form.txt_KurikaesisuLocal,
          form.txt_HenkanErrorTaisyoLocal, form.txt_KoteiKomokuTiLocal})
        field->SetLocked(locked);
    for (int i : {4, 5, 6, 7, 8, 9, 10, 11, 17, 18, 19, 20, 21, 22, 23, 24, 15, 16})
        form.ComandBtn[i]->setEnabled(!viewOnly);
    const QString trimmed = TrimBlanks(form.txt_SyoriKbn->text());
    if (trimmed == QLatin1String("9") || trimmed == QLatin1String("0")) {
        for (int i : {12, 13, 14})
            form.ComandBtn[i]->setEnabled(false);
        form.ComandBtn[15]->setEnabled(true);
        form.ComandBtn[16]->setEnabled(false);
    }
}
