// The win window: its texts, faces and focus, and that every way out of it ends the program.
#include "app/form2.h"
#include "app/startup.h"
#include "tests/support/faces.h"
#include "tests/support/gametest.h"

#include <QApplication>
#include <QFontInfo>
#include <QTest>

#include <memory>

class TestWinWindow : public GameTest
{
    Q_OBJECT

    Form2 &shownForm2()
    {
        Form2 &f2 = driver->program().form2();
        f2.show();
        if (!QTest::qWaitForWindowExposed(&f2))
            qFatal("win window not exposed");
        return f2;
    }

private slots:
    void window()
    {
        Form2 &f2 = driver->program().form2();
        QCOMPARE(f2.objectName(), QStringLiteral("Form2"));
        QCOMPARE(f2.windowTitle(), QStringLiteral("Hi Prizewell!"));
        QCOMPARE(f2.size(), QSize(453, 404)); // 6795 x 6060 twips
        QCOMPARE(f2.minimumSize(), f2.maximumSize());
        QCOMPARE(&driver->program().form2(), &f2); // created once
        QCOMPARE(f2.findChildren<QWidget *>(Qt::FindDirectChildrenOnly).size(), 4);
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("pointSize");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<int>("alignment");
        QTest::newRow("headline") << "Label1"
                                  << "YOU WON A MILLION DOLLARS!" << QRect(0, 0, 6735, 2415)
                                  << "Times New Roman" << 36 << true << int(Qt::AlignHCenter);
        QTest::newRow("small print")
            << "Label2"
            << "Good job! Here's your check. Hope you had a great time. Use it wisely. Bye!"
            << QRect(0, 2400, 6735, 255) << "MS Sans Serif" << 8 << false << int(Qt::AlignLeft);
        QTest::newRow("quit") << "Command1"
                              << "Quit" << QRect(1920, 2640, 1455, 495) << "MS Sans Serif" << 8
                              << false << int(Qt::AlignHCenter);
        QTest::newRow("closing remark")
            << "Label3"
            << "The designer hopes that you didn't cheat." << QRect(0, 3240, 6735, 1695)
            << "Times New Roman" << 36 << false << int(Qt::AlignLeft);
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, twips);
        QFETCH(QString, face);
        QFETCH(int, pointSize);
        QFETCH(bool, bold);
        QFETCH(int, alignment);
        Form2 &f2 = driver->program().form2();
        auto *w = f2.findChild<QWidget *>(name);
        QVERIFY(w);
        QCOMPARE(w->property("text").toString(), caption);
        QCOMPARE(w->geometry(),
                 QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
        QCOMPARE(w->font().pointSize(), pointSize);
        QCOMPARE(w->font().bold(), bold);
        QCOMPARE(w->font().family(), face);
        QCOMPARE(QFontInfo(w->font()).family(), drawnFace(face));
        QVERIFY(!w->isHidden());
        if (auto *label = qobject_cast<QLabel *>(w)) {
            QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), alignment);
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        }
    }

    void quitHasTheFocus()
    {
        Form2 &f2 = shownForm2();
        f2.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f2));
        QCOMPARE(QApplication::focusWidget(), f2.Command1);
        QTest::keyClick(f2.windowHandle(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f2.Command1);
    }

    void quitEndsTheProgram()
    {
        Form2 &f2 = shownForm2();
        driver->form1().hide();
        QVERIFY(driver->click(f2.Command1));
        QCOMPARE(driver->endCount(), 1);
        QVERIFY(visibleTopLevels().isEmpty());
    }

    // Closing the win window through its frame must not leave a process without a window.
    void frameCloseEndsTheProgram()
    {
        Form2 &f2 = shownForm2();
        driver->form1().hide();
        QVERIFY(f2.close());
        QCOMPARE(driver->endCount(), 1);
        QVERIFY(visibleTopLevels().isEmpty());
    }

    void mainWindowFrameCloseEndsTheProgram()
    {
        QVERIFY(driver->form1().close());
        QCOMPARE(driver->endCount(), 1);
        QVERIFY(!driver->program().loadedForm2());
    }

    // After the end nothing more of the game runs, even if an event was already on its way.
    void nothingRunsAfterTheEnd()
    {
        driver->start();
        driver->program().end();
        emit driver->form1().Command5->clicked();
        QCOMPARE(driver->form1().Label19->text(), QString());
        QVERIFY(!driver->form1().Command5->isHidden());
    }
};

QTEST_MAIN(TestWinWindow)
#include "tst_winwindow.moc"
