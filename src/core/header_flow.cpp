#include "core/header_flow.h"

#include "core/field_checks.h"
#include "core/field_discipline.h"
#include "core/messages.h"
#include "core/text.h"

void LoadCategoryList(FormState& form, qint16& status)
{
    if (!form.Look->ReadCategories(form.Categories))
        status = 9;
}

void ClearHeaderFields(FormState& form)
{
    FieldTable& t = form.Fields;
    for (int pos = t.BodyStart; pos < t.LastFieldPos; ++pos)
        t.Fields[pos]->clear();
    for (Control* label : {&form.lbl_Yosikisyubetu, &form.lbl_KakunoMode, &form.lbl_1ByteMijiSyugo,
                           &form.lbl_2ByteMijiSyugo, &form.lbl_LocalKeishiki, &form.lbl_XMLmojiCode})
        label->clear();
    form.txt_SintaxID.clear();
    form.txt_JohoKbn.clear();
    form.txt_BPID.clear();
    form.lbl_JohoKbn.clear();
}

void ResetToKeyEntry(FormState& form)
{
    if (TrimBlanks(form.txt_SyoriKbn.text).isEmpty())
        form.txt_SyoriKbn.text = QStringLiteral("1");
    qint16 hold = 0;
    ShowCheckMessage(form, CheckProcessingCategory(form, hold));
    form.ComandBtn[0].enabled = false;
    form.ComandBtn[1].enabled = false;
    form.ScreenMode = QStringLiteral("HEAD");
}

void UpdateHeaderButtons(FormState& form, const QString& controlName, qint16 hold)
{
    const bool keyComplete = !TrimBlanks(form.txt_JohoKbn.text).isEmpty()
        && TrimBlanks(form.txt_BPID.text).size() > 7;
    if (controlName == QLatin1String("txt_SyoriKbn"))
        form.ComandBtn[0].enabled = keyComplete;
    else if (controlName == QLatin1String("txt_BPID"))
        form.ComandBtn[0].enabled = hold != 9;
    form.ComandBtn[1].enabled = form.ScreenMode == QLatin1String("BODY") || (keyComplete && hold == 0);
}

void LoadHeader(FormState& form, const FormatKey& key)
{
    const std::optional<HeaderSettings> row = form.Store->ReadHeader(key);
    if (!row)
        return;
    struct Setting {
        const char* kind;  // its category kind, the column's name
        Field* field;
        Control* label;  // nullptr: shown without a lookup
        bool trimmed;
    };
    const Setting settings[] = {
        {"様式識別", &form.txt_Yosikisyubetu, &form.lbl_Yosikisyubetu, false},
        {"シンタックスIDバージョン", &form.txt_SintaxID, nullptr, false},
        {"格納モード", &form.txt_KakunoMode, &form.lbl_KakunoMode, true},
        {"1バイト文字集合", &form.txt_1ByteMijiSyugo, &form.lbl_1ByteMijiSyugo, false},
        {"2バイト文字集合", &form.txt_2ByteMijiSyugo, &form.lbl_2ByteMijiSyugo, false},
        {"ローカル形式", &form.txt_LocalKeishiki, &form.lbl_LocalKeishiki, false},
        {"XML文字コード", &form.txt_XMLmojiCode, &form.lbl_XMLmojiCode, false},
    };
    for (int i = 0; i < 7; ++i) {
        const Setting& s = settings[i];
        const QVariant& value = (*row)[i];
        const QString text = value.isNull() ? QString() : value.toString();
        s.field->text = s.trimmed ? TrimBlanks(text) : text;
        // A stored setting without a usable value is shown empty and not looked up.
        if (s.label && !value.isNull() && !TrimBlanks(text).isEmpty()) {
            qint16 hold = 0;
            CheckCategoryCode(form, QString::fromUtf8(s.kind), s.field->text, *s.label, hold);
        }
    }
}

void CheckCategoryCode(FormState& form, const QString& kind, const QString& code, Control& nameLabel,
                       qint16& hold, const QString& excludedCode)
{
    const QString name = form.Look->CategoryName(kind, code, excludedCode);
    if (!name.isEmpty()) {
        nameLabel.text = name;
        return;
    }
    nameLabel.clear();
    hold = 9;
    form.Ask->ShowMessage(message::CodeNotFound, msg::OkOnly);
}

bool ConfirmExit(FormState& form)
{
    const int answer = form.Ask->ShowMessage(message::AskExit,
                                             msg::YesNo | msg::Exclamation | msg::DefaultButton2);
    if (answer == msg::Yes) {
        form.Store->Close();
        form.ExitConfirmed = true;
        return false;
    }
    for (size_t i = 1; i < form.Fields.Fields.size(); ++i)
        LeaveField(*form.Fields.Fields[i]);
    return true;
}
