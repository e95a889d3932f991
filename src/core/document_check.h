#pragma once
// An exchange document held against the screen: its key, header and every
// line must be values that the screen's fields accept as typed and its
// checks leave as they are, and that its line write would store unchanged.

#include "core/column_ranges.h"
#include "core/definition_check.h"
#include "core/format_document.h"
#include "core/form_state.h"

#include <optional>

class DocumentChecker {
public:
    // The lookups give the category names, the dictionary and the category file.
    explicit DocumentChecker(Lookups& lookups);

    // The first refusal of the document (none when a desk could have stored
    // it), and what a desk could have stored but is doubtful.
    struct Verdict {
        std::optional<Finding> refusal;
        QList<Finding> warnings;
    };
    Verdict Check(const FormatDocument& document);

private:
    // The checks' messages are kept, not shown.
    class Messages : public Prompts {
    public:
        QString last;
        int ShowMessage(const QString& text, int, const QString&, const QString&) override
        {
            last = text;
            return msg::Ok;
        }
        SearchChoice ChooseCode(CodeSearchKind, const QList<QStringList>&) override { return {}; }
        SearchChoice ChooseCategory(const QStringList&, const QStringList&) override { return {}; }
        void SetBusy(bool) override {}
    };

    std::optional<Finding> CheckKey(const FormatDocument& document);
    std::optional<Finding> CheckHeader(const FormatDocument& document);
    std::optional<Finding> CheckLines(const FormatDocument& document, FormatLines& lines);
    std::optional<Finding> CheckLine(const QVariantList& values, bool standard, int line, const FormatLines& lines,
                                     FormatItem& item);

    Lookups& lookups_;
    const ColumnRange* ranges_[14];  // by line column
    Messages messages_;
    FormState form_;
};
