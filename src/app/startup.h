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

// Runs the program: start-up, then the event loop until the confirmed exit.
// The command line is the program's arguments joined by blanks, as bytes.
// Returns the process's exit status.
int Main(const QByteArray& commandLine, const QString& programFolder);
