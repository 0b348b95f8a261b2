#include "app/commandbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

CommandButton::CommandButton(QWidget *parent) : QPushButton(parent) {}

void CommandButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    // The style draws the button face and focus; the caption is drawn wrapped on top.
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    QRect label = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (isDown())
        label.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                        style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    painter.drawItemText(label, Qt::AlignCenter | Qt::TextWordWrap, option.palette, isEnabled(),
                         caption, QPalette::ButtonText);
}
