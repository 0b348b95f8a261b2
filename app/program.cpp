#include "app/program.h"

#include "app/form1.h"
#include "app/form2.h"
#include "app/messagebox.h"
#include "app/windowplace.h"
#include "content/questionbank.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QShortcut>
#include <QWindow>

Program::Program(EndHook endProgram)
    : m_form1(std::make_unique<Form1>()), m_endProgram(std::move(endProgram))
{
    if (!m_endProgram)
        m_endProgram = [] { QCoreApplication::exit(0); };

    Form1 &f = *m_form1;
    onClick(f.Command1, game::Form1_Command1_Click);
    onClick(f.Command2, game::Form1_Command2_Click);
    onClick(f.Command3, game::Form1_Command3_Click);
    onClick(f.Command4, game::Form1_Command4_Click);
    onClick(f.Command5, game::Form1_Command5_Click);
    onClick(f.Command6, game::Form1_Command6_Click);
    onClick(f.Command7, game::Form1_Command7_Click);
    connect(f.imgBarrel, &Barrel::dropped, this, &Program::bank);
    for (int n = 1; n <= content::questionCount; ++n) {
        WinningPicture *picture = f.winningPicture(n);
        connect(picture, &WinningPicture::bankRequested, this, [this, picture] { bank(picture); });
    }
    // Banking without a mouse: the winning on view, as if dragged; the gate in bank() decides
    // whether a drag could happen now. No key the answer box uses.
    auto *bankKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_B), &f);
    connect(bankKey, &QShortcut::activated, this, [this] {
        for (int n = 1; n <= content::questionCount; ++n) {
            if (WinningPicture *picture = m_form1->winningPicture(n); !picture->isHidden())
                return bank(picture);
        }
    });
    // Closing the main window through its frame ends the program, as its own Quit does.
    connect(&f, &Form1::closing, this, &Program::end);
}

Program::~Program() = default;

void Program::onClick(QAbstractButton *button, void (*procedure)(game::Host &))
{
    connect(button, &QAbstractButton::clicked, this,
            [this, button, procedure] { run(button, [this, procedure] { procedure(*this); }); });
}

void Program::bank(QWidget *winning)
{
    run(winning, [this, winning] { game::Form1_imgBarrel_DragDrop(*this, winning); });
}

bool Program::reachable(const QWidget *control)
{
    if (!control->isVisible() || !control->isEnabled())
        return false;
    const QWidget *modal = QApplication::activeModalWidget();
    return !modal || modal == control->window();
}

void Program::run(const QWidget *control, const std::function<void()> &procedure)
{
    // A click can be delivered to a control no player could reach: a hidden button pressed
    // through accessibility, or one given the focus while hidden and then pressed by a key.
    if (m_ended || !reachable(control))
        return;
    procedure();
    // Hiding the focused control moves the focus on only if another control can take it then;
    // otherwise the hidden control keeps it and Tab would go on from there. Drop it, so that
    // Tab starts again from the top of the chain.
    if (QWidget *focus = m_form1->focusWidget(); focus && focus->isHidden())
        focus->clearFocus();
}

Form2 &Program::form2()
{
    if (!m_form2) {
        m_form2 = std::make_unique<Form2>();
        onClick(m_form2->Command1, game::Form2_Command1_Click);
        // With the main window hidden, closing the win window must not leave an invisible
        // process behind.
        connect(m_form2.get(), &Form2::closing, this, &Program::end);
        // Not centred: it opens where a new window of the platform's would.
        app::placeAsNewWindow(*m_form2);
    }
    return *m_form2;
}

void Program::show()
{
    Form1 &f = *m_form1;
    // The client area is centred first; the frame is not known before a window manager has
    // framed the window, which it has done by the time the window is first exposed.
    if (const QScreen *screen = f.screen()) {
        QRect client = f.geometry();
        client.moveCenter(screen->availableGeometry().center());
        f.setGeometry(client);
    }
    f.show();
    if (QWindow *window = f.windowHandle())
        window->installEventFilter(this);
}

bool Program::eventFilter(QObject *watched, QEvent *event)
{
    Form1 &f = *m_form1;
    if (event->type() == QEvent::Expose && watched == f.windowHandle() &&
        f.windowHandle()->isExposed()) {
        watched->removeEventFilter(this);
        // Once only: afterwards the window stays where the player puts it.
        QRect frame = f.frameGeometry();
        if (frame != f.geometry() && f.screen()) {
            frame.moveCenter(f.screen()->availableGeometry().center());
            f.move(frame.topLeft());
        }
    }
    return QObject::eventFilter(watched, event);
}

QWidget &Program::mainWindow()
{
    return *m_form1;
}

QWidget &Program::winWindow()
{
    return form2();
}

void Program::showMessage(const QString &text)
{
    app::showMessage(m_form1.get(), text);
}

void Program::end()
{
    if (m_ended)
        return;
    m_ended = true;
    if (m_form2)
        m_form2->hide();
    m_form1->hide();
    m_endProgram();
}
