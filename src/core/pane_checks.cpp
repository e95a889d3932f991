#include "core/pane_checks.h"

#include "core/edit_pane.h"
#include "core/field_checks.h"
#include "core/field_discipline.h"
#include "core/header_flow.h"
#include "core/item_edit.h"
#include "core/item_list.h"
#include "core/shift_jis.h"
#include "core/text.h"

#include <cmath>
#include <limits>

namespace {

constexpr int kNoMessage = -1;

bool IsNumericAttribute(const QString& a)
{
    return a == QLatin1String("9") || a == QLatin1String("N");
}

bool IsCharacterAttribute(const QString& a)
{
    return a == QLatin1String("X") || a == QLatin1String("B") || a == QLatin1String("K");
}

int CheckItemNumber(FormState& form, qint16& hold)
{
    hold = 9;
    Field* field = &form.txt_KomokuNo;
    if (TrimBlanks(form.lbl_ZokuseiCode.text) != QLatin1String("M") && !IsNumeric(field->text))
        field->clear();
    if (TrimBlanks(field->text).isEmpty())
        return 101;
    const qint32 number = LeadingInteger(field->text);
    field->text = QString::number(number);
    DictionaryItem item;
    if (!form.Look->LookupItem(number, item))
        return 102;
    form.lbl_KomokuNo.text = item.name;
    form.lbl_ZokuseiCode.text = item.attribute;
    form.lbl_Nagasa.text = item.length;
    form.lbl_SyosuNagasa.text = item.decimals;
    CheckCategoryCode(form, QStringLiteral("属性"), item.attribute, form.lbl_Zokusei, hold);
    hold = 0;
    return kNoMessage;
}

int CheckConversionError(FormState& form, Field* field, Control& label, qint16& hold)
{
    if (TrimBlanks(field->text).isEmpty())
        field->text = QStringLiteral("E");
    CheckCategoryCode(form, QStringLiteral("変換エラー対処"), field->text, label, hold,
                      QStringLiteral("S"));
    return kNoMessage;
}

int CheckMultiDetailNo(FormState& form, bool standard, qint16& hold)
{
    Field* field = standard ? &form.txt_MultiMeisaiBango : &form.txt_MultiMeisaiBangoLocal;
    if (!IsNumeric(field->text))
        field->text = QStringLiteral("0");
    const QString text = field->text;
    const ItemTable& table = standard ? form.Lines.StandardItems : form.Lines.LocalItems;
    const LineList& list = standard ? form.Lis_Hyojun : form.Lis_Local;
    const qint32 own = LeadingInteger((standard ? form.lbl_KomokuTuban : form.lbl_KomokuTubanLocal).text);
    if (TrimBlanks(text) != QLatin1String("0")) {
        for (int p = 1; p <= list.count() && p <= table.Count(); ++p) {
            if (p != own && table[p].MultiDetailNo == text) {
                hold = 9;
                return 107;
            }
        }
    }
    if (form.Lines.EditKind == QLatin1String("MEISAI")) {
        FormatItem header;
        header.MultiDetailNo = text;
        const QString caption = MultiDetailCaption(header);
        if (standard)
            form.lbl_KomokuNo.text = caption;
        else
            form.txt_KomokuMei.text = caption;
    }
    return kNoMessage;
}

// Marks the pane's line as a group header and names the attribute.
void PresetGroupAttribute(FormState& form, bool standard)
{
    qint16 ignored = 0;
    if (standard) {
        form.lbl_ZokuseiCode.text = QStringLiteral("M");
        CheckCategoryCode(form, QStringLiteral("属性"), QStringLiteral("M"),
                          form.lbl_Zokusei, ignored);
    } else {
        form.txt_ZokuseiCodeLocal.text = QStringLiteral("M");
        CheckCategoryCode(form, QStringLiteral("属性"), QStringLiteral("M"),
                          form.lbl_ZokuseiCodeLocal, ignored);
    }
}

// After the repeat count of a group: the attribute, the commit of a new group
// on the Enter path, and the focus in the other pane (the key handling then
// ends: hold -1).
void FinishGroup(FormState& form, bool standard, bool onEnter, qint16& hold)
{
    const QString side = standard ? QStringLiteral("E") : QStringLiteral("L");
    const QString name = standard ? QStringLiteral("txt_Kurikaesisu") : QStringLiteral("txt_KurikaesisuLocal");
    if (form.Lines.EditKind == QLatin1String("MEISAI")) {
        PresetGroupAttribute(form, standard);
        if (onEnter && !CommitPaneEntry(form, side)) {
            hold = -1;  // refused: the focus is in the refused field, keep it there
            return;
        }
    }
    FocusOtherPane(form, name);
    if (onEnter)
        hold = -1;
}

int CheckStandardRepeatCount(FormState& form, bool onEnter, qint16& hold)
{
    if (TrimBlanks(form.lbl_ZokuseiCode.text) != QLatin1String("M"))
        return kNoMessage;
    Field* field = &form.txt_Kurikaesisu;
    const bool numeric = IsNumeric(field->text);
    const double value = std::trunc(LeadingNumber(field->text));
    if (numeric && std::fabs(value) <= std::numeric_limits<qint16>::max())
        field->text = QString::number(static_cast<qint16>(value));
    if (!numeric || value == 0) {
        field->clear();
        hold = 9;
        return 108;
    }
    if (value < 0 || value > 31) {
        hold = 9;
        return kNoMessage;
    }
    const qint64 width = qint64(LeadingInteger(form.lbl_Nagasa.text))
        + LeadingInteger(form.lbl_SyosuNagasa.text);
    form.lbl_SyosuNagasa.text = QString::number(qint64(value) * width);
    FinishGroup(form, true, onEnter, hold);
    return kNoMessage;
}

int CheckLocalRepeatCount(FormState& form, bool onEnter, qint16& hold)
{
    Field* field = &form.txt_KurikaesisuLocal;
    if (!IsNumeric(field->text)) {
        field->clear();
        hold = 9;
        return 108;
    }
    if (TrimBlanks(form.txt_ZokuseiCodeLocal.text) == QLatin1String("M")) {
        const qint64 width = qint64(LeadingInteger(form.txt_NagasaLocal.text))
            + LeadingInteger(form.txt_SyosuNagasaLocal.text);
        form.txt_SyosuNagasaLocal.text = QString::number(qint64(LeadingInteger(field->text)) * width);
    }
    FinishGroup(form, false, onEnter, hold);
    return kNoMessage;
}

int CheckLocalName(FormState& form, qint16& hold)
{
    hold = 9;
    if (TrimBlanks(form.txt_KomokuMei.text).isEmpty()
        && TrimBlanks(form.txt_ZokuseiCodeLocal.text) != QLatin1String("M"))
        return 105;
    hold = 0;
    return kNoMessage;
}

int CheckLocalAttribute(FormState& form, qint16& hold)
{
    const QString code = form.txt_ZokuseiCodeLocal.text;
    if (TrimBlanks(code).isEmpty()) {
        form.lbl_ZokuseiCodeLocal.clear();
        hold = 9;
        return 106;
    }
    // "M" is refused: only 明細追加（M) makes a group header.
    CheckCategoryCode(form, QStringLiteral("属性"), code, form.lbl_ZokuseiCodeLocal, hold,
                      QStringLiteral("M"));
    if (IsNumericAttribute(code)) {
        form.txt_SyosuNagasaLocal.enabled = true;
    } else if (IsCharacterAttribute(code)) {
        form.txt_SyosuNagasaLocal.clear();
        form.txt_SyosuNagasaLocal.enabled = false;
    }
    return kNoMessage;
}

// The digit rule of numeric attributes: length not 0, decimal length <= length <= 30.
bool DigitsFit(double length, double decimals)
{
    return length != 0 && decimals <= length && length <= 30;
}

int CheckLocalLength(FormState& form, qint16& hold)
{
    hold = 0;
    const QString text = form.txt_NagasaLocal.text;
    if (!IsNumeric(text)) {
        hold = 9;
        return 103;
    }
    const QString attribute = form.txt_ZokuseiCodeLocal.text;
    const double length = LeadingNumber(text);
    if (IsNumericAttribute(attribute)) {
        if (!DigitsFit(length, LeadingNumber(form.txt_SyosuNagasaLocal.text))) {
            hold = 9;
            return 104;
        }
    } else if (IsCharacterAttribute(attribute)) {
        const qint32 value = LeadingInteger(text);
        if (value < 0 || value > 4000) {
            hold = 9;
            return 104;
        }
    }
    return kNoMessage;
}

int CheckLocalDecimals(FormState& form, qint16& hold)
{
    Field* field = &form.txt_SyosuNagasaLocal;
    if (!IsNumeric(field->text))
        field->text = QStringLiteral("0");
    const QString attribute = form.txt_ZokuseiCodeLocal.text;
    if (IsNumericAttribute(attribute)) {
        if (!DigitsFit(LeadingNumber(form.txt_NagasaLocal.text), LeadingNumber(field->text))) {
            hold = 9;
            return 104;
        }
    } else if (IsCharacterAttribute(attribute)) {
        field->text = QStringLiteral("0");
    }
    return kNoMessage;
}

int CheckFixedValue(FormState& form, bool standard, qint16& hold)
{
    Field* field = standard ? &form.txt_KoteiKomokuTi : &form.txt_KoteiKomokuTiLocal;
    const QString attribute = standard ? form.lbl_ZokuseiCode.text : form.txt_ZokuseiCodeLocal.text;
    const QString length = standard ? form.lbl_Nagasa.text : form.txt_NagasaLocal.text;
    const QString decimals = standard ? form.lbl_SyosuNagasa.text : form.txt_SyosuNagasaLocal.text;
    const int number = FixedValueMessage(attribute, length, decimals, field->text);
    hold = number == kNoMessage ? 0 : 9;
    if (number != kNoMessage)
        return number;
    const QString side = standard ? QStringLiteral("E") : QStringLiteral("L");
    if (CommitPaneEntry(form, side)) {
        FocusOtherPane(form, field->name);
        hold = -1;
    } else {
        hold = -1;  // refused: the commit has placed the focus
    }
    return kNoMessage;
}

}  // namespace

int FixedValueMessage(const QString& attribute, const QString& length, const QString& decimals,
                      const QString& text)
{
    if (IsNumericAttribute(attribute) && !text.isEmpty() && !IsNumeric(text))
        return 103;
    const double allowed = std::round(LeadingNumber(length) + LeadingNumber(decimals));
    // An empty value is never too long, whatever the sizes say.
    if (ByteLength(text) > allowed && !text.isEmpty())
        return 104;
    return kNoMessage;
}

int CheckPaneField(FormState& form, Field* field, qint16& hold, bool onEnter, bool& handled)
{
    handled = true;
    if (field == &form.txt_KomokuNo)
        return CheckItemNumber(form, hold);
    if (field == &form.txt_MultiMeisaiBango || field == &form.txt_MultiMeisaiBangoLocal)
        return CheckMultiDetailNo(form, field == &form.txt_MultiMeisaiBango, hold);
    if (field == &form.txt_Kurikaesisu)
        return CheckStandardRepeatCount(form, onEnter, hold);
    if (field == &form.txt_KurikaesisuLocal)
        return CheckLocalRepeatCount(form, onEnter, hold);
    if (field == &form.txt_HenkanErrorTaisyo)
        return CheckConversionError(form, field, form.lbl_HenkanErrorTaisyo, hold);
    if (field == &form.txt_HenkanErrorTaisyoLocal)
        return CheckConversionError(form, field, form.lbl_HenkanErrorTaisyoLocal, hold);
    if (field == &form.txt_KoteiKomokuTi || field == &form.txt_KoteiKomokuTiLocal)
        return CheckFixedValue(form, field == &form.txt_KoteiKomokuTi, hold);
    if (field == &form.txt_KomokuMei)
        return CheckLocalName(form, hold);
    if (field == &form.txt_ZokuseiCodeLocal)
        return CheckLocalAttribute(form, hold);
    if (field == &form.txt_NagasaLocal)
        return CheckLocalLength(form, hold);
    if (field == &form.txt_SyosuNagasaLocal)
        return CheckLocalDecimals(form, hold);
    handled = false;
    return kNoMessage;
}

qint16 CheckItemFields(FormState& form, const QString& formatType)
{
    const bool standard = formatType == QLatin1String("E");
    QList<Field*> fields;
    if (standard) {
        if (TrimBlanks(form.lbl_ZokuseiCode.text) != QLatin1String("M"))
            fields = {&form.txt_KomokuNo, &form.txt_HenkanErrorTaisyo};
        else
            fields = {&form.txt_MultiMeisaiBango, &form.txt_Kurikaesisu};
    } else if (TrimBlanks(form.txt_ZokuseiCodeLocal.text) != QLatin1String("M")) {
        fields = {&form.txt_KomokuMei, &form.txt_ZokuseiCodeLocal, &form.txt_NagasaLocal,
                  &form.txt_SyosuNagasaLocal, &form.txt_HenkanErrorTaisyoLocal};
    } else {
        fields = {&form.txt_MultiMeisaiBangoLocal, &form.txt_KurikaesisuLocal};
    }
    qint16 hold = 0;
    int number = kNoMessage;
    Field* refused = nullptr;
    for (Field* field : fields) {
        bool handled = false;
        number = CheckPaneField(form, field, hold, false, handled);
        if (hold != 0) {
            refused = field;
            break;
        }
    }
    if (refused)
        SetFocus(form, *refused);
    else if (standard && fields.front() == &form.txt_KomokuNo)
        SetFocus(form, form.txt_KomokuNo);
    ShowCheckMessage(form, number);
    if (number > 0) {
        if (Field* focused = form.Fields.ActiveField())
            EnterField(*focused);
    }
    return hold;
}
