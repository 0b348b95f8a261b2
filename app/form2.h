// The win window, created when the fifteenth winning is banked.
#pragma once

#include "ui_form2.h"

#include <QWidget>

class Form2 : public QWidget, public Ui::Form2
{
    Q_OBJECT
public:
    explicit Form2(QWidget *parent = nullptr);

signals:
    // The window is being closed through its frame.
    void closing();

protected:
    void closeEvent(QCloseEvent *event) override;
};
