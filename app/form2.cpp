#include "app/form2.h"

#include <QCloseEvent>

Form2::Form2(QWidget *parent) : QWidget(parent)
{
    setupUi(this);
}

void Form2::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closing();
}
