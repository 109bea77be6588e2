// The order in which a dialog's controls are read and tabbed through, from their places alone:
// the dialog column by column, each column top to bottom; each frame's contents right after the
// frame, row by row.
#pragma once

#include "platform/dialog_template.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace zembro::platform {

// The innermost group box whose rectangle holds control `index`, if any.
std::optional<std::size_t> FrameOf(const DialogTemplate& dialog, std::size_t index);

// Every control of the dialog once, as indices into its controls, in reading order.
std::vector<std::size_t> ReadingOrder(const DialogTemplate& dialog);

// The edit or list that static text `label` names: the control right after it in reading order
// (`order`), when that is an edit or a list in the same frame.
std::optional<std::size_t> LabelTarget(const DialogTemplate& dialog,
                                       const std::vector<std::size_t>& order, std::size_t label);

} // namespace zembro::platform
