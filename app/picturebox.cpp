#include "app/picturebox.h"

#include <QPainter>

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void PictureBox::setPicture(const Picture &picture)
{
    m_picture = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    const qreal dpr = devicePixelRatioF();
    const QPixmap image = m_picture.nearest((QSizeF(size()) * dpr).toSize());
    if (image.isNull())
        return;
    // No SmoothPixmapTransform: pixel art stays sharp when stretched.
    QPainter painter(this);
    painter.drawPixmap(rect(), image);
}
