#pragma once
// The two searches of the form: the code search (format keys or item
// numbers) and the information-category search, and where their choice goes.

#include "core/form_state.h"

// Shows "検索データが有りません" when nothing is found, otherwise the search.
// The filter's text filters the format key search (abandoning the search
// empties it); the chosen row's first column goes to `first` and its second
// column to `second` (each when given).
void OpenCodeSearch(FormState& form, CodeSearchKind kind, Control* filter, Control* first,
                    Control* second);

// The categories of the category file afresh; the chosen code and name go to
// the two controls, abandoning the search empties the code. status 9 when
// the file cannot be read (nothing is shown).
void OpenCategorySearch(FormState& form, Control& code, Control& name, qint16& status);
