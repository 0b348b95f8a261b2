#include "app/messagebox.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QShortcut>

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
}

} // namespace app
