#pragma once
// A private X server (Xvfb) for running the real program as an operator
// would, with xdotool to type keys into it.

#include <QList>
#include <QProcess>
#include <QRect>
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
    // Types text key by key; characters outside the keymap (Japanese) are
    // mapped on the fly, which needs a delay between keys.
    void Type(const QString& text, int delayMs = 150) const;
    // Clicks the left button at a screen position, count times in a row.
    void Click(int x, int y, int count = 1) const;
    // The screen geometry of every visible window with that exact title.
    QList<QRect> Windows(const QString& title) const;
    // Saves the whole screen as an image (by its extension, e.g. PNG).
    bool Screenshot(const QString& path) const;

private:
    QString RunXdotool(const QStringList& args, int timeoutMs = 5000) const;
    QString RunTool(const QString& program, const QStringList& args, int timeoutMs,
                    int* exitCode = nullptr) const;
    QProcess server_;
    QString display_;
};
