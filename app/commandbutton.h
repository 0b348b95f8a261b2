// A command button whose caption wraps onto more lines when it is wider than the button, as
// "Go on to next question" must to be read in full.
#pragma once

#include <QPushButton>

class CommandButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CommandButton(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
