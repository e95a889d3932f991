#pragma once
// The text box of the main form's input fields: a QLineEdit whose length limit
// counts Shift-JIS bytes and whose typed, composed (input method) and pasted
// text passes the character filter of the field's input class.

#include <QLineEdit>

class FieldEdit;

// Receives the key events of the registered fields (the field table).
class FieldHost {
public:
    virtual ~FieldHost() = default;
    // The character to insert for a typed one, 0 to reject it.
    virtual char32_t FieldKeyPress(FieldEdit* field, char32_t key) = 0;
    virtual void FieldKeyUp(FieldEdit* field, int keyCode, int shift) = 0;
};

class FieldEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FieldEdit(QWidget* parent = nullptr);

    // Maximum length in Shift-JIS bytes; 0 = no limit.
    int MaxLength = 0;

    void SetHost(FieldHost* host) { host_ = host; }

    // Replaces the selection with text that passed the filter, cut to what
    // the byte limit still allows.
    void InsertFiltered(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QString Filter(const QString& text);
    QString FitToLimit(const QString& text) const;
    void PasteFiltered(bool selection);
    FieldHost* host_ = nullptr;
};
