// A winning picture: pressing the mouse on it drags it at once, showing the helmet under the
// pointer, while the picture itself stays where it is.
#pragma once

#include "app/picturebox.h"

#include <QMimeData>
#include <QPointer>

// What a winning picture's drag carries. The barrel only takes drags that carry this object,
// which never arrives from another application: there the toolkit hands over a copy of the
// formats, not the object.
class WinningDragData : public QMimeData
{
    Q_OBJECT
public:
    static constexpr auto mimeType = "application/x-prizewell-winning";

    explicit WinningDragData(QWidget *source);
    [[nodiscard]] QWidget *source() const { return m_source; }

private:
    QPointer<QWidget> m_source;
};

class WinningPicture : public PictureBox
{
    Q_OBJECT
public:
    explicit WinningPicture(QWidget *parent = nullptr);

    // The image shown under the pointer while dragging, sharp at the screen's pixel ratio.
    [[nodiscard]] QPixmap dragImage() const;

signals:
    // Banking asked for without a drag, through the accessibility action.
    void bankRequested();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
