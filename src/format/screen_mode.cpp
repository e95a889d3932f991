#include "format/screen_mode.h"

#include "app/main_form.h"
#include "format/line_load.h"
#include "items/edit_pane.h"
#include "items/item_edit.h"
#include "items/item_list_box.h"
#include "items/list_view.h"
#include "shell/dialogs.h"
#include "core/text.h"
#include "shell/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

void InitializeScreen(F_K450120& form)
{
    form.Fields.ClearScreen(&form);
    form.Fields.BuildFieldTable(form.FieldSpecs());
    form.ScreenMode = QStringLiteral("MODE");
    form.Fields.SetGroupEnabled(form.ScreenMode);
}

void StepBackMode(F_K450120& form)
{
    if (form.ScreenMode == QLatin1String("HEAD"))
        form.ScreenMode = QStringLiteral("MODE");
    else if (form.ScreenMode == QLatin1String("BODY"))
        form.ScreenMode = QStringLiteral("HEAD");
    form.Fields.SetGroupEnabled(form.ScreenMode);
}

void SetScreenMode(F_K450120& form, const char* mode)
{
    form.ScreenMode = QLatin1String(mode);
    form.Fields.SetGroupEnabled(form.ScreenMode);
}

namespace {

// The stored lines of the key in the key fields, rendered. False when they
// cannot be read or hold values out of range: the line screen must not be
// edited then, as saving it replaces the stored lines.
bool LoadAndShowLines(F_K450120& form)
{
    form.Lines.Key = {form.txt_JohoKbn->text(), form.txt_BPID->text()};
    try {
        if (!LoadLines(form.Db, form.Lines.Key.Code, form.Lines.Key.Bpid, form.Lines))
            return true;
    } catch (const SqlError&) {
        ShowMessage(&form, QStringLiteral("ﾌｫｰﾏｯﾄ情報の読込時にｴﾗｰがありました"), msg::OkOnly);
        return false;
    } catch (const BadStoredValue& bad) {
        ShowMessage(&form, QStringLiteral("ﾌｫｰﾏｯﾄ情報に不正な値があります"), msg::OkOnly, QString(), bad.where);
        return false;
    }
    RebuildItemList(form, QStringLiteral("E"));
    RebuildItemList(form, QStringLiteral("L"));
    return true;
}

// The lines loaded and both panes prepared for a new item; back to the header
// screen when the lines cannot be read.
void LoadLineScreen(F_K450120& form)
{
    if (!LoadAndShowLines(form)) {
        SwitchLayout(form, false);
        SetScreenMode(form, "BODY");
        form.txt_Yosikisyubetu->setFocus();
        return;
    }
    PrepareItemAdd(form, QStringLiteral("L"));
    PrepareItemAdd(form, QStringLiteral("E"));
    form.txt_KomokuNo->setFocus();
}

}  // namespace

void ShowLinesOfKey(F_K450120& form)
{
    form.Lines.StandardItems.Clear();
    form.Lines.LocalItems.Clear();
    form.Lis_Hyojun->clear();
    form.Lis_Local->clear();
    for (const QString& side : {QStringLiteral("E"), QStringLiteral("L")})
        ClearEditPane(form, side, QStringLiteral("Z"));
    LoadLineScreen(form);
}

void RestoreLinesKey(F_K450120& form)
{
    form.txt_JohoKbn->setText(form.Lines.Key.Code);
    form.txt_BPID->setText(form.Lines.Key.Bpid);
    const qsizetype index = form.Categories.Codes.indexOf(TrimBlanks(form.Lines.Key.Code));
    form.lbl_JohoKbn->setText(index < 0 ? QString() : form.Categories.Names.value(index));
}

void SwitchLayout(F_K450120& form, bool detail)
{
    const QString sides[] = {QStringLiteral("E"), QStringLiteral("L")};
    if (detail && form.Frame[0]->isVisible())
        return;
    form.Lines.StandardItems.Clear();
    form.Lines.LocalItems.Clear();
    if (!detail) {
        form.PGID->setText(QStringLiteral("G4502001"));
        form.Lis_Hyojun->clear();
        form.Lis_Local->clear();
        if (form.Frame[0]->isHidden())
            return;
        for (const QString& side : sides)
            ClearEditPane(form, side, QStringLiteral("Z"));
        RestoreLinesKey(form);
    } else {
        form.PGID->setText(QStringLiteral("G4502002"));
    }

    QGroupBox* standard = form.Frame[0];
    QGroupBox* local = form.Frame[1];
    QLabel* codeBase = form.FrameBase[0];
    QLabel* bpidBase = form.FrameBase[1];
    SetTopTwips(standard, TopTwips(codeBase) + HeightTwips(codeBase) + 20);
    SetLeftTwips(standard, 210);
    SetTopTwips(local, TopTwips(standard));
    standard->setVisible(detail);
    local->setVisible(detail);

    if (detail) {
        SetScreenMode(form, "BODY");
        for (const QString& side : sides) {
            EnableItemFields(form, side, true);
            EnableGroupFields(form, side, true);
        }
        // Buttons 12 to 16 fill the gap between the frames.
        const qint16 left = static_cast<qint16>(LeftTwips(standard) + WidthTwips(standard));
        const qint16 width = static_cast<qint16>(LeftTwips(local) - left);
        for (int i = 12; i <= 16; ++i) {
            SetWidthTwips(form.ComandBtn[i], width);
            SetLeftTwips(form.ComandBtn[i], left);
            form.ComandBtn[i]->setVisible(true);
        }
        SetTopTwips(bpidBase, 810);
        SetTopTwips(form.txt_BPID, 810);
        for (QWidget* w : std::initializer_list<QWidget*>{codeBase, form.lbl_JohoKbn, form.txt_JohoKbn})
            SetLeftTwips(w, LeftTwips(w) + 5000);
        LoadLineScreen(form);
        if (form.Frame[0]->isHidden())
            return;
    } else {
        for (int i = 12; i <= 16; ++i)
            form.ComandBtn[i]->setVisible(false);
        SetTopTwips(form.txt_BPID, 1170);
        SetTopTwips(bpidBase, 1170);
        SetLeftTwips(codeBase, LeftTwips(codeBase) - 5000);
        for (QWidget* w : std::initializer_list<QWidget*>{form.lbl_JohoKbn, form.txt_JohoKbn})
            if (LeftTwips(w) - 5000 > 0)
                SetLeftTwips(w, LeftTwips(w) - 5000);
        SetScreenMode(form, "MODE");
    }

    form.txt_JohoKbn->setEnabled(true);
    form.txt_BPID->setEnabled(true);
    for (FieldEdit* f : {form.txt_Yosikisyubetu, form.txt_SintaxID, form.txt_KakunoMode,
                         form.txt_1ByteMijiSyugo, form.txt_2ByteMijiSyugo,
                         form.txt_LocalKeishiki, form.txt_XMLmojiCode})
        f->setVisible(true);
}
