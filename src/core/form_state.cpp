#include "core/form_state.h"

Field* FieldTable::ActiveField() const
{
    for (Field* field : Fields)
        if (field == Active)
            return field;
    return nullptr;
}

int FieldTable::ActivePosition() const
{
    const Field* field = ActiveField();
    return field ? field->TabIndex : FieldCount;
}

FormState::FormState()
{
    for (Control& frame : Frame)
        frame.visible = false;
    for (int i = 12; i <= 16; ++i)
        ComandBtn[i].visible = false;
    Dummy2.visible = false;
    lbl_DummyLabel.visible = false;
    // Designed locked: nothing fills it, so Enter passes over it.
    txt_ZokuseiLocal.locked = true;
    PGID.text = QStringLiteral("G4502001");
}

std::vector<Field*> FormState::InputFields()
{
    return {&txt_SyoriKbn,          &txt_JohoKbn,           &txt_BPID,
            &txt_Yosikisyubetu,     &txt_SintaxID,          &txt_KakunoMode,
            &txt_1ByteMijiSyugo,    &txt_2ByteMijiSyugo,    &txt_LocalKeishiki,
            &txt_XMLmojiCode,       &txt_KomokuNo,          &txt_MultiMeisaiBango,
            &txt_Kurikaesisu,       &txt_HenkanErrorTaisyo, &txt_KoteiKomokuTi,
            &txt_KomokuMei,         &txt_ZokuseiCodeLocal,  &txt_ZokuseiLocal,
            &txt_NagasaLocal,       &txt_SyosuNagasaLocal,  &txt_MultiMeisaiBangoLocal,
            &txt_KurikaesisuLocal,  &txt_HenkanErrorTaisyoLocal, &txt_KoteiKomokuTiLocal};
}

std::vector<Control*> FormState::Controls()
{
    std::vector<Control*> all;
    for (Field* field : InputFields())
        all.push_back(field);
    for (Control* label :
         {&lbl_SyoriKbn, &lbl_JohoKbn, &lbl_Yosikisyubetu, &lbl_KakunoMode, &lbl_1ByteMijiSyugo,
          &lbl_2ByteMijiSyugo, &lbl_LocalKeishiki, &lbl_XMLmojiCode, &lbl_KomokuTuban,
          &lbl_TaioKomokuTuban, &lbl_LevelBango, &lbl_KomokuNo, &lbl_ZokuseiCode, &lbl_Zokusei,
          &lbl_Nagasa, &lbl_SyosuNagasa, &lbl_HenkanErrorTaisyo, &lbl_KomokuTubanLocal,
          &lbl_TaioKomokuTubanLocal, &lbl_LevelBangoLocal, &lbl_KomokuNoIti,
          &lbl_ZokuseiCodeLocal, &lbl_HenkanErrorTaisyoLocal, &lbl_DummyLabel, &PGID, &OP_CD,
          &OP_NM, &HIDUKE, &Dummy2})
        all.push_back(label);
    for (Control* c : {&Frame[0], &Frame[1], &FrameBase[0], &FrameBase[1]})
        all.push_back(c);
    all.push_back(&Lis_Hyojun);
    all.push_back(&Lis_Local);
    for (Control& button : ComandBtn)
        all.push_back(&button);
    return all;
}

Field* FormState::FieldNamed(const QString& name)
{
    for (Field* field : InputFields())
        if (field->name == name)
            return field;
    return nullptr;
}
