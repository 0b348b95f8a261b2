#include "tests/support/gamedriver.h"

#include "app/winningpicture.h"
#include "content/questionbank.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <utility>

namespace {

void clickAt(QWidget *widget)
{
    QWidget *window = widget->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      widget->mapTo(window, widget->rect().center()));
}

// Key presses for each character, as a keyboard (or input method) would send them.
void typeKeys(QWindow *window, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() > 0x20 && c.unicode() < 0x7f) {
            QTest::keyClick(window, char(c.unicode()));
        } else {
            const qsizetype n = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            const Qt::Key key = c == u' ' ? Qt::Key_Space : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, window, key, text.mid(i, n), {});
            i += n - 1;
        }
    }
}

QString latin1(std::string_view s)
{
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

} // namespace

// Hands each message box, once it waits for its answer, to the test's player.
class GameDriver::BoxPlayer : public QObject
{
public:
    BoxPlayer() { qApp->installEventFilter(this); }
    std::function<void(QMessageBox *)> next;
    int seen = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QMessageBox *>(watched);
        if (box && event->type() == QEvent::Show) {
            ++seen;
            // Queued, so that it runs inside the box's own event loop, once the box has the
            // keyboard as it would before a player could press anything.
            QTimer::singleShot(0, box, [this, box] {
                if (!QTest::qWaitForWindowActive(box))
                    qWarning("the message box did not become active");
                if (const auto player = std::exchange(next, {}))
                    player(box);
                if (box->isVisible())
                    answerMessageBox();
                // The answer asked the box's loop, from in here, to return, but QTest processes
                // events after every input and that took the loop's cue. Dispatchers that wait
                // again after delivering this call (Windows, Unix without GLib) would then wait
                // for ever; give them something to wake for.
                QAbstractEventDispatcher::instance()->wakeUp();
            });
        }
        return false;
    }
};

GameDriver::GameDriver()
    : m_boxPlayer(std::make_unique<BoxPlayer>()), m_program([this] { ++m_ends; })
{
    m_program.show();
    if (!QTest::qWaitForWindowExposed(&form1()))
        qFatal("main window not exposed");
    form1().activateWindow();
    if (!QTest::qWaitForWindowActive(&form1()))
        qFatal("main window not active");
}

GameDriver::~GameDriver() = default;

bool GameDriver::click(QAbstractButton *button)
{
    // A window that is not on screen takes no input.
    if (!button->window()->isVisible())
        return false;
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    clickAt(button);
    return clicked.count() == 1;
}

void GameDriver::type(const QString &text)
{
    clickAt(form1().Text1);
    QWindow *window = form1().windowHandle();
    QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(window, Qt::Key_Delete);
    else
        typeKeys(window, text);
}

QMessageBox *GameDriver::messageBox()
{
    return qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
}

bool GameDriver::answerMessageBox()
{
    QMessageBox *box = messageBox();
    if (!box || box->buttons().size() != 1)
        return false;
    clickAt(box->buttons().constFirst());
    return true;
}

void GameDriver::whileBoxOpen(std::function<void(QMessageBox *)> player)
{
    m_boxPlayer->next = std::move(player);
}

int GameDriver::boxesSeen() const
{
    return m_boxPlayer->seen;
}

bool GameDriver::dropOnBarrel(const QMimeData *data)
{
    QWidget *barrel = form1().imgBarrel;
    const QPoint at = barrel->rect().center();
    QDragEnterEvent enter(at, Qt::MoveAction, data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(barrel, &enter);
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent move(at, Qt::MoveAction, data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(barrel, &move);
    QDropEvent drop(QPointF(at), Qt::MoveAction, data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(barrel, &drop);
    return move.isAccepted() && drop.isAccepted();
}

bool GameDriver::bank(int n)
{
    WinningPicture *picture = form1().winningPicture(n);
    // A player can only press on a picture that is on screen.
    if (!picture->isVisible() || messageBox())
        return false;
    WinningDragData data(picture);
    return dropOnBarrel(&data);
}

void GameDriver::start()
{
    if (!click(form1().Command2))
        qFatal("Start could not be clicked");
}

void GameDriver::answerCorrectly(int n, int answerIndex)
{
    const auto answers = content::questionRow(n)->acceptedAnswers();
    type(latin1(answers[std::size_t(answerIndex)]));
    const int boxes = boxesSeen();
    if (!click(form1().Command1) || boxesSeen() != boxes + 1)
        qFatal("question %d was not judged correct", n);
}

void GameDriver::goOn()
{
    if (!click(form1().Command3))
        qFatal("Go on to next question could not be clicked");
}

void GameDriver::playTo(int n)
{
    start();
    for (int q = 1; q < n; ++q) {
        answerCorrectly(q);
        if (!bank(q))
            qFatal("winning %d was not banked", q);
        goOn();
    }
}

QStringList visibleTopLevels()
{
    QStringList shown;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            shown << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                : w->objectName());
    }
    return shown;
}
