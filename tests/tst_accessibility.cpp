// What a screen reader sees and can do: every control's role and name, and a whole game won
// through accessibility actions alone, banking included.
#include "app/form2.h"
#include "app/pictureaccessible.h"
#include "app/startup.h"
#include "tests/support/gametest.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

QAccessibleInterface *accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

QStringList actions(QObject *object)
{
    QAccessibleActionInterface *a = accessible(object)->actionInterface();
    return a ? a->actionNames() : QStringList();
}

// Presses a button the way an assistive tool does, and waits for its click.
bool press(QAbstractButton *button)
{
    QAccessibleActionInterface *a = accessible(button)->actionInterface();
    if (!a || !a->actionNames().contains(QAccessibleActionInterface::pressAction()))
        return false;
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    a->doAction(QAccessibleActionInterface::pressAction());
    return clicked.count() == 1 || clicked.wait(2000);
}

} // namespace

class TestAccessibility : public GameTest
{
    Q_OBJECT

private slots:
    void rolesAndNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("accessibleName");
        const auto row = [](const char *control, QAccessible::Role role, const char *name) {
            QTest::newRow(control)
                << QString::fromLatin1(control) << int(role) << QString::fromLatin1(name);
        };
        row("Command1", QAccessible::Button, "Verify");
        row("Command2", QAccessible::Button, "Start");
        row("Command3", QAccessible::Button, "Go on to next question");
        row("Command4", QAccessible::Button, "Quit");
        row("Command5", QAccessible::Button, "Phone Vorel");
        row("Command6", QAccessible::Button, "Choices");
        row("Command7", QAccessible::Button, "Ask The Audience");
        row("Text1", QAccessible::EditableText, "Put answer here.");
        row("Label1", QAccessible::StaticText, "1.Who created Dracula?");
        row("Label17", QAccessible::StaticText, "Winnings:$0");
        row("Label18", QAccessible::StaticText, "Sorry, You lost.");
        row("lblImage", QAccessible::StaticText, "Put winnings here.");
        row("imaExample", QAccessible::Graphic, "Example winning");
        row("imgBarrel", QAccessible::Graphic, "Barrel");
        row("Image1", QAccessible::Graphic, "Winning");
        row("Image15", QAccessible::Graphic, "Winning");
    }
    void rolesAndNames()
    {
        QFETCH(QString, name);
        QFETCH(int, role);
        QFETCH(QString, accessibleName);
        auto *w = f().findChild<QWidget *>(name);
        QAccessibleInterface *iface = accessible(w);
        QVERIFY(iface && iface->isValid());
        QCOMPARE(int(iface->role()), role);
        QCOMPARE(iface->text(QAccessible::Name), accessibleName);
        QCOMPARE(iface->parent()->object(), &f());
    }

    // Every control is in the tree, named, and the pictures still take no focus.
    void everyControlIsReachable()
    {
        QAccessibleInterface *window = accessible(&f());
        QCOMPARE(window->childCount(), 46);
        for (int i = 0; i < window->childCount(); ++i) {
            QAccessibleInterface *child = window->child(i);
            const QString name = child->object()->objectName();
            QVERIFY2(!child->text(QAccessible::Name).isEmpty() ||
                         !child->text(QAccessible::Description).isEmpty(),
                     qPrintable(name));
            if (child->role() == QAccessible::Graphic) {
                QVERIFY(!child->state().focusable);
                QCOMPARE(qobject_cast<QWidget *>(child->object())->focusPolicy(), Qt::NoFocus);
            }
        }
        QCOMPARE(accessible(f().Label19)->text(QAccessible::Description),
                 QStringLiteral("Lifeline hint"));
    }

    // "Bank" is offered exactly when a player could drag the picture.
    void bankOnlyWhenDraggable()
    {
        QVERIFY(actions(f().imaExample).isEmpty());
        QVERIFY(actions(f().imgBarrel).isEmpty());
        QVERIFY(actions(f().Image1).isEmpty()); // hidden
        driver->start();
        driver->type(QStringLiteral("Orvan Quillam"));
        driver->whileBoxOpen([this](QMessageBox *) {
            QVERIFY(actions(f().Image1).isEmpty()); // the message box is in the way
            accessible(f().Image1)
                ->actionInterface()
                ->doAction(QString::fromLatin1(PictureBoxAccessible::bankAction));
            QVERIFY(!f().Image1->isHidden());
        });
        QVERIFY(driver->click(f().Command1));
        QCOMPARE(actions(f().Image1), QStringList{"Bank"});
        QVERIFY(actions(f().Image2).isEmpty());
    }

    // Any client of the bus can press a hidden button; the game must not hear it.
    void hiddenButtonsDoNothing_data()
    {
        QTest::addColumn<int>("question"); // 0: before Start
        QTest::addColumn<QString>("button");
        QTest::newRow("Verify before Start") << 0 << "Command1";
        QTest::newRow("Quit before losing") << 1 << "Command4";
        QTest::newRow("a spent lifeline") << 2 << "Command6";
    }
    void hiddenButtonsDoNothing()
    {
        QFETCH(int, question);
        QFETCH(QString, button);
        if (question) {
            driver->start();
            QVERIFY(driver->click(f().Command6));
            if (question > 1) {
                driver->answerCorrectly(1);
                QVERIFY(driver->bank(1));
                driver->goOn();
            }
        }
        auto *target = f().findChild<QAbstractButton *>(button);
        QVERIFY(target->isHidden());
        const QString hint = f().Label19->text();
        QVERIFY(press(target));
        QCOMPARE(f().Label19->text(), hint);
        QVERIFY(f().Label18->isHidden());
        QCOMPARE(f().Command2->isHidden(), question > 0);
        QCOMPARE(driver->endCount(), 0);
    }

    void bankingIsTheDrop()
    {
        driver->start();
        driver->answerCorrectly(1);
        accessible(f().Image1)->actionInterface()->doAction(QStringLiteral("Bank"));
        QVERIFY(f().Image1->isHidden());
        QCOMPARE(f().Label17->text(), QStringLiteral("Winnings:$100"));
        QCOMPARE(f().Text1->text(), QString());
        QVERIFY(f().Command3->isVisible() && f().Command3->isEnabled());
        QVERIFY(actions(f().Image1).isEmpty());
    }

    // The whole game without a mouse: accessibility actions and the text interface only.
    void winWithoutTheMouse()
    {
        QVERIFY(press(f().Command2));
        for (int n = 1; n <= 15; ++n) {
            if (n == 7)
                QVERIFY(press(f().Command6));
            const std::string_view answer = content::questionRow(n)->acceptedAnswers()[0];
            accessible(f().Text1)->setText(
                QAccessible::Value, QString::fromLatin1(answer.data(), qsizetype(answer.size())));
            bool pressedOk = false;
            driver->whileBoxOpen(
                [&pressedOk](QMessageBox *box) { pressedOk = press(box->buttons().constFirst()); });
            QVERIFY(press(f().Command1));
            QVERIFY(pressedOk);
            QTRY_VERIFY(!GameDriver::messageBox());
            QCOMPARE(actions(f().winningPicture(n)), QStringList{"Bank"});
            accessible(f().winningPicture(n))->actionInterface()->doAction(QStringLiteral("Bank"));
            if (n < 15)
                QVERIFY(press(f().Command3));
        }
        Form2 *f2 = driver->program().loadedForm2();
        QVERIFY(f2 && f2->isVisible());
        QCOMPARE(accessible(f2)->text(QAccessible::Name), QStringLiteral("Hi Prizewell!"));
        QVERIFY(press(f2->Command1));
        QCOMPARE(driver->endCount(), 1);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
