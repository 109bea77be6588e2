// What the player is told when one of the game's files cannot be read or written.
#pragma once

#include "base/result.h"
#include "platform/framework.h"

#include <string>

namespace zembro {

// The reason in Italian, from the error of a failed file operation.
std::string ItalianFileReason(int error);

// Tells the player, in a message box over `owner`, that `what` (a whole Italian sentence
// start, e.g. "Il risultato non è stato salvato in") failed for `file`, or for the file the
// failure names (where a link led), and why; the reason in English goes to standard error too.
void TellFileFailure(platform::Framework& framework, const platform::FrameWindow* owner,
                     const std::string& caption, const std::string& what, const std::string& file,
                     const IoResult& failure);

} // namespace zembro
