// The new-record dialog: the place a won game takes, and the name to store with it.
#pragma once

#include "platform/dialog.h"
#include "platform/dialog_template.h"

#include <cstdint>
#include <string>

namespace zembro {

inline constexpr int ID_RECORD_NAME = 1020, ID_RECORD_RANK = 1021;

const platform::DialogTemplate& NewRecordTemplate();

class NewRecordDialog : public platform::DialogHandler {
  public:
    std::uint8_t position = 1;
    std::uint8_t total = 15;
    std::string name; // as typed, UTF-8

    void OnInitDialog(platform::DialogControls& controls) override;
    void OnOk(platform::DialogControls& controls) override;
};

} // namespace zembro
