#include "core/document_check.h"

#include "core/column_ranges.h"
#include "core/edit_pane.h"
#include "core/field_checks.h"
#include "core/input_filter.h"
#include "core/item_edit.h"
#include "core/pane_checks.h"
#include "core/shift_jis.h"
#include "core/text.h"

#include <QHash>

#include <algorithm>

namespace {

// Indexes into a document line (kDocumentLineColumns).
enum LineColumn { Type, Serial, Linked, Level, ItemNo, Position, Name, Attribute, Length, Decimals, Multi,
                  Repeat, Fixed, Conversion };

QString ColumnName(int column)
{
    return QString::fromUtf8(kDocumentLineColumns[column].name);
}

QString ValueText(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString();
}

QString Shown(const QVariant& value)
{
    if (value.isNull())
        return QStringLiteral("null");
    if (value.typeId() == QMetaType::QString)
        return QLatin1Char('"') + value.toString() + QLatin1Char('"');
    return value.toString();
}

// Why a text could not be typed into the field as it stands: beyond its
// byte limit, or a character that its input class refuses or converts.
QString Untypable(const Field& field, const QString& text)
{
    if (field.MaxLength > 0 && ByteLength(text) > field.MaxLength)
        return QStringLiteral("\"%1\" is longer than the field's %2 bytes").arg(text).arg(field.MaxLength);
    QString inputClass = field.inputClass;
    QString typed;
    for (const char32_t c : text.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        const char32_t kept = c < 0x20 || c == 0x7f ? 0 : FilterKeyInput(c, inputClass, typed);
        if (kept == 0)
            return QStringLiteral("\"%1\" cannot be typed into its field").arg(text);
        if (kept != c)
            return QStringLiteral("\"%1\" is typed as \"%2\"").arg(character, QString::fromUcs4(&kept, 1));
        typed += character;
    }
    return QString();
}

struct PaneField {
    Field* field;
    int column;
};

}  // namespace

DocumentChecker::DocumentChecker(Lookups& lookups) : lookups_(lookups)
{
    form_.Ask = &messages_;
    form_.Look = &lookups_;
    // Registering, both panes shown: every pane field can take the focus.
    form_.txt_SyoriKbn.text = QStringLiteral("1");
    for (Control& frame : form_.Frame)
        frame.visible = true;
    for (int c = 0; c < 14; ++c)
        ranges_[c] = RangeOf(ColumnName(c));
}

DocumentChecker::Verdict DocumentChecker::Check(const FormatDocument& document)
{
    Verdict verdict;
    FormatLines lines;
    verdict.refusal = CheckKey(document);
    if (!verdict.refusal)
        verdict.refusal = CheckHeader(document);
    if (!verdict.refusal)
        verdict.refusal = CheckLines(document, lines);
    if (verdict.refusal)
        return verdict;
    for (const Finding& finding : FindDefinitionProblems(lines, &lookups_)) {
        if (finding.refuses) {
            verdict.refusal = finding;
            return verdict;
        }
        verdict.warnings << finding;
    }
    return verdict;
}

std::optional<Finding> DocumentChecker::CheckLines(const FormatDocument& document, FormatLines& lines)
{
    int counts[2] = {0, 0};  // standard, local
    for (qsizetype i = 0; i < document.Lines.size(); ++i) {
        const QVariant& type = document.Lines[i][Type];
        if (type != QStringLiteral("E") && type != QStringLiteral("L"))
            return Finding{QStringLiteral("line %1").arg(i + 1), ColumnName(Type),
                           Shown(type) + QStringLiteral(": neither \"E\" nor \"L\"")};
        ++counts[type == QStringLiteral("L")];
    }
    lines.StandardItems.Resize(counts[0]);
    lines.LocalItems.Resize(counts[1]);
    QHash<QString, int> groups[2];  // multi-detail number -> line, by layout
    int next[2] = {0, 0};
    for (const QVariantList& values : document.Lines) {
        const bool standard = values[Type] == QStringLiteral("E");
        const int line = ++next[!standard];
        FormatItem& item = (standard ? lines.StandardItems : lines.LocalItems)[line];
        if (auto refused = CheckLine(values, standard, line, lines, item))
            return refused;
        // The pane's own search for another group of the same number.
        if (item.IsGroupHeader() && TrimBlanks(item.MultiDetailNo) != QLatin1String("0")) {
            if (const int first = groups[!standard].value(item.MultiDetailNo)) {
                ShowCheckMessage(form_, 107);
                return Finding{LinePlace(standard, line), ColumnName(Multi),
                               QStringLiteral("\"%1\": %2 (line %3)").arg(item.MultiDetailNo, messages_.last).arg(first)};
            }
            groups[!standard].insert(item.MultiDetailNo, line);
        }
    }
    return std::nullopt;
}

std::optional<Finding> DocumentChecker::CheckKey(const FormatDocument& document)
{
    const QString place = QStringLiteral("key");
    for (auto [field, text] : {std::pair{&form_.txt_JohoKbn, document.Code}, {&form_.txt_BPID, document.Bpid}}) {
        const QString why = Untypable(*field, text);
        if (!why.isEmpty())
            return Finding{place, field == &form_.txt_JohoKbn ? QStringLiteral("情報区分コード") : QStringLiteral("BPID"),
                           why};
    }
    InformationCategories categories;
    if (!lookups_.ReadCategories(categories))
        return Finding{place, QStringLiteral("情報区分コード"), categories.Unread};
    if (!categories.Codes.contains(TrimBlanks(document.Code)))
        return Finding{place, QStringLiteral("情報区分コード"),
                       QStringLiteral("\"%1\": 情報区分が登録されていません").arg(document.Code)};
    if (TrimBlanks(document.Bpid).size() < 8)
        return Finding{place, QStringLiteral("BPID"), QStringLiteral("\"%1\": ＢＰＩＤが不正です").arg(document.Bpid)};
    return std::nullopt;
}

std::optional<Finding> DocumentChecker::CheckHeader(const FormatDocument& document)
{
    const QString place = QStringLiteral("header");
    if (!document.HasHeader)
        return Finding{place, QString(), QStringLiteral("missing: the screen stores a header with every format")};
    Field* const fields[] = {&form_.txt_Yosikisyubetu, &form_.txt_SintaxID, &form_.txt_KakunoMode,
                              &form_.txt_1ByteMijiSyugo, &form_.txt_2ByteMijiSyugo, &form_.txt_LocalKeishiki,
                              &form_.txt_XMLmojiCode};
    auto column = [](int i) { return QString::fromUtf8(kDocumentHeaderColumns[i].name); };
    for (int i = 0; i < 7; ++i) {
        const QString why = Untypable(*fields[i], ValueText(document.Header[i]));
        if (!why.isEmpty())
            return Finding{place, column(i), why};
        fields[i]->text = ValueText(document.Header[i]);
    }
    Field* refused = nullptr;
    if (CheckDetailSettings(form_, &refused) != 0) {
        const int i = int(std::find(fields, fields + 7, refused) - fields);
        return Finding{place, column(i), Shown(document.Header[i]) + QStringLiteral(": ") + messages_.last};
    }
    for (int i = 0; i < 7; ++i)
        if (document.Header[i].isNull() || fields[i]->text != document.Header[i].toString())
            return Finding{place, column(i),
                           Shown(document.Header[i]) + QStringLiteral(": the screen stores \"%1\"").arg(fields[i]->text)};
    return std::nullopt;
}

// The line as the tables hold it, every value the document's.
FormatItem DocumentItem(const QVariantList& values)
{
    auto number = [&](int c) { return qint32(values[c].toLongLong()); };
    FormatItem item;
    item.FormatType = ValueText(values[Type]);
    item.SerialNo = number(Serial);
    item.LinkedSerialNo = number(Linked);
    item.Level = number(Level);
    item.ItemNo = number(ItemNo);
    item.ItemPosition = number(Position);
    item.ItemName = ValueText(values[Name]);
    item.Attribute = ValueText(values[Attribute]);
    item.Length = number(Length);
    item.DecimalLength = number(Decimals);
    item.MultiDetailNo = ValueText(values[Multi]);
    item.RepeatCount = number(Repeat);
    item.FixedValue = ValueText(values[Fixed]);
    item.ConversionError = ValueText(values[Conversion]);
    return item;
}

// A line's values are typed into the fields of a new item or group in the
// pane of its layout and the pane's checks run: the line is refused when
// they refuse a value or would store another one. A local line that carries
// an item number is the bulk link's copy of a standard line (an edit in the
// local pane takes the number away): the standard pane checks it. What no pane field holds (serial number, link, level,
// position, the sizes of groups) is left to the definition check.
std::optional<Finding> DocumentChecker::CheckLine(const QVariantList& values, bool standard, int line,
                                                  const FormatLines& lines, FormatItem& item)
{
    auto refuse = [&](int column, const QString& text) {
        return Finding{LinePlace(standard, line), ColumnName(column), Shown(values[column]) + QStringLiteral(": ") + text};
    };
    const ItemTable& own = standard ? lines.StandardItems : lines.LocalItems;
    const ItemTable& other = standard ? lines.LocalItems : lines.StandardItems;
    for (int c = Serial; c <= Conversion; ++c) {
        const ColumnRange* range = ranges_[c];
        const bool number = kDocumentLineColumns[c].number;
        const double value = number ? double(values[c].toLongLong()) : ByteLength(ValueText(values[c]));
        if (range && !values[c].isNull() && !InRange(*range, value, own.Count(), other.Count()))
            return refuse(c, number ? QStringLiteral("out of range") : QStringLiteral("too long"));
    }
    if (values[Serial].toLongLong() != line)
        return refuse(Serial, QStringLiteral("the screen numbers this line %1").arg(line));

    const bool group = ValueText(values[Attribute]) == QLatin1String("M");
    const bool copy = !standard && !group && values[ItemNo].toLongLong() != 0;
    const QString side = standard || copy ? QStringLiteral("E") : QStringLiteral("L");
    if (group)
        PrepareGroupAdd(form_, side);
    else
        PrepareItemAdd(form_, side);
    const PaneField panes[] = {
        {&form_.txt_KomokuNo, ItemNo},           {&form_.txt_MultiMeisaiBango, Multi},
        {&form_.txt_Kurikaesisu, Repeat},        {&form_.txt_HenkanErrorTaisyo, Conversion},
        {&form_.txt_KoteiKomokuTi, Fixed},       {&form_.txt_KomokuMei, Name},
        {&form_.txt_ZokuseiCodeLocal, Attribute}, {&form_.txt_NagasaLocal, Length},
        {&form_.txt_SyosuNagasaLocal, Decimals}, {&form_.txt_MultiMeisaiBangoLocal, Multi},
        {&form_.txt_KurikaesisuLocal, Repeat},   {&form_.txt_HenkanErrorTaisyoLocal, Conversion},
        {&form_.txt_KoteiKomokuTiLocal, Fixed}};
    const bool standardPane = side == QLatin1String("E");
    std::vector<const PaneField*> typed;
    for (const PaneField& pane : panes) {
        if ((pane.field->frame == &form_.Frame[0]) == standardPane && pane.field->enabled) {
            pane.field->text = ValueText(values[pane.column]);
            typed.push_back(&pane);
        }
    }
    messages_.last.clear();
    if (CheckItemFields(form_, side) != 0) {
        for (const PaneField* pane : typed)
            if (form_.Fields.Active == pane->field)
                return refuse(pane->column, messages_.last.isEmpty() ? QStringLiteral("refused") : messages_.last);
        return refuse(Attribute, messages_.last);
    }
    Field& fixed = standardPane ? form_.txt_KoteiKomokuTi : form_.txt_KoteiKomokuTiLocal;
    if (fixed.enabled) {
        const int number = standardPane
            ? FixedValueMessage(form_.lbl_ZokuseiCode.text, form_.lbl_Nagasa.text, form_.lbl_SyosuNagasa.text, fixed.text)
            : FixedValueMessage(form_.txt_ZokuseiCodeLocal.text, form_.txt_NagasaLocal.text,
                                form_.txt_SyosuNagasaLocal.text, fixed.text);
        if (number > 0) {
            ShowCheckMessage(form_, number);
            return refuse(Fixed, messages_.last);
        }
    }
    for (const PaneField* pane : typed)
        if (pane->field->text != ValueText(values[pane->column]))
            return refuse(pane->column, QStringLiteral("the screen makes it \"%1\"").arg(pane->field->text));
    item = DocumentItem(values);
    return std::nullopt;
}
