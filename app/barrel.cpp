#include "app/barrel.h"

#include "app/winningpicture.h"

#include <QDropEvent>

Barrel::Barrel(QWidget *parent) : PictureBox(parent)
{
    setAcceptDrops(true);
}

QWidget *Barrel::winningSource(const QMimeData *data) const
{
    const auto *winning = qobject_cast<const WinningDragData *>(data);
    if (!winning || !winning->hasFormat(QString::fromLatin1(WinningDragData::mimeType)))
        return nullptr;
    // Only winning pictures drag; the example beside the barrel is no prize.
    auto *source = qobject_cast<WinningPicture *>(winning->source());
    return source && source->window() == window() ? source : nullptr;
}

bool Barrel::acceptWinning(QDropEvent *event) const
{
    if (!winningSource(event->mimeData())) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    return true;
}

void Barrel::dragEnterEvent(QDragEnterEvent *event)
{
    acceptWinning(event);
}

void Barrel::dragMoveEvent(QDragMoveEvent *event)
{
    acceptWinning(event);
}

void Barrel::dropEvent(QDropEvent *event)
{
    if (acceptWinning(event))
        emit dropped(winningSource(event->mimeData()));
}
