#include "format/header_flow.h"

#include "app/main_form.h"
#include "core/text.h"
#include "validation/field_checks.h"

#include <QLabel>
#include <QPushButton>

void LoadCategoryList(F_K450120& form, qint16& status)
{
    if (!ReadInformationCategories(ReadCategoryFilePath(form.ProgramFolder), form.Categories))
        status = 9;
}

void ClearHeaderFields(F_K450120& form)
{
    FieldTable& t = form.Fields;
    for (int pos = t.BodyStart; pos < t.LastFieldPos; ++pos)
        t.Fields[pos]->clear();
    for (QLabel* label : {form.lbl_Yosikisyubetu, form.lbl_KakunoMode, form.lbl_1ByteMijiSyugo,
                          form.lbl_2ByteMijiSyugo, form.lbl_LocalKeishiki, form.lbl_XMLmojiCode})
        label->clear();
    form.txt_SintaxID->clear();
    form.txt_JohoKbn->clear();
    form.txt_BPID->clear();
    form.lbl_JohoKbn->clear();
}

void ResetToKeyEntry(F_K450120& form)
{
    if (TrimBlanks(form.txt_SyoriKbn->text()).isEmpty())
        form.txt_SyoriKbn->setText(QStringLiteral("1"));
    qint16 hold = 0;
    ShowCheckMessage(form, CheckProcessingCategory(form, hold));
    form.ComandBtn[0]->setEnabled(false);
    form.ComandBtn[1]->setEnabled(false);
    form.ScreenMode = QStringLiteral("HEAD");
}

void UpdateHeaderButtons(F_K450120& form, const QString& controlName, qint16 hold)
{
    const bool keyComplete = !TrimBlanks(form.txt_JohoKbn->text()).isEmpty()
        && TrimBlanks(form.txt_BPID->text()).size() > 7;
    if (controlName == QLatin1String("txt_SyoriKbn"))
        form.ComandBtn[0]->setEnabled(keyComplete);
    else if (controlName == QLatin1String("txt_BPID"))
        form.ComandBtn[0]->setEnabled(hold != 9);
    form.ComandBtn[1]->setEnabled(form.ScreenMode == QLatin1String("BODY")
                                  || (keyComplete && hold == 0));
}
