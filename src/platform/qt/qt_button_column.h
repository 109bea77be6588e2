// The button bar's window on Qt: a hidden child of the game window with picture buttons.
#pragma once

#include "platform/framework.h"

#include <QAbstractButton>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace zembro::platform {

class QtFrameWindow;

// A push button that draws one of two pictures at its top-left corner: the pressed one while it
// is held down (when it has one), else the normal one.
class PictureButton : public QAbstractButton {
  public:
    explicit PictureButton(QWidget* parent) : QAbstractButton(parent) {}
    void SetPictures(QPixmap normal, QPixmap pressed);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap normal_, pressed_;
};

class QtButtonColumn : public ButtonColumn {
  public:
    QtButtonColumn(QtFrameWindow& parent, Rect rect, const std::vector<int>& ids, int buttonHeight,
                   ButtonClickHandler& handler);
    ~QtButtonColumn() override;
    void SetImages(int index, int normalId, int pressedId) override;
    void SetName(int index, const std::string& name) override;
    void SetVisible(bool visible) override;
    void SetHighlighted(int index) override;

  private:
    QPointer<QWidget> column_; // a child of the game window's widget
    std::vector<PictureButton*> buttons_;
};

} // namespace zembro::platform
