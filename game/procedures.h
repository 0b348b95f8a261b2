// The game's event procedures, one per player action, named after the control and event
// that run them. They keep nothing of their own: they read and set the windows' controls,
// which they find by their object names.
#pragma once

class QString;
class QWidget;

namespace game {

inline constexpr auto correctMessage = "Correct! Put the winning in the barrel.";

// What the procedures need of the program around them, beyond the controls.
class Host
{
public:
    // The main window, Form1.
    [[nodiscard]] virtual QWidget &mainWindow() = 0;
    // The win window, Form2, loaded on first use.
    virtual QWidget &winWindow() = 0;
    // Shows a modal message and returns once the player has closed it.
    virtual void showMessage(const QString &text) = 0;
    // Ends the program: no procedure runs after it.
    virtual void end() = 0;

protected:
    ~Host() = default;
};

void Form1_Command1_Click(Host &host); // "Verify"
void Form1_Command2_Click(Host &host); // "Start"
void Form1_Command3_Click(Host &host); // "Go on to next question"
void Form1_Command4_Click(Host &host); // "Quit"
void Form1_Command5_Click(Host &host); // "Phone Vorel"
void Form1_Command6_Click(Host &host); // "Choices"
void Form1_Command7_Click(Host &host); // "Ask The Audience"
void Form1_imgBarrel_DragDrop(Host &host, QWidget *source);
void Form2_Command1_Click(Host &host); // "Quit" on the win window

} // namespace game
