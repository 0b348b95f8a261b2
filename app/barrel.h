// The barrel: the drop target that banks winning pictures.
#pragma once

#include "app/picturebox.h"

class QDropEvent;
class QMimeData;

class Barrel : public PictureBox
{
    Q_OBJECT
public:
    explicit Barrel(QWidget *parent = nullptr);

    // The winning picture that `data` carries, or nullptr for anything else: text, files,
    // images or drags from other programs.
    [[nodiscard]] QWidget *winningSource(const QMimeData *data) const;

signals:
    // A winning picture was released over the barrel.
    void dropped(QWidget *source);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    bool acceptWinning(QDropEvent *event) const;
};
