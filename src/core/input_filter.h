#pragma once
// The character filter of the input classes: which typed characters a field
// accepts and how letters are converted.

#include <QString>

// Applies the class to one typed character of a field whose current text is
// fieldText. Returns the character to insert, or 0 to reject it. An empty
// class is stored back as "2". Backspace (8) and carriage return (13) pass.
char32_t FilterKeyInput(char32_t key, QString& fieldClass, const QString& fieldText);
