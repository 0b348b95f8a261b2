#include "app/winningpicture.h"

#include <QDrag>
#include <QMouseEvent>

WinningDragData::WinningDragData(QWidget *source) : m_source(source)
{
    setData(QString::fromLatin1(mimeType), source->objectName().toUtf8());
}

WinningPicture::WinningPicture(QWidget *parent) : PictureBox(parent) {}

QPixmap WinningPicture::dragImage() const
{
    constexpr int iconSize = 32;
    const qreal dpr = devicePixelRatioF();
    const QSize device = (QSizeF(iconSize, iconSize) * dpr).toSize();
    QPixmap image = picture().nearest(device);
    if (image.isNull())
        return image;
    if (image.size() != device)
        image = image.scaled(device, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    image.setDevicePixelRatio(dpr);
    return image;
}

void WinningPicture::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        PictureBox::mousePressEvent(event);
        return;
    }
    event->accept();
    auto *drag = new QDrag(this);
    drag->setMimeData(new WinningDragData(this));
    const QPixmap image = dragImage();
    drag->setPixmap(image);
    drag->setHotSpot(QPoint(image.width(), image.height()) / (2 * image.devicePixelRatio()));
    drag->exec(Qt::MoveAction);
}
