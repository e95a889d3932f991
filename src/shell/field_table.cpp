#include "shell/field_table.h"

#include "core/input_filter.h"
#include "shell/key_codes.h"
#include "core/shift_jis.h"

#include <QApplication>
#include <QLabel>

void SetBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
}

FieldTable::~FieldTable()
{
    // The form's widgets outlive this table and still change focus.
    QObject::disconnect(tracking_);
}

void FieldTable::ClearScreen(QWidget* form)
{
    form_ = form;
    if (!tracking_) {
        tracking_ = QObject::connect(qApp, &QApplication::focusChanged, form,
                                     [this](QWidget*, QWidget* now) { FocusChanged(now); });
    }
    FieldCount = 0;
    const QList<QWidget*> controls = form->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        if (control->window() != form)
            continue;  // controls of the dialogs are not the form's own
        if (auto* box = qobject_cast<QLineEdit*>(control)) {
            ++FieldCount;
            box->clear();
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            if (label->objectName().trimmed().startsWith(QLatin1String("lbl_")))
                label->clear();
        }
    }
}

void FieldTable::BuildFieldTable(const QVector<FieldSpec>& fields)
{
    Fields.clear();
    FieldClass.clear();
    FieldGroup.clear();
    FieldFormat.clear();
    for (int i = 0; i < fields.size(); ++i) {
        FieldEdit* field = fields[i].field;
        const QString name = field->objectName();
        if (name == QLatin1String("txt_SyoriKbn"))
            HeadStart = i + 1;
        else if (name == QLatin1String("txt_BPID"))
            BodyStart = i + 1;
        else if (name == QLatin1String("txt_KomokuNo"))
            StandardPaneStart = i;
        else if (name == QLatin1String("txt_KoteiKomokuTi"))
            StandardPaneEnd = i;
        else if (name == QLatin1String("txt_KoteiKomokuTiLocal"))
            LastFieldPos = i;
        Fields.append(field);
        FieldClass.append(fields[i].inputClass);
        FieldFormat.append(QString());
        field->SetHost(this);
    }
    for (int i = 0; i < Fields.size(); ++i) {
        Fields[i]->TabIndex = i;
        if (i > 0)
            QWidget::setTabOrder(Fields[i - 1], Fields[i]);
        FieldGroup.append(i < HeadStart   ? QStringLiteral("MODE")
                          : i < BodyStart ? QStringLiteral("HEAD")
                                          : QStringLiteral("BODY"));
    }
}

void FieldTable::SetGroupEnabled(const QString& group)
{
    keepActive_ = true;
    for (int i = 0; i < Fields.size(); ++i)
        Fields[i]->setEnabled(FieldGroup[i] == group);
    keepActive_ = false;
}

// The fields are entered and left when the form's focus goes from one control
// to another, whoever moves it. A message box or dialog opening and closing
// is window activation: the field that gets the focus back was never left.
// The focus reason cannot tell that apart, as X activates the form late: a
// field focused by the program meanwhile first gets the focus then.
void FieldTable::FocusChanged(QWidget* now)
{
    if (!now || !form_ || now->window() != form_)
        return;
    if (!keepActive_)
        active_ = now;
    if (now == entered_)
        return;
    if (entered_)
        LeaveField(entered_);
    auto* field = qobject_cast<FieldEdit*>(now);
    entered_ = field && Fields.contains(field) ? field : nullptr;
    if (entered_) {
        EnterField(entered_);
        if (AfterFocus)
            AfterFocus(entered_);
    }
}

void FieldTable::EnterField(FieldEdit* field)
{
    SetBackground(field, TextFocusColor);
    SelectAllText(field);
}

void FieldTable::LeaveField(FieldEdit* field)
{
    SetBackground(field, TextBackColor);
}

void FieldTable::SelectAllText(QLineEdit* field)
{
    if (field->text().isEmpty())
        return;
    field->setCursorPosition(0);
    field->selectAll();
}

FieldEdit* FieldTable::ActiveField() const
{
    auto* field = qobject_cast<FieldEdit*>(active_.data());
    return field && Fields.contains(field) ? field : nullptr;
}

int FieldTable::ActivePosition() const
{
    const FieldEdit* field = ActiveField();
    return field ? field->TabIndex : FieldCount;
}

FieldEdit* FieldTable::Field(const QString& name) const
{
    for (FieldEdit* field : Fields)
        if (field->objectName() == name)
            return field;
    return nullptr;
}

char32_t FieldTable::FilterKeyInput(FieldEdit* field, char32_t key)
{
    if (field->TabIndex < 0 || field->TabIndex >= FieldClass.size())
        return key;
    return ::FilterKeyInput(key, FieldClass[field->TabIndex], field->text());
}

void FieldTable::AutoAdvance(int& keyCode, int shift)
{
    FieldEdit* field = ActiveField();
    // Releasing Alt or the Windows key ends a shortcut, not the typing of a field.
    if (shift != 0 || keyCode == vk::Up || keyCode == vk::Down || keyCode == vk::Return
        || keyCode == vk::Escape || keyCode == vk::Shift || keyCode == vk::Control
        || keyCode == vk::Menu || keyCode == vk::LWin || !field
        || field->TabIndex == FieldCount - 1 || !form_ || !form_->isVisible())
        return;
    const int maxLength = field->MaxLength;
    const int selStart = field->hasSelectedText() ? field->selectionStart()
                                                  : field->cursorPosition();
    const int selLength = field->selectedText().size();
    const int length = field->text().size();

    if (AnsiByteLength(field->text()) > maxLength) {
        field->setText(CutToBytes(field->text(), maxLength));
        field->setCursorPosition(field->text().size());
    }
    const bool full = maxLength == length
        && (selStart == maxLength || selLength == maxLength
            || (selLength == 1 && selStart + selLength == maxLength));
    if (!full)
        return;
    qint16 hold = 0;
    if (CheckField)
        CheckField(field->TabIndex, hold);
    if (hold == -1)
        return;  // the check has placed the focus itself
    if (hold != 9) {
        keyCode = vk::Return;
        MoveToNextField(vk::Return);
    } else {
        SelectAllText(field);
    }
}

bool FieldTable::CanTakeFocus(const FieldEdit* field)
{
    return field->isEnabled() && field->isVisible() && !field->Locked();
}

void FieldTable::MoveToNextField(int /*keyCode*/)
{
    const FieldEdit* active = ActiveField();
    const int current = active ? active->TabIndex : FieldCount;
    int start = current + 1;
    if (start == FieldCount)
        start = 0;
    if (start > FieldCount - 1)
        return;
    FieldEdit* target = nullptr;
    for (int k = 0; k < FieldCount && !target; ++k) {
        const int pos = (start + k) % FieldCount;
        if (pos == current)
            target = Fields[pos];
        else if (CanTakeFocus(Fields[pos]))
            target = Fields[pos];
    }
    if (target)
        target->setFocus(Qt::TabFocusReason);
}

void FieldTable::MoveToPreviousField(int /*keyCode*/)
{
    FieldEdit* active = ActiveField();
    if (!active)
        return;
    int start = active->TabIndex - 1;
    if (start == -1)
        start = FieldCount - 1;
    for (int pos = start; pos >= 0; --pos) {
        if (!CanTakeFocus(Fields[pos]))
            continue;
        const bool wholeOrEmpty = active->text().isEmpty()
            || active->selectedText().size() == active->text().size();
        if (wholeOrEmpty)
            Fields[pos]->setFocus(Qt::BacktabFocusReason);
        return;
    }
}

char32_t FieldTable::FieldKeyPress(FieldEdit* field, char32_t key)
{
    return FilterKeyInput(field, key);
}

void FieldTable::NoteKeyDown(int keyCode, int shift)
{
    if (shift & (kAltMask | kCtrlMask))
        chordKeys_.insert(keyCode);
    else
        chordKeys_.remove(keyCode);  // released elsewhere, in a dialog say
}

void FieldTable::FieldKeyUp(FieldEdit* field, int keyCode, int shift)
{
    if (chordKeys_.remove(keyCode))
        return;
    if (field->isEnabled())
        AutoAdvance(keyCode, shift);
}
