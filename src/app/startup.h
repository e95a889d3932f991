#pragma once
// The start-up sequence of the program: configuration, connection, display
// settings, the first screen and the operator code.

#include <QByteArray>
#include <QString>

// Exit statuses of the fatal start-up failures.
namespace exit_status {
constexpr int ConfigFile = 2;      // INIﾌｧｲﾙ読込エラー
constexpr int Connection = 3;      // 接続エラー
constexpr int DisplaySetting = 4;  // 項目設定エラー
constexpr int CategoryFile = 5;    // information-category file missing (no message)
constexpr int Operator = 6;        // オペレータ入力エラー
}

class F_K450120;

// The start-up steps on a form whose ProgramFolder is set: configuration,
// connection, display settings, first screen, operator code, focus. Returns
// 0 when the form is shown and waits for the operator, otherwise the status
// of the fatal failure (its message has been shown).
int StartUp(F_K450120& form, const QByteArray& commandLine);

// Runs the program: start-up, then the event loop until the confirmed exit.
// The command line is the program's arguments joined by blanks, as bytes.
// Returns the process's exit status.
int Main(const QByteArray& commandLine, const QString& programFolder);
