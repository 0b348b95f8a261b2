#include "app/pictures.h"

#include "assets/appicon16.xpm"
#include "assets/appicon32.xpm"
#include "assets/barrel32.xpm"
#include "assets/helmet16.xpm"
#include "assets/helmet32.xpm"
#include "assets/helmet48.xpm"

#include <algorithm>
#include <cstdlib>

Picture Picture::fromXpm(std::initializer_list<const char *const *> drawings)
{
    // Made at its final size: growing a QList calls memmove on a buffer whose size the compiler
    // cannot see, the one call in the program that _FORTIFY_SOURCE could not check.
    Picture picture;
    picture.m_images = QList<QPixmap>(qsizetype(drawings.size()));
    std::ranges::transform(drawings, picture.m_images.begin(),
                           [](const char *const *xpm) { return QPixmap::fromImage(QImage(xpm)); });
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

namespace pictures {

Picture helmet()
{
    return Picture::fromXpm({helmet48, helmet32, helmet16});
}

Picture barrel()
{
    return Picture::fromXpm({barrel32});
}

QIcon applicationIcon()
{
    // The two-colour 32-pixel drawing is for the Windows program file only: a window icon
    // keeps one image per size, and that is the 16-colour one.
    QIcon icon;
    for (const char *const *xpm : {appicon32, appicon16})
        icon.addPixmap(QPixmap::fromImage(QImage(xpm)));
    return icon;
}

} // namespace pictures
