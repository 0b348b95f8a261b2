#include "app/pictureaccessible.h"

#include "app/picturebox.h"
#include "app/winningpicture.h"

#include <QApplication>

PictureBoxAccessible::PictureBoxAccessible(QWidget *picture)
    : QAccessibleWidget(picture, QAccessible::Graphic)
{
}

QStringList PictureBoxAccessible::actionNames() const
{
    auto *winning = qobject_cast<WinningPicture *>(widget());
    // Offered only when a player could drag it: on screen, and no message box in the way.
    const QWidget *modal = QApplication::activeModalWidget();
    if (!winning || !winning->isVisible() || (modal && modal != winning->window()))
        return {};
    return {QString::fromLatin1(bankAction)};
}

void PictureBoxAccessible::doAction(const QString &actionName)
{
    if (actionName == QLatin1String(bankAction) && actionNames().contains(actionName))
        emit static_cast<WinningPicture *>(widget())->bankRequested();
}

QAccessibleInterface *PictureBoxAccessible::factory(const QString &, QObject *object)
{
    if (auto *picture = qobject_cast<PictureBox *>(object))
        return new PictureBoxAccessible(picture);
    return nullptr;
}
