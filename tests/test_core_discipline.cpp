// The field discipline on the form's state alone: the groups of the modes,
// the Enter and arrow ring, the automatic advance of a full field, the input
// classes, the byte limit and the focus colours.

#include "core/fake_world.h"
#include "core/field_discipline.h"

class TestCoreDiscipline : public WorldTest {
    Q_OBJECT

private slots:
    void discipline_data();
    void discipline() { Run(); }
    void inputClasses();
};

void TestCoreDiscipline::discipline_data()
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
    row("caret inside") << id + "11;txt_Yosikisyubetu.cursor=1;release=1" << stays;
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

void TestCoreDiscipline::inputClasses()
{
    const struct { Field* field; char32_t typed, inserted; } cases[] = {
        {&F().txt_SyoriKbn, U',', 0}, {&F().txt_SyoriKbn, U'a', U'a'}, {&F().txt_JohoKbn, U'a', U'A'}, {&F().txt_JohoKbn, U'"', 0},
        {&F().txt_KomokuNo, U'a', 0}, {&F().txt_KomokuNo, U'9', U'9'}, {&F().txt_KomokuNo, 8, 8}, {&F().txt_KoteiKomokuTi, U'\'', 0}};
    for (const auto& c : cases)
        QCOMPARE(uint(FilterKey(*c.field, c.typed)), uint(c.inserted));
}

QTEST_GUILESS_MAIN(TestCoreDiscipline)
#include "test_core_discipline.moc"
