// The main window. Its controls are the whole state of the game; each is a member named as
// on the form (Label1, Command1, Image1, Text1, imgBarrel, ...).
#pragma once

#include "ui_form1.h"

#include <QWidget>

#include <array>

class Form1 : public QWidget, public Ui::Form1
{
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);

    // Question label N and winning picture N, for N in 1..15.
    [[nodiscard]] QLabel *questionLabel(int n) const;
    [[nodiscard]] WinningPicture *winningPicture(int n) const;

signals:
    // The window is being closed through its frame.
    void closing();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::array<QLabel *, 15> m_questionLabels{};
    std::array<WinningPicture *, 15> m_winningPictures{};
};
