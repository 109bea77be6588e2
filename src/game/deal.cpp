// The deal: pool, placement, empty cells and fixed pairs, on the reseeded generator.
#include "game/deal.h"

#include "game/random_generator.h"

#include <algorithm>
#include <array>

namespace zembro {
namespace {

constexpr int PAIRS = 31;
constexpr int FIRST_SEARCH_TESTS = 9254;
constexpr int SECOND_SEARCH_DRAWS = 9255;
// Numbers a fixing attempt draws after its reseed when both searches fail.
constexpr std::uint32_t FAILED_ATTEMPT_DRAWS = FIRST_SEARCH_TESTS + 1 + SECOND_SEARCH_DRAWS;

std::size_t Index(int element) {
    return static_cast<std::size_t>(element);
}

int Below(RandomGenerator& rng, int n) {
    return rng.Next() % n;
}

// The values still to place. Taking one moves the last live value into its slot, so the live
// values always fill elements 0 .. count - 1.
class Pool {
  public:
    Pool(RandomGenerator& rng, int kinds, bool randomEmpty) {
        if (randomEmpty) {
            for (int i = PAIRS; i >= 1; --i)
                values_[Index(i)] = Kind(rng, kinds);
            for (int i = 1; i <= PAIRS; ++i)
                values_[Index(PAIRS + 1 + i)] = values_[Index(i)];
            values_[0] = values_[Index(PAIRS + 1)] = EMPTY_CELL;
            count_ = BOARD_CELLS;
        } else {
            for (int i = PAIRS - 1; i >= 0; --i)
                values_[Index(i)] = Kind(rng, kinds);
            for (int i = 0; i < PAIRS; ++i)
                values_[Index(PAIRS + i)] = values_[Index(i)];
            count_ = 2 * PAIRS;
        }
    }

    int Count() const { return count_; }
    std::uint8_t Peek(int i) const { return values_[Index(i)]; }
    std::uint8_t Take(int i) {
        const std::uint8_t value = values_[Index(i)];
        --count_;
        values_[Index(i)] = values_[Index(count_)];
        return value;
    }

    static std::uint8_t Kind(RandomGenerator& rng, int kinds) {
        return static_cast<std::uint8_t>(Below(rng, kinds) + 1);
    }

  private:
    std::array<std::uint8_t, BOARD_CELLS> values_{};
    int count_ = 0;
};

bool EqualsNeighbour(const Board& board, int element, std::uint8_t value) {
    const bool left = element % BOARD_SIDE != 0 && board[Index(element - 1)] == value;
    const bool above = element >= BOARD_SIDE && board[Index(element - BOARD_SIDE)] == value;
    return left || above;
}

// Tries as many candidates as values are left; when every one sits next to its equal, one more
// draw is taken whatever it holds. An empty value is compared like any other.
int ChooseControlled(RandomGenerator& rng, const Pool& pool, const Board& board, int element) {
    for (int tries = 0; tries < pool.Count(); ++tries) {
        const int i = Below(rng, pool.Count());
        if (!EqualsNeighbour(board, element, pool.Peek(i)))
            return i;
    }
    return Below(rng, pool.Count());
}

void PlaceCells(GameState& state, Pool& pool, RandomGenerator& rng, bool controlled, int first,
                int last) {
    state.piecesLeft = 0;
    for (int element = first; element <= last; ++element) {
        const int i = controlled ? ChooseControlled(rng, pool, state.board, element)
                                 : Below(rng, pool.Count());
        const std::uint8_t value = pool.Take(i);
        state.board[Index(element)] = value;
        if (value != EMPTY_CELL)
            ++state.piecesLeft;
        rng.Seed(value);
    }
}

// One attempt at fixing a pair: a kind is drawn, the generator reseeded with it, and two cells
// of that kind are looked for by random probing with bounded counters. Gives true when the
// board changed.
bool TryFixPair(GameState& state, std::array<int, 256>& counts, int kinds, std::uint8_t fixedCode,
                RandomGenerator& rng) {
    const std::uint8_t kind = Pool::Kind(rng, kinds);
    rng.Seed(kind);
    if (counts[kind] == 0) {
        // Neither search can succeed: both run to the end of their counters.
        rng.Skip<FAILED_ATTEMPT_DRAWS>();
        return false;
    }
    const Board& board = state.board;

    int first = Below(rng, BOARD_CELLS);
    for (int counter = FIRST_SEARCH_TESTS; board[Index(first)] != kind;) {
        first = Below(rng, BOARD_CELLS);
        if (--counter == 0) {
            first = -1;
            break;
        }
    }

    int second = 0;
    bool secondFound = false;
    for (int counter = SECOND_SEARCH_DRAWS;;) {
        second = Below(rng, BOARD_CELLS);
        if (second == first)
            second = 0;
        if (--counter == 0)
            break;
        if (board[Index(second)] == kind) {
            secondFound = true;
            break;
        }
    }

    if (first < 0 || !secondFound || first == second)
        return false;
    state.board[Index(first)] = state.board[Index(second)] = fixedCode;
    counts[kind] -= 2;
    counts[fixedCode] += 2;
    state.piecesLeft -= 2;
    return true;
}

// Runs `attempts` fixing attempts. An attempt depends only on the kind it draws and on the
// board, so while the board stays the same the drawn kinds follow a fixed map; once a kind
// repeats, the attempts cycle without changing anything, and only the position in the cycle
// where they stop matters. Skipping whole cycles keeps any count, however large, to a few
// hundred simulated attempts with exactly the board and generator state of running them all.
void FixPairs(GameState& state, std::int64_t attempts, int kinds, std::uint8_t fixedCode,
              RandomGenerator& rng) {
    std::array<int, 256> counts{};
    for (const std::uint8_t code : state.board)
        ++counts[code];

    std::array<std::int64_t, 256> seenAt{};
    seenAt.fill(-1);
    std::int64_t index = 0; // attempts since the board last changed
    bool lookForCycle = true;
    for (std::int64_t remaining = attempts; remaining > 0;) {
        RandomGenerator probe = rng;
        const std::uint8_t kind = Pool::Kind(probe, kinds);
        if (lookForCycle && seenAt[kind] >= 0) {
            remaining %= index - seenAt[kind];
            lookForCycle = false;
            if (remaining == 0)
                break;
        }
        seenAt[kind] = index++;
        --remaining;
        if (TryFixPair(state, counts, kinds, fixedCode, rng)) {
            seenAt.fill(-1);
            index = 0;
            lookForCycle = true;
        }
    }
}

} // namespace

DealParams DealParamsFrom(const OptionValues& settings) {
    return {.controlled = settings.controlledInsertion,
            .randomEmpty = settings.randomEmptyCells,
            .kinds = settings.kindsUsed,
            .numMaxPedine = settings.NumMaxPedine,
            .fixedCells = settings.fixedCells};
}

std::uint32_t Deal(GameState& state, const DealParams& params, std::uint32_t startValue) {
    const std::uint8_t fixedCode = FixedCode(params.numMaxPedine);
    // Pool values are drawn modulo the kinds, and a kind must never take the fixed code.
    const int kinds = std::clamp(params.kinds, 1, fixedCode - 1);

    state.fixedCode = fixedCode;
    RandomGenerator rng(startValue);
    const bool randomEmpty = params.randomEmpty != 0;
    Pool pool(rng, kinds, randomEmpty);
    if (randomEmpty) {
        PlaceCells(state, pool, rng, params.controlled != 0, 0, BOARD_CELLS - 1);
    } else {
        // The top and bottom corners stay empty: no draw, no reseed.
        state.board[0] = state.board[Index(BOARD_CELLS - 1)] = EMPTY_CELL;
        PlaceCells(state, pool, rng, params.controlled != 0, 1, BOARD_CELLS - 2);
    }
    FixPairs(state, params.fixedCells, kinds, fixedCode, rng);
    return rng.State();
}

} // namespace zembro
