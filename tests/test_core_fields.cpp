// The fields of the form on its state alone. Their checks: one row per rule
// and message, from the field's text (">field=text") to the message shown,
// the hold value, the texts and the focus afterwards. Their discipline: the
// groups of the modes, the Enter and arrow ring, the automatic advance of a
// full field, the input classes, the byte limit and the focus colours.

#include "core/fake_world.h"
#include "core/field_discipline.h"

class TestCoreFields : public WorldTest {
    Q_OBJECT

private slots:
    void fieldCheck_data();
    void fieldCheck() { Run(); }
    void discipline_data();
    void discipline() { Run(); }
    void inputClasses();
};

void TestCoreFields::fieldCheck_data()
{
    Columns();

    // Processing category: accepted codes lock by category, the buttons follow the key.
    const QString key = "txt_JohoKbn=0101;txt_BPID=ORDERS01;";
    row("category 0") << ">txt_SyoriKbn=0" << "hold=0;lbl_SyoriKbn=照会;mode=HEAD;txt_Yosikisyubetu.locked=1;buttons="
                                              "0011000000000001000000000;ComandBtn_12.visible=0";
    row("category 2, key typed") << key + ">txt_SyoriKbn=2" << "hold=0;lbl_SyoriKbn=修正;txt_Yosikisyubetu.locked=0;buttons=1111111111111111111111111";
    row("category empty") << key + "lbl_SyoriKbn=old;>txt_SyoriKbn="
                          << "hold=9;msg=7;lbl_SyoriKbn=old;mode=MODE;ComandBtn_0.enabled=1;ComandBtn_1.enabled=0";
    row("category unknown") << "lbl_SyoriKbn=old;>txt_SyoriKbn=5" << "hold=9;msg=8;box=48|;lbl_SyoriKbn=;mode=MODE";
    // Information category: the file's codes are padded, typed ones trimmed.
    row("code empty keeps the label") << "lbl_JohoKbn=old;>txt_JohoKbn=" << "hold=9;msg=1;lbl_JohoKbn=old";
    row("code padded in the file") << "lbl_JohoKbn=old;>txt_JohoKbn=99" << "hold=9;msg=2;lbl_JohoKbn=";
    row("code known") << ">txt_JohoKbn=0101" << "hold=0;lbl_JohoKbn=発注";

    // BPID: empty or short clears the key and the header but the last pane field.
    const QString header = "txt_SyoriKbn=2;txt_JohoKbn=0101;txt_Yosikisyubetu=11;lbl_KakunoMode=ﾏﾙﾁ;lbl_JohoKbn=発注;"
                           "txt_KoteiKomokuTi=a;txt_KoteiKomokuTiLocal=b;ComandBtn_1.enabled=1;";
    const QString cleared = "hold=9;txt_JohoKbn=;txt_BPID=;lbl_JohoKbn=;txt_Yosikisyubetu=;lbl_KakunoMode=;txt_KoteiKomokuTi=;"
                            "txt_KoteiKomokuTiLocal=b;ComandBtn_0.enabled=0;ComandBtn_1.enabled=0;key=|;";
    row("bpid empty") << header + ">txt_BPID=" << cleared + "msg=3";
    row("bpid of 7") << header + ">txt_BPID=ORDERS0 " << cleared + "msg=4";
    const QString loaded = "hold=0;txt_SintaxID=CII111;lbl_Yosikisyubetu=CII標準 Ver1.1;lbl_XMLmojiCode=Shift_JIS;";
    const QString unloaded = "txt_SintaxID=;lbl_Yosikisyubetu=;lbl_XMLmojiCode=;";
    const QString in = "txt_JohoKbn=0101;txt_SyoriKbn=%1;>txt_BPID=%2";
    row("inquiry, stored") << in.arg("0", "ORDERS01") << loaded + "mode=MODE;key=0101|ORDERS01;ComandBtn_0.enabled=1";
    row("inquiry, new") << "txt_Yosikisyubetu=11;" + in.arg("0", "NEWKEY01")
                        << unloaded + "hold=9;msg=5;key=|;txt_Yosikisyubetu=11;ComandBtn_0.enabled=0";
    row("register, stored") << in.arg("1", "ORDERS01") << unloaded + "hold=9;msg=6;mode=MODE";
    row("register, new") << in.arg("1", "NEWKEY01") << unloaded + "hold=0;mode=BODY;key=0101|NEWKEY01;ComandBtn_1.enabled=1";
    row("modify, stored") << in.arg("2", "ORDERS01") << loaded + "mode=BODY";
    row("delete, stored") << in.arg("9", "ORDERS01") << loaded + "mode=MODE";
    row("modify, code unknown") << "lbl_JohoKbn=old;txt_Yosikisyubetu=11;" + in.arg("2", "ORDERS01").replace("=0101", "=77")
                                << "hold=9;msg=2;lbl_JohoKbn=;txt_Yosikisyubetu=11;key=|";
    row("existence unreadable") << "fail=FormatExists;" + in.arg("2", "ORDERS01") << unloaded + "hold=9;msg=5";
    // On the line screen the same key goes back to the lines; another asks first.
    row("lines, same key") << kShipping + ">txt_BPID=SHIPNT01" << "hold=-1;focus=txt_KomokuNo;E=6";
    row("lines, other key, cancel") << kShipping + "txt_JohoKbn=0101;answer=2;>txt_BPID=ORDERS01"
                                    << "hold=9;msg=ask;box=51|;txt_JohoKbn=0201;txt_BPID=SHIPNT01;lbl_JohoKbn=出荷案内;E=6;key=0201|SHIPNT01";
    row("lines, other key, no") << kShipping + "txt_JohoKbn=0101;answer=7;>txt_BPID=ORDERS01"
                                << "hold=-1;msg=ask;E=0;Lis_Hyojun.rows=0;focus=txt_KomokuNo;key=0101|ORDERS01;txt_Yosikisyubetu=11";
    // A stored header as stored: one box for each code without a name; a
    // null or blank setting shown empty and not looked up.
    row("stored header, unknown codes") << "open=0 0101 ODDCODES"
        << "msg=notfound/notfound;txt_Yosikisyubetu=99;lbl_Yosikisyubetu=;txt_SintaxID= V9;txt_KakunoMode=S;lbl_KakunoMode=ｼﾝｸﾞﾙ;"
           "txt_1ByteMijiSyugo=;txt_2ByteMijiSyugo=Z;lbl_LocalKeishiki=ﾃｷｽﾄ;txt_XMLmojiCode= ";

    // Detail settings: defaults, lookups, the storage mode by 様式種別.
    row("form id default") << kNew + ">txt_Yosikisyubetu=" << "hold=0;txt_Yosikisyubetu=11;lbl_Yosikisyubetu=CII標準 Ver1.1";
    row("syntax default") << kNew + ">txt_SintaxID=" << "hold=0;txt_SintaxID=CII111";
    row("storage of 11") << kNew + "txt_Yosikisyubetu=11;>txt_KakunoMode=" << "hold=0;txt_KakunoMode=M;lbl_KakunoMode=ﾏﾙﾁ";
    row("storage of 20") << kNew + "txt_Yosikisyubetu=20;>txt_KakunoMode=" << "hold=0;txt_KakunoMode=M";
    row("storage of 10") << kNew + "txt_Yosikisyubetu=10;>txt_KakunoMode=" << "hold=0;txt_KakunoMode=S;lbl_KakunoMode=ｼﾝｸﾞﾙ";
    row("storage of 12") << kNew + "txt_Yosikisyubetu=12;>txt_KakunoMode=" << "hold=9;msg=notfound;txt_KakunoMode=";
    row("1-byte default") << kNew + ">txt_1ByteMijiSyugo=" << "hold=0;txt_1ByteMijiSyugo=S";
    row("1-byte unknown") << kNew + "lbl_1ByteMijiSyugo=old;>txt_1ByteMijiSyugo=Q" << "hold=9;msg=notfound;box=0|;lbl_1ByteMijiSyugo=";
    row("2-byte default") << kNew + ">txt_2ByteMijiSyugo=" << "hold=0;txt_2ByteMijiSyugo=S;lbl_2ByteMijiSyugo=ｼﾌﾄJIS";
    row("local form default") << kNew + ">txt_LocalKeishiki=" << "hold=0;txt_LocalKeishiki=T;lbl_LocalKeishiki=ﾃｷｽﾄ";
    row("XML from the 2-byte set") << kNew + "txt_2ByteMijiSyugo=U;>txt_XMLmojiCode="
        << "hold=-1;txt_XMLmojiCode=U;lbl_XMLmojiCode=UTF-8;Frame_0.visible=1;PGID=G4502002;focus=txt_KomokuNo";
    row("XML unknown") << kNew + ">txt_XMLmojiCode=Q" << "hold=9;msg=notfound;Frame_0.visible=0";

    // Item number: the dictionary fills the standard pane.
    row("item, leading zeros") << kLines + ">txt_KomokuNo=007"
        << "hold=0;txt_KomokuNo=7;lbl_KomokuNo=送信者ID;lbl_ZokuseiCode=X;lbl_Nagasa=12;lbl_SyosuNagasa=0;lbl_Zokusei=英数字";
    row("item unknown") << kLines + ">txt_KomokuNo=999" << "hold=9;msg=102;txt_KomokuNo=999;lbl_KomokuNo=;lbl_ZokuseiCode=;lbl_Nagasa=;lbl_Zokusei=";
    row("item not numeric") << kLines + ">txt_KomokuNo=12A" << "hold=9;msg=101;txt_KomokuNo=";
    row("item of a group kept") << kLines + "lbl_ZokuseiCode=M;>txt_KomokuNo=3A" << "hold=0;txt_KomokuNo=3";
    // Multi-detail numbers are unique within a layout; 0 is never taken.
    const QString groupE = kShipping + "click=5;>txt_MultiMeisaiBango=", groupL = kShipping + "click=18;>txt_MultiMeisaiBangoLocal=";
    row("number taken") << groupE + "1" << "hold=9;msg=107";
    row("number 0") << groupE + "0" << "hold=0;lbl_KomokuNo=マルチ明細 No.0";
    row("number of letters") << groupE + "AB" << "hold=0;txt_MultiMeisaiBango=0";
    row("other layout's number") << groupE + "2" << "hold=0;lbl_KomokuNo=マルチ明細 No.2";
    row("local number taken") << groupL + "2" << "hold=9;msg=107";
    row("local number free") << groupL + "1" << "hold=0;txt_KomokuMei=マルチ明細 No.1";
    row("own number when edited") << kShipping + "edit=E5;>txt_MultiMeisaiBango=1" << "hold=0;lbl_KomokuTuban=5";
    // Repeat counts: 1 to 31 for a standard group, any number for a local one;
    // Enter commits a new group and hands over to the other pane.
    const QString repeat = kLines + "click=5;>txt_MultiMeisaiBango=2;>txt_Kurikaesisu=";
    const QString localRepeat = kLines + "click=18;>txt_MultiMeisaiBangoLocal=2;>txt_KurikaesisuLocal=";
    row("repeat 31") << repeat + "31" << "hold=-1;E1=E|1|0|0|0|1|0|0|31|マルチ明細 No.2|M|2||;Lis_Hyojun.rows=1;focus=txt_KoteiKomokuTiLocal";
    row("repeat 32") << repeat + "32" << "hold=9;E=0;txt_Kurikaesisu=32";
    row("repeat 0") << repeat + "0" << "hold=9;msg=108;E=0;txt_Kurikaesisu=";
    row("repeat -1") << repeat + "-1" << "hold=9;E=0";
    row("repeat of an item") << kLines + "lbl_ZokuseiCode=X;>txt_Kurikaesisu=ab" << "hold=0;txt_Kurikaesisu=ab";
    row("group length") << kLines + "lbl_ZokuseiCode=M;lbl_Nagasa=10;lbl_SyosuNagasa=2;>txt_Kurikaesisu=3"
                        << "hold=-1;lbl_SyosuNagasa=36;E=0;focus=txt_KoteiKomokuTiLocal";
    row("number taken, Enter") << kShipping + "click=5;txt_MultiMeisaiBango=1;>txt_Kurikaesisu=3" << "hold=-1;msg=107;E=6;focus=txt_MultiMeisaiBango";
    row("to a group") << kLines + "click=5;click=18;>txt_MultiMeisaiBangoLocal=1;>txt_KurikaesisuLocal=3" << "hold=-1;focus=txt_Kurikaesisu";
    row("local repeat 0") << localRepeat + "0" << "hold=-1;L1=L|1|0|0|0|1|0|0|0|マルチ明細 No.2|M|2||;focus=txt_KoteiKomokuTi";
    row("local repeat of letters") << localRepeat + "a" << "hold=9;msg=108;L=0;txt_KurikaesisuLocal=";
    row("local group length") << kLines + "txt_ZokuseiCodeLocal=M;txt_NagasaLocal=10;txt_SyosuNagasaLocal=2;>txt_KurikaesisuLocal=3"
                              << "hold=-1;txt_SyosuNagasaLocal=36;L=0";
    row("group to a local group") << kLines + "click=18;click=5;>txt_MultiMeisaiBango=1;>txt_Kurikaesisu=3"
                                  << "hold=-1;E=1;focus=txt_KurikaesisuLocal";
    // The local item: name, attribute (M only through 明細追加), length and decimals.
    row("name empty") << kLines + "txt_ZokuseiCodeLocal=X;>txt_KomokuMei=" << "hold=9;msg=105";
    row("name empty, group") << kLines + "txt_ZokuseiCodeLocal=M;>txt_KomokuMei=" << "hold=0";
    row("name given") << kLines + ">txt_KomokuMei=品名" << "hold=0";
    const QString attribute = kLines + "txt_SyosuNagasaLocal=2;txt_SyosuNagasaLocal.enabled=0;lbl_ZokuseiCodeLocal=old;>txt_ZokuseiCodeLocal=";
    const QString emptied = "txt_SyosuNagasaLocal=;txt_SyosuNagasaLocal.enabled=0;";
    row("attribute empty") << attribute << "hold=9;msg=106;lbl_ZokuseiCodeLocal=";
    row("attribute M") << attribute + "M" << "hold=9;msg=notfound;lbl_ZokuseiCodeLocal=";
    row("attribute 9") << attribute + "9" << "hold=0;lbl_ZokuseiCodeLocal=数値;txt_SyosuNagasaLocal=2;txt_SyosuNagasaLocal.enabled=1";
    row("attribute N") << attribute + "N" << "hold=0;txt_SyosuNagasaLocal.enabled=1";
    row("attribute X") << attribute + "X" << emptied + "hold=0;lbl_ZokuseiCodeLocal=英数字";
    row("attribute K") << attribute + "K" << emptied + "hold=0";
    row("attribute B unnamed") << attribute + "B" << emptied + "hold=9;msg=notfound";
    row("attribute W") << attribute + "W" << "hold=9;msg=notfound;txt_SyosuNagasaLocal=2";
    const QString local = kLines + "txt_KomokuMei=a;txt_ZokuseiCodeLocal=%1;txt_NagasaLocal=%2;txt_SyosuNagasaLocal=%3;>%4";
    row("length empty") << local.arg("X", "", "", "txt_NagasaLocal=") << "hold=9;msg=103";
    row("9, 5.6") << local.arg("9", "", "6", "txt_NagasaLocal=5") << "hold=9;msg=104;txt_NagasaLocal=5";
    row("9, 5.5") << local.arg("9", "", "5", "txt_NagasaLocal=5") << "hold=0";
    row("N, 31") << local.arg("N", "", "", "txt_NagasaLocal=31") << "hold=9;msg=104";
    row("N, 30") << local.arg("N", "", "", "txt_NagasaLocal=30") << "hold=0";
    row("9, 0") << local.arg("9", "", "", "txt_NagasaLocal=0") << "hold=9;msg=104";
    row("X, 4001") << local.arg("X", "", "", "txt_NagasaLocal=4001") << "hold=9;msg=104";
    row("X, 4000") << local.arg("X", "", "", "txt_NagasaLocal=4000") << "hold=0";
    row("K, -1") << local.arg("K", "", "", "txt_NagasaLocal=-1") << "hold=9;msg=104";
    row("other attribute, 9999") << local.arg("W", "", "", "txt_NagasaLocal=9999") << "hold=0";
    row("decimals 5.6") << local.arg("9", "5", "", "txt_SyosuNagasaLocal=6") << "hold=9;msg=104;txt_SyosuNagasaLocal=6";
    row("decimals of 31") << local.arg("N", "31", "", "txt_SyosuNagasaLocal=0") << "hold=9;msg=104";
    row("decimals of letters") << local.arg("9", "8", "", "txt_SyosuNagasaLocal=A") << "hold=0;txt_SyosuNagasaLocal=0";
    row("decimals of X") << local.arg("X", "8", "", "txt_SyosuNagasaLocal=3") << "hold=0;txt_SyosuNagasaLocal=0";
    // Conversion error: E by default, S refused.
    row("conversion empty") << kLines + ">txt_HenkanErrorTaisyo=" << "hold=0;txt_HenkanErrorTaisyo=E;lbl_HenkanErrorTaisyo=ｴﾗｰ";
    row("conversion W") << kLines + ">txt_HenkanErrorTaisyo=W" << "hold=0;lbl_HenkanErrorTaisyo=警告";
    row("local conversion S") << kLines + "lbl_HenkanErrorTaisyoLocal=old;>txt_HenkanErrorTaisyoLocal=S"
                              << "hold=9;msg=notfound;txt_HenkanErrorTaisyoLocal=S;lbl_HenkanErrorTaisyoLocal=";
    // Fixed values: numeric for 9 and N, at most length + decimals bytes; an
    // accepted one commits the line and hands over to the other pane.
    const QString committed = "hold=-1;E=1;Lis_Hyojun.rows=1;focus=txt_KoteiKomokuTiLocal;";
    const QString committedL = "hold=-1;L=1;Lis_Local.rows=1;focus=txt_KoteiKomokuTi;";
    const QString fixed = kLines + ">txt_KomokuNo=%1;>txt_KoteiKomokuTi=%2";
    row("numeric, letters") << fixed.arg("3", "1A") << "hold=9;msg=103;E=0";
    row("numeric, empty") << fixed.arg("3", "") << committed;
    row("local numeric 12.5") << local.arg("9", "8", "", "txt_KoteiKomokuTiLocal=12.5") << committedL + "L1=L|1|0|0|0|1|8|0|0|a|9||12.5|E";
    row("five letters in 4") << fixed.arg("1", "ABCDE") << "hold=9;msg=104;E=0";
    row("four letters in 4") << fixed.arg("1", "ABCD") << committed + "E1=E|1|0|0|1|1|4|0|0|情報区分コード|X||ABCD|E";
    row("local two full-width in 4") << local.arg("X", "4", "", "txt_KoteiKomokuTiLocal=発注") << committedL;
    row("three full-width in 4") << fixed.arg("1", "発注書") << "hold=9;msg=104;E=0";
    row("local decimals count") << local.arg("N", "3", "2", "txt_KoteiKomokuTiLocal=12345") << committedL;
    row("decimals count") << fixed.arg("307", "1234567890123") << committed;
    row("outside Shift-JIS, 3 in 4") << fixed.arg("1", "ab한") << "hold=9;msg=104;E=0";
    row("outside Shift-JIS, 2 in 4") << fixed.arg("1", "a한") << committed;
    row("no item number") << kLines + ">txt_KoteiKomokuTi=" << "hold=-1;msg=101;E=0;focus=txt_KomokuNo";

    // The OK buttons check the pane in order, stop at the first refusal and select it.
    const QString okE = kLines + "txt_KomokuNo=%1;txt_HenkanErrorTaisyo=%2;click=10";
    row("E accepted") << okE.arg("301", "") << "E1=E|1|0|0|301|1|15|0|0|発注番号|X|||E;Lis_Hyojun.row=0;focus=txt_KomokuNo;txt_KomokuNo=";
    row("E number first") << okE.arg("", "S") << "msg=101;E=0;focus=txt_KomokuNo";
    row("E conversion") << okE.arg("301", "S") << "msg=notfound;E=0;focus=txt_HenkanErrorTaisyo;txt_HenkanErrorTaisyo.selected=1";
    const QString okL = kLines + "txt_KomokuMei=%1;txt_ZokuseiCodeLocal=%2;txt_NagasaLocal=%3;txt_SyosuNagasaLocal=A;"
                                 "txt_HenkanErrorTaisyoLocal=%4;click=24";
    row("L accepted") << okL.arg("数量", "9", "7", "") << "L1=L|1|0|0|0|1|7|0|0|数量|9|||E;focus=txt_KomokuMei";
    row("L name first") << okL.arg("", "", "A", "S") << "msg=105;L=0;focus=txt_KomokuMei";
    row("L attribute") << okL.arg("数量", "", "A", "S") << "msg=106;L=0;focus=txt_ZokuseiCodeLocal";
    row("L digits") << okL.arg("数量", "9", "31", "S") << "msg=104;L=0;focus=txt_NagasaLocal;txt_NagasaLocal.selected=1";
    row("L conversion") << okL.arg("数量", "X", "5", "S") << "msg=notfound;L=0;focus=txt_HenkanErrorTaisyoLocal";
    const QString okG = kShipping + "click=5;txt_MultiMeisaiBango=%1;txt_Kurikaesisu=%2;click=10";
    row("G accepted") << okG.arg("4", "3")
                      << "E7=E|7|0|0|0|33|0|0|3|マルチ明細 No.4|M|4||;txt_KomokuNo.enabled=1;txt_MultiMeisaiBango.enabled=0;focus=txt_KomokuNo";
    row("G number first") << okG.arg("1", "0") << "msg=107;E=6;focus=txt_MultiMeisaiBango;txt_MultiMeisaiBango.selected=1";
    row("G repeat over 31") << okG.arg("4", "40") << "E=6;focus=txt_Kurikaesisu;txt_Kurikaesisu.selected=1";
}

void TestCoreFields::discipline_data()
{
    Columns();
    // The field groups of the modes; a step back from BODY to HEAD to MODE.
    row("MODE") << "mode=MODE" << "fields=100000000000000000000000";
    row("HEAD") << "mode=HEAD" << "fields=011000000000000000000000";
    row("BODY") << "mode=BODY" << "fields=000111111111111111111111";
    row("BODY back") << "mode=BODY;back=1" << "mode=HEAD;fields=011000000000000000000000";
    row("HEAD back") << "mode=HEAD;back=1" << "mode=MODE";
    // The ring: Enter after an accepted check and Down go to the next field
    // that takes the focus, Up to the previous one while the whole text is
    // selected; a refused check keeps the field.
    row("down to the next") << "mode=HEAD;focus=txt_JohoKbn;key=down" << "focus=txt_BPID;consumed=1";
    row("down wraps") << "mode=HEAD;focus=txt_BPID;key=down" << "focus=txt_JohoKbn";
    row("down from the last field") << kLines + "focus=txt_KoteiKomokuTiLocal;key=down" << "focus=txt_JohoKbn";
    row("down to the last field") << kLines + "focus=txt_HenkanErrorTaisyoLocal;key=down" << "focus=txt_KoteiKomokuTiLocal";
    row("down alone in its group") << "key=down" << "focus=txt_SyoriKbn";
    row("locked skipped") << kNew + "txt_SintaxID.locked=1;key=down" << "focus=txt_KakunoMode";
    row("hidden skipped") << kNew + "txt_SintaxID.visible=0;key=down" << "focus=txt_KakunoMode";
    row("disabled skipped") << kLines + "key=down" << "focus=txt_HenkanErrorTaisyo";
    row("designed locked skipped") << kLines + "focus=txt_ZokuseiCodeLocal;key=down" << "focus=txt_NagasaLocal";
    row("enter on a button") << kNew + "focus=ComandBtn_4;key=enter" << "focus=ComandBtn_4;consumed=1";
    row("down on a list") << kLines + "focus=Lis_Hyojun;key=down" << "focus=Lis_Hyojun;consumed=0";
    row("up from an empty field") << kNew + "focus=txt_SintaxID;key=up" << "focus=txt_Yosikisyubetu;consumed=1";
    row("up, whole text selected") << kNew + "txt_SintaxID=CII111;focus=txt_SintaxID;key=up" << "focus=txt_Yosikisyubetu";
    row("up, caret inside") << kNew + "txt_SintaxID=CII111;focus=txt_SintaxID;txt_SintaxID.cursor=3;key=up" << "focus=txt_SintaxID";
    row("up, part selected") << kNew + "txt_SintaxID=CII111;focus=txt_SintaxID;txt_SintaxID.select=0,3;key=up" << "focus=txt_SintaxID";
    row("up skips locked") << kNew + "focus=txt_KakunoMode;txt_SintaxID.locked=1;key=up" << "focus=txt_Yosikisyubetu";
    row("up from the panes") << kLines + "key=up" << "focus=txt_XMLmojiCode";
    row("up to the first") << "mode=MODE;focus=txt_JohoKbn;key=up" << "focus=txt_SyoriKbn";
    row("enter, accepted") << kNew + "key=enter" << "focus=txt_SintaxID;consumed=1";
    row("enter, refused") << kNew + "txt_Yosikisyubetu=12;key=enter" << "msg=notfound;focus=txt_Yosikisyubetu;txt_Yosikisyubetu.selected=1";
    row("enter, item accepted") << kLines + "txt_KomokuNo=7;key=enter" << "focus=txt_HenkanErrorTaisyo";
    row("enter, the check moved it") << kNew + "txt_2ByteMijiSyugo=S;focus=txt_XMLmojiCode;key=enter" << "focus=txt_KomokuNo";
    row("enter through the header") << kNew + "key=enter;key=enter;key=enter;key=enter;key=enter;key=enter"
        << "txt_Yosikisyubetu=11;txt_SintaxID=CII111;txt_KakunoMode=M;lbl_KakunoMode=ﾏﾙﾁ;txt_1ByteMijiSyugo=S;txt_2ByteMijiSyugo=S;"
           "txt_LocalKeishiki=T;focus=txt_XMLmojiCode";
    // Focus colours: entering a field colours it and selects its text, leaving
    // takes the colour; the toolkit's own moves keep the active control.
    const QString key = "txt_JohoKbn=0101;txt_BPID=ORDERS01;ComandBtn_0.enabled=0;focus=txt_JohoKbn;";
    row("entered") << key << "txt_JohoKbn.colour=1;txt_JohoKbn.selected=1;txt_SyoriKbn.colour=0;ComandBtn_0.enabled=0";
    row("left for a list") << key + "focus=Lis_Hyojun" << "txt_JohoKbn.colour=0;focus=Lis_Hyojun";
    row("entered by the toolkit") << key + "focus=Lis_Hyojun;toolkit=txt_BPID" << "txt_BPID.colour=1;focus=Lis_Hyojun";
    row("the category entered") << key + "focus=txt_SyoriKbn" << "txt_JohoKbn.colour=0;txt_SyoriKbn.colour=1;ComandBtn_0.enabled=1";
    row("entered again") << key + "txt_JohoKbn.cursor=0;focus=txt_JohoKbn" << "txt_JohoKbn.selected=0;txt_JohoKbn.colour=1";
    // Automatic advance: a field typed full is checked and left; not with
    // the caret inside, a modifier, the navigation keys or a chord's release.
    const QString id = kNew + "type=", next = "focus=txt_SintaxID;", stays = "focus=txt_Yosikisyubetu;";
    row("typed full") << id + "11;release=1" << next + "lbl_Yosikisyubetu=CII標準 Ver1.1";
    row("not full") << id + "1;release=1" << stays;
    row("caret inside") << id + "11;txt_Yosikisyubetu.cursor=1;release=1" << stays + "txt_Yosikisyubetu.caret=0";
    row("all selected") << id + "11;txt_Yosikisyubetu.select=0,2;release=1" << next;
    row("last selected") << id + "11;txt_Yosikisyubetu.select=1,1;release=1" << next;
    row("first selected") << id + "11;txt_Yosikisyubetu.select=0,1;release=1" << stays;
    row("over the limit, cut") << id + "112;release=2" << stays + "txt_Yosikisyubetu=11;txt_Yosikisyubetu.caret=2";
    row("cut by bytes, then checked") << id + "発注;release=A" << stays + "msg=notfound;txt_Yosikisyubetu=発;txt_Yosikisyubetu.selected=1";
    row("refused, selected") << id + "12;release=2" << stays + "msg=notfound;txt_Yosikisyubetu.selected=1";
    row("with shift") << id + "11;release=shift+1" << stays;
    for (const char* key : {"up", "down", "enter", "esc", "shift", "ctrl", "alt", "win"})
        row(key) << id + "11;release=" + key << stays;
    row("disabled") << id + "11;txt_Yosikisyubetu.enabled=0;release=1" << stays;
    row("chord released") << id + "11;key=alt+1;release=1" << stays;
    row("ctrl chord released") << id + "11;key=ctrl+1;release=1" << stays;
    row("pressed alone again") << id + "11;key=alt+1;key=1;release=1" << next;
    row("check moves the focus") << kNew + "focus=txt_XMLmojiCode;type=S;release=S" << "focus=txt_KomokuNo;Frame_0.visible=1";
    row("the last field never") << kNew + "focus=txt_KoteiKomokuTiLocal;type=" + QString(50, 'A') + ";release=A" << "focus=txt_KoteiKomokuTiLocal";
    row("the category") << "type=2;release=2" << "focus=txt_JohoKbn;lbl_SyoriKbn=修正";
    // A field's text is cut to its byte limit before its check.
    row("cut to 20 bytes") << kLines + ">txt_KomokuMei=" + QString(11, u'あ') << "txt_KomokuMei=" + QString(10, u'あ');
    row("half-width kana, 1 byte each") << kLines + ">txt_KomokuMei=" + QString(21, u'ｱ') << "txt_KomokuMei=" + QString(20, u'ｱ');
    row("cut to 4 digits") << kLines + "txt_ZokuseiCodeLocal=X;>txt_NagasaLocal=12345" << "hold=0;txt_NagasaLocal=1234";
}

void TestCoreFields::inputClasses()
{
    const struct { Field* field; char32_t typed, inserted; } cases[] = {
        {&F().txt_SyoriKbn, U',', 0}, {&F().txt_SyoriKbn, U'a', U'a'}, {&F().txt_JohoKbn, U'a', U'A'}, {&F().txt_JohoKbn, U'"', 0},
        {&F().txt_KomokuNo, U'a', 0}, {&F().txt_KomokuNo, U'9', U'9'}, {&F().txt_KomokuNo, 8, 8}, {&F().txt_KoteiKomokuTi, U'\'', 0}};
    for (const auto& c : cases)
        QCOMPARE(uint(FilterKey(*c.field, c.typed)), uint(c.inserted));
}

QTEST_GUILESS_MAIN(TestCoreFields)
#include "test_core_fields.moc"
