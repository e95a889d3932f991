#pragma once
// Acts once on a modal dialog of a given name while it runs, as an operator
// would: the action clicks, types or chooses in it.

#include <QDialog>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

// Acts once on the modal dialog of that name when it is up. A dialog still
// open after a few seconds is rejected, so that a fault cannot hang the run.
class ModalDriver : public QObject {
public:
    ModalDriver(const QString& name, std::function<void(QDialog*)> act)
        : name_(name), act_(std::move(act))
    {
        clock_.start();
        connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start(10);
    }
    bool Seen() const { return seen_; }

private:
    void Poll();
    QString name_;
    std::function<void(QDialog*)> act_;
    bool seen_ = false;
    QElapsedTimer clock_;
    QTimer timer_;
};
