#include "screen/main_form.h"

#include "core/command_dispatch.h"
#include "core/field_discipline.h"
#include "core/header_flow.h"
#include "core/key_codes.h"
#include "screen/dialogs.h"
#include "screen/item_list_box.h"
#include "screen/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kRow = 390;          // height of one pane row
constexpr int kBox = 330;          // height of a text box or value label
constexpr int kCaptionWidth = 1250;

QLabel* MakeLabel(QWidget* parent, const char* name, int left, int top, int width, int height,
                  const QString& text = QString(), bool boxed = true)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    if (boxed) {
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
    }
    label->setAccessibleName(text.isEmpty() ? QLatin1String(name) : text);
    SetTwipsGeometry(label, left, top, width, height);
    return label;
}

// A caption label of the designed look ("Label<n>"), never cleared or decorated.
QLabel* MakeCaption(QWidget* parent, int& counter, int left, int top, int width,
                    const QString& text, int height = kBox)
{
    const QByteArray name = "Label" + QByteArray::number(++counter);
    auto* caption = MakeLabel(parent, name.constData(), left, top, width, height, text, false);
    caption->setFrameShape(QFrame::StyledPanel);
    caption->setAlignment(Qt::AlignCenter);
    return caption;
}

FieldEdit* MakeField(QWidget* parent, const char* name, int maxLength, int left, int top,
                     int width, const QString& caption)
{
    auto* field = new FieldEdit(parent);
    field->setObjectName(QLatin1String(name));
    Q_UNUSED(maxLength);  // the state's field has it
    field->setAccessibleName(caption.isEmpty() ? QLatin1String(name) : caption);
    SetTwipsGeometry(field, left, top, width, kBox);
    return field;
}

}  // namespace

F_K450120::F_K450120(const QString& programFolder, QWidget* parent)
    : QWidget(parent),
      ProgramFolder(programFolder),
      lookups_(Db, ProgramFolder),
      store_(Db),
      prompts_(this, [this] { Binding().Push(); })
{
    setObjectName(QStringLiteral("F_K450120"));
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    State.Ask = &prompts_;
    State.Look = &lookups_;
    State.Store = &store_;
    BuildControls();
    binding_ = std::make_unique<FormBinding>(State, this);
    WireEvents();
}

F_K450120::~F_K450120()
{
    qApp->removeEventFilter(this);
    disconnect(focusTracking_);
    for (FieldEdit* field : findChildren<FieldEdit*>())
        field->SetHost(nullptr);
}

void F_K450120::BuildControls()
{
    int n = 0;  // caption label counter
    setFixedSize(ToPixels(15120), ToPixels(10380));

    // Title row.
    PGID = MakeLabel(this, "PGID", 120, 60, 1200, kBox, QStringLiteral("G4502001"));
    auto* title = MakeLabel(this, "Label", 4560, 30, 6000, 390,
                            QString::fromUtf8(kApplicationTitle), false);
    title->setAlignment(Qt::AlignCenter);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    title->setFont(titleFont);
    MakeCaption(this, n, 10800, 60, 900, QStringLiteral("担当者"));
    OP_CD = MakeLabel(this, "OP_CD", 11715, 60, 1000, kBox);
    OP_NM = MakeLabel(this, "OP_NM", 12730, 60, 900, kBox);
    HIDUKE = MakeLabel(this, "HIDUKE", 13650, 60, 1350, kBox);
    HIDUKE->setAlignment(Qt::AlignCenter);

    // Processing category and key.
    MakeCaption(this, n, 210, 450, 1650, QStringLiteral("処理区分"));
    txt_SyoriKbn = MakeField(this, "txt_SyoriKbn", 1, 1875, 450, 400, QStringLiteral("処理区分"));
    lbl_SyoriKbn = MakeLabel(this, "lbl_SyoriKbn", 2290, 450, 1400, kBox);
    MakeLabel(this, "Label_SyoriKbnGuide", 3750, 450, 4300, kBox,
              QStringLiteral("(0：照会，1：登録，2：修正 9：削除）"), false);
    FrameBase[0] = MakeLabel(this, "FrameBase_0", 210, 840, 1650, 330,
                             QStringLiteral("情報区分ｺｰﾄﾞ"), false);
    txt_JohoKbn = MakeField(this, "txt_JohoKbn", 4, 1875, 840, 700, QStringLiteral("情報区分ｺｰﾄﾞ"));
    lbl_JohoKbn = MakeLabel(this, "lbl_JohoKbn", 2590, 840, 2500, kBox);
    FrameBase[1] = MakeLabel(this, "FrameBase_1", 210, 1200, 1650, 345,
                             QStringLiteral("ＢＰＩＤ"), false);
    txt_BPID = MakeField(this, "txt_BPID", 8, 1875, 1200, 1500, QStringLiteral("ＢＰＩＤ"));
    txt_BPID->resize(txt_BPID->width(), ToPixels(345));
    for (QLabel* base : FrameBase) {
        base->setFrameShape(QFrame::StyledPanel);
        base->setAlignment(Qt::AlignCenter);
    }

    // Form buttons 0 to 3.
    const char* const formCaptions[] = {"複写（C)", "詳細設定( I )", "OK", "ｷｬﾝｾﾙ"};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QPushButton(QString::fromUtf8(formCaptions[i]), this);
        SetTwipsGeometry(button, 9120 + i * 1470, 420, 1410, 420);
        ComandBtn[i] = button;
    }

    // Detail settings.
    struct Detail {
        const char* field;
        const char* label;
        const char* caption;
        int maxLength;
        int width;
    };
    const Detail details[] = {
        {"txt_Yosikisyubetu", "lbl_Yosikisyubetu", "様式種別", 2, 500},
        {"txt_SintaxID", nullptr, "ｼﾝﾀｯｸｽIDﾊﾞｰｼﾞｮﾝ", 6, 1100},
        {"txt_KakunoMode", "lbl_KakunoMode", "格納ﾓｰﾄﾞ", 1, 400},
        {"txt_1ByteMijiSyugo", "lbl_1ByteMijiSyugo", "１ﾊﾞｲﾄ文字集合", 1, 400},
        {"txt_2ByteMijiSyugo", "lbl_2ByteMijiSyugo", "２ﾊﾞｲﾄ文字集合", 1, 400},
        {"txt_LocalKeishiki", "lbl_LocalKeishiki", "ﾛｰｶﾙ形式", 1, 400},
        {"txt_XMLmojiCode", "lbl_XMLmojiCode", "XML文字ｺｰﾄﾞ", 1, 400},
    };
    FieldEdit** detailFields[] = {&txt_Yosikisyubetu, &txt_SintaxID, &txt_KakunoMode,
                                  &txt_1ByteMijiSyugo, &txt_2ByteMijiSyugo,
                                  &txt_LocalKeishiki, &txt_XMLmojiCode};
    QLabel** detailLabels[] = {&lbl_Yosikisyubetu, nullptr, &lbl_KakunoMode,
                               &lbl_1ByteMijiSyugo, &lbl_2ByteMijiSyugo,
                               &lbl_LocalKeishiki, &lbl_XMLmojiCode};
    MakeCaption(this, n, 210, 1770, 2400, QStringLiteral("詳細設定"))->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int i = 0; i < 7; ++i) {
        const int top = 2220 + i * 420;
        const QString caption = QString::fromUtf8(details[i].caption);
        MakeCaption(this, n, 210, top, 2400, caption);
        *detailFields[i] = MakeField(this, details[i].field, details[i].maxLength, 2640, top,
                                     details[i].width, caption);
        if (detailLabels[i])
            *detailLabels[i] = MakeLabel(this, details[i].label, 3200, top, 3600, kBox);
    }

    // The two layout frames (hidden until the line screen is shown).
    const char* const frameTitles[] = {"EIAJ/CII 標準ﾒｯｾｰｼﾞ", "ﾛｰｶﾙﾌｧｲﾙ"};
    const int frameLefts[] = {210, 8310};
    for (int i = 0; i < 2; ++i) {
        Frame[i] = new QGroupBox(QString::fromUtf8(frameTitles[i]), this);
        Frame[i]->setObjectName(QStringLiteral("Frame_%1").arg(i));
        Frame[i]->setAccessibleName(QString::fromUtf8(frameTitles[i]));
        Frame[i]->setAutoFillBackground(true);
        SetTwipsGeometry(Frame[i], frameLefts[i], 1190, 6600, 9100);
        Frame[i]->setVisible(false);
    }
    const int listWidth = 6360;
    QWidget* f0 = Frame[0];
    QWidget* f1 = Frame[1];
    MakeLabel(f0, "Label_HyojunHead", 120, 300, listWidth, 270, QStringLiteral("項目No．項目名"), false);
    MakeLabel(f1, "Label_LocalHead", 120, 300, listWidth, 270, QStringLiteral("項目位置  項目名"), false);
    Lis_Hyojun = new ItemListBox(State.Lis_Hyojun, f0);
    Lis_Local = new ItemListBox(State.Lis_Local, f1);
    Lis_Hyojun->setObjectName(QStringLiteral("Lis_Hyojun"));
    Lis_Local->setObjectName(QStringLiteral("Lis_Local"));
    Lis_Hyojun->setAccessibleName(QString::fromUtf8(frameTitles[0]));
    Lis_Local->setAccessibleName(QString::fromUtf8(frameTitles[1]));
    for (ItemListBox* list : {Lis_Hyojun, Lis_Local}) {
        SetTwipsGeometry(list, 120, 570, listWidth, 4200);
        QFont mono = list->font();
        mono.setFamilies({QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("monospace")});
        list->setFont(mono);
    }

    // Standard pane.
    int y = 4890;
    MakeCaption(f0, n, 120, y, kCaptionWidth, QStringLiteral("項目通番"));
    lbl_KomokuTuban = MakeLabel(f0, "lbl_KomokuTuban", 1390, y, 700, kBox);
    MakeCaption(f0, n, 2160, y, kCaptionWidth, QStringLiteral("対応項目通番"));
    lbl_TaioKomokuTuban = MakeLabel(f0, "lbl_TaioKomokuTuban", 3430, y, 700, kBox);
    MakeCaption(f0, n, 4200, y, 1100, QStringLiteral("ﾚﾍﾞﾙ番号"));
    lbl_LevelBango = MakeLabel(f0, "lbl_LevelBango", 5320, y, 500, kBox);
    y += kRow;
    MakeCaption(f0, n, 120, y, kCaptionWidth, QStringLiteral("項目No."));
    txt_KomokuNo = MakeField(f0, "txt_KomokuNo", 6, 1390, y, 900, QStringLiteral("項目No．項目名"));
    lbl_KomokuNo = MakeLabel(f0, "lbl_KomokuNo", 2310, y, 4170, kBox);
    y += kRow;
    MakeCaption(f0, n, 120, y, kCaptionWidth, QStringLiteral("属 性"));
    lbl_ZokuseiCode = MakeLabel(f0, "lbl_ZokuseiCode", 1390, y, 400, kBox);
    lbl_Zokusei = MakeLabel(f0, "lbl_Zokusei", 1810, y, 1500, kBox);
    MakeCaption(f0, n, 3330, y, 700, QStringLiteral("長 さ"));
    lbl_Nagasa = MakeLabel(f0, "lbl_Nagasa", 4050, y, 600, kBox);
    MakeCaption(f0, n, 4670, y, 1150, QStringLiteral("少数部長さ"));
    lbl_SyosuNagasa = MakeLabel(f0, "lbl_SyosuNagasa", 5840, y, 640, kBox);
    y += kRow;
    MakeCaption(f0, n, 120, y, kCaptionWidth, QStringLiteral("ﾏﾙﾁ明細番号"));
    txt_MultiMeisaiBango = MakeField(f0, "txt_MultiMeisaiBango", 5, 1390, y, 800, QStringLiteral("ﾏﾙﾁ明細番号"));
    MakeCaption(f0, n, 2310, y, 1000, QStringLiteral("繰返し数"));
    txt_Kurikaesisu = MakeField(f0, "txt_Kurikaesisu", 6, 3330, y, 900, QStringLiteral("繰返し数"));
    y += kRow;
    MakeCaption(f0, n, 120, y, kCaptionWidth, QStringLiteral("変換ｴﾗｰ対処"));
    txt_HenkanErrorTaisyo = MakeField(f0, "txt_HenkanErrorTaisyo", 1, 1390, y, 400, QStringLiteral("変換ｴﾗｰ対処"));
    lbl_HenkanErrorTaisyo = MakeLabel(f0, "lbl_HenkanErrorTaisyo", 1810, y, 2400, kBox);
    y += kRow;
    MakeCaption(f0, n, 120, y, kCaptionWidth, QStringLiteral("固定項目値"));
    txt_KoteiKomokuTi = MakeField(f0, "txt_KoteiKomokuTi", 50, 1390, y, 5090, QStringLiteral("固定項目値"));

    // Local pane.
    y = 4890;
    MakeCaption(f1, n, 120, y, kCaptionWidth, QStringLiteral("項目通番"));
    lbl_KomokuTubanLocal = MakeLabel(f1, "lbl_KomokuTubanLocal", 1390, y, 700, kBox);
    MakeCaption(f1, n, 2160, y, kCaptionWidth, QStringLiteral("対応項目通番"));
    lbl_TaioKomokuTubanLocal = MakeLabel(f1, "lbl_TaioKomokuTubanLocal", 3430, y, 700, kBox);
    MakeCaption(f1, n, 4200, y, 1100, QStringLiteral("ﾚﾍﾞﾙ番号"));
    lbl_LevelBangoLocal = MakeLabel(f1, "lbl_LevelBangoLocal", 5320, y, 500, kBox);
    y += kRow;
    MakeCaption(f1, n, 120, y, kCaptionWidth, QStringLiteral("項目位置"));
    lbl_KomokuNoIti = MakeLabel(f1, "lbl_KomokuNoIti", 1390, y, 900, kBox);
    MakeCaption(f1, n, 2310, y, 1000, QStringLiteral("項目名称"));
    txt_KomokuMei = MakeField(f1, "txt_KomokuMei", 20, 3330, y, 3150, QStringLiteral("項目名称"));
    y += kRow;
    MakeCaption(f1, n, 120, y, kCaptionWidth, QStringLiteral("属 性"));
    txt_ZokuseiCodeLocal = MakeField(f1, "txt_ZokuseiCodeLocal", 1, 1390, y, 400, QStringLiteral("属 性"));
    txt_ZokuseiLocal = MakeField(f1, "txt_ZokuseiLocal", 0, 1810, y, 300, QStringLiteral("txt_ZokuseiLocal"));
    lbl_ZokuseiCodeLocal = MakeLabel(f1, "lbl_ZokuseiCodeLocal", 2130, y, 1900, kBox);
    y += kRow;
    MakeCaption(f1, n, 120, y, kCaptionWidth, QStringLiteral("長 さ"));
    txt_NagasaLocal = MakeField(f1, "txt_NagasaLocal", 4, 1390, y, 700, QStringLiteral("長 さ"));
    MakeCaption(f1, n, 2310, y, 1000, QStringLiteral("小数部長さ"));
    txt_SyosuNagasaLocal = MakeField(f1, "txt_SyosuNagasaLocal", 2, 3330, y, 500, QStringLiteral("小数部長さ"));
    y += kRow;
    MakeCaption(f1, n, 120, y, kCaptionWidth, QStringLiteral("ﾏﾙﾁ明細番号"));
    txt_MultiMeisaiBangoLocal = MakeField(f1, "txt_MultiMeisaiBangoLocal", 6, 1390, y, 900, QStringLiteral("ﾏﾙﾁ明細番号"));
    MakeCaption(f1, n, 2310, y, 1000, QStringLiteral("繰返し数"));
    txt_KurikaesisuLocal = MakeField(f1, "txt_KurikaesisuLocal", 4, 3330, y, 700, QStringLiteral("繰返し数"));
    y += kRow;
    MakeCaption(f1, n, 120, y, kCaptionWidth, QStringLiteral("変換ｴﾗｰ対処"));
    txt_HenkanErrorTaisyoLocal = MakeField(f1, "txt_HenkanErrorTaisyoLocal", 6, 1390, y, 900, QStringLiteral("変換ｴﾗｰ対処"));
    lbl_HenkanErrorTaisyoLocal = MakeLabel(f1, "lbl_HenkanErrorTaisyoLocal", 2310, y, 2400, kBox);
    y += kRow;
    MakeCaption(f1, n, 120, y, kCaptionWidth, QStringLiteral("固定項目値"));
    txt_KoteiKomokuTiLocal = MakeField(f1, "txt_KoteiKomokuTiLocal", 50, 1390, y, 5090, QStringLiteral("固定項目値"));

    // Pane buttons: 4 to 11 in frame 0, 17 to 24 in frame 1, two rows of four.
    const char* const standardCaptions[] = {"項目追加（A)", "明細追加（M)", "編集（E)", "上へ移動",
                                            "削除（D)", "下へ移動", "OK", "ｷｬﾝｾﾙ"};
    const char* const localCaptions[] = {"項目追加（A)", "明細追加（M)", "編集（E)", "上へ移動",
                                         "削除（D)", "下へ移動", "ｷｬﾝｾﾙ", "OK"};
    for (int i = 0; i < 8; ++i) {
        const int left = 120 + (i % 4) * 1600;
        const int top = 7710 + (i / 4) * 480;
        auto* standard = new QPushButton(QString::fromUtf8(standardCaptions[i]), f0);
        SetTwipsGeometry(standard, left, top, 1560, 420);
        ComandBtn[4 + i] = standard;
        auto* local = new QPushButton(QString::fromUtf8(localCaptions[i]), f1);
        SetTwipsGeometry(local, left, top, 1560, 420);
        ComandBtn[17 + i] = local;
    }

    // Form buttons 12 to 16, placed between the frames on the line screen.
    const char* const linkCaptions[] = {"ﾘﾝｸ作成（L)", "ﾘﾝｸ解除（C)", "一括ﾘﾝｸ（M)", "ｷｬﾝｾﾙ", "終了"};
    const int linkTops[] = {2400, 2940, 3480, 6600, 7140};
    for (int i = 0; i < 5; ++i) {
        auto* button = new QPushButton(QString::fromUtf8(linkCaptions[i]), this);
        SetTwipsGeometry(button, 6870, linkTops[i], 1380, 450);
        button->setVisible(false);
        ComandBtn[12 + i] = button;
    }
    for (int i = 0; i < 25; ++i) {
        ComandBtn[i]->setObjectName(QStringLiteral("ComandBtn_%1").arg(i));
        ComandBtn[i]->setAccessibleName(ComandBtn[i]->text());
        ComandBtn[i]->setAutoDefault(false);
    }

    // Hidden carriers of the copy source and the appended lookup condition.
    Dummy2 = MakeLabel(this, "Dummy2", 0, 0, 100, 100);
    Dummy2->setVisible(false);
    lbl_DummyLabel = MakeLabel(this, "lbl_DummyLabel", 0, 0, 100, 100);
    lbl_DummyLabel->setVisible(false);

    // Focus order after the fields: lists, then buttons.
    QWidget* previous = txt_KoteiKomokuTiLocal;
    for (QWidget* w : std::initializer_list<QWidget*>{Lis_Hyojun, Lis_Local}) {
        QWidget::setTabOrder(previous, w);
        previous = w;
    }
    for (QPushButton* button : ComandBtn) {
        QWidget::setTabOrder(previous, button);
        previous = button;
    }
}

void F_K450120::WireEvents()
{
    qApp->installEventFilter(this);
    for (FieldEdit* field : findChildren<FieldEdit*>())
        field->SetHost(this);
    focusTracking_ = connect(qApp, &QApplication::focusChanged, this,
                             [this](QWidget*, QWidget* now) { FocusChanged(now); });
    for (int i = 0; i < 25; ++i)
        connect(ComandBtn[i], &QPushButton::clicked, this,
                [this, i] { Run([i](FormState& s) { ComandBtnClick(s, i); }); });
    connect(Lis_Hyojun, &ItemListBox::DblClick, this,
            [this] { Run([](FormState& s) { ComandBtnClick(s, 6); }); });
    connect(Lis_Local, &ItemListBox::DblClick, this,
            [this] { Run([](FormState& s) { ComandBtnClick(s, 19); }); });
}

// The operator (or the toolkit) moved the focus; moves made by an operation
// are the state's own and come back through the binding.
void F_K450120::FocusChanged(QWidget* now)
{
    if (depth_ > 0 || !now || now->window() != this)
        return;
    Control* control = Binding().ControlOf(now);
    if (!control || control == State.Fields.Active)
        return;
    Run([control](FormState& s) { ::FocusChanged(s, control); });
}

char32_t F_K450120::FieldKeyPress(FieldEdit* edit, char32_t key)
{
    Field* field = Binding().FieldOf(edit);
    if (!field)
        return key;
    field->text = edit->text();
    return FilterKey(*field, key);
}

void F_K450120::FieldKeyUp(FieldEdit* edit, int keyCode, int shift)
{
    if (Field* field = Binding().FieldOf(edit))
        Run([field, keyCode, shift](FormState& s) { ::FieldKeyUp(s, *field, keyCode, shift); });
}

void F_K450120::closeEvent(QCloseEvent* event)
{
    if (!State.ExitConfirmed)
        Run([](FormState& s) { ConfirmExit(s); });
    if (!State.ExitConfirmed) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::exit(0);
}

bool F_K450120::eventFilter(QObject* watched, QEvent* event)
{
    // Form-level key preview: an application filter sees each key twice
    // (window, then widget); act once, on widgets of this form.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this || QApplication::activeModalWidget())
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const int code = VirtualKey(key->key());
    const int shift = ShiftState(key->modifiers());
    bool consumed = false;
    Run([&](FormState& s) {
        NoteKeyDown(s, code, shift);
        consumed = DispatchFormKey(s, code, shift);
    });
    if (State.ExitConfirmed)
        close();
    // Enter and Escape insert nothing and cause no beep.
    return consumed || code == vk::Return || code == vk::Escape;
}
