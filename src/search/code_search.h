#pragma once
// The code search SEARCH_MSTDB: a modal grid of the format keys or of the
// item dictionary from which the operator picks one row.

class Connection;
class QWidget;

enum class CodeSearchKind { FormatKey, ItemNumber };

// Shows "検索データが有りません" when nothing is found, otherwise the dialog;
// returns when it has closed. The first target's text filters the format key
// search (Esc in the dialog empties it); the chosen row's first column goes to
// the second target and its second column to the third (each when given).
void OpenCodeSearch(QWidget* parent, Connection& db, CodeSearchKind kind, QWidget* firstTarget,
                    QWidget* secondTarget, QWidget* thirdTarget);
