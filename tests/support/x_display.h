#pragma once
// A private X server (Xvfb) for running the real program as an operator
// would, with xdotool to type keys into it.

#include <QProcess>
#include <QString>

class XDisplay {
public:
    XDisplay();
    ~XDisplay();

    bool Ok() const { return !display_.isEmpty(); }
    QString Display() const { return display_; }

    // Waits until a visible window with that exact title exists.
    bool WaitForWindow(const QString& title, int timeoutMs = 15000) const;
    // True when a visible window with that exact title exists now.
    bool HasWindow(const QString& title) const;
    // Sends keys in xdotool's notation ("Escape", "alt+y") to the focused window.
    void Key(const QString& keys) const;

private:
    QString RunXdotool(const QStringList& args) const;
    QProcess server_;
    QString display_;
};
