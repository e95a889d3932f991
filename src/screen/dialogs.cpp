#include "screen/dialogs.h"


#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

int ShowMessage(QWidget* parent, const QString& text, int style, const QString& title,
                const QString& informative)
{
    QMessageBox box(parent);
    box.setWindowTitle(title.isEmpty() ? QString::fromUtf8(kApplicationTitle) : title);
    box.setText(text);
    box.setInformativeText(informative);
    box.setWindowModality(Qt::ApplicationModal);
    switch (style & 0x70) {
    case msg::Critical: box.setIcon(QMessageBox::Critical); break;
    case msg::Question: box.setIcon(QMessageBox::Question); break;
    case msg::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case msg::Information: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        int answer;
    };
    QList<Choice> choices;
    switch (style & 0x7) {
    case msg::OkCancel:
        choices = {{QMessageBox::Ok, msg::Ok}, {QMessageBox::Cancel, msg::Cancel}};
        break;
    case msg::YesNoCancel:
        choices = {{QMessageBox::Yes, msg::Yes},
                   {QMessageBox::No, msg::No},
                   {QMessageBox::Cancel, msg::Cancel}};
        break;
    case msg::YesNo:
        choices = {{QMessageBox::Yes, msg::Yes}, {QMessageBox::No, msg::No}};
        break;
    default:
        choices = {{QMessageBox::Ok, msg::Ok}};
        break;
    }
    for (const Choice& c : choices)
        box.addButton(c.button);
    const int defaultIndex = (style & msg::DefaultButton3) ? 2 : (style & msg::DefaultButton2) ? 1 : 0;
    box.setDefaultButton(choices.value(defaultIndex, choices.front()).button);
    // Esc answers Cancel where there is one, otherwise the only or last button.
    const bool hasCancel = std::any_of(choices.begin(), choices.end(),
                                       [](const Choice& c) { return c.answer == msg::Cancel; });
    if (!hasCancel && choices.size() == 1)
        box.setEscapeButton(choices.front().button);
    ExecModal(box);
    const QAbstractButton* clicked = box.clickedButton();
    for (const Choice& c : choices)
        if (clicked == box.button(c.button))
            return c.answer;
    return hasCancel ? msg::Cancel : choices.back().answer;
}

int ExecModal(QDialog& dialog)
{
    const int result = dialog.exec();
    // Give the keyboard back to the form at once, also where no window
    // manager does it.
    QWidget* parent = dialog.parentWidget();
    if (parent && parent->isVisible())
        parent->window()->activateWindow();
    return result;
}

void CenterForm(QWidget* form)
{
    const QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize size = form->frameGeometry().size();
    form->move(area.x() + (area.width() - size.width()) / 2,
               area.y() + (area.height() - size.height()) / 2);
}
