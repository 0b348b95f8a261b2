// The barrel: banking each winning, and refusing whatever is not a winning of this game.
#include "app/form2.h"
#include "app/startup.h"
#include "app/winningpicture.h"
#include "game/procedures.h"
#include "tests/support/gametest.h"
#include "tests/support/prizeladder.h"

#include <QApplication>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QTranslator>
#include <QUrl>

#include <memory>

class TestBarrel : public GameTest
{
    Q_OBJECT

private slots:
    void banking_data()
    {
        QTest::addColumn<int>("question");
        QTest::addColumn<QString>("winnings");
        for (int n = 1; n <= 14; ++n)
            QTest::addRow("tag %c", char('a' + n - 1)) << n << prizeLadder[n - 1];
    }
    void banking()
    {
        QFETCH(int, question);
        QFETCH(QString, winnings);
        driver->playTo(question);
        driver->answerCorrectly(question);
        QVERIFY(!f().Command3->isEnabled());
        QVERIFY(driver->bank(question));

        QVERIFY(f().winningPicture(question)->isHidden());
        QCOMPARE(f().Label17->text(), winnings);
        QCOMPARE(f().Text1->text(), QString());
        QVERIFY(f().Command3->isVisible());
        QVERIFY(f().Command3->isEnabled());
        QVERIFY(!f().Command1->isEnabled());
        QVERIFY(!driver->program().loadedForm2());
        // Banked once: the picture is gone and cannot be dragged again.
        QVERIFY(!driver->bank(question));
    }

    void firstWinningShowsGoOn()
    {
        driver->start();
        driver->answerCorrectly(1);
        QVERIFY(f().Command3->isHidden());
        QVERIFY(driver->bank(1));
        QVERIFY(!f().Command3->isHidden());
    }

    void lastWinningOpensTheWinWindow()
    {
        driver->playTo(15);
        driver->answerCorrectly(15);
        QVERIFY(driver->bank(15));
        Form2 *f2 = driver->program().loadedForm2();
        QVERIFY(f2);
        QVERIFY(f2->isVisible());
        QVERIFY(!f2->isModal());
        QVERIFY(f().isHidden());
        QVERIFY(f().Image15->isHidden());
        // The hidden main window keeps its state.
        QCOMPARE(f().Label17->text(), QStringLiteral("Winnings:$500000"));
        QCOMPARE(f().Text1->text(), QStringLiteral("Saturday"));
        QVERIFY(!f().Command3->isEnabled());
        QCOMPARE(driver->endCount(), 0);
        QVERIFY(driver->click(f2->Command1));
        QCOMPARE(driver->endCount(), 1);
    }

    // An installed translation changes every caption but never the Tags the barrel banks by,
    // nor the program's name.
    void bankingUnderATranslation()
    {
        struct Everything : QTranslator
        {
            [[nodiscard]] bool isEmpty() const override { return false; }
            QString translate(const char *, const char *source, const char *, int) const override
            {
                return QStringLiteral("[%1]").arg(QString::fromUtf8(source));
            }
        } translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        driver = std::make_unique<GameDriver>();
        QCOMPARE(f().Command1->text(), QStringLiteral("[Verify]"));
        QCOMPARE(f().windowTitle(), QStringLiteral("Prizewell"));
        for (int n = 1; n <= 15; ++n)
            QCOMPARE(f().winningPicture(n)->property("Tag").toString(),
                     QString(QChar(u'a' + n - 1)));
        driver->start();
        driver->answerCorrectly(1);
        QVERIFY(driver->bank(1));
        driver.reset();
    }

    // The barrel reads only the Tag; a control with a tag of no question is just hidden.
    void unknownTag_data()
    {
        QTest::addColumn<QVariant>("tag");
        QTest::newRow("upper case") << QVariant(QStringLiteral("A"));
        QTest::newRow("trailing space") << QVariant(QStringLiteral("a "));
        QTest::newRow("past the last") << QVariant(QStringLiteral("p"));
        QTest::newRow("empty") << QVariant(QString());
        QTest::newRow("none") << QVariant();
    }
    void unknownTag()
    {
        QFETCH(QVariant, tag);
        driver->start();
        QLabel stray(QStringLiteral("x"), &f());
        stray.setProperty("Tag", tag);
        game::Form1_imgBarrel_DragDrop(driver->program(), &stray);
        QVERIFY(stray.isHidden());
        QCOMPARE(f().Label17->text(), QStringLiteral("Winnings:$0"));
        QVERIFY(f().Command3->isHidden());
        QVERIFY(!driver->program().loadedForm2());
    }

    // Only a winning picture of this window may be dropped: anything else is refused and
    // changes nothing.
    void foreignDrags_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("text") << "text";
        QTest::newRow("file list") << "files";
        QTest::newRow("image") << "image";
        QTest::newRow("our format, another program") << "format";
        QTest::newRow("example picture") << "example";
        QTest::newRow("picture of another window") << "stranger";
    }
    void foreignDrags()
    {
        QFETCH(QString, kind);
        driver->start();
        driver->answerCorrectly(1);

        QMimeData plain;
        std::unique_ptr<QMimeData> data;
        WinningPicture stranger;
        stranger.setProperty("Tag", QStringLiteral("a"));
        if (kind == u"text") {
            plain.setText(QStringLiteral("a"));
        } else if (kind == u"files") {
            plain.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a"))});
        } else if (kind == u"image") {
            plain.setImageData(QImage(8, 8, QImage::Format_RGB32));
        } else if (kind == u"format") {
            plain.setData(QString::fromLatin1(WinningDragData::mimeType), "Image1");
        } else if (kind == u"example") {
            data = std::make_unique<WinningDragData>(f().imaExample);
        } else {
            data = std::make_unique<WinningDragData>(&stranger);
        }
        QVERIFY(!driver->dropOnBarrel(data ? data.get() : &plain));
        QVERIFY(!f().Image1->isHidden());
        QVERIFY(!f().imaExample->isHidden());
        QCOMPARE(f().Label17->text(), QStringLiteral("Winnings:$0"));
        QVERIFY(!f().Command3->isEnabled());
        // The real winning can still be banked afterwards.
        QVERIFY(driver->bank(1));
        QCOMPARE(f().Label17->text(), QStringLiteral("Winnings:$100"));
    }

    // A drag that ends anywhere else is no drop on the barrel: the picture stays put.
    void dropElsewhereChangesNothing()
    {
        driver->start();
        driver->answerCorrectly(1);
        WinningDragData data(f().Image1);
        for (QWidget *target : {static_cast<QWidget *>(&f()), static_cast<QWidget *>(f().Label17),
                                static_cast<QWidget *>(f().imaExample)}) {
            QDragEnterEvent enter(QPoint(1, 1), Qt::MoveAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(target, &enter);
            QVERIFY(!enter.isAccepted());
        }
        QVERIFY(!f().Image1->isHidden());
        QVERIFY(driver->bank(1));
    }

    // Ctrl+B banks the winning on view, as a drag onto the barrel would, and only that.
    void bankingKey()
    {
        const auto ctrlB = [this] {
            f().activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&f()));
            QTest::keyClick(f().windowHandle(), Qt::Key_B, Qt::ControlModifier);
        };
        driver->start();
        ctrlB();
        QCOMPARE(f().Label17->text(), QStringLiteral("Winnings:$0"));
        QCOMPARE(f().Text1->text(), QString());
        driver->answerCorrectly(1);
        ctrlB();
        QVERIFY(f().Image1->isHidden());
        QCOMPARE(f().Label17->text(), QStringLiteral("Winnings:$100"));
        QVERIFY(f().Command3->isVisible() && f().Command3->isEnabled());
    }

    void dragImageMatchesThePixelRatio()
    {
        const QPixmap image = f().Image1->dragImage();
        QCOMPARE(image.size(), QSize(32, 32) * f().devicePixelRatio());
        QCOMPARE(image.devicePixelRatio(), f().devicePixelRatioF());
    }
};

QTEST_MAIN(TestBarrel)
#include "tst_barrel.moc"
