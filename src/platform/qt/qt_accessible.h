// The game window as a screen reader sees it, through the toolkit's accessibility (AT-SPI on
// Linux): a table of the 64 cells named by the game, the counters, and a line that says what
// just happened.
#pragma once

#include "platform/framework.h"

class QString;
class QWidget;

namespace zembro::platform {

// Makes the toolkit describe every game window this way; once, before the first window.
void InstallGameAccessibility();

// Tells a listening screen reader that the window changed: the focus follows the game's cell,
// and when `announced` the status line has new text.
void AnnounceToScreenReader(QWidget* window, bool announced);

// The window has the keys again (after a dialog): a listening screen reader, which has just
// said the window, is told of the cell the game's focus is on.
void RetellFocus(QWidget* window);

// Has a listening screen reader say `text`, as a notification of the dialog.
void SayInDialog(QWidget* dialog, const QString& text);

} // namespace zembro::platform
