// The open and save file dialogs on Qt, in Italian whatever the player's locale.
#pragma once

#include "platform/framework.h"

class QWidget;

namespace zembro::platform {

// The chosen file's path as the file system's bytes, empty when cancelled.
std::string RunFileDialog(QWidget* owner, const FileDialogRequest& request);

} // namespace zembro::platform
