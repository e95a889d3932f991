#include "items/linking.h"

#include "app/main_form.h"
#include "shell/text.h"

#include <QLabel>
#include <QPushButton>

void UpdateLinkButtons(F_K450120& form)
{
    QPushButton* create = form.ComandBtn[12];
    QPushButton* remove = form.ComandBtn[13];
    if (LeadingNumber(form.lbl_KomokuTuban->text()) <= 0)
        return;
    if (LeadingNumber(form.lbl_TaioKomokuTuban->text()) > 0) {
        remove->setEnabled(true);
        create->setEnabled(false);
        return;
    }
    remove->setEnabled(false);
    const bool localShown = LeadingNumber(form.lbl_KomokuTubanLocal->text()) > 0;
    const bool localLinked = LeadingNumber(form.lbl_TaioKomokuTubanLocal->text()) > 0;
    const bool localGroup = TrimBlanks(form.txt_ZokuseiCodeLocal->text()) == QLatin1String("M");
    const bool standardGroup = TrimBlanks(form.lbl_ZokuseiCode->text()) == QLatin1String("M");
    create->setEnabled(localShown && !localLinked && localGroup == standardGroup);
}
