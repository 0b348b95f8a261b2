// Where the win window opens on Windows: where Windows puts a new window of a plain Win32
// program, not centred as Qt would put it. Runs with Wine's real windows, on a display.
#include "app/form2.h"
#include "app/program.h"
#include "app/startup.h"
#include "app/windowplace.h"

#include <QGuiApplication>
#include <QTest>

#include <windows.h>

namespace {

QRect nativeFrame(QWidget &window)
{
    RECT r;
    if (!GetWindowRect(reinterpret_cast<HWND>(window.winId()), &r))
        return {};
    return {QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)};
}

QPoint clientOrigin(QWidget &window)
{
    POINT origin{0, 0};
    ClientToScreen(reinterpret_cast<HWND>(window.winId()), &origin);
    return {origin.x, origin.y};
}

// The frame's top left of a new window that a plain Win32 program creates now.
QPoint plainWindowPlace()
{
    HWND plain =
        CreateWindowExW(0, L"STATIC", L"plain", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                        400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    RECT r{};
    GetWindowRect(plain, &r);
    DestroyWindow(plain);
    return {r.left, r.top};
}

QRect primaryWorkArea()
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    return {QPoint(info.rcWork.left, info.rcWork.top),
            QPoint(info.rcWork.right - 1, info.rcWork.bottom - 1)};
}

// How far Windows moves each new window on from the last: a title bar and a frame.
int cascadeStep()
{
    return GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYSIZEFRAME) +
           2 * GetSystemMetrics(SM_CXPADDEDBORDER);
}

} // namespace

class TestWindowPlace : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        app::setUpApplication();
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("windows"));
    }

    void winWindowOpensWhereWindowsPutsNewWindows()
    {
        Program program([] {});
        Form2 &f2 = program.form2();
        f2.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f2));
        const QPoint plain = plainWindowPlace();
        const QRect frame = nativeFrame(f2);
        const int step = cascadeStep();
        QVERIFY2(qAbs(frame.x() - plain.x()) <= step && qAbs(frame.y() - plain.y()) <= step,
                 qPrintable(QStringLiteral("win window at %1,%2, a plain window at %3,%4")
                                .arg(frame.x())
                                .arg(frame.y())
                                .arg(plain.x())
                                .arg(plain.y())));
        const QPoint offCentre = frame.center() - primaryWorkArea().center();
        QVERIFY2(offCentre.manhattanLength() > step, "the win window is centred");
        // Qt knows where Windows has put it, and the client area keeps its size.
        QTRY_COMPARE(f2.geometry().topLeft(), clientOrigin(f2));
        QCOMPARE(f2.size(), QSize(453, 404));
        program.end();
    }

    void placeOnAScreen_data()
    {
        QTest::addColumn<std::optional<QPoint>>("asked");
        QTest::addColumn<QPoint>("expected");
        const QPoint corner = primaryWorkArea().topLeft();
        QTest::newRow("Windows gave no place") << std::optional<QPoint>() << corner;
        QTest::newRow("off every screen")
            << std::optional<QPoint>(QPoint(-32000, -32000)) << corner;
        QTest::newRow("on a screen")
            << std::optional<QPoint>(corner + QPoint(40, 30)) << corner + QPoint(40, 30);
    }

    void placeOnAScreen()
    {
        QFETCH(std::optional<QPoint>, asked);
        QFETCH(QPoint, expected);
        QCOMPARE(app::onScreenOrPrimaryWorkArea(asked), expected);
    }
};

QTEST_MAIN(TestWindowPlace)
#include "tst_windowplace.moc"
