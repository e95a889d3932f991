#pragma once
// The checks of the edit-pane fields, one at a time (through CheckField) or a
// whole pane before it is committed.

#include <QString>

#include "core/form_state.h"
class FieldEdit;

// Runs the check of a pane field. onEnter: the operator finished the field
// (some checks then commit the pane themselves). Returns the message number;
// sets handled to false for fields that are not pane fields.
int CheckPaneField(FormState& form, Field* field, qint16& hold, bool onEnter, bool& handled);

// The fixed value rule of a line with that attribute and sizes: 103 (not a
// number where one is needed), 104 (too long), or -1 when it passes.
int FixedValueMessage(const QString& attribute, const QString& length, const QString& decimals,
                      const QString& text);

// The checks of one pane before its line is committed ("E" standard, any
// other value local); shows the message and returns the hold flag.
qint16 CheckItemFields(FormState& form, const QString& formatType);
