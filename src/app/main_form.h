#pragma once
// The main form F_K450120: its controls, laid out as designed, and the state
// of the run that the form's operations share.

#include "core/format_lines.h"
#include "format/information_categories.h"
#include "shell/config.h"
#include "shell/connection.h"
#include "shell/field_edit.h"
#include "shell/field_table.h"
#include "shell/system_profile.h"

#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class ItemListBox;
class QPushButton;

class F_K450120 : public QWidget {
    Q_OBJECT
public:
    explicit F_K450120(QWidget* parent = nullptr);
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
    QString ProgramFolder;
    EnvironmentSettings Environment;
    DisplaySettings Display;
    FurtherSettings Further;
    SystemProfile Profile;
    Connection Db;
    FieldTable Fields;
    QString ScreenMode;
    InformationCategories Categories;
    FormatLines Lines;
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

    // The 24 input fields with their input classes, in tab order.
    QVector<FieldSpec> FieldSpecs() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void WireEvents();
};
