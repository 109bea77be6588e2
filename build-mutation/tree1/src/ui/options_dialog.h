// The options dialog: the settings of "Option.opt" in radio groups, edits with arrows and check
// boxes, loaded from and saved to other options files on request.
#pragma once

#include "game/game_settings.h"
#include "platform/framework.h"

#include <string>

namespace zembro {

// Controls of the options dialog.
inline constexpr int ID_LOAD = 3, ID_SAVE = 4;
inline constexpr int ID_HOLD_TO_DRAG = 1000, ID_CLICK_AND_CLICK = 1001;
inline constexpr int ID_CONTROLLED = 1002, ID_RANDOM_INSERTION = 1003;
inline constexpr int ID_FIXED_EMPTY = 1004, ID_RANDOM_EMPTY = 1005;
inline constexpr int ID_PERSISTENT = 1006, ID_NOT_PERSISTENT = 1007;
inline constexpr int ID_PATH_COMPLETE = 1008, ID_PATH_TWO_COLOURS = 1009;
inline constexpr int ID_PENALTY_ON = 1010, ID_FIXED_CELLS = 1011, ID_KINDS = 1012, ID_NEW = 1014;
inline constexpr int ID_FIXED_ARROWS = 1015, ID_PENALTY_SECONDS = 1016, ID_PENALTY_ARROWS = 1017,
                     ID_KINDS_ARROWS = 1018, ID_PENALTY_FULL = 1019;
inline constexpr int MAX_FIXED_CELLS_STEPPED = 30;

const platform::DialogTemplate& OptionsTemplate();

// The number a person typed: at most the first 9 characters, leading blanks skipped, the digits
// after an optional sign; 0 when there are none.
std::int32_t EditValue(const std::string& text);

class OptionsDialog : public platform::DialogHandler {
  public:
    // `optionsPath` is where OK writes.
    OptionsDialog(platform::Framework& framework, const platform::FrameWindow* owner,
                  std::string optionsPath)
        : framework_(framework), owner_(owner), optionsPath_(std::move(optionsPath)) {}

    OptionValues copy; // filled by the opener before the dialog runs

    void OnInitDialog(platform::DialogControls& controls) override;
    void OnCommand(int id, platform::DialogControls& controls) override;
    void OnOk(platform::DialogControls& controls) override;
    void OnUpDown(int id, int delta, platform::DialogControls& controls) override;

    // Takes the controls into the copy, then writes them to `path`; a failure is told to the
    // player and gives false.
    bool WriteOptions(const std::string& path, platform::DialogControls& controls);

  private:
    void ApplyMovementRule(platform::DialogControls& controls);
    // Takes the controls into the copy; gives the values to write (the copy with Full added).
    OptionValues ReadControls(platform::DialogControls& controls);
    void Load(platform::DialogControls& controls);
    void Save(platform::DialogControls& controls);

    platform::Framework& framework_;
    const platform::FrameWindow* owner_;
    std::string optionsPath_;
};

} // namespace zembro
