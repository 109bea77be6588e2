// The accessible tree of the game window: window > board table > 64 cells, counters, status.
#include "platform/qt/qt_accessible.h"

#include "game/screen_layout.h"
#include "game/screen_zones.h"
#include "platform/qt/qt_frame_window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <array>

namespace zembro::platform {
namespace {

constexpr int SIDE = 8, CELLS = SIDE * SIDE, COUNTERS = 3;

class GameAccessible;

// A leaf: a cell of the board, a counter, or the status line.
class Item : public QAccessibleInterface, public QAccessibleTableCellInterface {
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
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface && role_ == QAccessible::Cell
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }
    // As a cell of the table.
    bool isSelected() const override { return state().selected; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return index_ % SIDE; }
    int rowIndex() const override { return index_ / SIDE; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

  private:
    GameAccessible& game_;
    QAccessible::Role role_;
    int index_;
};

// The board: a table of the cells, row by row.
class Board : public QAccessibleInterface, public QAccessibleTableInterface {
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
    QAccessible::Role role() const override { return QAccessible::Table; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.focusable = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                                   : nullptr;
    }
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        return row >= 0 && row < SIDE && column >= 0 && column < SIDE ? child(row * SIDE + column)
                                                                      : nullptr;
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override {
        return QStringLiteral("colonna %1").arg(column + 1);
    }
    QString rowDescription(int row) const override {
        return QStringLiteral("riga %1").arg(row + 1);
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return SIDE; }
    int rowCount() const override { return SIDE; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

  private:
    GameAccessible& game_;
};

// The game window: the board, the three counters and the status line.
class GameAccessible : public QAccessibleWidget {
  public:
    explicit GameAccessible(FrameWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Window), board_(new Board(*this)) {
        ids_.push_back(QAccessible::registerAccessibleInterface(board_));
        for (int i = 0; i < CELLS; ++i) {
            cells_[static_cast<std::size_t>(i)] = new Item(*this, QAccessible::Cell, i);
            ids_.push_back(
                QAccessible::registerAccessibleInterface(cells_[static_cast<std::size_t>(i)]));
        }
        for (int i = 0; i <= COUNTERS; ++i) {
            const QAccessible::Role role =
                i < COUNTERS ? QAccessible::StaticText : QAccessible::StatusBar;
            lines_[static_cast<std::size_t>(i)] = new Item(*this, role, CELLS + i);
            ids_.push_back(
                QAccessible::registerAccessibleInterface(lines_[static_cast<std::size_t>(i)]));
        }
    }
    ~GameAccessible() override {
        for (const QAccessible::Id id : ids_)
            QAccessible::deleteAccessibleInterface(id);
    }
    int childCount() const override { return 1 + COUNTERS + 1; }
    QAccessibleInterface* child(int index) const override {
        if (index == 0)
            return board_;
        return index > 0 && index <= COUNTERS + 1 ? lines_[static_cast<std::size_t>(index - 1)]
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
    Item* Cell(int i) const { return cells_[static_cast<std::size_t>(i)]; }
    Item* Status() const { return lines_[static_cast<std::size_t>(COUNTERS)]; }
    Board* TheBoard() const { return board_; }
    // True once for each new cell the focus goes to.
    bool MovedFocusTo(const QAccessibleInterface* cell) {
        const bool moved = cell != lastFocus_;
        lastFocus_ = cell;
        return moved;
    }
    // The screen rectangle of a game-screen rectangle.
    QRect OnScreen(int x, int y, int w, int h) const {
        const QPoint origin = widget()->mapToGlobal(
            QPoint(Widget().Border() - POINTER_OFFSET_X, Widget().Border() - POINTER_OFFSET_Y));
        return {origin.x() + x, origin.y() + y, w, h};
    }

  private:
    Board* board_;
    std::array<Item*, CELLS> cells_{};
    std::array<Item*, COUNTERS + 1> lines_{};
    std::vector<QAccessible::Id> ids_;
    const QAccessibleInterface* lastFocus_ = nullptr;
};

QAccessibleInterface* Item::parent() const {
    return role_ == QAccessible::Cell ? static_cast<QAccessibleInterface*>(game_.TheBoard())
                                      : static_cast<QAccessibleInterface*>(&game_);
}

QAccessibleInterface* Item::table() const {
    return game_.TheBoard();
}

QString Item::text(QAccessible::Text t) const {
    if (t != QAccessible::Name)
        return {};
    const ScreenReaderView view = game_.View();
    if (role_ == QAccessible::StatusBar)
        return QString::fromStdString(view.status);
    const auto& texts = index_ < CELLS ? view.cells : view.counters;
    const std::size_t at = static_cast<std::size_t>(index_ < CELLS ? index_ : index_ - CELLS);
    return at < texts.size() ? QString::fromStdString(texts[at]) : QString();
}

QRect Item::rect() const {
    if (index_ >= CELLS)
        return game_.rect();
    const ScenePoint at = CellPosition(index_ % SIDE + 1, index_ / SIDE + 1);
    return game_.OnScreen(at.x, at.y, BAND_WIDTH, BAND_HEIGHT);
}

QAccessible::State Item::state() const {
    QAccessible::State s;
    if (role_ == QAccessible::Cell) {
        s.focusable = true;
        const ScreenReaderView view = game_.View();
        s.focused = view.focus == index_;
        s.selectable = true;
        s.selected = view.selected == index_;
    }
    return s;
}

QAccessibleInterface* Board::parent() const {
    return &game_;
}

QAccessibleInterface* Board::child(int index) const {
    return index >= 0 && index < CELLS ? game_.Cell(index) : nullptr;
}

int Board::indexOfChild(const QAccessibleInterface* child) const {
    for (int i = 0; i < CELLS; ++i)
        if (game_.Cell(i) == child)
            return i;
    return -1;
}

QAccessibleInterface* Board::focusChild() const {
    const int focus = game_.View().focus;
    return focus >= 0 && focus < CELLS ? game_.Cell(focus) : nullptr;
}

QRect Board::rect() const {
    return game_.OnScreen(BOARD_AREA.left, BOARD_AREA.top, BOARD_AREA.Width(), BOARD_AREA.Height());
}

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (auto* widget = dynamic_cast<FrameWidget*>(object))
        return new GameAccessible(widget);
    return nullptr;
}

} // namespace

void InstallGameAccessibility() {
    QAccessible::installFactory(Factory);
}

void AnnounceToScreenReader(QWidget* window, bool announced) {
    if (window == nullptr || !QAccessible::isActive())
        return;
    auto* game = dynamic_cast<GameAccessible*>(QAccessible::queryAccessibleInterface(window));
    if (game == nullptr)
        return;
    QAccessibleInterface* focus = game->TheBoard()->focusChild();
    if (focus != nullptr && game->MovedFocusTo(focus)) {
        QAccessibleEvent focused(focus, QAccessible::Focus);
        QAccessible::updateAccessibility(&focused);
    }
    if (announced) {
        QAccessibleEvent said(game->Status(), QAccessible::NameChanged);
        QAccessible::updateAccessibility(&said);
    }
}

} // namespace zembro::platform
