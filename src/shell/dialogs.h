#pragma once
// Message boxes in the style codes of the original platform, the exit
// confirmation, centring a form and the byte-limit formatting of field text.

#include <QString>

class QDialog;
class QWidget;
class Connection;
class FieldTable;

// The application title, shown on every box without a title of its own.
extern const char* const kApplicationTitle;

// Style codes: buttons 0 OK, 1 OK/Cancel, 3 Yes/No/Cancel, 4 Yes/No; icons
// 16 critical, 32 question, 48 exclamation, 64 information; 256/512 make the
// second/third button the default.
namespace msg {
constexpr int OkOnly = 0, OkCancel = 1, YesNoCancel = 3, YesNo = 4;
constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
constexpr int DefaultButton2 = 256, DefaultButton3 = 512;
// Answers.
constexpr int Ok = 1, Cancel = 2, Yes = 6, No = 7;
}

// Shows a modal box, with a second, informative text when one is given, and
// returns the answer code.
int ShowMessage(QWidget* parent, const QString& text, int style,
                const QString& title = QString(), const QString& informative = QString());

// The busy cursor while database work is under way (restored when it ends).
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Runs a modal dialog and hands the keyboard back to its parent's window.
int ExecModal(QDialog& dialog);

// Asks "終了してもよろしいですか". Yes closes the connection and returns false
// (the caller ends the program); No resets the field backgrounds and returns
// true (the unload is cancelled).
bool ConfirmExit(QWidget* form, Connection& db, FieldTable& fields);

void CenterForm(QWidget* form);

// Cuts the text of the field at that position to its byte limit.
void FormatFieldText(FieldTable& fields, int position);
