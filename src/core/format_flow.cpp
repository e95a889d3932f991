#include "core/format_flow.h"

#include "core/column_ranges.h"
#include "core/field_checks.h"
#include "core/field_discipline.h"
#include "core/header_flow.h"
#include "core/messages.h"
#include "core/screen_mode.h"
#include "core/searches.h"
#include "core/text.h"

namespace {

// The lost update says how to see what the other desk stored.
void ShowUpdateAborted(FormState& form, bool lostUpdate)
{
    form.Ask->ShowMessage(message::UpdateAborted, msg::OkOnly,
                          QString(),
                          lostUpdate ? message::ChangedElsewhere : QString());
}

// Runs one write of the store under the busy cursor; on failure tells the
// operator and returns false (the store has rolled it back).
template <typename Write>
bool Stored(FormState& form, Write write)
{
    bool lostUpdate = false;
    form.Ask->SetBusy(true);
    try {
        write();
        form.Ask->SetBusy(false);
        return true;
    } catch (const LostUpdate&) {
        lostUpdate = true;
    } catch (const StoreError&) {
    }
    form.Ask->SetBusy(false);
    ShowUpdateAborted(form, lostUpdate);
    return false;
}

FormatKey TypedKey(const FormState& form)
{
    return {form.txt_JohoKbn.text, form.txt_BPID.text};
}

// Nothing is written under a key that the key check has not accepted (a key
// typed over without Enter, or one never checked).
bool KeyAccepted(const FormState& form, const FormatKey& key)
{
    return !form.AcceptedKey.Bpid.isEmpty() && key == form.AcceptedKey;
}

bool TypedKeyAccepted(const FormState& form)
{
    return KeyAccepted(form, TypedKey(form));
}

Baseline Expected(const FormState& form)
{
    return {form.StoredHeader, form.Lines.StoredLines};
}

void Remember(FormState& form, const Baseline& after)
{
    form.StoredHeader = after.header;
    form.Lines.StoredLines = after.lines;
}

void BackToHeaderEntry(FormState& form)
{
    SwitchLayout(form, false);
    ClearHeaderFields(form);
    ResetToKeyEntry(form);
}

}  // namespace

void WriteHeader(FormState& form, qint16& error)
{
    if (!TypedKeyAccepted(form)) {
        error = 9;
        ShowUpdateAborted(form, false);
        return;
    }
    const QStringList settings{form.txt_Yosikisyubetu.text, form.txt_SintaxID.text,
                               form.txt_KakunoMode.text, form.txt_1ByteMijiSyugo.text,
                               form.txt_2ByteMijiSyugo.text, form.txt_LocalKeishiki.text,
                               form.txt_XMLmojiCode.text};
    if (!Stored(form, [&] { Remember(form, form.Store->WriteHeader(TypedKey(form), settings, Expected(form))); }))
        error = 9;
}

bool WriteLines(FormState& form)
{
    // The lines belong to the key they were loaded for.
    const FormatKey& lines = form.Lines.Key;
    if (!KeyAccepted(form, lines)) {
        ShowUpdateAborted(form, false);
        return false;
    }
    // Positions beyond 32 bits are never written (edits can lead there:
    // deeply nested groups with large repeat counts).
    try {
        CheckComputedPositions(form.Lines);
    } catch (const BadStoredValue& bad) {
        form.Ask->ShowMessage(message::BadValue, msg::OkOnly, QString(), bad.where);
        return false;
    }
    // As many lines as each list shows.
    const bool written = Stored(form, [&] {
        Remember(form, form.Store->WriteLines(lines, form.Lines, form.Lis_Hyojun.count(),
                                              form.Lis_Local.count(), Expected(form)));
    });
    if (written)
        form.Lines.LoadedTypes = {QStringLiteral("E"), QStringLiteral("L")};
    return written;
}

void DeleteFormat(FormState& form, qint16& error)
{
    if (!TypedKeyAccepted(form)) {
        error = 9;
        ShowUpdateAborted(form, false);
        return;
    }
    if (Stored(form, [&] { form.Store->DeleteFormat(TypedKey(form), Expected(form)); }))
        form.StoredHeader.clear();
    else
        error = 9;
}

void RemoveOrphanLines(FormState& form)
{
    Stored(form, [&] { form.Store->RemoveOrphanLines(TypedKey(form)); });
}

std::optional<int> UpdateOrDelete(FormState& form)
{
    if (CheckDetailSettings(form) == 9)
        return std::nullopt;
    const QString category = form.txt_SyoriKbn.text;
    const qint32 value = LeadingInteger(category);
    int answer = 0;
    if (value == 1 || value == 2) {
        answer = form.Ask->ShowMessage(message::AskUpdate, msg::YesNoCancel | msg::Exclamation);
        if (answer == msg::Yes) {
            qint16 error = 0;
            WriteHeader(form, error);
            if (error == 9)
                return std::nullopt;  // the screen keeps what the operator typed
        } else if (answer == msg::No) {
            RemoveOrphanLines(form);
            ClearScreen(form);
            ResetToKeyEntry(form);
        }
    } else if (value == 9) {
        answer = form.Ask->ShowMessage(message::AskDelete, msg::OkCancel | msg::Exclamation);
        if (answer == msg::Ok) {
            qint16 error = 0;
            DeleteFormat(form, error);
            if (error == 9)
                return std::nullopt;
        }
        if (form.Frame[0].visible)
            SwitchLayout(form, false);
        ClearHeaderFields(form);
        ResetToKeyEntry(form);
    } else {
        return std::nullopt;
    }
    form.txt_SyoriKbn.text = category;
    return answer;
}

void ConfirmHeaderCommand(FormState& form)
{
    if (TrimBlanks(form.txt_BPID.text).isEmpty() || TrimBlanks(form.txt_JohoKbn.text).isEmpty()
        || TrimBlanks(form.txt_SyoriKbn.text) == QLatin1String("0"))
        return;
    if (LeadingInteger(form.txt_SyoriKbn.text) == 9) {
        UpdateOrDelete(form);
        SetFocus(form, form.txt_JohoKbn);
        return;
    }
    const std::optional<int> answer = UpdateOrDelete(form);
    if (!answer)
        return;
    switch (*answer) {
    case msg::Yes:
        BackToHeaderEntry(form);
        SetFocus(form, form.txt_JohoKbn);
        break;
    case msg::No:
        BackToHeaderEntry(form);
        SetFocus(form, form.Frame[0].visible ? form.txt_KomokuNo : form.txt_JohoKbn);
        break;
    case msg::Cancel:
        if (form.Frame[0].visible)
            SetFocus(form, form.txt_KomokuNo);
        else if (form.txt_Yosikisyubetu.enabled)
            SetFocus(form, form.txt_Yosikisyubetu);
        break;
    default:
        break;
    }
}

void CopyFormat(FormState& form)
{
    SetScreenMode(form, "BODY");
    if (LeadingInteger(form.txt_SyoriKbn.text) != 1)
        return;
    if (!TypedKeyAccepted(form)) {
        ShowUpdateAborted(form, false);
        return;
    }
    form.Dummy2.clear();
    OpenCodeSearch(form, CodeSearchKind::FormatKey, &form.Dummy2, &form.Dummy2, &form.lbl_DummyLabel);
    const FormatKey source{form.Dummy2.text, form.lbl_DummyLabel.text};
    try {
        LoadHeader(form, source);
    } catch (const StoreError&) {
        ShowUpdateAborted(form, false);
        return;
    }
    SetGroupEnabled(form, form.ScreenMode);
    SetFocus(form, form.txt_Yosikisyubetu);
    EnterField(form.txt_Yosikisyubetu);
    Stored(form, [&] { Remember(form, form.Store->CopyFormat(source, TypedKey(form))); });
}

int AskToWriteLines(FormState& form)
{
    const qint32 category = LeadingInteger(form.txt_SyoriKbn.text);
    if (category != 1 && category != 2)
        return msg::No;
    const int answer = form.Ask->ShowMessage(message::AskUpdate, msg::YesNoCancel | msg::Exclamation);
    // A failed write keeps the line screen with every edit.
    if (answer == msg::Yes && !WriteLines(form))
        return msg::Cancel;
    return answer;
}

int LeaveLineScreen(FormState& form)
{
    const qint32 category = LeadingInteger(form.txt_SyoriKbn.text);
    if (category != 1 && category != 2) {
        SwitchLayout(form, false);
        SetScreenMode(form, "HEAD");
        return msg::No;
    }
    const int answer = AskToWriteLines(form);
    if (answer == msg::Cancel)
        return answer;
    SwitchLayout(form, false);
    SetScreenMode(form, "BODY");
    SetFocus(form, form.txt_Yosikisyubetu);
    return answer;
}
