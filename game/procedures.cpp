#include "game/procedures.h"

#include "app/form1.h"
#include "app/form2.h"
#include "app/messagebox.h"
#include "app/program.h"
#include "content/questionbank.h"

#include <QStringView>

#include <string_view>

namespace game {
namespace {

using content::Question;

// The current question: the first of question labels 1..last whose own Visible flag is set.
const Question *currentQuestion(const Form1 &f, int last)
{
    for (int n = 1; n <= last; ++n) {
        if (!f.questionLabel(n)->isHidden())
            return content::questionRow(n);
    }
    return nullptr;
}

QString text(std::string_view ascii)
{
    return QString::fromLatin1(ascii.data(), qsizetype(ascii.size()));
}

std::u16string_view text16(const QString &s)
{
    return {QStringView(s).utf16(), std::size_t(s.size())};
}

void useLifeline(Program &program, QPushButton *button, std::string_view Question::*hint)
{
    Form1 &f = program.form1();
    if (const Question *q = currentQuestion(f, content::questionCount))
        f.Label19->setText(text(q->*hint));
    button->setVisible(false);
}

} // namespace

void Form1_Command1_Click(Program &program)
{
    Form1 &f = program.form1();
    const QString typed = f.Text1->text();
    for (const Question &q : content::questions()) {
        if (f.questionLabel(q.number)->isHidden() || !q.accepts(text16(typed)))
            continue;
        f.winningPicture(q.number)->setVisible(true);
        f.Command3->setEnabled(false);
        f.Command1->setEnabled(false);
        f.Command5->setEnabled(false);
        f.Command6->setEnabled(false);
        f.Command7->setEnabled(false);
        f.Label19->setText(QString());
        // The procedure waits here until the player has closed the box.
        app::showMessage(&f, QString::fromLatin1(correctMessage));
        return;
    }
    f.Command1->setEnabled(false);
    f.Command4->setVisible(true);
    f.Command3->setEnabled(false);
    f.Command5->setEnabled(false);
    f.Command6->setEnabled(false);
    f.Command7->setEnabled(false);
    f.Command2->setVisible(false);
    f.Label18->setVisible(true);
}

void Form1_Command2_Click(Program &program)
{
    Form1 &f = program.form1();
    f.Label1->setVisible(true);
    f.Command2->setVisible(false);
    f.Command5->setVisible(true);
    f.Command6->setVisible(true);
    f.Command7->setVisible(true);
    f.lblTextBox->setVisible(true);
    f.Command1->setVisible(true);
    f.Text1->setVisible(true);
}

void Form1_Command3_Click(Program &program)
{
    Form1 &f = program.form1();
    // The last question has nowhere to go on to, so only labels 1..14 are looked at.
    if (const Question *q = currentQuestion(f, content::questionCount - 1)) {
        f.questionLabel(q->number + 1)->setVisible(true);
        f.questionLabel(q->number)->setVisible(false);
        f.Command5->setEnabled(true);
        f.Command6->setEnabled(true);
        f.Command7->setEnabled(true);
        f.Command1->setEnabled(true);
    }
    f.Command3->setEnabled(false);
}

void Form1_Command4_Click(Program &program)
{
    program.end();
}

void Form1_Command5_Click(Program &program)
{
    useLifeline(program, program.form1().Command5, &Question::phoneHint);
}

void Form1_Command6_Click(Program &program)
{
    useLifeline(program, program.form1().Command6, &Question::choicesHint);
}

void Form1_Command7_Click(Program &program)
{
    useLifeline(program, program.form1().Command7, &Question::audienceHint);
}

void Form1_imgBarrel_DragDrop(Program &program, QWidget *source)
{
    Form1 &f = program.form1();
    source->setVisible(false);
    const Question *q = content::questionOfTag(source->property("Tag").toString().toStdString());
    if (!q)
        return;
    if (q->winningsCaption) {
        f.Command3->setEnabled(true);
        if (q->number == 1)
            f.Command3->setVisible(true);
        f.Label17->setText(text(*q->winningsCaption));
        f.Text1->setText(QString());
        return;
    }
    // The last winning: the win window replaces the main window, which stays loaded.
    program.form2().show();
    f.setVisible(false);
}

void Form2_Command1_Click(Program &program)
{
    program.end();
}

} // namespace game
