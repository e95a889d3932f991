#pragma once
// Answers the message boxes that an operation shows, recording what each box
// said, so that tests can check texts, icons, buttons and default buttons.

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTimer>

struct SeenBox {
    QString title;
    QString text;
    QString informative;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

class MessageBoxAnswerer : public QObject {
    Q_OBJECT
public:
    // The n-th box is answered with answers[n]; boxes beyond the list are
    // answered with their default button.
    explicit MessageBoxAnswerer(QList<QMessageBox::StandardButton> answers = {});

    const QList<SeenBox>& Seen() const { return seen_; }
    QStringList Texts() const;

private:
    void Poll();
    QList<QMessageBox::StandardButton> answers_;
    QList<SeenBox> seen_;
    QPointer<QMessageBox> handled_;
    QTimer timer_;
};
