// The deal: the path mask cleared, out-of-range settings, and fixed-cell attempts however many.
#include "game/deal.h"

#include "board_rows.h"
#include "game/random_generator.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace zembro {
namespace {

using test::BoardText;

struct DealResult {
    GameState state;
    std::uint32_t rngState;
};

DealResult DealWith(const DealParams& params, std::uint32_t seed) {
    DealResult result{};
    ResetGame(result.state);
    result.rngState = Deal(result.state, params, seed);
    return result;
}

TEST(Deal, ClearsThePathMask) {
    GameState state;
    state.pathMask.fill(1);
    state.board.fill(3);
    ResetGame(state);
    EXPECT_EQ(state.board, Board{}) << "a reset board is empty";
    Deal(state, {.kinds = 5, .numMaxPedine = 33}, 7);
    EXPECT_EQ(state.pathMask, PathMask{});
}

// What every deal must give, whatever the settings and start value.
void ExpectInvariants(const GameState& s, int kinds, int fixedCode, bool randomEmpty,
                      int fixedCells) {
    std::array<int, 256> counts{};
    for (const std::uint8_t code : s.board)
        ++counts[code];
    int pieces = 0;
    for (int code = 1; code < 256; ++code) {
        if (code <= kinds) {
            EXPECT_EQ(counts[static_cast<std::size_t>(code)] % 2, 0) << "kind " << code;
            pieces += counts[static_cast<std::size_t>(code)];
        } else if (code != fixedCode) {
            EXPECT_EQ(counts[static_cast<std::size_t>(code)], 0) << "stray code " << code;
        }
    }
    EXPECT_EQ(counts[0], 2) << BoardText(s.board);
    EXPECT_EQ(s.piecesLeft, pieces);
    EXPECT_EQ(counts[static_cast<std::size_t>(fixedCode)] % 2, 0);
    EXPECT_LE(counts[static_cast<std::size_t>(fixedCode)],
              2 * std::int64_t{std::max(fixedCells, 0)});
    EXPECT_EQ(s.fixedCode, fixedCode);
    if (!randomEmpty) {
        EXPECT_EQ(s.board[0], 0);
        EXPECT_EQ(s.board[63], 0);
    }
}

// Settings that would divide by zero, give a fixed code that is a piece kind, or a fixed code
// that is not a byte: the deal stays within 1..254 kinds and a fixed code of 2..255.
TEST(Deal, OutOfRangeKindsAndPictureCountsStaySound) {
    struct Case {
        int kinds, numMaxPedine, expectedKinds, expectedFixed;
    };
    const Case cases[] = {
        {0, 33, 1, 33}, {-7, 33, 1, 33},      {-1, 0, 1, 2},      {0, 1, 1, 2},
        {5, -40, 1, 2}, {299, 300, 254, 255}, {20, 256, 20, 255}, {1000, 40, 39, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("kinds " + std::to_string(c.kinds) + " pictures " +
                     std::to_string(c.numMaxPedine));
        for (std::uint32_t seed = 0; seed < 20; ++seed) {
            const DealResult dealt = DealWith({.controlled = 1,
                                               .randomEmpty = 1,
                                               .kinds = c.kinds,
                                               .numMaxPedine = c.numMaxPedine,
                                               .fixedCells = 10},
                                              seed);
            ExpectInvariants(dealt.state, c.expectedKinds, c.expectedFixed, true, 10);
            EXPECT_GE(dealt.state.piecesLeft, 0);
        }
    }
}

// A plain rendering of the fixed-cell attempts, one draw at a time, against which the deal's
// shortcuts (skipping a hopeless search, skipping repeating cycles) are checked.
std::uint32_t FixPairsOneDrawAtATime(GameState& s, int attempts, int kinds, std::uint8_t fixed,
                                     std::uint32_t state) {
    RandomGenerator rng(state);
    for (int a = 0; a < attempts; ++a) {
        const auto v = static_cast<std::uint8_t>(rng.Next() % kinds + 1);
        rng.Seed(v);
        int c1 = rng.Next() % 64;
        for (int counter = 9254; s.board[static_cast<std::size_t>(c1)] != v;) {
            c1 = rng.Next() % 64;
            if (--counter == 0) {
                c1 = -1;
                break;
            }
        }
        int c2 = 0;
        bool found = false;
        for (int counter = 9255;;) {
            c2 = rng.Next() % 64;
            if (c2 == c1)
                c2 = 0;
            if (--counter == 0)
                break;
            if (s.board[static_cast<std::size_t>(c2)] == v) {
                found = true;
                break;
            }
        }
        if (c1 >= 0 && found && c1 != c2) {
            s.board[static_cast<std::size_t>(c1)] = s.board[static_cast<std::size_t>(c2)] = fixed;
            s.piecesLeft -= 2;
        }
    }
    return rng.State();
}

TEST(Deal, FixedCellAttemptsMatchDrawingEveryNumber) {
    for (const int kinds : {1, 3, 20, 200}) {
        for (const int attempts : {1, 30, 400}) {
            for (std::uint32_t seed = 100; seed < 103; ++seed) {
                const DealParams params{.controlled = 1,
                                        .randomEmpty = 1,
                                        .kinds = kinds,
                                        .numMaxPedine = 255,
                                        .fixedCells = attempts};
                DealParams unfixed = params;
                unfixed.fixedCells = 0;
                DealResult reference = DealWith(unfixed, seed);
                const std::uint32_t referenceState = FixPairsOneDrawAtATime(
                    reference.state, attempts, kinds, 255, reference.rngState);

                const DealResult dealt = DealWith(params, seed);
                SCOPED_TRACE("kinds " + std::to_string(kinds) + " attempts " +
                             std::to_string(attempts) + " seed " + std::to_string(seed));
                EXPECT_EQ(BoardText(dealt.state.board), BoardText(reference.state.board));
                EXPECT_EQ(dealt.state.piecesLeft, reference.state.piecesLeft);
                EXPECT_EQ(dealt.rngState, referenceState);
            }
        }
    }
}

// The largest count a file can hold completes (the benchmark times it). The attempts may end in
// a cycle that never draws the last kinds left, so not every pair need be fixed.
TEST(Deal, LargestFixedCellCountCompletes) {
    const DealResult dealt = DealWith({.controlled = 0,
                                       .randomEmpty = 0,
                                       .kinds = 2,
                                       .numMaxPedine = 33,
                                       .fixedCells = std::numeric_limits<int>::max()},
                                      4);
    ExpectInvariants(dealt.state, 2, 33, false, std::numeric_limits<int>::max());
    EXPECT_LT(dealt.state.piecesLeft, 62);
}

} // namespace
} // namespace zembro
