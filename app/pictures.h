// A drawing in every size it was drawn at, decoded once and shared by the boxes that show it.
#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>

#include <initializer_list>

class Picture
{
public:
    Picture() = default;
    // One image for each XPM drawing, in the order given.
    static Picture fromXpm(std::initializer_list<const char *const *> drawings);

    [[nodiscard]] const QList<QPixmap> &images() const { return m_images; }
    // The image whose size is nearest to `devicePixels`, for drawing pixel art without
    // smoothing: scaling the nearest size distorts the drawing least.
    [[nodiscard]] QPixmap nearest(QSize devicePixels) const;

private:
    QList<QPixmap> m_images;
};

// The drawings are compiled in as XPM, which QtGui decodes itself: no image plugin is looked
// for or loaded at start-up.
namespace pictures {
// 48, 32 and 16 pixels.
Picture helmet();
// 32 pixels.
Picture barrel();
// 32 and 16 pixels.
QIcon applicationIcon();
} // namespace pictures
