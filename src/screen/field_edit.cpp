#include "screen/field_edit.h"

#include "core/key_codes.h"
#include "core/shift_jis.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>

namespace {
constexpr char32_t kPasteCharacter = 22;  // Ctrl+V as a typed character
}

FieldEdit::FieldEdit(QWidget* parent) : QLineEdit(parent)
{
    setAcceptDrops(false);
}

QString FieldEdit::Filter(const QString& text)
{
    QString out;
    for (const char32_t c : text.toUcs4()) {
        const char32_t r = host_ ? host_->FieldKeyPress(this, c) : c;
        if (r != 0)
            out += QString::fromUcs4(&r, 1);
    }
    return out;
}

QString FieldEdit::FitToLimit(const QString& text) const
{
    if (MaxLength <= 0)
        return text;
    QString rest = this->text();
    if (hasSelectedText())
        rest.remove(selectionStart(), selectedText().size());
    return CutToBytes(text, qMax(0, MaxLength - ByteLength(rest)));
}

void FieldEdit::InsertFiltered(const QString& text)
{
    const QString fitted = FitToLimit(text);
    if (!fitted.isEmpty())
        insert(fitted);
}

void FieldEdit::keyPressEvent(QKeyEvent* event)
{
    if (isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        if (!host_ || host_->FieldKeyPress(this, kPasteCharacter) != 0)
            PasteFiltered(false);
        event->accept();
        return;
    }
    const QString typed = event->text();
    // Editing keys are no typed characters, whatever text X gives them (Delete
    // carries DEL): they never meet the input class.
    if (typed.isEmpty() || !host_ || event->key() == Qt::Key_Delete
        || event->key() == Qt::Key_Backspace) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers held = event->modifiers();
    // Alt and Meta combinations are shortcuts or nothing; they never type.
    if (held & (Qt::AltModifier | Qt::MetaModifier)) {
        event->ignore();
        return;
    }
    const char32_t first = typed.toUcs4().value(0);
    if (first < 32 || first == 127) {
        // Control characters (Ctrl+C, Ctrl+A, ...) are filtered too: a
        // rejected one does nothing, an accepted one keeps its editing action.
        if (host_->FieldKeyPress(this, first) != 0)
            QLineEdit::keyPressEvent(event);
        else
            event->accept();
        return;
    }
    // Ctrl with a digit or a sign is no character either.
    if (held & Qt::ControlModifier) {
        event->ignore();
        return;
    }
    InsertFiltered(Filter(typed));
    event->accept();
}

void FieldEdit::keyReleaseEvent(QKeyEvent* event)
{
    QLineEdit::keyReleaseEvent(event);
    if (host_ && !event->isAutoRepeat())
        host_->FieldKeyUp(this, VirtualKey(event->key()), ShiftState(event->modifiers()));
}

void FieldEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (event->commitString().isEmpty() || isReadOnly()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(FitToLimit(Filter(event->commitString())),
                             event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
}

void FieldEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection()) {
        if (!isReadOnly())
            PasteFiltered(true);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FieldEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        paste->disconnect();
        connect(paste, &QAction::triggered, this, [this] { PasteFiltered(false); });
    }
    menu->popup(event->globalPos());
}

void FieldEdit::PasteFiltered(bool selection)
{
    QString text = QApplication::clipboard()->text(selection ? QClipboard::Selection
                                                             : QClipboard::Clipboard);
    const qsizetype newline = text.indexOf(QLatin1Char('\n'));
    if (newline >= 0)
        text.truncate(newline);
    text.remove(QLatin1Char('\r'));
    InsertFiltered(Filter(text));
}
