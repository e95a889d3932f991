#pragma once
// The field discipline of the main form: the table of its input fields in tab
// order with their input classes and groups, focus colours, the character
// filter, the automatic advance of a full field and the focus movement.

#include "shell/field_edit.h"

#include <QColor>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// One registered field as BuildFieldTable receives it.
struct FieldSpec {
    FieldEdit* field;
    QString inputClass;
};

class FieldTable : public FieldHost {
public:
    FieldTable() = default;
    ~FieldTable() override;
    FieldTable(const FieldTable&) = delete;
    FieldTable& operator=(const FieldTable&) = delete;

    int FieldCount = 0;
    QVector<FieldEdit*> Fields;
    QStringList FieldClass;
    QStringList FieldGroup;
    QStringList FieldFormat;  // display formats; always empty on this form

    // Position markers recorded while the fields are registered.
    int HeadStart = 0;
    int BodyStart = 0;
    int StandardPaneStart = 0;
    int StandardPaneEnd = 0;
    int LastFieldPos = 0;

    QColor TextBackColor = Qt::white;
    QColor TextFocusColor = Qt::white;

    // The field check run when a field has been typed full (sets hold to 9 to refuse).
    std::function<void(int position, qint16& hold)> CheckField;
    // Run after the focus came to a field from another control and the field
    // was coloured.
    std::function<void(FieldEdit* field)> AfterFocus;

    // Counts the text boxes of the form and empties them and its "lbl_" labels.
    void ClearScreen(QWidget* form);

    // Registers the fields in tab order and records the markers from the
    // control names; the groups follow the positions of the key fields.
    void BuildFieldTable(const QVector<FieldSpec>& fields);

    // Enables exactly the fields of one group.
    void SetGroupEnabled(const QString& group);

    void EnterField(FieldEdit* field);
    void LeaveField(FieldEdit* field);
    static void SelectAllText(QLineEdit* field);

    // The control that the operator or the program focused last. Unlike
    // the toolkit's focus widget, it stays when the focused field is
    // disabled by a change of the enabled group (the toolkit then pushes the
    // focus on by itself), so that the next field is found from it.
    QWidget* ActiveControl() const { return active_; }
    // The active control when it is a registered field, or nullptr.
    FieldEdit* ActiveField() const;
    // Tab position of the focused control: its field position, FieldCount for
    // any other control.
    int ActivePosition() const;

    // Every key pressed on the form, before anything handles it: the key of
    // an Alt or Ctrl combination finishes no field when it is released,
    // whatever is still held by then.
    void NoteKeyDown(int keyCode, int shift);

    char32_t FilterKeyInput(FieldEdit* field, char32_t key);
    void AutoAdvance(int& keyCode, int shift);
    void MoveToNextField(int keyCode);
    void MoveToPreviousField(int keyCode);

    FieldEdit* Field(const QString& name) const;

    // FieldHost
    char32_t FieldKeyPress(FieldEdit* field, char32_t key) override;
    void FieldKeyUp(FieldEdit* field, int keyCode, int shift) override;

private:
    static bool CanTakeFocus(const FieldEdit* field);
    void FocusChanged(QWidget* now);
    QWidget* form_ = nullptr;
    QPointer<QWidget> active_;
    // The field that EnterField ran for last and LeaveField not since.
    QPointer<FieldEdit> entered_;
    QSet<int> chordKeys_;
    bool keepActive_ = false;
    QMetaObject::Connection tracking_;
};

void SetBackground(QWidget* widget, const QColor& colour);
