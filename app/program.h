// The running program: its two windows, the wiring of their events to the game's
// procedures, and the end of the program.
#pragma once

#include "game/procedures.h"

#include <QObject>

#include <functional>
#include <memory>

class Form1;
class Form2;
class QAbstractButton;
class QWidget;

class Program : public QObject, public game::Host
{
    Q_OBJECT
public:
    using EndHook = std::function<void()>;

    // `endProgram` is what ending the program finally does; by default it leaves the event
    // loop with status 0. Tests pass their own to observe the end.
    explicit Program(EndHook endProgram = {});
    ~Program() override;

    [[nodiscard]] Form1 &form1() const { return *m_form1; }
    // The win window, created and loaded on first use.
    Form2 &form2();
    // The win window if it has been created, else nullptr.
    [[nodiscard]] Form2 *loadedForm2() const { return m_form2.get(); }

    // Shows the main window centred on its screen, its frame included once there is one.
    void show();

    [[nodiscard]] QWidget &mainWindow() override;
    QWidget &winWindow() override;
    // The message box, modal for the whole program, owned by the main window.
    void showMessage(const QString &text) override;

    // Ends the program at once: every window goes away and no game procedure runs after it.
    void end() override;

    // Whether a player could use `control` now: on screen in a shown window, enabled, and no
    // modal box in the way. Mouse, keyboard and accessibility all reach the game through this.
    [[nodiscard]] static bool reachable(const QWidget *control);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onClick(QAbstractButton *button, void (*procedure)(game::Host &));
    void bank(QWidget *winning);
    // Runs a procedure for `control` if the game is on and a player could use the control.
    void run(const QWidget *control, const std::function<void()> &procedure);

    std::unique_ptr<Form1> m_form1;
    std::unique_ptr<Form2> m_form2;
    EndHook m_endProgram;
    bool m_ended = false;
};
