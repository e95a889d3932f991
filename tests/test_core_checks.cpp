// The checks of the form's fields on its state alone: one row per rule and
// message, from the field's text to the box shown, the hold value, the texts
// and the focus afterwards.

#include "core/command_dispatch.h"
#include "core/fake_world.h"
#include "core/field_checks.h"

#include <QTest>

using L = QStringList;

namespace {

const QString kNotFound = QStringLiteral("該当データがありませんでした");
const QString kNew = QStringLiteral("1 0101 NEWKEY01"), kLines = kNew + " lines", kShipping = "2 0201 SHIPNT01 lines";

// The boxes of a check message number; -1 a code not found.
L B(int number)
{
    static const QMap<int, QString> texts{
        {1, "情報区分ｺｰﾄﾞが入力されていません"}, {2, "情報区分が登録されていません"},
        {3, "ＢＰＩＤが入力されていません"}, {4, "ＢＰＩＤが不正です"},
        {5, "ﾌｫｰﾏｯﾄ情報ﾏｽﾀが登録されていません"}, {6, "ﾌｫｰﾏｯﾄ情報ﾏｽﾀが登録されています"},
        {7, "処理区分が入力されていません"}, {8, "処理区分が登録されていません"},
        {101, "項目Noが入力されていません"}, {102, "項目情報ﾏｽﾀが登録されていません"},
        {103, "数値を入力して下さい"}, {104, "桁数が長さを超えています"}, {105, "項目名称が入力されていません"},
        {106, "属性が不正です"}, {107, "同じマルチ明細番号が登録されています"}, {108, "繰返し数が入力されていません"},
        {-1, kNotFound}, {-2, "更新しますか"}};
    return number ? L{texts.value(number)} : L();
}

}  // namespace

class TestCoreChecks : public WorldTest {
    Q_OBJECT

private slots:
    void fieldCheck_data();
    void fieldCheck();
    void detailSettingsInOrder();
    void storedHeaderWithUnknownCodes();
};

void TestCoreChecks::fieldCheck_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<L>("given");
    QTest::addColumn<QString>("field");  // or ComandBtn_n: the button clicked
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("message");
    QTest::addColumn<int>("hold");
    QTest::addColumn<L>("after");
    const L key{"txt_JohoKbn=0101", "txt_BPID=ORDERS01"};
    auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };

    // Processing category: accepted codes unlock by category; the buttons follow the key.
    row("category 0") << "" << L{"lbl_SyoriKbn=old"} << "txt_SyoriKbn" << "0" << 0 << 0
                      << L{"lbl_SyoriKbn=照会", "mode=HEAD", "txt_Yosikisyubetu.locked=1", "ComandBtn_4.enabled=0",
                           "ComandBtn_0.enabled=0", "ComandBtn_1.enabled=0"};
    row("category 2, key typed") << "" << key << "txt_SyoriKbn" << "2" << 0 << 0
                      << L{"lbl_SyoriKbn=修正", "txt_Yosikisyubetu.locked=0", "ComandBtn_0.enabled=1", "ComandBtn_1.enabled=1"};
    row("category empty") << "" << key + L{"lbl_SyoriKbn=old"} << "txt_SyoriKbn" << "" << 7 << 9
                      << L{"lbl_SyoriKbn=old", "mode=MODE", "ComandBtn_0.enabled=1", "ComandBtn_1.enabled=0"};
    row("category unknown") << "" << L{"lbl_SyoriKbn=old"} << "txt_SyoriKbn" << "5" << 8 << 9
                      << L{"lbl_SyoriKbn=", "mode=MODE", "focus=txt_SyoriKbn"};
    // Information category: the file's codes are padded, typed ones trimmed.
    row("code empty keeps the label") << "" << L{"lbl_JohoKbn=old"} << "txt_JohoKbn" << "" << 1 << 9 << L{"lbl_JohoKbn=old"};
    row("code padded in the file") << "" << L{"lbl_JohoKbn=old"} << "txt_JohoKbn" << "99" << 2 << 9 << L{"lbl_JohoKbn="};
    row("code known") << "" << L() << "txt_JohoKbn" << "0101" << 0 << 0 << L{"lbl_JohoKbn=発注"};

    // BPID: empty or short clears the key and the header but the last pane field.
    const L header{"txt_Yosikisyubetu=11", "lbl_KakunoMode=ﾏﾙﾁ", "lbl_JohoKbn=発注", "txt_KoteiKomokuTi=a",
                   "txt_KoteiKomokuTiLocal=b", "ComandBtn_1.enabled=1"};
    const L cleared{"txt_JohoKbn=", "txt_BPID=", "lbl_JohoKbn=", "txt_Yosikisyubetu=", "lbl_KakunoMode=",
                    "txt_KoteiKomokuTi=", "txt_KoteiKomokuTiLocal=b", "ComandBtn_0.enabled=0", "ComandBtn_1.enabled=0", "key=|"};
    row("bpid empty") << "" << L{"txt_SyoriKbn=2", "txt_JohoKbn=0101"} + header << "txt_BPID" << "" << 3 << 9 << cleared;
    row("bpid of 7") << "" << L{"txt_SyoriKbn=2", "txt_JohoKbn=0101"} + header << "txt_BPID" << "ORDERS0 " << 4 << 9 << cleared;
    const L loaded{"txt_SintaxID=CII111", "lbl_Yosikisyubetu=CII標準 Ver1.1", "lbl_XMLmojiCode=Shift_JIS"};
    const L none{"txt_SintaxID=", "lbl_Yosikisyubetu=", "lbl_XMLmojiCode="};
    row("inquiry, stored") << "" << L{"txt_SyoriKbn=0", "txt_JohoKbn=0101"} << "txt_BPID" << "ORDERS01" << 0 << 0
                           << loaded + L{"mode=MODE", "key=0101|ORDERS01", "ComandBtn_0.enabled=1"};
    row("inquiry, new") << "" << L{"txt_SyoriKbn=0", "txt_JohoKbn=0101", "txt_Yosikisyubetu=11"} << "txt_BPID"
                        << "NEWKEY01" << 5 << 9 << none + L{"key=|", "txt_Yosikisyubetu=11", "ComandBtn_0.enabled=0"};
    row("register, stored") << "" << L{"txt_SyoriKbn=1", "txt_JohoKbn=0101"} << "txt_BPID" << "ORDERS01" << 6 << 9
                            << none + L{"mode=MODE"};
    row("register, new") << "" << L{"txt_SyoriKbn=1", "txt_JohoKbn=0101"} << "txt_BPID" << "NEWKEY01" << 0 << 0
                         << none + L{"mode=BODY", "key=0101|NEWKEY01", "ComandBtn_1.enabled=1"};
    row("modify, stored") << "" << L{"txt_SyoriKbn=2", "txt_JohoKbn=0101"} << "txt_BPID" << "ORDERS01" << 0 << 0
                          << loaded + L{"mode=BODY"};
    row("delete, stored") << "" << L{"txt_SyoriKbn=9", "txt_JohoKbn=0101"} << "txt_BPID" << "ORDERS01" << 0 << 0
                          << loaded + L{"mode=MODE"};
    row("modify, code unknown") << "" << L{"txt_SyoriKbn=2", "txt_JohoKbn=77", "lbl_JohoKbn=old", "txt_Yosikisyubetu=11"}
                                << "txt_BPID" << "ORDERS01" << 2 << 9 << L{"lbl_JohoKbn=", "txt_Yosikisyubetu=11", "key=|"};
    row("existence unreadable") << "" << L{"txt_SyoriKbn=2", "txt_JohoKbn=0101", "fail=FormatExists"}
                                << "txt_BPID" << "ORDERS01" << 5 << 9 << none;
    row("header unreadable") << "" << L{"txt_SyoriKbn=2", "txt_JohoKbn=0101", "fail=ReadHeader"}
                             << "txt_BPID" << "ORDERS01" << 0 << 0 << none + L{"mode=BODY", "key=0101|ORDERS01"};
    // On the line screen: the same key goes back to the lines, another asks first.
    row("lines, same key") << kShipping << L() << "txt_BPID" << "SHIPNT01" << 0 << -1 << L{"focus=txt_KomokuNo", "E=6"};
    row("lines, other key, cancel") << kShipping << L{"txt_JohoKbn=0101", "answer=2"} << "txt_BPID" << "ORDERS01" << -2 << 9
                                    << L{"txt_JohoKbn=0201", "txt_BPID=SHIPNT01", "lbl_JohoKbn=出荷案内", "E=6", "key=0201|SHIPNT01"};
    row("lines, other key, no") << kShipping << L{"txt_JohoKbn=0101", "answer=7"} << "txt_BPID" << "ORDERS01" << -2 << -1
                                << L{"E=0", "Lis_Hyojun.rows=0", "focus=txt_KomokuNo", "key=0101|ORDERS01", "txt_Yosikisyubetu=11"};

    // Detail settings: defaults, lookups, the storage mode by 様式種別.
    row("form id default") << kNew << L() << "txt_Yosikisyubetu" << "" << 0 << 0 << L{"txt_Yosikisyubetu=11", "lbl_Yosikisyubetu=CII標準 Ver1.1"};
    row("syntax default") << kNew << L() << "txt_SintaxID" << "" << 0 << 0 << L{"txt_SintaxID=CII111"};
    row("syntax as typed") << kNew << L() << "txt_SintaxID" << "V9" << 0 << 0 << L{"txt_SintaxID=V9"};
    row("storage of 11") << kNew << L{"txt_Yosikisyubetu=11"} << "txt_KakunoMode" << "" << 0 << 0 << L{"txt_KakunoMode=M", "lbl_KakunoMode=ﾏﾙﾁ"};
    row("storage of 20") << kNew << L{"txt_Yosikisyubetu=20"} << "txt_KakunoMode" << "" << 0 << 0 << L{"txt_KakunoMode=M"};
    row("storage of 10") << kNew << L{"txt_Yosikisyubetu=10"} << "txt_KakunoMode" << "" << 0 << 0 << L{"txt_KakunoMode=S", "lbl_KakunoMode=ｼﾝｸﾞﾙ"};
    row("storage of 12") << kNew << L{"txt_Yosikisyubetu=12"} << "txt_KakunoMode" << "" << -1 << 9 << L{"txt_KakunoMode=", "focus=txt_KakunoMode"};
    row("1-byte default") << kNew << L() << "txt_1ByteMijiSyugo" << "" << 0 << 0 << L{"txt_1ByteMijiSyugo=S"};
    row("1-byte unknown") << kNew << L{"lbl_1ByteMijiSyugo=old"} << "txt_1ByteMijiSyugo" << "Q" << -1 << 9
                          << L{"lbl_1ByteMijiSyugo=", "txt_1ByteMijiSyugo=Q"};
    row("2-byte default") << kNew << L() << "txt_2ByteMijiSyugo" << "" << 0 << 0 << L{"txt_2ByteMijiSyugo=S", "lbl_2ByteMijiSyugo=ｼﾌﾄJIS"};
    row("local form default") << kNew << L() << "txt_LocalKeishiki" << "" << 0 << 0 << L{"txt_LocalKeishiki=T", "lbl_LocalKeishiki=ﾃｷｽﾄ"};
    row("XML from the 2-byte set opens the lines") << kNew << L{"txt_2ByteMijiSyugo=U"} << "txt_XMLmojiCode" << "" << 0 << -1
        << L{"txt_XMLmojiCode=U", "lbl_XMLmojiCode=UTF-8", "Frame_0.visible=1", "PGID=G4502002", "focus=txt_KomokuNo"};
    row("XML unknown") << kNew << L() << "txt_XMLmojiCode" << "Q" << -1 << 9 << L{"Frame_0.visible=0", "focus=txt_XMLmojiCode"};

    // Item number: the dictionary fills the standard pane.
    const L item{"lbl_KomokuNo", "lbl_ZokuseiCode", "lbl_Nagasa", "lbl_SyosuNagasa", "lbl_Zokusei"};
    auto pane = [&item](L values) { for (int i = 0; i < item.size(); ++i) values[i] = item[i] + '=' + values[i]; return values; };
    row("item, leading zeros") << kLines << L() << "txt_KomokuNo" << "007" << 0 << 0
                               << pane({"送信者ID", "X", "12", "0", "英数字"}) + L{"txt_KomokuNo=7"};
    row("item unknown") << kLines << L() << "txt_KomokuNo" << "999" << 102 << 9 << pane({"", "", "", "", ""}) + L{"txt_KomokuNo=999"};
    row("item not numeric") << kLines << L() << "txt_KomokuNo" << "12A" << 101 << 9 << L{"txt_KomokuNo="};
    row("item of a group kept") << kLines << L{"lbl_ZokuseiCode=M"} << "txt_KomokuNo" << "3A" << 0 << 0 << L{"txt_KomokuNo=3"};
    // Multi-detail numbers are unique within a layout, 0 never taken.
    row("number taken") << kShipping << L{"click=5"} << "txt_MultiMeisaiBango" << "1" << 107 << 9 << L{"focus=txt_MultiMeisaiBango"};
    row("number 0") << kShipping << L{"click=5"} << "txt_MultiMeisaiBango" << "0" << 0 << 0 << L{"lbl_KomokuNo=マルチ明細 No.0"};
    row("number of letters") << kShipping << L{"click=5"} << "txt_MultiMeisaiBango" << "AB" << 0 << 0 << L{"txt_MultiMeisaiBango=0"};
    row("other layout's number") << kShipping << L{"click=5"} << "txt_MultiMeisaiBango" << "2" << 0 << 0 << L{"lbl_KomokuNo=マルチ明細 No.2"};
    row("local number taken") << kShipping << L{"click=18"} << "txt_MultiMeisaiBangoLocal" << "2" << 107 << 9 << L();
    row("local number free") << kShipping << L{"click=18"} << "txt_MultiMeisaiBangoLocal" << "1" << 0 << 0 << L{"txt_KomokuMei=マルチ明細 No.1"};
    row("local number of letters") << kShipping << L{"click=18"} << "txt_MultiMeisaiBangoLocal" << "x1" << 0 << 0 << L{"txt_MultiMeisaiBangoLocal=0"};
    row("own number when edited") << kShipping << L{"Lis_Hyojun.row=4", "click=6"} << "txt_MultiMeisaiBango" << "1" << 0 << 0 << L{"lbl_KomokuTuban=5"};
    // Repeat counts: 1..31 for a standard group, any number for a local one;
    // Enter commits a new group and hands over to the other pane.
    const L groupE{"click=5", ">txt_MultiMeisaiBango=2"}, groupL{"click=18", ">txt_MultiMeisaiBangoLocal=2"};
    row("repeat 31") << kLines << groupE << "txt_Kurikaesisu" << "31" << 0 << -1
                     << L{"E1=E|1|0|0|0|1|0|0|31|マルチ明細 No.2|M|2||", "Lis_Hyojun.rows=1", "focus=txt_KoteiKomokuTiLocal"};
    row("repeat 32") << kLines << groupE << "txt_Kurikaesisu" << "32" << 0 << 9 << L{"E=0", "txt_Kurikaesisu=32", "focus=txt_Kurikaesisu"};
    row("repeat 0") << kLines << groupE << "txt_Kurikaesisu" << "0" << 108 << 9 << L{"E=0", "txt_Kurikaesisu="};
    row("repeat -1") << kLines << groupE << "txt_Kurikaesisu" << "-1" << 0 << 9 << L{"E=0"};
    row("repeat of letters") << kLines << groupE << "txt_Kurikaesisu" << "ab" << 108 << 9 << L{"E=0"};
    row("repeat of an item") << kLines << L{"lbl_ZokuseiCode=X"} << "txt_Kurikaesisu" << "ab" << 0 << 0 << L{"txt_Kurikaesisu=ab"};
    row("group length") << kLines << L{"lbl_ZokuseiCode=M", "lbl_Nagasa=10", "lbl_SyosuNagasa=2"} << "txt_Kurikaesisu" << "3"
                        << 0 << -1 << L{"lbl_SyosuNagasa=36", "E=0", "focus=txt_KoteiKomokuTiLocal"};
    row("local repeat 0") << kLines << groupL << "txt_KurikaesisuLocal" << "0" << 0 << -1
                          << L{"L1=L|1|0|0|0|1|0|0|0|マルチ明細 No.2|M|2||", "focus=txt_KoteiKomokuTi"};
    row("local repeat of letters") << kLines << groupL << "txt_KurikaesisuLocal" << "a" << 108 << 9 << L{"L=0"};
    row("local group length") << kLines << L{"txt_ZokuseiCodeLocal=M", "txt_NagasaLocal=10", "txt_SyosuNagasaLocal=2"}
                              << "txt_KurikaesisuLocal" << "3" << 0 << -1 << L{"txt_SyosuNagasaLocal=36", "L=0"};
    row("group hands over to a local group") << kLines << L{"click=18", "click=5", ">txt_MultiMeisaiBango=1"} << "txt_Kurikaesisu"
                                             << "3" << 0 << -1 << L{"E=1", "focus=txt_KurikaesisuLocal"};
    // The local item: name, attribute (M only through 明細追加), length and decimals.
    row("name empty") << kLines << L{"txt_ZokuseiCodeLocal=X"} << "txt_KomokuMei" << "" << 105 << 9 << L();
    row("name empty, group") << kLines << L{"txt_ZokuseiCodeLocal=M"} << "txt_KomokuMei" << "" << 0 << 0 << L();
    row("name given") << kLines << L() << "txt_KomokuMei" << "品名" << 0 << 0 << L();
    const L decimals{"txt_SyosuNagasaLocal=2", "txt_SyosuNagasaLocal.enabled=0", "lbl_ZokuseiCodeLocal=old"};
    row("attribute empty") << kLines << decimals << "txt_ZokuseiCodeLocal" << "" << 106 << 9 << L{"lbl_ZokuseiCodeLocal="};
    row("attribute M") << kLines << decimals << "txt_ZokuseiCodeLocal" << "M" << -1 << 9 << L{"lbl_ZokuseiCodeLocal="};
    row("attribute 9") << kLines << decimals << "txt_ZokuseiCodeLocal" << "9" << 0 << 0
                       << L{"lbl_ZokuseiCodeLocal=数値", "txt_SyosuNagasaLocal=2", "txt_SyosuNagasaLocal.enabled=1"};
    row("attribute N") << kLines << decimals << "txt_ZokuseiCodeLocal" << "N" << 0 << 0 << L{"txt_SyosuNagasaLocal.enabled=1"};
    const L noDecimals{"txt_SyosuNagasaLocal=", "txt_SyosuNagasaLocal.enabled=0"};
    row("attribute X") << kLines << L{"txt_SyosuNagasaLocal=2"} << "txt_ZokuseiCodeLocal" << "X" << 0 << 0
                       << noDecimals + L{"lbl_ZokuseiCodeLocal=英数字"};
    row("attribute K") << kLines << L{"txt_SyosuNagasaLocal=2"} << "txt_ZokuseiCodeLocal" << "K" << 0 << 0 << noDecimals;
    row("attribute B unnamed") << kLines << L{"txt_SyosuNagasaLocal=2"} << "txt_ZokuseiCodeLocal" << "B" << -1 << 9 << noDecimals;
    row("attribute W") << kLines << decimals << "txt_ZokuseiCodeLocal" << "W" << -1 << 9 << L{"txt_SyosuNagasaLocal=2"};
    auto local = [](const char* attribute, const char* length, const char* decimals) {
        return L{QStringLiteral("txt_KomokuMei=a"), QStringLiteral("txt_ZokuseiCodeLocal=") + attribute,
                 QStringLiteral("txt_NagasaLocal=") + length, QStringLiteral("txt_SyosuNagasaLocal=") + decimals};
    };
    row("length empty") << kLines << local("X", "", "") << "txt_NagasaLocal" << "" << 103 << 9 << L();
    row("9, 5.6") << kLines << local("9", "", "6") << "txt_NagasaLocal" << "5" << 104 << 9 << L{"txt_NagasaLocal=5"};
    row("9, 5.5") << kLines << local("9", "", "5") << "txt_NagasaLocal" << "5" << 0 << 0 << L();
    row("N, 31") << kLines << local("N", "", "") << "txt_NagasaLocal" << "31" << 104 << 9 << L();
    row("N, 30") << kLines << local("N", "", "") << "txt_NagasaLocal" << "30" << 0 << 0 << L();
    row("9, 0") << kLines << local("9", "", "") << "txt_NagasaLocal" << "0" << 104 << 9 << L();
    row("X, 4001") << kLines << local("X", "", "") << "txt_NagasaLocal" << "4001" << 104 << 9 << L();
    row("X, 4000") << kLines << local("X", "", "") << "txt_NagasaLocal" << "4000" << 0 << 0 << L();
    row("K, -1") << kLines << local("K", "", "") << "txt_NagasaLocal" << "-1" << 104 << 9 << L();
    row("other attribute, 9999") << kLines << local("W", "", "") << "txt_NagasaLocal" << "9999" << 0 << 0 << L();
    row("decimals 5.6") << kLines << local("9", "5", "") << "txt_SyosuNagasaLocal" << "6" << 104 << 9 << L{"txt_SyosuNagasaLocal=6"};
    row("decimals of 31") << kLines << local("N", "31", "") << "txt_SyosuNagasaLocal" << "0" << 104 << 9 << L();
    row("decimals of letters") << kLines << local("9", "8", "") << "txt_SyosuNagasaLocal" << "A" << 0 << 0 << L{"txt_SyosuNagasaLocal=0"};
    row("decimals of X") << kLines << local("X", "8", "") << "txt_SyosuNagasaLocal" << "3" << 0 << 0 << L{"txt_SyosuNagasaLocal=0"};
    // Conversion error: E by default, S refused.
    row("conversion empty") << kLines << L() << "txt_HenkanErrorTaisyo" << "" << 0 << 0
                            << L{"txt_HenkanErrorTaisyo=E", "lbl_HenkanErrorTaisyo=ｴﾗｰ"};
    row("conversion W") << kLines << L() << "txt_HenkanErrorTaisyo" << "W" << 0 << 0 << L{"lbl_HenkanErrorTaisyo=警告"};
    row("local conversion empty") << kLines << L() << "txt_HenkanErrorTaisyoLocal" << "" << 0 << 0
                                  << L{"txt_HenkanErrorTaisyoLocal=E", "lbl_HenkanErrorTaisyoLocal=ｴﾗｰ"};
    row("local conversion S") << kLines << L{"lbl_HenkanErrorTaisyoLocal=old"} << "txt_HenkanErrorTaisyoLocal" << "S" << -1 << 9
                              << L{"txt_HenkanErrorTaisyoLocal=S", "lbl_HenkanErrorTaisyoLocal="};
    // Fixed values: numeric for 9/N, at most length + decimals bytes; an
    // accepted one commits the line and hands over to the other pane.
    const L committedE{"E=1", "Lis_Hyojun.rows=1", "focus=txt_KoteiKomokuTiLocal"}, refusedE{"E=0", "focus=txt_KoteiKomokuTi"};
    const L committedL{"L=1", "Lis_Local.rows=1", "focus=txt_KoteiKomokuTi"}, refusedL{"L=0", "focus=txt_KoteiKomokuTiLocal"};
    row("numeric, letters") << kLines << L{">txt_KomokuNo=3"} << "txt_KoteiKomokuTi" << "1A" << 103 << 9 << refusedE;
    row("numeric, empty") << kLines << L{">txt_KomokuNo=3"} << "txt_KoteiKomokuTi" << "" << 0 << -1 << committedE;
    row("local numeric 12.5") << kLines << local("9", "8", "") << "txt_KoteiKomokuTiLocal" << "12.5" << 0 << -1
                              << committedL + L{"L1=L|1|0|0|0|1|8|0|0|a|9||12.5|E"};
    row("five letters in 4") << kLines << L{">txt_KomokuNo=1"} << "txt_KoteiKomokuTi" << "ABCDE" << 104 << 9 << refusedE;
    row("four letters in 4") << kLines << L{">txt_KomokuNo=1"} << "txt_KoteiKomokuTi" << "ABCD" << 0 << -1
                             << committedE + L{"E1=E|1|0|0|1|1|4|0|0|情報区分コード|X||ABCD|E"};
    row("local two full-width in 4") << kLines << local("X", "4", "") << "txt_KoteiKomokuTiLocal" << "発注" << 0 << -1 << committedL;
    row("three full-width in 4") << kLines << L{">txt_KomokuNo=1"} << "txt_KoteiKomokuTi" << "発注書" << 104 << 9 << refusedE;
    row("local decimals count") << kLines << local("N", "3", "2") << "txt_KoteiKomokuTiLocal" << "12345" << 0 << -1 << committedL;
    row("decimals count") << kLines << L{">txt_KomokuNo=307"} << "txt_KoteiKomokuTi" << "1234567890123" << 0 << -1 << committedE;
    row("outside Shift-JIS, 3 in 4") << kLines << L{">txt_KomokuNo=1"} << "txt_KoteiKomokuTi" << "ab한" << 104 << 9 << refusedE;
    row("outside Shift-JIS, 2 in 4") << kLines << L{">txt_KomokuNo=1"} << "txt_KoteiKomokuTi" << "a한" << 0 << -1 << committedE;
    row("no item number") << kLines << L() << "txt_KoteiKomokuTi" << "" << 101 << -1 << L{"E=0", "focus=txt_KomokuNo"};

    // The OK buttons check the pane in order, stop at the first refusal and select it.
    auto standard = [](const char* number, const char* conversion) {
        return L{QStringLiteral("txt_KomokuNo=") + number, QStringLiteral("txt_HenkanErrorTaisyo=") + conversion};
    };
    row("E accepted") << kLines << standard("301", "") << "ComandBtn_10" << "" << 0 << 0
                      << L{"E1=E|1|0|0|301|1|15|0|0|発注番号|X|||E", "Lis_Hyojun.row=0", "focus=txt_KomokuNo", "txt_KomokuNo="};
    row("E number first") << kLines << standard("", "S") << "ComandBtn_10" << "" << 101 << 0 << L{"E=0", "focus=txt_KomokuNo"};
    row("E conversion") << kLines << standard("301", "S") << "ComandBtn_10" << "" << -1 << 0
                        << L{"E=0", "focus=txt_HenkanErrorTaisyo", "txt_HenkanErrorTaisyo.selected=1"};
    auto full = [&local](const char* name, const char* attribute, const char* length, const char* conversion) {
        L values = local(attribute, length, "A");
        values[0] = QStringLiteral("txt_KomokuMei=") + name;
        return values << QStringLiteral("txt_HenkanErrorTaisyoLocal=") + conversion;
    };
    row("L accepted") << kLines << full("数量", "9", "7", "") << "ComandBtn_24" << "" << 0 << 0
                      << L{"L1=L|1|0|0|0|1|7|0|0|数量|9|||E", "focus=txt_KomokuMei"};
    row("L name first") << kLines << full("", "", "A", "S") << "ComandBtn_24" << "" << 105 << 0
                        << L{"L=0", "focus=txt_KomokuMei"};
    row("L attribute") << kLines << full("数量", "", "A", "S") << "ComandBtn_24" << "" << 106 << 0
                       << L{"L=0", "focus=txt_ZokuseiCodeLocal"};
    row("L digits") << kLines << full("数量", "9", "31", "S") << "ComandBtn_24" << "" << 104 << 0
                    << L{"L=0", "focus=txt_NagasaLocal", "txt_NagasaLocal.selected=1"};
    row("L conversion") << kLines << full("数量", "X", "5", "S") << "ComandBtn_24" << "" << -1 << 0
                        << L{"L=0", "focus=txt_HenkanErrorTaisyoLocal"};
    row("G accepted") << kShipping << L{"click=5", "txt_MultiMeisaiBango=4", "txt_Kurikaesisu=3"} << "ComandBtn_10" << ""
                      << 0 << 0 << L{"E7=E|7|0|0|0|33|0|0|3|マルチ明細 No.4|M|4||", "E=7"};
    row("G number first") << kShipping << L{"click=5", "txt_MultiMeisaiBango=1", "txt_Kurikaesisu=0"} << "ComandBtn_10" << ""
                          << 107 << 0 << L{"E=6", "focus=txt_MultiMeisaiBango", "txt_MultiMeisaiBango.selected=1"};
    row("G repeat over 31") << kShipping << L{"click=5", "txt_MultiMeisaiBango=4", "txt_Kurikaesisu=40"} << "ComandBtn_10" << ""
                            << 0 << 0 << L{"E=6", "focus=txt_Kurikaesisu", "txt_Kurikaesisu.selected=1"};
}

void TestCoreChecks::fieldCheck()
{
    QFETCH(QString, scenario);
    QFETCH(L, given);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(int, message);
    QFETCH(int, hold);
    QFETCH(L, after);
    w->Open(scenario);
    w->Given(given);
    w->ask.Take();
    if (field.startsWith(QLatin1String("ComandBtn_"))) {
        ComandBtnClick(F(), field.mid(10).toInt());
    } else {
        QCOMPARE(w->Check(*F().FieldNamed(field), typed), qint16(hold));
        if (hold == 0 || hold == 9)
            QVERIFY(w->Focus() == field);
    }
    for (const Box& box : w->ask.boxes)
        QCOMPARE(box.style, box.text == kNotFound ? 0 : box.text == B(-2)[0] ? msg::YesNoCancel | msg::Exclamation
                                                                           : msg::Exclamation);
    QCOMPARE(w->ask.Take(), B(message));
    QCOMPARE(w->Get(after), after);
}

// Before an update every setting is checked in a fixed order; the first
// refusal stops the check and nothing opens.
void TestCoreChecks::detailSettingsInOrder()
{
    w->Open(kNew);
    w->Given({"txt_KakunoMode=Q", "txt_SintaxID=", "txt_XMLmojiCode="});
    QCOMPARE(CheckDetailSettings(F()), qint16(9));
    QCOMPARE(w->ask.Take(), L{kNotFound});
    QCOMPARE(w->Get(L{"txt_Yosikisyubetu=11", "txt_1ByteMijiSyugo=", "txt_SintaxID="}),
             L({"txt_Yosikisyubetu=11", "txt_1ByteMijiSyugo=", "txt_SintaxID="}));
    w->Given({"txt_KakunoMode=S", "txt_2ByteMijiSyugo=U"});
    QCOMPARE(CheckDetailSettings(F()), qint16(0));
    const L all{"txt_1ByteMijiSyugo=S", "txt_2ByteMijiSyugo=U", "txt_LocalKeishiki=T", "txt_SintaxID=CII111",
                "txt_XMLmojiCode=U", "Frame_0.visible=0"};
    QCOMPARE(w->Get(all), all);
}

// A stored header is shown as stored: codes without a name are named in one
// box each, in order; a null or blank setting is shown empty and not looked up.
void TestCoreChecks::storedHeaderWithUnknownCodes()
{
    w->store.formats[QStringLiteral("0101|ODDCODES")].header = HeaderSettings{"99", "V9", " S ", QVariant(), "Z", "T", " "};
    QCOMPARE(w->KeyIn(QStringLiteral("0"), QStringLiteral("0101"), QStringLiteral("ODDCODES")), (L{kNotFound, kNotFound}));
    const L shown{"txt_Yosikisyubetu=99", "lbl_Yosikisyubetu=", "txt_SintaxID=V9", "txt_KakunoMode=S", "lbl_KakunoMode=ｼﾝｸﾞﾙ",
                  "txt_1ByteMijiSyugo=", "txt_2ByteMijiSyugo=Z", "lbl_LocalKeishiki=ﾃｷｽﾄ", "txt_XMLmojiCode= "};
    QCOMPARE(w->Get(shown), shown);
}

QTEST_GUILESS_MAIN(TestCoreChecks)
#include "test_core_checks.moc"
