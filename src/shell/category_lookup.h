#pragma once
// Names of category codes from 区分マスタ.

#include <QString>

class Connection;
class QLabel;
class QWidget;

// The 区分名称 of a kind and code; empty when there is no row or anything
// fails. A non-empty excludedCode also refuses that code (the conversion-
// error handling never accepts "S", an attribute never "M").
QString LookupCategoryName(Connection& db, const QString& kind, const QString& code,
                           const QString& excludedCode = QString());

// Shows the name in the label, or empties the label, sets hold to 9 and shows
// "該当データがありませんでした" when the code is unknown.
void CheckCategoryCode(QWidget* parent, Connection& db, const QString& kind,
                       const QString& code, QLabel* nameLabel, qint16& hold,
                       const QString& excludedCode = QString());
