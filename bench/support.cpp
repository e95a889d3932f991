#include "support.h"

#include "screen/main_form.h"
#include "app/startup.h"
#include "generator.h"
#include "screen/item_list_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace bench {

double Sample::Median() const
{
    if (ms.empty())
        return 0;
    std::vector<double> v = ms;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Sample::Min() const
{
    return ms.empty() ? 0 : *std::min_element(ms.begin(), ms.end());
}

double Sample::Max() const
{
    return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end());
}

double NowMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

Sample Measure(int runs, const std::function<void()>& prepare, const std::function<void()>& run,
               const std::function<void()>& check)
{
    Sample sample;
    for (int r = -1; r < runs; ++r) {
        if (prepare)
            prepare();
        const double start = NowMs();
        run();
        const double elapsed = NowMs() - start;
        if (check)
            check();
        if (r >= 0)
            sample.ms.push_back(elapsed);
    }
    return sample;
}

long ResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

void Flush()
{
    // A delayed layout posts the paint that follows it: three rounds.
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

void WaitShown(QWidget& window)
{
    QElapsedTimer timer;
    timer.start();
    while (!(window.windowHandle() && window.windowHandle()->isExposed() && window.isActiveWindow())) {
        if (timer.elapsed() > 10000)
            throw BenchError(QStringLiteral("the window was not shown within 10 s"));
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    Flush();
}

ModalGuard::ModalGuard()
{
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            seen_ << box->text();
        else
            seen_ << modal->windowTitle();
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    });
    timer_.start(20);
}

void ModalGuard::Check(const QString& step)
{
    if (seen_.isEmpty())
        return;
    const QString texts = seen_.join(QStringLiteral(" / "));
    seen_.clear();
    throw BenchError(step + QStringLiteral(": unexpected message: ") + texts);
}

std::unique_ptr<F_K450120> StartForm(const QString& programFolder)
{
    auto form = std::make_unique<F_K450120>(programFolder);
    const int status = StartUp(*form, QByteArrayLiteral("BENCH"));
    if (status != 0)
        throw BenchError(QStringLiteral("start-up failed with status %1").arg(status));
    WaitShown(*form);
    return form;
}

void OpenLineScreen(F_K450120& form, const QString& bpid, int lines)
{
    QTest::keyClicks(form.txt_SyoriKbn, QStringLiteral("2"));
    form.txt_JohoKbn->setText(CategoryCode());
    QTest::keyClick(form.txt_JohoKbn, Qt::Key_Return);
    form.txt_BPID->setText(bpid);
    QTest::keyClick(form.txt_BPID, Qt::Key_Return);
    form.ComandBtn[1]->click();
    Flush();
    if (form.Lis_Hyojun->count() != lines || form.Lis_Local->count() != lines)
        throw BenchError(QStringLiteral("line screen of %1 shows %2 / %3 lines, expected %4")
                             .arg(bpid)
                             .arg(form.Lis_Hyojun->count())
                             .arg(form.Lis_Local->count())
                             .arg(lines));
}

QString Ms(double ms)
{
    if (ms >= 100)
        return QString::number(ms, 'f', 0) + QStringLiteral(" ms");
    if (ms >= 1)
        return QString::number(ms, 'f', 2) + QStringLiteral(" ms");
    return QString::number(ms, 'f', 3) + QStringLiteral(" ms");
}

QString Ratio(double program, double raw)
{
    if (raw <= 0)
        return QStringLiteral("—");
    return QString::number(program / raw, 'f', 2) + QStringLiteral("×");
}

QString Verdict(bool met)
{
    return met ? QStringLiteral("met") : QStringLiteral("missed");
}

void PrintTable(const std::vector<Row>& rows)
{
    const QStringList head{QStringLiteral("Part"),   QStringLiteral("Measurement"),
                           QStringLiteral("Lines/layout"), QStringLiteral("Program"),
                           QStringLiteral("Raw limit"), QStringLiteral("Ratio"),
                           QStringLiteral("Target"), QStringLiteral("Result")};
    auto line = [](const QStringList& cells) {
        std::printf("| %s |\n", cells.join(QStringLiteral(" | ")).toUtf8().constData());
    };
    line(head);
    QStringList rule;
    for (int i = 0; i < head.size(); ++i)
        rule << (i >= 2 && i <= 5 ? QStringLiteral("---:") : QStringLiteral("---"));
    line(rule);
    for (const Row& r : rows)
        line({r.part, r.measurement, r.size, r.program, r.raw, r.ratio, r.target, r.result});
    std::fflush(stdout);
}

}  // namespace bench
