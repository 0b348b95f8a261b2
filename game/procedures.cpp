#include "game/procedures.h"

#include "content/questionbank.h"

#include <QLabel>
#include <QLineEdit>
#include <QStringView>
#include <QWidget>

#include <string_view>

namespace game {
namespace {

using content::Question;

// The control of `form` named `name`: every control a procedure touches is on its form.
template <typename Control = QWidget> Control *control(const QWidget &form, const QString &name)
{
    auto *found = form.findChild<Control *>(name);
    Q_ASSERT(found);
    return found;
}

// The main window's controls that the procedures read and set, found by their names in the
// window, which comes first.
struct Form1Controls
{
    explicit Form1Controls(QWidget &form) : window(form) {}

    QWidget &window;
    QWidget *Command1 = control(window, QStringLiteral("Command1"));
    QWidget *Command2 = control(window, QStringLiteral("Command2"));
    QWidget *Command3 = control(window, QStringLiteral("Command3"));
    QWidget *Command4 = control(window, QStringLiteral("Command4"));
    QWidget *Command5 = control(window, QStringLiteral("Command5"));
    QWidget *Command6 = control(window, QStringLiteral("Command6"));
    QWidget *Command7 = control(window, QStringLiteral("Command7"));
    QWidget *lblTextBox = control(window, QStringLiteral("lblTextBox"));
    QLabel *Label17 = control<QLabel>(window, QStringLiteral("Label17"));
    QWidget *Label18 = control(window, QStringLiteral("Label18"));
    QLabel *Label19 = control<QLabel>(window, QStringLiteral("Label19"));
    QLineEdit *Text1 = control<QLineEdit>(window, QStringLiteral("Text1"));

    // Question label N and winning picture N, for N in 1..15.
    [[nodiscard]] QWidget *questionLabel(int n) const
    {
        return control(window, QStringLiteral("Label%1").arg(n));
    }
    [[nodiscard]] QWidget *winningPicture(int n) const
    {
        return control(window, QStringLiteral("Image%1").arg(n));
    }
};

// The current question: the first of question labels 1..last whose own Visible flag is set.
const Question *currentQuestion(const Form1Controls &f, int last)
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

void useLifeline(Host &host, const QString &button, std::string_view Question::*hint)
{
    const Form1Controls f{host.mainWindow()};
    if (const Question *q = currentQuestion(f, content::questionCount))
        f.Label19->setText(text(q->*hint));
    control(f.window, button)->setVisible(false);
}

} // namespace

void Form1_Command1_Click(Host &host)
{
    const Form1Controls f{host.mainWindow()};
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
        host.showMessage(QString::fromLatin1(correctMessage));
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

void Form1_Command2_Click(Host &host)
{
    const Form1Controls f{host.mainWindow()};
    f.questionLabel(1)->setVisible(true);
    f.Command2->setVisible(false);
    f.Command5->setVisible(true);
    f.Command6->setVisible(true);
    f.Command7->setVisible(true);
    f.lblTextBox->setVisible(true);
    f.Command1->setVisible(true);
    f.Text1->setVisible(true);
}

void Form1_Command3_Click(Host &host)
{
    const Form1Controls f{host.mainWindow()};
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

void Form1_Command4_Click(Host &host)
{
    host.end();
}

void Form1_Command5_Click(Host &host)
{
    useLifeline(host, QStringLiteral("Command5"), &Question::phoneHint);
}

void Form1_Command6_Click(Host &host)
{
    useLifeline(host, QStringLiteral("Command6"), &Question::choicesHint);
}

void Form1_Command7_Click(Host &host)
{
    useLifeline(host, QStringLiteral("Command7"), &Question::audienceHint);
}

void Form1_imgBarrel_DragDrop(Host &host, QWidget *source)
{
    const Form1Controls f{host.mainWindow()};
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
    host.winWindow().show();
    f.window.setVisible(false);
}

void Form2_Command1_Click(Host &host)
{
    host.end();
}

} // namespace game
