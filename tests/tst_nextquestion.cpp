// "Go on to next question": moving on, what it gives back, and what it leaves alone.
#include "app/startup.h"
#include "game/procedures.h"
#include "tests/support/gametest.h"

#include <QTest>

#include <memory>

namespace {

// Whether the next question was already on view when the current one went.
class HideWatcher : public QObject
{
public:
    HideWatcher(QWidget *current, QWidget *next) : m_next(next)
    {
        current->installEventFilter(this);
    }
    bool nextShownFirst = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Hide)
            nextShownFirst = !m_next->isHidden();
        return false;
    }

private:
    QWidget *m_next;
};

} // namespace

class TestNextQuestion : public GameTest
{
    Q_OBJECT

    QList<int> shownQuestions()
    {
        QList<int> shown;
        for (int n = 1; n <= 15; ++n) {
            if (!f().questionLabel(n)->isHidden())
                shown << n;
        }
        return shown;
    }

private slots:
    void movesOn_data()
    {
        QTest::addColumn<int>("from");
        QTest::newRow("1 to 2") << 1;
        QTest::newRow("7 to 8") << 7;
        QTest::newRow("14 to 15") << 14;
    }
    void movesOn()
    {
        QFETCH(int, from);
        driver->playTo(from);
        driver->answerCorrectly(from);
        QVERIFY(driver->bank(from));
        const QString winnings = f().Label17->text();
        HideWatcher watcher(f().questionLabel(from), f().questionLabel(from + 1));
        driver->goOn();
        QCOMPARE(shownQuestions(), QList<int>{from + 1});
        // Never a moment without a question: screen readers hear the new one arrive first.
        QVERIFY(watcher.nextShownFirst);
        for (QPushButton *b : {f().Command1, f().Command5, f().Command6, f().Command7})
            QVERIFY2(b->isVisible() && b->isEnabled(), qPrintable(b->objectName()));
        QVERIFY(f().Command3->isVisible());
        QVERIFY(!f().Command3->isEnabled());
        QCOMPARE(f().Label17->text(), winnings);
        QCOMPARE(f().Label19->text(), QString());
        QCOMPARE(f().Text1->text(), QString());
    }

    // A spent lifeline stays spent; the others come back at the next question.
    void lifelinesCarryOver()
    {
        driver->playTo(3);
        QVERIFY(driver->click(f().Command6));
        driver->answerCorrectly(3);
        QVERIFY(!f().Command5->isEnabled());
        QVERIFY(!driver->click(f().Command5));
        QVERIFY(driver->bank(3));
        driver->goOn();
        QVERIFY(f().Command6->isHidden());
        QVERIFY(f().Command5->isVisible() && f().Command5->isEnabled());
        QVERIFY(f().Command7->isVisible() && f().Command7->isEnabled());
        QVERIFY(driver->click(f().Command5));
        QCOMPARE(f().Label19->text(),
                 QString::fromLatin1(content::questionRow(4)->phoneHint.data()));
    }

    // With question 15 on view there is nowhere to go: the click only disables the button.
    void lastQuestionOnlyDisables()
    {
        driver->playTo(15);
        f().Command3->setEnabled(true);
        game::Form1_Command3_Click(driver->program());
        QCOMPARE(shownQuestions(), QList<int>{15});
        QVERIFY(!f().Command3->isEnabled());
    }

    void lowestVisibleQuestionMovesOn()
    {
        driver->start();
        f().Label5->setVisible(true);
        game::Form1_Command3_Click(driver->program());
        QCOMPARE(shownQuestions(), (QList<int>{2, 5}));
    }
};

QTEST_MAIN(TestNextQuestion)
#include "tst_nextquestion.moc"
