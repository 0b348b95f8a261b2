#include "app/messagebox.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QShortcut>
#include <QWidget>

namespace app {

void showMessage(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok,
                    owner);
    box.setWindowModality(Qt::ApplicationModal);
    // The keys that answer the box work wherever the keyboard focus is. A click on a window the
    // box blocks can move the focus there (compositors and X11 without a window manager focus on
    // click), and that window drops keys; Qt still matches application shortcuts for it.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        auto *shortcut = new QShortcut(key, &box, nullptr, nullptr, Qt::ApplicationShortcut);
        QObject::connect(shortcut, &QShortcut::activated, &box, &QDialog::accept);
    }
    box.exec();
    // A window manager gives the keyboard back to the owner; without one nobody does, and the
    // keys that work on the main window (Tab, typing, Ctrl+B) would go nowhere.
    if (owner && owner->isVisible())
        owner->activateWindow();
}

} // namespace app
