// Modal dialogs built from templates: real widgets placed in dialog units converted through the
// dialog font's metrics, so the relative layout holds on any screen.
#pragma once

#include "platform/dialog.h"
#include "platform/dialog_template.h"

#include <QDialog>
#include <map>
#include <optional>

namespace zembro::platform {

class QtDialog : public QDialog, public DialogControls {
  public:
    QtDialog(QWidget* owner, const DialogTemplate& dialog, DialogHandler& handler);
    Answer Run();

    void SetText(int id, const std::string& text) override;
    std::string Text(int id) const override;
    void SetChecked(int id, bool checked) override;
    bool IsChecked(int id) const override;
    void SetEnabled(int id, bool enabled) override;
    bool IsEnabled(int id) const override;
    void ClearList(int id) override;
    void AddListLine(int id, const std::string& line) override;
    void SpeakListLine(int id, int index, const std::string& spoken) override;
    void SelectListLine(int id, int index) override;
    int SelectedListLine(int id) const override;
    void End(Answer answer) override;

  protected:
    void reject() override; // the close box and Escape are Cancel
    // A list that takes the focus tells a screen reader its current line too.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* Build(const ControlTemplate& control, QRect rect);
    QWidget* BuildButton(const ControlTemplate& control);
    QWidget* BuildEdit(const ControlTemplate& control);
    QWidget* BuildPicture(const ControlTemplate& control);
    QWidget* Control(int id) const;
    void FitText(QWidget* widget);
    // Where `control` can show a text of `needed` size, if anywhere.
    std::optional<QRect> RoomFor(const QWidget* control, QSize needed) const;

    // Where the template put a text control, and how its text is aligned.
    struct Fit {
        QRect rect;
        TextAlign align;
        bool centreVertically;
    };

    DialogHandler& handler_;
    std::map<int, QWidget*> controls_;
    std::map<const QWidget*, Fit> fits_;
};

} // namespace zembro::platform
