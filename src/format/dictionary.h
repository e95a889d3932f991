#pragma once
// The standard item dictionary FL1901項目情報マスタ.

#include <QString>

class Connection;

struct DictionaryItem {
    QString name;       // データ項目名
    QString attribute;  // 属性
    QString length;     // 長さ
    QString decimals;   // 小数部長さ
};

// The entry of an item number; false when there is none (or it cannot be read).
bool LookupItem(Connection& db, qint32 itemNo, DictionaryItem& item);
