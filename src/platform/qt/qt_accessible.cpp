// The accessible tree of the game window: window > board > 64 cells, counters, status line, and
// the command buttons while they are shown.
#include "platform/qt/qt_accessible.h"

#include "game/screen_layout.h"
#include "game/screen_zones.h"
#include "platform/qt/qt_button_column.h"
#include "platform/qt/qt_control_accessible.h"
#include "platform/qt/qt_dialog.h"
#include "platform/qt/qt_frame_window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QPointer>
#include <QVariant>
#include <array>

namespace zembro::platform {
namespace {

constexpr int SIDE = 8, CELLS = SIDE * SIDE, COUNTERS = 3;
// Each result is told by the next of these notifications, which keeps its text until its turn
// comes again: a screen reader reads a notification's text when it comes to its event, and a
// result told meanwhile must not take the place of the one it is reading.
constexpr int NOTICES = 8;

class GameAccessible;

// A leaf: a cell of the board, a counter, or the status line. The board is a list, not a
// table: a screen reader reads a table's whole new row when the row changes, and a move of one
// cell is to be one cell spoken.
class Item : public QAccessibleInterface {
  public:
    Item(GameAccessible& game, QAccessible::Role role, int index)
        : game_(game), role_(role), index_(index) {}
    bool isValid() const override { return true; }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return role_; }
    QAccessible::State state() const override;

  private:
    GameAccessible& game_;
    QAccessible::Role role_;
    int index_;
};

// The board: the cells, row by row.
class Board : public QAccessibleInterface {
  public:
    explicit Board(GameAccessible& game) : game_(game) {}
    bool isValid() const override { return true; }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override { return CELLS; }
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? QStringLiteral("Scacchiera") : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::List; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.focusable = true;
        return s;
    }

  private:
    GameAccessible& game_;
};

// The game window.
class GameAccessible : public QAccessibleWidget {
  public:
    explicit GameAccessible(FrameWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Window), board_(new Board(*this)) {
        ids_.push_back(QAccessible::registerAccessibleInterface(board_));
        for (int i = 0; i < CELLS + COUNTERS + NOTICES; ++i) {
            const QAccessible::Role role = i < CELLS              ? QAccessible::ListItem
                                           : i < CELLS + COUNTERS ? QAccessible::StaticText
                                                                  : QAccessible::Notification;
            items_[static_cast<std::size_t>(i)] = new Item(*this, role, i);
            ids_.push_back(QAccessible::registerAccessibleInterface(Part(i)));
        }
    }
    ~GameAccessible() override {
        for (const QAccessible::Id id : ids_)
            QAccessible::deleteAccessibleInterface(id);
    }
    // The board, the counters, the notifications, then the shown command buttons.
    int childCount() const override {
        return 1 + COUNTERS + NOTICES + static_cast<int>(Buttons().size());
    }
    QAccessibleInterface* child(int index) const override {
        const std::vector<PictureButton*> buttons = Buttons();
        if (index == 0)
            return board_;
        if (index > 0 && index <= COUNTERS + NOTICES)
            return Part(CELLS + index - 1);
        const auto button = static_cast<std::size_t>(index - COUNTERS - NOTICES - 1);
        return button < buttons.size() ? QAccessible::queryAccessibleInterface(buttons[button])
                                       : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (this->child(i) == child)
                return i;
        return -1;
    }
    QAccessibleInterface* focusChild() const override { return board_->focusChild(); }

    ScreenReaderView View() const { return Widget().Handler().Describe(); }
    const FrameWidget& Widget() const { return *static_cast<const FrameWidget*>(widget()); }
    Item* Part(int i) const { return items_[static_cast<std::size_t>(i)]; }
    Board* TheBoard() const { return board_; }
    std::vector<PictureButton*> Buttons() const {
        std::vector<PictureButton*> shown;
        // (Only the bar's: a dialog over the game is a child widget too, and its buttons are no
        // buttons of the game.)
        for (QAbstractButton* b : widget()->findChildren<QAbstractButton*>())
            if (auto* picture = dynamic_cast<PictureButton*>(b);
                picture != nullptr && picture->isVisibleTo(widget()))
                shown.push_back(picture);
        return shown;
    }
    // The status line as it is now, kept in the next notification; gives that notification.
    Item* Notify() {
        const int slot = nextNotice_;
        nextNotice_ = (nextNotice_ + 1) % NOTICES;
        notices_[static_cast<std::size_t>(slot)] = QString::fromStdString(View().status);
        return Part(CELLS + COUNTERS + slot);
    }
    QString Notice(int slot) const { return notices_[static_cast<std::size_t>(slot)]; }
    // The cell a screen reader last took the focus to, told once for each new one.
    bool MovedFocusTo(const QAccessibleInterface* cell) {
        const bool moved = cell != lastFocus_;
        lastFocus_ = cell;
        return moved;
    }
    // The screen rectangle of a game-screen rectangle.
    QRect OnScreen(Rect r) const {
        const QPoint origin = widget()->mapToGlobal(
            QPoint(Widget().Border() - POINTER_OFFSET_X, Widget().Border() - POINTER_OFFSET_Y));
        return {origin.x() + r.left, origin.y() + r.top, r.Width(), r.Height()};
    }

  private:
    Board* board_;
    std::array<Item*, CELLS + COUNTERS + NOTICES> items_{};
    std::array<QString, NOTICES> notices_{};
    int nextNotice_ = 0;
    std::vector<QAccessible::Id> ids_;
    const QAccessibleInterface* lastFocus_ = nullptr;
};

QAccessibleInterface* Item::parent() const {
    return role_ == QAccessible::ListItem ? static_cast<QAccessibleInterface*>(game_.TheBoard())
                                          : static_cast<QAccessibleInterface*>(&game_);
}

QString Item::text(QAccessible::Text t) const {
    if (t != QAccessible::Name)
        return {};
    if (role_ == QAccessible::Notification)
        return game_.Notice(index_ - CELLS - COUNTERS);
    const ScreenReaderView view = game_.View();
    const auto& texts = index_ < CELLS ? view.cells : view.counters;
    const std::size_t at = static_cast<std::size_t>(index_ < CELLS ? index_ : index_ - CELLS);
    return at < texts.size() ? QString::fromStdString(texts[at]) : QString();
}

QRect Item::rect() const {
    if (index_ >= CELLS)
        return game_.rect();
    const ScreenReaderView view = game_.View();
    const std::size_t at = static_cast<std::size_t>(index_);
    return at < view.cellBoxes.size() ? game_.OnScreen(view.cellBoxes[at]) : QRect();
}

QAccessible::State Item::state() const {
    QAccessible::State s;
    if (role_ == QAccessible::ListItem) {
        const ScreenReaderView view = game_.View();
        s.focusable = s.selectable = true;
        s.focused = view.focus == index_;
        s.selected = view.selected == index_;
    }
    return s;
}

QAccessibleInterface* Board::parent() const {
    return &game_;
}

QAccessibleInterface* Board::child(int index) const {
    return index >= 0 && index < CELLS ? game_.Part(index) : nullptr;
}

int Board::indexOfChild(const QAccessibleInterface* child) const {
    for (int i = 0; i < CELLS; ++i)
        if (game_.Part(i) == child)
            return i;
    return -1;
}

QAccessibleInterface* Board::focusChild() const {
    const int focus = game_.View().focus;
    return focus >= 0 && focus < CELLS ? game_.Part(focus) : nullptr;
}

QRect Board::rect() const {
    return game_.OnScreen(game_.View().board);
}

// A command button: the keyboard's choice is the focused one, though the keys stay with the game
// window, so that a screen reader follows the choice.
class BarButton : public QAccessibleWidget {
  public:
    explicit BarButton(PictureButton* button) : QAccessibleWidget(button, QAccessible::Button) {}
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.focusable = true;
        s.focused = static_cast<const PictureButton*>(widget())->isDown();
        return s;
    }
};

// A dialog's notification: what is to be said is its name; a screen reader says a notification
// each time it shows. It is no widget, so that the toolkit's own description never replaces it,
// and it hangs from the application, not from the dialog, so that the dialog's name is not said
// again before it.
class Notice : public QAccessibleInterface {
  public:
    explicit Notice(QWidget* dialog) : dialog_(dialog) {}
    bool isValid() const override { return !dialog_.isNull(); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(qApp);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? said : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }
    QString said;

  private:
    QPointer<QWidget> dialog_;
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (QAccessibleInterface* control = DialogControlAccessible(object))
        return control;
    if (auto* widget = dynamic_cast<FrameWidget*>(object))
        return new GameAccessible(widget);
    if (auto* button = dynamic_cast<PictureButton*>(object))
        return new BarButton(button);
    // A dialog without a title bar is a message: every text in it is read when it shows.
    if (auto* dialog = dynamic_cast<QtDialog*>(object); dialog != nullptr && !dialog->Captioned())
        return new QAccessibleWidget(dialog, QAccessible::AlertMessage);
    return nullptr;
}

} // namespace

void InstallGameAccessibility() {
    QAccessible::installFactory(Factory);
}

void SayInDialog(QWidget* dialog, const QString& text) {
    if (!QAccessible::isActive())
        return;
    // One a dialog, registered with it and gone with it.
    auto* notice = dialog->property("zembroNotice").value<Notice*>();
    if (notice == nullptr) {
        notice = new Notice(dialog);
        const QAccessible::Id id = QAccessible::registerAccessibleInterface(notice);
        dialog->setProperty("zembroNotice", QVariant::fromValue(notice));
        QObject::connect(dialog, &QObject::destroyed,
                         [id] { QAccessible::deleteAccessibleInterface(id); });
    }
    notice->said = text;
    QAccessibleEvent shown(notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

void RetellFocus(QWidget* window) {
    if (window == nullptr || !QAccessible::isActive())
        return;
    if (auto* game = dynamic_cast<GameAccessible*>(QAccessible::queryAccessibleInterface(window))) {
        game->MovedFocusTo(nullptr);
        AnnounceToScreenReader(window, false);
    }
}

void AnnounceToScreenReader(QWidget* window, bool announced) {
    if (window == nullptr || !QAccessible::isActive())
        return;
    auto* game = dynamic_cast<GameAccessible*>(QAccessible::queryAccessibleInterface(window));
    if (game == nullptr)
        return;
    // A screen reader follows the focus of the active window only: the cell is told when the
    // window is active, and again once the command buttons or another window (a dialog) had it.
    if (!game->Buttons().empty() || !window->isActiveWindow())
        game->MovedFocusTo(nullptr);
    QAccessibleInterface* focus = game->TheBoard()->focusChild();
    if (window->isActiveWindow() && focus != nullptr && game->MovedFocusTo(focus)) {
        QAccessibleEvent focused(focus, QAccessible::Focus);
        QAccessible::updateAccessibility(&focused);
    }
    if (announced) {
        QAccessibleEvent said(game->Notify(), QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&said);
    }
}

} // namespace zembro::platform
