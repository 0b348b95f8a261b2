// The game's event procedures, one per player action, named after the control and event
// that run them. They keep nothing of their own: they read and set the windows' controls.
#pragma once

class Program;
class QWidget;

namespace game {

inline constexpr auto correctMessage = "Correct! Put the winning in the barrel.";

void Form1_Command1_Click(Program &program); // "Verify"
void Form1_Command2_Click(Program &program); // "Start"
void Form1_Command3_Click(Program &program); // "Go on to next question"
void Form1_Command4_Click(Program &program); // "Quit"
void Form1_Command5_Click(Program &program); // "Phone Vorel"
void Form1_Command6_Click(Program &program); // "Choices"
void Form1_Command7_Click(Program &program); // "Ask The Audience"
void Form1_imgBarrel_DragDrop(Program &program, QWidget *source);
void Form2_Command1_Click(Program &program); // "Quit" on the win window

} // namespace game
