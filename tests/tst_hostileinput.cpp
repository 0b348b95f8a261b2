// Odd and hostile input: huge and strange answers, keys and clicks at the wrong moment, and
// windows closed in every state. Each is judged or refused by the game's rules, no more.
#include "app/form2.h"
#include "app/startup.h"
#include "tests/support/gametest.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <memory>

class TestHostileInput : public GameTest
{
    Q_OBJECT

    bool lost() { return !f().Label18->isHidden() && !f().Command4->isHidden(); }

private slots:
    // A megabyte pasted into the answer box is kept whole and judged like any wrong answer.
    void megabyteAnswer()
    {
        driver->start();
        const QString huge(1 << 20, u'x');
        QApplication::clipboard()->setText(huge);
        driver->type(QString());
        QTest::keyClick(f().windowHandle(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f().Text1->text().size(), huge.size());
        QVERIFY(driver->click(f().Command1));
        QVERIFY(lost());
        QVERIFY(!GameDriver::messageBox());
    }

    void strangeText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("accented") << QStringLiteral("Orvan Quíllam");
        QTest::newRow("emoji") << QStringLiteral("Orvan Quillam \U0001F3C6");
        QTest::newRow("right-to-left") << QStringLiteral("\u05D0\u05D1");
        QTest::newRow("zero-width space") << QStringLiteral("Orvan\u200BQuillam");
        QTest::newRow("full-width") << QStringLiteral("Ｏｒｖａｎ Quillam");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800));
        QTest::newRow("tab and newline") << QStringLiteral("Orvan\tQuillam\n");
        QTest::newRow("escape and bell") << QStringLiteral("\x1b[2J\a");
    }
    // Pasted, so characters a keyboard could not type reach the box too.
    void strangeText()
    {
        QFETCH(QString, typed);
        driver->start();
        QApplication::clipboard()->setText(typed);
        driver->type(QString());
        QTest::keyClick(f().windowHandle(), Qt::Key_V, Qt::ControlModifier);
        QVERIFY(driver->click(f().Command1));
        QVERIFY(lost());
        QVERIFY(!GameDriver::messageBox());
        QVERIFY(f().Image1->isHidden());
    }

    // Keys pressed while the message box is open go to the box, not to the answer.
    void typingWhileTheBoxIsOpen()
    {
        driver->start();
        driver->type(QStringLiteral("Orvan Quillam"));
        driver->whileBoxOpen([this](QMessageBox *) {
            QTest::keyClick(f().windowHandle(), Qt::Key_X);
            QTest::keyClick(f().windowHandle(), Qt::Key_Backspace);
            QCOMPARE(f().Text1->text(), QStringLiteral("Orvan Quillam"));
            QVERIFY(GameDriver::messageBox());
            // Even when the keyboard is on the main window, Return answers the box.
            QTest::keyClick(f().windowHandle(), Qt::Key_Return);
            QVERIFY(!GameDriver::messageBox());
        });
        QVERIFY(driver->click(f().Command1));
        QCOMPARE(driver->boxesSeen(), 1);
    }

    void doubleClickOnVerify_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("right");
        QTest::newRow("right answer") << "Orvan Quillam" << true;
        QTest::newRow("wrong answer") << "Bram Stoker" << false;
    }
    // The second click of a double click finds "Verify" disabled or blocked: one judgement.
    void doubleClickOnVerify()
    {
        QFETCH(QString, typed);
        QFETCH(bool, right);
        driver->start();
        driver->type(typed);
        QSignalSpy clicks(f().Command1, &QAbstractButton::clicked);
        const QPoint at = f().Command1->geometry().center();
        QTest::mouseClick(f().windowHandle(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(f().windowHandle(), Qt::LeftButton, {}, at);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(lost(), !right);
        QCOMPARE(driver->boxesSeen(), right ? 1 : 0);
    }

    void doubleClickOnALifeline()
    {
        driver->start();
        QSignalSpy clicks(f().Command6, &QAbstractButton::clicked);
        const QPoint at = f().Command6->geometry().center();
        QTest::mouseClick(f().windowHandle(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(f().windowHandle(), Qt::LeftButton, {}, at);
        QCOMPARE(clicks.count(), 1);
        QVERIFY(f().Command6->isHidden());
    }

    // Space and Enter press the focused button only when a click could; hidden and disabled
    // buttons cannot take the focus at all.
    void keyboardOnEveryButton_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("key");
        for (const char *state : {"before Start", "answering", "answered", "lost"}) {
            QTest::addRow("%s, Space", state) << QString::fromLatin1(state) << int(Qt::Key_Space);
            QTest::addRow("%s, Enter", state) << QString::fromLatin1(state) << int(Qt::Key_Return);
        }
    }
    void keyboardOnEveryButton()
    {
        QFETCH(QString, state);
        QFETCH(int, key);
        if (state != u"before Start")
            driver->start();
        if (state == u"answered") {
            driver->answerCorrectly(1);
            QVERIFY(driver->bank(1));
        } else if (state == u"lost") {
            driver->type(QStringLiteral("no"));
            QVERIFY(driver->click(f().Command1));
        }
        QList<QPushButton *> usable;
        QList<QSignalSpy *> spies;
        for (int b = 1; b <= 7; ++b) {
            auto *button = f().findChild<QPushButton *>(QStringLiteral("Command%1").arg(b));
            button->setFocus(Qt::TabFocusReason);
            if (button->isVisible() && button->isEnabled()) {
                QCOMPARE(f().focusWidget(), button);
                usable << button;
            } else {
                QVERIFY2(f().focusWidget() != button, qPrintable(button->objectName()));
            }
            spies << new QSignalSpy(button, &QAbstractButton::clicked);
        }
        // The key presses the focused button, and only that one.
        QVERIFY(!usable.isEmpty());
        usable.constFirst()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(f().windowHandle(), Qt::Key(key));
        int clicks = 0;
        for (QSignalSpy *spy : spies)
            clicks += int(spy->count());
        QCOMPARE(clicks, 1);
        QCOMPARE(spies[usable.constFirst()->objectName().mid(7).toInt() - 1]->count(), 1);
        qDeleteAll(spies);
    }

    // Drags from elsewhere onto the pictures or the window are not taken.
    void foreignDropsElsewhere()
    {
        driver->start();
        driver->answerCorrectly(1);
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(QStringLiteral("/etc/passwd"))});
        QMimeData image;
        image.setImageData(QImage(4, 4, QImage::Format_ARGB32));
        for (QMimeData *data : {&files, &image}) {
            for (QWidget *target :
                 {static_cast<QWidget *>(f().Image1), static_cast<QWidget *>(f().imaExample),
                  static_cast<QWidget *>(&f())}) {
                QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, data, Qt::LeftButton, {});
                QCoreApplication::sendEvent(target, &enter);
                QVERIFY(!enter.isAccepted());
            }
            QVERIFY(!driver->dropOnBarrel(data));
        }
        QVERIFY(!f().Image1->isHidden());
        QCOMPARE(f().Label17->text(), QStringLiteral("Winnings:$0"));
    }

    // Closing a window through its frame ends the program in every state, once.
    void frameClose_data()
    {
        QTest::addColumn<QString>("state");
        QTest::newRow("before Start") << "before Start";
        QTest::newRow("mid-question") << "mid-question";
        QTest::newRow("winning on view") << "winning on view";
        QTest::newRow("after a loss") << "after a loss";
        QTest::newRow("win window") << "win window";
    }
    void frameClose()
    {
        QFETCH(QString, state);
        QWidget *window = &f();
        if (state == u"mid-question") {
            driver->playTo(3);
        } else if (state == u"winning on view") {
            driver->playTo(2);
            driver->answerCorrectly(2);
        } else if (state == u"after a loss") {
            driver->start();
            driver->type(QStringLiteral("?"));
            QVERIFY(driver->click(f().Command1));
        } else if (state == u"win window") {
            driver->playTo(15);
            driver->answerCorrectly(15);
            QVERIFY(driver->bank(15));
            window = driver->program().loadedForm2();
        }
        QVERIFY(window->isVisible());
        QVERIFY(window->close());
        QCOMPARE(driver->endCount(), 1);
        QVERIFY(visibleTopLevels().isEmpty());
    }
};

QTEST_MAIN(TestHostileInput)
#include "tst_hostileinput.moc"
