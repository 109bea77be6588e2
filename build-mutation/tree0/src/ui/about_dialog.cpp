// The about dialog: title, credits, version and contact, beside the golden tile.
#include "ui/dialog_templates.h"

namespace zembro {

using platform::ControlKind;
using platform::TextAlign;

const platform::DialogTemplate& AboutTemplate() {
    static const platform::DialogTemplate about{.id = DIALOG_ABOUT,
                                                .title = "",
                                                .width = 144,
                                                .height = 90,
                                                .caption = false,
                                                .controls = {
                                                    {.kind = ControlKind::Static,
                                                     .text = "Zembro",
                                                     .x = 0,
                                                     .y = 5,
                                                     .width = 143,
                                                     .height = 8,
                                                     .align = TextAlign::Centre},
                                                    {.kind = ControlKind::Static,
                                                     .text = "un gioco di Marta Zembrini",
                                                     .x = 0,
                                                     .y = 14,
                                                     .width = 144,
                                                     .height = 8,
                                                     .align = TextAlign::Centre},
                                                    {.kind = ControlKind::Static,
                                                     .text = "Version 1.00",
                                                     .x = 73,
                                                     .y = 32,
                                                     .width = 69,
                                                     .height = 8,
                                                     .align = TextAlign::Centre},
                                                    {.kind = ControlKind::Static,
                                                     .text = "zembro@example.org",
                                                     .x = 72,
                                                     .y = 56,
                                                     .width = 71,
                                                     .height = 9,
                                                     .align = TextAlign::Right},
                                                    {.kind = ControlKind::Picture,
                                                     .x = 1,
                                                     .y = 24,
                                                     .width = 69,
                                                     .height = 47,
                                                     .align = TextAlign::Centre,
                                                     .bitmapId = BITMAP_ABOUT},
                                                    {.id = 1,
                                                     .kind = ControlKind::DefaultPushButton,
                                                     .text = "OK",
                                                     .x = 53,
                                                     .y = 73,
                                                     .width = 32,
                                                     .height = 14},
                                                    {.kind = ControlKind::Static,
                                                     .text = "e-mail :",
                                                     .x = 72,
                                                     .y = 47,
                                                     .width = 71,
                                                     .height = 9},
                                                }};
    return about;
}

} // namespace zembro
