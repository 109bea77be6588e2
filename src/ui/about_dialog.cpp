// The about dialog: title, credits, version and contact, beside the golden tile.
#include "ui/dialog_templates.h"

namespace zembro {

using namespace platform;

const DialogTemplate& AboutTemplate() {
    static const DialogTemplate about{
        .id = DIALOG_ABOUT,
        .title = "",
        .width = 148, // four units beyond the e-mail line
        .height = 90,
        .caption = false,
        .controls = {
            Label("Zembro", {0, 5, 147, 8}, TextAlign::Centre),
            Label("un gioco di Marta Zembrini", {0, 14, 148, 8}, TextAlign::Centre),
            Label("Version 1.00", {73, 32, 69, 8}, TextAlign::Centre),
            Label("zembro@example.org", {72, 56, 71, 9}, TextAlign::Right),
            Picture(BITMAP_ABOUT, {1, 24, 69, 47}),
            DefaultButton(1, "OK", {55, 73, 32, 14}),
            Label("e-mail :", {72, 47, 71, 9}),
        }};
    return about;
}

} // namespace zembro
