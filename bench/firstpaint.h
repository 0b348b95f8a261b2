// Reports, once a window has painted for the first time, how long it took since the process
// was started and the process's peak resident memory, then ends the event loop.
#pragma once

#include <QObject>

class QWidget;

class FirstPaint : public QObject
{
public:
    // Watches `window`, which owns the probe. The process start time comes from
    // PRIZEWELL_BENCH_T0, microseconds since the epoch, taken by the launching script just
    // before it starts the process.
    static void watch(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit FirstPaint(QWidget *window);
    bool m_done = false;
};
