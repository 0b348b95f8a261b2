#include "app/pictures.h"

#include <QImageReader>

#include <cstdlib>

Picture Picture::load(const QString &path)
{
    Picture picture;
    QImageReader reader(path);
    QImage image;
    while (reader.read(&image)) {
        picture.m_images << QPixmap::fromImage(image);
        if (!reader.jumpToNextImage())
            break;
    }
    return picture;
}

QPixmap Picture::nearest(QSize devicePixels) const
{
    const auto distance = [devicePixels](const QPixmap &p) {
        return std::abs(p.width() - devicePixels.width()) +
               std::abs(p.height() - devicePixels.height());
    };
    const QPixmap *best = nullptr;
    for (const QPixmap &image : m_images) {
        if (!best || distance(image) < distance(*best))
            best = &image;
    }
    return best ? *best : QPixmap();
}
