// A whole game from Start to the win window, played through the real widgets.
#include "app/form2.h"
#include "app/startup.h"
#include "tests/support/gamedriver.h"
#include "tests/support/prizeladder.h"

#include <QApplication>
#include <QTest>

class TestFullGame : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { app::setUpApplication(); }
    void cleanup()
    {
        QVERIFY(!GameDriver::messageBox());
        QVERIFY(visibleTopLevels().isEmpty());
    }

    void winTheMillion()
    {
        GameDriver driver;
        Form1 &f = driver.form1();
        driver.start();
        // Every alternative answer somewhere, and each lifeline on a different question.
        const QList<int> answerIndex{0, 0, 0, 2, 1, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0};
        const QMap<int, QPushButton *> lifelineAt{
            {2, f.Command5}, {9, f.Command6}, {15, f.Command7}};
        for (int n = 1; n <= 15; ++n) {
            QVERIFY(!f.questionLabel(n)->isHidden());
            QVERIFY(!driver.program().loadedForm2());
            if (QPushButton *lifeline = lifelineAt.value(n)) {
                QVERIFY(driver.click(lifeline));
                QVERIFY(!f.Label19->text().isEmpty());
            }
            driver.answerCorrectly(n, answerIndex[n - 1]);
            QVERIFY(f.Label19->text().isEmpty());
            QVERIFY(driver.bank(n));
            if (n < 15) {
                QCOMPARE(f.Label17->text(), prizeLadder[n - 1]);
                driver.goOn();
            }
        }
        Form2 *f2 = driver.program().loadedForm2();
        QVERIFY(f2 && f2->isVisible());
        QVERIFY(!f.isVisible());
        QCOMPARE(visibleTopLevels(), QStringList{"Form2"});
        QVERIFY(f.Command5->isHidden() && f.Command6->isHidden() && f.Command7->isHidden());
        QVERIFY(!f.Command2->isVisibleTo(&f));

        f2->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f2));
        QCOMPARE(QApplication::focusWidget(), f2->Command1);
        QTest::keyClick(f2->windowHandle(), Qt::Key_Space);
        QCOMPARE(driver.endCount(), 1);
        QVERIFY(visibleTopLevels().isEmpty());
    }

    void loseAndQuit()
    {
        GameDriver driver;
        Form1 &f = driver.form1();
        driver.playTo(2);
        driver.type(QStringLiteral("Frodo"));
        QVERIFY(driver.click(f.Command1));
        QVERIFY(!f.Label18->isHidden());
        QCOMPARE(f.Label17->text(), QStringLiteral("Winnings:$100"));
        QVERIFY(driver.click(f.Command4));
        QCOMPARE(driver.endCount(), 1);
        QVERIFY(visibleTopLevels().isEmpty());
    }
};

QTEST_MAIN(TestFullGame)
#include "tst_fullgame.moc"
