// An image box: draws its picture stretched over the whole box, like a picture control
// with stretching turned on. Takes no focus and no clicks of its own.
#pragma once

#include "app/pictures.h"

#include <QWidget>

class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setPicture(const Picture &picture);
    [[nodiscard]] const Picture &picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Picture m_picture;
};
