#include "bench/firstpaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace {

long peakRssKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = status.readAll();
    const qsizetype at = text.indexOf("VmHWM:");
    if (at < 0)
        return -1;
    return text.mid(at + 6, text.indexOf('\n', at) - at - 6).trimmed().split(' ').value(0).toLong();
}

} // namespace

FirstPaint::FirstPaint(QWidget *window) : QObject(window)
{
    window->installEventFilter(this);
}

void FirstPaint::watch(QWidget *window)
{
    new FirstPaint(window);
}

bool FirstPaint::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Paint && !m_done) {
        m_done = true;
        // Report after the paint has reached the window, from the event loop.
        QTimer::singleShot(0, [] {
            const qint64 now = std::chrono::duration_cast<std::chrono::microseconds>(
                                   std::chrono::system_clock::now().time_since_epoch())
                                   .count();
            bool given = false;
            const qint64 t0 = qgetenv("PRIZEWELL_BENCH_T0").toLongLong(&given);
            std::printf("startup_us=%lld rss_kib=%ld\n",
                        static_cast<long long>(given ? now - t0 : -1), peakRssKiB());
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    }
    return false;
}
