// The program's message box: modal for the whole program, titled with the application's name,
// with a single OK button.
#pragma once

class QString;
class QWidget;

namespace app {

// Shows `text` and returns once the player has closed the box.
void showMessage(QWidget *owner, const QString &text);

} // namespace app
