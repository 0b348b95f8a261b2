// The main window as the player first sees it: every control's kind, place, caption, font,
// visibility and the keyboard's tab chain. The layout table is written out here in twips, as
// the design gives it, so a control typed wrong in the form shows up.
#include "app/form1.h"
#include "app/startup.h"
#include "app/winningpicture.h"
#include "tests/support/faces.h"
#include "tests/support/gametest.h"

#include <QApplication>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <memory>

class TestStartupState : public GameTest
{
    Q_OBJECT

private slots:
    void window()
    {
        QCOMPARE(f().objectName(), QStringLiteral("Form1"));
        QCOMPARE(f().windowTitle(), QStringLiteral("Prizewell"));
        QCOMPARE(f().size(), QSize(457, 431)); // 6855 x 6465 twips
        QCOMPARE(f().minimumSize(), f().maximumSize());
        const QPoint centre = f().screen()->availableGeometry().center();
        QVERIFY(qAbs(f().geometry().center().x() - centre.x()) <= 1);
        QVERIFY(qAbs(f().geometry().center().y() - centre.y()) <= 1);
        QVERIFY(!driver->program().loadedForm2());
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twips"); // left, top, width, height
        QTest::addColumn<bool>("visible");
        const auto row = [](const char *name, const char *kind, const char *caption, int l, int t,
                            int w, int h, bool visible) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(kind)
                                << QString::fromLatin1(caption) << QRect(l, t, w, h) << visible;
        };
        row("Label16", "QLabel",
            "This is an example of a winning. If any more of these pop up ,then put them in "
            "that barrel over there.",
            0, 2760, 975, 1815, true);
        row("imaExample", "PictureBox", "", 0, 4680, 495, 495, true);
        row("lblImage", "QLabel", "Put winnings here.", 720, 4560, 975, 375, true);
        row("imgBarrel", "Barrel", "", 600, 4920, 975, 855, true);
        row("lblTextBox", "QLabel", "Put answer here.", 3600, 2760, 1935, 255, false);
        row("Text1", "QLineEdit", "", 3600, 3120, 1815, 375, false);
        row("Command1", "CommandButton", "Verify", 5520, 3120, 735, 375, false);
        row("Command2", "CommandButton", "Start", 1080, 3840, 975, 375, true);
        row("Command3", "CommandButton", "Go on to next question", 5400, 2040, 1215, 495, false);
        row("Command4", "CommandButton", "Quit", 1560, 5280, 855, 495, false);
        row("Command5", "CommandButton", "Phone Vorel", 3000, 3600, 1095, 375, false);
        row("Command6", "CommandButton", "Choices", 4200, 3600, 975, 375, false);
        row("Command7", "CommandButton", "Ask The Audience", 5280, 3600, 1575, 375, false);
        row("Label17", "QLabel", "Winnings:$0", 1080, 3480, 1575, 255, true);
        row("Label18", "QLabel", "Sorry, You lost.", 2520, 4920, 2055, 855, false);
        row("Label19", "QLabel", "", 2520, 4080, 4335, 735, true);
        row("Label1", "QLabel", "1.Who created Dracula?", 120, 120, 1215, 495, false);
        row("Label2", "QLabel", "2.Who is the main character in \"The Hobbit\"?", 1440, 120, 1335,
            615, false);
        row("Label3", "QLabel", "3.What is 9 squared?", 2880, 120, 1095, 495, false);
        row("Label4", "QLabel", "4.What did I use to create this program?", 4080, 120, 1095, 615,
            false);
        row("Label5", "QLabel", "5.What does King Arthur seek?", 5280, 120, 975, 615, false);
        row("Label6", "QLabel", "6.What is the only mammal that can't fly and fly?", 0, 720, 1215,
            615, false);
        row("Label7", "QLabel", "7.How many keyboard buttons can you press on this keyboard?", 1320,
            840, 1335, 855, false);
        row("Label8", "QLabel", "8.What is the slope of the coordinates (1,2) and (2,4)?", 2760,
            720, 1455, 735, false);
        row("Label9", "QLabel", "9.What is Vorel's brother's first name?", 4320, 840, 1215, 615,
            false);
        row("Label10", "QLabel", "10.What school does Vorel S. Brask go to?(Put in the full name.)",
            5640, 840, 1215, 855, false);
        row("Label11", "QLabel", "11.What is 65% in decimal form?", 0, 1440, 1215, 495, false);
        row("Label12", "QLabel", "12.What instrument does Vorel S. Brask play?", 1320, 1800, 1455,
            615, false);
        row("Label13", "QLabel", "13.What instrument does Vorel's brother play?", 2880, 1560, 1095,
            855, false);
        row("Label14", "QLabel", "14.How many balls do you use when you play pool?", 4080, 1560,
            1215, 855, false);
        row("Label15", "QLabel",
            "15.What day was this program started?(Put in Sunday or Monday orTuesday etc.)", 1320,
            2520, 2055, 855, false);
        for (int n = 1; n <= 14; ++n) {
            const QByteArray name = "Image" + QByteArray::number(n);
            row(name.constData(), "WinningPicture", "", 480 * (n - 1), 5880, 495, 495, false);
        }
        row("Image15", "WinningPicture", "", 0, 5400, 495, 495, false);
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, caption);
        QFETCH(QRect, twips);
        QFETCH(bool, visible);
        const auto matches = f().findChildren<QWidget *>(name);
        QCOMPARE(matches.size(), 1);
        QWidget *w = matches.constFirst();
        QCOMPARE(w->parentWidget(), &f());
        QCOMPARE(QString::fromLatin1(w->metaObject()->className()), kind);
        QCOMPARE(w->geometry(),
                 QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
        QCOMPARE(!w->isHidden(), visible);
        QVERIFY(w->isEnabled());
        if (auto *label = qobject_cast<QLabel *>(w)) {
            QCOMPARE(label->text(), caption);
            QCOMPARE(label->textFormat(), Qt::PlainText);
            QVERIFY(label->wordWrap());
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            QCOMPARE(button->text(), caption);
            // Enter presses the button that has the focus.
            QVERIFY(button->autoDefault());
        } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            QCOMPARE(edit->text(), caption);
        } else {
            QCOMPARE(w->focusPolicy(), Qt::NoFocus);
        }
    }

    // Exactly the 46 controls of the design, each a direct child with a unique name.
    void noOtherControls()
    {
        QStringList names;
        for (QWidget *w : f().findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            names << w->objectName();
        QCOMPARE(names.size(), 46);
        names.removeDuplicates();
        QCOMPARE(names.size(), 46);
    }

    void onlyTheExampleCornerIsShown()
    {
        QStringList shown;
        for (QWidget *w : f().findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (w->isVisible())
                shown << w->objectName();
        }
        shown.sort();
        QCOMPARE(shown, QStringList({"Command2", "Label16", "Label17", "Label19", "imaExample",
                                     "imgBarrel", "lblImage"}));
    }

    void fonts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("pointSize");
        QTest::addColumn<bool>("bold");
        QTest::newRow("lost message") << "Label18" << 18 << true;
        QTest::newRow("question") << "Label7" << 8 << false;
        QTest::newRow("winnings") << "Label17" << 8 << false;
        QTest::newRow("button") << "Command3" << 8 << false;
        QTest::newRow("answer box") << "Text1" << 8 << false;
    }
    void fonts()
    {
        QFETCH(QString, name);
        QFETCH(int, pointSize);
        QFETCH(bool, bold);
        const QWidget *w = f().findChild<QWidget *>(name);
        QCOMPARE(w->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(w->font().pointSize(), pointSize);
        QCOMPARE(w->font().bold(), bold);
        // What is really drawn: the face itself or a metric-compatible one, not a wider fallback.
        const QFontInfo drawn(w->font());
        QCOMPARE(drawn.family(), drawnFace(QStringLiteral("MS Sans Serif")));
        QCOMPARE(drawn.bold(), bold);
    }

    // Captions wrap inside their boxes; with the substituted face each still fits its box's
    // width, word by word, so nothing is cut off at the side.
    void questionWordsFitTheirBoxes()
    {
        for (int n = 1; n <= 15; ++n) {
            const QLabel *label = f().questionLabel(n);
            const QFontMetrics metrics(label->font());
            for (const QString &word : label->text().split(u' '))
                QVERIFY2(metrics.horizontalAdvance(word) <= label->width(), qPrintable(word));
        }
    }

    void tags()
    {
        for (int n = 1; n <= 15; ++n)
            QCOMPARE(f().winningPicture(n)->property("Tag").toString(),
                     QString(QChar(u'a' + n - 1)));
        QVERIFY(f().imaExample->property("Tag").toString().isEmpty());
        QVERIFY(f().imgBarrel->property("Tag").toString().isEmpty());
    }

    void pictures()
    {
        const auto sizes = [](const PictureBox *box) {
            QList<QSize> s;
            for (const QPixmap &p : box->picture().images())
                s << p.size();
            return s;
        };
        const QList<QSize> helmet{{48, 48}, {32, 32}, {16, 16}};
        QCOMPARE(sizes(f().imaExample), helmet);
        for (int n = 1; n <= 15; ++n) {
            QCOMPARE(sizes(f().winningPicture(n)), helmet);
            // One decoded drawing shared by all, not fifteen copies.
            QCOMPARE(f().winningPicture(n)->picture().images().constFirst().cacheKey(),
                     f().imaExample->picture().images().constFirst().cacheKey());
        }
        QCOMPARE(sizes(f().imgBarrel), QList<QSize>{QSize(32, 32)});
        QVERIFY(!QApplication::windowIcon().isNull());
        QVERIFY(QApplication::windowIcon().availableSizes().contains(QSize(16, 16)));
        QVERIFY(QApplication::windowIcon().availableSizes().contains(QSize(32, 32)));
    }

    void startHasTheFocus()
    {
        QCOMPARE(QApplication::focusWidget(), f().Command2);
        QTest::keyClick(f().windowHandle(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f().Command2);
    }

    // The tab chain follows the tab indexes among the controls that take focus.
    void tabChain()
    {
        QStringList chain;
        QWidget *w = f().Text1;
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                chain << w->objectName();
            w = w->nextInFocusChain();
        } while (w != f().Text1);
        QCOMPARE(chain, QStringList({"Text1", "Command1", "Command2", "Command3", "Command4",
                                     "Command5", "Command6", "Command7"}));
    }

    // Pressing a button from the keyboard leaves the focus where the tab chain puts it among the
    // controls that can take it at each step; where none can, no control keeps it and Tab starts
    // from the top of the chain. Either way the next Space or Enter does no harm.
    void focusAfterEachProcedure_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("pressed");
        QTest::addColumn<QString>("focusAfter"); // empty: no control
        QTest::addColumn<QString>("focusAfterTab");
        QTest::newRow("Start") << "start-up"
                               << "Command2"
                               << ""
                               << "Text1";
        QTest::newRow("Phone Vorel") << "question 1"
                                     << "Command5"
                                     << "Command6"
                                     << "Command7";
        QTest::newRow("Ask The Audience") << "question 1"
                                          << "Command7"
                                          << "Text1"
                                          << "Command1";
        QTest::newRow("Verify, right") << "typed right"
                                       << "Command1"
                                       << "Text1"
                                       << "Text1";
        QTest::newRow("Verify, wrong") << "typed wrong"
                                       << "Command1"
                                       << "Text1"
                                       << "Command4";
        QTest::newRow("Go on") << "banked"
                               << "Command3"
                               << "Command5"
                               << "Command6";
        QTest::newRow("Go on, phone spent") << "banked, phone spent"
                                            << "Command3"
                                            << "Command6"
                                            << "Command7";
    }
    void focusAfterEachProcedure()
    {
        QFETCH(QString, state);
        QFETCH(QString, pressed);
        QFETCH(QString, focusAfter);
        QFETCH(QString, focusAfterTab);
        if (state != u"start-up")
            driver->start();
        if (state.startsWith(u"banked")) {
            if (state.endsWith(u"spent"))
                QVERIFY(driver->click(f().Command5));
            driver->answerCorrectly(1);
            QVERIFY(driver->bank(1));
        } else if (state.startsWith(u"typed")) {
            driver->type(state == u"typed right" ? QStringLiteral("Orvan Quillam")
                                                 : QStringLiteral("Dracula"));
        }
        f().findChild<QWidget *>(pressed)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(f().windowHandle(), Qt::Key_Space);
        const auto focusName = [this] {
            return f().focusWidget() ? f().focusWidget()->objectName() : QString();
        };
        QCOMPARE(focusName(), focusAfter);
        QTest::keyClick(f().windowHandle(), Qt::Key_Tab);
        QCOMPARE(focusName(), focusAfterTab);
    }

    void identity()
    {
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("io.prizewell.Prizewell"));
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Prizewell"));
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("1.00"));
        QVERIFY(QGuiApplication::applicationDisplayName() == QCoreApplication::applicationName());
    }

    void clicksOnLabelsAndPicturesChangeNothing()
    {
        for (QWidget *w :
             {static_cast<QWidget *>(f().Label16), static_cast<QWidget *>(f().Label17),
              static_cast<QWidget *>(f().Label19), static_cast<QWidget *>(f().lblImage),
              static_cast<QWidget *>(f().imaExample), static_cast<QWidget *>(f().imgBarrel)}) {
            QTest::mouseClick(f().windowHandle(), Qt::LeftButton, {},
                              w->mapTo(&f(), w->rect().center()));
        }
        QCOMPARE(f().Label17->text(), QStringLiteral("Winnings:$0"));
        QVERIFY(!f().Command2->isHidden());
        QVERIFY(f().Label1->isHidden());
    }
};

QTEST_MAIN(TestStartupState)
#include "tst_startupstate.moc"
