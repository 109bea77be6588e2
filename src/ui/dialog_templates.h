// The program's dialog templates, as tables.
#pragma once

#include "platform/dialog_template.h"
#include "ui/resource_ids.h"

namespace zembro {

inline constexpr int DIALOG_OPTIONS = 121;
inline constexpr int DIALOG_ABOUT = 124;
inline constexpr int DIALOG_NEW_RECORD = 128;
inline constexpr int DIALOG_RANKING = 129;

const platform::DialogTemplate& AboutTemplate();

} // namespace zembro
