#pragma once
// What the main form shows and holds, as plain values: every control as the
// text and states the operator sees, the field table, the lines being edited,
// the key and the screen mode. The screen copies this into its widgets after
// each operation and the operator's edits back before the next.

#include "core/format_lines.h"
#include "core/ports.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// A control's rectangle in twips; the layout switch moves a few controls.
struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Twips& o) const
    {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

struct Control {
    explicit Control(const char* controlName, const Control* inFrame = nullptr)
        : name(QLatin1String(controlName)), frame(inFrame)
    {
    }
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const QString name;
    const Control* const frame;  // the frame it lies in, or none
    QString text;
    bool enabled = true;
    bool visible = true;
    Twips geometry;

    // Visible on the screen: itself and its frame.
    bool Shown() const { return visible && (!frame || frame->visible); }
    void clear() { text.clear(); }
};

// What the screen does with a field's caret once it has copied the text.
enum class CaretRequest { None, SelectAll, End };

// An input field of the field table.
struct Field : Control {
    Field(const char* controlName, int byteLimit, const char* cls, const Control* inFrame = nullptr)
        : Control(controlName, inFrame), MaxLength(byteLimit), inputClass(QLatin1String(cls))
    {
    }
    int MaxLength;       // Shift-JIS bytes; 0 = no limit
    QString inputClass;  // "2", "2U" or "3"
    bool locked = false;
    int TabIndex = -1;   // position in the field table
    bool focusColour = false;  // TextFocusColor rather than TextBackColor
    CaretRequest caret = CaretRequest::None;
    // The caret as the screen last copied it (characters).
    int cursor = 0;
    int selectionStart = -1;  // -1: no selection
    int selectionLength = 0;
};

// A line list: as many rows as it shows of its table, and the selected one.
struct LineList : Control {
    LineList(const char* controlName, const ItemTable& lines, bool isLocal, const Control* inFrame)
        : Control(controlName, inFrame), table(lines), local(isLocal)
    {
    }
    const ItemTable& table;
    const bool local;
    int rows = 0;          // rows shown: the table's count at the last fill
    int currentRow = -1;
    quint64 revision = 0;  // counts fills, so the screen knows to repaint

    int count() const { return rows; }
    // Shows the table's current lines; nothing is selected afterwards.
    void Refill()
    {
        rows = table.Count();
        currentRow = -1;
        ++revision;
    }
    void Clear()
    {
        rows = 0;
        currentRow = -1;
        ++revision;
    }
    void setCurrentRow(int row) { currentRow = row >= 0 && row < rows ? row : -1; }
};

// The field discipline's table: the fields in tab order with their classes
// and groups, and where the focus is.
struct FieldTable {
    int FieldCount = 0;
    std::vector<Field*> Fields;
    QStringList FieldGroup;
    int HeadStart = 0;
    int BodyStart = 0;
    int StandardPaneStart = 0;
    int StandardPaneEnd = 0;
    int LastFieldPos = 0;

    // The control focused last by the operator or an operation. It stays on a
    // field that a change of the enabled group disabled (the toolkit then
    // pushes the focus on by itself), so that the next field is found from it.
    Control* Active = nullptr;
    // The field that was entered last and not left since (it has the focus colour).
    Field* Entered = nullptr;
    // Keys pressed with Alt or Ctrl: their release finishes no field.
    QSet<int> ChordKeys;

    Field* ActiveField() const;
    // Field position of the active control; FieldCount for any other control.
    int ActivePosition() const;
};

class FormState {
public:
    FormState();
    FormState(const FormState&) = delete;
    FormState& operator=(const FormState&) = delete;

    // Where the form reaches the operator and the database.
    Prompts* Ask = nullptr;
    Lookups* Look = nullptr;
    FormatStore* Store = nullptr;

    std::array<Control, 2> Frame{Control("Frame_0"), Control("Frame_1")};
    std::array<Control, 2> FrameBase{Control("FrameBase_0"), Control("FrameBase_1")};

    // Input fields, in tab order.
    Field txt_SyoriKbn{"txt_SyoriKbn", 1, "2"};
    Field txt_JohoKbn{"txt_JohoKbn", 4, "2U"};
    Field txt_BPID{"txt_BPID", 8, "2U"};
    Field txt_Yosikisyubetu{"txt_Yosikisyubetu", 2, "2"};
    Field txt_SintaxID{"txt_SintaxID", 6, "2U"};
    Field txt_KakunoMode{"txt_KakunoMode", 1, "2U"};
    Field txt_1ByteMijiSyugo{"txt_1ByteMijiSyugo", 1, "2U"};
    Field txt_2ByteMijiSyugo{"txt_2ByteMijiSyugo", 1, "2U"};
    Field txt_LocalKeishiki{"txt_LocalKeishiki", 1, "2U"};
    Field txt_XMLmojiCode{"txt_XMLmojiCode", 1, "2U"};
    Field txt_KomokuNo{"txt_KomokuNo", 6, "3", &Frame[0]};
    Field txt_MultiMeisaiBango{"txt_MultiMeisaiBango", 5, "2U", &Frame[0]};
    Field txt_Kurikaesisu{"txt_Kurikaesisu", 6, "3", &Frame[0]};
    Field txt_HenkanErrorTaisyo{"txt_HenkanErrorTaisyo", 1, "2U", &Frame[0]};
    Field txt_KoteiKomokuTi{"txt_KoteiKomokuTi", 50, "2", &Frame[0]};
    Field txt_KomokuMei{"txt_KomokuMei", 20, "2", &Frame[1]};
    Field txt_ZokuseiCodeLocal{"txt_ZokuseiCodeLocal", 1, "2U", &Frame[1]};
    Field txt_ZokuseiLocal{"txt_ZokuseiLocal", 0, "2", &Frame[1]};
    Field txt_NagasaLocal{"txt_NagasaLocal", 4, "3", &Frame[1]};
    Field txt_SyosuNagasaLocal{"txt_SyosuNagasaLocal", 2, "3", &Frame[1]};
    Field txt_MultiMeisaiBangoLocal{"txt_MultiMeisaiBangoLocal", 6, "2", &Frame[1]};
    Field txt_KurikaesisuLocal{"txt_KurikaesisuLocal", 4, "3", &Frame[1]};
    Field txt_HenkanErrorTaisyoLocal{"txt_HenkanErrorTaisyoLocal", 6, "2U", &Frame[1]};
    Field txt_KoteiKomokuTiLocal{"txt_KoteiKomokuTiLocal", 50, "2", &Frame[1]};

    // Value labels.
    Control lbl_SyoriKbn{"lbl_SyoriKbn"};
    Control lbl_JohoKbn{"lbl_JohoKbn"};
    Control lbl_Yosikisyubetu{"lbl_Yosikisyubetu"};
    Control lbl_KakunoMode{"lbl_KakunoMode"};
    Control lbl_1ByteMijiSyugo{"lbl_1ByteMijiSyugo"};
    Control lbl_2ByteMijiSyugo{"lbl_2ByteMijiSyugo"};
    Control lbl_LocalKeishiki{"lbl_LocalKeishiki"};
    Control lbl_XMLmojiCode{"lbl_XMLmojiCode"};
    Control lbl_KomokuTuban{"lbl_KomokuTuban", &Frame[0]};
    Control lbl_TaioKomokuTuban{"lbl_TaioKomokuTuban", &Frame[0]};
    Control lbl_LevelBango{"lbl_LevelBango", &Frame[0]};
    Control lbl_KomokuNo{"lbl_KomokuNo", &Frame[0]};
    Control lbl_ZokuseiCode{"lbl_ZokuseiCode", &Frame[0]};
    Control lbl_Zokusei{"lbl_Zokusei", &Frame[0]};
    Control lbl_Nagasa{"lbl_Nagasa", &Frame[0]};
    Control lbl_SyosuNagasa{"lbl_SyosuNagasa", &Frame[0]};
    Control lbl_HenkanErrorTaisyo{"lbl_HenkanErrorTaisyo", &Frame[0]};
    Control lbl_KomokuTubanLocal{"lbl_KomokuTubanLocal", &Frame[1]};
    Control lbl_TaioKomokuTubanLocal{"lbl_TaioKomokuTubanLocal", &Frame[1]};
    Control lbl_LevelBangoLocal{"lbl_LevelBangoLocal", &Frame[1]};
    Control lbl_KomokuNoIti{"lbl_KomokuNoIti", &Frame[1]};
    Control lbl_ZokuseiCodeLocal{"lbl_ZokuseiCodeLocal", &Frame[1]};
    Control lbl_HenkanErrorTaisyoLocal{"lbl_HenkanErrorTaisyoLocal", &Frame[1]};
    Control lbl_DummyLabel{"lbl_DummyLabel"};

    // Program id, operator and date; the hidden carrier Dummy2.
    Control PGID{"PGID"};
    Control OP_CD{"OP_CD"};
    Control OP_NM{"OP_NM"};
    Control HIDUKE{"HIDUKE"};
    Control Dummy2{"Dummy2"};

    // The lines being edited; the lists show them.
    FormatLines Lines;
    LineList Lis_Hyojun{"Lis_Hyojun", Lines.StandardItems, false, &Frame[0]};
    LineList Lis_Local{"Lis_Local", Lines.LocalItems, true, &Frame[1]};

    std::array<Control, 25> ComandBtn{
        Control("ComandBtn_0"), Control("ComandBtn_1"), Control("ComandBtn_2"),
        Control("ComandBtn_3"), Control("ComandBtn_4", &Frame[0]),
        Control("ComandBtn_5", &Frame[0]), Control("ComandBtn_6", &Frame[0]),
        Control("ComandBtn_7", &Frame[0]), Control("ComandBtn_8", &Frame[0]),
        Control("ComandBtn_9", &Frame[0]), Control("ComandBtn_10", &Frame[0]),
        Control("ComandBtn_11", &Frame[0]), Control("ComandBtn_12"), Control("ComandBtn_13"),
        Control("ComandBtn_14"), Control("ComandBtn_15"), Control("ComandBtn_16"),
        Control("ComandBtn_17", &Frame[1]), Control("ComandBtn_18", &Frame[1]),
        Control("ComandBtn_19", &Frame[1]), Control("ComandBtn_20", &Frame[1]),
        Control("ComandBtn_21", &Frame[1]), Control("ComandBtn_22", &Frame[1]),
        Control("ComandBtn_23", &Frame[1]), Control("ComandBtn_24", &Frame[1])};

    // State of the run.
    FieldTable Fields;
    QString ScreenMode;
    InformationCategories Categories;
    // The key that the last key check accepted; empty when the check refused
    // it or the processing category was entered since. Nothing is written
    // under another key.
    FormatKey AcceptedKey;
    // Its header row as this desk last read or wrote it (empty: none), the
    // baseline of every write together with the lines' (FormatLines): a
    // write that finds the stored format otherwise meets another desk's
    // change and is refused.
    QByteArray StoredHeader;
    // Set by the confirmed exit; the program then ends with status 0.
    bool ExitConfirmed = false;

    // The 24 input fields in tab order.
    std::vector<Field*> InputFields();
    // Every control with state, for the screen to bind by name.
    std::vector<Control*> Controls();
    Field* FieldNamed(const QString& name);
};
