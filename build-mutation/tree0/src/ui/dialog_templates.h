// The program's dialog templates, as tables.
#pragma once

#include "platform/dialog_template.h"

namespace zembro {

inline constexpr int DIALOG_OPTIONS = 121;
inline constexpr int DIALOG_ABOUT = 124;
inline constexpr int DIALOG_NEW_RECORD = 128;
inline constexpr int DIALOG_RANKING = 129;
inline constexpr int BITMAP_ABOUT = 123;
inline constexpr int ICON_GAME = 102;

const platform::DialogTemplate& AboutTemplate();

} // namespace zembro
