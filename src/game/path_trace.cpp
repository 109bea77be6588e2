// Path tracing over the two one-turn routes, corner (hc, sr) first, then corner (sc, hr).
#include "game/path_trace.h"

#include "game/game_state.h"

namespace zembro {
namespace {

// Cell (x, y) in 0-based coordinates.
std::size_t At(int x, int y) {
    return static_cast<std::size_t>(y * BOARD_SIDE + x);
}

struct Trace {
    const Board& board;
    PathMask& mask;
    int sc, sr, hc, hr; // source and target, 0-based
    int colStep, rowStep;

    // Walks from the target's side towards the source, the source excluded. Each empty cell is
    // marked; a cell that is not empty blocks the route but the walk goes on to its end.
    bool WalkRow(int fromX, int y, bool free) const {
        for (int x = fromX; x != sc; x -= colStep)
            free = Test(x, y) && free;
        return free;
    }
    bool WalkColumn(int x, int fromY, bool free) const {
        for (int y = fromY; y != sr; y -= rowStep)
            free = Test(x, y) && free;
        return free;
    }
    bool Test(int x, int y) const {
        if (board[At(x, y)] != EMPTY_CELL)
            return false;
        mask[At(x, y)] = 1;
        return true;
    }

    // Corner (hc, sr): along the source's row, then along the target's column.
    bool RouteA() const { return WalkColumn(hc, hr, WalkRow(hc, sr, true)); }
    // Corner (sc, hr): along the source's column, then along the target's row.
    bool RouteB() const { return WalkRow(hc, hr, WalkColumn(sc, hr, true)); }
};

} // namespace

std::optional<PathTrace> TracePath(const Board& board, Cell source, Cell target,
                                   bool twoColourPath) {
    if (target == source || !IsOnBoard(source) || !IsOnBoard(target))
        return std::nullopt;
    const int sc = source.col - 1, sr = source.row - 1;
    const int hc = target.col - 1, hr = target.row - 1;
    PathTrace path;
    path.pairs = board[At(hc, hr)] == board[At(sc, sr)];
    // The target counts as empty while the routes are walked when it pairs, or always with
    // the two-colour path; the board itself is left as it is.
    Board walked = board;
    if (path.pairs || twoColourPath)
        walked[At(hc, hr)] = EMPTY_CELL;
    const Trace trace{walked, path.mask, sc, sr, hc, hr, hc < sc ? -1 : 1, hr < sr ? -1 : 1};
    bool free = trace.RouteA();
    if (!free) {
        path.mask.fill(0);
        free = trace.RouteB();
    }
    if (free) {
        path.mask[At(sc, sr)] = 1;
        path.valid = true;
    } else {
        path = PathTrace{};
    }
    return path;
}

bool CanMoveTo(const GameState& game, const PointerState& pointer, Cell target) {
    if (!pointer.selected || !IsOnBoard(target) || !IsOnBoard(*pointer.selected) ||
        !pointer.path.valid || target == *pointer.selected)
        return false;
    const std::uint8_t code = game.At(target);
    return code == EMPTY_CELL || code == game.At(*pointer.selected);
}

} // namespace zembro
