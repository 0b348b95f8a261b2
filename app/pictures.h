// A drawing in every size it was drawn at, decoded once and shared by the boxes that show it.
#pragma once

#include <QList>
#include <QPixmap>
#include <QString>

class Picture
{
public:
    Picture() = default;
    // Every image of an icon file.
    static Picture load(const QString &path);

    [[nodiscard]] const QList<QPixmap> &images() const { return m_images; }
    // The image whose size is nearest to `devicePixels`, for drawing pixel art without
    // smoothing: scaling the nearest size distorts the drawing least.
    [[nodiscard]] QPixmap nearest(QSize devicePixels) const;

private:
    QList<QPixmap> m_images;
};

namespace pictures {
// Resource paths of the three drawings.
inline constexpr auto helmet = ":/pictures/helmet.ico";
inline constexpr auto barrel = ":/pictures/barrel.ico";
inline constexpr auto applicationIcon = ":/pictures/prizewell.ico";
} // namespace pictures
