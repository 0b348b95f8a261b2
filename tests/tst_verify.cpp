// "Verify": what wins, what loses, and the message box that follows a correct answer.
#include "app/startup.h"
#include "app/winningpicture.h"
#include "game/procedures.h"
#include "tests/support/gametest.h"
#include "tests/support/prizeladder.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

// What the main window showed at the moment a message box appeared.
class BoxWatcher : public QObject
{
public:
    BoxWatcher(Form1 &form, int question) : f(form), n(question) { qApp->installEventFilter(this); }
    bool seen = false;
    bool stateDoneFirst = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<QMessageBox *>(watched)) {
            seen = true;
            stateDoneFirst = !f.winningPicture(n)->isHidden() && !f.Command1->isEnabled() &&
                             !f.Command3->isEnabled() && !f.Command5->isEnabled() &&
                             !f.Command6->isEnabled() && !f.Command7->isEnabled() &&
                             f.Label19->text().isEmpty();
        }
        return false;
    }

private:
    Form1 &f;
    int n;
};

} // namespace

class TestVerify : public GameTest
{
    Q_OBJECT

    void checkLost(const QString &hintBefore)
    {
        QVERIFY(!GameDriver::messageBox());
        QVERIFY(!f().Command4->isHidden());
        QVERIFY(!f().Label18->isHidden());
        QVERIFY(f().Command2->isHidden());
        for (QPushButton *b :
             {f().Command1, f().Command3, f().Command5, f().Command6, f().Command7})
            QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
        QCOMPARE(f().Label19->text(), hintBefore);
        QCOMPARE(driver->endCount(), 0);
        for (int n = 1; n <= 15; ++n)
            QVERIFY(f().winningPicture(n)->isHidden());
    }

private slots:
    void correct_data()
    {
        QTest::addColumn<int>("question");
        QTest::addColumn<QString>("typed");
        QTest::newRow("1") << 1 << "Orvan Quillam";
        QTest::newRow("4 short") << 4 << "Visual Basic";
        QTest::newRow("4 versioned") << 4 << "Visual Basic 6.0";
        QTest::newRow("4 full") << 4 << "Microsoft Visual Basic 6.0";
        QTest::newRow("5 with article") << 5 << "The Holy Grail";
        QTest::newRow("5 without") << 5 << "Holy Grail";
        QTest::newRow("6 lower") << 6 << "man";
        QTest::newRow("6 capital") << 6 << "Man";
        QTest::newRow("11 leading zero") << 11 << "0.65";
        QTest::newRow("11 bare") << 11 << ".65";
        QTest::newRow("15") << 15 << "Saturday";
    }
    void correct()
    {
        QFETCH(int, question);
        QFETCH(QString, typed);
        driver->playTo(question);
        QVERIFY(driver->click(f().Command5)); // a hint that the correct answer clears
        QVERIFY(!f().Label19->text().isEmpty());
        driver->type(typed);
        BoxWatcher watcher(f(), question);
        bool verifyReturned = false;
        driver->whileBoxOpen([&](QMessageBox *box) {
            QVERIFY2(!verifyReturned, "Verify went on without waiting for the box");
            QVERIFY(watcher.seen);
            QVERIFY2(watcher.stateDoneFirst, "the box came before the window's changes");
            QCOMPARE(box->text(), QStringLiteral("Correct! Put the winning in the barrel."));
            QCOMPARE(box->windowTitle(), QStringLiteral("Prizewell"));
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(box->buttons().size(), 1);
            QCOMPARE(box->standardButtons(), QMessageBox::Ok);
            QCOMPARE(box->windowModality(), Qt::ApplicationModal);
            // The box keeps the player out of the main window until it is answered.
            QVERIFY(!driver->click(f().Command6));
            QVERIFY(!driver->bank(question));
        });
        const int boxes = driver->boxesSeen();
        QVERIFY(driver->click(f().Command1));
        verifyReturned = true;
        QCOMPARE(driver->boxesSeen(), boxes + 1);
        QVERIFY(!GameDriver::messageBox());

        QVERIFY(!f().questionLabel(question)->isHidden());
        QVERIFY(!f().winningPicture(question)->isHidden());
        QCOMPARE(f().Text1->text(), typed);
        QCOMPARE(f().Label18->isHidden(), true);
        QVERIFY(!f().Command2->isVisible());
        QVERIFY(!f().Command1->isEnabled());
        QCOMPARE(f().Label17->text(),
                 question == 1 ? QStringLiteral("Winnings:$0") : prizeLadder[question - 2]);
        for (int n = 1; n <= 15; ++n) {
            if (n != question)
                QVERIFY(f().winningPicture(n)->isHidden());
        }
        // Judged once: "Verify" cannot be pressed again for the same question.
        QVERIFY(!driver->click(f().Command1));
    }

    void wrong_data()
    {
        QTest::addColumn<int>("question");
        QTest::addColumn<QString>("typed");
        QTest::newRow("empty") << 1 << "";
        QTest::newRow("lower case") << 1 << "orvan quillam";
        QTest::newRow("leading space") << 1 << " Orvan Quillam";
        QTest::newRow("trailing space") << 1 << "Orvan Quillam ";
        QTest::newRow("another question's answer") << 1 << "Bilbo";
        QTest::newRow("3 spelled out") << 3 << "eighty-one";
        QTest::newRow("3 leading zero") << 3 << "081";
        QTest::newRow("6 in capitals") << 6 << "MAN";
        QTest::newRow("11 as a fraction") << 11 << "13/20";
        QTest::newRow("11 trailing zero") << 11 << "0.650";
        QTest::newRow("15 lower case") << 15 << "saturday";
        QTest::newRow("14 the audience's answer") << 14 << "15";
        QTest::newRow("next question's answer") << 2 << "81";
    }
    void wrong()
    {
        QFETCH(int, question);
        QFETCH(QString, typed);
        driver->playTo(question);
        QVERIFY(driver->click(f().Command7));
        const QString hint = f().Label19->text();
        driver->type(typed);
        QCOMPARE(f().Text1->text(), typed);
        QVERIFY(driver->click(f().Command1));
        checkLost(hint);
        QCOMPARE(f().Text1->text(), typed);
        QVERIFY(!f().questionLabel(question)->isHidden());
        // Only Quit is left, and Start never comes back.
        for (QPushButton *b :
             {f().Command1, f().Command2, f().Command3, f().Command5, f().Command6})
            QVERIFY(!driver->click(b));
        QVERIFY(driver->click(f().Command4));
        QCOMPARE(driver->endCount(), 1);
    }

    // With no question on view nothing can be right.
    void noQuestionShowing()
    {
        driver->start();
        f().Label1->setVisible(false);
        driver->type(QStringLiteral("Orvan Quillam"));
        game::Form1_Command1_Click(driver->program());
        checkLost(QString());
    }

    // Were two questions on view, an answer to the later one would still be judged right.
    void everyVisibleQuestionIsTriedInOrder()
    {
        driver->start();
        f().Label3->setVisible(true);
        driver->type(QStringLiteral("81"));
        game::Form1_Command1_Click(driver->program());
        QCOMPARE(driver->boxesSeen(), 1);
        QVERIFY(!f().Image3->isHidden());
        QVERIFY(f().Image1->isHidden());
    }
};

QTEST_MAIN(TestVerify)
#include "tst_verify.moc"
