// Plays the real game in-process the way a player would: clicks and keys go through the
// window system layer, so hidden, disabled, covered or modally blocked controls get nothing.
#pragma once

#include "app/form1.h"
#include "app/program.h"
#include "content/questionbank.h"

#include <QString>

#include <functional>
#include <memory>

class QAbstractButton;
class QMessageBox;
class QMimeData;
class QWidget;

class GameDriver
{
public:
    GameDriver();
    ~GameDriver();
    GameDriver(const GameDriver &) = delete;
    GameDriver &operator=(const GameDriver &) = delete;

    Program &program() { return m_program; }
    Form1 &form1() { return m_program.form1(); }
    // How often the program was ended.
    [[nodiscard]] int endCount() const { return m_ends; }

    // A left click at the button's centre. True when the button reported a click.
    bool click(QAbstractButton *button);
    // Clicks into the answer box, selects what it holds and types `text`.
    void type(const QString &text);
    // The open modal message box, or nullptr.
    [[nodiscard]] static QMessageBox *messageBox();
    // Presses the message box's only button. False when there is no box.
    static bool answerMessageBox();
    // The message box holds up the action that opened it until it is answered. Once the next
    // box is open, `player` acts while it waits; whatever it leaves open is then answered.
    // Without a player a box is answered at once.
    void whileBoxOpen(std::function<void(QMessageBox *)> player);
    // How many message boxes have been opened.
    [[nodiscard]] int boxesSeen() const;

    // Drags `data` onto the barrel (enter, move, drop). True when the barrel took the drop.
    bool dropOnBarrel(const QMimeData *data);
    // Drags winning picture N onto the barrel, as the player's mouse would.
    bool bank(int n);

    // Whole steps of a game, each checked to have worked.
    void start();
    void answerCorrectly(int n, int answerIndex = 0);
    void goOn();
    // From start-up to question n showing, every earlier question answered and banked.
    void playTo(int n);

private:
    class BoxPlayer;
    std::unique_ptr<BoxPlayer> m_boxPlayer;
    Program m_program;
    int m_ends = 0;
};

// Every top-level widget that is still shown; a test leaves none behind.
QStringList visibleTopLevels();
