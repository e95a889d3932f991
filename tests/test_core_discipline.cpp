// The field discipline on the form's state alone: the groups of the modes,
// the Enter/arrow ring, the automatic advance of a full field, the input
// classes, the byte limit and the focus colours.

#include "core/fake_world.h"
#include "core/field_discipline.h"
#include "core/key_codes.h"
#include "core/screen_mode.h"

#include <QTest>

using L = QStringList;

namespace {

const QString kNew = QStringLiteral("1 0101 NEWKEY01"), kLines = kNew + " lines";

}  // namespace

class TestCoreDiscipline : public WorldTest {
    Q_OBJECT

private slots:
    void groupsOfTheModes_data();
    void groupsOfTheModes();
    void ring_data();
    void ring();
    void enterThroughTheHeader();
    void automaticAdvance_data();
    void automaticAdvance();
    void chordKeys();
    void inputClasses();
    void byteLimit();
    void focusColours();
};

void TestCoreDiscipline::groupsOfTheModes_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<L>("enabled");
    QTest::newRow("MODE") << "MODE" << L{"txt_SyoriKbn"};
    QTest::newRow("HEAD") << "HEAD" << L{"txt_JohoKbn", "txt_BPID"};
    L body;
    FormState form;
    for (Field* field : form.InputFields())
        body << field->name;
    QTest::newRow("BODY") << "BODY" << body.mid(3);
}

void TestCoreDiscipline::groupsOfTheModes()
{
    QFETCH(QString, mode);
    QFETCH(L, enabled);
    w->Given({"mode=" + mode});
    L now;
    for (Field* field : F().Fields.Fields)
        if (field->enabled)
            now << field->name;
    QCOMPARE(now, enabled);
    const FieldTable& t = F().Fields;
    QCOMPARE((QList<int>{t.FieldCount, t.HeadStart, t.BodyStart, t.StandardPaneStart, t.StandardPaneEnd, t.LastFieldPos}),
             (QList<int>{24, 1, 3, 10, 14, 23}));
    // A step back: BODY to HEAD, HEAD to MODE.
    StepBackMode(F());
    QCOMPARE(F().ScreenMode, mode == QLatin1String("BODY") ? QStringLiteral("HEAD") : QStringLiteral("MODE"));
}

void TestCoreDiscipline::ring_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<L>("given");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focus");
    const int down = vk::Down, up = vk::Up, enter = vk::Return;
    auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
    row("down to the next") << "" << L{"mode=HEAD", "focus=txt_JohoKbn"} << down << "txt_BPID";
    row("down wraps to the first") << "" << L{"mode=HEAD", "focus=txt_BPID"} << down << "txt_JohoKbn";
    row("down from the last field") << kLines << L{"focus=txt_KoteiKomokuTiLocal"} << down << "txt_JohoKbn";
    row("down alone in its group") << "" << L() << down << "txt_SyoriKbn";
    row("locked skipped") << kNew << L{"txt_SintaxID.locked=1"} << down << "txt_KakunoMode";
    row("hidden skipped") << kNew << L{"txt_SintaxID.visible=0"} << down << "txt_KakunoMode";
    row("disabled skipped") << kLines << L() << down << "txt_HenkanErrorTaisyo";
    row("designed locked skipped") << kLines << L{"focus=txt_ZokuseiCodeLocal"} << down << "txt_NagasaLocal";
    row("down on a list") << kLines << L{"focus=Lis_Hyojun"} << down << "Lis_Hyojun";
    row("up from an empty field") << kNew << L{"focus=txt_SintaxID"} << up << "txt_Yosikisyubetu";
    row("up, whole text selected") << kNew << L{"txt_SintaxID=CII111", "focus=txt_SintaxID"} << up << "txt_Yosikisyubetu";
    row("up, caret inside") << kNew << L{"txt_SintaxID=CII111", "focus=txt_SintaxID", "txt_SintaxID.cursor=3"} << up << "txt_SintaxID";
    row("up, part selected") << kNew << L{"txt_SintaxID=CII111", "focus=txt_SintaxID", "txt_SintaxID.select=0,3"} << up << "txt_SintaxID";
    row("up skips locked") << kNew << L{"focus=txt_KakunoMode", "txt_SintaxID.locked=1"} << up << "txt_Yosikisyubetu";
    row("up from the first") << kLines << L{"focus=txt_KomokuNo"} << up << "txt_XMLmojiCode";
    row("up stops at the top") << kNew << L{"focus=txt_Yosikisyubetu"} << up << "txt_Yosikisyubetu";
    row("enter, accepted") << kNew << L{"focus=txt_Yosikisyubetu"} << enter << "txt_SintaxID";
    row("enter, refused") << kNew << L{"txt_Yosikisyubetu=12", "focus=txt_KakunoMode"} << enter << "txt_KakunoMode";
    row("enter, item accepted") << kLines << L{"txt_KomokuNo=7"} << enter << "txt_HenkanErrorTaisyo";
    row("enter, the check moved it") << kNew << L{"txt_2ByteMijiSyugo=S", "focus=txt_XMLmojiCode"} << enter << "txt_KomokuNo";
}

void TestCoreDiscipline::ring()
{
    QFETCH(QString, scenario);
    QFETCH(L, given);
    QFETCH(int, key);
    QFETCH(QString, focus);
    w->Open(scenario);
    w->Given(given);
    w->ask.Take();
    const QString before = w->Focus();
    QCOMPARE(w->Press(key), focus != QLatin1String("Lis_Hyojun"));
    QCOMPARE(w->Focus(), focus);
    QCOMPARE(w->ask.Take(), L(focus == before && key == vk::Return ? 1 : 0, "該当データがありませんでした"));
    if (focus == before && key == vk::Return)
        QCOMPARE(w->Get("txt_KakunoMode.selected"), QStringLiteral("0"));  // empty: nothing to select
}

// Enter from field to field fills the defaults; an accepted XML character
// code opens the line screen with the focus in the first item field.
void TestCoreDiscipline::enterThroughTheHeader()
{
    w->Open(kNew);
    QCOMPARE(w->Focus(), QStringLiteral("txt_Yosikisyubetu"));
    for (int i = 0; i < 6; ++i)
        w->Press(vk::Return);
    const L defaults{"txt_Yosikisyubetu=11", "txt_SintaxID=CII111", "txt_KakunoMode=M", "lbl_KakunoMode=ﾏﾙﾁ",
                     "txt_1ByteMijiSyugo=S", "txt_2ByteMijiSyugo=S", "txt_LocalKeishiki=T", "focus=txt_XMLmojiCode"};
    QCOMPARE(w->Get(defaults), defaults);
    w->Enter(F().txt_2ByteMijiSyugo, "U");
    w->Enter(F().txt_XMLmojiCode, "");
    const L lines{"txt_XMLmojiCode=U", "lbl_XMLmojiCode=UTF-8", "Frame_0.visible=1", "focus=txt_KomokuNo"};
    QCOMPARE(w->Get(lines), lines);
}

void TestCoreDiscipline::automaticAdvance_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<L>("given");  // after the text: the caret
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("shift");
    QTest::addColumn<L>("after");
    auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
    const QString id = QStringLiteral("txt_Yosikisyubetu");
    const L next{"focus=txt_SintaxID"}, stays{"focus=txt_Yosikisyubetu"};
    row("typed full") << id << L() << "11" << int('1') << 0 << next + L{"lbl_Yosikisyubetu=CII標準 Ver1.1"};
    row("not full") << id << L() << "1" << int('1') << 0 << stays;
    row("caret inside") << id << L{"txt_Yosikisyubetu.cursor=1"} << "11" << int('1') << 0 << stays;
    row("all selected") << id << L{"txt_Yosikisyubetu.select=0,2"} << "11" << int('1') << 0 << next;
    row("last selected") << id << L{"txt_Yosikisyubetu.select=1,1"} << "11" << int('1') << 0 << next;
    row("first selected") << id << L{"txt_Yosikisyubetu.select=0,1"} << "11" << int('1') << 0 << stays;
    row("over the limit is cut") << id << L() << "112" << int('2') << 0 << stays + L{"txt_Yosikisyubetu=11", "txt_Yosikisyubetu.caret=2"};
    row("cut by bytes, then checked") << id << L() << "発注" << int('A') << 0 << stays + L{"txt_Yosikisyubetu=発", "txt_Yosikisyubetu.selected=1"};
    row("refused, selected") << id << L() << "12" << int('2') << 0 << stays + L{"txt_Yosikisyubetu.selected=1"};
    row("with shift") << id << L() << "11" << int('1') << kShiftMask << stays;
    for (const int key : {vk::Up, vk::Down, vk::Return, vk::Escape, vk::Shift, vk::Control, vk::Menu, vk::LWin})
        row(qPrintable(QStringLiteral("key %1").arg(key))) << id << L() << "11" << key << 0 << stays;
    row("disabled") << id << L{"txt_Yosikisyubetu.enabled=0"} << "11" << int('1') << 0 << stays;
    row("check moves the focus") << "txt_XMLmojiCode" << L() << "S" << int('S') << 0 << L{"focus=txt_KomokuNo", "Frame_0.visible=1"};
    row("the last field never") << "txt_KoteiKomokuTiLocal" << L() << QString(50, 'A') << int('A') << 0
                                << L{"focus=txt_KoteiKomokuTiLocal", "L=0"};
    row("the first field") << "txt_SyoriKbn" << L{"mode=MODE"} << "2" << int('2') << 0 << L{"focus=txt_JohoKbn", "lbl_SyoriKbn=修正"};
}

void TestCoreDiscipline::automaticAdvance()
{
    QFETCH(QString, field);
    QFETCH(L, given);
    QFETCH(QString, text);
    QFETCH(int, key);
    QFETCH(int, shift);
    QFETCH(L, after);
    w->Open(kNew);
    Field& f = *F().FieldNamed(field);
    w->Given(L{"focus=" + field, field + '=' + text, field + ".cursor=" + QString::number(text.size())} + given);
    const bool notFound = after.contains(field + ".selected=1");
    FieldKeyUp(F(), f, key, shift);
    QCOMPARE(w->Get(after), after);
    QCOMPARE(w->ask.Take(), L(notFound ? 1 : 0, "該当データがありませんでした"));
}

// A key pressed with Alt or Ctrl finishes no field when released; one
// pressed alone again (its chord released elsewhere) does.
void TestCoreDiscipline::chordKeys()
{
    w->Open(kNew);
    Field& f = F().txt_Yosikisyubetu;
    NoteKeyDown(F(), '1', kAltMask);
    NoteKeyDown(F(), '2', kCtrlMask);
    w->Type(f, "11", '1');
    QCOMPARE(w->Focus(), f.name);
    w->Type(f, "11", '2');
    QCOMPARE(w->Focus(), f.name);
    NoteKeyDown(F(), '1', kCtrlMask);
    NoteKeyDown(F(), '1', 0);
    w->Type(f, "11", '1');
    QCOMPARE(w->Focus(), QStringLiteral("txt_SintaxID"));
}

void TestCoreDiscipline::inputClasses()
{
    struct Case { Field* field; char32_t typed, inserted; } cases[] = {
        {&F().txt_SyoriKbn, U',', 0}, {&F().txt_SyoriKbn, U'a', U'a'}, {&F().txt_JohoKbn, U'a', U'A'},
        {&F().txt_JohoKbn, U'"', 0}, {&F().txt_KomokuNo, U'a', 0}, {&F().txt_KomokuNo, U'5', U'5'},
        {&F().txt_KomokuNo, 8, 8}, {&F().txt_KoteiKomokuTi, U'\'', 0}, {&F().txt_KoteiKomokuTi, U'x', U'x'}};
    for (const Case& c : cases)
        QCOMPARE(uint(FilterKey(*c.field, c.typed)), uint(c.inserted));
}

// A field's text is cut to its byte limit before its check.
void TestCoreDiscipline::byteLimit()
{
    const L texts{"txt_KomokuMei=" + QString(11, u'あ'), "txt_NagasaLocal=12345", "txt_KoteiKomokuTi=" + QString(51, u'ｱ'),
                  "txt_BPID=ABCDEFGH"};
    w->Given(texts);
    for (Field* f : {&F().txt_KomokuMei, &F().txt_NagasaLocal, &F().txt_KoteiKomokuTi, &F().txt_BPID})
        FormatFieldText(F(), f->TabIndex);
    FormatFieldText(F(), 24);
    FormatFieldText(F(), -1);
    const L cut{"txt_KomokuMei=" + QString(10, u'あ'), "txt_NagasaLocal=1234", "txt_KoteiKomokuTi=" + QString(50, u'ｱ'),
                "txt_BPID=ABCDEFGH"};
    QCOMPARE(w->Get(cut), cut);
}

// Entering a field gives it the focus colour and selects its text; leaving
// takes the colour; the toolkit's own moves keep the active control.
void TestCoreDiscipline::focusColours()
{
    auto expect = [this](const L& state) { QCOMPARE(w->Get(state), state); };
    w->Given({"txt_JohoKbn=0101", "txt_BPID=ORDERS01", "ComandBtn_0.enabled=0", "focus=txt_JohoKbn"});
    expect({"txt_JohoKbn.colour=1", "txt_JohoKbn.selected=1", "txt_SyoriKbn.colour=0", "focus=txt_JohoKbn", "ComandBtn_0.enabled=0"});
    FocusChanged(F(), &F().Lis_Hyojun);
    expect({"txt_JohoKbn.colour=0", "focus=Lis_Hyojun"});
    FocusChanged(F(), &F().txt_BPID, true);
    expect({"txt_BPID.colour=1", "focus=Lis_Hyojun"});
    FocusChanged(F(), nullptr);
    expect({"txt_BPID.colour=1", "focus=Lis_Hyojun"});
    // Entering the processing category enables 複写 for a complete key.
    FocusChanged(F(), &F().txt_SyoriKbn);
    expect({"txt_BPID.colour=0", "txt_SyoriKbn.colour=1", "ComandBtn_0.enabled=1", "focus=txt_SyoriKbn"});
    // The field entered already is not entered again.
    w->Given({"txt_SyoriKbn.cursor=0"});
    FocusChanged(F(), &F().txt_SyoriKbn);
    expect({"txt_SyoriKbn.selected=0"});
}

QTEST_GUILESS_MAIN(TestCoreDiscipline)
#include "test_core_discipline.moc"
