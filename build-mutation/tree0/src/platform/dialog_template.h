// Dialog templates: a dialog's title, size and controls in dialog units, as tables. The back end
// builds real dialogs from them; the system addresses the controls by id.
#pragma once

#include <string>
#include <vector>

namespace zembro::platform {

enum class ControlKind {
    PushButton,
    DefaultPushButton,
    RadioButton, // automatic; `groupStart` begins a new group
    CheckBox,    // automatic
    Edit,
    UpDown, // arrows that report the step they propose before moving
    ListBox,
    Static,
    GroupBox,
    Picture, // a bitmap of the program's resources, centred
};

enum class TextAlign { Left, Centre, Right };

struct ControlTemplate {
    int id = -1; // -1 for controls nobody addresses
    ControlKind kind = ControlKind::Static;
    std::string text{};
    int x = 0, y = 0, width = 0, height = 0; // dialog units
    bool groupStart = false;
    bool disabled = false;
    bool digitsOnly = false;    // edits
    bool scrollsAcross = false; // edits
    bool border = false;        // edits and list boxes
    TextAlign align = TextAlign::Left;
    bool centreVertically = false; // statics
    int bitmapId = 0;              // pictures
};

struct DialogTemplate {
    int id = 0;
    std::string title{};
    int width = 0, height = 0; // dialog units
    bool caption = true;       // a title bar with a close box
    std::string fontName = "MS Sans Serif";
    int fontPoints = 8;
    std::vector<ControlTemplate> controls{};
};

} // namespace zembro::platform
