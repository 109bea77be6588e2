// Picture buttons from the program's bitmaps.
#include "platform/qt/qt_button_column.h"

#include "platform/qt/qt_frame_window.h"
#include "platform/resources.h"

#include <QAccessible>
#include <QPainter>

namespace zembro::platform {
namespace {

QPixmap ProgramPixmap(int id) {
    QPixmap pixmap;
    const std::span<const std::uint8_t> bytes = ProgramBitmap(id);
    if (!bytes.empty())
        pixmap.loadFromData(bytes.data(), static_cast<uint>(bytes.size()), "BMP");
    return pixmap; // an id that names no picture leaves the button without it
}

} // namespace

void PictureButton::SetPictures(QPixmap normal, QPixmap pressed) {
    normal_ = std::move(normal);
    pressed_ = std::move(pressed);
    update();
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap& picture = isDown() && !pressed_.isNull() ? pressed_ : normal_;
    if (!picture.isNull())
        painter.drawPixmap(0, 0, picture);
}

QtButtonColumn::QtButtonColumn(QtFrameWindow& parent, Rect rect, const std::vector<int>& ids,
                               int buttonHeight, ButtonClickHandler& handler)
    : column_(new QWidget(parent.Widget())) {
    const QPoint origin = parent.ClientOrigin();
    column_->setGeometry(rect.left + origin.x(), rect.top + origin.y(), rect.Width(),
                         rect.Height());
    column_->setCursor(Qt::ArrowCursor);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        auto* button = new PictureButton(column_);
        button->setGeometry(0, static_cast<int>(i) * buttonHeight, rect.Width(), buttonHeight);
        button->setFocusPolicy(Qt::NoFocus);
        const int id = ids[i];
        QObject::connect(button, &QAbstractButton::clicked,
                         [&handler, id] { handler.OnButtonClicked(id); });
        buttons_.push_back(button);
    }
    column_->hide();
}

QtButtonColumn::~QtButtonColumn() {
    delete column_;
}

void QtButtonColumn::SetImages(int index, int normalId, int pressedId) {
    if (index < 0 || static_cast<std::size_t>(index) >= buttons_.size())
        return;
    buttons_[static_cast<std::size_t>(index)]->SetPictures(ProgramPixmap(normalId),
                                                           ProgramPixmap(pressedId));
}

void QtButtonColumn::SetName(int index, const std::string& name) {
    if (index >= 0 && static_cast<std::size_t>(index) < buttons_.size())
        buttons_[static_cast<std::size_t>(index)]->setAccessibleName(QString::fromStdString(name));
}

// The keyboard's choice is shown pressed and, for a screen reader, focused: the keys stay with
// the game window.
void QtButtonColumn::SetHighlighted(int index) {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const bool chosen = static_cast<int>(i) == index;
        buttons_[i]->setDown(chosen);
        if (chosen && QAccessible::isActive()) {
            QAccessibleEvent focused(buttons_[i], QAccessible::Focus);
            QAccessible::updateAccessibility(&focused);
        }
    }
}

void QtButtonColumn::SetVisible(bool visible) {
    QWidget* column = column_.data();
    if (column == nullptr)
        return;
    column->setVisible(visible);
    if (visible)
        column->raise();
}

} // namespace zembro::platform
