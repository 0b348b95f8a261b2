#include "app/windowplace.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace app {

#ifdef Q_OS_WIN

namespace {

// The frame's top left Windows gives a new overlapped window of `size` now. A hidden probe
// window asks, as a plain Win32 program creating its window would; it takes the cascade step the
// new window would have taken.
std::optional<QPoint> askWindowsForDefaultPlace(SIZE size)
{
    HWND probe =
        CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                        size.cx, size.cy, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!probe)
        return std::nullopt;
    RECT frame;
    const bool known = GetWindowRect(probe, &frame);
    DestroyWindow(probe);
    if (!known)
        return std::nullopt;
    return QPoint(frame.left, frame.top);
}

} // namespace

QPoint onScreenOrPrimaryWorkArea(std::optional<QPoint> asked)
{
    if (asked && MonitorFromPoint(POINT{asked->x(), asked->y()}, MONITOR_DEFAULTTONULL))
        return *asked;
    MONITORINFO primary{};
    primary.cbSize = sizeof primary;
    if (GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary))
        return {primary.rcWork.left, primary.rcWork.top};
    return {0, 0};
}

void placeAsNewWindow(QWidget &window)
{
    // Only Qt's own Windows platform has Windows' windows behind its widgets.
    if (QGuiApplication::platformName() != QLatin1String("windows"))
        return;
    auto *hwnd = reinterpret_cast<HWND>(window.winId());
    RECT frame;
    if (!GetWindowRect(hwnd, &frame))
        return;
    const QPoint place = onScreenOrPrimaryWorkArea(
        askWindowsForDefaultPlace({frame.right - frame.left, frame.bottom - frame.top}));
    SetWindowPos(hwnd, nullptr, place.x(), place.y(), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

#else

void placeAsNewWindow(QWidget &) {}

#endif

} // namespace app
