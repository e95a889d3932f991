#pragma once
// Writing, deleting and copying formats. Every multi-statement write runs in
// one transaction: on any failure nothing of it stays and the operator sees
// "更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました".

#include <QtGlobal>

#include <optional>

#include "core/form_state.h"

// The OK command of the header screen (button 2).
void ConfirmHeaderCommand(FormState& form);

// The confirmation and the write or delete of the OK command: the answer
// (msg::Yes, No, Cancel; Ok or Cancel to the delete question), none when the
// detail settings were refused, the write failed or nothing was asked.
std::optional<int> UpdateOrDelete(FormState& form);

// The header row of the key from the detail settings; error := 9 on failure.
void WriteHeader(FormState& form, qint16& error);

// Replaces the stored lines of the key with both tables; false on failure
// (nothing changed in the database).
bool WriteLines(FormState& form);

// Removes header and lines of the key; error := 9 on failure.
void DeleteFormat(FormState& form, qint16& error);

// Removes the stored lines of the key when no header row is stored for it.
void RemoveOrphanLines(FormState& form);

// 複写（C): fills a new key from a stored format chosen in the format key search.
void CopyFormat(FormState& form);

// Before the lines shown are left: in the categories that edit them, asks
// "更新しますか" and writes them on Yes. 6 or 7 when they may be left, 2 when
// the line screen stays (Cancel, or the write failed).
int AskToWriteLines(FormState& form);

// 終了 of the line screen: 6, 7 or 2.
int LeaveLineScreen(FormState& form);
