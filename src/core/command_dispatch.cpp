#include "core/command_dispatch.h"

#include "core/edit_pane.h"
#include "core/field_checks.h"
#include "core/field_discipline.h"
#include "core/format_flow.h"
#include "core/header_flow.h"
#include "core/item_edit.h"
#include "core/key_codes.h"
#include "core/linking.h"
#include "core/screen_mode.h"
#include "core/searches.h"
#include "core/text.h"

namespace {

bool ListHasFocus(const FormState& form)
{
    const Control* focus = form.Fields.Active;
    return focus == &form.Lis_Hyojun || focus == &form.Lis_Local;
}

bool EditingAllowed(const FormState& form)
{
    const QString category = TrimBlanks(form.txt_SyoriKbn.text);
    return category != QLatin1String("9") && category != QLatin1String("0");
}

// Returns false when the key handling ends here.
bool EnterKey(FormState& form)
{
    qint16 hold = 0;
    CheckField(form, form.Fields.ActivePosition(), hold);
    if (hold == 9) {
        if (Field* field = form.Fields.ActiveField())
            SelectAllText(*field);
        return false;
    }
    return hold != -1;
}

void SearchKey(FormState& form)
{
    const Control* focus = form.Fields.Active;
    if (focus == &form.txt_JohoKbn) {
        qint16 status = 0;
        OpenCategorySearch(form, form.txt_JohoKbn, form.lbl_JohoKbn, status);
    } else if (focus == &form.txt_BPID) {
        // A key being registered has nothing stored to list.
        if (LeadingInteger(form.txt_SyoriKbn.text) == 1)
            return;
        const bool noCategory = TrimBlanks(form.txt_JohoKbn.text).isEmpty();
        OpenCodeSearch(form, CodeSearchKind::FormatKey, &form.txt_JohoKbn,
                       noCategory ? &form.txt_JohoKbn : nullptr, &form.txt_BPID);
        // Name the category that the chosen row brought.
        if (noCategory && !TrimBlanks(form.txt_JohoKbn.text).isEmpty()) {
            qint16 hold = 0;
            ShowCheckMessage(form, CheckInformationCategory(form, hold));
        }
    } else if (focus == &form.txt_KomokuNo) {
        OpenCodeSearch(form, CodeSearchKind::ItemNumber, &form.txt_KomokuNo, &form.txt_KomokuNo,
                       &form.lbl_KomokuNo);
    }
}

void EscapeKey(FormState& form)
{
    if (form.ScreenMode == QLatin1String("MODE")) {
        ConfirmExit(form);
        return;
    }
    if (LeadingInteger(form.txt_SyoriKbn.text) == 0 && form.Frame[0].visible)
        form.ScreenMode = QStringLiteral("BODY");
    if (form.ScreenMode == QLatin1String("HEAD")) {
        StepBackMode(form);
        const QString category = TrimBlanks(form.txt_SyoriKbn.text);
        if (category == QLatin1String("0") || category == QLatin1String("1")
            || category == QLatin1String("2") || category == QLatin1String("9"))
            ClearHeaderFields(form);
        SetFocus(form, form.txt_SyoriKbn);
    } else if (form.ScreenMode == QLatin1String("BODY")) {
        if (form.Frame[0].visible) {
            ComandBtnClick(form, 16);
        } else {
            ComandBtnClick(form, 2);
            SetFocus(form, form.txt_JohoKbn);
        }
    }
}

// Alt+I: the header written first where the category writes one, from the
// header screen of an accepted key whose detail settings pass their checks;
// inquiry and delete only look at the lines.
void WriteHeaderAndShowLines(FormState& form)
{
    const qint32 category = LeadingInteger(form.txt_SyoriKbn.text);
    if (category == 1 || category == 2) {
        if (form.Frame[0].visible || form.ScreenMode != QLatin1String("BODY")
            || CheckDetailSettings(form) == 9)
            return;
        qint16 error = 0;
        WriteHeader(form, error);
        if (error != 0)
            return;
    } else if (category != 0 && category != 9) {
        return;
    }
    ComandBtnClick(form, 1);
}

// Alt and Ctrl shortcuts; true when one ran.
bool DispatchShortcut(FormState& form, int keyCode, int shift)
{
    const QString side = ActiveSide(form);
    const bool paneActive = form.Frame[0].visible && !side.isEmpty();
    if (shift == kCtrlMask && keyCode == vk::Tab && paneActive) {
        SetFocus(form, side == QLatin1String("E") ? form.txt_KomokuMei : form.txt_KomokuNo);
        return true;
    }
    if (shift != kAltMask)
        return false;
    if (paneActive) {
        const bool editing = EditingAllowed(form);
        switch (keyCode) {
        case 'X':
            if (editing)
                ComandBtnClick(form, 2);
            return editing;
        case 'A':
            if (editing)
                PrepareItemAdd(form, side);
            return editing;
        case 'M':
            if (editing)
                PrepareGroupAdd(form, side);
            return editing;
        case 'E':
            RefreshPane(form, side);
            LockEditFields(form, 0);
            return true;
        case 'D':
            if (editing)
                DeleteSelectedItem(form, side);
            return editing;
        case vk::Prior:
            if (editing)
                MoveShownItemUp(form, side);
            return editing;
        case vk::Next:
            if (editing)
                MoveShownItemDown(form, side);
            return editing;
        case 'L':
            if (editing)
                CreateLink(form);
            return editing;
        case 'C':
            if (editing)
                RemoveLink(form);
            return editing;
        default:
            return false;
        }
    }
    if (keyCode == 'C') {
        if (form.ComandBtn[0].enabled)
            ComandBtnClick(form, 0);
        return true;
    }
    if (keyCode == 'M' && form.Frame[0].visible && side.isEmpty()) {
        LinkAll(form);
        return true;
    }
    if (keyCode == 'I') {
        WriteHeaderAndShowLines(form);
        return true;
    }
    return false;
}

}  // namespace

void ComandBtnClick(FormState& form, int index)
{
    const QString standard = QStringLiteral("E");
    const QString local = QStringLiteral("L");
    switch (index) {
    case 0:
        CopyFormat(form);
        break;
    case 1:
        SwitchLayout(form, true);
        break;
    case 2:
        ConfirmHeaderCommand(form);
        break;
    case 3:
        RemoveOrphanLines(form);
        ClearScreen(form);
        ResetToKeyEntry(form);
        StepBackMode(form);
        SetFocus(form, form.txt_SyoriKbn);
        break;
    case 4:
        PrepareItemAdd(form, standard);
        break;
    case 5:
        PrepareGroupAdd(form, standard);
        break;
    case 6:
    case 19: {
        const QString side = index == 6 ? standard : local;
        BeginEdit(form, side);
        RefreshPane(form, side);
        LockEditFields(form, 0);
        break;
    }
    case 7:
        MoveShownItemUp(form, standard);
        break;
    case 8:
        DeleteSelectedItem(form, standard);
        break;
    case 9:
        MoveShownItemDown(form, standard);
        break;
    case 10:
        CommitPaneEntry(form, standard);
        break;
    case 11:
        ClearEditPane(form, standard, QStringLiteral("Z"));
        break;
    case 20:
        MoveShownItemUp(form, local);
        break;
    case 21:
        DeleteSelectedItem(form, local);
        break;
    case 22:
        MoveShownItemDown(form, local);
        break;
    case 24:
        CommitPaneEntry(form, local);
        break;
    case 17:
        PrepareItemAdd(form, local);
        break;
    case 18:
        PrepareGroupAdd(form, local);
        break;
    case 23:
        ClearEditPane(form, local, QStringLiteral("Z"));
        break;
    case 12:
        CreateLink(form);
        break;
    case 13:
        RemoveLink(form);
        break;
    case 14:
        LinkAll(form);
        break;
    case 15:
        SwitchLayout(form, false);
        SetScreenMode(form, "BODY");
        SetFocus(form, form.txt_Yosikisyubetu);
        break;
    case 16:
        LeaveLineScreen(form);
        break;
    default:
        break;
    }
}

bool DispatchFormKey(FormState& form, int keyCode, int shift)
{
    bool consumed = false;
    bool goOn = true;
    // Whether the key came to a list, before an operation moves the focus.
    const bool onList = ListHasFocus(form);
    switch (keyCode) {
    case vk::Return:
        consumed = true;
        if (form.Fields.Active == &form.Lis_Hyojun)
            ComandBtnClick(form, 6);
        else if (form.Fields.Active == &form.Lis_Local)
            ComandBtnClick(form, 19);
        else
            goOn = EnterKey(form);
        break;
    case vk::F5:
        consumed = true;
        SearchKey(form);
        break;
    case vk::Escape:
        consumed = true;
        EscapeKey(form);
        break;
    default:
        break;
    }
    if (!goOn)
        return consumed;
    if (DispatchShortcut(form, keyCode, shift))
        return true;
    if (onList)
        return consumed;
    if (keyCode == vk::Return || keyCode == vk::Down) {
        MoveToNextField(form);
        return true;
    }
    if (keyCode == vk::Up) {
        MoveToPreviousField(form);
        return true;
    }
    return consumed;
}

void LockEditFields(FormState& form, int flag)
{
    const qint32 category = LeadingInteger(form.txt_SyoriKbn.text);
    const bool viewOnly = category == 0 || category == 9;
    const bool locked = viewOnly || flag > 0;
    for (Field* field :
         {&form.txt_Yosikisyubetu, &form.txt_SintaxID, &form.txt_KakunoMode, &form.txt_1ByteMijiSyugo,
          &form.txt_2ByteMijiSyugo, &form.txt_LocalKeishiki, &form.txt_XMLmojiCode,
          &form.txt_KomokuNo, &form.txt_MultiMeisaiBango, &form.txt_Kurikaesisu,
          &form.txt_HenkanErrorTaisyo, &form.txt_KoteiKomokuTi, &form.txt_KomokuMei,
          &form.txt_ZokuseiCodeLocal, &form.txt_NagasaLocal, &form.txt_SyosuNagasaLocal,
          &form.txt_MultiMeisaiBangoLocal, &form.txt_KurikaesisuLocal,
          &form.txt_HenkanErrorTaisyoLocal, &form.txt_KoteiKomokuTiLocal})
        field->locked = locked;
    for (int i : {4, 5, 6, 7, 8, 9, 10, 11, 17, 18, 19, 20, 21, 22, 23, 24, 15, 16})
        form.ComandBtn[i].enabled = !viewOnly;
    const QString trimmed = TrimBlanks(form.txt_SyoriKbn.text);
    if (trimmed == QLatin1String("9") || trimmed == QLatin1String("0")) {
        for (int i : {12, 13, 14})
            form.ComandBtn[i].enabled = false;
        form.ComandBtn[15].enabled = true;
        form.ComandBtn[16].enabled = false;
    }
}

QString ActiveSide(const FormState& form)
{
    const FieldTable& t = form.Fields;
    const int pos = t.ActivePosition();
    if (pos >= t.StandardPaneStart && pos <= t.StandardPaneEnd)
        return QStringLiteral("E");
    if (pos > t.StandardPaneEnd && pos <= t.LastFieldPos)
        return QStringLiteral("L");
    return QString();
}
