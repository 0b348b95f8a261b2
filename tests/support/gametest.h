// Base of the widget tests: every test starts from a freshly started program and must leave
// no window and no message box behind.
#pragma once

#include "app/startup.h"
#include "tests/support/gamedriver.h"

#include <QTest>

#include <memory>

class GameTest : public QObject
{
    Q_OBJECT
protected:
    std::unique_ptr<GameDriver> driver;
    Form1 &f() { return driver->form1(); }

private slots:
    void initTestCase() { app::setUpApplication(); }
    void init() { driver = std::make_unique<GameDriver>(); }
    void cleanup()
    {
        QVERIFY(!GameDriver::messageBox());
        driver.reset();
        QVERIFY(visibleTopLevels().isEmpty());
    }
};
