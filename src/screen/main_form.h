#pragma once
// The main form F_K450120: its controls, laid out as designed, and the state
// of the run that the form's operations share.

#include "core/form_state.h"
#include "screen/field_edit.h"
#include "screen/form_binding.h"
#include "screen/prompts.h"
#include "store/config.h"
#include "store/connection.h"
#include "store/format_store.h"
#include "store/lookups.h"
#include "store/system_profile.h"

#include <QWidget>

#include <array>
#include <memory>

class QGroupBox;
class QLabel;
class ItemListBox;
class QPushButton;

// The widgets of the form show its state (State): every operation of the
// operator runs on the state, which the binding then copies into them.
class F_K450120 : public QWidget, private FieldHost {
    Q_OBJECT
public:
    // The site is found from the program's folder (EDI.ini two levels above it).
    explicit F_K450120(const QString& programFolder, QWidget* parent = nullptr);
    ~F_K450120() override;

    // Input fields, in tab order.
    FieldEdit* txt_SyoriKbn;
    FieldEdit* txt_JohoKbn;
    FieldEdit* txt_BPID;
    FieldEdit* txt_Yosikisyubetu;
    FieldEdit* txt_SintaxID;
    FieldEdit* txt_KakunoMode;
    FieldEdit* txt_1ByteMijiSyugo;
    FieldEdit* txt_2ByteMijiSyugo;
    FieldEdit* txt_LocalKeishiki;
    FieldEdit* txt_XMLmojiCode;
    FieldEdit* txt_KomokuNo;
    FieldEdit* txt_MultiMeisaiBango;
    FieldEdit* txt_Kurikaesisu;
    FieldEdit* txt_HenkanErrorTaisyo;
    FieldEdit* txt_KoteiKomokuTi;
    FieldEdit* txt_KomokuMei;
    FieldEdit* txt_ZokuseiCodeLocal;
    FieldEdit* txt_ZokuseiLocal;
    FieldEdit* txt_NagasaLocal;
    FieldEdit* txt_SyosuNagasaLocal;
    FieldEdit* txt_MultiMeisaiBangoLocal;
    FieldEdit* txt_KurikaesisuLocal;
    FieldEdit* txt_HenkanErrorTaisyoLocal;
    FieldEdit* txt_KoteiKomokuTiLocal;

    // Value labels.
    QLabel* lbl_SyoriKbn;
    QLabel* lbl_JohoKbn;
    QLabel* lbl_Yosikisyubetu;
    QLabel* lbl_KakunoMode;
    QLabel* lbl_1ByteMijiSyugo;
    QLabel* lbl_2ByteMijiSyugo;
    QLabel* lbl_LocalKeishiki;
    QLabel* lbl_XMLmojiCode;
    QLabel* lbl_KomokuTuban;
    QLabel* lbl_TaioKomokuTuban;
    QLabel* lbl_LevelBango;
    QLabel* lbl_KomokuNo;
    QLabel* lbl_ZokuseiCode;
    QLabel* lbl_Zokusei;
    QLabel* lbl_Nagasa;
    QLabel* lbl_SyosuNagasa;
    QLabel* lbl_HenkanErrorTaisyo;
    QLabel* lbl_KomokuTubanLocal;
    QLabel* lbl_TaioKomokuTubanLocal;
    QLabel* lbl_LevelBangoLocal;
    QLabel* lbl_KomokuNoIti;
    QLabel* lbl_ZokuseiCodeLocal;
    QLabel* lbl_HenkanErrorTaisyoLocal;
    QLabel* lbl_DummyLabel;

    // Program id, operator and date; the hidden carrier Dummy2.
    QLabel* PGID;
    QLabel* OP_CD;
    QLabel* OP_NM;
    QLabel* HIDUKE;
    QLabel* Dummy2;

    ItemListBox* Lis_Hyojun;
    ItemListBox* Lis_Local;
    std::array<QPushButton*, 25> ComandBtn{};
    std::array<QGroupBox*, 2> Frame{};
    std::array<QLabel*, 2> FrameBase{};

    // State of the run.
    FormState State;
    const QString ProgramFolder;
    EnvironmentSettings Environment;
    DisplaySettings Display;
    FurtherSettings Further;
    SystemProfile Profile;
    Connection Db;

    // Runs an operation of the state: the operator's edits go into the state
    // first, the state into the widgets afterwards (also before each box the
    // operation shows).
    template <typename Operation>
    decltype(auto) Run(Operation operation)
    {
        struct Depth {
            F_K450120& form;
            explicit Depth(F_K450120& f) : form(f)
            {
                if (form.depth_++ == 0)
                    form.Binding().Pull();
            }
            ~Depth()
            {
                // Focus moves while the state is copied are not the operator's.
                if (form.depth_ == 1)
                    form.Binding().Push();
                --form.depth_;
            }
        } depth(*this);
        return operation(State);
    }
    FormBinding& Binding() { return *binding_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void WireEvents();
    void FocusChanged(QWidget* now);
    // FieldHost
    char32_t FieldKeyPress(FieldEdit* field, char32_t key) override;
    void FieldKeyUp(FieldEdit* field, int keyCode, int shift) override;

    SiteLookups lookups_;
    SqlFormatStore store_;
    DialogPrompts prompts_;
    std::unique_ptr<FormBinding> binding_;
    int depth_ = 0;
    QMetaObject::Connection focusTracking_;
};
