// A modal dialog as the system sees it: the controls it reads and writes by id, and the
// handlers the back end calls while the dialog runs.
#pragma once

#include "platform/window_types.h"

#include <string>

namespace zembro::platform {

// The controls of a running dialog.
class DialogControls {
  public:
    virtual ~DialogControls() = default;
    virtual void SetText(int id, const std::string& text) = 0;
    virtual std::string Text(int id) const = 0;
    virtual void SetChecked(int id, bool checked) = 0;
    virtual bool IsChecked(int id) const = 0;
    virtual void SetEnabled(int id, bool enabled) = 0;
    virtual bool IsEnabled(int id) const = 0;
    virtual void ClearList(int id) = 0;
    virtual void AddListLine(int id, const std::string& line) = 0;
    // What a screen reader reads for line `index`, when it is more than the line shows.
    virtual void SpeakListLine(int /*id*/, int /*index*/, const std::string& /*spoken*/) {}
    virtual void SelectListLine(int id, int index) = 0;
    virtual int SelectedListLine(int id) const = 0; // -1 when none
    // Ends the dialog once the current handler returns.
    virtual void End(Answer answer) = 0;
};

// The handlers of a dialog; the defaults are the standard ones.
class DialogHandler {
  public:
    virtual ~DialogHandler() = default;
    // After the controls exist, before the dialog shows.
    virtual void OnInitDialog(DialogControls&) {}
    // A push button, radio button or check box was clicked. OK (1) and Cancel (2) end the
    // dialog unless a handler says otherwise.
    virtual void OnCommand(int id, DialogControls& controls) {
        if (id == 1)
            OnOk(controls);
        else if (id == 2)
            OnCancel(controls);
    }
    virtual void OnOk(DialogControls& controls) { controls.End(Answer::Ok); }
    virtual void OnCancel(DialogControls& controls) { controls.End(Answer::Cancel); }
    // An up-down control proposes a step: negative for its up arrow, positive for its down one.
    virtual void OnUpDown(int /*id*/, int /*delta*/, DialogControls&) {}
    // The selection of a list box changed.
    virtual void OnSelectionChange(int /*id*/, DialogControls&) {}
};

} // namespace zembro::platform
