#include "support/message_box_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

MessageBoxAnswerer::MessageBoxAnswerer(QList<QMessageBox::StandardButton> answers)
    : answers_(std::move(answers))
{
    connect(&timer_, &QTimer::timeout, this, &MessageBoxAnswerer::Poll);
    timer_.start(5);
}

QStringList MessageBoxAnswerer::Texts() const
{
    QStringList texts;
    for (const SeenBox& box : seen_)
        texts << box.text;
    return texts;
}

void MessageBoxAnswerer::Poll()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || box == handled_ || !box->isVisible())
        return;
    handled_ = box;
    SeenBox seen;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.informative = box->informativeText();
    seen.icon = box->icon();
    seen.buttons = box->standardButtons();
    if (QPushButton* def = box->defaultButton())
        seen.defaultButton = box->standardButton(def);
    const QMessageBox::StandardButton answer = answers_.value(seen_.size(), seen.defaultButton);
    seen_.append(seen);
    if (QAbstractButton* button = box->button(answer))
        button->click();
    else
        box->reject();
}
