// The deal: golden boards, settings out of range, and fixed-cell attempts however many.
#include "game/deal.h"

#include "board_rows.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

namespace zembro {
namespace {

struct DealResult {
    GameState state;
    std::uint32_t rngState;
};

DealResult DealWith(const DealParams& params, std::uint32_t seed) {
    DealResult result{};
    result.state.pathMask.fill(1);
    ResetGame(result.state);
    result.rngState = Deal(result.state, params, seed);
    return result;
}

Board BoardOf(const std::string& codes) {
    Board board{};
    std::istringstream in(codes);
    for (std::uint8_t& cell : board) {
        int code = 0;
        in >> code;
        cell = static_cast<std::uint8_t>(code);
    }
    return board;
}

// Every way of placing pieces and empty cells, with fixed cells, from start value 12345 with 33
// pictures; the first two are the deal's worked examples.
TEST(Deal, GoldenBoards) {
    struct Case {
        DealParams params;
        const char* board;
        int piecesLeft;
        std::uint32_t rngState;
    };
    // clang-format off
    const Case cases[] = {
        {{1, 1, 20, 33, 0}, "0 6 17 9 5 4 13 14 6 9 15 10 6 17 10 5 2 16 20 16 10 13 16 9 6 4 17 1 2 6 14 13 "
         "15 18 13 18 7 16 10 20 6 5 1 9 5 17 9 5 9 6 19 5 6 5 17 19 5 7 9 17 9 19 0 19", 62, 19},
        {{0, 0, 20, 33, 3}, "0 2 7 33 16 33 7 6 9 6 18 5 14 9 1 19 17 9 14 6 17 19 4 33 9 5 13 6 17 9 20 5 "
         "4 5 6 5 9 15 6 15 16 6 16 17 13 2 19 5 6 5 17 13 33 16 33 20 5 19 17 18 13 1 33 0", 56, 743909425},
        {{1, 0, 20, 33, 5}, "0 2 7 10 16 10 7 6 9 6 18 5 14 9 33 19 17 9 14 6 17 33 4 10 9 5 13 5 13 17 16 9 "
         "17 13 17 15 17 15 33 16 5 33 5 13 33 9 4 33 33 33 18 2 33 19 5 9 16 9 10 5 33 5 6 0", 52, 1978610859},
        {{0, 1, 20, 33, 5}, "0 33 33 16 5 5 6 9 10 17 5 33 0 5 9 4 9 20 19 6 17 5 13 20 13 33 17 1 2 10 13 33 "
         "16 6 9 10 4 33 33 33 5 6 19 18 33 16 5 9 33 19 10 18 1 5 9 9 19 16 17 17 17 13 9 2", 52, 2472946779},
        {{1, 1, 12, 33, 9}, "0 33 7 1 7 33 33 5 5 9 5 33 33 33 9 8 33 7 10 1 9 33 8 9 10 0 33 8 1 5 1 7 5 "
         "33 1 2 7 9 7 8 10 33 8 5 33 33 8 10 9 5 9 2 33 1 5 7 33 10 7 1 10 9 33 1", 46, 956749997},
        // Many attempts: searches for a kind no longer on the board, and repeating cycles.
        {{1, 1, 1, 33, 400}, "0 33 0 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 "
         "33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33", 0, 1274756511},
        {{0, 1, 32, 33, 400}, "0 33 29 33 9 15 33 33 33 13 33 21 17 33 6 14 33 13 17 33 6 15 6 33 33 33 29 13 33 26 16 33 "
         "14 15 16 15 14 33 33 33 22 17 17 0 29 1 26 33 22 21 33 13 29 17 6 1 17 33 14 21 21 33 33 9", 40, 3475697781},
        {{1, 0, 3, 33, 30}, "0 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 33 1 33 33 33 33 33 33 33 "
         "33 33 33 33 33 33 33 33 1 33 33 33 33 33 33 33 33 33 33 33 1 33 33 33 33 33 1 33 33 33 33 0", 4, 2215554960},
    };
    // clang-format on
    for (const Case& c : cases) {
        const DealResult dealt = DealWith(c.params, 12345);
        EXPECT_EQ(test::BoardText(dealt.state.board), test::BoardText(BoardOf(c.board)));
        EXPECT_EQ(dealt.state.piecesLeft, c.piecesLeft);
        EXPECT_EQ(dealt.state.fixedCode, 33);
        EXPECT_EQ(dealt.rngState, c.rngState);
        EXPECT_EQ(dealt.state.pathMask, PathMask{});
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
        for (std::uint32_t seed = 0; seed < 20; ++seed) {
            const GameState s = DealWith({1, 1, c.kinds, c.numMaxPedine, 10}, seed).state;
            int counts[256] = {};
            for (const std::uint8_t code : s.board)
                ++counts[code];
            for (int code = c.expectedKinds + 1; code < 256; ++code)
                EXPECT_TRUE(code == c.expectedFixed || counts[code] == 0) << code;
            EXPECT_EQ(counts[0], 2);
            EXPECT_EQ(s.piecesLeft, 62 - counts[c.expectedFixed]);
            EXPECT_EQ(s.fixedCode, c.expectedFixed);
        }
    }
}

// The largest count of fixed-cell attempts a file can hold completes (the benchmark times it).
TEST(Deal, TheMostFixedCellAttemptsComplete) {
    const GameState most = DealWith({0, 0, 2, 33, std::numeric_limits<int>::max()}, 4).state;
    EXPECT_LT(most.piecesLeft, 62);
    EXPECT_EQ(most.board[0] + most.board[63], 0);
}

} // namespace
} // namespace zembro
