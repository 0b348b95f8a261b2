#include "app/pictureaccessible.h"

#include "app/picturebox.h"
#include "app/program.h"
#include "app/winningpicture.h"

PictureBoxAccessible::PictureBoxAccessible(QWidget *picture)
    : QAccessibleWidget(picture, QAccessible::Graphic)
{
}

QStringList PictureBoxAccessible::actionNames() const
{
    // Offered only when a player could drag the picture.
    auto *winning = qobject_cast<WinningPicture *>(widget());
    if (!winning || !Program::reachable(winning))
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
