// The event procedures over a whole game: Start, then fifteen times a lifeline, Verify with
// the message box answered, the barrel's drop and Go on; against a baseline that makes the same
// property changes directly, without the procedures' look-ups.
#include "app/form1.h"
#include "app/program.h"
#include "app/startup.h"
#include "app/winningpicture.h"
#include "content/questionbank.h"
#include "game/procedures.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

// Answers each message box as soon as it waits for its answer, as a quick player would.
class BoxCloser : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (auto *box = qobject_cast<QMessageBox *>(watched); box && event->type() == QEvent::Show)
            QTimer::singleShot(0, box, [box] { box->done(QMessageBox::Ok); });
        return false;
    }
};

void playByProcedures()
{
    Program program([] {});
    Form1 &f = program.form1();
    game::Form1_Command2_Click(program);
    for (int n = 1; n <= 15; ++n) {
        game::Form1_Command5_Click(program);
        const std::string_view answer = content::questionRow(n)->acceptedAnswers()[0];
        f.Text1->setText(QString::fromLatin1(answer.data(), qsizetype(answer.size())));
        game::Form1_Command1_Click(program);
        game::Form1_imgBarrel_DragDrop(program, f.winningPicture(n));
        game::Form1_Command3_Click(program);
    }
}

// The same visible changes made by hand: what any implementation has to pay for.
void playByHand()
{
    Program program([] {});
    Form1 &f = program.form1();
    f.Label1->setVisible(true);
    f.Command2->setVisible(false);
    for (QWidget *w : {static_cast<QWidget *>(f.Command5), static_cast<QWidget *>(f.Command6),
                       static_cast<QWidget *>(f.Command7), static_cast<QWidget *>(f.lblTextBox),
                       static_cast<QWidget *>(f.Command1), static_cast<QWidget *>(f.Text1)})
        w->setVisible(true);
    for (int n = 1; n <= 15; ++n) {
        const content::Question *q = content::questionRow(n);
        f.Label19->setText(
            QString::fromLatin1(q->phoneHint.data(), qsizetype(q->phoneHint.size())));
        f.Command5->setVisible(false);
        f.Text1->setText(
            QString::fromLatin1(q->answers[0].data(), qsizetype(q->answers[0].size())));
        f.winningPicture(n)->setVisible(true);
        for (QWidget *w : {static_cast<QWidget *>(f.Command1), static_cast<QWidget *>(f.Command3),
                           static_cast<QWidget *>(f.Command6), static_cast<QWidget *>(f.Command7)})
            w->setEnabled(false);
        f.Label19->setText(QString());
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Prizewell"),
                        QString::fromLatin1(game::correctMessage), QMessageBox::Ok, &f);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
        f.winningPicture(n)->setVisible(false);
        if (q->winningsCaption)
            f.Label17->setText(QString::fromLatin1(q->winningsCaption->data()));
        f.Text1->setText(QString());
        f.Command3->setEnabled(true);
        if (n < 15) {
            f.questionLabel(n + 1)->setVisible(true);
            f.questionLabel(n)->setVisible(false);
        }
        for (QWidget *w : {static_cast<QWidget *>(f.Command1), static_cast<QWidget *>(f.Command6),
                           static_cast<QWidget *>(f.Command7)})
            w->setEnabled(true);
        f.Command3->setEnabled(false);
    }
}

} // namespace

class BenchProcedures : public QObject
{
    Q_OBJECT
    BoxCloser boxCloser;

private slots:
    void initTestCase()
    {
        app::setUpApplication();
        qApp->installEventFilter(&boxCloser);
    }
    void baselineByHand()
    {
        QBENCHMARK
        {
            playByHand();
        }
    }
    void wholeGameByProcedures()
    {
        QBENCHMARK
        {
            playByProcedures();
        }
    }
};

QTEST_MAIN(BenchProcedures)
#include "bench_procedures.moc"
