// The operations of the form on its state alone: keys, shortcuts and their
// guards, the command buttons with their questions, line edits and links on
// both panes, and the writes through the store with their failures.

#include "core/fake_world.h"

class TestCoreFlows : public WorldTest {
    Q_OBJECT

private slots:
    void operation_data();
    void operation() { Run(); }
};

void TestCoreFlows::operation_data()
{
    Columns();
    const QString kInquiry = "open=0 0201 SHIPNT01 lines;", kOrders = "open=2 0101 ORDERS01;";
    const QString kLost = "box=0|他の端末でこのフォーマットが変更または削除されています。キーを入力し直すと登録内容が表示されます。";
    const QString line4 = kShipping + "edit=E4;", pair11 = kShipping + "edit=L1;edit=E1;";

    // Escape by mode: the exit question, back to the category, OK, 終了.
    row("exit, yes") << "answer=6;key=esc" << "msg=exit;box=308|;calls=Close;exit=1";
    row("exit, no") << "answer=7;txt_BPID.colour=1;key=esc" << "msg=exit;exit=0;txt_BPID.colour=0;txt_SyoriKbn.colour=1";
    const QString head = "mode=HEAD;txt_JohoKbn=0101;lbl_JohoKbn=発注;focus=txt_JohoKbn;";
    row("esc in HEAD") << head + "key=esc" << "mode=MODE;txt_JohoKbn=;lbl_JohoKbn=;focus=txt_SyoriKbn";
    row("esc in HEAD, unknown category") << head + "txt_SyoriKbn=5;key=esc" << "mode=MODE;txt_JohoKbn=0101";
    row("esc on the header screen") << kNew + "answer=2;key=esc" << "msg=ask;mode=BODY;focus=txt_Yosikisyubetu";
    row("esc on the lines") << kShipping + "answer=7;key=esc" << "msg=ask;Frame_0.visible=0;mode=BODY;focus=txt_Yosikisyubetu;calls=";
    row("esc on inquiry lines") << kInquiry + "key=esc" << "Frame_0.visible=0;mode=HEAD";
    row("esc after inquiry keyed on the lines") << kShipping + ">txt_SyoriKbn=0;key=esc" << "Frame_0.visible=0;mode=HEAD";

    // F5: the category grid, the key search, the item search; their choices.
    const QString code = "mode=HEAD;focus=txt_JohoKbn;", bpid = "txt_SyoriKbn=2;mode=HEAD;focus=txt_BPID;";
    row("category chosen") << code + "choose=1;key=f5" << "txt_JohoKbn=0201;lbl_JohoKbn=出荷案内";
    row("padded category chosen") << code + "choose=3;key=f5" << "txt_JohoKbn=99;lbl_JohoKbn=テスト用";
    row("category search left") << code + "txt_JohoKbn=01;choose=esc;key=f5" << "txt_JohoKbn=";
    row("category search closed") << code + "txt_JohoKbn=01;choose=close;key=f5" << "txt_JohoKbn=01";
    row("key chosen names the category") << bpid + "choose=2;key=f5" << "txt_JohoKbn=0201;txt_BPID=SHIPNT01;lbl_JohoKbn=出荷案内";
    row("key search by the code") << bpid + "txt_JohoKbn=0201;lbl_JohoKbn=old;choose=0;key=f5" << "txt_BPID=SHIPNT01;lbl_JohoKbn=old";
    row("key search left") << bpid + "txt_JohoKbn=0201;choose=esc;key=f5" << "txt_JohoKbn=;txt_BPID=";
    row("key search closed") << bpid + "txt_JohoKbn=0201;txt_BPID=SHIP;choose=close;key=f5" << "txt_JohoKbn=0201;txt_BPID=SHIP";
    row("no key search to register") << bpid + "txt_SyoriKbn=1;key=f5" << "consumed=1";
    row("no key found") << bpid + "txt_JohoKbn=0401;key=f5" << "msg=nodata";
    row("item chosen") << kShipping + "focus=txt_KomokuNo;choose=2;key=f5" << "txt_KomokuNo=7;lbl_KomokuNo=送信者ID";
    row("item search left") << kShipping + "txt_KomokuNo=12;choose=esc;key=f5" << "txt_KomokuNo=";

    // Shortcuts on the panes, refused in inquiry and delete.
    row("alt+A") << kShipping + "click=5;key=alt+A" << "txt_KomokuNo.enabled=1;txt_MultiMeisaiBango.enabled=0;focus=txt_KomokuNo;consumed=1";
    row("alt+M") << kShipping + "focus=txt_KomokuMei;key=alt+M" << "lbl_ZokuseiCodeLocal=ﾏﾙﾁ明細;focus=txt_MultiMeisaiBangoLocal";
    row("alt+D") << kShipping + "edit=E1;key=alt+D" << "E=5;lbl_KomokuTuban=";
    row("alt+PgUp") << line4 + "key=alt+pgup" << "lbl_KomokuTuban=3;Lis_Hyojun.row=2;lbl_KomokuNo=出荷場所コード;E3.link=3";
    row("alt+PgDn") << kShipping + "edit=E3;key=alt+pgdn" << "lbl_KomokuTuban=4;Lis_Hyojun.row=3;E3.link=3";
    row("alt+L") << pair11 + "key=alt+L" << "E1.link=1;L1.link=1;lbl_TaioKomokuTuban=1";
    row("alt+C") << kShipping + "edit=E2;key=alt+C" << "E2.link=0;L2.link=0";
    row("alt+X") << kShipping + "answer=2;key=alt+X" << "msg=ask;Frame_0.visible=1;focus=txt_KomokuNo";
    row("alt+E") << kShipping + "Lis_Hyojun.row=0;focus=txt_KomokuNo;key=alt+E" << "lbl_KomokuTuban=1;txt_KomokuNo.locked=0;consumed=1";
    row("alt+Z") << kShipping + "key=alt+Z" << "consumed=0";
    row("alt+A in the last standard field") << kShipping + "focus=txt_KoteiKomokuTi;key=alt+A" << "focus=txt_KomokuNo";
    row("lines written beyond 32 bits") << "open=2 0201 ZDEEP001 lines;answer=6;click=16" << "msg=ask/bad value;calls=;Frame_0.visible=1";
    for (const char* key : {"alt+A", "alt+M", "alt+D", "alt+pgup", "alt+pgdn", "alt+C", "alt+X"})
        row(qPrintable(QStringLiteral("inquiry, ") + key)) << QString(line4).replace("=2 ", "=0 ") + "key=" + key
                                                           << "consumed=0;E=6;lbl_KomokuTuban=4;lbl_ZokuseiCode=X;E4.link=3";
    row("inquiry, alt+L") << QString(pair11).replace("=2 ", "=0 ") + "key=alt+L" << "consumed=0;E1.link=0";
    row("delete, alt+D") << QString(line4).replace("=2 ", "=9 ") + "key=alt+D" << "consumed=0;E=6";
    row("inquiry, alt+E") << kInquiry + "Lis_Hyojun.row=0;focus=txt_KomokuNo;key=alt+E" << "lbl_KomokuTuban=1;txt_KomokuNo.locked=1";
    row("ctrl+tab to local") << kShipping + "focus=txt_KomokuNo;key=ctrl+tab" << "focus=txt_KomokuMei";
    row("ctrl+tab to standard") << kShipping + "focus=txt_KoteiKomokuTiLocal;key=ctrl+tab" << "focus=txt_KomokuNo";
    row("ctrl+tab off the panes") << kNew + "key=ctrl+tab" << "consumed=0;focus=txt_Yosikisyubetu";
    row("alt+C, copy disabled") << "key=alt+C" << "consumed=1;mode=MODE";
    row("alt+M off the panes") << kShipping + "edit=L1;focus=Lis_Hyojun;key=alt+M"
                               << "L=6;L6.link=6;E6.link=6;lbl_TaioKomokuTubanLocal=1";
    row("alt+M on the header") << kNew + "key=alt+M" << "consumed=0";
    row("alt+I writes the header") << kNew + "key=alt+I"
                                   << "calls=WriteHeader 0101|NEWKEY01,LoadLines 0101|NEWKEY01;Frame_0.visible=1;stored 0101|NEWKEY01=0";
    row("alt+I of an inquiry") << "open=0 0101 ORDERS01;key=alt+I" << "calls=LoadLines 0101|ORDERS01;Frame_0.visible=1";
    row("alt+I, setting refused") << kNew + "txt_KakunoMode=Q;key=alt+I" << "msg=notfound;Frame_0.visible=0";
    row("alt+I before the key") << "key=alt+I" << "Frame_0.visible=0;consumed=1";
    row("alt+I, write failed") << kNew + "fail=WriteHeader;key=alt+I" << "msg=aborted;Frame_0.visible=0";
    row("enter on a list") << kShipping + "focus=Lis_Local;Lis_Local.row=4;key=enter"
                           << "lbl_KomokuTubanLocal=5;txt_ZokuseiCodeLocal=M;focus=txt_MultiMeisaiBangoLocal";

    // OK of the header: 更新しますか (yes writes, no drops the key), 削除しますか.
    row("OK, yes") << kNew + "answer=6;click=2" << "msg=ask;calls=WriteHeader 0101|NEWKEY01;stored 0101|NEWKEY01=0;txt_JohoKbn=;"
                                                   "txt_Yosikisyubetu=;txt_SyoriKbn=1;mode=HEAD;focus=txt_JohoKbn";
    row("OK, no") << kNew + "answer=7;click=2"
                  << "msg=ask;calls=RemoveOrphanLines 0101|NEWKEY01;stored 0101|NEWKEY01=none;txt_JohoKbn=;focus=txt_JohoKbn";
    row("OK, cancel") << kNew + "answer=2;txt_SintaxID=V9;click=2" << "msg=ask;box=51|;txt_SintaxID=V9;txt_JohoKbn=0101;focus=txt_Yosikisyubetu";
    // The settings are checked in order; the first refusal stops the check.
    row("OK, setting refused") << kNew + "txt_KakunoMode=Q;click=2" << "msg=notfound;calls=;txt_Yosikisyubetu=11;txt_1ByteMijiSyugo=";
    row("OK of an inquiry") << "open=0 0101 ORDERS01;click=2" << "txt_JohoKbn=0101";
    row("OK without a key") << "txt_SyoriKbn=2;txt_JohoKbn=0101;click=2" << "calls=";
    row("OK, key typed over") << kNew + "txt_BPID=NEWKEY02;answer=6;click=2" << "msg=ask/aborted;box=0|;txt_BPID=NEWKEY02;txt_Yosikisyubetu=11";
    row("OK, lost update") << kOrders + "changed=0101|ORDERS01;answer=6;click=2" << "msg=ask/aborted;" + kLost + ";txt_BPID=ORDERS01";
    row("OK, write failed") << kOrders + "fail=WriteHeader;answer=6;click=2" << "msg=ask/aborted;box=0|;txt_BPID=ORDERS01";
    row("OK, baseline unread") << "txt_SyoriKbn=2;txt_JohoKbn=0101;fail=ReadBaseline;>txt_BPID=ORDERS01;answer=6;click=2"
                               << "msg=ask/aborted;" + kLost;
    const QString orders9 = "open=9 0101 ORDERS01;";
    row("delete, OK") << orders9 + "answer=1;click=2" << "msg=delete;box=49|;calls=DeleteFormat 0101|ORDERS01;stored 0101|ORDERS01=none;"
                                                         "txt_BPID=;txt_SyoriKbn=9;focus=txt_JohoKbn";
    row("delete, key typed over") << orders9 + "txt_BPID=ORDERS02;answer=1;click=2" << "msg=delete/aborted;box=0|;txt_BPID=ORDERS02";
    row("delete, cancel") << orders9 + "answer=2;click=2" << "msg=delete;stored 0101|ORDERS01=0;txt_BPID=";
    row("delete from the lines") << "open=9 0201 SHIPNT01 lines;answer=1;click=2" << "msg=delete;stored 0201|SHIPNT01=none;Frame_0.visible=0";
    row("delete, changed meanwhile") << orders9 + "changed=0101|ORDERS01;answer=1;click=2" << "msg=delete/aborted;" + kLost + ";txt_BPID=ORDERS01";
    // ｷｬﾝｾﾙ, 複写, 詳細設定 and the line screen's ｷｬﾝｾﾙ and 終了.
    row("cancel, category 1 gone") << "unnamed=処理区分/1;txt_SyoriKbn=;click=3" << "msg=8;box=48|;txt_SyoriKbn=1;lbl_SyoriKbn=";
    row("cancel removes orphan lines") << "changed=0101|ORPHAN01;open=1 0101 ORPHAN01;click=3"
        << "calls=RemoveOrphanLines 0101|ORPHAN01;stored 0101|ORPHAN01=none;txt_SyoriKbn=1;lbl_SyoriKbn=登録;txt_JohoKbn=;mode=MODE;focus=txt_SyoriKbn";
    row("copy") << kNew + "choose=2;click=0" << "calls=ReadHeader 0201|SHIPNT01,CopyFormat 0101|NEWKEY01;stored 0101|NEWKEY01=11;"
                   "txt_SintaxID=CII111;lbl_KakunoMode=ﾏﾙﾁ;focus=txt_Yosikisyubetu;txt_Yosikisyubetu.colour=1;mode=BODY";
    row("copy only registers") << kOrders + "click=0" << "mode=BODY";
    row("copy outside registering, from the code") << "txt_SyoriKbn=2;mode=HEAD;click=0" << "mode=BODY;calls=";
    row("copy, key typed over") << kNew + "txt_BPID=NEWKEY02;click=0" << "msg=aborted;calls=";
    row("copy, header unreadable") << kNew + "choose=1;fail=ReadHeader;click=0" << "msg=aborted;stored 0101|NEWKEY01=none";
    // The layout switch moves a few controls; a box at 5000 or less stays on the way back.
    const QString designed = "FrameBase_0.top=840;FrameBase_0.height=330;FrameBase_0.left=210;Frame_0.width=6600;Frame_1.left=8310;"
                             "txt_JohoKbn.left=1875;lbl_JohoKbn.left=2590;";
    row("lines laid out") << designed + kShipping << "Frame_0.top=1190;Frame_0.left=210;Frame_1.top=1190;ComandBtn_12.left=6810;"
        "ComandBtn_16.left=6810;ComandBtn_16.width=1500;ComandBtn_16.visible=1;FrameBase_1.top=810;txt_BPID.top=810;FrameBase_0.left=5210;"
        "txt_JohoKbn.left=6875;lbl_JohoKbn.left=7590";
    row("header laid out") << designed + kShipping + "click=15" << "FrameBase_1.top=1170;txt_BPID.top=1170;FrameBase_0.left=210;"
                                                                  "txt_JohoKbn.left=1875;lbl_JohoKbn.left=2590;ComandBtn_16.visible=0";
    row("header again") << designed + kShipping + "click=15;txt_JohoKbn.left=4000;click=15" << "txt_JohoKbn.left=4000;mode=BODY";
    row("box left of 5000") << designed + kShipping + "txt_JohoKbn.left=3000;click=15" << "txt_JohoKbn.left=3000;FrameBase_0.left=210";
    row("lines shown") << "open=2 0201 SHIPNT01;click=1"
        << "Frame_0.visible=1;E=6;L=5;Lis_Hyojun.rows=6;Lis_Local.rows=5;PGID=G4502002;mode=BODY;focus=txt_KomokuNo;txt_KomokuNo.enabled=1;"
           "txt_MultiMeisaiBango.enabled=0;txt_KoteiKomokuTiLocal.enabled=1;txt_KurikaesisuLocal.enabled=0;ComandBtn_12.visible=1;"
           "txt_JohoKbn.enabled=1;txt_Yosikisyubetu.visible=1";
    row("lines unreadable") << "open=2 0201 SHIPNT01;fail=LoadLines;click=1"
                            << "msg=unreadable;box=0|;Frame_0.visible=0;mode=BODY;focus=txt_Yosikisyubetu;PGID=G4502001";
    row("lines with a bad value") << "open=2 0201 SHIPNT01;fail=LoadLines!;click=1"
                                  << "msg=bad value;box=0|ローカル 2行目 レベル番号 1000000000;Frame_0.visible=0;mode=BODY";
    const QString edited = kShipping + "edit=E1;click=8;";
    row("lines shown again") << edited + "click=1" << "E=5";
    row("lines cancelled") << edited + "click=15" << "Frame_0.visible=0;PGID=G4502001;mode=BODY;focus=txt_Yosikisyubetu;txt_JohoKbn.enabled=0;"
                                                     "ComandBtn_12.visible=0;Lis_Hyojun.rows=0;E=0;calls=";
    row("end, yes") << edited + "answer=6;click=16" << "msg=ask;calls=WriteLines 0201|SHIPNT01;stored 0201|SHIPNT01=10;Frame_0.visible=0;"
                                                       "focus=txt_Yosikisyubetu;txt_JohoKbn=0201;txt_BPID=SHIPNT01;lbl_JohoKbn=出荷案内";
    row("end, cancel") << edited + "answer=2;click=16" << "msg=ask;Frame_0.visible=1;E=5";
    row("end, lost update") << edited + "changed=0201|SHIPNT01;answer=6;click=16" << "msg=ask/aborted;" + kLost + ";Frame_0.visible=1;E=5";
    row("end, write failed") << edited + "fail=WriteLines;answer=6;click=16" << "msg=ask/aborted;box=0|;Frame_0.visible=1;E=5";
    row("end, key not accepted") << edited + ">txt_SyoriKbn=2;answer=6;click=16" << "msg=ask/aborted;box=0|;Frame_0.visible=1";
    row("end of an inquiry") << kInquiry + "click=16" << "mode=HEAD;Frame_0.visible=0";
    // What is written is read back; the baseline after a write lets the next one through.
    const QString written = "open=1 0101 NEWKEY02;key=alt+I;>txt_KomokuNo=7;>txt_KoteiKomokuTi=;click=17;txt_KomokuMei=数量;"
                            "txt_ZokuseiCodeLocal=9;txt_NagasaLocal=5;click=24;answer=6;click=16;click=1";
    row("written lines read back") << written << "msg=ask;E=1;L=1;E1=E|1|0|0|7|1|12|0|0|送信者ID|X|||E;L1=L|1|0|0|0|1|5|0|0|数量|9|||E";
    row("written twice") << written + ";edit=E1;click=8;answer=6;click=16;click=1" << "msg=ask/ask;E=0;L=1";

    // Lines shown in the panes and opened by their kind; added below the
    // selection or at the end, deleted, moved; links follow their lines.
    row("item shown") << kShipping + "edit=E4" << "lbl_KomokuTuban=4;lbl_TaioKomokuTuban=3;lbl_LevelBango=0;txt_KomokuNo=125;lbl_KomokuNo=出荷場所コード;"
        "lbl_ZokuseiCode=X;lbl_Zokusei=英数字;lbl_Nagasa=8;lbl_SyosuNagasa=;txt_Kurikaesisu=0;lbl_HenkanErrorTaisyo=ｴﾗｰ;txt_KomokuNo.locked=0;"
        "txt_MultiMeisaiBango.enabled=0;focus=txt_KomokuNo";
    row("group shown") << kShipping + "edit=L5" << "lbl_KomokuTubanLocal=5;lbl_TaioKomokuTubanLocal=;lbl_KomokuNoIti=37;txt_KomokuMei=出荷明細;"
        "lbl_ZokuseiCodeLocal=ﾏﾙﾁ明細;txt_NagasaLocal=;txt_MultiMeisaiBangoLocal=2;txt_KurikaesisuLocal=20;txt_KurikaesisuLocal.enabled=1;"
        "txt_NagasaLocal.enabled=0;focus=txt_MultiMeisaiBangoLocal";
    row("unknown code") << "open=0 0101 ODDCODES lines;edit=E1" << "msg=notfound/notfound/notfound;txt_HenkanErrorTaisyo=Q;lbl_HenkanErrorTaisyo=";
    row("add below the selection") << kShipping + "edit=L3;Lis_Hyojun.row=2;click=4;txt_KomokuNo=301;click=10"
        << "E=7;E4=E|4|0|0|301|25|15|0|0|発注番号|X|||E;Lis_Hyojun.row=3;L3.link=5;lbl_TaioKomokuTubanLocal=5;lbl_KomokuTuban=;focus=txt_KomokuNo";
    row("add into a group") << kShipping + "Lis_Hyojun.row=4;click=4;txt_KomokuNo=3;click=10" << "E6=E|6|0|1|3|33|8|0|0|データ作成日|9|||E;E7.link=4";
    row("項目追加 after a header shown") << kShipping + "edit=E5;click=4" << "txt_MultiMeisaiBango.enabled=0;txt_KomokuNo.enabled=1;"
                                                                        "lbl_KomokuTuban=;focus=txt_KomokuNo";
    row("add at the end") << kShipping + "click=4;txt_KomokuNo=3;click=10" << "E7=E|7|0|1|3|48|8|0|0|データ作成日|9|||E;Lis_Hyojun.row=6";
    row("local add above a link") << kShipping + "edit=L3;click=17;txt_KomokuMei=x;txt_ZokuseiCodeLocal=X;txt_NagasaLocal=1;click=24"
                                  << "L=6;E6.link=5;L5.link=6";
    row("add below a first group") << kLines + "click=5;>txt_MultiMeisaiBango=1;>txt_Kurikaesisu=2;Lis_Hyojun.row=0;click=4;txt_KomokuNo=3;click=10"
                                   << "E2=E|2|0|1|3|1|8|0|0|データ作成日|9|||E";
    row("local add at the end") << kShipping + "click=17;txt_KomokuMei=数量;txt_ZokuseiCodeLocal=X;txt_NagasaLocal=5;click=24"
                                << "L6=L|6|0|1|0|37|5|0|0|数量|X|||E;Lis_Local.row=5";
    row("edit in place") << kShipping + "edit=E1;txt_HenkanErrorTaisyo=W;click=10" << "E=6;E1=E|1|0|0|1|1|4|0|0|情報区分コード|X|||W";
    row("delete the first") << kShipping + "edit=L1;click=21" << "L=4;Lis_Local.row=0;lbl_KomokuTubanLocal=;E2.link=1";
    row("delete a linked one") << kShipping + "edit=L3;click=21" << "L=4;Lis_Local.row=2;E4.link=0";
    row("delete the last") << kShipping + "edit=L5;click=21" << "L=4;Lis_Local.row=3";
    row("delete, nothing shown") << kShipping + "Lis_Hyojun.row=2;click=8" << "E=6;Lis_Hyojun.row=2";
    row("delete the only line") << kLines + ">txt_KomokuNo=1;>txt_KoteiKomokuTi=;edit=E1;click=8" << "E=0;Lis_Hyojun.rows=0;Lis_Hyojun.row=-1";
    row("up with its link") << line4 + "edit=L3;click=7"
        << "Lis_Hyojun.row=2;lbl_KomokuTuban=3;lbl_KomokuNo=出荷場所コード;lbl_TaioKomokuTubanLocal=3;L3.link=3";
    row("local down") << kShipping + "edit=L2;click=22" << "lbl_KomokuTubanLocal=3;E2.link=3";
    row("local up") << kShipping + "edit=L2;click=20" << "lbl_KomokuTubanLocal=1;txt_KomokuMei=送信者;E2.link=1;Lis_Local.row=0";
    row("clear the standard pane") << kShipping + "edit=E2;focus=txt_HenkanErrorTaisyo;click=11"
                                   << "focus=txt_KomokuNo;lbl_KomokuTuban=;txt_HenkanErrorTaisyo=;Lis_Hyojun.row=1";
    row("clear the local pane") << kShipping + "edit=L2;focus=txt_KoteiKomokuTiLocal;click=23"
                                << "focus=txt_KomokuMei;lbl_KomokuTubanLocal=;lbl_KomokuNoIti=;txt_NagasaLocal=;Lis_Local.row=1";

    // Links and the enabled state of ﾘﾝｸ作成 and ﾘﾝｸ解除.
    row("unlinked lines shown") << pair11 << "ComandBtn_12.enabled=1;ComandBtn_13.enabled=0";
    row("link") << pair11 + "click=12"
                << "E1.link=1;L1.link=1;lbl_TaioKomokuTuban=1;lbl_TaioKomokuTubanLocal=1;ComandBtn_12.enabled=0;ComandBtn_13.enabled=1";
    row("unlink") << kShipping + "edit=L1;edit=E2;click=13"
                  << "E2.link=0;L2.link=0;lbl_TaioKomokuTuban=;txt_KomokuMei.locked=1;ComandBtn_12.enabled=1;ComandBtn_13.enabled=0";
    row("no link of a group and an item") << kShipping + "edit=L5;edit=E1;click=12" << "ComandBtn_12.enabled=0;E1.link=0;L5.link=0";
    row("groups linked") << kShipping + "edit=L5;edit=E5;click=12" << "E5.link=5;L5.link=5";
    row("no link of a linked line") << kShipping + "edit=L2;edit=E1;click=12" << "L2.link=2;E1.link=0;ComandBtn_12.enabled=0";
    row("linked line shown") << kShipping + "edit=E2" << "ComandBtn_13.enabled=1;ComandBtn_12.enabled=0";
    row("no standard line shown") << kShipping + "ComandBtn_13.enabled=1;ComandBtn_12.enabled=0;edit=L1"
                                  << "ComandBtn_13.enabled=1;ComandBtn_12.enabled=0";
    row("inquiry opens no unlink") << kInquiry + "focus=Lis_Hyojun;Lis_Hyojun.row=1;key=enter" << "ComandBtn_13.enabled=0;lbl_TaioKomokuTuban=2";
    row("link all") << kShipping + "edit=L3;click=14" << "L=6;L6=L|6|6|1|301|33|15|0|0|発注番号|X|||;E3.link=3;Lis_Local.rows=6;lbl_KomokuNoIti=17";
    row("no link of a line not shown") << kShipping + "edit=L1;edit=E1;lbl_KomokuTuban=9;click=12" << "L1.link=0";
    row("no link of a local line not shown") << kShipping + "edit=L1;edit=E1;lbl_KomokuTubanLocal=9;click=12" << "E1.link=0";
    row("link all of none") << kShipping + "clear=E;click=14" << "L=0;Lis_Local.rows=0";
    // A new local line without a name is not put into the table.
    row("no nameless local line") << kShipping + "txt_KomokuMei=   ;lbl_KomokuTubanLocal=;commit=L" << "L=5";

    // Locking by processing category; the buttons 0 to 24, enabled or not.
    const QString was = "ComandBtn_12.enabled=1;ComandBtn_15.enabled=0;ComandBtn_16.enabled=1;txt_SyoriKbn=";
    const QString locked = "txt_Yosikisyubetu.locked=1;txt_KomokuNo.locked=1;txt_KoteiKomokuTiLocal.locked=1;txt_JohoKbn.locked=0;";
    row("lock: inquiry") << was + "0;lock=0" << locked + "buttons=0011000000000001000000000";
    row("lock: delete") << was + "9;lock=0" << locked + "buttons=0011000000000001000000000";
    row("lock: register") << was + "1;lock=0" << "txt_Yosikisyubetu.locked=0;txt_KoteiKomokuTiLocal.locked=0;buttons=0011111111111111111111111";
    row("lock: empty") << was + ";lock=0" << locked + "buttons=0011000000001110000000000";
    row("lock: shown line") << was + "1;lock=2" << locked + "buttons=0011111111111111111111111";
}

QTEST_GUILESS_MAIN(TestCoreFlows)
#include "test_core_flows.moc"
