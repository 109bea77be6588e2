// Reading order from places: the dialog's columns of overlapping controls, rows of nearly equal
// tops.
#include "platform/dialog_order.h"

#include <algorithm>
#include <span>

namespace zembro::platform {
namespace {

// Tops closer than this (dialog units, under a line) are one row: a label beside its edit.
constexpr int ROW_TOLERANCE = 6;

struct Area {
    int left, top, right, bottom;
    long Size() const { return static_cast<long>(right - left) * (bottom - top); }
    bool Holds(const Area& o) const {
        return left <= o.left && top <= o.top && o.right <= right && o.bottom <= bottom;
    }
};

Area AreaOf(const ControlTemplate& c) {
    return {c.x, c.y, c.x + c.width, c.y + c.height};
}

// Appends the controls directly in `frame` (none: the dialog itself), each frame followed by
// its own contents.
void AppendFrame(const DialogTemplate& dialog, std::optional<std::size_t> frame,
                 std::vector<std::size_t>& order) {
    std::vector<std::size_t> items;
    for (std::size_t i = 0; i < dialog.controls.size(); ++i)
        if (FrameOf(dialog, i) == frame)
            items.push_back(i);
    const auto area = [&](std::size_t i) { return AreaOf(dialog.controls[i]); };
    // The dialog's columns: controls that overlap across, gathered from the left. A frame's
    // contents are one column, read row by row (a label, then its value).
    std::ranges::sort(items, [&](std::size_t a, std::size_t b) {
        return std::pair(area(a).left, area(a).top) < std::pair(area(b).left, area(b).top);
    });
    std::vector<std::vector<std::size_t>> columns;
    int columnRight = 0;
    for (const std::size_t i : items) {
        if (columns.empty() || (!frame && area(i).left >= columnRight)) {
            columns.emplace_back();
            columnRight = area(i).right;
        }
        columns.back().push_back(i);
        columnRight = std::max(columnRight, area(i).right);
    }
    for (std::vector<std::size_t>& column : columns) {
        // Rows: top to bottom, tops within the tolerance of the row's first; left to right.
        std::ranges::sort(column, [&](std::size_t a, std::size_t b) {
            return std::pair(area(a).top, area(a).left) < std::pair(area(b).top, area(b).left);
        });
        for (std::size_t start = 0; start < column.size();) {
            std::size_t end = start + 1;
            while (end < column.size() &&
                   area(column[end]).top - area(column[start]).top < ROW_TOLERANCE)
                ++end;
            const auto row = std::span(column).subspan(start, end - start);
            std::ranges::stable_sort(
                row, [&](std::size_t a, std::size_t b) { return area(a).left < area(b).left; });
            for (const std::size_t i : row) {
                order.push_back(i);
                if (dialog.controls[i].kind == ControlKind::GroupBox)
                    AppendFrame(dialog, i, order);
            }
            start = end;
        }
    }
}

} // namespace

std::optional<std::size_t> FrameOf(const DialogTemplate& dialog, std::size_t index) {
    const Area inner = AreaOf(dialog.controls[index]);
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
        const ControlTemplate& c = dialog.controls[i];
        if (i == index || c.kind != ControlKind::GroupBox || !AreaOf(c).Holds(inner))
            continue;
        // Two frames of one place: the earlier holds the later.
        if (AreaOf(c).Size() == inner.Size() && i > index)
            continue;
        if (!best || AreaOf(c).Size() < AreaOf(dialog.controls[*best]).Size())
            best = i;
    }
    return best;
}

std::vector<std::size_t> ReadingOrder(const DialogTemplate& dialog) {
    std::vector<std::size_t> order;
    AppendFrame(dialog, std::nullopt, order);
    return order;
}

std::optional<std::size_t> LabelTarget(const DialogTemplate& dialog,
                                       const std::vector<std::size_t>& order, std::size_t label) {
    const auto at = std::ranges::find(order, label);
    if (at == order.end() || at + 1 == order.end() ||
        dialog.controls[label].kind != ControlKind::Static)
        return std::nullopt;
    const std::size_t next = *(at + 1);
    const ControlKind kind = dialog.controls[next].kind;
    if ((kind != ControlKind::Edit && kind != ControlKind::ListBox) ||
        FrameOf(dialog, next) != FrameOf(dialog, label))
        return std::nullopt;
    return next;
}

} // namespace zembro::platform
