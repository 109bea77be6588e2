// Dialog templates made into in-memory DLGTEMPLATEs and run by the dialog manager.
#pragma once

#include "platform/dialog.h"
#include "platform/dialog_template.h"

#include "store/windows/windows_api.h"
#include <cstdint>
#include <vector>

namespace zembro::platform {

// The template's bytes as DialogBoxIndirectParamW takes them: the dialog, its font, then one
// DWORD-aligned item per control, in dialog units as they stand.
std::vector<std::uint16_t> BuildDialogTemplate(const DialogTemplate& dialog);

// Runs `dialog` modally over `owner`, centred on it; its pictures at the scene's `scale`.
Answer RunWin32Dialog(HINSTANCE instance, HWND owner, const DialogTemplate& dialog,
                      DialogHandler& handler, int scale);

} // namespace zembro::platform
