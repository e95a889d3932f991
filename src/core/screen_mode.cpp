#include "core/screen_mode.h"

#include "core/edit_pane.h"
#include "core/field_discipline.h"
#include "core/item_edit.h"
#include "core/list_rebuild.h"
#include "core/messages.h"
#include "core/text.h"

void InitializeScreen(FormState& form)
{
    ClearScreen(form);
    BuildFieldTable(form);
    form.ScreenMode = QStringLiteral("MODE");
    SetGroupEnabled(form, form.ScreenMode);
}

void StepBackMode(FormState& form)
{
    if (form.ScreenMode == QLatin1String("HEAD"))
        form.ScreenMode = QStringLiteral("MODE");
    else if (form.ScreenMode == QLatin1String("BODY"))
        form.ScreenMode = QStringLiteral("HEAD");
    SetGroupEnabled(form, form.ScreenMode);
}

void SetScreenMode(FormState& form, const char* mode)
{
    form.ScreenMode = QLatin1String(mode);
    SetGroupEnabled(form, form.ScreenMode);
}

namespace {

// The stored lines of the key in the key fields, rendered. False when they
// cannot be read or hold values out of range: the line screen must not be
// edited then, as saving it replaces the stored lines.
bool LoadAndShowLines(FormState& form)
{
    form.Lines.Key = {form.txt_JohoKbn.text, form.txt_BPID.text};
    try {
        if (!form.Store->LoadLines(form.Lines.Key, form.Lines))
            return true;
    } catch (const StoreError&) {
        form.Ask->ShowMessage(message::LinesUnreadable, msg::OkOnly);
        return false;
    } catch (const BadStoredValue& bad) {
        form.Ask->ShowMessage(message::BadValue, msg::OkOnly, QString(), bad.where);
        return false;
    }
    RebuildItemList(form, QStringLiteral("E"));
    RebuildItemList(form, QStringLiteral("L"));
    return true;
}

// The lines loaded and both panes prepared for a new item; back to the header
// screen when the lines cannot be read.
void LoadLineScreen(FormState& form)
{
    if (!LoadAndShowLines(form)) {
        SwitchLayout(form, false);
        SetScreenMode(form, "BODY");
        SetFocus(form, form.txt_Yosikisyubetu);
        return;
    }
    PrepareItemAdd(form, QStringLiteral("L"));
    PrepareItemAdd(form, QStringLiteral("E"));
    SetFocus(form, form.txt_KomokuNo);
}

}  // namespace

void ShowLinesOfKey(FormState& form)
{
    form.Lines.StandardItems.Clear();
    form.Lines.LocalItems.Clear();
    form.Lis_Hyojun.Clear();
    form.Lis_Local.Clear();
    for (const QString& side : {QStringLiteral("E"), QStringLiteral("L")})
        ClearEditPane(form, side, QStringLiteral("Z"));
    LoadLineScreen(form);
}

void RestoreLinesKey(FormState& form)
{
    form.txt_JohoKbn.text = form.Lines.Key.Code;
    form.txt_BPID.text = form.Lines.Key.Bpid;
    const qsizetype index = form.Categories.Codes.indexOf(TrimBlanks(form.Lines.Key.Code));
    form.lbl_JohoKbn.text = index < 0 ? QString() : form.Categories.Names.value(index);
}

void SwitchLayout(FormState& form, bool detail)
{
    const QString sides[] = {QStringLiteral("E"), QStringLiteral("L")};
    if (detail && form.Frame[0].visible)
        return;
    form.Lines.StandardItems.Clear();
    form.Lines.LocalItems.Clear();
    if (!detail) {
        form.PGID.text = QStringLiteral("G4502001");
        form.Lis_Hyojun.Clear();
        form.Lis_Local.Clear();
        if (!form.Frame[0].visible)
            return;
        for (const QString& side : sides)
            ClearEditPane(form, side, QStringLiteral("Z"));
        RestoreLinesKey(form);
    } else {
        form.PGID.text = QStringLiteral("G4502002");
    }

    Control& standard = form.Frame[0];
    Control& local = form.Frame[1];
    Control& codeBase = form.FrameBase[0];
    Control& bpidBase = form.FrameBase[1];
    standard.geometry.top = codeBase.geometry.top + codeBase.geometry.height + 20;
    standard.geometry.left = 210;
    local.geometry.top = standard.geometry.top;
    standard.visible = detail;
    local.visible = detail;

    if (detail) {
        SetScreenMode(form, "BODY");
        for (const QString& side : sides) {
            EnableItemFields(form, side, true);
            EnableGroupFields(form, side, true);
        }
        // Buttons 12 to 16 fill the gap between the frames.
        const qint16 left = static_cast<qint16>(standard.geometry.left + standard.geometry.width);
        const qint16 width = static_cast<qint16>(local.geometry.left - left);
        for (int i = 12; i <= 16; ++i) {
            form.ComandBtn[i].geometry.width = width;
            form.ComandBtn[i].geometry.left = left;
            form.ComandBtn[i].visible = true;
        }
        bpidBase.geometry.top = 810;
        form.txt_BPID.geometry.top = 810;
        for (Control* c : {&codeBase, &form.lbl_JohoKbn, static_cast<Control*>(&form.txt_JohoKbn)})
            c->geometry.left += 5000;
        LoadLineScreen(form);
        if (!form.Frame[0].visible)
            return;
    } else {
        for (int i = 12; i <= 16; ++i)
            form.ComandBtn[i].visible = false;
        form.txt_BPID.geometry.top = 1170;
        bpidBase.geometry.top = 1170;
        codeBase.geometry.left -= 5000;
        for (Control* c : {&form.lbl_JohoKbn, static_cast<Control*>(&form.txt_JohoKbn)})
            if (c->geometry.left - 5000 > 0)
                c->geometry.left -= 5000;
        SetScreenMode(form, "MODE");
    }

    form.txt_JohoKbn.enabled = true;
    form.txt_BPID.enabled = true;
    for (Field* f : {&form.txt_Yosikisyubetu, &form.txt_SintaxID, &form.txt_KakunoMode,
                     &form.txt_1ByteMijiSyugo, &form.txt_2ByteMijiSyugo, &form.txt_LocalKeishiki,
                     &form.txt_XMLmojiCode})
        f->visible = true;
}
