#pragma once
// Timing, memory readings, the result table and the driving of a real form.

#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class F_K450120;
class QWidget;

namespace bench {

class BenchError : public std::runtime_error {
public:
    explicit BenchError(const QString& what) : std::runtime_error(what.toStdString()) {}
};

// Milliseconds of repeated runs.
struct Sample {
    std::vector<double> ms;
    double Median() const;
    double Min() const;
    double Max() const;
};

double NowMs();

// Runs `prepare` (untimed) and `run` (timed) once to warm up, then `runs`
// times; `check` (untimed) after every run verifies that the work was done.
Sample Measure(int runs, const std::function<void()>& prepare, const std::function<void()>& run,
               const std::function<void()>& check = {});

// VmRSS of this process in kB.
long ResidentKb();

// Handles what is pending: delayed list layouts, deferred deletions, paints.
void Flush();

// Until the window is exposed and active, then Flush; throws after 10 s.
void WaitShown(QWidget& window);

// Fails a step that showed a message box (it is answered so that nothing hangs).
class ModalGuard {
public:
    ModalGuard();
    void Check(const QString& step);

private:
    QTimer timer_;
    QStringList seen_;
};

// A form after the real start-up on the site's program folder.
std::unique_ptr<F_K450120> StartForm(const QString& programFolder);

// The operator's way to the line screen of a bench key: processing category 2,
// the key with Enter, then 詳細設定( I ). Throws unless both lists show `lines`.
void OpenLineScreen(F_K450120& form, const QString& bpid, int lines);

// A Markdown table row.
struct Row {
    QString part, measurement, size, program, raw, ratio, target, result;
};

QString Ms(double ms);
QString Ratio(double program, double raw);
QString Verdict(bool met);
void PrintTable(const std::vector<Row>& rows);

}  // namespace bench
