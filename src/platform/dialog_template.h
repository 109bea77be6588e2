// Dialog templates: a dialog's title, size and controls in dialog units, as tables. The back end
// builds real dialogs from them; the system addresses the controls by id.
#pragma once

#include <string>
#include <utility>
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
    int steps = -1;                // up-down arrows: the edit whose Up and Down keys they answer
    std::string name{};            // what a screen reader calls a control without words
};

// A control's place in dialog units.
struct Box {
    int x, y, width, height;
};

// One control per line: the kinds the dialogs use, and the changes they make to them.
inline ControlTemplate Placed(ControlKind kind, int id, std::string text, Box at) {
    return {.id = id,
            .kind = kind,
            .text = std::move(text),
            .x = at.x,
            .y = at.y,
            .width = at.width,
            .height = at.height};
}
inline ControlTemplate Button(int id, std::string text, Box at) {
    return Placed(ControlKind::PushButton, id, std::move(text), at);
}
inline ControlTemplate DefaultButton(int id, std::string text, Box at) {
    return Placed(ControlKind::DefaultPushButton, id, std::move(text), at);
}
inline ControlTemplate Radio(int id, std::string text, Box at) {
    return Placed(ControlKind::RadioButton, id, std::move(text), at);
}
inline ControlTemplate Check(int id, std::string text, Box at) {
    return Placed(ControlKind::CheckBox, id, std::move(text), at);
}
inline ControlTemplate Edit(int id, Box at) {
    ControlTemplate c = Placed(ControlKind::Edit, id, {}, at);
    c.border = true;
    return c;
}
inline ControlTemplate Label(std::string text, Box at, TextAlign align = TextAlign::Left) {
    ControlTemplate c = Placed(ControlKind::Static, -1, std::move(text), at);
    c.align = align;
    return c;
}
inline ControlTemplate Group(std::string text, Box at) {
    return Placed(ControlKind::GroupBox, -1, std::move(text), at);
}
// Up and down arrows beside edit `steps`, of the one size the dialogs use; the edit's Up and
// Down keys step it as they do.
inline ControlTemplate Arrows(int id, int steps, int x, int y) {
    ControlTemplate c = Placed(ControlKind::UpDown, id, {}, {x, y, 11, 16});
    c.steps = steps;
    return c;
}
inline ControlTemplate Picture(int bitmapId, Box at) {
    ControlTemplate c = Placed(ControlKind::Picture, -1, {}, at);
    c.align = TextAlign::Centre;
    c.bitmapId = bitmapId;
    return c;
}
inline ControlTemplate List(int id, Box at) {
    ControlTemplate c = Placed(ControlKind::ListBox, id, {}, at);
    c.border = true;
    return c;
}
inline ControlTemplate Identified(int id, ControlTemplate c) {
    c.id = id;
    return c;
}
inline ControlTemplate StartsGroup(ControlTemplate c) {
    c.groupStart = true;
    return c;
}
inline ControlTemplate Disabled(ControlTemplate c) {
    c.disabled = true;
    return c;
}
inline ControlTemplate Named(std::string name, ControlTemplate c) {
    c.name = std::move(name);
    return c;
}
inline ControlTemplate DigitsOnly(ControlTemplate c) {
    c.digitsOnly = true;
    return c;
}
inline ControlTemplate ScrollsAcross(ControlTemplate c) {
    c.scrollsAcross = true;
    return c;
}
inline ControlTemplate CentredVertically(ControlTemplate c) {
    c.centreVertically = true;
    return c;
}

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
