#pragma once
// The messages of the form that have no number of their own (the checks'
// messages are known by their numbers, see ShowCheckMessage).

#include <QString>

namespace message {
inline const QString CodeNotFound = QStringLiteral("該当データがありませんでした");
inline const QString NothingToSearch = QStringLiteral("検索データが有りません");
inline const QString AskUpdate = QStringLiteral("更新しますか");
inline const QString AskDelete = QStringLiteral("削除しますか");
inline const QString AskExit = QStringLiteral("終了してもよろしいですか");
inline const QString UpdateAborted = QStringLiteral("更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました");
inline const QString ChangedElsewhere = QStringLiteral(
    "他の端末でこのフォーマットが変更または削除されています。キーを入力し直すと登録内容が表示されます。");
inline const QString LinesUnreadable = QStringLiteral("ﾌｫｰﾏｯﾄ情報の読込時にｴﾗｰがありました");
inline const QString BadValue = QStringLiteral("ﾌｫｰﾏｯﾄ情報に不正な値があります");
}  // namespace message
