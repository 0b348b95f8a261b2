#include "app/form1.h"

#include "app/pictures.h"

#include <QCloseEvent>

Form1::Form1(QWidget *parent) : QWidget(parent)
{
    setupUi(this);
    m_questionLabels = {Label1, Label2,  Label3,  Label4,  Label5,  Label6,  Label7, Label8,
                        Label9, Label10, Label11, Label12, Label13, Label14, Label15};
    m_winningPictures = {Image1, Image2,  Image3,  Image4,  Image5,  Image6,  Image7, Image8,
                         Image9, Image10, Image11, Image12, Image13, Image14, Image15};

    // One decoded helmet for the example and all fifteen winnings.
    const Picture helmet = pictures::helmet();
    imaExample->setPicture(helmet);
    for (WinningPicture *image : m_winningPictures)
        image->setPicture(helmet);
    imgBarrel->setPicture(pictures::barrel());
}

QLabel *Form1::questionLabel(int n) const
{
    return n >= 1 && n <= int(m_questionLabels.size()) ? m_questionLabels[std::size_t(n - 1)]
                                                       : nullptr;
}

WinningPicture *Form1::winningPicture(int n) const
{
    return n >= 1 && n <= int(m_winningPictures.size()) ? m_winningPictures[std::size_t(n - 1)]
                                                        : nullptr;
}

void Form1::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closing();
}
