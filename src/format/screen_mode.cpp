#include "format/screen_mode.h"

#include "app/main_form.h"

void InitializeScreen(F_K450120& form)
{
    form.Fields.ClearScreen(&form);
    form.Fields.BuildFieldTable(form.FieldSpecs());
    form.ScreenMode = QStringLiteral("MODE");
    form.Fields.SetGroupEnabled(form.ScreenMode);
}

void StepBackMode(F_K450120& form)
{
    if (form.ScreenMode == QLatin1String("HEAD"))
        form.ScreenMode = QStringLiteral("MODE");
    else if (form.ScreenMode == QLatin1String("BODY"))
        form.ScreenMode = QStringLiteral("HEAD");
    form.Fields.SetGroupEnabled(form.ScreenMode);
}

void SetScreenMode(F_K450120& form, const char* mode)
{
    form.ScreenMode = QLatin1String(mode);
    form.Fields.SetGroupEnabled(form.ScreenMode);
}
