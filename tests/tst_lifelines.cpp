// The three lifelines: each writes its own hint for the question on view, once per game.
#include "app/startup.h"
#include "game/procedures.h"
#include "tests/support/gametest.h"

#include <QTest>

#include <memory>

using content::Question;

class TestLifelines : public GameTest
{
    Q_OBJECT

    QPushButton *button(int lifeline)
    {
        return lifeline == 5 ? f().Command5 : lifeline == 6 ? f().Command6 : f().Command7;
    }

private slots:
    void hint_data()
    {
        QTest::addColumn<int>("question");
        QTest::addColumn<int>("lifeline"); // 5, 6 or 7: the button's number
        QTest::addColumn<QString>("expected");
        const std::pair<int, std::string_view Question::*> columns[] = {
            {5, &Question::phoneHint}, {6, &Question::choicesHint}, {7, &Question::audienceHint}};
        for (int n = 1; n <= 15; ++n) {
            for (const auto &[lifeline, column] : columns) {
                const std::string_view text = content::questionRow(n)->*column;
                QTest::addRow("question %d, Command%d", n, lifeline)
                    << n << lifeline << QString::fromLatin1(text.data(), qsizetype(text.size()));
            }
        }
    }
    void hint()
    {
        QFETCH(int, question);
        QFETCH(int, lifeline);
        QFETCH(QString, expected);
        driver->playTo(question);
        QVERIFY(driver->click(button(lifeline)));
        QCOMPARE(f().Label19->text(), expected);
        QVERIFY(button(lifeline)->isHidden());
        // The others are untouched, and this one cannot be used again.
        for (int other : {5, 6, 7}) {
            if (other != lifeline)
                QVERIFY(button(other)->isVisible() && button(other)->isEnabled());
        }
        QVERIFY(!driver->click(button(lifeline)));
    }

    void choicesOfFifteenKeepTheirTrailingSpace()
    {
        driver->playTo(15);
        QVERIFY(driver->click(f().Command6));
        QVERIFY(f().Label19->text().endsWith(QStringLiteral("Saturday. ")));
    }

    // Each later hint replaces the earlier one whole.
    void laterHintReplaces()
    {
        driver->start();
        QVERIFY(driver->click(f().Command5));
        QVERIFY(driver->click(f().Command6));
        QCOMPARE(f().Label19->text(),
                 QStringLiteral("There are three choices. The choices are Orvan Quillam,Vorel "
                                "Brask, and Dr.Marrick."));
        QVERIFY(driver->click(f().Command7));
        QCOMPARE(f().Label19->text(),
                 QStringLiteral("The audience thinks the answer is Orvan Quillam."));
    }

    // After a loss the hint stays beside "Sorry, You lost."; the lifelines stay disabled.
    void hintOutlivesALoss()
    {
        driver->start();
        QVERIFY(driver->click(f().Command7));
        driver->type(QStringLiteral("Dracula"));
        QVERIFY(driver->click(f().Command1));
        QVERIFY(!f().Label18->isHidden());
        QCOMPARE(f().Label19->text(),
                 QStringLiteral("The audience thinks the answer is Orvan Quillam."));
        QVERIFY(!driver->click(f().Command5));
        QVERIFY(!driver->click(f().Command6));
    }

    void hiddenBeforeStart()
    {
        for (int lifeline : {5, 6, 7})
            QVERIFY(!driver->click(button(lifeline)));
        QCOMPARE(f().Label19->text(), QString());
    }

    // With no question on view a lifeline is spent without a hint.
    void spentWithoutAQuestion_data()
    {
        QTest::addColumn<int>("lifeline");
        QTest::newRow("phone") << 5;
        QTest::newRow("choices") << 6;
        QTest::newRow("audience") << 7;
    }
    void spentWithoutAQuestion()
    {
        QFETCH(int, lifeline);
        driver->start();
        f().Label19->setText(QStringLiteral("earlier"));
        f().Label1->setVisible(false);
        void (*procedures[])(game::Host &) = {
            game::Form1_Command5_Click, game::Form1_Command6_Click, game::Form1_Command7_Click};
        procedures[lifeline - 5](driver->program());
        QCOMPARE(f().Label19->text(), QStringLiteral("earlier"));
        QVERIFY(button(lifeline)->isHidden());
    }

    void lowestVisibleQuestionDecides()
    {
        driver->start();
        f().Label9->setVisible(true);
        QVERIFY(driver->click(f().Command5));
        QCOMPARE(f().Label19->text(),
                 QStringLiteral("I think the answer is Orvan Quillam. I'm 90% sure."));
    }
};

QTEST_MAIN(TestLifelines)
#include "tst_lifelines.moc"
