// The operations of the form on its state alone: keys, shortcuts and their
// guards, the command buttons with their questions, line edits and links on
// both panes, and the writes through the store with their failures.

#include "core/command_dispatch.h"
#include "core/edit_pane.h"
#include "core/fake_world.h"
#include "core/item_edit.h"
#include "core/key_codes.h"
#include "core/linking.h"
#include "core/list_rebuild.h"

#include <QTest>

using L = QStringList;

namespace {

const QString kNew = QStringLiteral("1 0101 NEWKEY01"), kShipping = QStringLiteral("2 0201 SHIPNT01 lines"),
              kInquiry = QStringLiteral("0 0201 SHIPNT01 lines");
const QString kAsk = QStringLiteral("更新しますか"), kAborted = QStringLiteral("更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました"),
              kNotFound = QStringLiteral("該当データがありませんでした");
const QString kLost = QStringLiteral("0|他の端末でこのフォーマットが変更または削除されています。"
                                     "キーを入力し直すと登録内容が表示されます。");

}  // namespace

class TestCoreFlows : public WorldTest {
    Q_OBJECT

private slots:
    void command_data();
    void command();
    void writtenLinesAreTheTables();
    void newLocalLineWithoutName();
    void linkAllOfNoLines();
};

void TestCoreFlows::command_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<L>("given");
    QTest::addColumn<QString>("action");  // a button, "lock n", "show E2" or a key
    QTest::addColumn<L>("boxes");
    QTest::addColumn<L>("after");
    auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
    const L shown4{"Lis_Hyojun.row=3", "click=6"}, pair11{"Lis_Local.row=0", "click=19", "Lis_Hyojun.row=0", "click=6"};

    // Escape by mode: the exit question, back to the category, OK, 終了.
    const QString exit = QStringLiteral("終了してもよろしいですか");
    row("exit, yes") << "" << L{"answer=6"} << "esc" << L{exit} << L{"calls=Close", "exit=1", "box=308|"};
    row("exit, no") << "" << L{"answer=7", "txt_BPID.colour=1"} << "esc" << L{exit}
                    << L{"calls=", "exit=0", "txt_BPID.colour=0", "txt_SyoriKbn.colour=1"};
    const L head{"mode=HEAD", "txt_JohoKbn=0101", "lbl_JohoKbn=発注", "focus=txt_JohoKbn"};
    row("esc in HEAD") << "" << head << "esc" << L() << L{"mode=MODE", "txt_JohoKbn=", "lbl_JohoKbn=", "focus=txt_SyoriKbn"};
    row("esc in HEAD, unknown category") << "" << head + L{"txt_SyoriKbn=5"} << "esc" << L() << L{"mode=MODE", "txt_JohoKbn=0101"};
    row("esc on the header screen") << kNew << L{"answer=2"} << "esc" << L{kAsk} << L{"mode=BODY", "focus=txt_Yosikisyubetu"};
    row("esc on the lines") << kShipping << L{"answer=7"} << "esc" << L{kAsk}
                            << L{"Frame_0.visible=0", "mode=BODY", "focus=txt_Yosikisyubetu", "calls="};
    row("esc on inquiry lines") << kInquiry << L() << "esc" << L() << L{"Frame_0.visible=0", "mode=HEAD"};

    // F5: the category grid, the key search, the item search; their choices.
    const L code{"mode=HEAD", "focus=txt_JohoKbn"};
    row("category chosen") << "" << code + L{"choose=1"} << "f5" << L() << L{"txt_JohoKbn=0201", "lbl_JohoKbn=出荷案内"};
    row("padded category chosen") << "" << code + L{"choose=3"} << "f5" << L() << L{"txt_JohoKbn=99", "lbl_JohoKbn=テスト用"};
    row("category search left") << "" << code + L{"txt_JohoKbn=01", "choose=esc"} << "f5" << L() << L{"txt_JohoKbn="};
    row("category search closed") << "" << code + L{"txt_JohoKbn=01", "choose=close"} << "f5" << L() << L{"txt_JohoKbn=01"};
    const L bpid{"txt_SyoriKbn=2", "mode=HEAD", "focus=txt_BPID"};
    row("key chosen names the category") << "" << bpid + L{"choose=1"} << "f5" << L()
                                         << L{"txt_JohoKbn=0201", "txt_BPID=SHIPNT01", "lbl_JohoKbn=出荷案内"};
    row("key search by the code") << "" << bpid + L{"txt_JohoKbn=0201", "lbl_JohoKbn=old", "choose=0"} << "f5" << L()
                                  << L{"txt_BPID=SHIPNT01", "lbl_JohoKbn=old"};
    row("key search left") << "" << bpid + L{"txt_JohoKbn=0201", "choose=esc"} << "f5" << L() << L{"txt_JohoKbn=", "txt_BPID="};
    row("no key search to register") << "" << bpid + L{"txt_SyoriKbn=1"} << "f5" << L() << L{"consumed=1"};
    row("no key found") << "" << bpid + L{"txt_JohoKbn=0401"} << "f5" << L{"検索データが有りません"} << L();
    row("item chosen") << kShipping << L{"focus=txt_KomokuNo", "choose=2"} << "f5" << L()
                       << L{"txt_KomokuNo=7", "lbl_KomokuNo=送信者ID"};
    row("item search left") << kShipping << L{"txt_KomokuNo=12", "choose=esc"} << "f5" << L() << L{"txt_KomokuNo="};
    row("no search elsewhere") << kNew << L() << "f5" << L() << L{"consumed=1"};

    // Shortcuts on the panes, refused in inquiry and delete.
    row("alt+A") << kShipping << L{"click=5"} << "alt+A" << L()
                 << L{"txt_KomokuNo.enabled=1", "txt_MultiMeisaiBango.enabled=0", "focus=txt_KomokuNo", "consumed=1"};
    row("alt+M") << kShipping << L{"focus=txt_KomokuMei"} << "alt+M" << L()
                 << L{"txt_ZokuseiCodeLocal=M", "lbl_ZokuseiCodeLocal=ﾏﾙﾁ明細", "focus=txt_MultiMeisaiBangoLocal"};
    row("alt+D") << kShipping << L{"Lis_Hyojun.row=0", "click=6"} << "alt+D" << L() << L{"E=5", "lbl_KomokuTuban="};
    row("alt+PgUp") << kShipping << shown4 << "alt+pgup" << L()
                    << L{"lbl_KomokuTuban=3", "Lis_Hyojun.row=2", "lbl_KomokuNo=出荷場所コード", "E3.link=3"};
    row("alt+PgDn") << kShipping << L{"Lis_Hyojun.row=2", "click=6"} << "alt+pgdn" << L()
                    << L{"lbl_KomokuTuban=4", "Lis_Hyojun.row=3", "E3.link=3"};
    row("alt+L") << kShipping << pair11 << "alt+L" << L() << L{"E1.link=1", "L1.link=1", "lbl_TaioKomokuTuban=1"};
    row("alt+C") << kShipping << L{"Lis_Hyojun.row=1", "click=6"} << "alt+C" << L() << L{"E2.link=0", "L2.link=0"};
    row("alt+X") << kShipping << L{"answer=2"} << "alt+X" << L{kAsk} << L{"Frame_0.visible=1", "focus=txt_KomokuNo"};
    row("alt+E") << kShipping << L{"Lis_Hyojun.row=0", "focus=txt_KomokuNo"} << "alt+E" << L()
                 << L{"lbl_KomokuTuban=1", "txt_KomokuNo.locked=0", "consumed=1"};
    for (const char* key : {"alt+A", "alt+M", "alt+D", "alt+pgup", "alt+pgdn", "alt+C", "alt+X"})
        row(qPrintable(QStringLiteral("inquiry: ") + key)) << kInquiry << shown4 << key << L()
            << L{"consumed=0", "E=6", "lbl_KomokuTuban=4", "lbl_ZokuseiCode=X", "E4.link=3"};
    row("inquiry: alt+L") << kInquiry << pair11 << "alt+L" << L() << L{"consumed=0", "E1.link=0"};
    row("delete: alt+D") << "9 0201 SHIPNT01 lines" << shown4 << "alt+D" << L() << L{"consumed=0", "E=6"};
    row("inquiry: alt+E") << kInquiry << L{"Lis_Hyojun.row=0", "focus=txt_KomokuNo"} << "alt+E" << L()
                          << L{"lbl_KomokuTuban=1", "txt_KomokuNo.locked=1", "consumed=1"};
    row("ctrl+tab to local") << kShipping << L{"focus=txt_KomokuNo"} << "ctrl+tab" << L() << L{"focus=txt_KomokuMei"};
    row("ctrl+tab to standard") << kShipping << L{"focus=txt_KoteiKomokuTiLocal"} << "ctrl+tab" << L() << L{"focus=txt_KomokuNo"};
    row("ctrl+tab off the panes") << kNew << L() << "ctrl+tab" << L() << L{"consumed=0", "focus=txt_Yosikisyubetu"};
    row("alt+C, copy disabled") << "" << L() << "alt+C" << L() << L{"consumed=1", "mode=MODE"};
    row("alt+M off the panes") << kShipping << L{"focus=Lis_Hyojun"} << "alt+M" << L() << L{"L=6", "L6.link=6", "E6.link=6"};
    row("alt+M on the header") << kNew << L() << "alt+M" << L() << L{"consumed=0"};
    row("alt+I writes the header") << kNew << L() << "alt+I" << L()
        << L{"calls=WriteHeader 0101|NEWKEY01,LoadLines 0101|NEWKEY01", "Frame_0.visible=1", "stored 0101|NEWKEY01=0"};
    row("alt+I of an inquiry") << "0 0101 ORDERS01" << L() << "alt+I" << L() << L{"calls=LoadLines 0101|ORDERS01", "Frame_0.visible=1"};
    row("alt+I, setting refused") << kNew << L{"txt_KakunoMode=Q"} << "alt+I" << L{kNotFound} << L{"calls=", "Frame_0.visible=0"};
    row("alt+I before the key") << "" << L() << "alt+I" << L() << L{"calls=", "Frame_0.visible=0", "consumed=1"};
    row("alt+I, write failed") << kNew << L{"fail=WriteHeader"} << "alt+I" << L{kAborted} << L{"Frame_0.visible=0"};
    row("enter on a list") << kShipping << L{"focus=Lis_Local", "Lis_Local.row=4"} << "enter" << L()
                           << L{"lbl_KomokuTubanLocal=5", "txt_ZokuseiCodeLocal=M", "focus=txt_MultiMeisaiBangoLocal"};

    // OK of the header: 更新しますか (yes writes, no drops the key), 削除しますか.
    row("OK, yes") << kNew << L{"answer=6"} << "2" << L{kAsk}
                   << L{"calls=WriteHeader 0101|NEWKEY01", "stored 0101|NEWKEY01=0", "txt_JohoKbn=", "txt_Yosikisyubetu=",
                        "txt_SyoriKbn=1", "mode=HEAD", "focus=txt_JohoKbn"};
    row("OK, no") << kNew << L{"answer=7"} << "2" << L{kAsk}
                  << L{"calls=RemoveOrphanLines 0101|NEWKEY01", "stored 0101|NEWKEY01=none", "txt_JohoKbn=", "focus=txt_JohoKbn"};
    row("OK, cancel") << kNew << L{"answer=2", "txt_SintaxID=V9"} << "2" << L{kAsk}
                      << L{"calls=", "txt_SintaxID=V9", "txt_JohoKbn=0101", "focus=txt_Yosikisyubetu", "box=51|"};
    row("OK, setting refused") << kNew << L{"txt_KakunoMode=Q"} << "2" << L{kNotFound} << L{"calls="};
    row("OK of an inquiry") << "0 0101 ORDERS01" << L() << "2" << L() << L{"txt_JohoKbn=0101"};
    row("OK without a key") << "" << L{"txt_SyoriKbn=2", "txt_JohoKbn=0101"} << "2" << L() << L{"calls="};
    row("OK, key typed over") << kNew << L{"txt_BPID=NEWKEY02", "answer=6"} << "2" << L{kAsk, kAborted}
                              << L{"calls=", "txt_BPID=NEWKEY02", "txt_Yosikisyubetu=11", "box=0|"};
    row("OK, lost update") << "2 0101 ORDERS01" << L{"changed=0101|ORDERS01", "answer=6"} << "2" << L{kAsk, kAborted}
                           << L{"box=" + kLost, "txt_BPID=ORDERS01", "calls=WriteHeader 0101|ORDERS01"};
    row("OK, write failed") << "2 0101 ORDERS01" << L{"fail=WriteHeader", "answer=6"} << "2" << L{kAsk, kAborted}
                            << L{"box=0|", "txt_BPID=ORDERS01"};
    row("OK, baseline unread") << "" << L{"txt_SyoriKbn=2", "txt_JohoKbn=0101", "fail=ReadBaseline", ">txt_BPID=ORDERS01", "answer=6"}
                               << "2" << L{kAsk, kAborted} << L{"box=" + kLost};
    const QString del = QStringLiteral("削除しますか");
    row("delete, OK") << "9 0101 ORDERS01" << L{"answer=1"} << "2" << L{del}
                      << L{"calls=DeleteFormat 0101|ORDERS01", "stored 0101|ORDERS01=none", "txt_BPID=", "txt_SyoriKbn=9",
                           "focus=txt_JohoKbn", "box=49|"};
    row("delete, cancel") << "9 0101 ORDERS01" << L{"answer=2"} << "2" << L{del} << L{"calls=", "stored 0101|ORDERS01=0", "txt_BPID="};
    row("delete from the lines") << "9 0201 SHIPNT01 lines" << L{"answer=1"} << "2" << L{del}
                                 << L{"stored 0201|SHIPNT01=none", "Frame_0.visible=0"};
    row("delete, changed meanwhile") << "9 0101 ORDERS01" << L{"changed=0101|ORDERS01", "answer=1"} << "2" << L{del, kAborted}
                                     << L{"box=" + kLost, "txt_BPID=ORDERS01"};
    // ｷｬﾝｾﾙ, 複写, 詳細設定 and the line screen's ｷｬﾝｾﾙ and 終了.
    row("cancel removes orphan lines") << "1 0101 ORPHAN01" << L() << "3" << L()
        << L{"calls=RemoveOrphanLines 0101|ORPHAN01", "stored 0101|ORPHAN01=none", "txt_SyoriKbn=1", "lbl_SyoriKbn=登録",
             "txt_JohoKbn=", "mode=MODE", "focus=txt_SyoriKbn"};
    row("cancel keeps stored lines") << "2 0201 SHIPNT01" << L() << "3" << L() << L{"stored 0201|SHIPNT01=11"};
    row("copy") << kNew << L{"choose=1"} << "0" << L()
                << L{"calls=ReadHeader 0201|SHIPNT01,CopyFormat 0101|NEWKEY01", "stored 0101|NEWKEY01=11", "txt_SintaxID=CII111",
                     "lbl_KakunoMode=ﾏﾙﾁ", "focus=txt_Yosikisyubetu", "txt_Yosikisyubetu.colour=1", "mode=BODY"};
    row("copy only registers") << "2 0101 ORDERS01" << L() << "0" << L() << L{"calls=", "mode=BODY"};
    row("copy, key typed over") << kNew << L{"txt_BPID=NEWKEY02"} << "0" << L{kAborted} << L{"calls="};
    row("copy, header unreadable") << kNew << L{"choose=0", "fail=ReadHeader"} << "0" << L{kAborted}
                                   << L{"calls=ReadHeader 0101|ORDERS01", "stored 0101|NEWKEY01=none"};
    row("lines shown") << "2 0201 SHIPNT01" << L() << "1" << L()
        << L{"Frame_0.visible=1", "E=6", "L=5", "Lis_Hyojun.rows=6", "Lis_Local.rows=5", "PGID=G4502002", "mode=BODY",
             "focus=txt_KomokuNo", "txt_KomokuNo.enabled=1", "txt_MultiMeisaiBango.enabled=0", "txt_KoteiKomokuTiLocal.enabled=1",
             "txt_KurikaesisuLocal.enabled=0", "ComandBtn_12.visible=1", "txt_JohoKbn.enabled=1", "txt_Yosikisyubetu.visible=1"};
    row("lines unreadable") << "2 0201 SHIPNT01" << L{"fail=LoadLines"} << "1" << L{"ﾌｫｰﾏｯﾄ情報の読込時にｴﾗｰがありました"}
                            << L{"Frame_0.visible=0", "mode=BODY", "focus=txt_Yosikisyubetu", "PGID=G4502001"};
    const L edited{"Lis_Hyojun.row=0", "click=6", "click=8"};
    row("lines shown again") << kShipping << edited << "1" << L() << L{"E=5"};
    row("lines cancelled") << kShipping << edited << "15" << L()
        << L{"Frame_0.visible=0", "PGID=G4502001", "mode=BODY", "focus=txt_Yosikisyubetu", "txt_JohoKbn.enabled=0",
             "ComandBtn_12.visible=0", "Lis_Hyojun.rows=0", "E=0", "calls="};
    row("end, yes") << kShipping << edited + L{"answer=6"} << "16" << L{kAsk}
        << L{"calls=WriteLines 0201|SHIPNT01", "stored 0201|SHIPNT01=10", "Frame_0.visible=0", "focus=txt_Yosikisyubetu",
             "txt_JohoKbn=0201", "txt_BPID=SHIPNT01", "lbl_JohoKbn=出荷案内"};
    row("end, no") << kShipping << edited + L{"answer=7"} << "16" << L{kAsk} << L{"calls=", "stored 0201|SHIPNT01=11", "Frame_0.visible=0"};
    row("end, cancel") << kShipping << edited + L{"answer=2"} << "16" << L{kAsk} << L{"Frame_0.visible=1", "E=5"};
    row("end, lost update") << kShipping << edited + L{"changed=0201|SHIPNT01", "answer=6"} << "16" << L{kAsk, kAborted}
                            << L{"box=" + kLost, "Frame_0.visible=1", "E=5", "stored 0201|SHIPNT01=12"};
    row("end, write failed") << kShipping << edited + L{"fail=WriteLines", "answer=6"} << "16" << L{kAsk, kAborted}
                             << L{"box=0|", "Frame_0.visible=1", "E=5"};
    row("end, key not accepted") << kShipping << edited + L{">txt_SyoriKbn=2", "answer=6"} << "16" << L{kAsk, kAborted}
                                 << L{"calls=", "Frame_0.visible=1"};
    row("end of an inquiry") << kInquiry << L() << "16" << L() << L{"mode=HEAD", "Frame_0.visible=0"};

    // Lines: a new one goes below the selection or to the end, links follow.
    row("add below the selection") << kShipping << L{"Lis_Local.row=2", "click=19", "Lis_Hyojun.row=2", "click=4", "txt_KomokuNo=301"}
        << "10" << L() << L{"E=7", "E4=E|4|0|0|301|25|15|0|0|発注番号|X|||E", "Lis_Hyojun.row=3", "L3.link=5",
                           "lbl_TaioKomokuTubanLocal=5", "lbl_KomokuTuban=", "focus=txt_KomokuNo"};
    row("add into a group") << kShipping << L{"Lis_Hyojun.row=4", "click=4", "txt_KomokuNo=3"} << "10" << L()
                            << L{"E6=E|6|0|1|3|33|8|0|0|データ作成日|9|||E", "E7.link=4"};
    row("add at the end") << kShipping << L{"click=4", "txt_KomokuNo=3"} << "10" << L()
                          << L{"E7=E|7|0|1|3|48|8|0|0|データ作成日|9|||E", "Lis_Hyojun.row=6"};
    row("local add at the end") << kShipping << L{"click=17", "txt_KomokuMei=数量", "txt_ZokuseiCodeLocal=X", "txt_NagasaLocal=5"}
                                << "24" << L() << L{"L6=L|6|0|1|0|37|5|0|0|数量|X|||E", "Lis_Local.row=5"};
    row("edit in place") << kShipping << L{"Lis_Hyojun.row=0", "click=6", "txt_HenkanErrorTaisyo=W"} << "10" << L()
                         << L{"E=6", "E1=E|1|0|0|1|1|4|0|0|情報区分コード|X|||W"};
    row("delete the first") << kShipping << L{"Lis_Local.row=0", "click=19"} << "21" << L()
                            << L{"L=4", "Lis_Local.row=0", "lbl_KomokuTubanLocal=", "E2.link=1"};
    row("delete a linked one") << kShipping << L{"Lis_Local.row=2", "click=19"} << "21" << L() << L{"L=4", "Lis_Local.row=2", "E4.link=0"};
    row("delete the last") << kShipping << L{"Lis_Local.row=4", "click=19"} << "21" << L() << L{"L=4", "Lis_Local.row=3"};
    row("delete, nothing shown") << kShipping << L() << "8" << L() << L{"E=6"};
    row("delete the only line") << "1 0101 NEWKEY01 lines" << L{">txt_KomokuNo=1", ">txt_KoteiKomokuTi=", "Lis_Hyojun.row=0", "click=6"}
                                << "8" << L() << L{"E=0", "Lis_Hyojun.rows=0", "Lis_Hyojun.row=-1"};
    row("up with its link") << kShipping << L{"Lis_Local.row=2", "click=19"} + shown4 << "7" << L()
        << L{"Lis_Hyojun.row=2", "lbl_KomokuTuban=3", "lbl_KomokuNo=出荷場所コード", "lbl_TaioKomokuTubanLocal=3", "L3.link=3"};
    row("the first stays") << kShipping << L{"Lis_Hyojun.row=0", "click=6"} << "7" << L() << L{"lbl_KomokuNo=情報区分コード", "E2.link=2"};
    row("standard down") << kShipping << L{"Lis_Hyojun.row=0", "click=6"} << "9" << L() << L{"lbl_KomokuTuban=2", "E1.link=2"};
    row("local down") << kShipping << L{"Lis_Local.row=1", "click=19"} << "22" << L() << L{"lbl_KomokuTubanLocal=3", "E2.link=3"};
    row("local up") << kShipping << L{"Lis_Local.row=1", "click=19"} << "20" << L()
                    << L{"lbl_KomokuTubanLocal=1", "txt_KomokuMei=送信者", "E2.link=1", "Lis_Local.row=0"};

    // Links and the enabled state of ﾘﾝｸ作成 and ﾘﾝｸ解除.
    row("unlinked lines shown") << kShipping << pair11 << "11" << L() << L{"ComandBtn_12.enabled=1", "ComandBtn_13.enabled=0"};
    row("link") << kShipping << pair11 << "12" << L()
                << L{"E1.link=1", "L1.link=1", "lbl_TaioKomokuTuban=1", "lbl_TaioKomokuTubanLocal=1", "ComandBtn_12.enabled=0",
                     "ComandBtn_13.enabled=1"};
    row("unlink") << kShipping << L{"Lis_Local.row=0", "click=19", "Lis_Hyojun.row=1", "click=6"} << "13" << L()
                  << L{"E2.link=0", "L2.link=0", "lbl_TaioKomokuTuban=", "lbl_KomokuTubanLocal=1", "txt_KomokuMei.locked=1",
                       "ComandBtn_12.enabled=1", "ComandBtn_13.enabled=0"};
    row("no link of a group and an item") << kShipping << L{"Lis_Local.row=4", "click=19", "Lis_Hyojun.row=0", "click=6"} << "12"
                                          << L() << L{"ComandBtn_12.enabled=0", "E1.link=0", "L5.link=0"};
    row("groups linked") << kShipping << L{"Lis_Local.row=4", "click=19", "Lis_Hyojun.row=4", "click=6"} << "12" << L()
                         << L{"E5.link=5", "L5.link=5"};
    row("no link of a linked line") << kShipping << L{"Lis_Local.row=1", "click=19", "Lis_Hyojun.row=0", "click=6"} << "12" << L()
                                    << L{"L2.link=2", "E1.link=0", "ComandBtn_12.enabled=0"};
    row("linked line shown") << kShipping << L{"Lis_Hyojun.row=1"} << "6" << L() << L{"ComandBtn_13.enabled=1", "ComandBtn_12.enabled=0"};
    row("inquiry shows unlink") << kInquiry << L() << "show E2" << L() << L{"ComandBtn_13.enabled=1", "ComandBtn_12.enabled=0"};
    row("inquiry opens no unlink") << kInquiry << L{"focus=Lis_Hyojun", "Lis_Hyojun.row=1"} << "enter" << L()
                                   << L{"ComandBtn_13.enabled=0", "lbl_TaioKomokuTuban=2"};
    row("link all") << kShipping << L() << "14" << L() << L{"L=6", "L6=L|6|6|1|301|33|15|0|0|発注番号|X|||E", "E3.link=3", "Lis_Local.rows=6"};

    // Locking by processing category.
    const L was{"ComandBtn_12.enabled=1", "ComandBtn_15.enabled=0", "ComandBtn_16.enabled=1"};
    const L locked{"txt_Yosikisyubetu.locked=1", "txt_KomokuNo.locked=1", "txt_KoteiKomokuTiLocal.locked=1", "txt_JohoKbn.locked=0"};
    row("lock: inquiry") << "" << was + L{"txt_SyoriKbn=0"} << "lock 0" << L()
        << locked + L{"ComandBtn_4.enabled=0", "ComandBtn_24.enabled=0", "ComandBtn_16.enabled=0", "ComandBtn_15.enabled=1", "ComandBtn_12.enabled=0"};
    row("lock: delete") << "" << was + L{"txt_SyoriKbn=9"} << "lock 0" << L() << locked + L{"ComandBtn_15.enabled=1", "ComandBtn_14.enabled=0"};
    row("lock: register") << "" << was + L{"txt_SyoriKbn=1"} << "lock 0" << L()
        << L{"txt_Yosikisyubetu.locked=0", "txt_KoteiKomokuTiLocal.locked=0", "ComandBtn_4.enabled=1", "ComandBtn_24.enabled=1",
             "ComandBtn_15.enabled=1", "ComandBtn_12.enabled=1"};
    row("lock: empty") << "" << was + L{"txt_SyoriKbn="} << "lock 0" << L()
                       << locked + L{"ComandBtn_4.enabled=0", "ComandBtn_15.enabled=0", "ComandBtn_12.enabled=1"};
    row("lock: shown line") << "" << was + L{"txt_SyoriKbn=1"} << "lock 2" << L() << locked + L{"ComandBtn_4.enabled=1"};
}

void TestCoreFlows::command()
{
    QFETCH(QString, scenario);
    QFETCH(L, given);
    QFETCH(QString, action);
    QFETCH(L, boxes);
    QFETCH(L, after);
    w->Open(scenario);
    w->Given(given);
    w->ask.Take();
    w->store.calls.clear();
    static const QMap<QString, QPair<int, int>> keys{
        {"enter", {vk::Return, 0}}, {"esc", {vk::Escape, 0}}, {"f5", {vk::F5, 0}}, {"ctrl+tab", {vk::Tab, kCtrlMask}},
        {"alt+pgup", {vk::Prior, kAltMask}}, {"alt+pgdn", {vk::Next, kAltMask}}};
    if (action.startsWith(QLatin1String("lock ")))
        LockEditFields(F(), action.mid(5).toInt());
    else if (action.startsWith(QLatin1String("show ")))
        ShowItemInPane(F(), action.mid(6).toInt(), action.mid(5, 1));
    else if (keys.contains(action))
        w->Press(keys[action].first, keys[action].second);
    else if (action.startsWith(QLatin1String("alt+")))
        w->Press(action.back().unicode(), kAltMask);
    else
        ComandBtnClick(F(), action.toInt());
    QCOMPARE(w->Get(after), after);
    QCOMPARE(w->ask.Take(), boxes);
}

// 終了 writes the tables as they are; the baseline after each write lets the
// next write of the same desk through.
void TestCoreFlows::writtenLinesAreTheTables()
{
    QVERIFY(w->KeyIn("1", "0101", "NEWKEY02").isEmpty());
    w->Press('I', kAltMask);
    w->Given({">txt_KomokuNo=7", ">txt_KoteiKomokuTi=", "click=17", "txt_KomokuMei=数量", "txt_ZokuseiCodeLocal=9",
              "txt_NagasaLocal=5", "click=24"});
    L rows{FakeStore::Row(F().Lines.StandardItems[1]), FakeStore::Row(F().Lines.LocalItems[1])};
    w->ask.answers << msg::Yes << msg::Yes;
    ComandBtnClick(F(), 16);
    QCOMPARE(w->store.Rows("0101|NEWKEY02"), rows);
    ComandBtnClick(F(), 1);
    w->Given({"Lis_Hyojun.row=0", "click=6", "click=8"});
    ComandBtnClick(F(), 16);
    QCOMPARE(w->store.Rows("0101|NEWKEY02"), rows.mid(1));
    QCOMPARE(w->ask.Take(), (L{kAsk, kAsk}));
}

// A new local line without a name is not put into the table.
void TestCoreFlows::newLocalLineWithoutName()
{
    w->Open(kShipping);
    w->Given({"txt_KomokuMei=   ", "lbl_KomokuTubanLocal="});
    QVERIFY(!CommitItem(F(), "L"));
    QCOMPARE(w->Get("L"), QStringLiteral("5"));
}

// 一括ﾘﾝｸ of an empty standard layout empties the local one.
void TestCoreFlows::linkAllOfNoLines()
{
    w->Open(kShipping);
    F().Lines.StandardItems.Clear();
    RebuildItemList(F(), "E");
    ComandBtnClick(F(), 14);
    QCOMPARE(w->Get(L{"L=0", "Lis_Local.rows=0"}), (L{"L=0", "Lis_Local.rows=0"}));
}

QTEST_GUILESS_MAIN(TestCoreFlows)
#include "test_core_flows.moc"
