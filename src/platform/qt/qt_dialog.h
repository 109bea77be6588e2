// Modal dialogs built from templates: real widgets placed in dialog units converted through the
// dialog font's metrics, so the relative layout holds on any screen.
#pragma once

#include "platform/dialog.h"
#include "platform/dialog_template.h"

#include <QDialog>
#include <QString>
#include <map>
#include <optional>
#include <vector>

class QLineEdit;

namespace zembro::platform {

class QtDialog : public QDialog, public DialogControls {
  public:
    QtDialog(QWidget* owner, const DialogTemplate& dialog, DialogHandler& handler);
    // The handler's initialisation, and the keys given to the first control of the reading order.
    void Start();
    // Start, then the dialog runs modally until it ends.
    Answer Run();
    // The dialog has a title bar with its title.
    bool Captioned() const { return captioned_; }

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
    bool event(QEvent* event) override;
    // The Up and Down keys of an edit that arrows step; a list that takes the focus tells a
    // screen reader its current line too.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // A control of the template as a widget in `parent`, at `rect` in the dialog's pixels.
    QWidget* Build(const ControlTemplate& control, QWidget* parent, QRect rect);
    QWidget* BuildButton(const ControlTemplate& control, QWidget* parent);
    QWidget* BuildEdit(const ControlTemplate& control, QWidget* parent);
    QWidget* BuildPicture(const ControlTemplate& control, QWidget* parent);
    // A step proposed by arrows `arrowsId`, or by their edit's keys; the new value is said.
    void Step(int arrowsId, int delta, const QString& field);
    // Where a widget stands in the dialog's pixels, and placing it there inside its frame.
    QRect InDialog(const QWidget* widget) const;
    void PlaceInDialog(QWidget* widget, QRect rect);
    QWidget* Control(int id) const;
    void FitText(QWidget* widget);
    // Where `control` can show a text of `needed` size, if anywhere.
    std::optional<QRect> RoomFor(const QWidget* control, QSize needed) const;

    // Where the template put a text control (in the dialog's pixels), and how its text is aligned.
    struct Fit {
        QRect rect;
        TextAlign align;
        bool centreVertically;
    };

    // The arrows an edit's Up and Down keys stand for, and the field's name.
    struct Stepping {
        int arrowsId;
        QString field;
    };

    DialogHandler& handler_;
    bool captioned_;
    std::map<int, QWidget*> controls_;
    std::map<const QLineEdit*, Stepping> steppedBy_;
    std::vector<QWidget*> placed_; // every control, in reading order
    std::map<const QWidget*, Fit> fits_;
};

} // namespace zembro::platform
