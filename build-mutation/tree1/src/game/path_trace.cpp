// Path tracing over the two one-turn routes, corner (hc, sr) first, then corner (sc, hr).
#include "game/path_trace.h"

namespace zembro {
namespace {

// Cell (x, y) in 0-based coordinates.
std::size_t At(int x, int y) {
    return static_cast<std::size_t>(y * BOARD_SIDE + x);
}

struct Trace {
    int sc, sr, hc, hr; // source and target, 0-based
    int colStep, rowStep;

    // Walks from the target's side towards the source, the source excluded. Each empty cell is
    // marked; a cell that is not empty blocks the route but the walk goes on to its end.
    bool WalkRow(GameState& s, int fromX, int y, bool free) const {
        for (int x = fromX; x != sc; x -= colStep)
            free = Test(s, x, y) && free;
        return free;
    }
    bool WalkColumn(GameState& s, int x, int fromY, bool free) const {
        for (int y = fromY; y != sr; y -= rowStep)
            free = Test(s, x, y) && free;
        return free;
    }
    static bool Test(GameState& s, int x, int y) {
        if (s.board[At(x, y)] != EMPTY_CELL)
            return false;
        s.pathMask[At(x, y)] = 1;
        return true;
    }

    // Corner (hc, sr): along the source's row, then along the target's column.
    bool RouteA(GameState& s) const { return WalkColumn(s, hc, hr, WalkRow(s, hc, sr, true)); }
    // Corner (sc, hr): along the source's column, then along the target's row.
    bool RouteB(GameState& s) const { return WalkRow(s, hc, hr, WalkColumn(s, sc, hr, true)); }
};

} // namespace

void TracePath(GameState& state, const OptionValues& settings) {
    state.ClearPathMask();
    if (!state.HasHover() || !state.HasSelection())
        return;
    if (state.hoverCol == state.sourceCol && state.hoverRow == state.sourceRow)
        return;
    if (!IsCellCoordinate(state.hoverCol) || !IsCellCoordinate(state.hoverRow) ||
        !IsCellCoordinate(state.sourceCol) || !IsCellCoordinate(state.sourceRow))
        return;

    const int sc = state.sourceCol - 1, sr = state.sourceRow - 1;
    const int hc = state.hoverCol - 1, hr = state.hoverRow - 1;
    std::uint8_t& target = state.board[At(hc, hr)];
    const std::uint8_t targetCode = target;

    state.pairTarget = targetCode == state.board[At(sc, sr)] ? 1 : 0;
    if (state.pairTarget != 0 || settings.twoColourPath != 0)
        target = EMPTY_CELL; // restored below

    const Trace trace{sc, sr, hc, hr, hc < sc ? -1 : 1, hr < sr ? -1 : 1};
    bool free = trace.RouteA(state);
    if (!free) {
        state.ClearPathMask();
        free = trace.RouteB(state);
    }
    target = targetCode;

    if (free) {
        state.pathMask[At(sc, sr)] = 1;
        state.pathValid = 1;
    } else {
        state.ClearPathMask();
        state.pairTarget = 0;
        state.pathValid = 0;
    }
}

bool CanMoveTo(const GameState& state, int col, int row) {
    if (!IsCellCoordinate(col) || !IsCellCoordinate(row) || !IsCellCoordinate(state.sourceCol) ||
        !IsCellCoordinate(state.sourceRow) || state.pathValid == 0)
        return false;
    if (col == state.sourceCol && row == state.sourceRow)
        return false;
    const std::uint8_t target = state.At(col, row);
    return target == EMPTY_CELL || target == state.At(state.sourceCol, state.sourceRow);
}

} // namespace zembro
